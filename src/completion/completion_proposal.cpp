// Hooking editors, opening the popup on the shortcut and inserting the chosen line.
#include "completion/completion_proposal.h"

#include <QScreen>
#include <algorithm>

#include "completion/completion_match.h"
#include "completion/popup_placement.h"
#include "editor/editor_commands.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"

TSynCompletionProposal::TSynCompletionProposal(QObject* owner) : TSynBaseCompletionProposal(owner) {
    TSynBaseCompletionProposalForm& form = Form();
    form.OnKeyPress = [this](TSynBaseCompletionProposalForm*, char key) { FormKeyPress(key); };
    form.OnKeyDelete = [this](TSynBaseCompletionProposalForm*) { FormKeyDelete(); };
    form.OnCancel = [this](TSynBaseCompletionProposalForm*) { FormCancel(); };
    form.OnValidate = [this](TSynBaseCompletionProposalForm*, TShiftState shift) {
        FormValidate(shift);
    };
}

TSynCompletionProposal::~TSynCompletionProposal() {
    while (!m_editors.empty()) RemoveEditor(m_editors.back());
}

// ---------------------------------------------------------------- hooked editors

TSynEdit* TSynCompletionProposal::Editor() const {
    return m_editors.empty() ? nullptr : m_editors.front();
}

void TSynCompletionProposal::SetEditor(TSynEdit* editor) {
    AddEditor(editor);
}

int TSynCompletionProposal::IndexOf(const TCustomSynEdit* editor) const {
    for (std::size_t i = 0; i < m_editors.size(); ++i) {
        if (static_cast<const TCustomSynEdit*>(m_editors[i]) == editor) return static_cast<int>(i);
    }
    return -1;
}

void TSynCompletionProposal::AddEditor(TSynEdit* editor) {
    if (editor == nullptr || IndexOf(editor) >= 0) return;
    THookRecord record;
    record.KeyDown = editor->OnKeyDown;
    record.KeyPress = editor->OnKeyPress;
    const QObject* object = editor;
    record.Object = object;
    record.Destroyed =
        connect(editor, &QObject::destroyed, this, [this, object] { EditorDestroyed(object); });
    m_editors.push_back(editor);
    m_records.push_back(std::move(record));
    editor->OnKeyDown = [this, editor](TCustomSynEdit*, uint16_t& key, uint8_t shift) {
        EditorKeyDown(editor, key, shift);
    };
    editor->OnKeyPress = [this, editor](TCustomSynEdit*, char& ch) { EditorKeyPress(editor, ch); };
}

bool TSynCompletionProposal::RemoveEditor(TSynEdit* editor) {
    const int index = IndexOf(editor);
    if (index < 0) return false;
    THookRecord record = std::move(m_records[static_cast<std::size_t>(index)]);
    m_records.erase(m_records.begin() + index);
    m_editors.erase(m_editors.begin() + index);
    disconnect(record.Destroyed);
    editor->OnKeyDown = std::move(record.KeyDown);
    editor->OnKeyPress = std::move(record.KeyPress);
    return true;
}

void TSynCompletionProposal::EditorDestroyed(const QObject* object) {
    // The editor is gone: its handlers are not put back, and the popup forgets it.
    TSynEdit* current = Form().CurrentEditor;
    if (current != nullptr && static_cast<const QObject*>(current) == object) {
        Form().CurrentEditor = nullptr;
        Form().hide();
    }
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i].Object != object) continue;
        m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(i));
        m_editors.erase(m_editors.begin() + static_cast<std::ptrdiff_t>(i));
        return;
    }
}

