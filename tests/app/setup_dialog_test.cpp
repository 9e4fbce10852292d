// The setup dialog on a real configuration file: loading, saving every key in order, the
// composed switch string, the colour boxes and the failures of both directions.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_window.h"
#include "config/config_build_settings.h"
#include "config/config_setup_store.h"
#include "platform/qt/scripted_dialogs.h"
#include "project/qt/directory_edit.h"
#include "setup/setup_dialog.h"
#include "widgets/color_combo_box.h"
#include "widgets/file_open_edit.h"
#include "widgets/toggle_btn.h"

namespace {

namespace fs = std::filesystem;

const char kEveryKey[] =
    "[C]\r\npcecc=c:\\pce\\vesk.exe\r\npceasm=as.exe\r\nproject=make -C "
    "{project}\r\ninclude=/opt/cc65/include\r\n[E]\r\nA=e1\r\nB=e2\r\nC=e3\r\nD=e4\r\n"
    "E=e5\r\n[COMP_OPTIONS]\r\nHU=FALSE\r\nCD=FALSE\r\nSCD=TRUE\r\nT=TRUE\r\nS=FALSE\r\nV=TRUE\r\n"
    "EXTRA=-O2\r\nOPTION_STR= -scd -T -V -O2\r\n[COLORS]\r\nBGCOLOR=0\r\nASMCOLOR=255\r\n"
    "COMCOLOR=$8000\r\nDIRCOLOR=8421440\r\nIDCOLOR=16776960\r\nKEYCOLOR=65535\r\nNUMCOLOR=128\r\n"
    "STRCOLOR=8388608\r\n";

class SetupDialogTest : public ::testing::Test {
  protected:
    SetupDialogTest() {
        char pattern[] = "/tmp/setup_test_XXXXXX";
        m_dir = ::mkdtemp(pattern);
        m_file = m_dir + "/veskide.ini";
        dialog =
            std::make_unique<TfrmSetup>(std::make_unique<TConfigSetupStore>(TConfigFile(m_file)));
    }
    ~SetupDialogTest() override {
        dialog.reset();
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_dir);
    }

