// Path edit: shows the file-open dialog through the dialog seam.
#include "widgets/file_open_edit.h"

#include <QPointer>

#include "platform/dialogs.h"

TabcFileOpenEdit::TabcFileOpenEdit(QWidget* parent) : TabcCustomButtonEdit(parent) {
    SetClickOnEnterKey(true);
}

void TabcFileOpenEdit::ButtonClick() {
    QPointer<TabcFileOpenEdit> self(this);
    if (BeforeExecute) BeforeExecute(this);
    if (!self) return;

    TFileDialogRequest request;
    request.Title = m_openDialog.Title;
    request.Filter = m_openDialog.Filter;
    request.FilterIndex = m_openDialog.FilterIndex;
    request.InitialDir = m_openDialog.InitialDir;
    request.FileName = m_openDialog.FileName;
    request.ShowReadOnly = (m_openDialog.Options & ofHideReadOnly) == 0;
    request.ReadOnly = (m_openDialog.Options & ofReadOnly) != 0;
    request.FileMustExist = (m_openDialog.Options & ofFileMustExist) != 0;
    const TFileDialogResult result = Dialogs().OpenFileDialog(request);
    if (!self) return;

    if (result.Accepted) {
        m_openDialog.FileName = result.FileName;
        m_openDialog.FilterIndex = result.FilterIndex;
        SetText(result.FileName);
    }
    if (AfterExecute) AfterExecute(this);
}
