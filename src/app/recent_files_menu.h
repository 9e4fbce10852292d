// The File menu's "&Reopen" submenu: the recent-file list, newest first, numbered; a file that
// no longer exists is shown greyed and, when chosen, leaves the list with a message; "Clear list"
// at the end empties it. The list is read from the configuration file each time the menu opens.
#pragma once

#include <QMenu>
#include <QObject>
#include <string>

class TFileCommands;
class TMainForm;

// Shown when a greyed entry is chosen; the path stands before it.
extern const char* const kRecentFileGone;

// A menu that draws entries marked missing in the disabled text colour while they stay
// choosable.
class TReopenMenu : public QMenu {
    Q_OBJECT
  public:
    using QMenu::QMenu;
    static void MarkMissing(QAction* action, bool missing);
    static bool IsMissing(const QAction* action);

    // The style of an entry as drawn: a missing file's name greyed. Public so that what is drawn
    // can be checked.
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;
};

class TRecentFilesMenu : public QObject {
    Q_OBJECT
  public:
    // Puts the submenu into the frame's File menu after "&Open".
    TRecentFilesMenu(TMainForm& form, TFileCommands& files);

    TReopenMenu* Menu() const { return m_menu; }
    QAction* ClearList1() const { return m_clearList; }
    // Refills the menu from the configuration file (done each time it opens).
    void Rebuild();
    // Opens a listed file; one that no longer exists is removed from the list with a message.
    void Reopen(const std::string& path);

  private:
    TFileCommands& m_files;
    TReopenMenu* m_menu = nullptr;
    QAction* m_clearList = nullptr;
};
