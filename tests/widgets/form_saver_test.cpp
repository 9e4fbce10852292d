// The form saver on a real window: restoring with and without a file, what a save writes, the
// maximised window, styles that only add, values that are not numbers or not plausible, a
// position off every screen, an unwritable file at the end, and the owner rules.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "platform/qt/scripted_dialogs.h"
#include "widgets/form_properties.h"
#include "widgets/form_saver.h"
#include "widgets/screen_fit.h"

namespace {

constexpr const char* kSection = "[QMainWindow.abcFormSaver1 Form Properties]";

class FormSaver : public ::testing::Test {
  protected:
    std::string File() const { return m_dir.filePath("app.INI").toStdString(); }

    void WriteFile(const std::string& keys) {
        std::ofstream(File(), std::ios::binary) << kSection << "\n" << keys;
    }
    std::string ReadFile() const {
        std::ifstream in(File(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // A window as designed: at (40, 50), 300 by 200, with the saver loaded from File().
    std::unique_ptr<QMainWindow> MakeForm(bool load = true) {
        auto form = std::make_unique<QMainWindow>();
        form->move(40, 50);
        form->resize(300, 200);
        m_saver = new TabcFormSaver(form.get());
        m_saver->setObjectName("abcFormSaver1");
        m_saver->SetIniFileName(File());
        m_saver->OnRestore = [this](QObject*) { ++restores; };
        if (load) m_saver->Loaded();
        return form;
    }

    TabcFormSaver* m_saver = nullptr;
    int restores = 0;
    TScriptedDialogs dialogs;
    TDialogsScope scope{dialogs};

  private:
    QTemporaryDir m_dir;
};

TEST_F(FormSaver, WithoutAFileEveryPropertyStaysAsDesigned) {
    auto designed = std::make_unique<QMainWindow>();
    auto form = MakeForm();
    EXPECT_EQ(form->pos(), QPoint(40, 50));
    EXPECT_EQ(form->size(), QSize(300, 200));
    EXPECT_EQ(form->font(), designed->font());
    EXPECT_EQ(FormProperties::Color(*form), clBtnFace);
    EXPECT_EQ(form->windowState(), Qt::WindowNoState);
    EXPECT_EQ(restores, 1);
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(FormSaver, SaveWritesTheSetOptionsInTableOrderAndRestoreBringsThemBack) {
    {
        auto form = MakeForm();
        m_saver->SetOptions(m_saver->Options() | FormSaverOptions({fsoCaption, fsoTag, fsoHint}));
        form->setWindowTitle("Caf\u00e9");
        FormProperties::SetTag(*form, 7);
        FormProperties::SetColor(*form, clTeal);
        form->move(61, 72);
        form->resize(333, 222);
        int saves = 0;
        m_saver->OnSave = [&](QObject* sender) {
            EXPECT_EQ(sender, m_saver);
            ++saves;
        };
        m_saver->Save();
        EXPECT_EQ(saves, 1);
    }
    const std::string text = ReadFile();
    EXPECT_EQ(text.rfind(std::string(kSection) + "\n", 0), 0u) << text;
    // Keys follow the order of the options, whatever order they were set in.
    std::vector<std::string> keys;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.find('=') != std::string::npos) keys.push_back(line.substr(0, line.find('=')));
    }
    const std::vector<std::string> expected{"Caption",
                                            "Color",
                                            "Ctl3D",
                                            "Font.Name",
                                            "Font.Size",
                                            "Font.Color",
                                            "Font.Style.Bold",
                                            "Font.Style.Italic",
                                            "Font.Style.Underline",
                                            "Font.Style.Strikeout",
                                            "Left",
                                            "Top",
                                            "Width",
                                            "Height",
                                            "Hint",
                                            "ShowHint",
                                            "Tag",
                                            "WindowState"};
    EXPECT_EQ(keys, expected);
    EXPECT_NE(text.find("Caption=Caf\xe9\n"), std::string::npos);  // code-page text
    EXPECT_NE(text.find("Color=8421376\n"), std::string::npos);
    EXPECT_NE(text.find("Left=61\nTop=72\nWidth=333\nHeight=222\n"), std::string::npos);
    EXPECT_NE(text.find("WindowState=0"), std::string::npos);

    auto form = MakeForm(false);
    m_saver->SetOptions(m_saver->Options() | FormSaverOptions({fsoCaption, fsoTag}));
    m_saver->Loaded();
    EXPECT_EQ(form->pos(), QPoint(61, 72));
    EXPECT_EQ(form->size(), QSize(333, 222));
    EXPECT_EQ(form->windowTitle(), QString("Caf\u00e9"));
    EXPECT_EQ(FormProperties::Tag(*form), 7);
    EXPECT_EQ(FormProperties::Color(*form), clTeal);
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(0, 128, 128));
}

// A maximised window stores state 2 with the bounds it had before it was maximised, and
// reopens maximised with those as its normal bounds, where un-maximising takes it.
TEST_F(FormSaver, AMaximisedWindowKeepsItsNormalBoundsAcrossARestart) {
    {
        auto form = MakeForm();
        form->show();
        form->move(60, 70);
        form->resize(320, 210);
        QApplication::processEvents();
        form->setWindowState(Qt::WindowMaximized);
        QApplication::processEvents();
        ASSERT_NE(form->size(), QSize(320, 210));  // the window did grow
    }                                              // saved at destruction
    const std::string text = ReadFile();
    EXPECT_NE(text.find("WindowState=2"), std::string::npos);
    for (const char* key : {"Left=60", "Top=70", "Width=320", "Height=210"})
        EXPECT_NE(text.find(key), std::string::npos) << key << "\n" << text;

    WriteFile("Left=500\nTop=400\nWidth=123\nHeight=99\nWindowState=2\n");
    auto form = MakeForm();
    EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(form->normalGeometry(), QRect(500, 400, 123, 99));
    form->show();
    QApplication::processEvents();
    form->setWindowState(Qt::WindowNoState);
    QApplication::processEvents();
    EXPECT_EQ(form->pos(), QPoint(500, 400));
    EXPECT_EQ(form->size(), QSize(123, 99));
}

TEST_F(FormSaver, AStoredStyleOnlyAddsToTheDesignedFont) {
    WriteFile("Font.Style.Bold=0\nFont.Style.Italic=1\nFont.Style.Underline=junk\n");
    auto form = std::make_unique<QMainWindow>();
    QFont bold = form->font();
    bold.setBold(true);
    form->setFont(bold);
    auto* saver = new TabcFormSaver(form.get());
    saver->setObjectName("abcFormSaver1");
    saver->SetIniFileName(File());
    saver->Loaded();
    EXPECT_TRUE(form->font().bold());
    EXPECT_TRUE(form->font().italic());
    EXPECT_FALSE(form->font().underline());
}

TEST_F(FormSaver, ValuesThatAreNotNumbersOrNotPlausibleReadAsNotStored) {
    WriteFile(
        "Left=0x20\nTop=abc\nWidth=0\nHeight=40000\nColor=red\nFont.Size=-3\nWindowState=7\n"
        "Ctl3D=0\nShowHint=5\n");
    auto form = MakeForm();
    EXPECT_EQ(form->pos(), QPoint(32, 50));  // hexadecimal counts, text keeps the designed top
    EXPECT_EQ(form->size(), QSize(300, 200));
    EXPECT_EQ(FormProperties::Color(*form), clBtnFace);
    EXPECT_GT(FormProperties::FontSize(*form), 0);
    EXPECT_EQ(form->windowState(), Qt::WindowNoState);
    EXPECT_FALSE(FormProperties::Ctl3D(*form));
    EXPECT_TRUE(FormProperties::ShowHint(*form));  // any non-zero integer is yes
}

TEST_F(FormSaver, APositionOffEveryScreenComesBackOntoOne) {
    WriteFile("Left=-9000\nTop=7000\nWidth=300\nHeight=200\n");
    auto form = MakeForm();
    const QRect bounds(form->pos(), form->size());
    bool onScreen = false;
    for (const QRect& screen : AvailableScreenAreas()) onScreen |= screen.contains(bounds);
    EXPECT_TRUE(onScreen) << bounds.x() << "," << bounds.y();
    EXPECT_EQ(form->size(), QSize(300, 200));
}

TEST_F(FormSaver, AnUnwritableFileAtTheEndIsSilentAndQuick) {
    QElapsedTimer clock;
    clock.start();
    {
        auto form = MakeForm(false);
        m_saver->SetIniFileName("/dev/null/app.INI");
        m_saver->Loaded();
        EXPECT_THROW(m_saver->Save(), EIniFileException);  // an explicit save reports
    }
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(FormSaver, VisibleIsStoredByASaveButNotByTheClosingOne) {
    {
        auto form = MakeForm();
        m_saver->SetOptions(FormSaverOptions({fsoVisible, fsoTag}));
        m_saver->Save();
        EXPECT_NE(ReadFile().find("Visible=0"), std::string::npos);
        FormProperties::SetTag(*form, 3);
        std::ofstream(File(), std::ios::trunc);
    }
    EXPECT_EQ(ReadFile(), std::string(kSection) + "\nTag=3\n");
}

TEST_F(FormSaver, ServesItsOwnerOrTheOwnersOwnerWhenThatIsAWindow) {
    QMainWindow form;
    QObject helper(&form);
    TabcFormSaver direct(&form);
    TabcFormSaver indirect(&helper);
    EXPECT_EQ(direct.Form(), &form);
    EXPECT_EQ(indirect.Form(), &form);
    direct.SetAutoSave(false);  // no file beside the test program
    indirect.SetAutoSave(false);

    QObject loose;
    try {
        TabcFormSaver saver(&loose);
        FAIL() << "created without a window";
    } catch (const EComponentError& error) {
        EXPECT_STREQ(error.what(), "This component must be owned by a TForm");
    }
}

TEST_F(FormSaver, AnEmptyFileNameMeansTheExecutablesPathWithIni) {
    auto form = MakeForm(false);
    m_saver->SetIniFileName("");
    m_saver->SetAutoRestore(false);
    m_saver->SetAutoSave(false);
    m_saver->Loaded();
    EXPECT_EQ(m_saver->FileName(), ExecutableIniFileName());
    EXPECT_EQ(restores, 0);
    const std::string name = ExecutableIniFileName();
    EXPECT_EQ(name.substr(name.size() - 4), ".INI");
    EXPECT_EQ(name.find("test_widgets.INI") != std::string::npos, true) << name;

    m_saver->SetIniFileName(File());  // reopens at once
    EXPECT_EQ(m_saver->FileName(), File());
}

TEST(BringOntoScreen, LeavesReachableWindowsAndBringsBackTheOthers) {
    const QList<QRect> one{QRect(0, 0, 1280, 1024)};
    // Mostly on screen, title bar reachable: unchanged.
    EXPECT_EQ(BringOntoScreen(QRect(1000, 100, 500, 400), one), QRect(1000, 100, 500, 400));
    // Wholly off to the right: pushed back, size kept.
    EXPECT_EQ(BringOntoScreen(QRect(3000, 100, 500, 400), one), QRect(780, 100, 500, 400));
    // Mostly off (a third visible): pushed back.
    EXPECT_EQ(BringOntoScreen(QRect(1180, 100, 300, 200), one), QRect(980, 100, 300, 200));
    // Title bar above the screen, though most of the window shows: moved down.
    EXPECT_EQ(BringOntoScreen(QRect(10, -50, 400, 900), one), QRect(10, 0, 400, 900));
    // Larger than the screen and off it: clipped to the screen.
    EXPECT_EQ(BringOntoScreen(QRect(-5000, -5000, 2000, 1500), one), QRect(0, 0, 1280, 1024));
    // No screens known: nothing to go by.
    EXPECT_EQ(BringOntoScreen(QRect(-5000, 0, 10, 10), {}), QRect(-5000, 0, 10, 10));
}

// Under a window manager the frame adds a title bar and borders to the client: a window
// brought back lies on the screen with its whole frame, the client's bottom (the status bar)
// included.
TEST(BringOntoScreen, TheWholeFrameComesBackOntoTheScreen) {
    const QList<QRect> one{QRect(0, 0, 1600, 1000)};
    const QMargins frame(1, 20, 1, 1);
    const QRect back = BringOntoScreen(QRect(5000, 3000, 900, 650), one, frame);
    EXPECT_EQ(back, QRect(1600 - 902, 1000 - 671, 900, 650));
    const QRect client(back.topLeft() + QPoint(frame.left(), frame.top()), back.size());
    EXPECT_LE(client.bottom() + frame.bottom(), 999);
    // Larger than the screen: the client shrinks so the frame still fits.
    EXPECT_EQ(BringOntoScreen(QRect(-5000, -5000, 2000, 1500), one, frame), QRect(0, 0, 1598, 979));
    // A window already framed that reaches below the screen is fitted again.
    EXPECT_EQ(FitOnScreen(QRect(700, 350, 900, 650), one[0], frame), QRect(698, 329, 900, 650));
    EXPECT_EQ(ScreenHoldingMost(QRect(1700, 10, 100, 100),
                                {QRect(0, 0, 1600, 1000), QRect(1600, 0, 800, 600)}, frame),
              QRect(1600, 0, 800, 600));
}

TEST(BringOntoScreen, ChoosesTheScreenNearestToTheWindow) {
    const QList<QRect> two{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    // A window spanning both screens counts both halves.
    EXPECT_EQ(BringOntoScreen(QRect(1700, 100, 400, 300), two), QRect(1700, 100, 400, 300));
    // The right-hand monitor is gone: a window that was on it lands on the right screen.
    EXPECT_EQ(BringOntoScreen(QRect(3400, 200, 600, 400), two), QRect(2600, 200, 600, 400));
    EXPECT_EQ(BringOntoScreen(QRect(-900, 500, 600, 400), two), QRect(0, 500, 600, 400));
}

}  // namespace
