// Session file format, reading and writing.
#include "config/session_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <sstream>

#include "platform/file_stamp.h"
#include "platform/safe_file.h"
#include "platform/user_directories.h"

namespace {

constexpr std::string_view kSessionSection = "[Session]";
constexpr std::string_view kDocumentSection = "[Document]";

bool OneLine(std::string_view text) {
    return text.find_first_of("\r\n") == std::string_view::npos;
}

// Reads comma-separated integers into the given places; places past the text keep their value.
void ReadNumbers(std::string_view text, std::initializer_list<int*> places, char separator = ',') {
    for (int* place : places) {
        const std::size_t end = std::min(text.find(separator), text.size());
        int value = 0;
        const std::string_view piece = text.substr(0, end);
        const auto [ptr, error] = std::from_chars(piece.data(), piece.data() + piece.size(), value);
        if (error == std::errc() && ptr == piece.data() + piece.size()) *place = value;
        if (end == text.size()) return;
        text.remove_prefix(end + 1);
    }
}

std::vector<TSessionBookmark> ReadBookmarks(std::string_view text) {
    std::vector<TSessionBookmark> marks;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(';'), text.size());
        TSessionBookmark mark;
        mark.Number = -1;
        ReadNumbers(text.substr(0, end), {&mark.Number, &mark.Column, &mark.Line}, ':');
        if (mark.Number >= 0 && mark.Number <= 9) marks.push_back(mark);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return marks;
}

}  // namespace

std::string SessionFilePath() {
    return HomeDirectory() + ".quillon-session";
}

std::string FormatSession(const TSession& session) {
    std::ostringstream out;
    int active = -1;
    std::vector<const TSessionDocument*> written;
    for (std::size_t i = 0; i < session.Documents.size(); ++i) {
        const TSessionDocument& document = session.Documents[i];
        if (document.Path.empty() || !OneLine(document.Path)) continue;
        if (static_cast<int>(i) == session.Active) active = static_cast<int>(written.size());
        written.push_back(&document);
    }
    out << kSessionSection << '\n' << "Active=" << active << '\n';
    for (const TSessionDocument* document : written) {
        out << '\n' << kDocumentSection << '\n';
        out << "Path=" << document->Path << '\n';
        out << "Caret=" << document->CaretX << ',' << document->CaretY << '\n';
        out << "TopLine=" << document->TopLine << '\n';
        out << "State=" << document->WindowState << '\n';
        out << "Bounds=" << document->Left << ',' << document->Top << ',' << document->Width << ','
            << document->Height << '\n';
        out << "Stack=" << document->Stack << '\n';
        out << "Bookmarks=";
        for (std::size_t i = 0; i < document->Bookmarks.size(); ++i) {
            const TSessionBookmark& mark = document->Bookmarks[i];
            out << (i > 0 ? ";" : "") << mark.Number << ':' << mark.Column << ':' << mark.Line;
        }
        out << '\n';
    }
    return out.str();
}

TSession ParseSession(std::string_view text) {
    TSession session;
    int active = -1;
    std::vector<TSessionDocument> documents;
    TSessionDocument* current = nullptr;
    bool inSession = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line == kSessionSection) {
            inSession = true;
            current = nullptr;
            continue;
        }
        if (line == kDocumentSection) {
            inSession = false;
            current = &documents.emplace_back();
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        if (inSession) {
            if (key == "Active") ReadNumbers(value, {&active});
        } else if (current != nullptr) {
            if (key == "Path")
                current->Path = std::string(value);
            else if (key == "Caret")
                ReadNumbers(value, {&current->CaretX, &current->CaretY});
            else if (key == "TopLine")
                ReadNumbers(value, {&current->TopLine});
            else if (key == "State")
                ReadNumbers(value, {&current->WindowState});
            else if (key == "Bounds")
                ReadNumbers(value,
                            {&current->Left, &current->Top, &current->Width, &current->Height});
            else if (key == "Stack")
                ReadNumbers(value, {&current->Stack});
            else if (key == "Bookmarks")
                current->Bookmarks = ReadBookmarks(value);
        }
    }
    for (std::size_t i = 0; i < documents.size(); ++i) {
        if (documents[i].Path.empty()) continue;
        if (static_cast<int>(i) == active)
            session.Active = static_cast<int>(session.Documents.size());
        session.Documents.push_back(std::move(documents[i]));
    }
    return session;
}

TSession ReadSessionFile(const std::string& fileName) {
    // Only a regular file is read: a pipe of that name must not hold up the start.
    if (!ReadFileStamp(fileName).Exists) return {};
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return {};
    std::ostringstream text;
    text << in.rdbuf();
    return ParseSession(text.str());
}

void WriteSessionFile(const std::string& fileName, const TSession& session) {
    const std::string text = FormatSession(session);
    WriteFileSafely(fileName, [&text](const std::string& tempName) {
        std::ofstream out(tempName, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) throw EFileError("Cannot write " + tempName, errno);
    });
}
