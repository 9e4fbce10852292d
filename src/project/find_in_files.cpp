// Sharing the files of a search among threads and passing the results on in walk order.
#include "project/find_in_files.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "project/file_mask.h"
#include "project/project_files.h"
#include "project/text_finder.h"

namespace {

// Longer lines are cut in the output; the position still leads to the whole line.
constexpr std::size_t kMaxShownLine = 500;

std::string WithSlash(std::string directory) {
    if (directory.empty()) return "./";
    if (directory.back() != '/') directory += '/';
    return directory;
}

}  // namespace

std::string FindSummary(int matches, int files) {
    return std::to_string(matches) + (matches == 1 ? " match in " : " matches in ") +
           std::to_string(files) + (files == 1 ? " file" : " files");
}

std::string FindResultLine(const std::string& path, const TLineMatch& match) {
    return path + ":" + std::to_string(match.Line) + ":" + std::to_string(match.Column) + ": " +
           match.Text;
}

TFindInFiles::TFindInFiles(TFindInFilesOptions options, TTextOverrides overrides)
    : m_options(std::move(options)), m_overrides(std::move(overrides)) {}

void TFindInFiles::Run(std::stop_token stop, const std::function<void(TFileMatches&&)>& found,
                       unsigned threads) {
    const std::string root = WithSlash(m_options.Directory);
    const std::vector<std::string> files = ListProjectFiles(root, TFileMask(m_options.Mask), stop);
    m_filesListed = static_cast<int>(files.size());
    if (m_options.Text.empty() || files.empty()) return;

    // Results wait in their slot until every earlier file is done, so they come in walk order.
    std::vector<std::optional<TFileMatches>> slots(files.size());
    std::size_t nextToReport = 0;
    std::mutex reportMutex;
    std::atomic<std::size_t> nextFile{0};

    auto work = [&](std::stop_token workerStop) {
        TTextFinder finder(m_options.Text, m_options.MatchCase, m_options.WholeWords);
        std::string buffer;
        for (;;) {
            if (stop.stop_requested() || workerStop.stop_requested()) return;
            const std::size_t index = nextFile++;
            if (index >= files.size()) return;
            TFileMatches result{files[index], {}};
            TFileKey key;
            const TSourceRead read = ReadSourceFile(root + files[index], buffer, key);
            const std::string* text = nullptr;
            if (auto replaced = m_overrides.find(key); replaced != m_overrides.end()) {
                if (read == TSourceRead::Ok || read == TSourceRead::Binary ||
                    read == TSourceRead::TooLarge)
                    text = &replaced->second;
            } else if (read == TSourceRead::Ok) {
                text = &buffer;
            }
            if (text != nullptr) {
                finder.FindAll(*text, [&](const TTextMatch& match) {
                    result.Matches.push_back(
                        TLineMatch{match.Line, match.Column,
                                   std::string(match.LineText.substr(0, kMaxShownLine))});
                });
            }
            ++m_filesSearched;
            std::lock_guard lock(reportMutex);
            slots[index] = std::move(result);
            while (nextToReport < slots.size() && slots[nextToReport]) {
                TFileMatches& ready = *slots[nextToReport];
                if (!ready.Matches.empty()) {
                    m_matchCount += static_cast<int>(ready.Matches.size());
                    ++m_fileCount;
                    found(std::move(ready));
                }
                slots[nextToReport].reset();
                ++nextToReport;
            }
        }
    };

    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, files.size()));
    std::vector<std::jthread> helpers;
    for (unsigned i = 1; i < threads; ++i) helpers.emplace_back(work);
    work(stop);
    for (std::jthread& helper : helpers) helper.join();
}
