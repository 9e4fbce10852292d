// The editor widget as the target of the frame window's Cut, Copy and Paste: the commands run
// on the editor's clipboard (the window system's), and the frame window hears when their
// enabled state may have changed: the selection or the clipboard changed.
#include <QClipboard>
#include <QGuiApplication>

#include "editor/qt/synedit.h"
#include "platform/qt/error_report.h"

void TSynEdit::InitEditActions() {
    SetClipboard(m_clipboard.get());
    SetStatusListener([this](TSynStatusChanges changes) {
        if (changes & (stSelection | stAll)) NotifyEditStateChange();
    });
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, [this] { NotifyEditStateChange(); });
}

void TSynEdit::NotifyEditStateChange() {
    if (m_onEditStateChange) m_onEditStateChange();
}

bool TSynEdit::CanCut() const {
    return TCustomSynEdit::CanCut();
}

bool TSynEdit::CanCopy() const {
    return TCustomSynEdit::CanCopy();
}

bool TSynEdit::CanPaste() const {
    return TCustomSynEdit::CanPaste();
}

void TSynEdit::Cut() {
    RunCommand([this] { CutToClipboard(); });
}

void TSynEdit::Copy() {
    RunCommand([this] { CopyToClipboard(); });
}

void TSynEdit::Paste() {
    RunCommand([this] { PasteFromClipboard(); });
}

void TSynEdit::SetOnEditStateChange(std::function<void()> callback) {
    m_onEditStateChange = std::move(callback);
}
