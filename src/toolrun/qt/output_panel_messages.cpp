// Message lines of the output panel: reading, marking, stepping and double clicks.
#include "toolrun/qt/output_panel_messages.h"

#include <QEvent>
#include <QMouseEvent>
#include <algorithm>

#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "platform/qt/error_report.h"

TOutputPanelMessages::TOutputPanelMessages(TSynEdit& memo, QObject* parent)
    : QObject(parent), m_memo(memo), m_viewport(memo.viewport()) {
    m_memo.viewport()->installEventFilter(this);
    m_memo.OnSpecialLineColors = [this](TCustomSynEdit*, int line, int32_t& fg, int32_t& bg) {
        if (m_currentLine < 0 || line != m_currentLine + 1) return false;
        fg = kCurrentForeground;
        bg = kCurrentBackground;
        return true;
    };
    m_memo.OnChange = [this](TCustomSynEdit*) { TextChanged(); };
}

TToolMessageList& TOutputPanelMessages::List() {
    if (m_stale) {
        const TSynEditStringList& lines = m_memo.Lines();
        const int current = m_list.Current() >= 0 ? m_currentLine : -1;
        m_list.Parse(lines.GetCount(), [&lines](int i) { return lines.GetView(i); });
        m_list.SetCurrent(m_list.IndexOfOutputLine(current));
        m_stale = false;
    }
    return m_list;
}

void TOutputPanelMessages::BuildFinished(const std::string& sourceDir,
                                         const std::string& builtFile) {
    m_buildDir = sourceDir;
    m_stale = true;
    TToolMessageList& list = List();
    MakeCurrent(-1);
    list.SetCurrent(-1);
    if (list.Count() > 0) m_memo.SetTopLine(list.At(0).OutputLine + 1);
    if (OnBuildFinished) OnBuildFinished(builtFile, list);
}

void TOutputPanelMessages::SetMessageDir(const std::string& directory) {
    m_buildDir = directory;
    m_stale = true;
    MakeCurrent(-1);
    m_list.Clear();
}

bool TOutputPanelMessages::Step(int delta) {
    TToolMessageList& list = List();
    const int index = list.Step(delta);
    if (index < 0) return false;
    MakeCurrent(index);
    return true;
}

bool TOutputPanelMessages::ChooseLine(int outputLine) {
    TToolMessageList& list = List();
    const int index = list.IndexOfOutputLine(outputLine);
    if (index < 0) return false;
    list.SetCurrent(index);
    MakeCurrent(index);
    return true;
}

void TOutputPanelMessages::MakeCurrent(int index) {
    const int old = m_currentLine;
    m_currentLine = index >= 0 ? m_list.At(index).OutputLine : -1;
    if (old >= 0) m_memo.InvalidateLines(old + 1, old + 1);
    if (index < 0) return;
    ShowLine(m_currentLine);
    m_memo.InvalidateLines(m_currentLine + 1, m_currentLine + 1);
    if (OnMessageChosen) OnMessageChosen(m_list.At(index));
}

// Scrolls the panel so that the line is in view, a little below the top when it was not.
void TOutputPanelMessages::ShowLine(int outputLine) {
    const int line = outputLine + 1;
    const int visible = std::max(1, m_memo.LinesInWindow());
    if (line < m_memo.TopLine() || line >= m_memo.TopLine() + visible) {
        m_memo.SetTopLine(line - std::min(2, visible / 3));
    }
}

bool TOutputPanelMessages::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_viewport && event->type() == QEvent::MouseButtonDblClick) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QPoint at = mouse->position().toPoint();
            const int line = m_memo.PixelsToRowColumn(at.x(), at.y()).Line;
            bool taken = false;
            // Lines without a position keep the editor's own word selection.
            if (line >= 1 && line <= m_memo.Lines().GetCount()) {
                RunCommand([&] { taken = ChooseLine(line - 1); });
            }
            if (taken) return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
