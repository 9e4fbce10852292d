// The editor's view: metrics, top line and left column, scroll bars (with the 32767 scaling of
// long texts), scroll messages, the mouse wheel, the paint lock, invalidation and the conversion
// between pixels and text positions.
#include "editor/synedit_viewport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "editor/lines_by_number.h"
#include "editor/string_list.h"

namespace {
constexpr int kMaxScrollRange = 32767;

// Display width of the first `count` characters of a line, tabs expanded; characters past the
// line end count one column each.
int DisplayWidth(std::string_view text, int count, int tabWidth) {
    if (count <= 0) return 0;
    // Between two tabs every character is a column: the walk jumps from tab to tab, so a caret
    // far into a long line costs a search for tabs, not a step per character.
    const std::size_t inText = std::min(static_cast<std::size_t>(count), text.size());
    std::size_t width = 0;
    std::size_t at = 0;
    while (at < inText) {
        const auto* tab =
            static_cast<const char*>(std::memchr(text.data() + at, '\t', inText - at));
        const std::size_t next = tab ? static_cast<std::size_t>(tab - text.data()) : inText;
        width += next - at;
        if (!tab) break;
        width += static_cast<std::size_t>(tabWidth) - width % static_cast<std::size_t>(tabWidth);
        at = next + 1;
    }
    return static_cast<int>(width + (static_cast<std::size_t>(count) - inText));
}
}  // namespace

TSynViewport::TSynViewport(const TSynEditorSettings& settings, ISynEditorHost& host,
                           TSynEditStringList& lines, ISynEditWindow* window)
    : m_settings(settings), m_host(host), m_lines(lines), m_window(window) {}

bool TSynViewport::WindowReady() const {
    return m_window && m_window->HandleAllocated();
}

// ---------------------------------------------------------------- metrics

void TSynViewport::SetCellSize(int charWidth, int charHeight) {
    m_charWidth = std::max(1, charWidth);
    m_charHeight = std::max(1, charHeight);
    m_lineHeight = std::max(1, m_charHeight + m_extraLineSpacing);
}

void TSynViewport::SizeChanged() {
    if (m_window) {
        m_charsInWindow = std::max(0, (m_window->ClientWidth() - m_gutterWidth - 2) / m_charWidth);
        m_linesInWindow = std::max(0, m_window->ClientHeight() / m_lineHeight);
    }
    UpdateScrollBars();
    if (!HasOption(eoScrollPastEol)) SetLeftChar(m_leftChar);
    if (!HasOption(eoScrollPastEof)) SetTopLine(m_topLine);
}

void TSynViewport::SetGutterWidth(int value) {
    value = std::max(0, value);
    if (value == m_gutterWidth) return;
    m_gutterWidth = value;
    m_textOffset = m_gutterWidth + 2 - (m_leftChar - 1) * m_charWidth;
    if (WindowReady()) {
        m_charsInWindow = std::max(0, (m_window->ClientWidth() - m_gutterWidth - 2) / m_charWidth);
        UpdateScrollBars();
        Invalidate();
    }
}

int TSynViewport::ColumnLimit() const {
    return std::max(m_settings.MaxLeftChar, m_lines.LongestLineLength() + 1);
}

// ---------------------------------------------------------------- position

void TSynViewport::SetTopLine(int value) {
    int count = m_lines.GetCount();
    int limit = HasOption(eoScrollPastEof) ? count : count - m_linesInWindow + 1;
    value = std::clamp(value, 1, std::max(1, limit));
    if (value == m_topLine) return;
    int delta = m_topLine - value;
    m_topLine = value;
    UpdateScrollBars();
    if (m_paintLock > 0) {
        // Under the paint lock (Replace All) the view is painted once when the lock ends,
        // instead of moving the window's pixels for every step.
        m_scrolledWhileLocked = true;
    } else if (WindowReady()) {
        if (std::abs(delta) < m_linesInWindow) {
            const int dy = delta * m_lineHeight;
            // Rows collected for repainting move with the pixels the scroll moves; left in
            // place, the rows that now sit there would keep stale pixels.
            if (!m_invalidRect.IsEmpty()) {
                m_invalidRect.Top = std::max(0, m_invalidRect.Top + dy);
                m_invalidRect.Bottom =
                    std::min(m_window->ClientHeight(), m_invalidRect.Bottom + dy);
            }
            m_window->ScrollWindowBy(dy, {0, 0, m_window->ClientWidth(), m_window->ClientHeight()});
        } else {
            Invalidate();
        }
    }
    m_caretDirty = true;
    m_host.EditorStatusChanged(stTopLine);
}

