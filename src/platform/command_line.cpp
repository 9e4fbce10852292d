// Windows command-line splitting: the program word and the argument rules of the C runtime.
#include "platform/command_line.h"

bool IsCommandLineBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string ReadProgramWord(std::string_view commandLine, size_t& pos) {
    while (pos < commandLine.size() && IsCommandLineBlank(commandLine[pos])) ++pos;
    std::string word;
    bool inQuotes = false;
    for (; pos < commandLine.size(); ++pos) {
        char c = commandLine[pos];
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (!inQuotes && IsCommandLineBlank(c)) {
            break;
        } else {
            word.push_back(c);
        }
    }
    return word;
}

std::vector<std::string> SplitArguments(std::string_view arguments) {
    std::vector<std::string> result;
    size_t pos = 0;
    const size_t end = arguments.size();
    for (;;) {
        while (pos < end && IsCommandLineBlank(arguments[pos])) ++pos;
        if (pos == end) break;
        std::string argument;
        bool inQuotes = false;
        while (pos < end && (inQuotes || !IsCommandLineBlank(arguments[pos]))) {
            char c = arguments[pos];
            if (c == '\\') {
                size_t backslashes = 0;
                while (pos < end && arguments[pos] == '\\') {
                    ++backslashes;
                    ++pos;
                }
                if (pos < end && arguments[pos] == '"') {
                    argument.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        argument.push_back('"');
                        ++pos;
                    }
                    // An even count leaves the quote to the quote rule below.
                } else {
                    argument.append(backslashes, '\\');
                }
            } else if (c == '"') {
                if (inQuotes && pos + 1 < end && arguments[pos + 1] == '"') {
                    argument.push_back('"');
                    pos += 2;
                } else {
                    inQuotes = !inQuotes;
                    ++pos;
                }
            } else {
                argument.push_back(c);
                ++pos;
            }
        }
        result.push_back(std::move(argument));
    }
    return result;
}

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    size_t pos = 0;
    std::vector<std::string> result;
    result.push_back(ReadProgramWord(commandLine, pos));
    std::vector<std::string> rest = SplitArguments(commandLine.substr(pos));
    result.insert(result.end(), std::make_move_iterator(rest.begin()),
                  std::make_move_iterator(rest.end()));
    return result;
}
