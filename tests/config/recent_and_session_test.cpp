// The recent-file list in the configuration file, and the session file's format and storage.
#include <gtest/gtest.h>

#include "config/recent_files.h"
#include "config/session_file.h"
#include "platform/profile.h"
#include "platform/scratch_directory.h"

namespace {

std::vector<std::string> Names(int from, int to) {
    std::vector<std::string> names;
    for (int i = from; i <= to; ++i) names.push_back("/src/f" + std::to_string(i) + ".c");
    return names;
}

TEST(RecentFiles, NewestFirstWithoutRepeatsAndAtMostTen) {
    std::vector<std::string> list;
    for (const std::string& name : Names(1, 12)) list = WithRecentFirst(list, name);
    std::vector<std::string> expected = Names(3, 12);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(list, expected);
    list = WithRecentFirst(list, "/src/f7.c");
    EXPECT_EQ(list.front(), "/src/f7.c");
    EXPECT_EQ(list.size(), 10u);
    EXPECT_EQ(std::count(list.begin(), list.end(), "/src/f7.c"), 1);
}

TEST(RecentFiles, KeptInTheConfigurationFileBesideItsOtherKeys) {
    ScratchDirectory dir;
    const std::string config = dir.Write("veskide.ini", "[C]\r\npcecc=cc.exe\r\n");
    TRecentFiles recent(config);
    EXPECT_TRUE(recent.Items().empty());
    for (const std::string& name : Names(1, 11)) recent.Add(name);
    const std::vector<std::string> items = recent.Items();
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items.front(), "/src/f11.c");
    EXPECT_EQ(items.back(), "/src/f2.c");
    EXPECT_EQ(ReadProfileString(config, "RECENT", "File1", ""), "/src/f11.c");
    EXPECT_EQ(ReadProfileString(config, "C", "pcecc", ""), "cc.exe");
    EXPECT_EQ(dir.Read("veskide.ini").substr(0, 22), "[C]\r\npcecc=cc.exe\r\n[RE");

    recent.Remove("/src/f5.c");
    const std::vector<std::string> left = recent.Items();
    EXPECT_EQ(left.size(), 9u);
    EXPECT_EQ(std::count(left.begin(), left.end(), "/src/f5.c"), 0);
    // Names that would not come back whole stay out.
    recent.Add("/src/two\nlines.c");
    recent.Add(" /src/blank.c");
    recent.Add("");
    EXPECT_EQ(recent.Items().front(), "/src/f11.c");
    recent.Clear();
    EXPECT_TRUE(recent.Items().empty());
    EXPECT_EQ(ReadProfileString(config, "C", "pcecc", ""), "cc.exe");

    // Many files at once (a command line of them) end as the same list one by one would.
    std::vector<std::string> many = Names(1, 30);
    many.insert(many.begin() + 3, "/src/two\nlines.c");
    recent.AddAll(many);
    TRecentFiles oneByOne(dir.Write("other.ini", ""));
    for (const std::string& name : many) oneByOne.Add(name);
    EXPECT_EQ(recent.Items(), oneByOne.Items());
    EXPECT_EQ(recent.Items().front(), "/src/f30.c");
    EXPECT_EQ(recent.Items().back(), "/src/f21.c");
}

TEST(RecentFiles, GapsAndRepeatsWrittenByHandAreSkipped) {
    ScratchDirectory dir;
    const std::string config =
        dir.Write("veskide.ini", "[RECENT]\nFile2=/a.c\nFile4=/b.c\nFile5=/a.c\n");
    TRecentFiles recent(config);
    EXPECT_EQ(recent.Items(), (std::vector<std::string>{"/a.c", "/b.c"}));
    recent.Add("/b.c");
    EXPECT_EQ(recent.Items(), (std::vector<std::string>{"/b.c", "/a.c"}));
    EXPECT_EQ(ReadProfileString(config, "RECENT", "File5", "x"), "");
}

TSession SampleSession() {
    TSession session;
    TSessionDocument a;
    a.Path = "/src/game.c";
    a.CaretX = 7;
    a.CaretY = 120;
    a.TopLine = 101;
    a.Left = 10;
    a.Top = 20;
    a.Width = 618;
    a.Height = 426;
    a.Stack = 1;
    a.Bookmarks = {{0, 1, 5}, {7, 3, 140}};
    TSessionDocument b;
    b.Path = "/src/with = sign;and:colon.asm";
    b.WindowState = swsMaximized;
    session.Documents = {a, b};
    session.Active = 1;
    return session;
}

TEST(SessionFile, WhatIsWrittenReadsBackTheSame) {
    const TSession session = SampleSession();
    EXPECT_EQ(ParseSession(FormatSession(session)), session);
    ScratchDirectory dir;
    WriteSessionFile(dir / "session", session);
    EXPECT_EQ(ReadSessionFile(dir / "session"), session);
    EXPECT_EQ(ReadSessionFile(dir / "none"), TSession());
}

TEST(SessionFile, UnreadablePartsAreSkippedAndTheActiveWindowStaysRight) {
    TSession session = SampleSession();
    session.Documents.insert(session.Documents.begin(), TSessionDocument{});
    session.Documents.front().Path = "/two\nlines.c";
    session.Active = 2;
    const TSession back = ParseSession(FormatSession(session));
    ASSERT_EQ(back.Documents.size(), 2u);
    EXPECT_EQ(back.Active, 1);
    EXPECT_EQ(back.Documents[1].Path, "/src/with = sign;and:colon.asm");

    const TSession odd = ParseSession(
        "junk\r\n[Session]\r\nActive=x\r\n[Document]\r\nCaret=a,9\r\n[Document]\r\nPath=/p.c\r\n"
        "Caret=3\r\nBookmarks=12:1:1;2:4:5;;bad\r\n");
    ASSERT_EQ(odd.Documents.size(), 1u);
    EXPECT_EQ(odd.Active, -1);
    EXPECT_EQ(odd.Documents[0].CaretX, 3);
    EXPECT_EQ(odd.Documents[0].CaretY, 1);
    EXPECT_EQ(odd.Documents[0].Bookmarks, (std::vector<TSessionBookmark>{{2, 4, 5}}));
}

}  // namespace
