// Go to Symbol: every symbol of the project in a list with its kind and file, narrowed as the
// user types into the box above it; Up and Down move in the list without leaving the box, Enter
// takes the selected symbol, Esc closes.
#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "project/symbol_index.h"

class QLineEdit;
class QListView;
class TSymbolListModel;

class TGoToSymbolDialog : public QDialog {
    Q_OBJECT
  public:
    // Symbols of preferredPath (the active document) come first; paths show relative to root.
    TGoToSymbolDialog(std::vector<TSymbolLocation> symbols, const std::string& preferredPath,
                      const std::string& root, QWidget* owner = nullptr);
    ~TGoToSymbolDialog() override;

    // Narrows the list to the symbols that fit the text and selects the best.
    void SetFilter(const std::string& text);
    // The symbols shown, best first.
    int ShownCount() const;
    const TSymbolLocation& Shown(int row) const;
    // The selected symbol, if any.
    std::optional<TSymbolLocation> Chosen() const;

    QLineEdit* edtFilter = nullptr;
    QListView* lvSymbols = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Refilter();

    std::unique_ptr<TSymbolListModel> m_model;
};
