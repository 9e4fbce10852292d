// The project's symbol index and the history of jumps.
#include "project/symbol_index.h"

#include <gtest/gtest.h>

#include "platform/scratch_directory.h"
#include "project/jump_history.h"

namespace {

TEST(SymbolIndex, BuildsFromTheTreeAndFollowsEdits) {
    ScratchDirectory scratch;
    scratch.Write("Makefile", "all:\n");
    scratch.Write("main.c", "void TitleLoop(void);\nint main(void) {\n    TitleLoop();\n}\n");
    scratch.Write("src/player.asm", "TitleLoop:\n.wait  bra .wait\n_main:\n.wait  rts\n");
    scratch.Write("src/sprites.c", "int TitleLoop(void) { return 0; }\n");
    scratch.Write(".hidden/x.c", "int TitleLoop;\n");
    scratch.Write("notes.txt", "TitleLoop:\n");
    TSymbolIndex index(scratch.Path());
    index.Build({}, 2);
    EXPECT_EQ(index.FileCount(), 3);

    const std::vector<TSymbolLocation> found = index.Find("TitleLoop");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].Path, scratch / "src/player.asm");
    EXPECT_EQ(found[0].Symbol.Kind, TSymbolKind::Label);
    EXPECT_EQ(found[1].Path, scratch / "src/sprites.c");
    EXPECT_EQ(found[1].Symbol.Kind, TSymbolKind::Function);
    EXPECT_EQ(index.Find("main").size(), 1u);

    // Local labels of the same name belong to different labels.
    const std::vector<TSymbolLocation> waits = index.Find(".wait");
    ASSERT_EQ(waits.size(), 2u);
    EXPECT_EQ(waits[0].Symbol.Scope, "TitleLoop");
    EXPECT_EQ(waits[1].Symbol.Scope, "_main");
    EXPECT_EQ(index.ScopeAt(scratch / "src/player.asm", 4), "_main");
    EXPECT_EQ(index.ScopeAt(scratch / "src/player.asm", 2), "TitleLoop");

    // An edit, saved or not, replaces the file's symbols; a new file joins.
    index.UpdateFile(scratch / "src/sprites.c", "\n\nint spr_update(void) { return 1; }\n");
    EXPECT_EQ(index.Find("TitleLoop").size(), 1u);
    ASSERT_EQ(index.Find("spr_update").size(), 1u);
    EXPECT_EQ(index.Find("spr_update")[0].Symbol.Line, 3);
    index.UpdateFile(scratch / "new.h", "#define TitleLoop 1\n");
    EXPECT_EQ(index.Find("TitleLoop").size(), 2u);
    index.RemoveFile(scratch / "new.h");
    EXPECT_EQ(index.All().size(), 6u);
}

TEST(JumpHistory, BackAndForwardAcrossFilesWithALimit) {
    TJumpHistory history(50);
    EXPECT_FALSE(history.Back({"a.c", 1, 1}));
    history.Record({"a.c", 10, 5});
    history.Record({"b.asm", 3, 1});
    // At c.c now: back to b.asm, back to a.c, then forward again.
    EXPECT_EQ(history.Back({"c.c", 7, 2}), (TJumpPosition{"b.asm", 3, 1}));
    EXPECT_EQ(history.Back({"b.asm", 3, 1}), (TJumpPosition{"a.c", 10, 5}));
    EXPECT_FALSE(history.CanGoBack());
    EXPECT_EQ(history.Forward({"a.c", 10, 5}), (TJumpPosition{"b.asm", 3, 1}));
    EXPECT_EQ(history.Forward({"b.asm", 3, 1}), (TJumpPosition{"c.c", 7, 2}));
    EXPECT_FALSE(history.CanGoForward());
    // A new jump ends the way forward.
    history.Back({"c.c", 7, 2});
    history.Record({"b.asm", 3, 1});
    EXPECT_FALSE(history.CanGoForward());

    TJumpHistory limited(50);
    for (int i = 1; i <= 60; ++i) limited.Record({"f.c", i, 1});
    int steps = 0;
    TJumpPosition at{"f.c", 61, 1};
    while (auto back = limited.Back(at)) {
        at = *back;
        ++steps;
    }
    EXPECT_EQ(steps, 50);
    EXPECT_EQ(at.Line, 11);
}

}  // namespace
