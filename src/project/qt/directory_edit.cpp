// The directory path edit and its browse button.
#include "project/qt/directory_edit.h"

#include <QFile>

#include "platform/qt/dialogs.h"

TDirectoryEdit::TDirectoryEdit(QWidget* parent) : TabcCustomButtonEdit(parent) {
    SetClickOn(0);
}

std::string TDirectoryEdit::Path() const {
    return std::string(QFile::encodeName(text()).constData());
}

void TDirectoryEdit::SetPath(const std::string& path) {
    setText(QFile::decodeName(path.c_str()));
}

void TDirectoryEdit::ButtonClick() {
    const std::string chosen = WidgetDialogs().SelectDirectory("Directory", Path());
    if (!chosen.empty()) SetPath(chosen);
}
