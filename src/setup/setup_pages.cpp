// Setup dialog: building its three pages (directories, compiler switches, colour scheme) and
// the button strip in the dialog's own look.
#include "setup/setup_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "platform/dialogs.h"
#include "platform/qt/color_resolve.h"
#include "platform/qt/error_report.h"
#include "project/qt/directory_edit.h"
#include "setup/setup_pictures.h"
#include "widgets/color_combo_box.h"
#include "widgets/file_open_edit.h"
#include "widgets/toggle_btn.h"
#include "widgets/toggle_pictures.h"
#include "widgets/widget_look.h"

namespace {

constexpr int kClientWidth = 524;
constexpr int kClientHeight = 518;
constexpr int kButtonStripHeight = 38;
constexpr int kFileTypeGroup = 1179115;

QFont ArialFont(int pixelSize, bool bold = false) {
    return PixelFont("Arial", pixelSize, bold);
}

QLabel* WhiteLabel(const QString& text, const QFont& font, QWidget* parent, int x, int y, int width,
                   int height) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    SetPaletteColor(label, QPalette::WindowText, Qt::white);
    label->setGeometry(x, y, width, height);
    return label;
}

// A page with its picture stretched over the whole of it and a title at its top.
class TSetupPage : public QWidget {
  public:
    TSetupPage(TSetupPagePicture picture, const QString& title)
        : m_picture(SetupPagePicture(picture)) {
        WhiteLabel(title, ArialFont(16, true), this, 10, 8, 490, 22);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawPixmap(rect(), m_picture);
    }

  private:
    QPixmap m_picture;
};

// What the directories page says about where the tools come from, for this platform.
#ifdef _WIN32
constexpr const char* kDirectoriesNote =
    "Please make sure to modify your autoexec.bat file with the SET_PCE_INCLUDE statement, and "
    "put your compiler .exe files in your path.";
constexpr const char* kProgramFilter = "EXE files (*.exe)|*.exe|All files (*.*)|*.*";
#else
constexpr const char* kDirectoriesNote =
    "A program named without a directory is looked up in the IDE's directory and then PATH, "
    "never in the source file's directory. \"Find Packaged Tools\" fills in 64tass, cc65, make and "
    "mednafen once they are installed (apt-get install 64tass cc65 make mednafen).";
constexpr const char* kProgramFilter = "All files (*)|*";
#endif

}  // namespace

const std::array<const char*, 48>& SetupColorEntries() {
    static const std::array<const char*, 48> entries{
        "$00000040", "$00004000", "$00004080", "$000080FF", "$0000FF80", "$00400000", "$00400040",
        "$00400040", "$00400080", "$00404000", "$00404080", "$00408000", "$00408080", "$004080FF",
        "$0040FF00", "$00800040", "$008000FF", "$00804000", "$00808040", "$008080FF", "$0080FF00",
        "$0080FF80", "$0080FFFF", "$00A00000", "$00C08000", "$00C08080", "$00C080FF", "$00FF0080",
        "$00FF8000", "$00FF8080", "$00FF80FF", "$00FFFF80", "clAqua",    "clBlack",   "clBlue",
        "clFuchsia", "clGray",    "clGreen",   "clLime",    "clMaroon",  "clNavy",    "clOlive",
        "clPurple",  "clRed",     "clSilver",  "clTeal",    "clWhite",   "clYellow"};
    return entries;
}

