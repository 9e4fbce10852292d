// The examples built through the running program with the packaged tools, configured by
// tools/configure-toolchain: images of the right size that boot, the tools' real messages for a
// failed build, and a directory with a blank in its name. Skipped where a tool is missing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "../app/app_test_support.h"
#include "config/config_file.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "platform/files.h"
#include "platform/user_directories.h"
#include "toolrun/qt/output_panel_widget.h"

namespace {

const std::string kSourceDir = QUILLON_SOURCE_DIR;

class RealToolchainTest : public ::testing::Test, public TProgramFixture {
  protected:
    void SetUp() override {
        for (const char* tool : {"64tass", "cl65"}) {
            if (QStandardPaths::findExecutable(tool).isEmpty())
                GTEST_SKIP() << tool << " is not installed";
        }
        // The configuration a user gets from the README's one command.
        QProcess configure;
        configure.start(QString::fromStdString(kSourceDir + "/tools/configure-toolchain"), {});
        ASSERT_TRUE(configure.waitForFinished(60000));
        m_configureOutput = configure.readAll().toStdString();
        ASSERT_NE(m_configureOutput.find("wrote  [C] pceasm=64tass"), std::string::npos)
            << m_configureOutput;
        m_dir = Source() + "/my games";
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(m_dir)));
    }

    // Copies an example into the directory with the blank and opens it.
    std::string OpenCopy(const std::string& example, const std::string& name,
                         const std::string& text = {}) {
        const std::string path = m_dir + "/" + name;
        WriteFile(path, text.empty() ? ReadFile(kSourceDir + "/examples/" + example) : text);
        dialogs.AnswerFile(path);
        Form().FileOpen1()->trigger();
        return path;
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QApplication::setActiveWindow(&Form());
        QTest::keyClick(Files().ActiveDocument()->SynEditor(), key, modifiers);
        QApplication::processEvents();
    }

    std::vector<std::string> PanelLines() {
        TSynEditStringList& lines = Form().pnlColorMemo1()->ColorMemo1->Lines();
        std::vector<std::string> result;
        for (int i = 0; i < lines.GetCount(); ++i) result.push_back(lines.Get(i));
        return result;
    }

    bool PanelHas(const std::string& text) {
        for (const std::string& line : PanelLines())
            if (line.find(text) != std::string::npos) return true;
        return false;
    }

    // The image boots: its size is a whole number of 8 KB banks, and the reset vector at the end
    // of the first bank (mapped at $E000 on reset) points into that bank at code, not filler.
    static void ExpectBootableImage(const std::string& image, size_t expectedSize) {
        const std::string bytes = ReadFile(image);
        ASSERT_EQ(bytes.size(), expectedSize);
        const unsigned vector = static_cast<unsigned char>(bytes[0x1ffe]) |
                                static_cast<unsigned char>(bytes[0x1fff]) << 8;
        EXPECT_GE(vector, 0xe000u);
        EXPECT_LT(vector, 0xfff6u);
        EXPECT_NE(static_cast<unsigned char>(bytes[vector - 0xe000]), 0xffu);
    }

    std::string m_dir;
    std::string m_configureOutput;
};

