// The frame window's actions: their captions, hints, pictures and keys, the binding of commands
// to them and the enabling rules (document windows, the focused editor's edit state).
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QPointer>

#include "app/images.h"
#include "app/main_window.h"
#include "platform/edit_actions_target.h"
#include "platform/qt/error_report.h"
#include "platform/qt/image_list.h"

void TMainForm::ApplyHint(QAction* action, const QString& hint) {
    const qsizetype bar = hint.indexOf('|');
    action->setToolTip(bar < 0 ? hint : hint.left(bar));
    action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

QAction* TMainForm::NewAction(const char* caption, const QString& shortHint,
                              const QString& longHint, int image) {
    auto* action = new QAction(tr(caption), this);
    if (!longHint.isEmpty()) {
        ApplyHint(action, shortHint.isEmpty() ? longHint : shortHint + "|" + longHint);
    }
    if (image >= 0) action->setIcon(m_toolImages->Icon(image));
    // Until a command is bound the entry must not pretend to work.
    action->setEnabled(false);
    return action;
}

void TMainForm::CreateActions() {
    m_actions.FileNew1 = NewAction("&New", "New", "Create a new file", tiNew);
    m_actions.FileNew1->setShortcut(QKeySequence("Ctrl+N"));
    m_actions.FileOpen1 = NewAction("&Open", "Open", "Open a file", tiOpen);
    m_actions.FileOpen1->setShortcut(QKeySequence("Ctrl+O"));
    m_actions.FileNewFromExample1 =
        NewAction("New &Project from Example...", "",
                  "Copy an example program into a new directory and open it");
    m_actions.FileClose1 = NewAction("&Close", "Close", "Close current file");
    m_actions.FileClose1->setShortcut(QKeySequence("Ctrl+W"));
    m_actions.FileCloseAll1 = NewAction("Close A&ll", "Close All", "Close every file");
    m_actions.FileCloseAll1->setShortcut(QKeySequence("Ctrl+Shift+W"));
    m_actions.FileSave1 = NewAction("&Save", "Save", "Save current file", tiSave);
    m_actions.FileSave1->setShortcut(QKeySequence("Ctrl+S"));
    m_actions.ToolButtonSave = NewAction("&Save", "Save", "Save current file", tiSave);
    m_actions.FileSaveAs1 =
        NewAction("Save &As...", "Save As", "Save current file with different name");
    m_actions.Setup1 = NewAction("S&etup", "", "");
    m_actions.FileExit1 = NewAction("E&xit", "Exit", "Exit application");

    m_actions.EditCut1 =
        NewAction("Cu&t", "Cut", "Cuts the selection and puts it on the Clipboard", tiCut);
    m_actions.EditCut1->setShortcut(QKeySequence("Ctrl+X"));
    m_actions.EditCopy1 =
        NewAction("&Copy", "Copy", "Copies the selection and puts it on the Clipboard", tiCopy);
    m_actions.EditCopy1->setShortcut(QKeySequence("Ctrl+C"));
    m_actions.EditPaste1 = NewAction("&Paste", "Paste", "Inserts Clipboard contents", tiPaste);
    m_actions.EditPaste1->setShortcut(QKeySequence("Ctrl+V"));
    m_actions.EditFind1 = NewAction("&Find...", "", "", tiFind);
    m_actions.EditFind1->setShortcut(QKeySequence("Ctrl+F"));
    m_actions.EditFindPrevious1 = NewAction("Find &previous", "", "", tiFindPrevious);
    m_actions.EditFindPrevious1->setShortcut(QKeySequence("Shift+F3"));
    m_actions.EditFindNext1 = NewAction("Find &next", "", "", tiFindNext);
    m_actions.EditFindNext1->setShortcut(QKeySequence("F3"));
    m_actions.EditReplace1 = NewAction("&Replace...", "", "", tiReplace);
    m_actions.EditReplace1->setShortcut(QKeySequence("Ctrl+H"));
    m_actions.EditFindInFiles1 = NewAction("Find in Fi&les...", "Find in Files",
                                           "Search all files of a directory for a text");
    m_actions.EditFindInFiles1->setShortcut(QKeySequence("Ctrl+Shift+F"));
    m_actions.EditGoToDefinition1 = NewAction("Go to &Definition", "Go to Definition",
                                              "Go to where the name at the caret is defined");
    m_actions.EditGoToDefinition1->setShortcut(QKeySequence("F12"));
    m_actions.EditGoToSymbol1 =
        NewAction("Go to &Symbol...", "Go to Symbol",
                  "Choose a function, variable, label or macro of the project");
    m_actions.EditGoToSymbol1->setShortcut(QKeySequence("Ctrl+Shift+O"));
    m_actions.EditGoBack1 =
        NewAction("Go &Back", "Go Back", "Return to where the last jump started");
    m_actions.EditGoBack1->setShortcut(QKeySequence("Alt+Left"));
    m_actions.EditGoForward1 =
        NewAction("Go For&ward", "Go Forward", "Go again where Go Back came from");
    m_actions.EditGoForward1->setShortcut(QKeySequence("Alt+Right"));

    m_actions.CompileAssembly1 = NewAction("Compile &Assembly", "", "", tiCompileAsm);
    m_actions.CompileAssembly1->setShortcut(QKeySequence("Ctrl+F10"));
    m_actions.CompileCCode1 = NewAction("&Compile C Code", "", "", tiCompileC);
    m_actions.CompileCCode1->setShortcut(QKeySequence("Ctrl+F9"));
    m_actions.BuildProject1 =
        NewAction("&Build Project", "Build Project",
                  "Builds the active document's project in its directory (make)");
    m_actions.BuildProject1->setShortcut(QKeySequence("F9"));
    m_actions.NextMessage1 = NewAction("Next &message", "", "Go to the next compiler message");
    m_actions.NextMessage1->setShortcut(QKeySequence("F4"));
    m_actions.PreviousMessage1 =
        NewAction("Previous m&essage", "", "Go to the previous compiler message");
    m_actions.PreviousMessage1->setShortcut(QKeySequence("Shift+F4"));
    static const std::array<const char*, 5> emulatorCaptions{
        "Emulator &1", "Emulator &2", "Emulator &3", "Emulator &4", "Emulator &5"};
    for (int i = 0; i < 5; ++i) {
        m_actions.EMU[i] = NewAction(emulatorCaptions[i], "", "", tiEmulator1 + i);
        m_actions.EMU[i]->setShortcut(
            QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_F1 + i)));
    }

    m_actions.WindowCascade1 = NewAction("&Cascade", "", "Cascade", tiCascade);
    m_actions.WindowTileHorizontal1 =
        NewAction("Tile &Horizontally", "", "Tile Horizontally", tiTileHorizontally);
    m_actions.WindowTileVertical1 =
        NewAction("Tile &Vertically", "", "Tile Vertically", tiTileVertically);
    m_actions.WindowMinimizeAll1 = NewAction("&Minimize All", "", "Minimize All");
    m_actions.WindowArrangeAll1 = NewAction("&Arrange All", "", "Arrange All");
    m_actions.HelpAbout1 = NewAction("&About...", "About",
                                     "Displays program information, version number, and copyright");

    BindCommand(m_actions.FileClose1, [this] { FileClose1Execute(); });
    BindCommand(m_actions.FileCloseAll1, [this] { FileCloseAll1Execute(); });
    BindCommand(m_actions.FileExit1, [this] { FileExit1Execute(); });
    BindCommand(m_actions.HelpAbout1, [this] { HelpAbout1Execute(); });
    BindCommand(m_actions.WindowCascade1, [this] { WindowCascade1Execute(); });
    BindCommand(m_actions.WindowTileHorizontal1, [this] { WindowTileHorizontal1Execute(); });
    BindCommand(m_actions.WindowTileVertical1, [this] { WindowTileVertical1Execute(); });
    BindCommand(m_actions.WindowMinimizeAll1, [this] { WindowMinimizeAll1Execute(); });
    BindCommand(m_actions.WindowArrangeAll1, [this] { WindowArrangeAll1Execute(); });

    // Cut, Copy and Paste act on whichever editor has the focus; their enabling follows it.
    connect(m_actions.EditCut1, &QAction::triggered, this, [this] {
        RunCommand([this] {
            if (m_editTarget && m_editWidget) m_editTarget->Cut();
        });
    });
    connect(m_actions.EditCopy1, &QAction::triggered, this, [this] {
        RunCommand([this] {
            if (m_editTarget && m_editWidget) m_editTarget->Copy();
        });
    });
    connect(m_actions.EditPaste1, &QAction::triggered, this, [this] {
        RunCommand([this] {
            if (m_editTarget && m_editWidget) m_editTarget->Paste();
        });
    });
}

