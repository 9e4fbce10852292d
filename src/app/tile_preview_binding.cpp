// Wiring of the Tile Preview panel into the frame and the active document.
#include "app/tile_preview_binding.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "app/main_window.h"
#include "documents/mdi_child.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "platform/qt/error_report.h"
#include "rom/byte_table.h"
#include "rom/qt/tile_preview_panel.h"

TTilePreviewBinding::TTilePreviewBinding(TMainForm& form,
                                         std::function<TMDIChild*()> activeDocument)
    : QObject(&form), m_form(form), m_activeDocument(std::move(activeDocument)) {
    m_panel = new TTilePreviewPanel(&form);
    form.addDockWidget(Qt::RightDockWidgetArea, m_panel);
    m_panel->hide();

    m_action = new QAction(tr("Tile Pre&view"), &form);
    m_action->setObjectName(QStringLiteral("TilePreview1"));
    m_action->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+G")));
    m_action->setStatusTip(tr("Draw the byte table at the caret as tiles or sprites"));
    form.Edit1()->addSeparator();
    form.Edit1()->addAction(m_action);
    form.addAction(m_action);
    form.BindCommand(m_action, [this] { TilePreview1Execute(); });

    m_follow.setSingleShot(true);
    m_follow.setInterval(kFollowDelayMs);
    connect(&m_follow, &QTimer::timeout, this, [this] { RunCommand([this] { Refresh(); }); });
    connect(form.ClientArea(), &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* window) { Follow(window); });
    connect(m_panel, &TTilePreviewPanel::ValueClicked, this,
            [this](int value) { RunCommand([&] { GoToValue(value); }); });
    connect(m_panel, &TTilePreviewPanel::PaletteRequested, this,
            [this] { RunCommand([this] { UsePalette(); }); });
}

TByteTable TTilePreviewBinding::TableAtCaret() const {
    TMDIChild* document = m_activeDocument ? m_activeDocument() : nullptr;
    if (document == nullptr || document->SynEditor() == nullptr) return {};
    const TSynEdit& editor = *document->SynEditor();
    const TSynEditStringList& lines = editor.Lines();
    const TBufferCoord caret = editor.CaretXY();
    return FindByteTable([&lines](int index) { return lines.GetView(index); }, lines.GetCount(),
                         caret.Line, caret.Char);
}

void TTilePreviewBinding::TilePreview1Execute() {
    m_panel->show();
    m_panel->raise();
    Follow(m_form.ClientArea()->currentSubWindow());
    Refresh();
}

void TTilePreviewBinding::Refresh() {
    if (!m_panel->isVisible()) return;
    m_panel->ShowTable(TableAtCaret());
}

void TTilePreviewBinding::Follow(QMdiSubWindow* window) {
    auto* document = window != nullptr ? qobject_cast<TMDIChild*>(window->widget()) : nullptr;
    if (document == m_followed && document != nullptr) return;
    disconnect(m_followConnection);
    m_followed = document;
    if (document != nullptr) {
        // Caret moves and edits alike: the picture follows once the user pauses.
        m_followConnection =
            connect(document, &TMDIChild::EditorStatusChanged, this, [this] { m_follow.start(); });
    }
    m_follow.start();
}

void TTilePreviewBinding::GoToValue(int valueIndex) {
    const TByteTable& table = m_panel->Table();
    TMDIChild* document = m_activeDocument ? m_activeDocument() : nullptr;
    if (document == nullptr || valueIndex < 0 ||
        static_cast<std::size_t>(valueIndex) >= table.Places.size())
        return;
    const TValuePlace& place = table.Places[static_cast<std::size_t>(valueIndex)];
    TSynEdit& editor = *document->SynEditor();
    const TBufferCoord caret{place.Column, place.Line};
    editor.SetCaretAndSelection(caret, caret, caret);
    editor.EnsureCursorPosVisible();
    editor.setFocus(Qt::OtherFocusReason);
}

void TTilePreviewBinding::UsePalette() {
    const TByteTable table = TableAtCaret();
    if (!table.Found) {
        m_panel->SetPaletteWords({});
        return;
    }
    m_panel->SetPaletteWords(table.Values);
}
