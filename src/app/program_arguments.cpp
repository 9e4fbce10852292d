// Command-line parsing and the opening of the files named there.
#include "app/program_arguments.h"

#include <filesystem>

#include "app/file_commands.h"
#include "platform/qt/error_report.h"

const char* const kProgramVersion = "Quillon IDE 3.10";

TProgramArguments ParseProgramArguments(const std::vector<std::string>& arguments) {
    TProgramArguments result;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (argument.empty()) continue;  // names no file
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            result.Files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--no-session") {
            result.NoSession = true;
        } else if (argument == "--help") {
            result.Action = TProgramArguments::TAction::Help;
            return result;
        } else if (argument == "--version") {
            result.Action = TProgramArguments::TAction::Version;
            return result;
        } else {
            result.Action = TProgramArguments::TAction::UsageError;
            result.BadOption = argument;
            return result;
        }
    }
    return result;
}

std::string ProgramUsage() {
    return "Usage: quillon [OPTION]... [--] [FILE]...\n"
           "Opens each FILE in a document window; a FILE that does not exist opens an empty\n"
           "window with that name. Without a FILE, the windows open at the last exit come\n"
           "back.\n"
           "\n"
           "  --no-session  start without the windows of the last session\n"
           "  --help        show this help and exit\n"
           "  --version     show the version and exit\n"
           "  --            take every following argument as a file name, even one that\n"
           "                starts with '-'\n";
}

std::optional<int> AnswerWithoutWindows(const TProgramArguments& arguments, std::ostream& out,
                                        std::ostream& err) {
    switch (arguments.Action) {
        case TProgramArguments::TAction::Run:
            return std::nullopt;
        case TProgramArguments::TAction::Help:
            out << ProgramUsage();
            return 0;
        case TProgramArguments::TAction::Version:
            out << kProgramVersion << '\n';
            return 0;
        case TProgramArguments::TAction::UsageError:
            err << "quillon: unknown option '" << arguments.BadOption << "'\n" << ProgramUsage();
            return 2;
    }
    return 2;
}

std::string AbsoluteFileName(const std::string& name) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(name, error);
    if (error) return name;
    return absolute.lexically_normal().string();
}

void OpenProgramFiles(TFileCommands& commands, const std::vector<std::string>& files) {
    std::vector<std::string> paths;
    paths.reserve(files.size());
    for (const std::string& name : files) paths.push_back(AbsoluteFileName(name));
    commands.OpenChosenFiles(paths);
}
