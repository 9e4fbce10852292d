// The output panel's close button: pictures, set-up, placement and animation.
#include "toolrun/qt/output_panel_parts.h"

#include <QEvent>
#include <QFont>
#include <QWidget>

#include "toolrun/qt/build_pictures.h"

std::unique_ptr<TImageList> CreateOutputPanelButtonImages() {
    auto images = std::make_unique<TImageList>(44, 30);
    for (int shade = 0; shade < 3; ++shade) images->Add(CloseButtonPicture(shade));
    return images;
}

void SetUpOutputPanelCloseButton(TabcShapeButton& button, TImageList* images) {
    button.resize(47, 30);
    button.move(button.x(), 2);
    button.SetImageList(images);
    button.SetIndexUp(0);
    button.SetIndexDown(1);
    button.SetIndexFlat(2);
    button.SetIndexDisabled(0);
    button.SetIndexMouseMask(0);
    button.SetOffsetUp(0, 0);
    button.SetScaled(true);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    font.setUnderline(true);
    button.setFont(font);
    QPalette palette = button.palette();
    palette.setColor(QPalette::ButtonText, Qt::white);
    button.setPalette(palette);
}

TOutputPanelAnimator::TOutputPanelAnimator(QWidget* panel, TabcShapeButton* button, QObject* parent)
    : QObject(parent), m_panel(panel), m_button(button) {
    if (m_panel != nullptr) m_panel->installEventFilter(this);
    QPointer<TOutputPanelAnimator> self(this);
    if (m_button != nullptr)
        m_button->OnClick = [self](QObject*) {
            if (self) self->Button1Click();
        };
}

void TOutputPanelAnimator::pnlColorMemo1Resize() {
    if (m_panel == nullptr || m_button == nullptr) return;
    m_button->move(m_panel->width() - m_button->width(), m_button->y());
}

void TOutputPanelAnimator::Timer1Timer() {
    // The panel's own visibility counts, not whether the frame window is on screen.
    if (m_panel == nullptr || m_button == nullptr || m_panel->isHidden()) return;
    int index = m_button->IndexFlat() + 1;
    if (index > 2) index = 0;
    m_button->SetIndexFlat(index);
}

void TOutputPanelAnimator::Button1Click() {
    if (m_panel != nullptr) m_panel->hide();
}

bool TOutputPanelAnimator::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_panel && event->type() == QEvent::Resize) pnlColorMemo1Resize();
    return QObject::eventFilter(watched, event);
}
