// Finding the packaged tools and composing their commands.
#include "toolrun/packaged_toolchain.h"

#include <unistd.h>

#include <sys/stat.h>

#include "platform/program_search.h"

namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

std::string FindOnPath(std::string_view name, const std::vector<std::string>& path) {
    ProgramSearch search;
    search.Path = path;
    return FindProgram(name, search);
}

}  // namespace

std::string CommandWord(const std::string& program) {
    if (program.find_first_of(" \t") == std::string::npos) return program;
    return "\"" + program + "\"";
}

TPackagedToolchain FindPackagedToolchain(const std::vector<std::string>& path,
                                         const std::string& toolsDir,
                                         const std::string& emulatorFallback) {
    TPackagedToolchain found;
    if (!FindOnPath("64tass", path).empty()) {
        found.AssemblerCommand = kPackagedAssemblerCommand;
    } else {
        found.Missing.push_back("ASM Compiler: 64tass not found (apt-get install 64tass)");
    }

    std::string wrapper = toolsDir;
    if (!wrapper.empty() && wrapper.back() != '/') wrapper += '/';
    wrapper += kPackagedCompilerWrapper;
    if (FindOnPath("cl65", path).empty()) {
        found.Missing.push_back("C Compiler: cl65 of cc65 not found (apt-get install cc65)");
    } else if (toolsDir.empty() || !IsExecutableFile(wrapper)) {
        found.Missing.push_back("C Compiler: the wrapper " + wrapper + " is missing");
    } else {
        found.CompilerCommand = CommandWord(wrapper) + std::string(kPackagedCompilerArguments);
    }

    if (!FindOnPath(kPackagedProjectCommand, path).empty()) {
        found.ProjectCommand = kPackagedProjectCommand;
    } else {
        found.Missing.push_back("Project Build: make not found (apt-get install make)");
    }

    std::string emulator = FindOnPath("mednafen", path);
    if (emulator.empty() && !emulatorFallback.empty() && IsExecutableFile(emulatorFallback)) {
        emulator = emulatorFallback;
    }
    if (!emulator.empty()) {
        found.EmulatorCommand = CommandWord(emulator);
    } else {
        found.Missing.push_back("Emulator 1: mednafen not found (apt-get install mednafen)");
    }
    return found;
}

TPackagedToolchain FindPackagedToolchain(const std::string& toolsDir) {
    return FindPackagedToolchain(ProgramSearch::FromEnvironment().Path, toolsDir);
}
