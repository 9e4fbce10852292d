// Listing, choosing and copying the examples.
#include "app/example_projects.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "app/file_commands.h"
#include "app/main_window.h"
#include "platform/dialogs.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/error_report.h"
#include "platform/qt/qt_text.h"
#include "platform/shared_data.h"

namespace {

namespace fs = std::filesystem;

bool HasExtension(const fs::path& path, std::initializer_list<const char*> extensions) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::any_of(extensions.begin(), extensions.end(),
                       [&](const char* wanted) { return extension == wanted; });
}

bool IsCSource(const fs::path& path) {
    return HasExtension(path, {".c"});
}

bool IsAsmSource(const fs::path& path) {
    return HasExtension(path, {".asm", ".s"});
}

// What a build leaves beside the sources: never part of a new project.
bool IsBuildLeftover(const fs::path& path) {
    const std::string name = path.filename().string();
    return name == "output.c" || name == "oldoutput.c" ||
           HasExtension(path, {".pce", ".o", ".lst", ".map", ".lbl"});
}

std::string MainSourceOf(const fs::path& dir) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, error)) {
        if (entry.is_regular_file(error) && !IsBuildLeftover(entry.path()))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (auto isWanted : {&IsCSource, &IsAsmSource}) {
        for (const fs::path& file : files) {
            if (isWanted(file)) return file.filename().string();
        }
    }
    return {};
}

bool IsEmptyOrMissing(const fs::path& dir) {
    std::error_code error;
    if (!fs::exists(dir, error)) return true;
    return fs::is_directory(dir, error) && fs::is_empty(dir, error);
}

}  // namespace

std::vector<TExample> ListExamples(const std::string& examplesDir) {
    std::vector<TExample> examples;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(examplesDir, error)) {
        if (!entry.is_directory(error)) continue;
        std::string mainFile = MainSourceOf(entry.path());
        if (mainFile.empty()) continue;
        examples.push_back(
            TExample{entry.path().filename().string(), entry.path().string(), std::move(mainFile)});
    }
    std::sort(examples.begin(), examples.end(),
              [](const TExample& a, const TExample& b) { return a.Name < b.Name; });
    return examples;
}

std::string CopyExample(const TExample& example, const std::string& target) {
    const fs::path to(target);
    if (!IsEmptyOrMissing(to)) {
        throw std::runtime_error(target +
                                 " already holds files; choose an empty or new directory.");
    }
    std::error_code error;
    fs::create_directories(to, error);
    if (error) throw std::runtime_error("Cannot create " + target + ": " + error.message());
    const fs::path from(example.Dir);
    for (auto it = fs::recursive_directory_iterator(from, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        const fs::path relative = it->path().lexically_relative(from);
        if (it->is_directory(error)) {
            fs::create_directories(to / relative, error);
        } else if (it->is_regular_file(error) && !IsBuildLeftover(it->path())) {
            fs::copy_file(it->path(), to / relative, error);
            // Installed examples are read-only; the project's files are the user's to edit.
            if (!error)
                fs::permissions(to / relative, fs::perms::owner_read | fs::perms::owner_write,
                                fs::perm_options::add, error);
        }
        if (error) break;
    }
    if (error) {
        throw std::runtime_error("Cannot copy " + example.Dir + " to " + target + ": " +
                                 error.message());
    }
    return (to / example.MainFile).string();
}

std::string ProposeProjectDirectory(const std::string& base, const std::string& name) {
    const fs::path first = fs::path(base) / name;
    if (IsEmptyOrMissing(first)) return first.string();
    for (int i = 2;; ++i) {
        const fs::path candidate = fs::path(base) / (name + "-" + std::to_string(i));
        if (IsEmptyOrMissing(candidate)) return candidate.string();
    }
}

TNewFromExampleDialog::TNewFromExampleDialog(std::vector<TExample> examples, QWidget* parent)
    : QDialog(parent), m_examples(std::move(examples)) {
    setObjectName("dlgNewFromExample");
    setWindowTitle("New Project from Example");
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("&Example:", this), 0, 0, 1, 2);
    lstExamples = new QListWidget(this);
    lstExamples->setObjectName("lstExamples");
    for (const TExample& example : m_examples) {
        lstExamples->addItem(ToQPath(example.Name + "  (" + example.MainFile + ")"));
    }
    layout->addWidget(lstExamples, 1, 0, 1, 2);
    auto* label = new QLabel("&Copy into the directory:", this);
    layout->addWidget(label, 2, 0, 1, 2);
    edtDirectory = new QLineEdit(this);
    edtDirectory->setObjectName("edtDirectory");
    edtDirectory->setMinimumWidth(360);
    label->setBuddy(edtDirectory);
    layout->addWidget(edtDirectory, 3, 0);
    btnBrowse = new QPushButton("&Browse...", this);
    btnBrowse->setObjectName("btnBrowse");
    layout->addWidget(btnBrowse, 3, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons, 4, 0, 1, 2);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(btnBrowse, &QPushButton::clicked, this, Guarded([this] { BrowseClick(); }));
    connect(edtDirectory, &QLineEdit::textEdited, this, [this] { m_directoryEdited = true; });
    connect(lstExamples, &QListWidget::currentRowChanged, this, [this] { ProposeDirectory(); });
    if (!m_examples.empty()) lstExamples->setCurrentRow(0);
}