void TSynViewport::SetLeftChar(int value) {
    // Past MaxLeftChar the view may go as far as the longest line needs.
    const int maxLeftChar = m_settings.MaxLeftChar;
    const int limit =
        HasOption(eoScrollPastEol)
            ? (value + m_charsInWindow - 1 <= maxLeftChar ? maxLeftChar : ColumnLimit())
            : m_lines.LongestLineLength();
    value = std::clamp(value, 1, std::max(1, limit - m_charsInWindow + 1));
    if (value == m_leftChar) return;
    m_leftChar = value;
    m_textOffset = m_gutterWidth + 2 - (m_leftChar - 1) * m_charWidth;
    UpdateScrollBars();
    if (WindowReady())
        m_window->InvalidateRect(
            {m_gutterWidth, 0, m_window->ClientWidth(), m_window->ClientHeight()});
    m_caretDirty = true;
    m_host.EditorStatusChanged(stLeftChar);
}

void TSynViewport::MakeVisible(TBufferCoord position) {
    const TPaintLockScope lock(*this);
    if (position.Char < m_leftChar)
        SetLeftChar(position.Char);
    else if (position.Char > m_leftChar + m_charsInWindow)
        SetLeftChar(position.Char - m_charsInWindow + 1);
    else
        SetLeftChar(m_leftChar);
    if (position.Line < m_topLine)
        SetTopLine(position.Line);
    else if (position.Line > m_topLine + std::max(1, m_linesInWindow) - 1)
        SetTopLine(position.Line - (m_linesInWindow - 1));
    else
        SetTopLine(m_topLine);
}

void TSynViewport::Reset() {
    m_topLine = 1;
    m_leftChar = 1;
    m_textOffset = m_gutterWidth + 2;
    m_caretDirty = true;
    m_scrollBarsDirty = true;
}

// ---------------------------------------------------------------- scroll bars

void TSynViewport::SetScrollBars(TScrollStyle value) {
    if (value == m_scrollBars) return;
    m_scrollBars = value;
    UpdateScrollBars();
    Invalidate();
}

TScrollBarInfo TSynViewport::HorizontalScrollBar() const {
    TScrollBarInfo info;
    info.Visible = m_scrollBars == ssHorizontal || m_scrollBars == ssBoth;
    int max = HasOption(eoScrollPastEol) ? ColumnLimit() : m_lines.LongestLineLength();
    info.Min = 1;
    info.Max = std::max(1, max);
    info.Page = m_charsInWindow;
    info.Position = m_leftChar;
    info.Enabled = info.Max - info.Min + 1 > info.Page;
    return info;
}

TScrollBarInfo TSynViewport::VerticalScrollBar() const {
    TScrollBarInfo info;
    info.Visible = m_scrollBars == ssVertical || m_scrollBars == ssBoth;
    long long n = m_lines.GetCount();
    if (HasOption(eoScrollPastEof)) n += m_linesInWindow - 1;
    if (n > kMaxScrollRange) {
        info.Min = 0;
        info.Max = kMaxScrollRange;
        // Widened before multiplying: past line 65,538 the product leaves the int range.
        info.Page = static_cast<int>(static_cast<long long>(m_linesInWindow) * kMaxScrollRange / n);
        info.Position = static_cast<int>(static_cast<long long>(m_topLine) * kMaxScrollRange / n);
    } else {
        info.Min = 1;
        info.Max = std::max<int>(1, static_cast<int>(n));
        info.Page = m_linesInWindow;
        info.Position = m_topLine;
    }
    info.Enabled = info.Max - info.Min + 1 > info.Page;
    return info;
}

void TSynViewport::UpdateScrollBars() {
    if (!WindowReady() || m_paintLock > 0 || m_changeDepth > 0) {
        m_scrollBarsDirty = true;
        return;
    }
    m_scrollBarsDirty = false;
    m_window->ApplyScrollBars(HorizontalScrollBar(), VerticalScrollBar());
}

