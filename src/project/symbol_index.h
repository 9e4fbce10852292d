// The symbols of a project: the definitions of every C and assembly file of a directory tree,
// built once (on several threads) and then kept up to date one file at a time. Queries and
// updates may come from any thread.
#pragma once

#include <map>
#include <shared_mutex>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "project/symbols.h"

struct TSymbolLocation {
    std::string Path;  // the file's full path
    TSymbol Symbol;
};

class TSymbolIndex {
  public:
    // root: the project directory; files are named by root + their relative path.
    explicit TSymbolIndex(std::string root);

    const std::string& Root() const { return m_root; }

    // Reads and scans every source file of the tree (the default mask), replacing what the
    // index held. A requested stop leaves the index as it was.
    void Build(std::stop_token stop = {}, unsigned threads = 0);
    // Scans one file's text (a document's, saved or not) in place of what the index held for it.
    void UpdateFile(const std::string& path, std::string_view text);
    void RemoveFile(const std::string& path);

    // Every definition of the name, files in path order.
    std::vector<TSymbolLocation> Find(std::string_view name) const;
    // Every definition of the project.
    std::vector<TSymbolLocation> All() const;
    int FileCount() const;
    // The global label a line of an assembly file lies under, empty when none.
    std::string ScopeAt(const std::string& path, int line) const;

  private:
    std::string m_root;
    mutable std::shared_mutex m_mutex;
    std::map<std::string, std::vector<TSymbol>> m_files;
};
