// The document window against a frame that records what the window tells it: the colour scheme
// at every activation, Change Style, the file record, read-only creation, the tool bar and the
// editor's settings.
#include "documents/mdi_child.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QWidgetAction>
#include <map>

#include "documents/document_activation.h"
#include "documents/document_frame.h"
#include "documents/source_path.h"
#include "editor/qt/bookmark_images.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "editor/synedit_clipboard.h"
#include "highlight/cpp_color_schemes.h"
#include "highlight/syn_cpp_syn.h"
#include "platform/qt/image_list.h"
#include "platform/qt/scripted_dialogs.h"
#include "platform/str_to_int.h"
#include "search/qt/search_session.h"

namespace {

constexpr TColor kNavy = 8388608;
constexpr TColor kWhite = 16777215;

// Colour texts by scheme entry; missing entries give the configuration file's defaults.
class TFakeFrame : public IDocumentFrame {
  public:
    TFakeFrame() : m_tools(16, 16), m_bookmarks(std::vector<QPixmap>(10, QPixmap(14, 14))) {
        for (int i = 0; i < 25; ++i) m_tools.Add(QPixmap(16, 16));
        ApplyFrameWindowColors(m_frameHighlighter);
    }

    std::map<TSchemeColor, std::string> Scheme;
    std::string OpenFileName;
    bool OpenReadOnly = false;
    std::string SourceDir = "unset";
    std::string SourceName = "unset";
    int Reads = 0;

    void SetSourceFile(const std::string& dir, const std::string& name) override {
        SourceDir = dir;
        SourceName = name;
    }
    const TImageList& ToolImages() const override { return m_tools; }
    TSynImageList* BookmarkImages() override { return &m_bookmarks; }
    TSynCppSyn& FrameHighlighter() override { return m_frameHighlighter; }
    std::string OpenDialogFileName() const override { return OpenFileName; }
    bool OpenDialogReadOnly() const override { return OpenReadOnly; }
    std::array<std::string, scSchemeColorCount> ReadSchemeColors() const override {
        static const char* const defaults[] = {"16777215", "32768",    "32768", "8421440",
                                               "8388608",  "16711680", "255",   "8388736"};
        ++const_cast<TFakeFrame*>(this)->Reads;
        std::array<std::string, scSchemeColorCount> scheme;
        for (int which = 0; which < scSchemeColorCount; ++which) {
            auto found = Scheme.find(static_cast<TSchemeColor>(which));
            scheme[static_cast<std::size_t>(which)] =
                found != Scheme.end() ? found->second : defaults[which];
        }
        return scheme;
    }
    TSearchSession& SearchSession() override { return Search; }
    ISynClipboard& EditorClipboard() override { return Clipboard; }

    TSearchSession Search;
    TSynMemoryClipboard Clipboard;

  private:
    TImageList m_tools;
    TSynPixmapList m_bookmarks;
    TSynCppSyn m_frameHighlighter;
};

class MDIChildTest : public ::testing::Test {
  protected:
    TFakeFrame frame;
    TScriptedDialogs dialogs;
    TDialogsScope scope{dialogs};

