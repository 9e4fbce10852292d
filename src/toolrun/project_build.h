// "&Build Project" (F9): runs the project's build command (make, by default, for a project with a
// Makefile) in the project directory of the active document, after saving the project's modified
// documents; shows what it printed in the output panel and ends with a status text that names the
// image the build made, which the emulator commands then start for the project's documents.
#pragma once

#include <string>

#include "toolrun/build_services.h"

struct TToolRunResult;

// The command line of a project build, or an empty text when there is none: a blank command is
// "make" when the project directory (ending in the separator) holds a Makefile; a template is
// expanded with the active document's values and {project}; any other command runs as it is.
std::string ProjectCommandLine(const std::string& command, const std::string& projectDir,
                               const std::string& sourceDir, const std::string& sourceName);

// The closing status text, naming the project by its directory's name: "Finished Building:
// <project> Build Successful", " Build FAILED (exit code N)", " Build FAILED - could not execute
// the build command" or "Stopped waiting: <project> Build still running".
std::string ProjectBuildStatusText(const std::string& projectDir, const TToolRunResult& result);

// What a successful build's status text goes on with: " - <image> <N> bytes" (the image's path
// from the project directory), " (up to date)" after it when this build did not write it, or
// " - no image in the project".
std::string ProjectImageStatusText(const std::string& projectDir, const std::string& imagePath,
                                   bool written);

void BuildProject1Click(TBuildServices& services);
