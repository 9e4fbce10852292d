// The frame window's file commands: New, Open, Save (menu and tool bar), Save As and the shared
// step OpenDocumentWindow. They create document windows and own the active source (SourceDir and
// SourceName), kept in step with the document activated or saved last; they also serve the
// document windows with what those need of the frame.
#pragma once

#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/active_source.h"
#include "config/recent_files.h"
#include "documents/document_activation.h"
#include "documents/mdi_child.h"
#include "platform/dialogs.h"

class TMainForm;
class TSynPixmapList;

// "C Files (*.c)|*.c|H Files (*.h)|*.h|Asm Files (*.asm)|*.asm|Inc Files (*.inc)|*.inc"
extern const char* const kSourceFileFilter;
// Shown by Save and Save As while no document window exists.
extern const char* const kNoDocumentToSave;

class TFileCommands {
  public:
    // Binds the frame's New, Open, Save, tool bar Save and Save As actions and runs every
    // document window's activation step when it becomes active. The form must outlive this
    // object.
    explicit TFileCommands(TMainForm& form);
    ~TFileCommands();

    void FileNew1Execute();
    void FileOpen1Execute();
    // Open's steps after the dialog, for a path chosen elsewhere (the command line, the Reopen
    // list, the session): the window takes the path as its file, editable. An existing file
    // joins the recent-file list unless `remember` is false. Returns the new window's document.
    TMDIChild* OpenChosenFile(const std::string& path, bool remember = true);
    // Opens each file as OpenChosenFile does (a failure is shown and the next file follows) and
    // adds the opened ones to the recent-file list with one write of the configuration file. The
    // windows open as one batch of the frame: the last one becomes the active one.
    void OpenChosenFiles(const std::vector<std::string>& paths);
    void FileSave1Execute();
    void ToolButtonSaveClick();
    void FileSaveAs1Execute();
    // Creates a document window (shown and active at once) with the path as caption and loads
    // the file when one of that name exists. A load failure leaves the window open with its
    // caption and raises the error.
    TMDIChild* OpenDocumentWindow(const std::string& path,
                                  TMDIChild::TOrigin origin = TMDIChild::TOrigin::Open);

    // The active document window, or null.
    TMDIChild* ActiveDocument() const;
    // The directory and name of the file the save and build commands work on.
    const TActiveSource& ActiveSource() const { return m_activeSource; }

    // Called for every document window as it is created, before its file is loaded.
    std::function<void(TMDIChild&)> OnDocumentCreated;

    // The open dialog (dlgFileOpen) and save dialog (SaveDialog1) as last configured, and what
    // the open dialog returned last.
    const TFileDialogRequest& dlgFileOpen() const { return m_openRequest; }
    const TFileDialogRequest& SaveDialog1() const { return m_saveRequest; }

    // Saves the document's text to a file through a temporary file and a rename, marks the
    // text as saved and records the file's new stamp.
    static void SaveDocumentText(TMDIChild& document, const std::string& fileName);

    // The files opened or saved last, in the configuration file.
    TRecentFiles& RecentFiles() { return m_recentFiles; }

    // Asked before a document window closes: a document with unsaved changes asks "Save
    // changes to NAME?" with Save, Discard and Cancel. False (the window stays) on Cancel and
    // when the save failed or its dialog was cancelled; a failure is reported here.
    bool QueryCloseDocument(TMDIChild& document);
    // Asked before the frame closes (Exit, the frame's close button): the same question for
    // every modified document in turn; false as soon as one of them stays.
    bool QueryCloseAll();
    // Saves the active document when it has unsaved changes, so a build sees the text on
    // screen. False when it still has them (the save dialog was cancelled); a failing save
    // throws.
    bool SaveActiveDocumentForBuild();
    // Saves every document with unsaved changes whose file lies in the project directory or below
    // it, so make sees the texts on screen; the active document stays the active one. False when
    // one still has changes (its save dialog was cancelled); a failing save throws.
    bool SaveProjectDocumentsForBuild(const std::string& projectDir);

  private:
    class TFrameServices;

    TMDIChild* OpenFromDialogResult(const TFileDialogResult& result, bool remember = true);
    // Brings the document's window to the front, restored when it was minimised.
    void ShowDocument(TMDIChild& document);
    // Makes the document the active one and runs Save on it.
    void SaveDocument(TMDIChild& document);
    // Before Save writes over the document's own file: true when the file is as it was loaded
    // or saved, or gone, or the user agrees to overwrite another program's change.
    bool ConfirmOverwrite(const TMDIChild& document);
    // Puts a file first in the recent-file list. The list is a convenience: a configuration
    // file that cannot be written must not turn an open or save into an error.
    void RememberRecent(const std::string& path);

    TMainForm& m_form;
    TActiveSource m_activeSource;
    TFileDialogRequest m_openRequest;
    TFileDialogRequest m_saveRequest;
    TFileDialogResult m_lastOpen;
    std::unique_ptr<TSynPixmapList> m_bookmarkImages;
    std::unique_ptr<TFrameServices> m_services;
    TRecentFiles m_recentFiles;
    QPointer<TDocumentActivation> m_activation;
    // Set once the frame's close was agreed to: its windows then close without asking again.
    bool m_closeAgreed = false;
};