const TExample* TNewFromExampleDialog::SelectedExample() const {
    const int row = lstExamples->currentRow();
    if (row < 0 || row >= static_cast<int>(m_examples.size())) return nullptr;
    return &m_examples[static_cast<std::size_t>(row)];
}

std::string TNewFromExampleDialog::Directory() const {
    return FromQPath(edtDirectory->text().trimmed());
}

void TNewFromExampleDialog::ProposeDirectory() {
    // A directory the user typed or picked stays.
    if (m_directoryEdited) return;
    if (const TExample* example = SelectedExample()) {
        edtDirectory->setText(
            ToQPath(ProposeProjectDirectory(FromQPath(QDir::homePath()), example->Name)));
    }
}

void TNewFromExampleDialog::BrowseClick() {
    QFileDialog picker(this, "Directory for the new project");
    picker.setObjectName("dlgProjectDirectory");
    picker.setFileMode(QFileDialog::Directory);
    picker.setOption(QFileDialog::ShowDirsOnly);
    QString start = edtDirectory->text();
    while (!start.isEmpty() && !QDir(start).exists()) start = QFileInfo(start).path();
    picker.setDirectory(start.isEmpty() ? QDir::homePath() : start);
    if (WidgetDialogs().ShowModal(picker) != TModalResult::mrOk) return;
    const QStringList chosen = picker.selectedFiles();
    if (chosen.isEmpty()) return;
    edtDirectory->setText(chosen.front());
    m_directoryEdited = true;
}

TExampleCommands::TExampleCommands(TMainForm& form, TFileCommands& files)
    : m_form(form), m_files(files) {
    m_form.BindCommand(m_form.FileNewFromExample1(), [this] { NewFromExampleExecute(); });
}

void TExampleCommands::NewFromExampleExecute(const std::string& examplesDir) {
    const std::string dir = examplesDir.empty() ? SharedDataDirectory("examples") : examplesDir;
    std::vector<TExample> examples = dir.empty() ? std::vector<TExample>{} : ListExamples(dir);
    if (examples.empty()) {
        Dialogs().MessageDlg(
            "No examples were found (they are installed in share/quillon/examples).",
            TMsgDlgType::mtError, mbOK);
        return;
    }
    TNewFromExampleDialog dialog(std::move(examples), &m_form);
    while (WidgetDialogs().ShowModal(dialog) == TModalResult::mrOk) {
        const TExample* example = dialog.SelectedExample();
        const std::string target = dialog.Directory();
        if (example == nullptr || target.empty()) {
            Dialogs().MessageDlg("Choose an example and a directory for the copy.",
                                 TMsgDlgType::mtError, mbOK);
            continue;
        }
        std::string mainFile;
        try {
            mainFile = CopyExample(*example, target);
        } catch (const std::runtime_error& failure) {
            // The dialog comes back with what was chosen, so another directory can be given.
            Dialogs().MessageDlg(failure.what(), TMsgDlgType::mtError, mbOK);
            continue;
        }
        m_files.OpenChosenFile(mainFile);
        m_form.SetStatusText("New project " + target + " from the example " + example->Name);
        return;
    }
}
