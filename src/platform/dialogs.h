// The one seam for every modal interaction that plain code asks for: message dialogs and the file
// open and save dialogs. The program's session sets its widget implementation as the default;
// tests install a scripted one for a scope. Questions that need widgets (the program's own dialogs,
// the replace confirmation placed on screen) extend this interface on the Qt side.
#pragma once

#include <string>

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Buttons of a message dialog, combined as a set of bits.
enum TMsgDlgBtn : unsigned {
    mbYes = 1u << 0,
    mbNo = 1u << 1,
    mbOK = 1u << 2,
    mbCancel = 1u << 3,
    mbAbort = 1u << 4,
    mbRetry = 1u << 5,
    mbIgnore = 1u << 6,
    mbAll = 1u << 7,
    // "&Save" answers mrYes and "&Discard" mrNo: the question about unsaved changes.
    mbSave = 1u << 8,
    mbDiscard = 1u << 9,
};
using TMsgDlgButtons = unsigned;

enum class TModalResult { mrNone, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrYes, mrNo, mrAll };

// What a file open or save dialog is asked. Texts are code-page text. The filter has the
// "description|patterns|description|patterns" form, patterns separated by ";".
struct TFileDialogRequest {
    std::string Title;
    std::string Filter;
    int FilterIndex = 1;
    std::string InitialDir;
    std::string FileName;       // proposed file name
    bool ShowReadOnly = false;  // offer the "open read-only" box
    bool ReadOnly = false;      // its initial state
    bool FileMustExist = false;
};

struct TFileDialogResult {
    bool Accepted = false;
    std::string FileName;   // full path of the chosen file
    bool ReadOnly = false;  // state of the read-only box when confirmed
    int FilterIndex = 1;
};

class IDialogs {
  public:
    virtual ~IDialogs() = default;
    // Shows a modal message dialog and returns the button that closed it.
    virtual TModalResult MessageDlg(const std::string& text, TMsgDlgType type,
                                    TMsgDlgButtons buttons) = 0;
    virtual TFileDialogResult OpenFileDialog(const TFileDialogRequest& request) = 0;
    virtual TFileDialogResult SaveFileDialog(const TFileDialogRequest& request) = 0;
};

// The dialogs the program currently uses: the installed ones, else the default. Throws
// std::logic_error when neither exists (a program without a user interface asked a question).
IDialogs& Dialogs();

// Sets the implementation used while none is installed; null removes it.
void SetDefaultDialogs(IDialogs* dialogs);

// Makes an implementation the default for its lifetime (the program's session does so with its
// Qt dialogs). Going, it removes the default only while that is still its own, so a session made
// before the last one went leaves the newer default in place.
class TDefaultDialogs {
  public:
    explicit TDefaultDialogs(IDialogs& dialogs);
    ~TDefaultDialogs();
    TDefaultDialogs(const TDefaultDialogs&) = delete;
    TDefaultDialogs& operator=(const TDefaultDialogs&) = delete;

  private:
    IDialogs& m_dialogs;
};

// Installs an implementation for its lifetime and restores the previous one afterwards.
class TDialogsScope {
  public:
    explicit TDialogsScope(IDialogs& dialogs);
    ~TDialogsScope();
    TDialogsScope(const TDialogsScope&) = delete;
    TDialogsScope& operator=(const TDialogsScope&) = delete;

  private:
    IDialogs* m_previous;
};
