// Status bar panels of the active document.
#include "app/document_status_panels.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>

#include "documents/mdi_child.h"
#include "editor/qt/synedit.h"
#include "platform/qt/qt_text.h"

TDocumentStatusTexts DocumentStatusTexts(const TMDIChild* document) {
    TDocumentStatusTexts texts;
    if (document == nullptr || document->SynEditor() == nullptr) return texts;
    const TSynEdit& editor = *document->SynEditor();
    const TBufferCoord caret = editor.CaretXY();
    texts.Position =
        std::to_string(caret.Line) + ":" + std::to_string(editor.LogicalToPhysical(caret));
    texts.Modified = editor.Modified() ? "Modified" : "";
    if (editor.ReadOnly()) {
        texts.Mode = "Read only";
    } else {
        texts.Mode = editor.InsertMode() ? "Insert" : "Overwrite";
    }
    return texts;
}

namespace {

int PanelWidth(const QLabel& label, const QString& text) {
    return label.fontMetrics().horizontalAdvance(text) + 12;
}

QLabel* AddPanel(QStatusBar& statusBar, const char* name, const QString& widest) {
    auto* label = new QLabel(&statusBar);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    // Wide enough for its longest text, so the panels do not jump while the caret moves. Its
    // size is fixed: a label of changing size would lay the status bar out again on each key.
    label->setFixedSize(PanelWidth(*label, widest), label->sizeHint().height());
    statusBar.addPermanentWidget(label);
    return label;
}

// A panel grows for a text wider than any before it and keeps that width.
void SetPanelText(QLabel& label, const QString& text) {
    if (label.text() == text) return;
    const int width = PanelWidth(label, text);
    if (width > label.minimumWidth()) label.setFixedWidth(width);
    label.setText(text);
}

}  // namespace

TDocumentStatusPanels::TDocumentStatusPanels(QStatusBar& statusBar, QMdiArea& clientArea)
    : QObject(&statusBar), m_clientArea(clientArea) {
    m_position = AddPanel(statusBar, "CaretPosition", QStringLiteral("00000:000"));
    m_modified = AddPanel(statusBar, "ModifiedState", QStringLiteral("Modified"));
    m_mode = AddPanel(statusBar, "TypingMode", QStringLiteral("Overwrite"));
    connect(&clientArea, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* window) { Follow(window); });
    Refresh();
}

void TDocumentStatusPanels::Follow(QMdiSubWindow* window) {
    // While the frame is not the active window Qt reports no active child; the current one is
    // still the document the user works in.
    if (window == nullptr) window = m_clientArea.currentSubWindow();
    auto* document = window != nullptr ? qobject_cast<TMDIChild*>(window->widget()) : nullptr;
    if (document != m_document) {
        disconnect(m_connection);
        m_document = document;
        if (document != nullptr) {
            m_connection =
                connect(document, &TMDIChild::EditorStatusChanged, this, [this] { Refresh(); });
        }
    }
    Refresh();
}

void TDocumentStatusPanels::Refresh() {
    const TDocumentStatusTexts texts = Texts();
    SetPanelText(*m_position, ToQ(texts.Position));
    SetPanelText(*m_modified, ToQ(texts.Modified));
    SetPanelText(*m_mode, ToQ(texts.Mode));
}

TDocumentStatusTexts TDocumentStatusPanels::Texts() const {
    return DocumentStatusTexts(m_document.data());
}
