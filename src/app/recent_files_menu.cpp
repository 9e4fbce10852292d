// The Reopen submenu.
#include "app/recent_files_menu.h"

#include <QStyleOptionMenuItem>

#include "app/file_commands.h"
#include "app/main_window.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/qt/error_report.h"
#include "platform/qt/qt_text.h"

const char* const kRecentFileGone = "\r\nno longer exists and was removed from the list.";

namespace {

constexpr const char* kMissingProperty = "quillonMissingFile";

// "&1 name" to "&9 name", then "1&0 name": each entry has its own access key.
QString EntryText(int number, const std::string& path) {
    const QString name = ToQPath(path).replace('&', "&&");
    if (number < 10) return QString("&%1 %2").arg(number).arg(name);
    return QString("1&0 %1").arg(name);
}

}  // namespace

void TReopenMenu::MarkMissing(QAction* action, bool missing) {
    action->setProperty(kMissingProperty, missing);
}

bool TReopenMenu::IsMissing(const QAction* action) {
    return action->property(kMissingProperty).toBool();
}

void TReopenMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
    QMenu::initStyleOption(option, action);
    if (!IsMissing(action)) return;
    const QColor grey = option->palette.color(QPalette::Disabled, QPalette::Text);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (const QPalette::ColorRole role :
             {QPalette::Text, QPalette::ButtonText, QPalette::WindowText}) {
            option->palette.setColor(group, role, grey);
        }
    }
}

TRecentFilesMenu::TRecentFilesMenu(TMainForm& form, TFileCommands& files)
    : QObject(&form), m_files(files) {
    m_menu = new TReopenMenu(tr("&Reopen"), &form);
    m_menu->setObjectName("Reopen1");
    m_menu->menuAction()->setStatusTip("Open a file used lately");
    form.File1()->insertMenu(form.FileOpen1(), m_menu);
    // After Open, not before it.
    form.File1()->removeAction(form.FileOpen1());
    form.File1()->insertAction(m_menu->menuAction(), form.FileOpen1());
    m_clearList = new QAction(tr("Clear list"), this);
    m_clearList->setObjectName("ClearList1");
    m_clearList->setStatusTip("Empty the list of files used lately");
    connect(m_clearList, &QAction::triggered, this,
            Guarded([this] { m_files.RecentFiles().Clear(); }));
    connect(m_menu, &QMenu::aboutToShow, this, [this] { RunCommand([this] { Rebuild(); }); });
    Rebuild();
}

void TRecentFilesMenu::Rebuild() {
    for (QAction* action : m_menu->actions()) {
        m_menu->removeAction(action);
        if (action != m_clearList) action->deleteLater();
    }
    const std::vector<std::string> items = m_files.RecentFiles().Items();
    int number = 1;
    for (const std::string& path : items) {
        QAction* action = m_menu->addAction(EntryText(number++, path));
        action->setStatusTip(ToQPath(path));
        TReopenMenu::MarkMissing(action, !FileExists(path));
        connect(action, &QAction::triggered, this, Guarded([this, path] { Reopen(path); }));
    }
    if (items.empty()) m_menu->addAction(tr("(empty)"))->setEnabled(false);
    m_menu->addSeparator();
    m_menu->addAction(m_clearList);
    m_clearList->setEnabled(!items.empty());
}

void TRecentFilesMenu::Reopen(const std::string& path) {
    if (!FileExists(path)) {
        m_files.RecentFiles().Remove(path);
        Dialogs().MessageDlg(path + kRecentFileGone, TMsgDlgType::mtInformation, mbOK);
        return;
    }
    m_files.OpenChosenFile(path);
}
