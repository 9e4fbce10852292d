// Highlighter choice by file name, Change Style between own and light highlighters of either
// language, the configured colours reaching the assembly highlighter, and the gutter's error
// marks.
#include "documents/document_highlighters.h"

#include <gtest/gtest.h>

#include "documents/error_marks.h"
#include "editor/editor_commands.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "highlight/cpp_color_schemes.h"
#include "highlight/syn_asm_syn.h"
#include "highlight/syn_cpp_syn.h"

namespace {

TEST(DocumentHighlighters, LanguageComesFromTheFileName) {
    EXPECT_EQ(LanguageOfFile("/src/game.asm"), TDocumentLanguage::Assembly);
    EXPECT_EQ(LanguageOfFile("/src/GAME.ASM"), TDocumentLanguage::Assembly);
    EXPECT_EQ(LanguageOfFile("c:\\src\\boot.s"), TDocumentLanguage::Assembly);
    EXPECT_EQ(LanguageOfFile("boot.S"), TDocumentLanguage::Assembly);
    for (const char* path :
         {"/src/game.c", "/src/game.h", "/src/game.inc", "", "Vesk1", "/src/.asm", "/src/.s",
          "/src/x.asm/game.c", "/src/games", "/src/game.asm.bak"}) {
        EXPECT_EQ(LanguageOfFile(path), TDocumentLanguage::C) << path;
    }
}

TEST(DocumentHighlighters, ChoiceKeepsTheOwnOrLightState) {
    TSynCppSyn ownCpp;
    TSynCppSyn frameCpp;
    TDocumentHighlighters highlighters(ownCpp, frameCpp);
    TSynEdit editor;
    editor.SetHighlighter(&highlighters.Own());
    EXPECT_EQ(editor.Highlighter(), &ownCpp);

    highlighters.ChooseFor("/src/game.asm", editor);
    EXPECT_EQ(highlighters.Language(), TDocumentLanguage::Assembly);
    EXPECT_EQ(editor.Highlighter(), &highlighters.OwnAsm());

    // Light: the assembly highlighter in the frame's colours, not the frame's C one.
    editor.SetHighlighter(&highlighters.Light());
    EXPECT_NE(editor.Highlighter(), &frameCpp);
    EXPECT_NE(dynamic_cast<TSynAsmSyn*>(editor.Highlighter()), nullptr);
    highlighters.ChooseFor("/src/game.c", editor);
    EXPECT_EQ(editor.Highlighter(), &frameCpp);
    highlighters.ChooseFor("/src/other.c", editor);
    EXPECT_EQ(editor.Highlighter(), &frameCpp);
}

TEST(DocumentHighlighters, ConfiguredColoursReachBothLanguages) {
    TSynCppSyn ownCpp;
    TSynCppSyn frameCpp;
    TDocumentHighlighters highlighters(ownCpp, frameCpp);
    const TSchemeColor all[] = {scAsm, scComment, scDirective, scIdentifier,
                                scKey, scNumber,  scString};
    for (int i = 0; i < 7; ++i) highlighters.ApplySchemeColor(all[i], 100 + i);
    TSynAsmSyn& asmSyn = highlighters.OwnAsm();
    EXPECT_EQ(asmSyn.MnemonicAttri()->Foreground(), 100);
    EXPECT_EQ(asmSyn.CommentAttri()->Foreground(), 101);
    EXPECT_EQ(asmSyn.DirecAttri()->Foreground(), 102);
    EXPECT_EQ(asmSyn.IdentifierAttri()->Foreground(), 103);
    EXPECT_EQ(asmSyn.LabelAttri()->Foreground(), 104);
    EXPECT_EQ(asmSyn.NumberAttri()->Foreground(), 105);
    EXPECT_EQ(asmSyn.StringAttri()->Foreground(), 106);
    EXPECT_EQ(ownCpp.AsmAttri()->Foreground(), 100);
    EXPECT_EQ(ownCpp.KeyAttri()->Foreground(), 104);
    EXPECT_EQ(ownCpp.StringAttri()->Foreground(), 106);
    EXPECT_EQ(frameCpp.KeyAttri()->Foreground(), clNone);  // the frame's stays as it was
}

TEST(ErrorMarks, ReplacedOnEachCallAndMovedWithTheText) {
    TSynEdit editor;
    for (int i = 0; i < 10; ++i) editor.Lines().Add("line");
    editor.PlaceBookmark(1, 1, 4);
    SetErrorMarks(editor, {4, 2, 4, 0, 11, 10});
    EXPECT_EQ(ErrorMarkLines(editor), (std::vector<int>{2, 4, 10}));
    for (int i = 0; i < editor.Marks().Count(); ++i) {
        const TSynEditMark& mark = *editor.Marks().At(i);
        if (mark.IsBookmark()) continue;
        EXPECT_EQ(mark.ImageIndex(), kErrorMarkImage);
        EXPECT_TRUE(mark.Visible());
        EXPECT_FALSE(mark.InternalImage());
    }
    // A line break typed at the start of the text moves every mark down.
    editor.SetCaretXY({1, 1});
    editor.ProcessCommand(ecLineBreak);
    EXPECT_EQ(ErrorMarkLines(editor), (std::vector<int>{3, 5, 11}));
    SetErrorMarks(editor, {});
    EXPECT_TRUE(ErrorMarkLines(editor).empty());
    int column = 0;
    int line = 0;
    EXPECT_TRUE(editor.GetBookMark(1, column, line));  // bookmarks stay
    EXPECT_EQ(ErrorMarkPicture().size(), QSize(14, 14));
}

}  // namespace
