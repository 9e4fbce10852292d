// Pictures in and out of the source: Edit > "&Insert Picture as Tiles..." reads a PNG, cuts it
// into tiles or sprites (the file dialog's type choice says which) and inserts the table and its
// palette at the caret as C or assembly by the document's kind; "Save Tiles as Picture..." (Edit
// menu and the Tile Preview's button) writes the Tile Preview's picture as a PNG.
#pragma once

#include <QObject>
#include <functional>
#include <string>

class QAction;
class TMainForm;
class TMDIChild;
class TTilePreviewPanel;

class TPictureCommands : public QObject {
    Q_OBJECT

  public:
    // The form and the panel must outlive this object.
    TPictureCommands(TMainForm& form, std::function<TMDIChild*()> activeDocument,
                     TTilePreviewPanel& preview);

    void InsertPicture1Execute();
    void SaveTilesAsPicture1Execute();

    // The open dialog's file types: the first cuts into tiles, the second into sprites.
    static constexpr const char* kInsertFilter =
        "PNG Picture as 8x8 Tiles (*.png)|*.png|PNG Picture as 16x16 Sprites (*.png)|*.png";

  private:
    TMainForm& m_form;
    std::function<TMDIChild*()> m_activeDocument;
    TTilePreviewPanel& m_preview;
    QAction* m_insert = nullptr;
    QAction* m_save = nullptr;
    std::string m_lastDir;
};
