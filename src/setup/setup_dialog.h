// The setup dialog TfrmSetup: the tool commands, the compiler switches and the editor colours on
// three pages, loaded from the configuration file each time the dialog is shown and written
// back, every key, by "Save!". It also composes the switch string the C compiler is given.
#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "platform/colors.h"
#include "config/setup_store.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TabcColorComboBox;
class TabcFileOpenEdit;
class TabcToggleBtn;
class TDirectoryEdit;

class TfrmSetup : public QWidget {
    Q_OBJECT
  public:
    // The dialog reads and writes its settings through `store`, which it keeps. It is created
    // hidden; `parent` is the window it belongs to.
    explicit TfrmSetup(std::unique_ptr<ISetupStore> store, QWidget* parent = nullptr);
    ~TfrmSetup() override;

    // The switch string given to the C compiler: the file-type part (" -cd" or " -scd" unless
    // the Hu-Card type is chosen), " -T", " -S" and " -V" for the switches that are on, one
    // blank, then the extra text unchanged.
    static std::string ComposeOptionString(bool hu, bool cd, bool scd, bool t, bool s, bool v,
                                           const std::string& extra);

    // Shows the dialog without waiting for it, or brings it to the front when it is open.
    void ShowSetup();

    // Loads every control from the configuration file. Runs when the dialog is shown (not on
    // every activation, so looking something up in another window keeps what was typed). A
    // colour that is not an integer stops the load at its box with the conversion error.
    void FormShow();
    // Writes every key in order and closes the dialog; a key that can't be written stops the
    // save there with "Unable to write to <path>" and the dialog stays open.
    void Button1Click();
    // Fills in the commands of the packaged tools found on PATH (64tass, cc65 through the
    // shipped wrapper pce-cc, make, mednafen) and names those that are missing. Nothing is saved
    // before "Save!".
    void FindPackagedToolsClick();
    // Shows or hides the warning that switches are set while the C compiler's command is a
    // template without {options}, which would leave them out.
    void UpdateOptionsWarning();

    QTabWidget* PageControl1 = nullptr;
    QPushButton* Button1 = nullptr;  // "Save!"

    TabcFileOpenEdit* edtCC = nullptr;
    TabcFileOpenEdit* edtASM = nullptr;
    TabcFileOpenEdit* edtA = nullptr;
    TabcFileOpenEdit* edtB = nullptr;
    TabcFileOpenEdit* edtC = nullptr;
    TabcFileOpenEdit* edtD = nullptr;
    TabcFileOpenEdit* edtE = nullptr;
    // The project build's command (F9); empty stands for make in a project with a Makefile.
    TabcFileOpenEdit* edtProject = nullptr;
    // The C compiler's include directory, whose declarations completion offers; empty: found
    // from the C compiler's command.
    TDirectoryEdit* edtInclude = nullptr;

    TabcToggleBtn* togHu = nullptr;
    TabcToggleBtn* togCD = nullptr;
    TabcToggleBtn* togSCD = nullptr;
    TabcToggleBtn* togT = nullptr;
    TabcToggleBtn* togS = nullptr;
    TabcToggleBtn* togV = nullptr;
    QLineEdit* edtOptions = nullptr;
    QPushButton* btnFindTools = nullptr;  // "Find Packaged Tools"
    QLabel* lblOptionsWarning = nullptr;

    TabcColorComboBox* clBG = nullptr;
    TabcColorComboBox* clASM = nullptr;
    TabcColorComboBox* clCOM = nullptr;
    TabcColorComboBox* clDIR = nullptr;
    TabcColorComboBox* clID = nullptr;
    TabcColorComboBox* clNUM = nullptr;
    TabcColorComboBox* clKEY = nullptr;
    TabcColorComboBox* clSTR = nullptr;
    // The label "String Color:"; a click on it saves, as "Save!" does.
    QLabel* lblSTR = nullptr;

    // The seven path edits in the order of their keys (pcecc, pceasm, A to E).
    std::array<TabcFileOpenEdit*, 7> PathEdits() const;
    // The eight colour boxes in the order of their keys (BGCOLOR, ASMCOLOR, ..., STRCOLOR).
    std::array<TabcColorComboBox*, 8> ColorBoxes() const;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* CreateDirectoriesPage();
    QWidget* CreateSwitchesPage();
    QWidget* CreateColorsPage();

    std::unique_ptr<ISetupStore> m_store;
};

// The 48 entries every colour box of the dialog offers, in the order the form lists them.
const std::array<const char*, 48>& SetupColorEntries();
