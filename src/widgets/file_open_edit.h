// The path edit: an edit-with-button whose button (or Enter) shows a file-open dialog and puts
// the chosen file's full path into the box.
#pragma once

#include <functional>
#include <string>

#include "widgets/button_edit.h"

// Options of the file-open dialog, combined as a set of bits.
enum TOpenOption : unsigned {
    ofReadOnly = 1u << 0,      // the read-only box starts checked
    ofHideReadOnly = 1u << 1,  // no read-only box
    ofEnableSizing = 1u << 2,  // the dialog may be resized
    ofFileMustExist = 1u << 3,
};
using TOpenOptions = unsigned;

// The settings of the file-open dialog that a path edit owns; they are handed to the dialog each
// time it is shown. After a confirmed dialog FileName holds the chosen file.
struct TabcOpenDialog {
    bool Ctl3D = true;
    std::string DefaultExt;
    std::string FileName;
    std::string Filter = "All Files (*.*)|*.*";
    int FilterIndex = 1;
    int HelpContext = 0;
    std::string InitialDir;
    TOpenOptions Options = 0;
    int Tag = 0;
    std::string Title;
};

class TabcFileOpenEdit : public TabcCustomButtonEdit {
    Q_OBJECT
  public:
    using TNotifyEvent = std::function<void(QObject* sender)>;

    explicit TabcFileOpenEdit(QWidget* parent = nullptr);

    TabcOpenDialog& OpenDialog() { return m_openDialog; }
    const TabcOpenDialog& OpenDialog() const { return m_openDialog; }

    // True: only Enter runs the button action besides the button itself; false: nothing else.
    bool ClickOnEnterKey() const { return ClickOn() == coEnterKey; }
    void SetClickOnEnterKey(bool value) {
        SetClickOn(value ? TabcClickOnSet{coEnterKey} : TabcClickOnSet{0});
    }

    // Raised before the dialog is shown, and after it closed whatever the result.
    TNotifyEvent BeforeExecute;
    TNotifyEvent AfterExecute;

  protected:
    // Shows the file-open dialog (through the dialog seam); its proposed name is the dialog's
    // own FileName, not the box's text. A confirmed choice becomes the box's text.
    void ButtonClick() override;

  private:
    TabcOpenDialog m_openDialog;
};