    std::unique_ptr<TMDIChild> NewWindow(TMDIChild::TOrigin origin = TMDIChild::TOrigin::New) {
        auto window = std::make_unique<TMDIChild>(frame, origin);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        return window;
    }
};

TEST_F(MDIChildTest, EditorSettingsAndOwnHighlighterBeforeActivation) {
    auto window = NewWindow();
    TSynEdit& editor = *window->SynEditor();
    EXPECT_EQ(editor.Color(), kWhite);
    EXPECT_EQ(editor.Font().Name, "Courier New");
    EXPECT_EQ(editor.Font().Height, -13);
    EXPECT_EQ(editor.Font().Style, 0);
    EXPECT_EQ(editor.Gutter().DigitCount(), 5);
    EXPECT_TRUE(editor.Gutter().LeadingZeros());
    EXPECT_TRUE(editor.Gutter().ShowLineNumbers());
    EXPECT_TRUE(editor.Gutter().UseFontStyle());
    EXPECT_EQ(editor.Gutter().FormatLineNumber(7), "00007");
    EXPECT_EQ(editor.BookMarkOptions().BookmarkImages(), frame.BookmarkImages());
    EXPECT_EQ(editor.Highlighter(), &window->SynCppSyn1());
    EXPECT_EQ(editor.Lines().GetCount(), 1);
    EXPECT_EQ(editor.Lines().Get(0), "");
    // The window's own colours until the first activation.
    TSynCppSyn& own = window->SynCppSyn1();
    EXPECT_EQ(own.CommentAttri()->Foreground(), 8421504);
    EXPECT_EQ(own.DirecAttri()->Foreground(), 65280);
    EXPECT_EQ(own.IdentifierAttri()->Foreground(), 65535);
    EXPECT_EQ(own.KeyAttri()->Foreground(), 16777088);
    EXPECT_EQ(own.NumberAttri()->Foreground(), 33023);
    EXPECT_EQ(own.StringAttri()->Foreground(), 16776960);
    EXPECT_EQ(own.InvalidAttri()->Foreground(), 255);
    EXPECT_EQ(own.SymbolAttri()->Foreground(), 0);
    EXPECT_NE(own.StringAttri()->Style() & fsItalic, 0);
}

TEST_F(MDIChildTest, ActivationWithoutConfigurationGivesTheDefaultScheme) {
    auto window = NewWindow();
    window->m();
    TSynCppSyn& own = window->SynCppSyn1();
    EXPECT_EQ(window->SynEditor()->Color(), kWhite);
    EXPECT_EQ(own.AsmAttri()->Foreground(), 32768);
    EXPECT_EQ(own.CommentAttri()->Foreground(), 32768);
    EXPECT_EQ(own.DirecAttri()->Foreground(), 8421440);
    EXPECT_EQ(own.IdentifierAttri()->Foreground(), kNavy);
    EXPECT_EQ(own.KeyAttri()->Foreground(), 16711680);
    EXPECT_EQ(own.NumberAttri()->Foreground(), 255);
    EXPECT_EQ(own.StringAttri()->Foreground(), 8388736);
    EXPECT_NE(own.StringAttri()->Style() & fsItalic, 0);
    // Invalid and symbol colours are not part of the scheme.
    EXPECT_EQ(own.InvalidAttri()->Foreground(), 255);
    EXPECT_EQ(own.SymbolAttri()->Foreground(), 0);
    EXPECT_EQ(frame.Reads, 1);
}

TEST_F(MDIChildTest, EveryActivationReadsTheSchemeAnew) {
    auto window = NewWindow();
    window->m();
    frame.Scheme[scBackground] = "$FF";
    frame.Scheme[scKey] = "123";
    window->m();
    EXPECT_EQ(window->SynEditor()->Color(), 255);
    EXPECT_EQ(window->SynCppSyn1().KeyAttri()->Foreground(), 123);
    EXPECT_EQ(frame.Reads, 2);
}

TEST_F(MDIChildTest, BadColourStopsTheActivationAndKeepsTheColoursBeforeIt) {
    auto window = NewWindow();
    frame.Scheme[scBackground] = "255";
    frame.Scheme[scAsm] = "1";
    frame.Scheme[scComment] = "2";
    frame.Scheme[scDirective] = "teal";
    frame.Scheme[scIdentifier] = "4";
    try {
        window->m();
        FAIL() << "the conversion error must end the activation";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'teal' is not a valid integer value");
    }
    TSynCppSyn& own = window->SynCppSyn1();
    EXPECT_EQ(window->SynEditor()->Color(), 255);
    EXPECT_EQ(own.AsmAttri()->Foreground(), 1);
    EXPECT_EQ(own.CommentAttri()->Foreground(), 2);
    EXPECT_EQ(own.DirecAttri()->Foreground(), 65280);       // unchanged
    EXPECT_EQ(own.IdentifierAttri()->Foreground(), 65535);  // not reached
    EXPECT_EQ(frame.Reads, 1);
    // The window stays usable.
    window->actChangeStyle()->trigger();
    EXPECT_EQ(window->SynEditor()->Color(), kNavy);
}

TEST_F(MDIChildTest, ChangeStyleSequence) {
    auto window = NewWindow();
    window->m();
    TSynEdit& editor = *window->SynEditor();
    window->actChangeStyle()->trigger();
    EXPECT_EQ(editor.Color(), kNavy);
    EXPECT_EQ(editor.Highlighter(), &window->SynCppSyn1());
    window->actChangeStyle()->trigger();
    EXPECT_EQ(editor.Color(), kWhite);
    EXPECT_EQ(editor.Highlighter(), &frame.FrameHighlighter());
    EXPECT_EQ(frame.FrameHighlighter().IdentifierAttri()->Foreground(), kNavy);
    // Activation sets the configured background but keeps the borrowed highlighter; the own
    // highlighter is recoloured all the same.
    frame.Scheme[scBackground] = "65535";
    frame.Scheme[scNumber] = "77";
    window->m();
    EXPECT_EQ(editor.Color(), 65535);
    EXPECT_EQ(editor.Highlighter(), &frame.FrameHighlighter());
    EXPECT_EQ(window->SynCppSyn1().NumberAttri()->Foreground(), 77);
    EXPECT_EQ(frame.FrameHighlighter().NumberAttri()->Foreground(), 255);
}

TEST_F(MDIChildTest, ChangeStyleOnANavyConfiguredBackgroundGoesWhiteFirst) {
    frame.Scheme[scBackground] = "8388608";
    auto window = NewWindow();
    window->m();
    window->actChangeStyleExecute();
    EXPECT_EQ(window->SynEditor()->Color(), kWhite);
    EXPECT_EQ(window->SynEditor()->Highlighter(), &frame.FrameHighlighter());
}

TEST_F(MDIChildTest, ActivationRecordsDirectoryAndNameOfThePath) {
    auto window = NewWindow();
    window->m();
    EXPECT_EQ(frame.SourceDir, "");
    EXPECT_EQ(frame.SourceName, "");
    window->SetSourcePath("/home/dev/my.game.v1/src/x");
    window->m();
    EXPECT_EQ(frame.SourceDir, "/home/dev/my.game.v1/src/");
    EXPECT_EQ(frame.SourceName, "x");
}

TEST(SourcePathTest, Splits) {
    EXPECT_EQ(SplitSourcePath("/a/b.c/game.c").Dir, "/a/b.c/");
    EXPECT_EQ(SplitSourcePath("/a/b.c/game.c").Name, "game.c");
    EXPECT_EQ(SplitSourcePath("game.c").Dir, "");
    EXPECT_EQ(SplitSourcePath("game.c").Name, "game.c");
    EXPECT_EQ(SplitSourcePath("/g").Dir, "/");
    EXPECT_EQ(SplitSourcePath("/g").Name, "g");
    EXPECT_EQ(SplitSourcePath("/dir/").Name, "");
}

TEST_F(MDIChildTest, OpenTakesPathAndReadOnlyFromTheOpenDialogNewDoesNot) {
    frame.OpenFileName = "/src/game.c";
    frame.OpenReadOnly = true;
    auto opened = NewWindow(TMDIChild::TOrigin::Open);
    EXPECT_EQ(opened->SourcePath(), "/src/game.c");
    EXPECT_TRUE(opened->SynEditor()->ReadOnly());
    EXPECT_FALSE(opened->TextChanged());

    auto created = NewWindow(TMDIChild::TOrigin::New);
    EXPECT_EQ(created->SourcePath(), "");
    EXPECT_FALSE(created->SynEditor()->ReadOnly());
    EXPECT_FALSE(created->TextChanged());
    // The editor reports every change of its text through OnChange.
    created->SynEditor()->OnChange(created->SynEditor());
    EXPECT_TRUE(created->TextChanged());

    // Running the creation step again (as Save does) takes the dialog's state once more.
    created->FormCreate();
    EXPECT_EQ(created->SourcePath(), "/src/game.c");
    EXPECT_TRUE(created->SynEditor()->ReadOnly());
    EXPECT_FALSE(created->TextChanged());
}

TEST_F(MDIChildTest, ToolBarActionsAndStatusBar) {
    auto window = NewWindow();
    struct Expected {
        QAction* action;
        const char* caption;
        const char* keys;
    };
    const std::vector<Expected> expected{{window->actSearch(), "&Find...", "Ctrl+F"},
                                         {window->actSearchNext(), "Find &next", "F3"},
                                         {window->actSearchPrev(), "Find &previous", "Shift+F3"},
                                         {window->actSearchReplace(), "&Replace...", "Ctrl+H"},
                                         {window->actChangeStyle(), "Change Style", ""}};
    for (const Expected& e : expected) {
        EXPECT_EQ(e.action->text().toStdString(), e.caption);
        EXPECT_EQ(e.action->shortcut().toString().toStdString(), e.keys) << e.caption;
        EXPECT_FALSE(e.action->icon().isNull()) << e.caption;
    }
    // All five are always enabled; the search flow answers the four search actions.
    for (const Expected& e : expected) EXPECT_TRUE(e.action->isEnabled()) << e.caption;

    QList<QAction*> buttons;
    for (QAction* action : window->tbMain()->actions()) {
        if (window->tbMain()->widgetForAction(action) &&
            qobject_cast<QWidgetAction*>(action) == nullptr)
            buttons << action;
    }
    EXPECT_EQ(buttons, (QList<QAction*>{window->actSearch(), window->actSearchPrev(),
                                        window->actSearchNext(), window->actSearchReplace(),
                                        window->actChangeStyle()}));
    EXPECT_EQ(window->tbMain()->windowTitle(), "Standard");
    EXPECT_TRUE(window->StatusBar()->currentMessage().isEmpty());
}

TEST_F(MDIChildTest, ActivationFollowsTheClientArea) {
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    new TDocumentActivation(&area);
    frame.OpenFileName = "/one/a.c";
    auto* first = new TMDIChild(frame, TMDIChild::TOrigin::Open);
    QMdiSubWindow* firstWindow = area.addSubWindow(first);
    firstWindow->show();
    area.setActiveSubWindow(firstWindow);
    EXPECT_EQ(frame.SourceName, "a.c");
    auto* second = new TMDIChild(frame, TMDIChild::TOrigin::New);
    QMdiSubWindow* secondWindow = area.addSubWindow(second);
    secondWindow->show();
    area.setActiveSubWindow(secondWindow);
    EXPECT_EQ(frame.SourceDir, "");
    EXPECT_EQ(frame.SourceName, "");
    area.setActiveSubWindow(firstWindow);
    EXPECT_EQ(frame.SourceDir, "/one/");

    // A bad colour is reported through the general error report and ends only that step.
    frame.Scheme[scComment] = "x1";
    area.setActiveSubWindow(secondWindow);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "'x1' is not a valid integer value");
    EXPECT_EQ(dialogs.Messages[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(frame.SourceName, "");

    // Closing frees the window with its editor and keeps the record.
    QPointer<TMDIChild> gone(second);
    secondWindow->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull());
}

}  // namespace
