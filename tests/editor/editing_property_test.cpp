// Long random command sequences with a fixed seed: undoing everything gives back the original
// text exactly, redoing everything the final text; caret and selection stay inside their
// clamps; a read-only editor's text never changes.
#include <gtest/gtest.h>

#include <random>

#include "editing_markup.h"
#include "editor/editor_commands.h"
#include "editor/synedit_clipboard.h"
#include "editor/undo_list.h"
#include "editor_invariants.h"
#include "synedit_test_support.h"

namespace {

class RandomEditing {
  public:
    RandomEditing(TCustomSynEdit& editor, unsigned seed) : m_e(editor), m_rng(seed) {
        m_e.SetClipboard(&m_clipboard);
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

    std::string RandomLine() {
        static const char kChars[] = "ab  \tx(){}_1";
        std::string s;
        int n = Pick(9);
        for (int i = 0; i < n; ++i) s += kChars[Pick(sizeof kChars - 1)];
        return s;
    }

    std::string RandomText() {
        std::string s = RandomLine();
        int breaks = Pick(3);
        for (int i = 0; i < breaks; ++i) s += (Pick(3) == 0 ? "\n" : "\r\n") + RandomLine();
        return s;
    }

    TBufferCoord RandomPosition() {
        int line = 1 + Pick(std::max(1, m_e.Lines().GetCount()));
        int length = static_cast<int>(m_e.Lines().GetView(line - 1).size());
        return {1 + Pick(length + 4), line};
    }

    // One random step; commandsOnly leaves out the calls that are not editor commands.
    void Step(bool commandsOnly) {
        int what = Pick(30);
        if (commandsOnly && what == 21) return;
        switch (what) {
            case 0:
            case 1:
                m_e.SetCaretXY(RandomPosition());
                m_e.SetBlockBegin(m_e.CaretXY());
                break;
            case 2:
            case 3: {
                m_e.SetSelectionMode(static_cast<TSynSelectionMode>(Pick(3)));
                TBufferCoord a = RandomPosition();
                TBufferCoord b = RandomPosition();
                m_e.SetCaretAndSelection(b, a, b);
                break;
            }
            case 4:
                m_e.SetInsertMode(Pick(2) == 0);
                break;
            case 5:
            case 6:
            case 7: {
                static const char kTyped[] = "xy z(";
                m_e.ProcessCommand(ecChar, kTyped[Pick(sizeof kTyped - 1)]);
                break;
            }
            case 8:
                m_e.ProcessCommand(Pick(3) == 0 ? ecInsertLine : ecLineBreak);
                break;
            case 9:
            case 10:
                m_e.ProcessCommand(ecDeleteLastChar);
                break;
            case 11:
                m_e.ProcessCommand(ecDeleteChar);
                break;
            case 12: {
                static const TSynEditorCommand kRanges[] = {ecDeleteWord, ecDeleteEOL,
                                                            ecDeleteLastWord, ecDeleteBOL};
                m_e.ProcessCommand(kRanges[Pick(4)]);
                break;
            }
            case 13:
                m_e.ProcessCommand(ecDeleteLine);
                break;
            case 14:
                m_e.ProcessCommand(ecTab);
                break;
            case 15:
                m_e.ProcessCommand(Pick(2) ? ecBlockIndent : ecBlockUnindent);
                break;
            case 16:
            case 17:
                m_clipboard.SetText(RandomText(), static_cast<TSynSelectionMode>(Pick(3)));
                m_e.ProcessCommand(ecPaste);
                break;
            case 18:
                m_clipboard.SetPlainText(RandomText());
                m_e.ProcessCommand(ecPaste);
                break;
            case 19:
                m_e.ProcessCommand(ecCopy);
                m_e.SetCaretXY(RandomPosition());
                m_e.SetBlockBegin(m_e.CaretXY());
                m_e.ProcessCommand(ecPaste);
                break;
            case 20:
                m_e.ProcessCommand(ecCut);
                break;
            case 21: {
                static const char* kPatterns[] = {"a", "b ", "x", "  "};
                static const char* kReplacements[] = {"", "AB", "\t", "q"};
                m_e.FindReplace(kPatterns[Pick(4)], kReplacements[Pick(4)],
                                foReplaceAll | foEntireScope);
                break;
            }
            case 22: {
                std::string s = Pick(2) ? "ab" : "x  y";
                m_e.ProcessCommand(ecImeStr, 0, s.data());
                break;
            }
            case 23:
                m_e.SetOptions(m_e.Options() ^ (Pick(2) ? eoTrimTrailingSpaces : eoAutoIndent));
                break;
            case 24:
                m_e.SetOptions(m_e.Options() ^ eoScrollPastEol);
                break;
            case 25:
                m_e.ProcessCommand(Pick(2) ? ecSelWordRight : ecSelDown);
                break;
            case 26:
                m_e.SetOptions(m_e.Options() ^ eoSmartTabs);
                break;
            case 27:
            case 28:
                m_e.ProcessCommand(ecUndo);
                break;
            default:
                m_e.ProcessCommand(ecRedo);
                break;
        }
    }

    void CheckClamps() {
        const int lines = std::max(1, m_e.Lines().GetCount());
        auto inside = [&](TBufferCoord p) {
            return p.Line >= 1 && p.Line <= lines && p.Char >= 1 && p.Char <= m_e.MaxLeftChar();
        };
        ASSERT_TRUE(inside(m_e.CaretXY()));
        ASSERT_TRUE(inside(m_e.BlockBeginRaw()));
        ASSERT_TRUE(inside(m_e.BlockEndRaw()));
        if (!m_e.HasOption(eoScrollPastEol)) {
            int length = static_cast<int>(m_e.Lines().GetView(m_e.CaretY() - 1).size());
            ASSERT_LE(m_e.CaretX(), length + 1);
        }
    }

  private:
    TCustomSynEdit& m_e;
    std::mt19937 m_rng;
    TSynMemoryClipboard m_clipboard;
};

void LoadRandomText(TCustomSynEdit& e, RandomEditing& r) {
    std::vector<std::string> lines;
    int n = 1 + r.Pick(8);
    for (int i = 0; i < n; ++i) lines.push_back(r.RandomLine());
    e.Lines().Clear();
    e.Lines().AddStrings(lines);
    e.ClearUndo();
}

class EditingProperty : public ::testing::TestWithParam<unsigned> {};

TEST_P(EditingProperty, UndoAllRestoresAndRedoAllReplays) {
    TestEditor t;
    TCustomSynEdit& e = t.editor;
    e.SetMaxUndo(1'000'000);
    RandomEditing r(e, GetParam());
    for (int round = 0; round < 40; ++round) {
        LoadRandomText(e, r);
        const std::string original = EditorText(e);
        for (int i = 0; i < 60; ++i) {
            r.Step(false);
            r.CheckClamps();
            if (HasFatalFailure()) return;
            ASSERT_EQ(CheckInvariants(e), "")
                << "seed " << GetParam() << " round " << round << " step " << i;
        }
        // Groups undone by the sequence itself are redone first: the furthest state reachable.
        int guard = 0;
        while (e.CanRedo() && ++guard < 100000) e.Redo();
        const std::string final = EditorText(e);
        while (e.CanUndo() && ++guard < 100000) e.Undo();
        ASSERT_EQ(EditorText(e), original) << "seed " << GetParam() << " round " << round;
        while (e.CanRedo() && ++guard < 200000) e.Redo();
        ASSERT_EQ(EditorText(e), final) << "seed " << GetParam() << " round " << round;
        r.CheckClamps();
        ASSERT_EQ(CheckInvariants(e), "") << "seed " << GetParam() << " round " << round;
    }
}

TEST_P(EditingProperty, ReadOnlyEditorKeepsItsText) {
    TestEditor t;
    TCustomSynEdit& e = t.editor;
    RandomEditing r(e, GetParam() + 1000);
    LoadRandomText(e, r);
    e.SetReadOnly(true);
    const std::string original = EditorText(e);
    for (int i = 0; i < 500; ++i) {
        int before = e.UndoList().ItemCount();
        r.Step(true);
        ASSERT_EQ(EditorText(e), original);
        ASSERT_EQ(CheckInvariants(e), "") << "step " << i;
        ASSERT_EQ(e.UndoList().ItemCount(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, EditingProperty, ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u));

}  // namespace
