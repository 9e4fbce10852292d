// Program lookup for command lines: search order, ".exe" completion and prefixes with blanks.
#include "platform/program_search.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/command_line.h"

namespace {

enum class FileKind { Missing, NotExecutable, Executable };

FileKind ExaminePath(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return FileKind::Missing;
    return access(path.c_str(), X_OK) == 0 ? FileKind::Executable : FileKind::NotExecutable;
}

bool HasExtension(const std::string& name) {
    size_t slash = name.rfind('/');
    size_t dot = name.rfind('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

std::string JoinPath(const std::string& directory, const std::string& name) {
    if (directory.empty() || directory.back() == '/') return directory + name;
    return directory + "/" + name;
}

// Tries `base` and, without an extension, `base` + ".exe".
std::string TryFile(const std::string& base, bool addExe, std::string* nonExecutable) {
    for (int attempt = 0; attempt < (addExe ? 2 : 1); ++attempt) {
        std::string candidate = attempt == 0 ? base : base + ".exe";
        switch (ExaminePath(candidate)) {
            case FileKind::Executable:
                return candidate;
            case FileKind::NotExecutable:
                if (nonExecutable && nonExecutable->empty()) *nonExecutable = candidate;
                break;
            case FileKind::Missing:
                break;
        }
    }
    return {};
}

std::string DirectoryOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}

ResolvedCommand Found(std::string programPath, std::string word, std::string_view rest) {
    ResolvedCommand result;
    result.Found = true;
    result.ProgramPath = std::move(programPath);
    result.Arguments.push_back(std::move(word));
    std::vector<std::string> arguments = SplitArguments(rest);
    result.Arguments.insert(result.Arguments.end(), arguments.begin(), arguments.end());
    return result;
}

}  // namespace

ProgramSearch ProgramSearch::FromEnvironment() {
    ProgramSearch search;
    char buffer[4096];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length > 0) search.OwnDirectory = DirectoryOf(std::string(buffer, size_t(length)));
    if (getcwd(buffer, sizeof buffer)) search.CurrentDirectory = buffer;
    if (const char* path = std::getenv("PATH")) {
        std::string_view rest = path;
        while (!rest.empty()) {
            size_t colon = rest.find(':');
            std::string_view entry = rest.substr(0, colon);
            // An empty or relative entry names the current directory, the source directory of a
            // build, where a planted file must never pass for a tool.
            if (!entry.empty() && entry.front() == '/') search.Path.emplace_back(entry);
            if (colon == std::string_view::npos) break;
            rest.remove_prefix(colon + 1);
        }
    }
    return search;
}

std::string FindProgram(std::string_view name, const ProgramSearch& search,
                        std::string* nonExecutable) {
    if (name.empty()) return {};
    std::string mapped(name);
    for (char& c : mapped) {
        if (c == '\\') c = '/';
    }
    bool addExe = !HasExtension(mapped);
    if (mapped.find('/') != std::string::npos) {
        std::string base =
            mapped.front() == '/' ? mapped : JoinPath(search.CurrentDirectory, mapped);
        return TryFile(base, addExe, nonExecutable);
    }
    std::vector<const std::string*> directories = {&search.OwnDirectory};
    for (const std::string& entry : search.Path) directories.push_back(&entry);
    for (const std::string* directory : directories) {
        // Only absolute directories: a relative one would be looked up from the current one.
        if (directory->empty() || directory->front() != '/') continue;
        std::string found = TryFile(JoinPath(*directory, mapped), addExe, nonExecutable);
        if (!found.empty()) return found;
    }
    return {};
}

ResolvedCommand ResolveCommandLine(std::string_view commandLine, const ProgramSearch& search) {
    size_t start = 0;
    while (start < commandLine.size() && IsCommandLineBlank(commandLine[start])) ++start;
    if (start == commandLine.size()) return {false, {}, {}, "empty command line"};

    std::string firstWord;  // the shortest word, named in the error
    std::string nonExecutable;
    if (commandLine[start] == '"') {
        size_t pos = start;
        firstWord = ReadProgramWord(commandLine, pos);
        std::string path = FindProgram(firstWord, search, &nonExecutable);
        if (!path.empty()) return Found(std::move(path), firstWord, commandLine.substr(pos));
    } else {
        std::string word;
        bool inQuotes = false;
        for (size_t pos = start;; ++pos) {
            bool atEnd = pos == commandLine.size();
            if (atEnd || (!inQuotes && IsCommandLineBlank(commandLine[pos]) &&
                          !IsCommandLineBlank(commandLine[pos - 1]))) {
                if (firstWord.empty()) firstWord = word;
                std::string path = FindProgram(word, search, &nonExecutable);
                if (!path.empty()) return Found(std::move(path), word, commandLine.substr(pos));
                if (atEnd) break;
            }
            char c = commandLine[pos];
            if (c == '"') {
                inQuotes = !inQuotes;
            } else {
                word.push_back(c);
            }
        }
    }
    ResolvedCommand failed;
    failed.Error = nonExecutable.empty() ? "program not found: " + firstWord
                                         : "not an executable program: " + nonExecutable;
    return failed;
}

ResolvedCommand ResolveToolCommandLine(std::string_view commandLine,
                                       const std::string& ownDirectory,
                                       const std::string& workingDirectory) {
    ProgramSearch search = ProgramSearch::FromEnvironment();
    if (!ownDirectory.empty()) search.OwnDirectory = ownDirectory;
    if (!workingDirectory.empty()) search.CurrentDirectory = workingDirectory;
    return ResolveCommandLine(commandLine, search);
}

std::string PathWithDirectory(std::string_view path, const std::string& directory) {
    if (directory.empty() || directory.front() != '/') return std::string(path);
    std::string_view rest = path;
    while (true) {
        const size_t colon = rest.find(':');
        std::string_view entry = rest.substr(0, colon);
        while (entry.size() > 1 && entry.back() == '/') entry.remove_suffix(1);
        std::string_view wanted = directory;
        while (wanted.size() > 1 && wanted.back() == '/') wanted.remove_suffix(1);
        if (entry == wanted) return std::string(path);
        if (colon == std::string_view::npos) break;
        rest.remove_prefix(colon + 1);
    }
    if (path.empty()) return directory;
    std::string joined(path);
    if (joined.back() != ':') joined += ':';
    return joined + directory;
}