TEST_F(RealToolchainTest, AssemblyExampleAssemblesWithCtrlF10) {
    const std::string source = OpenCopy("hello-asm/hello.asm", "hello.asm");
    Press(Qt::Key_F10);
    EXPECT_EQ(Form().StatusText(),
              "Finished Compiling: " + source + " Compile Successful - hello.pce (8192 bytes)");
    ExpectBootableImage(m_dir + "/hello.pce", 8192);
    // The label list beside the image, for the ROM Map.
    EXPECT_NE(ReadFile(m_dir + "/hello.lbl").find("hello.asm:"), std::string::npos);
    // The assembler's own report, captured, shown and logged outside the sources.
    EXPECT_TRUE(PanelHas("Output file:"));
    EXPECT_FALSE(FileExists(m_dir + "/output.c"));
    EXPECT_NE(ReadFile(ProgramCacheDirectory() + "output.log").find("Assembling file:"),
              std::string::npos);
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(RealToolchainTest, CExampleCompilesWithCtrlF9) {
    const std::string source = OpenCopy("hello-c/hello.c", "hello.c");
    Press(Qt::Key_F9);
    EXPECT_EQ(Form().StatusText(),
              "Finished Compiling: " + source + " Compile Successful - hello.pce (8192 bytes)");
    ExpectBootableImage(m_dir + "/hello.pce", 8192);
    EXPECT_TRUE(PanelHas("(the tool printed no messages)"));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(m_dir + "/hello.o")));
    // The linker's map beside the image, for the ROM Map.
    EXPECT_NE(ReadFile(m_dir + "/hello.map").find("Segment list:"), std::string::npos);
}

TEST_F(RealToolchainTest, ProgramsWithoutAndWithOneByteOfDataAndBeyondEightKilobytesBoot) {
    // No uninitialised data, and exactly one byte of it: the start-up faults the wrapper avoids.
    for (const std::string& text :
         {std::string("int main(void) { for (;;) {} return 0; }\n"),
          std::string("unsigned char b;\nint main(void) { for (;;) { ++b; } return 0; }\n")}) {
        OpenCopy({}, "small.c", text);
        Press(Qt::Key_F9);
        EXPECT_NE(Form().StatusText().find("Compile Successful - small.pce (8192 bytes)"),
                  std::string::npos)
            << Form().StatusText();
        ExpectBootableImage(m_dir + "/small.pce", 8192);
    }
    OpenCopy({}, "big.c",
             "#include <conio.h>\nstatic const unsigned char table[7000] = {1};\n"
             "int main(void) { cprintf(\"%u\", table[6999]); for (;;) {} return 0; }\n");
    Press(Qt::Key_F9);
    EXPECT_NE(Form().StatusText().find("Compile Successful - big.pce (16384 bytes)"),
              std::string::npos)
        << Form().StatusText();
    ExpectBootableImage(m_dir + "/big.pce", 16384);
}

TEST_F(RealToolchainTest, FailedBuildsShowTheToolsRealMessages) {
    const std::string asmSource =
        OpenCopy({}, "bad.asm", "        * = $e000\nstart   lda #\n        jmp start\n");
    Press(Qt::Key_F10);
    EXPECT_EQ(Form().StatusText(),
              "Finished Compiling: " + asmSource + " Compile FAILED (exit code 1)");
    EXPECT_TRUE(PanelHas("bad.asm:2:14: error: an expression is expected")) << PanelLines().size();
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(m_dir + "/bad.pce")));

    const std::string cSource = OpenCopy({}, "bad.c", "int main(void) { return x; }\n");
    Press(Qt::Key_F9);
    EXPECT_EQ(Form().StatusText(),
              "Finished Compiling: " + cSource + " Compile FAILED (exit code 1)");
    EXPECT_TRUE(PanelHas("bad.c(1): Error: Undefined symbol: 'x'"));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(m_dir + "/bad.pce")));

    // The error mended in the editor only: the build saves the text on screen first.
    TSynEdit& editor = *Files().ActiveDocument()->SynEditor();
    editor.SetCaretXY({25, 1});
    Press(Qt::Key_Delete, Qt::NoModifier);
    QTest::keyClicks(&editor, "0");
    ASSERT_TRUE(Files().ActiveDocument()->IsModified());
    Press(Qt::Key_F9);
    EXPECT_EQ(Form().StatusText(),
              "Finished Compiling: " + cSource + " Compile Successful - bad.pce (8192 bytes)");
    EXPECT_EQ(ReadFile(cSource), "int main(void) { return 0; }\n");
    EXPECT_FALSE(Files().ActiveDocument()->IsModified());
}

