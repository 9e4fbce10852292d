// The editor control widget: paints the gutter and the text through the text drawer, shows the
// caret and scroll bars, and turns Qt key, character, input-method, wheel, scroll-bar and focus
// events into the editor logic's steps. TSynMemo is the same control under another name.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QTimer>
#include <memory>

#include "editor/custom_synedit.h"
#include "editor/qt/qt_syn_clipboard.h"
#include "editor/qt/range_idle_worker.h"
#include "editor/qt/syn_font.h"
#include "platform/edit_actions_target.h"

class TheTextDrawer;
class TQuietScrollBar;
class QLabel;
class QMimeData;

class TSynEdit : public QAbstractScrollArea,
                 private ISynEditWindow,
                 public TCustomSynEdit,
                 public IEditActionsTarget {
    Q_OBJECT
  public:
    explicit TSynEdit(QWidget* parent = nullptr);
    ~TSynEdit() override;

    const TSynFont& Font() const { return m_font; }
    // Sets the editor font; a proportional font is replaced by a fixed-pitch one of the same
    // size, style and colour.
    void SetFont(const TSynFont& font);
    TSynBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TSynBorderStyle value);

    // Paint callback after the gutter and text (sender, painter).
    std::function<void(TSynEdit* sender, QPainter& canvas)> OnPaint;

    // For tests and benchmarks: paints the whole client area into a painter.
    void PaintTo(QPainter& painter, const QRect& clip);
    TheTextDrawer& TextDrawer() { return *m_drawer; }
    bool CaretShown() const { return m_caretVisible; }
    QRect CaretRectangle() const { return m_caretRect; }

    // IEditActionsTarget (synedit_edit_actions.cpp)
    bool CanCut() const override;
    bool CanCopy() const override;
    bool CanPaste() const override;
    void Cut() override;
    void Copy() override;
    void Paste() override;
    void SetOnEditStateChange(std::function<void()> callback) override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool event(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void MetricsChanged() override;
    void RangesPending(bool soon) override { m_rangeWorker.Restart(soon); }
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // ISynEditWindow
    bool HandleAllocated() const override { return m_ready; }
    bool Focused() const override;
    int ClientWidth() const override;
    int ClientHeight() const override;
    void InvalidateRect(const TRect& rect) override;
    void ScrollWindowBy(int dy, const TRect& rect) override;
    void ApplyScrollBars(const TScrollBarInfo& horizontal, const TScrollBarInfo& vertical) override;
    void PlaceCaret(bool visible, const TRect& rect) override;

    void PaintGutter(QPainter& painter, const QRect& clip, int firstLine, int lastLine);
    void PaintMarks(QPainter& painter, int firstLine, int lastLine);
    void OnVerticalAction(int action);
    void OnHorizontalAction(int action);
    void ShowScrollHint();
    void InitEditActions();
    void NotifyEditStateChange();
    // Mouse helpers (synedit_mouse_events.cpp).
    void InitMouse();
    void UpdateScrollTimer();
    void UpdateMouseCursor(const QPoint& pos);
    void StartTextDrag();
    // The editor a text drag comes from, when it is one of ours in this process.
    TSynEdit* DragSourceEditor(const QDropEvent* event) const;
    bool AcceptsDroppedFiles(const QMimeData* data) const;

    bool m_ready = false;
    TSynFont m_font;
    TSynBorderStyle m_borderStyle = bsSingle;
    std::unique_ptr<TheTextDrawer> m_drawer;
    bool m_applyingScrollBars = false;
    bool m_caretVisible = false;
    bool m_caretBlinkOn = true;
    QRect m_caretRect;
    QTimer m_caretTimer;
    QLabel* m_scrollHint = nullptr;
    // The scroll area owns its bars.
    TQuietScrollBar* m_verticalBar = nullptr;
    TQuietScrollBar* m_horizontalBar = nullptr;
    QTimer m_scrollTimer;
    std::unique_ptr<TQtSynClipboard> m_clipboard = std::make_unique<TQtSynClipboard>();
    std::function<void()> m_onEditStateChange;
    TSynRangeIdleWorker m_rangeWorker{*this};
};

class TSynMemo : public TSynEdit {
    Q_OBJECT
  public:
    explicit TSynMemo(QWidget* parent = nullptr) : TSynEdit(parent) {}
};
