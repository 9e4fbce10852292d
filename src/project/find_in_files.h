// Find in Files: a text searched in every file of a directory tree that fits a mask, the files
// shared out among worker threads and their results handed on in the order of the walk.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <stop_token>
#include <string>
#include <vector>

#include "project/source_file.h"

struct TFindInFilesOptions {
    std::string Directory;  // the tree's root
    std::string Mask;       // file name patterns, see TFileMask
    std::string Text;
    bool MatchCase = false;
    bool WholeWords = false;
};

struct TLineMatch {
    int Line = 0;
    int Column = 0;
    std::string Text;  // the line holding the occurrence
};

// The occurrences in one file; Path is relative to the searched directory.
struct TFileMatches {
    std::string Path;
    std::vector<TLineMatch> Matches;
};

// Texts that take the place of files: a document window's unsaved text, lines joined by LF.
using TTextOverrides = std::map<TFileKey, std::string>;

class TFindInFiles {
  public:
    TFindInFiles(TFindInFilesOptions options, TTextOverrides overrides = {});

    // Searches the tree on the calling thread and up to threads - 1 helpers (0: one per core),
    // all joined before it returns. found receives each file with occurrences, in the walk's
    // order, one call at a time. A requested stop ends the search soon; found then has had a
    // leading part of the results.
    void Run(std::stop_token stop, const std::function<void(TFileMatches&&)>& found,
             unsigned threads = 0);

    // Progress and totals, readable from any thread while Run works.
    int FilesListed() const { return m_filesListed; }
    int FilesSearched() const { return m_filesSearched; }
    int MatchCount() const { return m_matchCount; }
    int FileCount() const { return m_fileCount; }

  private:
    TFindInFilesOptions m_options;
    TTextOverrides m_overrides;
    std::atomic<int> m_filesListed{0};
    std::atomic<int> m_filesSearched{0};
    std::atomic<int> m_matchCount{0};
    std::atomic<int> m_fileCount{0};
};

// The summary line: "N matches in M files".
std::string FindSummary(int matches, int files);
// One result line of the output: "path:line:col: text".
std::string FindResultLine(const std::string& path, const TLineMatch& match);
