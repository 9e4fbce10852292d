// The frame's status bar panels for the active document: the caret's line and column, whether
// the text has unsaved changes, and the typing mode (insert, overwrite or read only). They
// follow the active document window and every caret move and change in it.
#pragma once

#include <QObject>
#include <QPointer>
#include <string>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QStatusBar;
class TMDIChild;

// What the panels say for a document; empty texts while no document is active.
struct TDocumentStatusTexts {
    std::string Position;  // "line:column", the column as displayed (tabs expanded)
    std::string Modified;  // "Modified" or empty
    std::string Mode;      // "Insert", "Overwrite" or "Read only"
};

TDocumentStatusTexts DocumentStatusTexts(const TMDIChild* document);

class TDocumentStatusPanels : public QObject {
    Q_OBJECT
  public:
    // Adds the panels to the right end of the status bar; both must outlive this object.
    TDocumentStatusPanels(QStatusBar& statusBar, QMdiArea& clientArea);

    TDocumentStatusTexts Texts() const;

  private:
    void Follow(QMdiSubWindow* window);
    void Refresh();

    QMdiArea& m_clientArea;
    QLabel* m_position = nullptr;
    QLabel* m_modified = nullptr;
    QLabel* m_mode = nullptr;
    QPointer<TMDIChild> m_document;
    QMetaObject::Connection m_connection;
};
