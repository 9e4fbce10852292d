// Finding the program of a command line: a bare name in our own directory, then in PATH, never in
// the current (source) directory, so a file planted beside the sources cannot run in place of a
// tool; ".exe" appended to a name without extension; an unquoted first word with blanks resolved
// by trying its shortest prefix that names a program first.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Where a program name without a directory part is looked for: OwnDirectory, then Path.
struct ProgramSearch {
    std::string OwnDirectory;       // the directory of our own executable
    std::string CurrentDirectory;   // the tool's working directory: only the base of relative
                                    // names with a directory part
    std::vector<std::string> Path;  // absolute directories only

    // The real locations: our executable's directory, the current directory and the absolute
    // entries of PATH (an empty or relative entry would mean the current directory again).
    static ProgramSearch FromEnvironment();
};

struct ResolvedCommand {
    bool Found = false;
    std::string ProgramPath;             // the file to execute
    std::vector<std::string> Arguments;  // program word as written, then the split arguments
    std::string Error;                   // why no program was found
};

// Finds the executable file that one program name stands for. A "\" counts as "/"; a name with a
// directory part is taken relative to search.CurrentDirectory (the tool's working directory) or
// is absolute, any other name is looked for in the own directory and then the absolute PATH
// entries, never in the working one.
// Each place is tried with the name as given, then with
// ".exe" appended when the name has no extension. Only regular files that may be executed count;
// `nonExecutable` receives the first existing file that was passed over for lack of permission.
std::string FindProgram(std::string_view name, const ProgramSearch& search,
                        std::string* nonExecutable = nullptr);

// Splits the command line into the program to run and its arguments. A quoted first word names
// the program alone. An unquoted first word is tried up to each blank in turn, shortest first,
// and the first prefix that names a program wins; the text after it gives the arguments.
ResolvedCommand ResolveCommandLine(std::string_view commandLine, const ProgramSearch& search);

// Resolves a tool's command line in the real locations; `ownDirectory`, when not empty, stands
// in for our executable's directory, and `workingDirectory`, when not empty, for the current
// one: the tool's working directory is the base of its relative program names. Process starters
// begin with this.
ResolvedCommand ResolveToolCommandLine(std::string_view commandLine,
                                       const std::string& ownDirectory,
                                       const std::string& workingDirectory);

// PATH with `directory` added at its end, unless it is already one of its entries or is not
// absolute: a tool started by us then finds our own tools by name (a project's Makefile calling
// pce-cc), while every directory the user put on PATH still comes first.
std::string PathWithDirectory(std::string_view path, const std::string& directory);
