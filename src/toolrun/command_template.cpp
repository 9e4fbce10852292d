// Placeholder expansion and argument quoting by the splitting rules of the command line.
#include "toolrun/command_template.h"

#include <array>
#include <string_view>

#include "toolrun/image_name.h"

namespace {

struct TPlaceholder {
    std::string_view Name;
    std::string TCommandValues::*Value;
};

constexpr std::array<TPlaceholder, 6> kPlaceholders{{
    {"{file}", &TCommandValues::File},
    {"{dir}", &TCommandValues::Dir},
    {"{base}", &TCommandValues::Base},
    {"{image}", &TCommandValues::Image},
    {"{project}", &TCommandValues::Project},
    {"{options}", &TCommandValues::Options},
}};

const TPlaceholder* PlaceholderAt(const std::string& command, size_t pos) {
    for (const TPlaceholder& placeholder : kPlaceholders) {
        if (command.compare(pos, placeholder.Name.size(), placeholder.Name) == 0)
            return &placeholder;
    }
    return nullptr;
}

// Appends `value` so that the splitter gives it back literally inside quotes: 2n+1 backslashes
// before a quotation mark stand for n backslashes and the mark; when `closingQuoteFollows`, the
// backslashes at the end are doubled so the closing mark still closes.
void AppendEscaped(std::string& out, const std::string& value, bool closingQuoteFollows) {
    size_t backslashes = 0;
    for (char c : value) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            out.append(2 * backslashes + 1, '\\');
        } else {
            out.append(backslashes, '\\');
        }
        backslashes = 0;
        out.push_back(c);
    }
    out.append(closingQuoteFollows ? 2 * backslashes : backslashes, '\\');
}

}  // namespace

std::string DirectoryValue(const std::string& dir) {
    std::string value = dir;
    while (value.size() > 1 && (value.back() == '/' || value.back() == '\\')) value.pop_back();
    return value;
}

TCommandValues CommandValuesFor(const std::string& sourceDir, const std::string& sourceName,
                                const std::string& options, const std::string& projectDir) {
    TCommandValues values;
    values.File = sourceName;
    values.Dir = DirectoryValue(sourceDir);
    const std::string image = ImageName(sourceName);
    values.Base = image.substr(0, image.size() - 4);  // without ".pce"
    values.Image = sourceDir + image;
    values.Project = projectDir.empty() ? values.Dir : DirectoryValue(projectDir);
    values.Options = options;
    return values;
}

bool IsCommandTemplate(const std::string& command) {
    for (size_t pos = command.find('{'); pos != std::string::npos; pos = command.find('{', pos + 1))
        if (PlaceholderAt(command, pos) != nullptr) return true;
    return false;
}

std::string ExpandCommandTemplate(const std::string& command, const TCommandValues& values) {
    std::string out;
    bool inQuotes = false;
    for (size_t pos = 0; pos < command.size();) {
        const char c = command[pos];
        const TPlaceholder* placeholder = c == '{' ? PlaceholderAt(command, pos) : nullptr;
        if (placeholder == nullptr) {
            if (c == '"') inQuotes = !inQuotes;
            out.push_back(c);
            ++pos;
            continue;
        }
        pos += placeholder->Name.size();
        if (placeholder->Value == &TCommandValues::Options) {
            out += values.Options;
            continue;
        }
        const std::string value = PathNotOption(values.*(placeholder->Value));
        if (inQuotes) {
            AppendEscaped(out, value, pos < command.size() && command[pos] == '"');
        } else {
            out += QuoteArgument(value);
        }
    }
    return out;
}

std::string QuoteArgument(const std::string& value) {
    if (value.empty()) return "\"\"";
    if (value.find_first_of(" \t\"") == std::string::npos) return value;
    std::string out = "\"";
    AppendEscaped(out, value, true);
    out.push_back('"');
    return out;
}

std::string PathNotOption(const std::string& path) {
    return !path.empty() && path.front() == '-' ? "./" + path : path;
}

std::string PathArgument(const std::string& path) {
    return QuoteArgument(PathNotOption(path));
}
