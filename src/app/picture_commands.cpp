// Reading and writing PNG pictures for the tile commands; the conversion itself is plain C++.
#include "app/picture_commands.h"

#include <QAction>
#include <QImage>
#include <QMenu>

#include "app/main_window.h"
#include "documents/mdi_child.h"
#include "editor/qt/synedit.h"
#include "platform/dialogs.h"
#include "platform/qt/qt_text.h"
#include "rom/qt/tile_preview_panel.h"
#include "rom/qt/tile_view.h"
#include "rom/tile_encoder.h"

namespace {

std::string DirectoryOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

TPixelPicture PixelsOf(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    TPixelPicture picture{argb.width(), argb.height(), {}};
    picture.Pixels.reserve(static_cast<std::size_t>(argb.width()) * argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        picture.Pixels.insert(picture.Pixels.end(), line, line + argb.width());
    }
    return picture;
}

}  // namespace

TPictureCommands::TPictureCommands(TMainForm& form, std::function<TMDIChild*()> activeDocument,
                                   TTilePreviewPanel& preview)
    : QObject(&form),
      m_form(form),
      m_activeDocument(std::move(activeDocument)),
      m_preview(preview) {
    m_insert = new QAction(tr("&Insert Picture as Tiles..."), &form);
    m_insert->setObjectName(QStringLiteral("InsertPicture1"));
    m_insert->setStatusTip(
        tr("Insert a PNG picture at the caret as a tile or sprite table and its palette"));
    m_save = new QAction(tr("Save Tiles as Picture..."), &form);
    m_save->setObjectName(QStringLiteral("SaveTilesAsPicture1"));
    m_save->setStatusTip(tr("Write the Tile Preview's picture into a PNG file"));
    form.Edit1()->addAction(m_insert);
    form.Edit1()->addAction(m_save);
    form.BindCommand(m_insert, [this] { InsertPicture1Execute(); });
    form.BindCommand(m_save, [this] { SaveTilesAsPicture1Execute(); });
    connect(&preview, &TTilePreviewPanel::SavePictureRequested, m_save, &QAction::trigger);
}

void TPictureCommands::InsertPicture1Execute() {
    TMDIChild* document = m_activeDocument ? m_activeDocument() : nullptr;
    if (document == nullptr || document->SynEditor() == nullptr) {
        Dialogs().MessageDlg("Open the source file the picture goes into first.",
                             TMsgDlgType::mtInformation, mbOK);
        return;
    }
    TFileDialogRequest request;
    request.Title = "Insert Picture as Tiles";
    request.Filter = kInsertFilter;
    request.InitialDir = m_lastDir.empty() ? DirectoryOf(document->SourcePath()) : m_lastDir;
    request.FileMustExist = true;
    const TFileDialogResult chosen = Dialogs().OpenFileDialog(request);
    if (!chosen.Accepted) return;
    m_lastDir = DirectoryOf(chosen.FileName);
    const TCellKind kind = chosen.FilterIndex == 2 ? TCellKind::Sprites : TCellKind::Tiles;

    QImage image;
    if (!image.load(ToQPath(chosen.FileName))) {
        Dialogs().MessageDlg("Cannot read \"" + chosen.FileName + "\" as a picture.",
                             TMsgDlgType::mtError, mbOK);
        return;
    }
    const TEncodedPicture encoded = EncodePicture(PixelsOf(image), kind);
    if (!encoded.Error.empty()) {
        Dialogs().MessageDlg(chosen.FileName + ": " + encoded.Error, TMsgDlgType::mtError, mbOK);
        return;
    }
    std::string text = PictureSource(
        encoded, IdentifierOf(chosen.FileName),
        SourceLanguageOf(document->SourcePath().empty() ? document->windowTitle().toStdString()
                                                        : document->SourcePath()));
    TSynEdit& editor = *document->SynEditor();
    // The tables start on a line of their own.
    if (editor.CaretX() > 1 && !editor.SelAvail()) text = "\n" + text;
    editor.ReplaceSelection(text);
    editor.EnsureCursorPosVisible();
    m_form.SetStatusText("Inserted " + std::to_string(encoded.Columns * encoded.Rows) +
                         (kind == TCellKind::Tiles ? " tile(s)" : " sprite(s)") + " in " +
                         std::to_string(encoded.ColourCount) + " colours");
}

void TPictureCommands::SaveTilesAsPicture1Execute() {
    TTileView& view = m_preview.View();
    if (!m_preview.Table().Found || view.CellCount() == 0) {
        Dialogs().MessageDlg(
            "The Tile Preview shows no tiles: put the caret in a tile table (Edit > Tile "
            "Preview) first.",
            TMsgDlgType::mtInformation, mbOK);
        return;
    }
    TFileDialogRequest request;
    request.Title = "Save Tiles as Picture";
    request.Filter = "PNG Pictures (*.png)|*.png";
    request.InitialDir = m_lastDir;
    request.FileName = "tiles.png";
    const TFileDialogResult chosen = Dialogs().SaveFileDialog(request);
    if (!chosen.Accepted) return;
    std::string path = chosen.FileName;
    if (path.size() < 4 || QString::fromStdString(path.substr(path.size() - 4)).toLower() != ".png")
        path += ".png";
    m_lastDir = DirectoryOf(path);
    if (!view.Picture().save(ToQPath(path), "PNG")) {
        Dialogs().MessageDlg("Cannot write the picture \"" + path + "\".", TMsgDlgType::mtError,
                             mbOK);
        return;
    }
    m_form.SetStatusText("Saved " + std::to_string(view.CellCount()) + " cell(s) as " + path);
}
