// New Project from Example: the examples that come with the program, the copy into a directory
// of the user's (without build leftovers, writable, never into a directory that holds files)
// and the command that asks through the dialog seam and opens the copy's main file.
#include "app/example_projects.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>
#include <stdexcept>

#include "app/main_window.h"
#include "app_test_support.h"
#include "documents/mdi_child.h"
#include "editor/qt/synedit.h"
#include "editor/string_list.h"

namespace {

namespace fs = std::filesystem;

const std::string kSourceExamples = QUILLON_SOURCE_DIR "/examples";

std::vector<std::string> FilesBelow(const fs::path& dir) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.is_regular_file()) files.push_back(entry.path().lexically_relative(dir));
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string FirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

TEST(ExampleProjects, TheShippedExamplesAreListedWithTheirMainFiles) {
    const std::vector<TExample> examples = ListExamples(kSourceExamples);
    ASSERT_EQ(examples.size(), 3u);
    EXPECT_EQ(examples[0].Name, "hello-asm");
    EXPECT_EQ(examples[0].MainFile, "hello.asm");
    EXPECT_EQ(examples[1].Name, "hello-c");
    EXPECT_EQ(examples[1].MainFile, "hello.c");
    EXPECT_EQ(examples[2].Name, "tiles-project");
    EXPECT_EQ(examples[2].MainFile, "main.c");
    EXPECT_TRUE(ListExamples(kSourceExamples + "/missing").empty());
}

class ExampleCopyTest : public ::testing::Test {
  protected:
    ExampleCopyTest() {
        char pattern[] = "/tmp/example_copy_XXXXXX";
        m_dir = ::mkdtemp(pattern);
    }
    ~ExampleCopyTest() override {
        for (const auto& entry : fs::recursive_directory_iterator(m_dir)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
        }
        fs::remove_all(m_dir);
    }
    void Write(const std::string& relative, const std::string& text) {
        const fs::path path = fs::path(m_dir) / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }

    std::string m_dir;
};

TEST_F(ExampleCopyTest, CopiesTheSourcesButNotWhatABuildLeftAndMakesThemWritable) {
    Write("examples/shooter/main.c", "int main(void) { return 0; }\n");
    Write("examples/shooter/sprites.asm", "; sprites\n");
    Write("examples/shooter/gfx/font.inc", "; font\n");
    for (const char* leftover : {"main.pce", "main.o", "output.c", "oldoutput.c", "gfx/x.o"}) {
        Write(std::string("examples/shooter/") + leftover, "built");
    }
    Write("examples/notes/readme.txt", "no sources here\n");
    fs::permissions(m_dir + "/examples/shooter/main.c", fs::perms::owner_read,
                    fs::perm_options::replace);

    const std::vector<TExample> examples = ListExamples(m_dir + "/examples");
    ASSERT_EQ(examples.size(), 1u);
    EXPECT_EQ(examples[0].MainFile, "main.c");  // a C file before an assembly file

    const std::string target = m_dir + "/home/my games/shooter";
    EXPECT_EQ(CopyExample(examples[0], target), target + "/main.c");
    EXPECT_EQ(FilesBelow(target),
              (std::vector<std::string>{"gfx/font.inc", "main.c", "sprites.asm"}));
    EXPECT_TRUE((fs::status(target + "/main.c").permissions() & fs::perms::owner_write) !=
                fs::perms::none);

    // A directory that holds anything is never written into.
    Write("home/taken/mine.c", "my own work\n");
    EXPECT_THROW(CopyExample(examples[0], m_dir + "/home/taken"), std::runtime_error);
    EXPECT_EQ(FilesBelow(m_dir + "/home/taken"), std::vector<std::string>{"mine.c"});
    // An empty one is fine.
    fs::create_directories(m_dir + "/home/empty");
    EXPECT_NO_THROW(CopyExample(examples[0], m_dir + "/home/empty"));
}

TEST_F(ExampleCopyTest, TheProposedDirectoryIsNeverOneThatHoldsFiles) {
    EXPECT_EQ(ProposeProjectDirectory(m_dir, "hello-c"), m_dir + "/hello-c");
    Write("hello-c/hello.c", "x");
    fs::create_directories(m_dir + "/hello-c-2");  // empty: usable
    EXPECT_EQ(ProposeProjectDirectory(m_dir, "hello-c"), m_dir + "/hello-c-2");
    Write("hello-c-2/a.c", "x");
    EXPECT_EQ(ProposeProjectDirectory(m_dir, "hello-c"), m_dir + "/hello-c-3");
}

