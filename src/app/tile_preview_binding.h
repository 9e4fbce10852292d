// The Tile Preview in the frame: the panel docked at the right, hidden until asked for, the Edit
// menu's "Tile Pre&view" entry (Ctrl+Shift+G), the picture following the table at the active
// document's caret as the text changes, and a click on a pixel taking the caret to its value.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

class QAction;
class QMdiSubWindow;
class TMainForm;
class TMDIChild;
class TTilePreviewPanel;
struct TByteTable;

class TTilePreviewBinding : public QObject {
    Q_OBJECT

  public:
    TTilePreviewBinding(TMainForm& form, std::function<TMDIChild*()> activeDocument);

    TTilePreviewPanel& Panel() { return *m_panel; }
    QAction& Action() { return *m_action; }

    // Shows the panel with the table at the active document's caret.
    void TilePreview1Execute();
    // Reads the table at the caret again now (the timer does it after a pause in typing).
    void Refresh();

    // How long after a change the picture follows.
    static constexpr int kFollowDelayMs = 50;

  private:
    TByteTable TableAtCaret() const;
    void Follow(QMdiSubWindow* window);
    void GoToValue(int valueIndex);
    void UsePalette();

    TMainForm& m_form;
    std::function<TMDIChild*()> m_activeDocument;
    TTilePreviewPanel* m_panel = nullptr;
    QAction* m_action = nullptr;
    QTimer m_follow;
    QPointer<TMDIChild> m_followed;
    QMetaObject::Connection m_followConnection;
};
