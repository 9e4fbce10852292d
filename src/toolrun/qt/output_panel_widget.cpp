// The output panel's controls, their layout and the panel operations of the build commands.
#include "toolrun/qt/output_panel_widget.h"

#include <QFont>
#include <QLabel>
#include <QResizeEvent>
#include <algorithm>

#include "editor/qt/synedit.h"
#include "editor/string_list.h"
#include "highlight/syn_cpp_syn.h"
#include "platform/colors.h"
#include "toolrun/qt/output_panel_messages.h"
#include "toolrun/qt/output_panel_parts.h"
#include "toolrun/qt/output_panel_resizer.h"
#include "widgets/shape_button.h"

namespace {

constexpr TColor kPanelColor = 4201747;  // dark blue

QColor ToQColor(TColor color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

}  // namespace

TOutputPanel::TOutputPanel(TSynCppSyn* highlighter, QWidget* parent)
    : QFrame(parent), m_imgListButtons(CreateOutputPanelButtonImages()) {
    setObjectName("pnlColorMemo1");
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette panelPalette = palette();
    panelPalette.setColor(QPalette::Window, ToQColor(kPanelColor));
    panelPalette.setColor(QPalette::WindowText, Qt::black);
    setPalette(panelPalette);
    setFixedHeight(kPanelHeight);

    Label1 = new QLabel(QStringLiteral("Compiler / Assembler output window:"), this);
    Label1->setObjectName("Label1");
    QFont labelFont(QStringLiteral("Arial"));
    labelFont.setPixelSize(16);
    labelFont.setBold(true);
    Label1->setFont(labelFont);
    QPalette labelPalette = Label1->palette();
    labelPalette.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(labelPalette);
    Label1->move(10, 10);
    Label1->adjustSize();

    Button1 = new TabcShapeButton(this);
    Button1->setObjectName("Button1");
    SetUpOutputPanelCloseButton(*Button1, m_imgListButtons.get());
    m_animator = new TOutputPanelAnimator(this, Button1, this);

    ColorMemo1 = new TSynMemo(this);
    ColorMemo1->setObjectName("ColorMemo1");
    ColorMemo1->SetColor(clWhite);
    TSynFont font;
    font.Name = "Courier New";
    font.Height = -13;
    ColorMemo1->SetFont(font);
    ColorMemo1->Gutter().SetVisible(false);
    ColorMemo1->SetHighlighter(highlighter);
    m_messages = new TOutputPanelMessages(*ColorMemo1, this);
    m_resizer = new TOutputPanelResizer(this, this);

    hide();
}

TOutputPanel::~TOutputPanel() {
    // The editor unhooks from the frame's highlighter as it goes; it goes while that still lives.
    delete ColorMemo1;
    ColorMemo1 = nullptr;
}

void TOutputPanel::pnlColorMemo1Resize() {
    m_animator->pnlColorMemo1Resize();
    // The editor is aligned to the bottom edge inside the border, full width; it takes what a
    // drag of the top edge adds to the panel's height.
    const QRect inside = contentsRect();
    const int memoHeight = std::max(0, height() - (kPanelHeight - kMemoHeight));
    ColorMemo1->setGeometry(inside.left(), inside.bottom() + 1 - memoHeight, inside.width(),
                            memoHeight);
}

void TOutputPanel::Button1Click() {
    m_animator->Button1Click();
}

void TOutputPanel::Timer1Timer() {
    m_animator->Timer1Timer();
}

void TOutputPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    pnlColorMemo1Resize();
}

void TOutputPanel::MakeVisible() {
    show();
}

bool TOutputPanel::IsVisible() const {
    return !isHidden();
}

void TOutputPanel::ClearText() {
    ColorMemo1->Lines().Clear();
    m_messages->TextChanged();
}

void TOutputPanel::AddLine(const std::string& text) {
    ColorMemo1->Lines().Add(text);
    m_messages->TextChanged();
}

void TOutputPanel::LoadFromFile(const std::string& fileName) {
    ColorMemo1->Lines().LoadFromFile(fileName);
    m_messages->TextChanged();
}

void TOutputPanel::ToolFinished(const std::string& sourceDir, const std::string& sourceName) {
    m_messages->BuildFinished(sourceDir, sourceDir + sourceName);
}
