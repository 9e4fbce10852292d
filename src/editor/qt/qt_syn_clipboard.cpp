// The editor clipboard on QClipboard.
#include "editor/qt/qt_syn_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "editor/synedit_error.h"
#include "platform/codepage.h"

namespace {

const QMimeData* CurrentData() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->mimeData() : nullptr;
}

// Other programs on this platform expect LF line breaks in plain text.
QString ToPlatformText(const std::string& text) {
    QString result = QString::fromStdU16String(CodePageToUtf16(text));
#ifndef Q_OS_WIN
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
#endif
    return result;
}

}  // namespace

TQtSynClipboard::~TQtSynClipboard() {
    QObject::disconnect(m_watch);
}

TQtSynClipboard::TFormats TQtSynClipboard::Formats() const {
    if (m_formats && m_watch) return *m_formats;
    TFormats formats;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return formats;
    if (const QMimeData* data = clipboard->mimeData()) {
        formats.Text = data->hasText();
        formats.Block = data->hasFormat(kSynBlockMimeType);
    }
    // The answer is kept only while the clipboard tells of its changes.
    if (!m_watch)
        m_watch =
            QObject::connect(clipboard, &QClipboard::dataChanged, [this] { m_formats.reset(); });
    if (m_watch) m_formats = formats;
    return formats;
}

bool TQtSynClipboard::HasText() const {
    return Formats().Text;
}

bool TQtSynClipboard::HasBlockFormat() const {
    return Formats().Block;
}

void TQtSynClipboard::SetText(const std::string& text, TSynSelectionMode mode) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) throw ESynEditError("Clipboard copy operation failed");
    auto* data = new QMimeData;
    data->setText(ToPlatformText(text));
    const std::string block = EncodeSynBlock(text, mode);
    data->setData(kSynBlockMimeType,
                  QByteArray(block.data(), static_cast<qsizetype>(block.size())));
    clipboard->setMimeData(data);
    if (!clipboard->mimeData() || !clipboard->mimeData()->hasFormat(kSynBlockMimeType))
        throw ESynEditError("Clipboard copy operation failed");
}

bool TQtSynClipboard::GetBlock(std::string& text, TSynSelectionMode& mode) const {
    const QMimeData* data = CurrentData();
    if (!data || !data->hasFormat(kSynBlockMimeType)) return false;
    const QByteArray bytes = data->data(kSynBlockMimeType);
    if (!DecodeSynBlock(std::string(bytes.constData(), static_cast<size_t>(bytes.size())), text,
                        mode))
        throw ESynEditError("Clipboard paste operation failed.");
    return true;
}

bool TQtSynClipboard::GetText(std::string& text) const {
    const QMimeData* data = CurrentData();
    if (!data || !data->hasText()) return false;
    text = Utf16ToCodePage(data->text().toStdU16String());
    return true;
}
