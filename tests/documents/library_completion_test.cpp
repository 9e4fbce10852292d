// The library completion list as data, and the document window's popup driven by real keys.
#include "documents/library_completion_list.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <algorithm>

#include "completion/completion_proposal.h"
#include "documents/code_completion.h"
#include "documents/document_frame.h"
#include "documents/mdi_child.h"
#include "editor/qt/bookmark_images.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "editor/synedit_clipboard.h"
#include "highlight/syn_cpp_syn.h"
#include "platform/qt/image_list.h"
#include "platform/qt/scripted_dialogs.h"
#include "search/qt/search_session.h"

namespace {

bool IsHeader(std::string_view item) {
    return item.starts_with("** ") && item.ends_with(" **");
}

TEST(LibraryCompletionList, TenCategoriesOfTheirSizesAndAnEmptyLastLine) {
    const auto& items = kLibraryCompletionItems;
    ASSERT_EQ(items.size(), 112u);
    EXPECT_EQ(items.back(), "");
    const std::vector<std::pair<std::string_view, int>> expected = {
        {"** VIDEO FUNCTIONS **", 14},     {"** PALETTE FUNCTIONS **", 8},
        {"** FONT FUNCTIONS **", 10},      {"** TEXT OUTPUT FUNCTIONS **", 12},
        {"** TILE & MAP FUNCTIONS **", 9}, {"** SPRITE FUNCTIONS **", 20},
        {"** JOYPAD FUNCTIONS **", 6},     {"** MISC FUNCTIONS **", 5},
        {"** MOUSE FUNCTIONS **", 5},      {"** BACKUP RAM FUNCTIONS **", 12}};
    std::vector<std::pair<std::string_view, int>> found;
    for (std::size_t i = 0; i + 1 < items.size(); ++i) {
        if (IsHeader(items[i])) {
            found.emplace_back(items[i], 0);
        } else {
            ASSERT_FALSE(found.empty()) << i;
            ++found.back().second;
            // Exactly two spaces of indent.
            EXPECT_TRUE(items[i].starts_with("  ") && items[i][2] != ' ') << i;
        }
    }
    EXPECT_EQ(found, expected);
}

TEST(LibraryCompletionList, ItemsAsListed) {
    const auto& items = kLibraryCompletionItems;
    EXPECT_EQ(items[0], "** VIDEO FUNCTIONS **");
    EXPECT_EQ(items[2], "  disp_on(); /*Enable display output.*/");
    EXPECT_EQ(items[5], "  vsync();");
    EXPECT_EQ(items[9],
              "  vram_addr(char x, char y);/*Simple function to return the screen video memory "
              "address of the character located at position x/y.*/");
    EXPECT_EQ(items[17],
              "  set_color_rgb(int num, char r, char g, char b);/* Set the specified color to "
              "the given rgb component*/");
    EXPECT_EQ(items[32],
              "  load_default_font(char num, int vaddr); /*Load a default font in "
              "video memory.*/");
    EXPECT_EQ(items[37],
              "  put_digit(char digit, char x, char y);/*Output a digit character '0'-'9' given "
              "its numeric value.*/");
    EXPECT_EQ(items[48], "** TILE & MAP FUNCTIONS **");
    EXPECT_EQ(items[64], "  spr_set(char num);");
    EXPECT_EQ(items[82], "  set_joy_callback(char num, char mask, char keys, void (*proc)());");
    EXPECT_EQ(items[110], "  bm_setup_ptr(char *fcb, char *buf, int offset, int nb);    [ 1.5+ ]");
    // "random" is the one function without a semicolon.
    EXPECT_EQ(items[91], "  random(char max)");
    int withoutSemicolon = 0;
    for (std::string_view item : items)
        if (item.starts_with("  ") && item.find(';') == std::string_view::npos) ++withoutSemicolon;
    EXPECT_EQ(withoutSemicolon, 1);
}

TEST(LibraryCompletionList, VersionMarksWithTheirSpacing) {
    // Index and the number of spaces before "[ 1.5+ ]".
    const std::vector<std::pair<int, int>> expected = {
        {53, 4},  {57, 4},  {95, 3},  {96, 4},  {97, 4},  {99, 4},  {100, 3}, {101, 4}, {102, 3},
        {103, 3}, {104, 4}, {105, 4}, {106, 5}, {107, 4}, {108, 3}, {109, 3}, {110, 4}};
    std::vector<std::pair<int, int>> found;
    for (int i = 0; i < static_cast<int>(kLibraryCompletionItems.size()); ++i) {
        std::string_view item = kLibraryCompletionItems[static_cast<std::size_t>(i)];
        if (!item.ends_with("[ 1.5+ ]")) {
            EXPECT_EQ(item.find("1.5+"), std::string_view::npos) << i;
            continue;
        }
        item.remove_suffix(8);
        const std::size_t text = item.find_last_not_of(' ');
        found.emplace_back(i, static_cast<int>(item.size() - text - 1));
    }
    EXPECT_EQ(found, expected);
}

// ---------------------------------------------------------------- in a document window

class TQuietFrame : public IDocumentFrame {
  public:
    TQuietFrame() : m_tools(16, 16), m_bookmarks(std::vector<QPixmap>(10, QPixmap(14, 14))) {
        for (int i = 0; i < 25; ++i) m_tools.Add(QPixmap(16, 16));
    }
    void SetSourceFile(const std::string&, const std::string&) override {}
    const TImageList& ToolImages() const override { return m_tools; }
    TSynImageList* BookmarkImages() override { return &m_bookmarks; }
    TSynCppSyn& FrameHighlighter() override { return m_highlighter; }
    std::string OpenDialogFileName() const override { return ""; }
    bool OpenDialogReadOnly() const override { return false; }
    std::array<std::string, scSchemeColorCount> ReadSchemeColors() const override {
        std::array<std::string, scSchemeColorCount> scheme;
        scheme.fill("16777215");
        return scheme;
    }
    TSearchSession& SearchSession() override { return m_search; }
    ISynClipboard& EditorClipboard() override { return m_clipboard; }

