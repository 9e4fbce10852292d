#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editor_commands.h"
#include "editor/key_strokes.h"

namespace {

// The command numbers of the name table, in order, as ranges.
std::vector<int> ExpectedCommandOrder() {
    std::vector<int> order;
    auto range = [&order](int first, int last) {
        for (int n = first; n <= last; ++n) order.push_back(n);
    };
    range(0, 17);
    range(101, 117);
    range(199, 199);
    range(501, 511);
    for (int n : {550, 601, 602, 603, 201, 604}) order.push_back(n);
    range(211, 214);
    range(221, 223);
    range(610, 613);
    range(250, 250);
    range(231, 233);
    range(650, 650);
    range(1001, 1001);
    range(301, 310);
    range(351, 360);
    return order;
}

// The default bindings as "command shortcut-text", in their order.
constexpr const char* kExpectedDefaults = R"(
ecUp Up; ecSelUp Shift+Up; ecScrollUp Ctrl+Up
ecDown Down; ecSelDown Shift+Down; ecScrollDown Ctrl+Down
ecLeft Left; ecSelLeft Shift+Left; ecWordLeft Ctrl+Left; ecSelWordLeft Shift+Ctrl+Left
ecRight Right; ecSelRight Shift+Right; ecWordRight Ctrl+Right; ecSelWordRight Shift+Ctrl+Right
ecPageDown PgDn; ecSelPageDown Shift+PgDn; ecPageBottom Ctrl+PgDn; ecSelPageBottom Shift+Ctrl+PgDn
ecPageUp PgUp; ecSelPageUp Shift+PgUp; ecPageTop Ctrl+PgUp; ecSelPageTop Shift+Ctrl+PgUp
ecLineStart Home; ecSelLineStart Shift+Home; ecEditorTop Ctrl+Home; ecSelEditorTop Shift+Ctrl+Home
ecLineEnd End; ecSelLineEnd Shift+End; ecEditorBottom Ctrl+End; ecSelEditorBottom Shift+Ctrl+End
ecToggleMode Ins; ecCopy Ctrl+Ins; ecPaste Shift+Ins; ecDeleteChar Del; ecCut Shift+Del
ecDeleteLastChar BkSp; ecDeleteLastChar Shift+BkSp
ecDeleteLastWord Ctrl+BkSp; ecUndo Alt+BkSp; ecRedo Shift+Alt+BkSp
ecLineBreak Enter; ecSelectAll Ctrl+A; ecCopy Ctrl+C; ecBlockIndent Shift+Ctrl+I
ecLineBreak Ctrl+M; ecInsertLine Ctrl+N; ecDeleteWord Ctrl+T; ecBlockUnindent Shift+Ctrl+U
ecPaste Ctrl+V; ecCut Ctrl+X; ecDeleteLine Ctrl+Y; ecDeleteEOL Shift+Ctrl+Y; ecUndo Ctrl+Z
ecRedo Shift+Ctrl+Z
ecGotoMarker0 Ctrl+0; ecGotoMarker1 Ctrl+1; ecGotoMarker2 Ctrl+2
ecGotoMarker3 Ctrl+3; ecGotoMarker4 Ctrl+4
ecGotoMarker5 Ctrl+5; ecGotoMarker6 Ctrl+6; ecGotoMarker7 Ctrl+7
ecGotoMarker8 Ctrl+8; ecGotoMarker9 Ctrl+9
ecSetMarker0 Shift+Ctrl+0; ecSetMarker1 Shift+Ctrl+1; ecSetMarker2 Shift+Ctrl+2
ecSetMarker3 Shift+Ctrl+3; ecSetMarker4 Shift+Ctrl+4
ecSetMarker5 Shift+Ctrl+5; ecSetMarker6 Shift+Ctrl+6; ecSetMarker7 Shift+Ctrl+7
ecSetMarker8 Shift+Ctrl+8; ecSetMarker9 Shift+Ctrl+9
ecNormalSelect Shift+Ctrl+N; ecColumnSelect Shift+Ctrl+C; ecLineSelect Shift+Ctrl+L
ecTab Tab; ecShiftTab Shift+Tab; ecMatchBracket Shift+Ctrl+B)";

