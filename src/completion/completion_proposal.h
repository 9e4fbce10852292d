// TSynCompletionProposal: the completion popup attached to editors. It hooks the key handlers
// of each editor it is given, opens the popup below the caret on its shortcut, sends the
// characters typed into the popup on to the editor, and on Enter replaces the word before the
// caret with the chosen line.
#pragma once

#include <QMetaObject>
#include <string>
#include <vector>

#include "completion/base_completion_proposal.h"
#include "editor/custom_synedit.h"
#include "platform/keys.h"

class TSynEdit;

class TSynCompletionProposal : public TSynBaseCompletionProposal {
    Q_OBJECT
  public:
    // The text about to be inserted; the handler may change it.
    using TCodeCompletionEvent = std::function<void(std::string& Value, TShiftState Shift)>;

    explicit TSynCompletionProposal(QObject* owner = nullptr);
    ~TSynCompletionProposal() override;

    TShortCut ShortCut() const { return m_shortCut; }
    void SetShortCut(TShortCut value) { m_shortCut = value; }
    // The first hooked editor, or none.
    TSynEdit* Editor() const;
    // Hooks the editor (see AddEditor).
    void SetEditor(TSynEdit* editor);
    const std::string& EndOfTokenChr() const { return m_endOfTokenChr; }
    void SetEndOfTokenChr(std::string value) { m_endOfTokenChr = std::move(value); }

    // Hooks an editor's key-down and key-press handlers, keeping the ones it had; an editor
    // already hooked is left alone. The editor is dropped when it is destroyed.
    void AddEditor(TSynEdit* editor);
    // Unhooks an editor and puts its own handlers back; false when it was not hooked.
    bool RemoveEditor(TSynEdit* editor);
    int EditorsCount() const { return static_cast<int>(m_editors.size()); }

    // The word before the caret of an editor, ended by a blank or a character of EndOfTokenChr.
    std::string WordBeforeCaret(const TCustomSynEdit& editor) const;

    TCodeCompletionEvent OnCodeCompletion;

  private:
    // What an editor had before it was hooked.
    struct THookRecord {
        TCustomSynEdit::TKeyEvent KeyDown;
        TCustomSynEdit::TKeyPressEvent KeyPress;
        bool SwallowNextChar = false;
        const QObject* Object = nullptr;  // the editor as a QObject, for its destruction
        QMetaObject::Connection Destroyed;
    };

    int IndexOf(const TCustomSynEdit* editor) const;
    void EditorKeyDown(TSynEdit* editor, uint16_t& key, TShiftState shift);
    void EditorKeyPress(TSynEdit* editor, char& ch);
    void EditorDestroyed(const QObject* object);
    // Opens the popup below the caret of an editor.
    void OpenAtCaret(TSynEdit* editor);
    void FormKeyPress(char key);
    void FormKeyDelete();
    void FormCancel();
    void FormValidate(TShiftState shift);
    // Hides the popup and gives the keyboard back to the editor it was opened in.
    void ReturnToEditor();

    TShortCut m_shortCut = scCtrl | VK_SPACE;
    std::string m_endOfTokenChr = "()[].";
    std::vector<TSynEdit*> m_editors;
    std::vector<THookRecord> m_records;
};
