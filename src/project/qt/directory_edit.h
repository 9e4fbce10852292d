// A path edit for a directory: its button (or Enter) asks for a directory through the dialog
// seam and puts the choice into the box. Paths are file-system bytes, not code-page text.
#pragma once

#include <string>

#include "widgets/button_edit.h"

class TDirectoryEdit : public TabcCustomButtonEdit {
    Q_OBJECT
  public:
    explicit TDirectoryEdit(QWidget* parent = nullptr);

    std::string Path() const;
    void SetPath(const std::string& path);

  protected:
    void ButtonClick() override;
};
