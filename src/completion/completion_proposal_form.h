// The completion popup window TSynBaseCompletionProposalForm: a borderless list of text lines
// with a vertical scroll bar, the selected line on its own colour, and the keys that move the
// selection, extend or shorten the word being completed, accept and dismiss.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/colors.h"
#include "platform/keys.h"

class QPainter;
class QScrollBar;
class TSynEdit;

class TSynBaseCompletionProposalForm : public QWidget {
    Q_OBJECT
  public:
    using TNotifyEvent = std::function<void(TSynBaseCompletionProposalForm* sender)>;
    using TKeyPressEvent = std::function<void(TSynBaseCompletionProposalForm* sender, char key)>;
    // Owner drawing of one row at (X, Y) of the list area; true when the row is drawn.
    using TSynBaseCompletionProposalPaintItem =
        std::function<bool(const std::string& AKey, QPainter& ACanvas, int X, int Y)>;
    using TValidateEvent =
        std::function<void(TSynBaseCompletionProposalForm* Sender, TShiftState Shift)>;

    explicit TSynBaseCompletionProposalForm(QWidget* parent = nullptr);
    ~TSynBaseCompletionProposalForm() override;

    // The word being completed; writing it preselects the first line that begins with it.
    const std::string& CurrentString() const { return m_currentString; }
    void SetCurrentString(const std::string& value);

    const std::vector<std::string>& ItemList() const { return m_itemList; }
    void SetItemList(std::vector<std::string> items);
    // A note drawn at the right of a line in a quieter colour (such as what a name is and where
    // it comes from); index i belongs to line i, and lines without one have none.
    const std::vector<std::string>& ItemDetails() const { return m_itemDetails; }
    void SetItemDetails(std::vector<std::string> details);

    // Index of the selected line. Writing a value past the last line, or the current one, is
    // ignored; otherwise the list scrolls to show it.
    int Position() const { return m_position; }
    void SetPosition(int value);
    void SelectNext();
    void SelectPrevious();

    int NbLinesInWindow() const { return m_nbLinesInWindow; }
    // Sets the number of rows and lays out the window, scroll bar and list area for it.
    void SetNbLinesInWindow(int value);
    TColor ClSelect() const { return m_clSelect; }
    void SetClSelect(TColor value);
    int RowHeight() const { return m_rowHeight; }
    // Index of the line shown in the first row.
    int TopIndex() const;
    // Scrolls the list so that the line is shown in the first row, as far as the list reaches.
    void SetTopIndex(int value);
    QScrollBar* ScrollBar() const { return m_scrollBar; }
    // The list area left of the scroll bar, inside the frame (rows are painted here).
    QSize ListAreaSize() const;

    // Paints the frame and the list as the window shows them.
    void PaintTo(QPainter& painter);

    // True: preselection ignores the case of the letters A to Z.
    bool ffAnsi = false;
    // The editor in which the popup was opened last.
    TSynEdit* CurrentEditor = nullptr;

    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnKeyDelete;
    TSynBaseCompletionProposalPaintItem OnPaintItem;
    TValidateEvent OnValidate;
    TNotifyEvent OnCancel;
    // The current string was written (opening, typing, Backspace), after the preselection.
    TNotifyEvent OnCurrentStringChange;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Tab is a character for the list (it closes it), not a focus move.
    bool focusNextPrevChild(bool) override { return false; }

  private:
    void KeyDown(TVirtualKey key, TShiftState shift);
    void KeyPress(char key);
    void Cancel();
    void UpdateScrollRange();
    void ScrollTo(int top);
    // Scrolling by the bar moves the selection along when it would leave the rows.
    void ScrollBarMoved(int top);

    std::string m_currentString;
    std::vector<std::string> m_itemList;
    std::vector<std::string> m_itemDetails;
    int m_position = 0;
    int m_nbLinesInWindow = 6;
    TColor m_clSelect = clHighlight;
    TColor m_backgroundColor = clWindow;
    int m_rowHeight = 0;
    QScrollBar* m_scrollBar = nullptr;
    bool m_scrolling = false;  // the list itself moves the bar; do not follow it back
};
