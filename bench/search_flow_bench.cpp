// Search flow benchmarks on the 100 MB reference text in a real editor control: replace through
// the flow answered "Yes to all" at the first occurrence (undo recorded), Find next from the top
// when the only occurrence is on the last line, and opening the search dialog with full
// histories until it is shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWindow>
#include <memory>
#include <string>

#include "documents/search_flow.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "platform/qt/scripted_dialogs.h"
#include "qt_application.h"
#include "reference_input.h"
#include "search/qt/search_session.h"
#include "search/qt/text_search_dialog.h"
#include "search/search_settings.h"

namespace {

// Appended as the last line for Find next; the generated text never holds it, so the reference
// command (grep -c -F) reads the whole file for it just as the search does.
constexpr const char* kLastLineText = "quillon_marker";

// A document window's parts around a search flow: editor above a status bar.
struct FlowWindow {
    std::unique_ptr<QWidget> widget;
    TSynEdit* editor = nullptr;
    QStatusBar* statusBar = nullptr;
    std::unique_ptr<TSearchFlow> flow;

    explicit FlowWindow(TSearchSession& session) {
        EnsureQtApplication();
        widget = std::make_unique<QWidget>();
        editor = new TSynEdit(widget.get());
        statusBar = new QStatusBar(widget.get());
        auto* layout = new QVBoxLayout(widget.get());
        layout->addWidget(editor, 1);
        layout->addWidget(statusBar);
        widget->resize(618, 426);
        flow = std::make_unique<TSearchFlow>(*widget, *editor, *statusBar, session);
    }
    ~FlowWindow() {
        flow.reset();
        widget.reset();
    }
};

void BM_FlowReplaceYesToAll(benchmark::State& state) {
    TScriptedDialogs dialogs;
    TDialogsScope scope(dialogs);
    TSearchSession session;
    TSearchSettings& settings = session.Settings();
    settings = TSearchSettings{};
    settings.MatchCase = true;  // as the reference command's :s
    settings.FindText = "put_string";
    settings.ReplaceText = "PUT_STRING";
    int replaced = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<FlowWindow>(session);
        window->editor->Lines().LoadFromFile(ReferenceFilePath());
        window->editor->SetMaxUndo(2'000'000);
        dialogs.AnswerReplace(TReplaceAnswer::raAll);
        state.ResumeTiming();
        window->flow->RunSearch(true, false);
        state.PauseTiming();
        replaced = 0;
        for (int i = 0; i < window->editor->Lines().GetCount(); ++i)
            if (window->editor->Lines().GetView(i).find("PUT_STRING") != std::string::npos)
                ++replaced;
        if (dialogs.ReplaceConfirms.size() != 1u) state.SkipWithError("asked more than once");
        dialogs.ReplaceConfirms.clear();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["lines_replaced"] = replaced;
    settings = TSearchSettings{};
}
BENCHMARK(BM_FlowReplaceYesToAll)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FlowFindNextLastLine(benchmark::State& state) {
    TSearchSession session;
    FlowWindow window(session);
    window.editor->Lines().LoadFromFile(ReferenceFilePath());
    window.editor->Lines().Add(std::string("    ") + kLastLineText + "();");
    const int lastLine = window.editor->Lines().GetCount();
    TSearchSettings& settings = session.Settings();
    settings = TSearchSettings{};
    settings.FindText = kLastLineText;
    for (auto _ : state) {
        // A window whose dialog was never used searches from the top each time.
        window.flow->RunSearch(false, false);
        if (window.editor->BlockBegin().Line != lastLine) state.SkipWithError("not found");
    }
    settings = TSearchSettings{};
}
BENCHMARK(BM_FlowFindNextLastLine)->Unit(benchmark::kMillisecond);

// From the command to the search dialog shown on the screen with ten entries in each history.
void BM_SearchDialogOpen(benchmark::State& state) {
    TSearchSession session;
    FlowWindow window(session);
    window.widget->show();
    TSearchSettings& settings = session.Settings();
    settings = TSearchSettings{};
    for (int i = 0; i < 10; ++i) {
        const std::string entry = "put_string_" + std::to_string(i) + std::string(20, 'x');
        settings.FindHistory += (i > 0 ? "\r\n" : "") + entry;
        settings.ReplaceHistory += (i > 0 ? "\r\n" : "") + entry;
    }
    settings.FindText = "put_string_0";
    TScriptedDialogs dialogs;
    TDialogsScope scope(dialogs);
    bool shown = false;
    for (auto _ : state) {
        shown = false;
        dialogs.AnswerModal([&shown](QDialog& dialog) {
            dialog.show();
            QApplication::processEvents();
            shown = dialog.isVisible() && dialog.windowHandle() != nullptr &&
                    dialog.windowHandle()->isExposed();
            return TModalResult::mrCancel;
        });
        window.flow->actSearchExecute();
        if (!shown) state.SkipWithError("dialog not shown");
    }
    settings = TSearchSettings{};
}
BENCHMARK(BM_SearchDialogOpen)->Unit(benchmark::kMillisecond);

}  // namespace
