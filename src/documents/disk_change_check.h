// Notices files that another program changed or removed. When a document window becomes active,
// and when the program becomes the active application again, the active document's file is
// compared with the stamp of what was loaded or saved (one stat, no reading). A changed file is
// reloaded at once into a window without unsaved changes, as one step that Undo takes back; a
// window with unsaved changes asks whether to reload and lose them or keep them. A removed file
// marks the window "(deleted)" and leaves its text alone.
#pragma once

#include <QObject>
#include <functional>

class QMdiArea;
class TMDIChild;

// The question asked when the file of a window with unsaved changes changed on disk.
extern const char* const kReloadQuestion;

class TDiskChangeCheck : public QObject {
    Q_OBJECT
  public:
    // `activeDocument` names the document the user works in, or null.
    TDiskChangeCheck(QMdiArea* clientArea, std::function<TMDIChild*()> activeDocument);

    // Compares the document's file with its stamps and acts on a difference; a reload that fails
    // is reported through the general error report.
    void CheckDocument(TMDIChild& document);
    void CheckActiveDocument();

  private:
    std::function<TMDIChild*()> m_activeDocument;
    // Set while a check runs: its question must not start another.
    bool m_checking = false;
};
