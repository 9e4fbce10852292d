// The real open and save dialogs hand file names over as the file system's bytes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>

#include "platform/qt/dialogs.h"
#include "platform/qt/qt_text.h"
#include "platform/scratch_directory.h"

namespace {

// Accepts the dialog that the next modal loop shows; one that refuses its selection is closed.
void AcceptNextDialog() {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        // A selection naming no existing file would raise a warning box of its own.
        const QStringList chosen = dialog->selectedFiles();
        if (dialog->fileMode() == QFileDialog::ExistingFile &&
            (chosen.isEmpty() || !QFileInfo::exists(chosen.front()))) {
            dialog->reject();
            return;
        }
        QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        if (dialog->isVisible()) dialog->reject();
    });
}

TEST(FileDialogNames, ChosenAndProposedNamesAreFileSystemBytes) {
    ScratchDirectory dir;
    const std::string name = "na\xC3\xAFve.c";
    dir.Write(name, "int x;\n");
    TQtDialogs dialogs;
    TFileDialogRequest request;
    request.Filter = "C Files (*.c)|*.c";
    request.InitialDir = dir.Path();
    request.FileName = name;
    request.FileMustExist = true;
    AcceptNextDialog();
    TFileDialogResult opened = dialogs.OpenFileDialog(request);
    ASSERT_TRUE(opened.Accepted);
    EXPECT_EQ(opened.FileName, dir / name);

    request.FileMustExist = false;
    request.FileName = "caf\xC3\xA9.c";
    AcceptNextDialog();
    TFileDialogResult saved = dialogs.SaveFileDialog(request);
    ASSERT_TRUE(saved.Accepted);
    EXPECT_EQ(saved.FileName, dir / "caf\xC3\xA9.c");
}

TEST(FileDialogNames, PathConversionKeepsTheFileSystemEncoding) {
    EXPECT_EQ(ToQPath("na\xC3\xAFve.c"), QString::fromUtf8("na\xC3\xAFve.c"));
    EXPECT_EQ(FromQPath(QString::fromUtf8("na\xC3\xAFve.c")), "na\xC3\xAFve.c");
    // Text keeps the code page.
    EXPECT_EQ(FromQ(QString::fromUtf8("\xC3\xAF")), "\xEF");
}

}  // namespace
