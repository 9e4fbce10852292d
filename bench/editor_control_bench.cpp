// Editor control benchmarks: a full repaint of a 200 x 60 page of highlighted C, opening the
// 100 MB reference file into the control (load, full highlighting, first paint), and a change
// to line 1 of that text that leaves the range states alone (rescan and repaint).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <memory>
#include <string>

#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "highlight/cpp_color_schemes.h"
#include "highlight/syn_cpp_syn.h"
#include "qt_application.h"
#include "reference_input.h"

namespace {

constexpr int kColumns = 200;
constexpr int kLines = 60;

// An editor whose text area shows exactly kColumns x kLines cells.
struct PageEditor {
    TSynCppSyn highlighter;
    std::unique_ptr<TSynEdit> edit;
    QImage image;

    PageEditor() {
        EnsureQtApplication();
        ApplyDocumentWindowColors(highlighter);
        edit = std::make_unique<TSynEdit>();
        edit->SetHighlighter(&highlighter);
        edit->Gutter().SetDigitCount(5);
        edit->Gutter().SetLeadingZeros(true);
        edit->Gutter().SetShowLineNumbers(true);
        edit->SetBorderStyle(bsNone);
        edit->SetScrollBars(ssNone);
        const int width = edit->GutterWidth() + 2 + kColumns * edit->CharWidth();
        const int height = kLines * edit->LineHeight();
        edit->resize(width, height);
        edit->setAttribute(Qt::WA_DontShowOnScreen);
        edit->show();  // a hidden widget lays out its viewport only when shown
        image = QImage(edit->viewport()->size(), QImage::Format_RGB32);
    }

