// Find in Files from the frame's Edit menu: asks for the text, options, mask and directory,
// searches in the background and fills the output panel with "path:line:col: text" lines and a
// summary; those lines lead to the source like compiler messages. Esc or the Cancel button in
// the status bar stops a running search.
#pragma once

#include <QObject>
#include <string>

class QAction;
class QPushButton;
class TFileCommands;
class TFindInFilesDialog;
class TFindInFilesRun;
class TMainForm;
class TOutputPanel;

class TFindInFilesCommand : public QObject {
    Q_OBJECT
  public:
    // Binds EditFindInFiles1; the form and panel must outlive this object.
    TFindInFilesCommand(TMainForm& form, TFileCommands& files, TOutputPanel& panel);
    ~TFindInFilesCommand() override;

    void EditFindInFiles1Execute();
    // Starts a search with the dialog's values; the dialog was confirmed.
    void StartSearch(const TFindInFilesDialog& dialog);
    void CancelSearch();
    bool IsRunning() const;
    TFindInFilesRun& Run() const { return *m_run; }

    // Esc while a search runs.
    QAction* StopSearch1 = nullptr;
    QPushButton* btnCancelSearch = nullptr;

  private:
    // The directory the dialog proposes: the active document's project, else the current one.
    std::string DefaultDirectory() const;
    void SearchEnded(int matches, int files, bool cancelled);

    TMainForm& m_form;
    TFileCommands& m_files;
    TOutputPanel& m_panel;
    TFindInFilesRun* m_run = nullptr;
    bool m_matchCase = false;
    bool m_wholeWords = false;
};