void TSynCompletionProposal::EditorKeyDown(TSynEdit* editor, uint16_t& key, TShiftState shift) {
    int index = IndexOf(editor);
    if (index < 0) return;
    // The note to swallow a character belongs to the key that opened the popup; Qt delivers
    // that key's character with it or never, so any later key-down drops the note.
    m_records[static_cast<std::size_t>(index)].SwallowNextChar = false;
    TVirtualKey shortCutKey = 0;
    TShiftState shortCutShift = 0;
    ShortCutToKey(m_shortCut, shortCutKey, shortCutShift);
    if (m_shortCut != scNone && !editor->ReadOnly() && shift == shortCutShift &&
        key == shortCutKey) {
        OpenAtCaret(editor);
        key = 0;
        index = IndexOf(editor);  // OnExecute may have changed the hooked editors
        if (index < 0) return;
        m_records[static_cast<std::size_t>(index)].SwallowNextChar = true;
    }
    const TCustomSynEdit::TKeyEvent previous = m_records[static_cast<std::size_t>(index)].KeyDown;
    if (previous) previous(editor, key, shift);
}

void TSynCompletionProposal::EditorKeyPress(TSynEdit* editor, char& ch) {
    const int index = IndexOf(editor);
    if (index < 0) return;
    THookRecord& record = m_records[static_cast<std::size_t>(index)];
    if (record.SwallowNextChar) {
        ch = 0;
        record.SwallowNextChar = false;
    }
    const TCustomSynEdit::TKeyPressEvent previous = record.KeyPress;
    if (previous) previous(editor, ch);
}

std::string TSynCompletionProposal::WordBeforeCaret(const TCustomSynEdit& editor) const {
    const int line = editor.CaretY();
    const TSynEditStringList& lines = editor.Lines();
    if (line < 1 || line > lines.GetCount()) return {};
    return ::WordBeforeCaret(lines.GetView(line - 1), editor.CaretX(), m_endOfTokenChr);
}

void TSynCompletionProposal::OpenAtCaret(TSynEdit* editor) {
    const TBufferCoord caret = editor->CaretXY();
    // The column on the screen, where tabs before the caret count their width.
    const int column =
        caret.Line <= editor->Lines().GetCount() ? editor->LogicalToPhysical(caret) : caret.Char;
    const TPoint pixels = editor->RowColumnToPixels({column, caret.Line});
    QPoint at = editor->viewport()->mapToGlobal(QPoint(pixels.X, pixels.Y + editor->LineHeight()));
    if (const QScreen* screen = editor->screen()) {
        at = PlacePopup(at, editor->LineHeight(), Form().size(), screen->availableGeometry());
    }
    Form().CurrentEditor = editor;
    ExecutePopup(WordBeforeCaret(*editor), at.x(), at.y());
}

// ---------------------------------------------------------------- popup events

void TSynCompletionProposal::FormKeyPress(char key) {
    if (TSynEdit* editor = Form().CurrentEditor) editor->ProcessCommand(ecChar, key);
}

void TSynCompletionProposal::FormKeyDelete() {
    if (TSynEdit* editor = Form().CurrentEditor) editor->ProcessCommand(ecDeleteLastChar);
}

void TSynCompletionProposal::FormCancel() {
    ReturnToEditor();
}

void TSynCompletionProposal::FormValidate(TShiftState shift) {
    TSynEdit* editor = Form().CurrentEditor;
    if (editor == nullptr) return;
    const std::vector<std::string>& items = ItemList();
    const int position = Position();
    // A position left outside the list (the list was changed after it was set) has no line to
    // insert; the popup only closes.
    if (!editor->ReadOnly() && position >= 0 && position < static_cast<int>(items.size())) {
        const int length = static_cast<int>(CurrentString().size());
        const TBufferCoord caret = editor->CaretXY();
        const TBufferCoord wordStart{std::max(1, caret.Char - length), caret.Line};
        std::string value = items[static_cast<std::size_t>(position)];
        if (OnCodeCompletion) OnCodeCompletion(value, shift);
        // One undoable replacement of the word, exact also past the columns a selection reaches.
        editor->ReplaceTextRange(wordStart, caret, value);
    }
    ReturnToEditor();
}

void TSynCompletionProposal::ReturnToEditor() {
    Form().hide();
    TSynEdit* editor = Form().CurrentEditor;
    if (editor == nullptr) return;
    if (QWidget* owner = editor->parentWidget()) owner->activateWindow();
    editor->setFocus(Qt::OtherFocusReason);
}
