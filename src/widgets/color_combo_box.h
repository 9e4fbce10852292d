// The colour combo box: a drop-down list (not editable) of colours, each row a framed swatch
// and, optionally, the entry's text. Entries are given as text (a colour name or a number);
// beside them the box keeps the colour values they stand for.
#pragma once

#include <QComboBox>
#include <string>
#include <vector>

#include "platform/colors.h"

class TabcColorComboBox : public QComboBox {
    Q_OBJECT
  public:
    explicit TabcColorComboBox(QWidget* parent = nullptr);

    // Replaces the entries; they are kept sorted (letter case ignored, equal entries in the
    // order given). The colour values are built by Loaded().
    void SetItems(const std::vector<std::string>& items);
    std::vector<std::string> Items() const;

    // Builds the colour values from the entries, as once after the form holding the box has
    // been loaded: a colour name or a decimal or "$" hexadecimal number (surrounding blanks
    // ignored) gives the value; an entry that is neither, or the number -28, is removed.
    void Loaded();
    const std::vector<TColor>& Colors() const { return m_colors; }

    // The colour value of the selected entry; 0 when no entry is selected.
    TColor SelectedColor() const;
    // Selects the first entry whose value equals color; nothing when no entry has it.
    void SetSelectedColor(TColor color);
    // The colour to keep for this box: the selected entry's, or without a selection the value
    // last written to SelectedColor (a colour the list does not offer, say one typed by hand).
    TColor KeptColor() const;

    bool ShowText() const { return m_showText; }
    void SetShowText(bool value);
    // Background of the box and frame colour around each swatch.
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    // Height of a row in pixels.
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int value);

    // Draws row `index` into `row` as the box does, for the list and for the closed box.
    void DrawItem(QPainter& painter, int index, const QRect& row, bool selected) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<TColor> m_colors;
    TColor m_assigned = 0;
    bool m_showText = false;
    TColor m_color;
    int m_itemHeight = 16;
};
