// The fixed texts of the build commands: refusals, the load failure, banners and status texts.
#pragma once

#include <string_view>

inline constexpr std::string_view kMsgNoDocumentToCompile =
    "I may just be a computer,\r\nand can in no way tell you\r\nhow to live your life........."
    "\r\nbut might I suggest that\r\nyou open a file before\r\ntrying to compile one?";
inline constexpr std::string_view kMsgCompileUnsaved =
    "I'm sorry, but......\r\nI cannot compile\r\na file that has not\r\nbeen saved. \r\nPlease "
    "Save\r\nyour file, and try\r\nagain ^_~.";
inline constexpr std::string_view kMsgCouldNotLoadOutput =
    "Could not load compiler output!\r\nDon't worry, this just means that\r\nthe compiler "
    "didn't finish writing \r\nthe file we wanted to read before\r\nwe tried to load it. "
    "\r\n\r\nSimply check in your source \r\ndirectory for the file: OUTPUT.C\r\nto look over "
    "any compiler output\r\nyou may have have missed:).";
inline constexpr std::string_view kMsgNoRomImage =
    "I'm sorry, but...\r\nI cannot find the rom \r\nimage I'm supposed to\r\npass to the "
    "emualtor.\r\nThis function really\r\nisn't supposed to work \r\nwithout one...";

inline constexpr std::string_view kBannerTop = "/*************************************************";
inline constexpr std::string_view kBannerBottom =
    "*************************************************/";
inline constexpr std::string_view kBannerAssembly =
    "*Assembeling Assembeling Assembeling Assembeling *";
inline constexpr std::string_view kBannerCompilingPrefix = "*compiling ";

// The message file the tools leave in the source directory, and where the previous one goes.
inline constexpr std::string_view kOutputFile = "output.c";
inline constexpr std::string_view kOldOutputFile = "oldoutput.c";
inline constexpr std::string_view kRedirectOutput = " >output.c";

inline constexpr std::string_view kStatusCompiling = "Compiling C file: ";
inline constexpr std::string_view kStatusFinished = "Finished Compiling: ";
inline constexpr std::string_view kStatusSuccessful = " Compile Successful";
inline constexpr std::string_view kStatusNotStarted =
    " Compile FAILED - could not execute compiler";
inline constexpr std::string_view kStatusCancelledPrefix = "Stopped waiting: ";
inline constexpr std::string_view kStatusCancelled = " Compile still running";

// The project build's banner and status texts, in the compile commands' style.
inline constexpr std::string_view kBannerBuildingPrefix = "*building ";
inline constexpr std::string_view kStatusBuilding = "Building project: ";
inline constexpr std::string_view kStatusFinishedBuilding = "Finished Building: ";
inline constexpr std::string_view kStatusBuildSuccessful = " Build Successful";
inline constexpr std::string_view kStatusBuildNotStarted =
    " Build FAILED - could not execute the build command";
inline constexpr std::string_view kStatusBuildCancelled = " Build still running";
inline constexpr std::string_view kStatusBuildNoImage = " - no image in the project";
inline constexpr std::string_view kNoProjectCommand =
    "(no project build command is set, and the project directory holds no Makefile for make: "
    "add one, or set the command in File > Setup, \"Project Build\")";

// What the output panel and the status bar say about a run beyond the tool's own messages.
inline constexpr std::string_view kNoToolMessages = "(the tool printed no messages)";
inline constexpr std::string_view kCouldNotStartTool = "(could not start the tool: ";
inline constexpr std::string_view kStatusNoImage = " - no image written";
inline constexpr std::string_view kBannerRunningPrefix = "*running ";
// Between a build's messages and those of an emulator that failed.
inline constexpr std::string_view kEmulatorSeparator =
    "--------------------------------------------------";
