// File stamps, message file rotation and captured text for the build commands.
#include "toolrun/tool_output.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/user_directories.h"
#include "toolrun/build_messages.h"
#include "toolrun/output_panel.h"

TFileStamp StampOf(const std::string& path) {
    return ReadFileStamp(path);
}

bool WrittenSince(const TFileStamp& before, const TFileStamp& after) {
    return after.Exists && !(before == after);
}

void RotateOutputFile(const std::string& dir) {
    std::error_code error;
    const std::filesystem::path output{dir + std::string(kOutputFile)};
    if (std::filesystem::is_regular_file(output, error))
        std::filesystem::rename(output, std::filesystem::path{dir + std::string(kOldOutputFile)},
                                error);
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return static_cast<bool>(out);
}

std::string WriteToolLog(const std::string& text) {
    std::error_code error;
    const std::filesystem::path directory(ProgramCacheDirectory());
    std::filesystem::create_directories(directory, error);
    if (error) return {};
    const std::filesystem::path log = directory / "output.log";
    if (std::filesystem::is_regular_file(log, error))
        std::filesystem::rename(log, directory / "oldoutput.log", error);
    return WriteTextFile(log.string(), text) ? log.string() : std::string();
}

void ShowTextInPanel(IOutputPanel& panel, const std::string& text) {
    panel.ClearText();
    AddTextToPanel(panel, text);
}

void AddTextToPanel(IOutputPanel& panel, const std::string& text) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos) end = text.size();
        size_t lineEnd = end;
        if (lineEnd > start && text[lineEnd - 1] == '\r') --lineEnd;
        panel.AddLine(text.substr(start, lineEnd - start));
        start = next;
    }
}