// The example project built by make with F9 as the README's tutorial does, from a copy placed
// beside the tools as in the source tree: two C files, the tile table and the assembly driver
// linked into one image that boots, which Ctrl+F1 then starts.
TEST_F(RealToolchainTest, ExampleProjectBuildsWithF9AndItsImageRuns) {
    if (QStandardPaths::findExecutable("make").isEmpty()) GTEST_SKIP() << "make is not installed";
    EXPECT_NE(m_configureOutput.find("[C] project=make"), std::string::npos) << m_configureOutput;
    const std::string tree = Source() + "/tree";
    const std::string project = tree + "/examples/tiles-project";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(project)));
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(tree + "/tools")));
    ASSERT_TRUE(QFile::link(QString::fromStdString(kSourceDir + "/tools/pce-cc"),
                            QString::fromStdString(tree + "/tools/pce-cc")));
    for (const char* name : {"Makefile", "main.c", "tiles.c", "tiles.h", "vdc.h", "vdc.s"}) {
        WriteFile(project + "/" + name,
                  ReadFile(kSourceDir + "/examples/tiles-project/" + std::string(name)));
    }
    dialogs.AnswerFile(project + "/tiles.c");
    Form().FileOpen1()->trigger();

    Press(Qt::Key_F9, Qt::NoModifier);
    EXPECT_EQ(Form().StatusText(),
              "Finished Building: tiles-project Build Successful - tiles.pce 8192 bytes");
    ExpectBootableImage(project + "/tiles.pce", 8192);
    EXPECT_TRUE(PanelHas("cl65 -t pce -c -o vdc.o vdc.s"));
    EXPECT_TRUE(PanelHas("pce-cc\" -o tiles.pce main.o tiles.o vdc.o"));

    // Again with nothing to rebuild: make says so, and the image is still the one named.
    Press(Qt::Key_F9, Qt::NoModifier);
    EXPECT_EQ(Form().StatusText(),
              "Finished Building: tiles-project Build Successful - tiles.pce 8192 bytes (up to "
              "date)");
    EXPECT_TRUE(PanelHas("is up to date"));

    // The emulator gets the project's image for this document of the project.
    const std::string emulator = Home() + "/emulator.sh";
    WriteFile(emulator, "#!/bin/sh\nprintf '%s' \"$1\" > '" + Home() + "/started.txt'\n");
    QFile::setPermissions(QString::fromStdString(emulator),
                          QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    TConfigFile(Home() + "/veskide.ini").WriteString(ckEmulators[0], emulator);
    Press(Qt::Key_F1);
    EXPECT_EQ(ReadFile(Home() + "/started.txt"), project + "/tiles.pce");
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(RealToolchainTest, ConfigurationKeepsKeysTheUserSet) {
    // The user's own compiler exists, so it stays; an assembler that is gone is replaced.
    const std::string compiler = Home() + "/my-compiler";
    WriteFile(compiler, "#!/bin/sh\n");
    QFile::setPermissions(QString::fromStdString(compiler),
                          QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    WriteConfig("[C]\npcecc=" + compiler + " -O\npceasm=gone-assembler {file}\n[E]\nA=\n");
    QProcess configure;
    configure.start(QString::fromStdString(kSourceDir + "/tools/configure-toolchain"), {});
    ASSERT_TRUE(configure.waitForFinished(60000));
    const std::string printed = configure.readAll().toStdString();
    EXPECT_NE(printed.find("kept   [C] pcecc=" + compiler + " -O (already set; --force replaces"),
              std::string::npos)
        << printed;
    const std::string config = ReadFile(Home() + "/veskide.ini");
    EXPECT_EQ(
        config.rfind(
            "[C]\npcecc=" + compiler +
                " -O\npceasm=64tass -c -b -Wall -o {image} --dump-labels -l {base}.lbl {file}\n",
            0),
        0u)
        << config;
}

}  // namespace