// Adds a binding without going through the duplicate check.
TSynEditKeyStroke& Bind(TSynEditKeyStrokes& table, TSynEditorCommand command, TShortCut first,
                        TShortCut second = 0) {
    TSynEditKeyStroke& item = table.Add();
    item.SetCommand(command);
    TVirtualKey key = 0;
    TShiftState shift = 0;
    ShortCutToKey(first, key, shift);
    item.SetKey(key);
    item.SetShift(shift);
    ShortCutToKey(second, key, shift);
    item.SetKey2(key);
    item.SetShift2(shift);
    return item;
}

// Splits text at ';' and line breaks into trimmed, non-empty parts.
std::vector<std::string> SplitRows(std::string_view text) {
    std::vector<std::string> rows;
    std::string row;
    for (char c : std::string(text) + "\n") {
        if (c == ';' || c == '\n') {
            std::size_t first = row.find_first_not_of(' ');
            if (first != std::string::npos) rows.push_back(row.substr(first));
            row.clear();
        } else {
            row += c;
        }
    }
    return rows;
}

}  // namespace

TEST(EditorCommands, NameTableHoldsTheNinetyCommandsInOrder) {
    auto names = EditorCommandNames();
    ASSERT_EQ(names.size(), 90u);
    std::vector<int> order;
    std::set<std::string> distinct;
    for (const TSynEditorCommandName& entry : names) {
        order.push_back(entry.Command);
        distinct.insert(entry.Name);
        EXPECT_EQ(EditorCommandToName(entry.Command), entry.Name);
        EXPECT_EQ(EditorCommandFromName(entry.Name), entry.Command) << entry.Name;
    }
    EXPECT_EQ(order, ExpectedCommandOrder());
    EXPECT_EQ(distinct.size(), 90u);

    EXPECT_STREQ(names[0].Name, "ecNone");
    EXPECT_STREQ(names[35].Name, "ecSelectAll");
    EXPECT_STREQ(names[51].Name, "ecCopy");
    EXPECT_STREQ(names[69].Name, "ecUserFirst");
    EXPECT_STREQ(names[89].Name, "ecSetMarker9");
    EXPECT_EQ(EditorCommandFromName("ecUp"), 3);
    EXPECT_EQ(EditorCommandFromName("ecSelGotoXY"), 117);
    EXPECT_EQ(EditorCommandFromName("ecAutoCompletion"), 650);
}

TEST(EditorCommands, UnnamedNumbersAreWrittenAsDecimalAndOnlyNamesReadBack) {
    EXPECT_EQ(EditorCommandToName(1200), "1200");
    EXPECT_EQ(EditorCommandToName(18), "18");
    EXPECT_EQ(EditorCommandToName(65535), "65535");
    for (const char* text : {"1200", "3", "ecup", "ECUP", " ecUp", "ecUp ", "", "ecSelection"})
        EXPECT_FALSE(EditorCommandFromName(text).has_value()) << text;
}

TEST(KeyStrokes, DefaultsAreTheEightyBindingsInOrder) {
    TSynEditKeyStrokes table;
    table.Add().SetCommand(ecUserFirst);  // replaced by the reset
    table.ResetDefaults();
    ASSERT_EQ(table.Count(), 80);
    ASSERT_EQ(DefaultKeyStrokes().size(), 80u);
    EXPECT_EQ(table[0].ShortCut(), 38);
    EXPECT_EQ(table[1].ShortCut(), 8230);
    EXPECT_EQ(table[2].ShortCut(), 16422);
    EXPECT_EQ(table[2].Command(), ecScrollUp);
    EXPECT_EQ(table[38].Key(), VK_BACK);
    EXPECT_EQ(table[38].Shift(), ssAlt);
    EXPECT_EQ(table[38].Command(), ecUndo);
    EXPECT_EQ(table[79].ShortCut(), scShift | scCtrl | 'B');

    const std::vector<std::string> expected = SplitRows(kExpectedDefaults);
    ASSERT_EQ(expected.size(), 80u);
    std::set<TShortCut> shortcuts;
    for (int i = 0; i < table.Count(); ++i) {
        const TSynEditKeyStroke& item = table[i];
        EXPECT_EQ(EditorCommandToName(item.Command()) + " " + ShortCutToText(item.ShortCut()),
                  expected[i]);
        EXPECT_EQ(item.ShortCut2(), 0) << i;
        EXPECT_EQ(item.ShortCut(), DefaultKeyStrokes()[i].ShortCut);
        shortcuts.insert(item.ShortCut());
    }
    EXPECT_EQ(shortcuts.size(), 80u);
    for (TSynEditorCommand unbound :
         {ecInsertMode, ecOverwriteMode, ecScrollLeft, ecScrollRight, ecPageLeft, ecPageRight,
          ecSelPageLeft, ecSelPageRight, ecGotoXY, ecSelGotoXY, ecDeleteBOL, ecClearAll, ecImeStr,
          ecAutoCompletion})
        EXPECT_EQ(table.FindCommand(unbound), -1) << unbound;
}

