// File > "New Project from Example...": the examples that come with the program (installed under
// share/quillon/examples, or the source tree's examples/ for a program run from its build tree),
// the dialog that picks one and the directory for the copy, and the command that copies it
// there and opens its main source file.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class TFileCommands;
class TMainForm;

// One example: its directory and the source file a new project opens.
struct TExample {
    std::string Name;      // the directory's name, "hello-c"
    std::string Dir;       // its full path
    std::string MainFile;  // bare name of its main source file, "hello.c"
};

// The examples below `examplesDir` in name order: every directory holding a C or assembly
// source file. The main file is the first C file by name, else the first assembly file.
std::vector<TExample> ListExamples(const std::string& examplesDir);

// Copies the example's files (sub-directories included, build leftovers such as images, objects
// and output.c left out) into `target`, which is created and must not hold anything yet; the
// copies are writable by the user. Returns the path of the copied main file. Throws
// std::runtime_error with a message for the user when the target is not empty or a copy fails.
std::string CopyExample(const TExample& example, const std::string& target);

// A proposal for the copy's directory: `base`/name, or `base`/name-2, -3, ... when taken.
std::string ProposeProjectDirectory(const std::string& base, const std::string& name);

// The dialog: the list of examples and the directory for the copy, with a button that picks the
// directory (through the dialog seam).
class TNewFromExampleDialog : public QDialog {
    Q_OBJECT
  public:
    TNewFromExampleDialog(std::vector<TExample> examples, QWidget* parent = nullptr);

    QListWidget* lstExamples = nullptr;
    QLineEdit* edtDirectory = nullptr;
    QPushButton* btnBrowse = nullptr;

    // The chosen example, or null while none is selected.
    const TExample* SelectedExample() const;
    std::string Directory() const;

    // Shows a directory picker through the dialog seam; a chosen directory becomes the text.
    void BrowseClick();

  private:
    void ProposeDirectory();

    std::vector<TExample> m_examples;
    bool m_directoryEdited = false;
};

// Binds the frame's FileNewFromExample1 to the command. Form and file commands must outlive it.
class TExampleCommands {
  public:
    TExampleCommands(TMainForm& form, TFileCommands& files);

    // Asks for an example and a directory, copies the example there and opens its main file.
    // `examplesDir` empty: the program's own examples.
    void NewFromExampleExecute(const std::string& examplesDir = {});

  private:
    TMainForm& m_form;
    TFileCommands& m_files;
};
