// Completion popup benchmarks: Ctrl+Space in an editor until the popup is painted, and one
// character typed into the open popup (preselection, the character in the editor, repaint),
// with the library list and with a generated list of 100,000 items.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <cctype>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "completion/completion_proposal.h"
#include "documents/library_completion_list.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "qt_application.h"

namespace {

// An editor with a few lines of C and the library popup attached, as in a document window.
struct CompletionBench {
    std::unique_ptr<TSynEdit> edit;
    std::unique_ptr<TSynCompletionProposal> proposal;

    explicit CompletionBench(std::vector<std::string> items) {
        EnsureQtApplication();
        edit = std::make_unique<TSynEdit>();
        edit->resize(600, 400);
        for (int i = 0; i < 40; ++i) edit->Lines().Add("    put_string(\"hello\", 1, 2);");
        edit->Lines().Add("    ");
        edit->show();
        edit->SetCaretXY({5, 41});
        proposal = std::make_unique<TSynCompletionProposal>();
        SetUpLibraryCompletion(*proposal, *edit);
        proposal->SetItemList(std::move(items));
        image = QImage(proposal->Form().size(), QImage::Format_RGB32);
        QApplication::processEvents();
    }
    ~CompletionBench() {
        proposal->Form().hide();
        proposal.reset();
    }

    void Send(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(target, &press);
    }
    void CtrlSpace() { Send(edit.get(), Qt::Key_Space, Qt::ControlModifier, " "); }
    void Type(char c) {
        // Qt's key code of a printable ASCII character is its upper-case code.
        const auto key = static_cast<Qt::Key>(std::toupper(static_cast<unsigned char>(c)));
        Send(&proposal->Form(), key, Qt::NoModifier, QString(QChar(c)));
    }
    void Backspace() { Send(&proposal->Form(), Qt::Key_Backspace, Qt::NoModifier, "\b"); }
    // Paints the popup as it shows now, as the event loop would before the next input.
    void Paint() {
        QPainter painter(&image);
        proposal->Form().PaintTo(painter);
    }

    QImage image;
};

void BM_CompletionCtrlSpace(benchmark::State& state) {
    CompletionBench bench(LibraryCompletionItems());
    for (auto _ : state) {
        bench.CtrlSpace();
        bench.Paint();
        state.PauseTiming();
        if (!bench.proposal->Form().isVisible()) state.SkipWithError("popup did not open");
        bench.proposal->Form().hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CompletionCtrlSpace)->Unit(benchmark::kMillisecond);

// Types `word` one character at a time into the open popup; every character is one iteration.
// After the word the text and the popup are put back with the clock stopped.
void TypeWords(benchmark::State& state, CompletionBench& bench, const std::string& word) {
    bench.CtrlSpace();
    bench.Paint();
    std::size_t typed = 0;
    for (auto _ : state) {
        bench.Type(word[typed]);
        bench.Paint();
        if (++typed == word.size()) {
            state.PauseTiming();
            if (bench.proposal->CurrentString() != word) state.SkipWithError("word not typed");
            for (; typed > 0; --typed) bench.Backspace();
            if (!bench.proposal->Form().isVisible()) state.SkipWithError("popup closed");
            state.ResumeTiming();
        }
    }
}

void BM_CompletionTypedChar(benchmark::State& state) {
    CompletionBench bench(LibraryCompletionItems());
    TypeWords(state, bench, "bm_setup_ptr");  // narrows down to the next-to-last item
}
BENCHMARK(BM_CompletionTypedChar)->Unit(benchmark::kMillisecond);

std::vector<std::string> GeneratedItems(int count) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(count));
    char buffer[64];
    for (int i = 0; i < count; ++i) {
        std::snprintf(buffer, sizeof buffer, "  call_%06d(int value, char *name);", i);
        items.emplace_back(buffer);
    }
    return items;
}

void BM_CompletionTypedChar100k(benchmark::State& state) {
    CompletionBench bench(GeneratedItems(100'000));
    // Every prefix of the last item's name: each character scans nearly the whole list.
    TypeWords(state, bench, "call_099999");
}
BENCHMARK(BM_CompletionTypedChar100k)->Unit(benchmark::kMillisecond);

// The worst case: a word that matches nothing scans all 100,000 items on every character.
void BM_CompletionTypedChar100kNoMatch(benchmark::State& state) {
    CompletionBench bench(GeneratedItems(100'000));
    TypeWords(state, bench, "xxxxx");
}
BENCHMARK(BM_CompletionTypedChar100kNoMatch)->Unit(benchmark::kMillisecond);

}  // namespace