TEST(KeyStrokes, DuplicateShortCutRaisesAndLeavesTheItemUnchanged) {
    TSynEditKeyStrokes table;
    table.ResetDefaults();
    TSynEditKeyStroke& up = table[0];
    TSynEditKeyStroke& free = table.Add();
    free.SetShortCut(VK_F3);
    try {
        free.SetShortCut(ShortCut(VK_UP, ssCtrl));
        FAIL() << "no error for a duplicate shortcut";
    } catch (const ESynKeyError& error) {
        EXPECT_STREQ(error.what(), "Shortcut already exists");
    }
    EXPECT_EQ(free.Key(), VK_F3);
    EXPECT_EQ(free.Shift(), 0);

    up.SetShortCut(38);  // an item never conflicts with itself
    EXPECT_EQ(up.ShortCut(), 38);
    free.SetShortCut(0);
    up.SetShortCut(0);  // 0 never conflicts, even twice
    EXPECT_EQ(up.ShortCut(), 0);

    // The pair decides: the same first key with another second key is no duplicate.
    TSynEditKeyStroke& sequence = table.Add();
    sequence.SetShortCut2('B');
    sequence.SetShortCut(VK_DOWN);
    EXPECT_EQ(sequence.ShortCut(), VK_DOWN);
    TSynEditKeyStroke& other = table.Add();
    EXPECT_THROW(other.SetShortCut(VK_DOWN), ESynKeyError);  // the one-key Down default
    EXPECT_EQ(other.ShortCut(), 0);
    other.SetShortCut(scAlt | VK_DOWN);
    other.SetShortCut2('B');
    TSynEditKeyStroke& third = table.Add();
    third.SetShortCut(scAlt | VK_DOWN);
    EXPECT_THROW(third.SetShortCut2('B'), ESynKeyError);
    EXPECT_EQ(third.ShortCut2(), 0);
    third.SetShortCut2(scShift | 'B');
    EXPECT_EQ(third.Key2(), 'B');
    EXPECT_EQ(third.Shift2(), ssShift);

    // Free items and assigned copies are not checked.
    TSynEditKeyStroke loose;
    loose.SetShortCut(38);
    table.Add().Assign(table[1]);
    EXPECT_EQ(table[table.Count() - 1].ShortCut(), 8230);
    EXPECT_EQ(table[table.Count() - 1].Command(), ecSelUp);
}

TEST(KeyStrokes, AssignCopiesEveryItemIntoAClearedTable) {
    TSynEditKeyStrokes source;
    source.ResetDefaults();
    Bind(source, 1200, scCtrl | 'K', 'B');
    TSynEditKeyStrokes target;
    Bind(target, ecUserFirst, VK_F3);
    target.Assign(source);
    ASSERT_EQ(target.Count(), 81);
    for (int i = 0; i < target.Count(); ++i) {
        EXPECT_EQ(target[i].Command(), source[i].Command());
        EXPECT_EQ(target[i].ShortCut(), source[i].ShortCut());
        EXPECT_EQ(target[i].ShortCut2(), source[i].ShortCut2());
        EXPECT_EQ(target[i].Collection(), &target);
        EXPECT_EQ(target[i].Index(), i);
    }
    target[0].SetCommand(ecNone);
    EXPECT_EQ(source[0].Command(), ecUp);
    target.Assign(target);
    EXPECT_EQ(target.Count(), 81);
    target.Delete(0);
    EXPECT_EQ(target[0].Command(), ecSelUp);
    EXPECT_THROW(target.Items(80), std::out_of_range);
}

