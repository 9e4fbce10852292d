// The one seam for every modal interaction: message dialogs, file open and save dialogs and the
// replace confirmation. The program uses the Qt implementation; tests install a scripted one.
#pragma once

#include <QRect>
#include <functional>

class QDialog;
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
};
using TMsgDlgButtons = unsigned;

enum class TModalResult { mrNone, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrYes, mrNo, mrAll };

// The title a message dialog of that type carries ("Error", "Information", ...).
std::string MsgDlgTitle(TMsgDlgType type);

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

enum class TReplaceAnswer { raYes, raNo, raCancel, raAll };

// Where the occurrence to be replaced stands (screen coordinates) and what it says.
struct TReplaceConfirmRequest {
    QRect Area;
    int X = 0;
    int LineTop = 0;
    int LineBottom = 0;
    std::string Text;
};

class IDialogs {
  public:
    virtual ~IDialogs() = default;
    // Shows a modal message dialog and returns the button that closed it.
    virtual TModalResult MessageDlg(const std::string& text, TMsgDlgType type,
                                    TMsgDlgButtons buttons) = 0;
    virtual TFileDialogResult OpenFileDialog(const TFileDialogRequest& request) = 0;
    virtual TFileDialogResult SaveFileDialog(const TFileDialogRequest& request) = 0;
    // Asks whether to replace one occurrence.
    virtual TReplaceAnswer ConfirmReplace(const TReplaceConfirmRequest& request) = 0;
    // Shows one of the program's own dialogs modally: mrOk when it was accepted, else
    // mrCancel. The dialog's values are read by the caller afterwards.
    virtual TModalResult ShowModal(QDialog& dialog) = 0;
};

// The implementation on real Qt dialogs.
class TQtDialogs : public IDialogs {
  public:
    using ConfirmReplaceHandler = std::function<TReplaceAnswer(const TReplaceConfirmRequest&)>;

    TModalResult MessageDlg(const std::string& text, TMsgDlgType type,
                            TMsgDlgButtons buttons) override;
    TFileDialogResult OpenFileDialog(const TFileDialogRequest& request) override;
    TFileDialogResult SaveFileDialog(const TFileDialogRequest& request) override;
    TReplaceAnswer ConfirmReplace(const TReplaceConfirmRequest& request) override;
    TModalResult ShowModal(QDialog& dialog) override;

    // The search dialogs install their own confirm dialog here; without one a plain question
    // box asks.
    void SetConfirmReplaceHandler(ConfirmReplaceHandler handler) {
        m_confirmReplace = std::move(handler);
    }

  private:
    ConfirmReplaceHandler m_confirmReplace;
};

// The dialogs the program currently uses: the installed ones, else the Qt implementation.
IDialogs& Dialogs();
// The program's Qt implementation (also when another one is installed).
TQtDialogs& QtDialogs();

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

// Converts a "description|patterns|..." filter into Qt's "description (patterns);;..." form.
QString FilterToQt(const std::string& filter);
