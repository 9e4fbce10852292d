// About box layout and texts.
#include "app/about_box.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>

#include "app/images.h"
#include "platform/colors.h"
#include "platform/qt/color_resolve.h"
#include "widgets/widget_look.h"

namespace {

constexpr int kClientWidth = 607;
constexpr int kClientHeight = 364;
constexpr TColor kInnerPanelColor = 4194304;  // a dark navy

}  // namespace

QString TAboutBox::AboutText() {
    return QStringLiteral(
        "More of the editor's features will be\n"
        "listed in this box as they settle down.\n"
        "Until then, here are the keys that\n"
        "are easy to miss:\n"
        "----------------------------------------------------\n"
        "Shift + Ctrl + Number = Set Bookmark\n"
        "Ctrl + Number = Goto Bookmark\n"
        "Ctrl + Z = Undo\n"
        "Shift + Ctrl + Z = Redo\n"
        "Shift + Alt + BkSp = Redo\n"
        "Ctrl + C = Copy\n"
        "Ctrl + V = Paste\n"
        "Ctrl + Y = Delete Line\n"
        "----------------------------------------------------\n"
        "HISTORY:\n"
        "\n"
        "11.02.2003 - Version 3.10\n"
        "  - Emulators 4 and 5 on the Run menu\n"
        "    (Ctrl+F4, Ctrl+F5).\n"
        "  - The output panel can be closed with\n"
        "    its own button.\n"
        "  - Tile Horizontally and Tile Vertically\n"
        "    swapped back to what they say.\n"
        "\n"
        "08.17.2003 - Version 3.00\n"
        "  - Assembly files: Compile Assembly\n"
        "    (Ctrl+F10) runs the assembler.\n"
        "  - Setup page for the compiler switches\n"
        "    (-cd, -scd, -T, -S, -V and extras).\n"
        "  - Editor colours can be chosen in Setup.\n"
        "\n"
        "05.09.2003 - Version 2.50\n"
        "  - Completion list of the library\n"
        "    functions (Ctrl+Space).\n"
        "  - Find previous (Shift+F3).\n"
        "\n"
        "02.21.2003 - Version 2.00\n"
        "  - Several files open at once, with the\n"
        "    Window menu to arrange them.\n"
        "  - Ten bookmarks per file.\n"
        "  - Search and replace with confirmation.\n"
        "\n"
        "11.30.2002 - Version 1.10\n"
        "  - Line numbers in the gutter.\n"
        "  - Compiler messages shown under the\n"
        "    editor after every compile.\n"
        "\n"
        "09.14.2002 - Version 1.00\n"
        "  - First release: one C file, colouring,\n"
        "    Compile C Code (Ctrl+F9) and\n"
        "    Emulator 1 (Ctrl+F1).\n");
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle("About Vesk-Engine");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    setModal(true);
    setAutoFillBackground(true);
    SetPaletteColor(this, QPalette::Window, Qt::black);

    m_panel1 = new QFrame(this);
    m_panel1->setObjectName("Panel1");
    m_panel1->setGeometry(0, 0, kClientWidth, kClientHeight);
    m_panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel1->setLineWidth(1);
    m_panel1->setAutoFillBackground(true);
    SetPaletteColor(m_panel1, QPalette::Window, Qt::black);

    m_panel2 = new QFrame(m_panel1);
    m_panel2->setObjectName("Panel2");
    m_panel2->setGeometry(1, 1, kClientWidth - 2, kClientHeight - 2);
    m_panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel2->setLineWidth(2);
    m_panel2->setAutoFillBackground(true);
    SetPaletteColor(m_panel2, QPalette::Window, ColorToQColor(kInnerPanelColor));

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName("Memo1");
    m_memo->setGeometry(4, 3, 282, 240);
    m_memo->setFrameShape(QFrame::NoFrame);
    m_memo->setFont(PixelFont("MS Sans Serif", 11));
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetPaletteColor(m_memo, QPalette::Base, ColorToQColor(clNavy));
    SetPaletteColor(m_memo, QPalette::Text, ColorToQColor(clWhite));
    m_memo->setPlainText(AboutText());

    m_picture = new QLabel(this);
    m_picture->setObjectName("ProgramIcon");
    m_picture->setGeometry(284, 2, 320, 240);
    m_picture->setPixmap(AboutPicture());

    auto creditLine = [this](const char* name, const QString& text, int top) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        label->setGeometry(284, top, 320, 18);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(PixelFont("Arial", 13));
        label->setAttribute(Qt::WA_TranslucentBackground);
        SetPaletteColor(label, QPalette::WindowText, Qt::white);
        return label;
    };
    m_credits1 = creditLine("Credits1", "Quillon IDE for the Vesk Engine", 256);
    m_credits2 = creditLine("Credits2", "Written and drawn by the Quillon team", 280);

    m_okButton = new QPushButton("OK", this);
    m_okButton->setObjectName("OKButton");
    m_okButton->setGeometry(12, 320, 583, 33);
    m_okButton->setFont(PixelFont("Arial", 11, true));
    m_okButton->setDefault(true);
    m_okButton->setAutoDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The box is centred on the screen, not over the window that owns it.
    if (const QScreen* shownOn = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(shownOn->geometry().center());
        move(frame.topLeft());
    }
    // Enter closes the box: the default button starts with the focus, not the text box.
    m_okButton->setFocus();
    m_memo->verticalScrollBar()->setValue(0);
}
