// Undo, Redo and bookmark entries of the frame's Edit menu.
#include "app/editor_commands_menu.h"

#include <QAction>
#include <QMenu>

#include "app/main_window.h"
#include "documents/mdi_child.h"
#include "editor/editor_commands.h"
#include "editor/qt/synedit.h"

namespace {

// An entry that shows its keys without claiming them: the keys are the editor's, and a second
// live shortcut would take them from it.
QAction* NewEntry(TMainForm& form, const QString& caption, const QList<QKeySequence>& keys) {
    auto* action = new QAction(caption, &form);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
}

}  // namespace

void AddEditorCommands(TMainForm& form, std::function<TMDIChild*()> activeDocument) {
    auto run = [activeDocument](TSynEditorCommand command) {
        return [activeDocument, command] {
            TMDIChild* document = activeDocument();
            if (document == nullptr || document->SynEditor() == nullptr) return;
            document->SynEditor()->ProcessCommand(command);
        };
    };

    QMenu& edit = *form.Edit1();
    QAction* first = edit.actions().isEmpty() ? nullptr : edit.actions().first();
    QAction* undo = NewEntry(form, QObject::tr("&Undo"), {QKeySequence("Ctrl+Z")});
    undo->setObjectName("EditUndo1");
    QAction* redo = NewEntry(form, QObject::tr("R&edo"),
                             {QKeySequence("Ctrl+Shift+Z"), QKeySequence("Shift+Alt+Backspace")});
    redo->setObjectName("EditRedo1");
    edit.insertAction(first, undo);
    edit.insertAction(first, redo);
    edit.insertSeparator(first);
    form.BindCommand(undo, run(ecUndo));
    form.BindCommand(redo, run(ecRedo));

    edit.addSeparator();
    QMenu* setMenu = edit.addMenu(QObject::tr("Set Boo&kmark"));
    setMenu->setObjectName("EditSetBookmark1");
    QMenu* go = edit.addMenu(QObject::tr("&Go to Bookmark"));
    go->setObjectName("EditGotoBookmark1");
    for (int n = 0; n < 10; ++n) {
        const QString label = QObject::tr("Bookmark &%1").arg(n);
        QAction* set = NewEntry(form, label, {QKeySequence(QString("Ctrl+Shift+%1").arg(n))});
        setMenu->addAction(set);
        form.BindCommand(set, run(static_cast<TSynEditorCommand>(ecSetMarker0 + n)));
        QAction* jump = NewEntry(form, label, {QKeySequence(QString("Ctrl+%1").arg(n))});
        go->addAction(jump);
        form.BindCommand(jump, run(static_cast<TSynEditorCommand>(ecGotoMarker0 + n)));
    }

    // Undo and Redo say whether there is anything to take back or to do again.
    QObject::connect(&edit, &QMenu::aboutToShow, &form, [activeDocument, undo, redo] {
        TMDIChild* document = activeDocument();
        const TSynEdit* editor = document != nullptr ? document->SynEditor() : nullptr;
        undo->setEnabled(editor != nullptr && editor->CanUndo());
        redo->setEnabled(editor != nullptr && editor->CanRedo());
    });
}