void TMainForm::BindCommand(QAction* action, std::function<void()> command) {
    connect(action, &QAction::triggered, this, Guarded(std::move(command)));
    action->setEnabled(true);
    // Bound commands that depend on a document window keep following that rule.
    if (DocumentActions().contains(action)) action->setEnabled(MDIChildCount() > 0);
}

QList<QAction*> TMainForm::DocumentActions() const {
    return {m_actions.FileClose1,          m_actions.FileCloseAll1,
            m_actions.WindowCascade1,      m_actions.WindowTileHorizontal1,
            m_actions.WindowTileVertical1, m_actions.WindowMinimizeAll1,
            m_actions.WindowArrangeAll1};
}

void TMainForm::UpdateCommandStates() {
    const bool hasDocument = MDIChildCount() > 0;
    for (QAction* action : DocumentActions()) action->setEnabled(hasDocument);
    UpdateEditCommands();
}

void TMainForm::UpdateEditCommands() {
    const bool ready = m_editTarget != nullptr && !m_editWidget.isNull();
    m_actions.EditCut1->setEnabled(ready && m_editTarget->CanCut());
    m_actions.EditCopy1->setEnabled(ready && m_editTarget->CanCopy());
    m_actions.EditPaste1->setEnabled(ready && m_editTarget->CanPaste());
}

void TMainForm::OnFocusChanged(QWidget* now) {
    // The focused widget or one of its parents may be an editor that offers the edit commands.
    IEditActionsTarget* target = nullptr;
    QWidget* owner = nullptr;
    for (QWidget* widget = now; widget != nullptr; widget = widget->parentWidget()) {
        if (auto* candidate = dynamic_cast<IEditActionsTarget*>(widget)) {
            target = candidate;
            owner = widget;
            break;
        }
    }
    // Keep the last editor while the focus moves to a menu or tool button outside any editor,
    // so the commands still reach it.
    if (target == nullptr && now != nullptr && now->window() == this &&
        !m_clientArea->isAncestorOf(now)) {
        UpdateEditCommands();
        return;
    }
    if (target != m_editTarget) {
        m_editTarget = target;
        m_editWidget = owner;
        if (target != nullptr) {
            QPointer<TMainForm> self(this);
            target->SetOnEditStateChange([self] {
                if (self) self->UpdateEditCommands();
            });
        }
    }
    UpdateEditCommands();
}