namespace {
// The new first line or column for a scroll message that moves by lines or pages.
int ScrollTarget(TSynScrollCode code, int current, int page, int last) {
    switch (code) {
        case scLineUp:
            return current - 1;
        case scLineDown:
            return current + 1;
        case scPageUp:
            return current - page;
        case scPageDown:
            return current + page;
        case scTop:
            return 1;
        case scBottom:
            return last;
        default:
            return current;
    }
}
}  // namespace

void TSynViewport::VerticalScroll(TSynScrollCode code, int position) {
    const int page = m_linesInWindow - (HasOption(eoScrollByOneLess) ? 1 : 0);
    if (code == scTrack || code == scPosition) {
        int count = m_lines.GetCount();
        if (count > kMaxScrollRange)
            SetTopLine(static_cast<int>(static_cast<long long>(count + m_linesInWindow - 1) *
                                        position / kMaxScrollRange));
        else
            SetTopLine(position);
        if (code == scTrack && HasOption(eoShowScrollHint))
            m_scrollHint = "Top Line: " + std::to_string(m_topLine);
    } else if (code == scEndScroll) {
        m_scrollHint.clear();
    } else {
        SetTopLine(ScrollTarget(code, m_topLine, page, m_lines.GetCount()));
    }
}

void TSynViewport::HorizontalScroll(TSynScrollCode code, int position) {
    const int page = m_charsInWindow - (HasOption(eoScrollByOneLess) ? 1 : 0);
    if (code == scTrack || code == scPosition)
        SetLeftChar(position);
    else if (code != scEndScroll)
        SetLeftChar(ScrollTarget(code, m_leftChar, page, ColumnLimit()));
}

void TSynViewport::MouseWheel(int delta, bool ctrl, int systemLines) {
    int lines;
    if (ctrl) {
        lines = m_linesInWindow;
        if (HasOption(eoHalfPageScroll)) lines /= 2;
    } else {
        lines = systemLines;
        if (lines < 0 || lines > m_linesInWindow) lines = m_linesInWindow;
    }
    m_wheelAccumulator += delta;
    int notches = m_wheelAccumulator / 120;
    m_wheelAccumulator %= 120;
    if (notches != 0) SetTopLine(m_topLine - notches * lines);
}

// ---------------------------------------------------------------- paint lock

void TSynViewport::DecPaintLock() {
    if (m_paintLock > 0) --m_paintLock;
    if (m_paintLock != 0 || !WindowReady()) return;
    if (m_scrolledWhileLocked) {
        m_scrolledWhileLocked = false;
        m_invalidRect = {};  // the whole window covers what was collected
        Invalidate();
    }
    FlushCollected();
    if (m_scrollBarsDirty) UpdateScrollBars();
    m_host.EditorUnlocked();
}

// ---------------------------------------------------------------- invalidation

void TSynViewport::InvalidateCollected(const TRect& rect) {
    if (rect.IsEmpty() || !WindowReady()) return;
    // Within changes or a paint lock the rectangles are joined and handed to the window once
    // at the end: an undo of a thousand edits asks the window for one repaint, not thousands.
    if (m_changeDepth > 0 || m_paintLock > 0)
        m_invalidRect = UnionRect(m_invalidRect, rect);
    else
        m_window->InvalidateRect(rect);
}

void TSynViewport::InvalidateLineRange(int firstLine, int lastLine, int left, int right) {
    const int height = m_window->ClientHeight();
    if (firstLine == -1 && lastLine == -1) {
        InvalidateCollected({left, 0, right, height});
        return;
    }
    if (lastLine != -1 && lastLine < firstLine) std::swap(firstLine, lastLine);
    int top = std::max(firstLine, m_topLine);
    int bottom = lastLine == -1 ? m_topLine + m_linesInWindow
                                : std::min(lastLine, m_topLine + m_linesInWindow);
    if (bottom < top) return;
    TRect r{left, (top - m_topLine) * m_lineHeight, right, (bottom - m_topLine + 1) * m_lineHeight};
    if (lastLine == -1) r.Bottom = height;
    r.Bottom = std::min(r.Bottom, height);
    InvalidateCollected(r);
}

void TSynViewport::InvalidateLines(int firstLine, int lastLine) {
    if (!WindowReady()) return;
    InvalidateLineRange(firstLine, lastLine, m_gutterWidth, m_window->ClientWidth());
}

void TSynViewport::InvalidateGutterLines(int firstLine, int lastLine) {
    if (!WindowReady() || m_gutterWidth <= 0) return;
    InvalidateLineRange(firstLine, lastLine, 0, m_gutterWidth);
}

