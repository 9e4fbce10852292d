// Collecting the project's and the compiler's names for a document's completion.
#include "app/completion_names.h"

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <memory>

#include "app/compiler_header_symbols.h"
#include "app/project_symbols.h"
#include "config/config_file.h"
#include "documents/mdi_child.h"
#include "project/compiler_headers.h"
#include "project/project_directory.h"
#include "project/symbol_index.h"

namespace {

TCompletionName NameOf(const TSymbolLocation& location) {
    const std::string file = std::filesystem::path(location.Path).filename().string();
    // "\xB7" is the middle dot of the code page.
    return {location.Symbol.Name,
            std::string(SymbolKindName(location.Symbol.Kind)) + " \xB7 " + file};
}

std::string CompilerTargetOfConfiguration() {
    return CompilerTarget(TConfigFile().ReadForCommand(ckCompiler));
}

}  // namespace

TCompletionNames::TCompletionNames(TProjectSymbols& symbols, TCompilerHeaderSymbols& headers)
    : m_symbols(symbols), m_headers(headers), m_context(std::make_unique<QObject>()) {}

TCompletionNames::~TCompletionNames() = default;

void TCompletionNames::Attach(TMDIChild& document) {
    QPointer<TMDIChild> guard(&document);
    document.CodeCompletion().SetNameSource([this, guard]() -> std::vector<TCompletionName> {
        if (!guard) return {};
        return NamesFor(*guard);
    });
    // Finding the compiler reads the settings and searches the path: done once for the windows
    // a batch opens together (a thousand files from the command line), after they are made.
    if (m_readAheadPosted) return;
    m_readAheadPosted = true;
    QMetaObject::invokeMethod(
        m_context.get(),
        [this] {
            m_readAheadPosted = false;
            m_headers.Symbols(TCompilerHeaderSymbols::ConfiguredIncludeDirectory(),
                              CompilerTargetOfConfiguration(), nullptr);
        },
        Qt::QueuedConnection);
}

std::vector<TCompletionName> TCompletionNames::NamesFor(TMDIChild& document) {
    std::vector<TCompletionName> names;
    QPointer<TMDIChild> guard(&document);
    const auto refresh = [guard] {
        if (guard) guard->CodeCompletion().Refresh();
    };
    // A window without a file has no project: the current directory could be any tree.
    if (!document.SourcePath().empty()) {
        const std::string root = ProjectDirectoryOf(AbsolutePath(document.SourcePath()));
        // Called now when the index is built, else later, when the names only refresh the popup.
        auto now = std::make_shared<bool>(true);
        m_symbols.WithIndex(root, [&names, now, refresh](TSymbolIndex& index) {
            if (!*now) {
                refresh();
                return;
            }
            for (const TSymbolLocation& location : index.All()) {
                // A local label belongs to the code under its label, not to the whole project.
                if (location.Symbol.Kind == TSymbolKind::LocalLabel) continue;
                names.push_back(NameOf(location));
            }
        });
        *now = false;
    }
    const auto headers = m_headers.Symbols(TCompilerHeaderSymbols::ConfiguredIncludeDirectory(),
                                           CompilerTargetOfConfiguration(), refresh);
    if (headers) {
        names.reserve(names.size() + headers->size());
        for (const TSymbolLocation& location : *headers) names.push_back(NameOf(location));
    }
    return names;
}
