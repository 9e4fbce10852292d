// The program's command line, `quillon [OPTION]... [--] [FILE]...`: the files to open at start,
// or the help, the version or a usage error, each answered before any window exists.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

class TFileCommands;

// "Quillon IDE 3.10", printed by --version.
extern const char* const kProgramVersion;

struct TProgramArguments {
    enum class TAction { Run, Help, Version, UsageError };
    TAction Action = TAction::Run;
    // The file names in the order given, as typed.
    std::vector<std::string> Files;
    // --no-session: start without the windows of the last session.
    bool NoSession = false;
    // For a usage error, the offending argument.
    std::string BadOption;
};

// Reads the arguments after the program name. Options may stand before, between or after the
// file names; the first of --help, --version or an unknown option decides. Everything after
// "--" is a file name, and so is a lone "-"; an empty argument names nothing.
TProgramArguments ParseProgramArguments(const std::vector<std::string>& arguments);

// The text --help prints.
std::string ProgramUsage();

// Answers help, version and usage errors: prints to `out` (help, version) or `err` (usage error)
// and returns the exit status, 0 or 2. Returns nothing when the program is to run.
std::optional<int> AnswerWithoutWindows(const TProgramArguments& arguments, std::ostream& out,
                                        std::ostream& err);

// The name made absolute against the current directory, as the file-open dialog hands it.
std::string AbsoluteFileName(const std::string& name);

// Opens each file as the file-open dialog's choice would be opened; a name that does not exist
// gives an empty window with that caption. Each file is one command: a failure is reported and
// the next file still opens.
void OpenProgramFiles(TFileCommands& commands, const std::vector<std::string>& files);