class NewFromExampleTest : public ::testing::Test, public TProgramFixture {
  protected:
    // Answers the example dialog: picks the example by name and the directory, then OK.
    void AnswerWith(const std::string& example, const std::string& directory) {
        dialogs.AnswerModal([=, this](QDialog& dialog) {
            auto& chooser = dynamic_cast<TNewFromExampleDialog&>(dialog);
            proposed = chooser.edtDirectory->text().toStdString();
            const auto items = chooser.lstExamples->findItems(QString::fromStdString(example),
                                                              Qt::MatchStartsWith);
            if (!items.isEmpty()) chooser.lstExamples->setCurrentItem(items.front());
            if (!directory.empty())
                chooser.edtDirectory->setText(QString::fromStdString(directory));
            return TModalResult::mrOk;
        });
    }
    void Run() { Form().FileNewFromExample1()->trigger(); }

    std::string proposed;
};

TEST_F(NewFromExampleTest, CopiesTheChosenExampleAndOpensItsMainFile) {
    ASSERT_TRUE(Form().FileNewFromExample1()->isEnabled());
    const std::string target = Home() + "/games/first";
    AnswerWith("hello-c", target);
    Run();
    EXPECT_EQ(proposed, Home() + "/hello-asm");  // the first example, below the home directory
    ASSERT_EQ(dialogs.ModalDialogs, std::vector<std::string>{"dlgNewFromExample"});
    EXPECT_EQ(FilesBelow(target), std::vector<std::string>{"hello.c"});
    TMDIChild* document = Files().ActiveDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->SourcePath(), target + "/hello.c");
    EXPECT_EQ(Files().ActiveSource().SourceDir(), target + "/");
    EXPECT_EQ(Files().ActiveSource().SourceName(), "hello.c");
    EXPECT_EQ(document->SynEditor()->Lines().Get(0), FirstLine(target + "/hello.c"));
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(NewFromExampleTest, ADirectoryThatHoldsFilesIsRefusedAndTheDialogAsksAgain) {
    const std::string taken = Home() + "/taken";
    QDir().mkpath(QString::fromStdString(taken));
    WriteFile(taken + "/hello.c", "my own hello\n");
    AnswerWith("hello-c", taken);
    // The second showing is cancelled (no answer): nothing is copied or opened.
    Run();
    EXPECT_EQ(dialogs.ModalDialogs.size(), 2u);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_NE(dialogs.Messages[0].Text.find("already holds files"), std::string::npos);
    EXPECT_EQ(ReadFile(taken + "/hello.c"), "my own hello\n");
    EXPECT_EQ(Form().MDIChildCount(), 0);
}

TEST_F(NewFromExampleTest, BrowsePicksTheDirectoryThroughTheDialogSeam) {
    const std::string picked = Home() + "/picked";
    QDir().mkpath(QString::fromStdString(picked));
    dialogs.AnswerModal([&](QDialog& dialog) {
        auto& chooser = dynamic_cast<TNewFromExampleDialog&>(dialog);
        chooser.lstExamples->setCurrentRow(0);
        chooser.btnBrowse->click();
        // Choosing another example keeps the picked directory.
        chooser.lstExamples->setCurrentRow(1);
        return TModalResult::mrOk;
    });
    dialogs.AnswerModal([&](QDialog& dialog) {
        auto& picker = dynamic_cast<QFileDialog&>(dialog);
        picker.selectFile(QString::fromStdString(picked));
        return TModalResult::mrOk;
    });
    Run();
    EXPECT_EQ(dialogs.ModalDialogs,
              (std::vector<std::string>{"dlgNewFromExample", "dlgProjectDirectory"}));
    EXPECT_EQ(FilesBelow(picked), std::vector<std::string>{"hello.c"});
    ASSERT_NE(Files().ActiveDocument(), nullptr);
    EXPECT_EQ(Files().ActiveDocument()->SourcePath(), picked + "/hello.c");
}

TEST_F(NewFromExampleTest, WithoutExamplesTheCommandSaysSo) {
    app->ExampleCommands().NewFromExampleExecute(Home() + "/no-examples");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_NE(dialogs.Messages[0].Text.find("No examples"), std::string::npos);
    EXPECT_TRUE(dialogs.ModalDialogs.empty());
}

}  // namespace
