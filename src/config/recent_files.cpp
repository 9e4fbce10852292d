// The recent-file list in the configuration file.
#include "config/recent_files.h"

#include <algorithm>

#include "platform/profile.h"

namespace {

constexpr std::string_view kRecentSection = "RECENT";

std::string KeyName(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

}  // namespace

std::vector<std::string> WithRecentFirst(std::vector<std::string> list, const std::string& path,
                                         std::size_t limit) {
    std::erase(list, path);
    list.insert(list.begin(), path);
    if (list.size() > limit) list.resize(limit);
    return list;
}

TConfigFile TRecentFiles::File() const {
    return m_configPath.empty() ? TConfigFile() : TConfigFile(m_configPath);
}

std::vector<std::string> TRecentFiles::StoredKeys() const {
    const std::string path = File().Path();
    std::vector<std::string> names;
    for (std::size_t i = 0; i < kRecentFilesMax; ++i) names.push_back(KeyName(i));
    std::vector<TProfileRead> reads;
    for (const std::string& name : names) reads.push_back({kRecentSection, name, ""});
    return ReadProfileStrings(path, reads);
}

std::vector<std::string> TRecentFiles::Items() const {
    std::vector<std::string> items;
    for (std::string& value : StoredKeys()) {
        if (!value.empty() && std::find(items.begin(), items.end(), value) == items.end())
            items.push_back(std::move(value));
    }
    return items;
}

namespace {

// A name the file cannot hold whole would come back as another name.
bool StorableName(const std::string& path) {
    if (path.empty() || HoldsLineBreak(path) || path.size() > kProfileValueMaxLength) return false;
    return path.front() != ' ' && path.back() != ' ' && path.front() != '\t' && path.back() != '\t';
}

}  // namespace

void TRecentFiles::Add(const std::string& path) {
    if (!StorableName(path)) return;
    Store(WithRecentFirst(Items(), path));
}

void TRecentFiles::AddAll(const std::vector<std::string>& paths) {
    std::vector<std::string> items = Items();
    bool changed = false;
    for (const std::string& path : paths) {
        if (!StorableName(path)) continue;
        items = WithRecentFirst(std::move(items), path);
        changed = true;
    }
    if (changed) Store(items);
}

void TRecentFiles::Remove(const std::string& path) {
    std::vector<std::string> after = Items();
    std::erase(after, path);
    Store(after);
}

void TRecentFiles::Clear() {
    Store({});
}

void TRecentFiles::Store(const std::vector<std::string>& after) {
    const std::string path = File().Path();
    const std::vector<std::string> before = StoredKeys();
    std::vector<std::string> keys;
    std::vector<std::pair<std::string_view, std::string_view>> changes;
    keys.reserve(kRecentFilesMax);
    for (std::size_t i = 0; i < kRecentFilesMax; ++i) {
        const std::string_view now = i < after.size() ? std::string_view(after[i]) : "";
        if (before[i] == now) continue;
        keys.push_back(KeyName(i));
        changes.emplace_back(keys.back(), now);
    }
    if (!changes.empty()) WriteProfileStrings(path, kRecentSection, changes);
}