void TSynViewport::Invalidate() {
    if (!WindowReady()) return;
    InvalidateCollected({0, 0, m_window->ClientWidth(), m_window->ClientHeight()});
}

void TSynViewport::InvalidateToBottom(int line) {
    // Within one change bracket, repainting from a line to the bottom covers every later line.
    if (m_bottomInvalidFrom > 0 && line >= m_bottomInvalidFrom) return;
    InvalidateGutterLines(line, -1);
    InvalidateLines(line, -1);
    if (m_changeDepth > 0) m_bottomInvalidFrom = line;
}

bool TSynViewport::ChangesEnded() {
    if (m_changeDepth > 0) --m_changeDepth;
    if (m_changeDepth > 0) return false;
    m_bottomInvalidFrom = 0;
    m_scrollBarsDirty = true;
    return true;
}

void TSynViewport::FlushCollected() {
    if (m_changeDepth > 0 || m_paintLock > 0) return;  // the outermost end hands them on
    if (WindowReady() && !m_invalidRect.IsEmpty()) m_window->InvalidateRect(m_invalidRect);
    m_invalidRect = {};
}

// ---------------------------------------------------------------- coordinates

TBufferCoord TSynViewport::PixelsToRowColumn(int x, int y) const {
    double f =
        static_cast<double>(x + (m_leftChar - 1) * m_charWidth - m_gutterWidth - 2) / m_charWidth;
    int displayColumns = static_cast<int>(f < 0 ? -std::floor(-f + 0.5) : std::floor(f + 0.5));
    int limitY = std::min(y, m_linesInWindow * m_lineHeight - 1);
    int line =
        (limitY >= 0 ? limitY / m_lineHeight : -((-limitY + m_lineHeight - 1) / m_lineHeight)) +
        m_topLine;
    int column = displayColumns + 1;
    if (line >= 1 && line <= m_lines.GetCount() && displayColumns > 0) {
        const std::string_view text = TextAt(m_lines, TLineNumber(line));
        const int tabWidth = m_lines.TabWidth();
        int width = 0;
        int i = 0;
        while (width < displayColumns) {
            if (i < static_cast<int>(text.size()) && text[i] == '\t')
                width += tabWidth - (width % tabWidth);
            else
                ++width;
            ++i;
        }
        column = i + 1;
    } else if (displayColumns <= 0 && line >= 1 && line <= m_lines.GetCount()) {
        column = 1;
    }
    return {column, line};
}

TPoint TSynViewport::RowColumnToPixels(TBufferCoord value) const {
    return {(value.Char - 1) * m_charWidth + m_textOffset,
            (value.Line - m_topLine) * m_lineHeight + 1};
}

int TSynViewport::LogicalToPhysical(TBufferCoord value) const {
    // Without a tab every character is a column: the caret far into a long line costs nothing.
    if (!m_lines.LineHasTabs(TLineNumber(value.Line).Index())) return std::max(value.Char, 1);
    return DisplayWidth(TextAt(m_lines, TLineNumber(value.Line)), value.Char - 1,
                        m_lines.TabWidth()) +
           1;
}

TBufferCoord TSynViewport::CharUnderPixels(int x, int y) const {
    const int line = PixelsToRowColumn(x, y).Line;
    const int rel = x - m_textOffset;
    if (rel < 0) return {0, line};
    const int display = rel / m_charWidth;  // 0-based display column under x
    if (line < 1 || line > m_lines.GetCount() || !m_lines.LineHasTabs(TLineNumber(line).Index()))
        return {display + 1, line};
    const std::string_view text = TextAt(m_lines, TLineNumber(line));
    const int tabWidth = m_lines.TabWidth();
    int width = 0;
    for (int i = 0; i < static_cast<int>(text.size()); ++i) {
        int next = text[i] == '\t' ? width + tabWidth - (width % tabWidth) : width + 1;
        if (display < next) return {i + 1, line};
        width = next;
    }
    return {static_cast<int>(text.size()) + 1 + (display - width), line};
}

bool TSynViewport::InTextArea(int x, int y) const {
    int xp = x - m_gutterWidth;
    return xp >= 0 && xp < m_charsInWindow * m_charWidth && y >= 0 &&
           y < m_linesInWindow * m_lineHeight;
}
