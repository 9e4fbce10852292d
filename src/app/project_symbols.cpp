// Building symbol indexes in the background and feeding them the open documents.
#include "app/project_symbols.h"

#include <QCoreApplication>
#include <filesystem>
#include <set>
#include <system_error>

#include "app/document_texts.h"
#include "app/main_window.h"
#include "documents/mdi_child.h"
#include "editor/qt/synedit.h"
#include "platform/qt/error_report.h"
#include "project/source_file.h"
#include "project/symbol_index.h"

struct TProjectSymbols::TProject {
    std::unique_ptr<TSymbolIndex> Index;
    bool Ready = false;
    std::vector<std::function<void(TSymbolIndex&)>> Waiting;
    // Files whose text came from a document window at the last use.
    std::set<std::string> FromWindows;
    // Touches only Index, which outlives it (joined before the project goes).
    std::jthread Builder;
};

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? std::filesystem::path(path) : absolute).lexically_normal().string();
}

TProjectSymbols::TProjectSymbols(TMainForm& form, QObject* parent)
    : QObject(parent), m_form(form) {}

TProjectSymbols::~TProjectSymbols() {
    for (auto& [root, project] : m_projects) {
        if (project->Builder.joinable()) {
            project->Builder.request_stop();
            project->Builder.join();
        }
    }
}

bool TProjectSymbols::WithIndex(const std::string& root, std::function<void(TSymbolIndex&)> ready) {
    const std::string key = AbsolutePath(root);
    std::unique_ptr<TProject>& project = m_projects[key];
    if (!project) {
        project = std::make_unique<TProject>();
        project->Index = std::make_unique<TSymbolIndex>(key);
        project->Builder =
            std::jthread([this, key, index = project->Index.get()](std::stop_token stop) {
                index->Build(stop);
                if (stop.stop_requested()) return;
                QMetaObject::invokeMethod(
                    this, [this, key] { BuildDone(key); }, Qt::QueuedConnection);
            });
    }
    if (!project->Ready) {
        // A newer request (F12 pressed again while the symbols are read) replaces the older.
        project->Waiting.clear();
        project->Waiting.push_back(std::move(ready));
        return false;
    }
    TakeOpenDocuments(*project);
    ready(*project->Index);
    return true;
}

void TProjectSymbols::BuildDone(const std::string& root) {
    const auto found = m_projects.find(root);
    if (found == m_projects.end()) return;
    TProject& project = *found->second;
    if (project.Builder.joinable()) project.Builder.join();
    project.Ready = true;
    TakeOpenDocuments(project);
    std::vector<std::function<void(TSymbolIndex&)>> waiting;
    waiting.swap(project.Waiting);
    for (auto& ready : waiting) RunCommand([&] { ready(*project.Index); });
}

void TProjectSymbols::TakeOpenDocuments(TProject& project) {
    TSymbolIndex& index = *project.Index;
    const std::string& root = index.Root();
    std::set<std::string> fromWindows;
    for (TMDIChild* document : DocumentWindows(m_form)) {
        if (document->SourcePath().empty()) continue;
        const std::string path = AbsolutePath(document->SourcePath());
        if (path.compare(0, root.size(), root) != 0) continue;
        index.UpdateFile(path, EditorText(*document->SynEditor()));
        fromWindows.insert(path);
    }
    std::string text;
    for (const std::string& path : project.FromWindows) {
        if (fromWindows.count(path) != 0) continue;
        TFileKey key;
        if (ReadSourceFile(path, text, key) == TSourceRead::Ok) {
            index.UpdateFile(path, text);
        } else {
            index.RemoveFile(path);
        }
    }
    project.FromWindows = std::move(fromWindows);
}

void TProjectSymbols::WaitForBuilds() {
    for (auto& [root, project] : m_projects) {
        if (project->Builder.joinable()) project->Builder.join();
    }
    QCoreApplication::sendPostedEvents(this);
}
