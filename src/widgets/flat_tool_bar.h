// A tool bar without a panel of its own: its buttons sit a pixel in from its edges, touching
// each other, on whatever lies behind it.
#pragma once

#include <QToolBar>

// Looks as the style would draw a tool bar with no border, no spacing and a one-pixel padding,
// without handing the tool bar and its buttons to a style sheet: a style sheet gives each
// widget under it a style of its own, matched and polished rule by rule, which made a document
// window cost half again as much to open and close.
class TFlatToolBar : public QToolBar {
  public:
    explicit TFlatToolBar(const QString& title, QWidget* parent = nullptr);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    // The tool bar's layout takes its margins and spacing from the style again when the style
    // changes; they are set back after it.
    void ApplySpacing();
};
