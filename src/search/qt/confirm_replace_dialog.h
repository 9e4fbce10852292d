// The confirm dialog TConfirmReplaceDialog, which asks for each occurrence about to be replaced
// whether to replace it, placed next to the occurrence. The search session owns the one that
// exists at a time.
#pragma once

#include <QDialog>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <string>

#include "platform/qt/dialogs.h"

class QLabel;
class QPushButton;

class TConfirmReplaceDialog : public QDialog {
    Q_OBJECT
  public:
    explicit TConfirmReplaceDialog(QWidget* owner = nullptr);

    // Sets the question about text and moves the dialog next to the occurrence at (x, lineTop)
    // inside area (screen coordinates), above its line when it stands in the area's lower third.
    void PlaceNearMatch(const QRect& area, int x, int lineTop, int lineBottom,
                        const std::string& text);

    // How the dialog closed: Yes, No, All, or Cancel (also when closed otherwise).
    TReplaceAnswer Answer() const;

    QLabel* lblConfirmation = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* btnReplace = nullptr;
    QPushButton* btnSkip = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnReplaceAll = nullptr;

  protected:
    // Y, N and A answer without Alt, as in a message dialog: the dialog has no text field.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FormCreate();
};

// Where PlaceNearMatch puts a dialog of the given outer size.
QPoint ConfirmDialogPosition(const QRect& area, int x, int lineTop, int lineBottom,
                             const QSize& dialogSize);

// The outer size of a dialog with the given client size: with its own frame margins once the
// window manager has framed it; before its first showing those are not known yet, and the
// margins of a framed window of the program, decorated alike, stand in.
QSize ConfirmDialogOuterSize(const QSize& clientSize, const QMargins& ownFrame,
                             const QMargins& programFrame);