    void WriteFile(const std::string& text) { std::ofstream(m_file, std::ios::binary) << text; }
    std::string FileBytes() const {
        std::ifstream in(m_file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::vector<std::string> PathTexts() const {
        std::vector<std::string> texts;
        for (TabcFileOpenEdit* edit : dialog->PathEdits()) texts.push_back(edit->Text());
        return texts;
    }
    std::vector<TColor> Colors() const {
        std::vector<TColor> colors;
        for (TabcColorComboBox* box : dialog->ColorBoxes()) colors.push_back(box->SelectedColor());
        return colors;
    }
    std::vector<bool> Toggles() const {
        return {dialog->togHu->Down(), dialog->togCD->Down(), dialog->togSCD->Down(),
                dialog->togT->Down(),  dialog->togS->Down(),  dialog->togV->Down()};
    }
    void Open() {
        dialog->ShowSetup();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void Save() { QTest::mouseClick(dialog->Button1, Qt::LeftButton); }

    TScriptedDialogs dialogs;
    TDialogsScope scope{dialogs};
    std::string m_dir;
    std::string m_file;
    std::unique_ptr<TfrmSetup> dialog;
};

TEST_F(SetupDialogTest, LoadsEveryKeyWhenShown) {
    WriteFile(kEveryKey);
    Open();
    EXPECT_EQ(PathTexts(), (std::vector<std::string>{"c:\\pce\\vesk.exe", "as.exe", "e1", "e2",
                                                     "e3", "e4", "e5"}));
    EXPECT_EQ(Toggles(), (std::vector<bool>{false, false, true, true, false, true}));
    EXPECT_EQ(dialog->edtOptions->text().toStdString(), "-O2");
    EXPECT_EQ(dialog->edtProject->Text(), "make -C {project}");
    EXPECT_EQ(dialog->edtInclude->Path(), "/opt/cc65/include");
    EXPECT_EQ(Colors(),
              (std::vector<TColor>{0, 255, 32768, 8421440, 16776960, 65535, 128, 8388608}));
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(dialog->PageControl1->currentIndex(), 0);
}

TEST_F(SetupDialogTest, WithoutAFileShowsTheDefaultsAndSavesEveryKeyInOrder) {
    Open();
    EXPECT_EQ(PathTexts(), (std::vector<std::string>{"vesk.exe", "pceas.exe", "", "", "", "", ""}));
    EXPECT_EQ(Toggles(), (std::vector<bool>{true, false, false, false, false, false}));
    EXPECT_EQ(Colors(), (std::vector<TColor>{16777215, 32768, 32768, 8421440, 8388608, 16711680,
                                             255, 8388736}));
    Save();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(FileBytes(),
              "[C]\npcecc=vesk.exe\npceasm=pceas.exe\nproject=\ninclude=\n[E]\nA=\nB=\nC=\nD=\nE="
              "\n[COMP_OPTIONS]\n"
              "HU=TRUE\nCD=FALSE\nSCD=FALSE\nT=FALSE\nS=FALSE\nV=FALSE\nEXTRA=\nOPTION_STR= \n"
              "[COLORS]\nBGCOLOR=16777215\nASMCOLOR=32768\nCOMCOLOR=32768\nDIRCOLOR=8421440\n"
              "IDCOLOR=8388608\nKEYCOLOR=16711680\nNUMCOLOR=255\nSTRCOLOR=8388736\n");
    // One blank reads back as the empty switch string.
    EXPECT_EQ(TConfigBuildSettings(TConfigFile(m_file)).SwitchString(), "");
}

TEST_F(SetupDialogTest, TheLastFileTypeThatIsTrueWinsAndNoneMayBeDown) {
    WriteFile("[COMP_OPTIONS]\nHU=TRUE\nCD=TRUE\nSCD=FALSE\n");
    Open();
    EXPECT_EQ(Toggles(), (std::vector<bool>{false, true, false, false, false, false}));

    QTest::mouseClick(dialog->togCD, Qt::LeftButton);  // releasing the down one leaves none
    EXPECT_EQ(Toggles(), (std::vector<bool>{false, false, false, false, false, false}));
    QTest::mouseClick(dialog->togS, Qt::LeftButton);
    Save();
    const TConfigFile file(m_file);
    EXPECT_EQ(file.ReadString(ckHuCard, "?") + file.ReadString(ckCd, "?") +
                  file.ReadString(ckSuperCd, "?"),
              "FALSEFALSEFALSE");
    EXPECT_EQ(FileBytes().find("OPTION_STR= -S \n") != std::string::npos, true);
    Open();
    EXPECT_EQ(Toggles(), (std::vector<bool>{false, false, false, false, true, false}));
}

TEST_F(SetupDialogTest, OptionStringExamples) {
    EXPECT_EQ(TfrmSetup::ComposeOptionString(true, false, false, false, false, false, ""), " ");
    EXPECT_EQ(TfrmSetup::ComposeOptionString(false, true, false, true, false, true, "-O"),
              " -cd -T -V -O");
    EXPECT_EQ(TfrmSetup::ComposeOptionString(false, false, false, false, true, false, ""), " -S ");
    // Hu-Card wins over the others; the extra text goes through as typed.
    EXPECT_EQ(TfrmSetup::ComposeOptionString(true, true, true, false, false, false, " a  b"),
              "  a  b");
    EXPECT_EQ(TfrmSetup::ComposeOptionString(false, false, true, false, false, false, ""),
              " -scd ");
}

TEST_F(SetupDialogTest, ABadColourStopsTheLoadAtItsBox) {
    Open();
    dialog->hide();
    WriteFile(
        "[C]\npcecc=new.exe\n[COLORS]\nBGCOLOR=255\nASMCOLOR=255\nCOMCOLOR=oops\n"
        "DIRCOLOR=255\n");
    Open();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "'oops' is not a valid integer value");
    EXPECT_EQ(dialogs.Messages[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(dialog->edtCC->Text(), "new.exe");
    EXPECT_EQ(Colors(),
              (std::vector<TColor>{255, 255, 32768, 8421440, 8388608, 16711680, 255, 8388736}));
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(SetupDialogTest, AColourTheListDoesNotOfferIsSavedAsLoaded) {
    WriteFile("[COLORS]\r\nSTRCOLOR=1234567\r\nBGCOLOR=$FF\r\n");
    Open();
    EXPECT_EQ(dialog->clSTR->currentIndex(), -1);
    EXPECT_EQ(dialog->clBG->SelectedColor(), 255);
    Save();
    const TConfigFile file(m_file);
    EXPECT_EQ(file.ReadString(ckStrColor, ""), "1234567");
    EXPECT_EQ(file.ReadString(ckBgColor, ""), "255");
    // The file's CR LF style carries on into the added lines.
    EXPECT_EQ(FileBytes().rfind("[COLORS]\r\nSTRCOLOR=1234567\r\nBGCOLOR=255\r\n", 0), 0u);
}

TEST_F(SetupDialogTest, TheStringColourLabelSavesToo) {
    Open();
    dialog->clSTR->setCurrentIndex(dialog->clSTR->findText("clRed"));
    QTest::mouseClick(dialog->lblSTR, Qt::LeftButton);
    EXPECT_EQ(TConfigFile(m_file).ReadString(ckStrColor, ""), "255");
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(SetupDialogTest, LoadsOnShowNotOnActivation) {
    Open();
    dialog->edtCC->SetText("typed but not saved");
    WriteFile("[C]\npcecc=edited by hand\n");
    // Coming back from another window keeps what was typed.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(dialog.get(), &activate);
    dialog->ShowSetup();  // already open: only brought to the front
    EXPECT_EQ(dialog->edtCC->Text(), "typed but not saved");
    // Opening it again picks up the hand edit.
    dialog->close();
    Open();
    EXPECT_EQ(dialog->edtCC->Text(), "edited by hand");
}

TEST_F(SetupDialogTest, PathsRoundTripByteForByte) {
    const std::string path = "C:\\Program Files\\\"PC\" Engine\\\xE9mu \xC4\xFF\x80.exe";
    WriteFile("[E]\nB=" + path + "\n");
    Open();
    EXPECT_EQ(dialog->edtB->Text(), path);
    dialogs.AnswerFile("/home/me/my tools/\xF6sk.exe");
    QTest::mouseClick(dialog->edtD, Qt::LeftButton, {}, dialog->edtD->ButtonRect().center());
    ASSERT_EQ(dialogs.FileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.FileDialogs[0].Request.Filter, "All files (*)|*");
    EXPECT_FALSE(dialogs.FileDialogs[0].Request.ShowReadOnly);
    Save();
    const TConfigFile file(m_file);
    EXPECT_EQ(file.ReadString(ckEmulators[1], ""), path);
    EXPECT_EQ(file.ReadString(ckEmulators[3], ""), "/home/me/my tools/\xF6sk.exe");
}

TEST_F(SetupDialogTest, AWriteThatFailsKeepsTheFileAndTheDialogOpen) {
    WriteFile(kEveryKey);
    Open();
    dialog->edtCC->SetText(std::string(4000, 'x'));
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 2048;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    Save();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Unable to write to " + m_file);
    EXPECT_EQ(FileBytes(), kEveryKey);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(SetupDialogTest, BadFilesNeverCrashAndAreNeverDestroyed) {
    // Binary garbage and a large file open with defaults.
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 131 + 7) % 256);
    WriteFile(garbage);
    Open();
    EXPECT_EQ(dialog->edtCC->Text(), "vesk.exe");
    dialog->close();
    WriteFile(std::string(10 * 1024 * 1024, 'a') + "\n[C]\npcecc=big.exe\n");
    Open();
    EXPECT_EQ(dialog->edtCC->Text(), "big.exe");
    dialog->close();

    // A directory in place of the file: defaults, and Save leaves it alone.
    fs::remove(m_file);
    fs::create_directory(m_file);
    Open();
    EXPECT_EQ(dialog->edtASM->Text(), "pceas.exe");
    Save();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Unable to write to " + m_file);
    EXPECT_TRUE(fs::is_directory(m_file));
    EXPECT_TRUE(dialog->isVisible());

    if (::geteuid() == 0) return;  // root reads every file
    fs::remove(m_file);
    WriteFile(kEveryKey);
    fs::permissions(m_file, fs::perms::none);
    dialog->close();
    Open();
    Save();
    fs::permissions(m_file, fs::perms::owner_read);
    EXPECT_EQ(FileBytes(), kEveryKey);
}

// Runs with PATH set to one directory holding the named programs (shell scripts).
class ScopedToolPath {
  public:
    ScopedToolPath(const std::string& dir, std::initializer_list<const char*> programs) {
        fs::create_directories(dir);
        for (const char* program : programs) {
            const std::string path = dir + "/" + program;
            std::ofstream(path) << "#!/bin/sh\nexit 0\n";
            fs::permissions(path, fs::perms::owner_all);
        }
        if (const char* old = std::getenv("PATH")) m_old = old;
        ::setenv("PATH", dir.c_str(), 1);
    }
    ~ScopedToolPath() { ::setenv("PATH", m_old.c_str(), 1); }

  private:
    std::string m_old;
};

TEST_F(SetupDialogTest, FindPackagedToolsFillsInTheirCommandsWithoutSaving) {
    WriteFile(kEveryKey);
    Open();
    const ScopedToolPath path(m_dir + "/bin", {"64tass", "cl65", "make", "mednafen"});
    QTest::mouseClick(dialog->btnFindTools, Qt::LeftButton);
    const std::string toolsDir = fs::canonical(QUILLON_SOURCE_DIR "/tools").string();
    EXPECT_EQ(dialog->edtCC->Text(), toolsDir + "/pce-cc -O -o {image} {file}");
    EXPECT_EQ(dialog->edtASM->Text(),
              "64tass -c -b -Wall -o {image} --dump-labels -l {base}.lbl {file}");
    EXPECT_EQ(dialog->edtProject->Text(), "make");
    EXPECT_EQ(dialog->edtA->Text(), m_dir + "/bin/mednafen");
    EXPECT_EQ(dialog->edtB->Text(), "e2");
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(FileBytes(), kEveryKey);
    Save();
    EXPECT_EQ(TConfigBuildSettings(TConfigFile(m_file)).AssemblerCommand(),
              "64tass -c -b -Wall -o {image} --dump-labels -l {base}.lbl {file}");
}

TEST_F(SetupDialogTest, FindPackagedToolsNamesTheMissingOnesAndKeepsTheirCommands) {
    WriteFile(kEveryKey);
    Open();
    const ScopedToolPath path(m_dir + "/bin", {"64tass"});
    QTest::mouseClick(dialog->btnFindTools, Qt::LeftButton);
    EXPECT_EQ(dialog->edtASM->Text(),
              "64tass -c -b -Wall -o {image} --dump-labels -l {base}.lbl {file}");
    EXPECT_EQ(dialog->edtCC->Text(), "c:\\pce\\vesk.exe");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_NE(dialogs.Messages[0].Text.find("apt-get install cc65"), std::string::npos);
    EXPECT_EQ(dialogs.Messages[0].Text.find("64tass not found"), std::string::npos);
}

TEST_F(SetupDialogTest, SwitchesWarnWhenTheCompilerTemplateLeavesThemOut) {
    WriteFile("[C]\npcecc=cc -o {image} {file}\n[COMP_OPTIONS]\nHU=TRUE\n");
    Open();
    dialog->PageControl1->setCurrentIndex(1);
    // No switch is set: nothing is lost.
    EXPECT_FALSE(dialog->lblOptionsWarning->isVisible());
    QTest::mouseClick(dialog->togT, Qt::LeftButton);
    ASSERT_TRUE(dialog->togT->Down());
    EXPECT_TRUE(dialog->lblOptionsWarning->isVisible());
    QTest::mouseClick(dialog->togT, Qt::LeftButton);
    EXPECT_FALSE(dialog->lblOptionsWarning->isVisible());
    dialog->edtOptions->setText("-Oi");
    EXPECT_TRUE(dialog->lblOptionsWarning->isVisible());
    // With {options}, or in the fixed shape, the switches reach the compiler.
    dialog->edtCC->SetText("cc {options} -o {image} {file}");
    EXPECT_FALSE(dialog->lblOptionsWarning->isVisible());
    dialog->edtCC->SetText("cc");
    EXPECT_FALSE(dialog->lblOptionsWarning->isVisible());
    // A file type other than the Hu-Card is a switch too.
    dialog->edtOptions->setText("");
    dialog->edtCC->SetText("cc {file}");
    QTest::mouseClick(dialog->togCD, Qt::LeftButton);
    ASSERT_TRUE(dialog->togCD->Down());
    EXPECT_TRUE(dialog->lblOptionsWarning->isVisible());
}

TEST_F(SetupDialogTest, TheDirectoriesNoteSpeaksOfThisPlatform) {
    Open();
    const QLabel* note = dialog->findChild<QLabel*>("lblDirectoriesNote");
    ASSERT_NE(note, nullptr);
    EXPECT_FALSE(note->text().contains("autoexec.bat"));
    EXPECT_FALSE(note->text().contains(".exe"));
    EXPECT_TRUE(note->text().contains("PATH"));
}

}  // namespace