TEST(KeyStrokes, DisplayNameShowsCommandAndShortCuts) {
    TSynEditKeyStrokes table;
    EXPECT_EQ(Bind(table, ecUp, VK_UP).DisplayName(), "ecUp - Up ");
    EXPECT_EQ(Bind(table, 1200, VK_F3).DisplayName(), "1200 - F3 ");
    EXPECT_EQ(Bind(table, ecMatchBracket, scCtrl | 'K', scShift | 'B').DisplayName(),
              "ecMatchBracket - Ctrl+K Shift+B");
    EXPECT_EQ(table.Add().DisplayName(), "ecNone - ");
    // Without a first key the second is not shown.
    EXPECT_EQ(Bind(table, ecCopy, 0, 'C').DisplayName(), "ecCopy - ");
}

TEST(KeyStrokes, FindDistinguishesOneKeyAndTwoKeyBindings) {
    TSynEditKeyStrokes table;
    Bind(table, ecMatchBracket, scCtrl | 'K', 'B');
    Bind(table, ecCopy, scCtrl | 'K');
    Bind(table, ecCut, scCtrl | 'K');
    EXPECT_EQ(table.FindKeycode('K', ssCtrl), 1);
    EXPECT_EQ(table.FindKeycode('K', 0), -1);
    EXPECT_EQ(table.FindKeycode2('K', ssCtrl, 'B', 0), 0);
    EXPECT_EQ(table.FindKeycode2('K', ssCtrl, 'B', ssShift), -1);
    EXPECT_EQ(table.FindKeycode2('K', ssCtrl, 0, 0), 1);
}

TEST(KeyTranslation, SingleKeysAndTwoKeySequences) {
    TSynEditKeyStrokes table;
    table.ResetDefaults();
    TVirtualKey lastKey = 0;
    TShiftState lastShift = 0;
    auto press = [&](TVirtualKey key, TShiftState shift = 0) {
        return table.TranslateKey(key, shift, lastKey, lastShift);
    };

    EXPECT_EQ(press(VK_UP), ecUp);
    EXPECT_EQ(press(VK_BACK, ssAlt | ssShift), ecRedo);
    EXPECT_EQ(press('0', ssCtrl | ssShift), ecSetMarker0);

    // Ctrl+K is unbound: remembered, and B alone is looked up next.
    Bind(table, ecUserFirst + 1, 'B');
    EXPECT_EQ(press('K', ssCtrl), ecNone);
    EXPECT_EQ(lastKey, 'K');
    EXPECT_EQ(lastShift, ssCtrl);
    EXPECT_EQ(press('B'), ecUserFirst + 1);
    EXPECT_EQ(lastKey, 0);

    // With a two-key item the sequence wins over the single key, then memory is cleared.
    Bind(table, ecMatchBracket, scCtrl | 'K', 'B');
    EXPECT_EQ(press('K', ssCtrl), ecNone);
    EXPECT_EQ(press('B'), ecMatchBracket);
    EXPECT_EQ(lastKey, 0);
    EXPECT_EQ(press('B'), ecUserFirst + 1);

    // A modifier pressed alone between the keys breaks the sequence.
    EXPECT_EQ(press('K', ssCtrl), ecNone);
    EXPECT_EQ(press(VK_SHIFT, ssShift), ecNone);
    EXPECT_EQ(lastKey, 0);
    EXPECT_EQ(press('B'), ecUserFirst + 1);

    // An unmatched key in 30..145 replaces the remembered one; others clear it.
    EXPECT_EQ(press('Q', ssAlt), ecNone);
    EXPECT_EQ(press('K', ssCtrl), ecNone);
    EXPECT_EQ(press('B'), ecMatchBracket);
    EXPECT_EQ(press(VK_F12), ecNone);
    EXPECT_EQ(lastKey, VK_F12);
    EXPECT_EQ(press(VK_ESCAPE), ecNone);
    EXPECT_EQ(lastKey, 0);
    EXPECT_EQ(press('K', ssCtrl), ecNone);
    EXPECT_EQ(press(VK_OEM_1), ecNone);
    EXPECT_EQ(lastKey, 0);
    EXPECT_EQ(press(VK_SCROLL), ecNone);
    EXPECT_EQ(lastKey, VK_SCROLL);
    EXPECT_EQ(press(29), ecNone);
    EXPECT_EQ(lastKey, 0);
}
