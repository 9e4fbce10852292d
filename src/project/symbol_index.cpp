// Building and querying the symbol index.
#include "project/symbol_index.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include "project/file_mask.h"
#include "project/project_files.h"
#include "project/source_file.h"

TSymbolIndex::TSymbolIndex(std::string root) : m_root(std::move(root)) {
    if (m_root.empty()) m_root = "./";
    if (m_root.back() != '/') m_root += '/';
}

void TSymbolIndex::Build(std::stop_token stop, unsigned threads) {
    const std::vector<std::string> files =
        ListProjectFiles(m_root, TFileMask(kDefaultFileMask), stop);
    std::vector<std::vector<TSymbol>> scanned(files.size());
    std::atomic<std::size_t> next{0};
    auto work = [&](std::stop_token workerStop) {
        std::string text;
        for (;;) {
            if (stop.stop_requested() || workerStop.stop_requested()) return;
            const std::size_t index = next++;
            if (index >= files.size()) return;
            TFileKey key;
            if (ReadSourceFile(m_root + files[index], text, key) == TSourceRead::Ok)
                scanned[index] = ScanSymbols(files[index], text);
        }
    };
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    {
        std::vector<std::jthread> helpers;
        for (unsigned i = 1; i < threads && i < files.size(); ++i) helpers.emplace_back(work);
        work(stop);
    }
    if (stop.stop_requested()) return;
    std::map<std::string, std::vector<TSymbol>> built;
    for (std::size_t i = 0; i < files.size(); ++i)
        built.emplace(m_root + files[i], std::move(scanned[i]));
    std::unique_lock lock(m_mutex);
    m_files.swap(built);
}

void TSymbolIndex::UpdateFile(const std::string& path, std::string_view text) {
    std::vector<TSymbol> symbols = ScanSymbols(path, text);
    std::unique_lock lock(m_mutex);
    m_files[path] = std::move(symbols);
}

void TSymbolIndex::RemoveFile(const std::string& path) {
    std::unique_lock lock(m_mutex);
    m_files.erase(path);
}

std::vector<TSymbolLocation> TSymbolIndex::Find(std::string_view name) const {
    std::vector<TSymbolLocation> found;
    std::shared_lock lock(m_mutex);
    for (const auto& [path, symbols] : m_files) {
        for (const TSymbol& symbol : symbols) {
            if (symbol.Name == name) found.push_back({path, symbol});
        }
    }
    return found;
}

std::vector<TSymbolLocation> TSymbolIndex::All() const {
    std::vector<TSymbolLocation> all;
    std::shared_lock lock(m_mutex);
    for (const auto& [path, symbols] : m_files) {
        for (const TSymbol& symbol : symbols) all.push_back({path, symbol});
    }
    return all;
}

int TSymbolIndex::FileCount() const {
    std::shared_lock lock(m_mutex);
    return static_cast<int>(m_files.size());
}

std::string TSymbolIndex::ScopeAt(const std::string& path, int line) const {
    std::shared_lock lock(m_mutex);
    const auto file = m_files.find(path);
    if (file == m_files.end()) return {};
    std::string scope;
    for (const TSymbol& symbol : file->second) {
        if (symbol.Line > line) break;
        if (symbol.Kind == TSymbolKind::Label) scope = symbol.Name;
    }
    return scope;
}