TfrmSetup::TfrmSetup(std::unique_ptr<ISetupStore> store, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_store(std::move(store)) {
    setObjectName("frmSetup");
    setWindowTitle("Setup Options:");
    setFixedSize(kClientWidth, kClientHeight);
    move(342, 328);
    setAutoFillBackground(true);
    SetPaletteColor(this, QPalette::Window, ColorToQColor(clBlue));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setGeometry(0, 0, kClientWidth, kClientHeight - kButtonStripHeight);
    // Tabs that look like buttons.
    PageControl1->tabBar()->setDrawBase(false);
    PageControl1->tabBar()->setStyleSheet(
        "QTabBar::tab { background: #c0c0c0; color: black; border: 2px outset #e0e0e0;"
        " padding: 3px 10px; margin: 2px 1px; }"
        "QTabBar::tab:selected { border-style: inset; background: #a8a8a8; }");
    PageControl1->addTab(CreateDirectoriesPage(), "Directories");
    PageControl1->addTab(CreateSwitchesPage(), "Compiler Options/ Switches");
    PageControl1->addTab(CreateColorsPage(), "IDE Color Scheme");
    PageControl1->setCurrentIndex(0);

    auto* strip = new QWidget(this);
    strip->setObjectName("pnlButtons");
    strip->setGeometry(0, kClientHeight - kButtonStripHeight, kClientWidth, kButtonStripHeight);
    strip->setAutoFillBackground(true);
    SetPaletteColor(strip, QPalette::Window, ColorToQColor(clBlue));
    Button1 = new QPushButton("Save!", strip);
    Button1->setObjectName("Button1");
    Button1->setFont(ArialFont(19));
    Button1->setGeometry(0, 0, kClientWidth, kButtonStripHeight);
    connect(Button1, &QPushButton::clicked, this, Guarded([this] { Button1Click(); }));
}

TfrmSetup::~TfrmSetup() = default;

QWidget* TfrmSetup::CreateDirectoriesPage() {
    auto* page = new TSetupPage(sppDirectories, "Compiler and Emulator Directories");
    page->setObjectName("tabDirectories");
    struct PathField {
        TabcFileOpenEdit** edit;
        const char* name;
        const char* label;
    };
    const std::array<PathField, 7> fields{{{&edtCC, "edtCC", "C Compiler:"},
                                           {&edtASM, "edtASM", "ASM Compiler:"},
                                           {&edtA, "edtA", "Emulator 1:"},
                                           {&edtB, "edtB", "Emulator 2:"},
                                           {&edtC, "edtC", "Emulator 3:"},
                                           {&edtD, "edtD", "Emulator 4:"},
                                           {&edtE, "edtE", "Emulator 5:"}}};
    QFont labelFont = ArialFont(13, true);
    labelFont.setUnderline(true);
    // A labelled edit in the dialog's look: the label above, black text on white.
    const auto placeEdit = [&](TabcCustomButtonEdit* edit, const char* name, const char* label,
                               int x, int y) {
        WhiteLabel(label, labelFont, page, x, y, 240, 18);
        edit->setObjectName(name);
        edit->setGeometry(x, y + 20, 240, 24);
        edit->setFont(ArialFont(13));
        SetPaletteColor(edit, QPalette::Base, Qt::white);
        SetPaletteColor(edit, QPalette::Text, Qt::black);
    };
    const auto programEdit = [&](const char* name, const char* label, int x, int y) {
        auto* edit = new TabcFileOpenEdit(page);
        placeEdit(edit, name, label, x, y);
        edit->OpenDialog().Filter = kProgramFilter;
        edit->OpenDialog().Options = ofHideReadOnly | ofEnableSizing;
        return edit;
    };
    for (std::size_t i = 0; i < fields.size(); ++i) {
        // Five in the left column, two in the right one.
        const bool left = i < 5;
        const int x = left ? 12 : 270;
        const int y = 48 + static_cast<int>(left ? i : i - 5) * 62;
        *fields[i].edit = programEdit(fields[i].name, fields[i].label, x, y);
    }
    // The project build's command, below the compilers in the right column.
    edtProject = programEdit("edtProject", "Project Build (F9):", 270, 172);
    edtProject->setPlaceholderText("make (when the project has a Makefile)");
    edtProject->setToolTip(
        "Runs in the project's directory; may name {project}, {dir}, {file}, {base} and {image}");
    edtInclude = new TDirectoryEdit(page);
    placeEdit(edtInclude, "edtInclude", "C Include Directory:", 270, 234);
    edtInclude->setPlaceholderText("found from the C compiler");
    edtInclude->setToolTip(
        "The C compiler's headers, whose functions, macros and types Ctrl+Space offers");
    btnFindTools = new QPushButton("Find Packaged Tools", page);
    btnFindTools->setObjectName("btnFindTools");
    btnFindTools->setFont(ArialFont(13, true));
    btnFindTools->setGeometry(270, 300, 240, 28);
    btnFindTools->setToolTip(
        "Fills in 64tass, cc65 (through the shipped pce-cc), make and mednafen when they are "
        "installed");
    connect(btnFindTools, &QPushButton::clicked, this,
            Guarded([this] { FindPackagedToolsClick(); }));
    connect(edtCC, &QLineEdit::textChanged, this, [this] { UpdateOptionsWarning(); });
    QFont noteFont = ArialFont(13);
    noteFont.setItalic(true);
    QLabel* note = WhiteLabel(kDirectoriesNote, noteFont, page, 12, 370, 496, 64);
    note->setObjectName("lblDirectoriesNote");
    note->setWordWrap(true);
    return page;
}

QWidget* TfrmSetup::CreateSwitchesPage() {
    auto* page = new TSetupPage(sppSwitches, "Compiler Switches and Options");
    page->setObjectName("tabSwitches");
    const QFont groupFont = ArialFont(13, true);
    const QFont labelFont = ArialFont(13);
    auto group = [&](const QString& title, int y, int height) {
        auto* box = new QGroupBox(title, page);
        box->setFont(groupFont);
        SetPaletteColor(box, QPalette::WindowText, Qt::white);
        box->setGeometry(10, y, 496, height);
        return box;
    };
    auto toggle = [&](QWidget* parent, const char* name, int y, const char* hintDown,
                      const char* hintUp, const char* label) {
        auto* button = new TabcToggleBtn(parent);
        button->setObjectName(name);
        button->setGeometry(14, y, 33, 27);
        button->SetHintDown(hintDown);
        button->SetHintUp(hintUp);
        WhiteLabel(label, labelFont, parent, 58, y + 5, 420, 18);
        return button;
    };

    QGroupBox* fileType = group("File Type:", 40, 130);
    togHu = toggle(fileType, "togHu", 22, "Compile as a Regular Hu-Card Game (ON)",
                   "Compile as a Regular Hu-Card Game (OFF)",
                   "Compile as a Regular Hu-Card Game format.");
    togCD =
        toggle(fileType, "togCD", 58, "Compile as a System 2.x CD Game (ON)",
               "Compile as a System 2.x CD Game (OFF)", "Compile as a System 2.x CD Game format.");
    togSCD = toggle(fileType, "togSCD", 94, "", "Compile as a System 3.x CD Game (OFF)",
                    "Compile as a System 3.x CD Game format.");
    const std::array<TTogglePicture, 3> fileTypePictures{tpHuCard, tpCD, tpSuperCD};
    const std::array<TabcToggleBtn*, 3> fileTypes{togHu, togCD, togSCD};
    for (std::size_t i = 0; i < fileTypes.size(); ++i) {
        fileTypes[i]->SetGroupIndex(kFileTypeGroup);
        fileTypes[i]->SetPicture(TogglePicture(fileTypePictures[i]));
        fileTypes[i]->SetPictureHighlight(aghGray);
        fileTypes[i]->SetStyle(absAutoDetect);
    }
    togHu->SetDown(true);

    QGroupBox* switches = group("Non Value Switches", 180, 130);
    togT = toggle(switches, "togT", 22, "Include text of 'C' in asm output/listings (ON)",
                  "Include text of 'C' in asm output/listings (OFF)",
                  "Include text of 'C' in asm output/listings.");
    togS = toggle(switches, "togS", 58, "Create an asm output only (do not invoke assembler) (ON)",
                  "Create an asm output only (do not invoke assembler) (OFF)",
                  "Create an asm output only (do not invoke assembler).");
    togV = toggle(switches, "togV", 94,
                  "Assembler: verbose - maximum information in output files (ON)",
                  "Assembler: verbose - maximum information in output files (OFF)",
                  "Assembler: verbose - maximum information in output files.");
    struct SwitchLook {
        TabcToggleBtn* button;
        int group;
        const char* caption;
        TTogglePicture picture;
    };
    const std::array<SwitchLook, 3> looks{{{togT, 1, "-T", tpTextSwitch},
                                           {togS, 452570, "-S", tpAsmSwitch},
                                           {togV, 2, "-V", tpVerboseSwitch}}};
    for (const SwitchLook& look : looks) {
        look.button->SetGroupIndex(look.group);
        look.button->SetCaption(look.caption);
        look.button->setFont(ArialFont(16, true));
        SetPaletteColor(look.button, QPalette::ButtonText, Qt::black);
        look.button->SetColor(ColorToQColor(clGray));
        look.button->SetPicture(TogglePicture(look.picture));
        look.button->SetLayout(ablGlyphCenter);
        look.button->SetStyle(absRecessedBlack);
        look.button->SetShowHint(true);
    }

    QGroupBox* extra = group("Value / Extra Switches:", 320, 100);
    QLabel* explanation = WhiteLabel(
        "To add more switches to these default ones (such as optimizations etc.), simply type "
        "them in here.",
        labelFont, extra, 14, 22, 470, 36);
    explanation->setWordWrap(true);
    edtOptions = new QLineEdit(extra);
    edtOptions->setObjectName("edtOptions");
    edtOptions->setFont(labelFont);
    edtOptions->setGeometry(14, 62, 468, 24);
    connect(edtOptions, &QLineEdit::textChanged, this, [this] { UpdateOptionsWarning(); });
    for (TabcToggleBtn* button : {togHu, togCD, togSCD, togT, togS, togV}) {
        button->OnClickDown = [this](QObject*) { UpdateOptionsWarning(); };
        button->OnClickUp = [this](QObject*) { UpdateOptionsWarning(); };
    }

    lblOptionsWarning = WhiteLabel(
        "The C compiler's command (Directories page) is a template without {options}: these "
        "switches are not passed to it. Add {options} where the compiler takes them.",
        labelFont, page, 12, 426, 496, 48);
    lblOptionsWarning->setObjectName("lblOptionsWarning");
    lblOptionsWarning->setWordWrap(true);
    SetPaletteColor(lblOptionsWarning, QPalette::WindowText, QColor(255, 255, 0));
    lblOptionsWarning->hide();
    return page;
}

QWidget* TfrmSetup::CreateColorsPage() {
    auto* page = new TSetupPage(sppColors, "IDE Color Scheme for Syntax Highlighting");
    page->setObjectName("tabColors");
    struct ColorField {
        TabcColorComboBox** box;
        const char* name;
        const char* label;
        TColor background;
    };
    const std::array<ColorField, 8> fields{{{&clBG, "clBG", "Background Color:", clWhite},
                                            {&clASM, "clASM", "Assembly Color:", clGreen},
                                            {&clCOM, "clCOM", "Comment Color:", clGreen},
                                            {&clDIR, "clDIR", "Directive Color:", clTeal},
                                            {&clID, "clID", "Identifier Color:", clNavy},
                                            {&clNUM, "clNUM", "Number Color:", clRed},
                                            {&clKEY, "clKEY", "Key Atrribute Color:", clBlue},
                                            {&clSTR, "clSTR", "String Color:", clPurple}}};
    const std::vector<std::string> entries(SetupColorEntries().begin(), SetupColorEntries().end());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const int y = 38 + static_cast<int>(i) * 51;
        QLabel* label = WhiteLabel(fields[i].label, ArialFont(13, true), page, 12, y, 300, 17);
        auto* box = new TabcColorComboBox(page);
        box->setObjectName(fields[i].name);
        box->setGeometry(12, y + 19, 499, 22);
        box->SetItemHeight(16);
        box->SetShowText(true);
        box->SetColor(fields[i].background);
        box->SetItems(entries);
        box->Loaded();
        *fields[i].box = box;
        if (box == clSTR) {
            lblSTR = label;
            label->installEventFilter(this);
        }
    }
    // Until the file is first loaded the boxes show the default scheme.
    const std::array<TColor, 8> defaults{clWhite, clGreen, clGreen, 8421440,
                                         clNavy,  clBlue,  clRed,   clPurple};
    const std::array<TabcColorComboBox*, 8> boxes = ColorBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i]->SetSelectedColor(defaults[i]);
    return page;
}
