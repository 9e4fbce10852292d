// The list of files opened or saved last, newest first, at most ten, kept in the configuration
// file (section "RECENT", keys "File1" to "File10"). Like every setting it is read anew at each
// use; a change rewrites the keys whose value changed, in one write of the file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "config/config_file.h"

inline constexpr std::size_t kRecentFilesMax = 10;

// The list with `path` moved (or added) to the front, without repeats, cut to `limit` entries.
std::vector<std::string> WithRecentFirst(std::vector<std::string> list, const std::string& path,
                                         std::size_t limit = kRecentFilesMax);

class TRecentFiles {
  public:
    // The configuration file of the current home directory, looked up at each call.
    TRecentFiles() = default;
    explicit TRecentFiles(std::string configPath) : m_configPath(std::move(configPath)) {}

    // The stored names, newest first; empty keys are skipped.
    std::vector<std::string> Items() const;
    // Puts the name first. Names that cannot stand in one line of the file are left out.
    void Add(const std::string& path);
    // Adds the names in order (the last ends first) with one write of the file.
    void AddAll(const std::vector<std::string>& paths);
    void Remove(const std::string& path);
    void Clear();

  private:
    TConfigFile File() const;
    // The ten keys as stored, empty ones included.
    std::vector<std::string> StoredKeys() const;
    // Writes the keys whose stored value differs from the new list's entry.
    void Store(const std::vector<std::string>& after);

    std::string m_configPath;
};