    void Paint(const QRect& clip) {
        QPainter painter(&image);
        edit->PaintTo(painter, clip);
    }
};

void BM_EditorFullRepaint(benchmark::State& state) {
    PageEditor page;
    // Lines of highlighted C as wide as the page.
    std::string text = GenerateReferenceText(400'000, 7);
    TSynEditStringList& lines = page.edit->Lines();
    size_t start = 0;
    while (lines.GetCount() < 2 * kLines && start < text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end - start);
        while (line.size() < static_cast<size_t>(kColumns)) line += " put_string(\"x\", 10, 0x1F);";
        lines.Add(line);
        start = end + 1;
    }
    if (page.edit->CharsInWindow() != kColumns || page.edit->LinesInWindow() != kLines)
        state.SkipWithError(("page is " + std::to_string(page.edit->CharsInWindow()) + " x " +
                             std::to_string(page.edit->LinesInWindow()))
                                .c_str());
    const QRect all = page.image.rect();
    for (auto _ : state) {
        page.Paint(all);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EditorFullRepaint)->Unit(benchmark::kMillisecond);

void BM_EditorOpenReferenceFile(benchmark::State& state) {
    const std::string path = ReferenceFilePath();
    for (auto _ : state) {
        PageEditor page;
        page.edit->Lines().LoadFromFile(path);
        page.Paint(page.image.rect());
        benchmark::DoNotOptimize(page.image.bits());
        state.PauseTiming();
        page.edit.reset();  // freeing the text is not part of opening it
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditorOpenReferenceFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_EditorChangeFirstLine(benchmark::State& state) {
    PageEditor page;
    page.edit->Lines().LoadFromFile(ReferenceFilePath());
    page.Paint(page.image.rect());
    const QRect firstLine(0, 0, page.image.width(), page.edit->LineHeight());
    int n = 0;
    for (auto _ : state) {
        // Same range state before and after: only line 1 is rescanned and repainted.
        page.edit->Lines().Put(0, "int counter = " + std::to_string(n++) + ";");
        page.Paint(firstLine);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EditorChangeFirstLine)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// Typing one character at the start of line 1 of the reference text, from the key event to the
// end of the repaint of what it invalidated. Every other iteration is a Backspace that takes the
// character away again, so the text stays the same; each iteration is one key.
void BM_EditorTypeAtTop(benchmark::State& state) {
    PageEditor page;
    page.edit->Lines().LoadFromFile(ReferenceFilePath());
    page.edit->SetCaretXY({1, 1});
    page.Paint(page.image.rect());
    const QRect firstLine(0, 0, page.image.width(), page.edit->LineHeight());
    QKeyEvent typeX(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    bool type = true;
    for (auto _ : state) {
        QApplication::sendEvent(page.edit.get(), type ? &typeX : &backspace);
        page.Paint(firstLine);
        type = !type;
        benchmark::ClobberMemory();
    }
    if (page.edit->CaretX() > 2) state.SkipWithError("typing went astray");
}
BENCHMARK(BM_EditorTypeAtTop)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// The reference text with every block comment taken out (as in asset tables), cached on disk.
std::string ReferenceFileWithoutBlockComments() {
    const std::string source = ReferenceFilePath();
    const std::string path = source + ".noblock";
    if (QFile::exists(QString::fromStdString(path))) return path;
    QFile in(QString::fromStdString(source));
    if (!in.open(QIODevice::ReadOnly)) return source;
    std::string text = in.readAll().toStdString();
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (true) {
        const std::size_t open = text.find("/*", pos);
        if (open == std::string::npos) break;
        out.append(text, pos, open - pos);
        const std::size_t close = text.find("*/", open + 2);
        pos = close == std::string::npos ? open + 2 : close + 2;
    }
    out.append(text, pos, std::string::npos);
    QFile file(QString::fromStdString(path));
    if (file.open(QIODevice::WriteOnly)) file.write(out.data(), static_cast<qint64>(out.size()));
    return path;
}

// Typing "/" then "*" at the start of line 1 of the reference text without block comments,
// then deleting both again: each key opens or closes a comment over the whole text. One key
// per iteration, from the key event to the end of the repaint of line 1. Right after the first
// paint, and with every range state of the text computed first (as once idle work finished).
void TypeBlockCommentAtTop(benchmark::State& state, bool computed) {
    PageEditor page;
    page.edit->Lines().LoadFromFile(ReferenceFileWithoutBlockComments());
    page.edit->SetCaretXY({1, 1});
    page.Paint(page.image.rect());
    if (computed) page.edit->EnsureRanges(page.edit->Lines().GetCount() - 1);
    const QRect firstLine(0, 0, page.image.width(), page.edit->LineHeight());
    QKeyEvent slash(QEvent::KeyPress, Qt::Key_Slash, Qt::NoModifier, "/");
    QKeyEvent star(QEvent::KeyPress, Qt::Key_Asterisk, Qt::NoModifier, "*");
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QKeyEvent* keys[] = {&slash, &star, &backspace, &backspace};
    int n = 0;
    for (auto _ : state) {
        QApplication::sendEvent(page.edit.get(), keys[n++ % 4]);
        page.Paint(firstLine);
        benchmark::ClobberMemory();
    }
    if (page.edit->CaretX() > 3) state.SkipWithError("typing went astray");
}
void BM_EditorTypeBlockCommentAtTop(benchmark::State& state) {
    TypeBlockCommentAtTop(state, false);
}
BENCHMARK(BM_EditorTypeBlockCommentAtTop)->Unit(benchmark::kMicrosecond);

void BM_EditorTypeBlockCommentAtTopComputed(benchmark::State& state) {
    TypeBlockCommentAtTop(state, true);
}
BENCHMARK(BM_EditorTypeBlockCommentAtTopComputed)->Unit(benchmark::kMicrosecond);

// Right after opening the reference file and painting its first page: jump to the last line
// and paint the page there.
void BM_EditorJumpToEndAndPaint(benchmark::State& state) {
    const std::string path = ReferenceFilePath();
    for (auto _ : state) {
        state.PauseTiming();
        auto page = std::make_unique<PageEditor>();
        page->edit->Lines().LoadFromFile(path);
        page->Paint(page->image.rect());
        state.ResumeTiming();
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(page->edit.get(), &end);
        page->Paint(page->image.rect());
        benchmark::DoNotOptimize(page->image.bits());
        state.PauseTiming();
        if (page->edit->CaretY() != page->edit->Lines().GetCount())
            state.SkipWithError("the caret is not on the last line");
        page.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditorJumpToEndAndPaint)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
