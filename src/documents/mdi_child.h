// The document window TMDIChild: one source file in an editor with its own C highlighter, a
// small tool bar with the search commands and Change Style, and a status bar. It applies the
// colour scheme of the configuration file and tells the frame its file at every activation.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "platform/file_stamp.h"

class IDocumentFrame;
class TDocumentHighlighters;
class QAction;
class QStatusBar;
class QToolBar;
class TCodeCompletion;
class TSynCompletionProposal;
class TSynCppSyn;
class TSearchFlow;
class TSynEdit;

class TMDIChild : public QWidget {
    Q_OBJECT
  public:
    // How the window comes into being: New gives an empty path and an editable editor; Open
    // takes both from the frame's file-open dialog.
    enum class TOrigin { New, Open };

    // Runs FormCreate during construction. The frame must outlive the window.
    TMDIChild(IDocumentFrame& frame, TOrigin origin, QWidget* parent = nullptr);
    ~TMDIChild() override;

    // Full path of the file shown, as chosen in an open or save dialog; empty after New.
    const std::string& SourcePath() const { return m_sourcePath; }
    void SetSourcePath(const std::string& path) { m_sourcePath = path; }
    // Set by every change of the text; cleared at creation and after a save.
    bool TextChanged() const { return m_textChanged; }
    void SetTextChanged(bool changed) { m_textChanged = changed; }
    // Kept by the search flow: false until the first search from a dialog.
    bool ContinueFromCaret() const;
    void SetContinueFromCaret(bool value);

    // The window's editor, tool bar and status bar, and the actions of its tool bar.
    TSynEdit* SynEditor() const { return m_synEditor; }
    QToolBar* tbMain() const { return m_tbMain; }
    QStatusBar* StatusBar() const { return m_statusBar; }
    QAction* actSearch() const { return m_actSearch; }
    QAction* actSearchNext() const { return m_actSearchNext; }
    QAction* actSearchPrev() const { return m_actSearchPrev; }
    QAction* actSearchReplace() const { return m_actSearchReplace; }
    QAction* actChangeStyle() const { return m_actChangeStyle; }

    // The window's own highlighter, recoloured from the configuration file at every activation.
    TSynCppSyn& SynCppSyn1() const { return *m_synCppSyn1; }
    // The library completion list on Ctrl+Space in the editor.
    TSynCompletionProposal& SynCompletionProposal1() const { return *m_synCompletionProposal1; }
    // The names of the code that Ctrl+Space adds to the library list.
    TCodeCompletion& CodeCompletion() const { return *m_codeCompletion; }
    // The C and assembly highlighters, chosen by the file's name at every activation.
    TDocumentHighlighters& Highlighters() const { return *m_highlighters; }

    // Takes SourcePath and the read-only state from the frame's file-open dialog and clears
    // TextChanged. The frame's Save runs it again on an existing window.
    void FormCreate();
    // The activation step: records the file in the frame and applies the configured colours.
    // A colour that is not an integer stops it with the conversion error; colours applied
    // before it stay.
    void m();
    // Toggles between a navy background with the own highlighter and a white one with the
    // frame's highlighter.
    void actChangeStyleExecute();
    void SynEditorChange();

    // Connects an action to its handler through the general error report and enables it.
    void BindAction(QAction* action, std::function<void()> handler);

    // The window's caption: a file name (bytes in the file system's encoding) or "Vesk" and a
    // number. It is kept as given, so a name that Qt cannot show exactly still saves exactly.
    // The title shows it with " *" after it while the text has unsaved changes.
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption);

    // True while the editor's text differs from the one loaded or last saved.
    bool IsModified() const;

    // The file on disk as it was when the text was loaded from it or last saved to it, and as it
    // was when it was last looked at (a change the user chose to keep is seen, not loaded).
    const TFileStamp& LoadedStamp() const { return m_loadedStamp; }
    const TFileStamp& SeenStamp() const { return m_seenStamp; }
    void SetSeenStamp(const TFileStamp& stamp) { m_seenStamp = stamp; }
    // Records that the text and the file agree as of this stamp; clears the deleted mark.
    void SetDiskStamp(const TFileStamp& stamp);
    // False until the window's file was first loaded or saved: only then is there a file to
    // compare with.
    bool HasDiskStamp() const { return m_hasDiskStamp; }
    // A file removed by another program: the title says "(deleted)", the text stays.
    void SetDeletedOnDisk(bool deleted);

    // Asked before the window closes; returning false keeps it open. Unset, it always closes.
    void SetOnCloseQuery(std::function<bool()> query) { m_onCloseQuery = std::move(query); }

  signals:
    // The caret, the insert mode, the read-only state or the modified state of the editor
    // changed.
    void EditorStatusChanged();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void UpdateTitle();

    void CreateActions();
    void CreateToolBar();
    void SetUpEditor();
    QAction* NewAction(const char* caption, int image, int shortcut);

    IDocumentFrame& m_frame;
    std::string m_caption;
    std::string m_sourcePath;
    bool m_textChanged = false;
    bool m_deletedOnDisk = false;
    bool m_hasDiskStamp = false;
    TFileStamp m_loadedStamp;
    TFileStamp m_seenStamp;
    std::function<bool()> m_onCloseQuery;
    // Children of the window; the editor is freed early by the destructor (see there).
    TSynEdit* m_synEditor = nullptr;
    QToolBar* m_tbMain = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QAction* m_actSearch = nullptr;
    QAction* m_actSearchNext = nullptr;
    QAction* m_actSearchPrev = nullptr;
    QAction* m_actSearchReplace = nullptr;
    QAction* m_actChangeStyle = nullptr;
    // Declared before the editor is created and freed only after the editor (see destructor).
    std::unique_ptr<TSynCppSyn> m_synCppSyn1;
    // Unhooks itself from the editor, so it goes before the editor does.
    std::unique_ptr<TSynCompletionProposal> m_synCompletionProposal1;
    // Hooks the popup's events, so it goes before the popup does.
    std::unique_ptr<TCodeCompletion> m_codeCompletion;
    std::unique_ptr<TDocumentHighlighters> m_highlighters;
    std::unique_ptr<TSearchFlow> m_searchFlow;
};