  private:
    TImageList m_tools;
    TSynPixmapList m_bookmarks;
    TSynCppSyn m_highlighter;
    TSearchSession m_search;
    TSynMemoryClipboard m_clipboard;
};

class DocumentCompletionTest : public ::testing::Test {
  protected:
    TScriptedDialogs dialogs;
    TDialogsScope scope{dialogs};
    TQuietFrame frame;
    std::unique_ptr<TMDIChild> window;

    void SetUp() override {
        window = std::make_unique<TMDIChild>(frame, TMDIChild::TOrigin::New);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        window->SynEditor()->setFocus();
        QApplication::processEvents();
    }
    void TearDown() override { EXPECT_TRUE(dialogs.Messages.empty()); }

    TSynEdit& Editor() { return *window->SynEditor(); }
    TSynCompletionProposal& Proposal() { return window->SynCompletionProposal1(); }
    QWidget& Popup() { return Proposal().Form(); }
};

TEST_F(DocumentCompletionTest, Settings) {
    TSynCompletionProposal& proposal = Proposal();
    EXPECT_EQ(proposal.Editor(), window->SynEditor());
    EXPECT_EQ(proposal.ShortCut(), 16416);
    EXPECT_EQ(proposal.NbLinesInWindow(), 16);
    EXPECT_EQ(proposal.Width(), 262);
    EXPECT_EQ(proposal.ClSelect(), 12632256);
    EXPECT_EQ(proposal.EndOfTokenChr(), "()[].");
    EXPECT_TRUE(proposal.AnsiStrings());
    EXPECT_EQ(proposal.Position(), 0);
    EXPECT_EQ(proposal.ItemList(), LibraryCompletionItems());
    // The code's names take over the insertion: an entry inserts its name.
    EXPECT_TRUE(proposal.OnCodeCompletion);
}

TEST_F(DocumentCompletionTest, CtrlSpaceInAnEmptyDocumentSelectsTheFirstHeader) {
    QTest::keyClick(&Editor(), Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(Popup().isVisible());
    EXPECT_EQ(Proposal().Position(), 0);
    // A category header names nothing: the text stays as it was.
    QTest::keyClick(&Popup(), Qt::Key_Return);
    EXPECT_FALSE(Popup().isVisible());
    EXPECT_EQ(Editor().Lines().Get(0), "");
}

TEST_F(DocumentCompletionTest, TypedWordFindsTheFirstSpriteCallAndEnterInsertsTheNext) {
    QTest::keyClicks(&Editor(), "spr");
    QTest::keyClick(&Editor(), Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(Popup().isVisible());
    EXPECT_EQ(Proposal().ItemList()[Proposal().Position()], "  spr_set(char num);");
    QTest::keyClick(&Popup(), Qt::Key_Down);
    QTest::keyClick(&Popup(), Qt::Key_Return);
    EXPECT_FALSE(Popup().isVisible());
    EXPECT_EQ(Editor().Lines().Get(0), "spr_x");
    // Typing goes on in the editor.
    QTest::keyClick(&Editor(), Qt::Key_A);
    EXPECT_EQ(Editor().Lines().Get(0), "spr_xa");
}

TEST_F(DocumentCompletionTest, TypingInThePopupNarrowsToTheWord) {
    QTest::keyClick(&Editor(), Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClicks(&Popup(), "BM_R");
    EXPECT_EQ(Editor().Lines().Get(0), "BM_R");
    EXPECT_EQ(Proposal().Position(), 102);  // bm_read
    QTest::keyClick(&Popup(), Qt::Key_Return);
    EXPECT_EQ(Editor().Lines().Get(0), "bm_read");
    Editor().Undo();
    EXPECT_EQ(Editor().Lines().Get(0), "BM_R");
}

TEST_F(DocumentCompletionTest, ShiftEnterInsertsTheCallAsListed) {
    QTest::keyClicks(&Editor(), "bm_rea");
    QTest::keyClick(&Editor(), Qt::Key_Space, Qt::ControlModifier);
    ASSERT_EQ(Proposal().Position(), 102);
    QTest::keyClick(&Popup(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(Editor().Lines().Get(0), "bm_read(char *buf, char *name, int offset, int nb);");
}

// ---------------------------------------------------------------- the code's names added

class CodeNamesCompletionTest : public DocumentCompletionTest {
  protected:
    void SetUp() override {
        DocumentCompletionTest::SetUp();
        window->CodeCompletion().SetNameSource([] {
            return std::vector<TCompletionName>{{"joy_read", "function \xB7 joystick.h"},
                                                {"joy_install", "function \xB7 joystick.h"},
                                                {"JoyState", "variable \xB7 main.c"}};
        });
    }
    const std::vector<std::string>& Items() { return Proposal().ItemList(); }
    std::string Selected() { return Items()[static_cast<std::size_t>(Proposal().Position())]; }
};

TEST_F(CodeNamesCompletionTest, NamesFollowTheListNarrowWithTheWordAndInsertAlone) {
    QTest::keyClicks(&Editor(), "  joy");
    QTest::keyClick(&Editor(), Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(Popup().isVisible());
    // The library list stays whole and first; the names that fit follow it, shorter first.
    ASSERT_EQ(Items().size(), 115u);
    EXPECT_EQ(Items()[80], "  joy(char num);");
    EXPECT_EQ(std::vector<std::string>(Items().begin() + 112, Items().end()),
              (std::vector<std::string>{"joy_read", "JoyState", "joy_install"}));
    EXPECT_EQ(Proposal().Form().ItemDetails()[112], "function \xB7 joystick.h");
    EXPECT_EQ(Selected(), "joy_read");
    // Typing on narrows the added names.
    QTest::keyClicks(&Popup(), "_i");
    EXPECT_EQ(Items().size(), 113u);
    EXPECT_EQ(Selected(), "joy_install");
    QTest::keyClick(&Popup(), Qt::Key_Return);
    EXPECT_EQ(Editor().Lines().Get(0), "  joy_install");
}

TEST_F(CodeNamesCompletionTest, ThePopupDrawsKindAndFileBesideTheName) {
    QTest::keyClicks(&Editor(), "joy_r");
    QTest::keyClick(&Editor(), Qt::Key_Space, Qt::ControlModifier);
    ASSERT_EQ(Selected(), "joy_read");
    TSynBaseCompletionProposalForm& form = Proposal().Form();
    const auto render = [&form] {
        QImage image(form.size(), QImage::Format_RGB32);
        {
            QPainter painter(&image);
            form.PaintTo(painter);
        }
        return image;
    };
    // The right half of the selected row: the note's pixels, else only the selection colour.
    const int row = Proposal().Position() - form.TopIndex();
    const auto rightHalfInk = [&](const QImage& image, int r) {
        const QRgb fill = image.pixel(form.ListAreaSize().width() - 2, 2 + r * form.RowHeight());
        int ink = 0;
        for (int y = 1 + r * form.RowHeight(); y < 1 + (r + 1) * form.RowHeight(); ++y)
            for (int x = form.ListAreaSize().width() / 2; x < form.ListAreaSize().width() - 2; ++x)
                ink += image.pixel(x, y) != fill ? 1 : 0;
        return ink;
    };
    const QImage withNote = render();
    EXPECT_GT(rightHalfInk(withNote, row), 10);
    // The library's empty last line above it has no note.
    EXPECT_EQ(rightHalfInk(withNote, row - 1), 0);
    form.SetItemDetails({});
    EXPECT_EQ(rightHalfInk(render(), row), 0);
}

}  // namespace
