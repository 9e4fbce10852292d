// The popup's owner component: settings forwarded to the window, and opening it.
#include "completion/base_completion_proposal.h"

#include <QGuiApplication>
#include <QScreen>

#include "completion/popup_placement.h"

TSynBaseCompletionProposal::TSynBaseCompletionProposal(QObject* owner)
    : QObject(owner), m_form(std::make_unique<TSynBaseCompletionProposalForm>()) {
    m_form->hide();
    SetWidth(m_width);
}

TSynBaseCompletionProposal::~TSynBaseCompletionProposal() = default;

void TSynBaseCompletionProposal::SetWidth(int value) {
    m_width = value;
    m_form->resize(value, m_form->height());
    m_form->SetNbLinesInWindow(m_form->NbLinesInWindow());
}

void TSynBaseCompletionProposal::ExecutePopup(const std::string& currentString, int x, int y) {
    QPoint at(x, y);
    const QScreen* screen = QGuiApplication::screenAt(at);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        // Already placed by the caller when it could; this only keeps the window on the screen.
        at = PlacePopup(at, 0, m_form->size(), screen->availableGeometry());
    }
    m_form->move(at);
    m_form->SetCurrentString(currentString);
    if (OnExecute) OnExecute(this);
    m_form->show();
    m_form->setFocus(Qt::PopupFocusReason);
}
