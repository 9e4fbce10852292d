// The dialog seam's widget side: the questions that need widgets (the program's own dialogs
// shown modally, the replace confirmation placed near the match on screen) and the
// implementation on real Qt dialogs, which the program's session makes the default.
#pragma once

#include <QRect>
#include <functional>
#include <string>

#include "platform/dialogs.h"

class QDialog;

// The title a message dialog of that type carries ("Error", "Information", ...).
std::string MsgDlgTitle(TMsgDlgType type);

enum class TReplaceAnswer { raYes, raNo, raCancel, raAll };

// Where the occurrence to be replaced stands (screen coordinates) and what it says.
struct TReplaceConfirmRequest {
    QRect Area;
    int X = 0;
    int LineTop = 0;
    int LineBottom = 0;
    std::string Text;
};

// The dialog seam with the questions that need widgets.
class IWidgetDialogs : public IDialogs {
  public:
    // Asks whether to replace one occurrence.
    virtual TReplaceAnswer ConfirmReplace(const TReplaceConfirmRequest& request) = 0;
    // Shows one of the program's own dialogs modally: mrOk when it was accepted, else
    // mrCancel. The dialog's values are read by the caller afterwards.
    virtual TModalResult ShowModal(QDialog& dialog) = 0;
    // Asks for a directory, starting at initialDir; empty when the user cancelled.
    virtual std::string SelectDirectory(const std::string& title,
                                        const std::string& initialDir) = 0;
};

// The implementation on real Qt dialogs. The program's session owns one and makes it the default
// of Dialogs().
class TQtDialogs : public IWidgetDialogs {
  public:
    using ConfirmReplaceHandler = std::function<TReplaceAnswer(const TReplaceConfirmRequest&)>;

    TModalResult MessageDlg(const std::string& text, TMsgDlgType type,
                            TMsgDlgButtons buttons) override;
    TFileDialogResult OpenFileDialog(const TFileDialogRequest& request) override;
    TFileDialogResult SaveFileDialog(const TFileDialogRequest& request) override;
    TReplaceAnswer ConfirmReplace(const TReplaceConfirmRequest& request) override;
    TModalResult ShowModal(QDialog& dialog) override;
    std::string SelectDirectory(const std::string& title, const std::string& initialDir) override;

    // The program answers with the search session's confirm dialog; without a handler a plain
    // question box asks.
    void SetConfirmReplaceHandler(ConfirmReplaceHandler handler) {
        m_confirmReplace = std::move(handler);
    }

  private:
    ConfirmReplaceHandler m_confirmReplace;
};

// The dialogs the program currently uses (Dialogs()) with their widget questions. Throws
// std::logic_error when the installed implementation cannot answer them.
IWidgetDialogs& WidgetDialogs();

// Converts a "description|patterns|..." filter into Qt's "description (patterns);;..." form.
QString FilterToQt(const std::string& filter);
