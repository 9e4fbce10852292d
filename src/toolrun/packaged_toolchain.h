// The packaged PC Engine tools (the assembler 64tass, cc65 through the wrapper tools/pce-cc, make
// for whole projects and the emulator mednafen) and the commands that drive them: the texts the
// setup dialog fills in and tools/configure-toolchain writes, found on a search path.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The assembler's command template.
inline constexpr std::string_view kPackagedAssemblerCommand =
    "64tass -c -b -Wall -o {image} --dump-labels -l {base}.lbl {file}";
// The C compiler's command template follows the wrapper's path with these arguments.
inline constexpr std::string_view kPackagedCompilerWrapper = "pce-cc";
inline constexpr std::string_view kPackagedCompilerArguments = " -O -o {image} {file}";
// The project build's command: make, run in the project's directory.
inline constexpr std::string_view kPackagedProjectCommand = "make";
// Where Debian installs the emulator, outside the PATH of root.
inline constexpr std::string_view kPackagedEmulatorFallback = "/usr/games/mednafen";

// What a build whose tool is missing or not configured says about setting one up.
inline constexpr std::string_view kSetUpToolsHint =
    "(to set up the packaged tools 64tass, cc65 and mednafen: File > Setup, \"Find Packaged "
    "Tools\", \"Save!\"; or run quillon-configure-toolchain in a terminal)";
inline constexpr std::string_view kNoToolConfigured = "(no tool is configured for this command)";

// What was found: a command for each tool that is there, empty for a missing one, and one line
// for each missing tool naming the package that brings it.
struct TPackagedToolchain {
    std::string AssemblerCommand;
    std::string CompilerCommand;
    std::string EmulatorCommand;
    std::string ProjectCommand;
    std::vector<std::string> Missing;
};

// Looks the tools up in the directories of `path`; `toolsDir` is the directory holding pce-cc.
// The emulator is also taken from `emulatorFallback` when PATH has none.
TPackagedToolchain FindPackagedToolchain(
    const std::vector<std::string>& path, const std::string& toolsDir,
    const std::string& emulatorFallback = std::string(kPackagedEmulatorFallback));
// The same on the PATH of the environment.
TPackagedToolchain FindPackagedToolchain(const std::string& toolsDir);

// A program path as the first word of a command line: quoted when it holds blanks.
std::string CommandWord(const std::string& program);
