// The in-memory settings store and its text file form.
#include "highlight/settings_store.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

constexpr std::size_t kMaxKeyNameLength = 255;

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// Splits a key path into names; false when the path names no key.
bool SplitPath(std::string_view path, std::vector<std::string_view>& names) {
    names.clear();
    if (!path.empty() && path.front() == '\\') path.remove_prefix(1);
    if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    if (path.empty()) return true;
    while (true) {
        std::size_t sep = path.find('\\');
        std::string_view name = path.substr(0, sep);
        if (name.empty() || name.size() > kMaxKeyNameLength) return false;
        names.push_back(name);
        if (sep == std::string_view::npos) return true;
        path.remove_prefix(sep + 1);
    }
}

bool NeedsEscape(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '%' || c == '=' || c == '[' || c == ']';
}

void AppendEscaped(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        if (NeedsEscape(c)) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += ch;
        }
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool Unescape(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return false;
        int high = HexDigit(text[i + 1]);
        int low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0) return false;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

void SaveKey(const TSettingsKey& key, const std::string& path, bool writeHeader, std::string& out) {
    if (writeHeader) {
        out += '[';
        out += path;
        out += "]\n";
    }
    for (const auto& [name, value] : key.Values()) {
        AppendEscaped(out, name);
        if (const auto* number = std::get_if<std::int32_t>(&value)) {
            out += "=i:";
            out += std::to_string(*number);
        } else {
            out += "=s:";
            AppendEscaped(out, std::get<std::string>(value));
        }
        out += '\n';
    }
    for (const auto& [name, subKey] : key.SubKeys()) {
        std::string subPath = path;
        if (!subPath.empty()) subPath += '\\';
        AppendEscaped(subPath, name);
        SaveKey(*subKey, subPath, true, out);
    }
}

[[noreturn]] void MalformedLine(std::size_t lineNumber) {
    throw ESettingsStoreError("Invalid settings line " + std::to_string(lineNumber));
}

}  // namespace

bool TSettingsNameLess::operator()(std::string_view a, std::string_view b) const {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char ca = FoldAscii(static_cast<unsigned char>(a[i]));
        unsigned char cb = FoldAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    return a.size() < b.size();
}

TSettingsKey* TSettingsKey::SubKey(std::string_view name) const {
    auto it = m_subKeys.find(name);
    return it == m_subKeys.end() ? nullptr : it->second.get();
}

TSettingsKey& TSettingsKey::CreateSubKey(std::string_view name) {
    auto it = m_subKeys.find(name);
    if (it == m_subKeys.end())
        it = m_subKeys.emplace(std::string(name), std::make_unique<TSettingsKey>()).first;
    return *it->second;
}

bool TSettingsKey::DeleteSubKey(std::string_view name) {
    auto it = m_subKeys.find(name);
    if (it == m_subKeys.end()) return false;
    m_subKeys.erase(it);
    return true;
}

const TSettingsValue* TSettingsKey::Value(std::string_view name) const {
    auto it = m_values.find(name);
    return it == m_values.end() ? nullptr : &it->second;
}

void TSettingsKey::SetValue(std::string_view name, TSettingsValue value) {
    auto it = m_values.find(name);
    if (it == m_values.end())
        m_values.emplace(std::string(name), std::move(value));
    else
        it->second = std::move(value);
}

bool TSettingsKey::DeleteValue(std::string_view name) {
    auto it = m_values.find(name);
    if (it == m_values.end()) return false;
    m_values.erase(it);
    return true;
}

TSettingsStore::TSettingsStore() : m_root(std::make_unique<TSettingsKey>()) {}

TSettingsKey* TSettingsStore::FindKey(std::string_view path) const {
    std::vector<std::string_view> names;
    if (!SplitPath(path, names)) return nullptr;
    TSettingsKey* key = m_root.get();
    for (std::string_view name : names) {
        key = key->SubKey(name);
        if (!key) return nullptr;
    }
    return key;
}

TSettingsKey* TSettingsStore::CreateKey(std::string_view path) {
    std::vector<std::string_view> names;
    if (!SplitPath(path, names)) return nullptr;
    TSettingsKey* key = m_root.get();
    for (std::string_view name : names) key = &key->CreateSubKey(name);
    return key;
}

void TSettingsStore::Clear() {
    m_root = std::make_unique<TSettingsKey>();
}

std::string TSettingsStore::SaveToText() const {
    std::string out;
    SaveKey(*m_root, std::string(), !m_root->Values().empty(), out);
    return out;
}

void TSettingsStore::LoadFromText(std::string_view text) {
    TSettingsStore loaded;
    TSettingsKey* key = &loaded.Root();
    std::size_t lineNumber = 0;
    std::string name;
    std::string decoded;
    while (!text.empty()) {
        ++lineNumber;
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == ';') continue;

        if (line.front() == '[') {
            if (line.back() != ']') MalformedLine(lineNumber);
            std::string_view escapedPath = line.substr(1, line.size() - 2);
            // Names are unescaped one by one so that an escaped character never splits a path.
            key = &loaded.Root();
            while (!escapedPath.empty()) {
                std::size_t sep = escapedPath.find('\\');
                if (!Unescape(escapedPath.substr(0, sep), decoded) || decoded.empty() ||
                    decoded.size() > kMaxKeyNameLength)
                    MalformedLine(lineNumber);
                key = &key->CreateSubKey(decoded);
                if (sep == std::string_view::npos) break;
                escapedPath.remove_prefix(sep + 1);
                if (escapedPath.empty()) MalformedLine(lineNumber);
            }
            continue;
        }

        std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || line.size() < equals + 3 ||
            line[equals + 2] != ':' || !Unescape(line.substr(0, equals), name))
            MalformedLine(lineNumber);
        std::string_view data = line.substr(equals + 3);
        if (line[equals + 1] == 'i') {
            std::int32_t number = 0;
            auto [ptr, ec] = std::from_chars(data.data(), data.data() + data.size(), number);
            if (ec != std::errc() || ptr != data.data() + data.size() || data.empty())
                MalformedLine(lineNumber);
            key->SetValue(name, number);
        } else if (line[equals + 1] == 's') {
            if (!Unescape(data, decoded)) MalformedLine(lineNumber);
            key->SetValue(name, decoded);
        } else {
            MalformedLine(lineNumber);
        }
    }
    m_root = std::move(loaded.m_root);
}

void TSettingsStore::SaveToFile(const std::string& fileName) const {
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    std::string text = SaveToText();
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (!file) throw ESettingsStoreError("Unable to write to " + fileName);
}

void TSettingsStore::LoadFromFile(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) throw ESettingsStoreError("Cannot open file \"" + fileName + "\"");
    std::ostringstream buffer;
    buffer << file.rdbuf();
    if (file.bad()) throw ESettingsStoreError("Cannot read file \"" + fileName + "\"");
    LoadFromText(buffer.str());
}
