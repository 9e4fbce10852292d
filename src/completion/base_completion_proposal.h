// TSynBaseCompletionProposal: the non-visual component that owns one completion popup window
// and publishes its settings; ExecutePopup opens the window at a screen position.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "completion/completion_proposal_form.h"

class TSynBaseCompletionProposal : public QObject {
    Q_OBJECT
  public:
    using TNotifyEvent = std::function<void(TSynBaseCompletionProposal* sender)>;

    explicit TSynBaseCompletionProposal(QObject* owner = nullptr);
    ~TSynBaseCompletionProposal() override;

    TSynBaseCompletionProposalForm& Form() const { return *m_form; }

    // Places the window's top-left at (x, y) on the screen (moved inside the screen where it
    // would stick out), sets the current string, which preselects, and shows the window.
    void ExecutePopup(const std::string& currentString, int x, int y);

    const std::string& CurrentString() const { return m_form->CurrentString(); }
    void SetCurrentString(const std::string& value) { m_form->SetCurrentString(value); }
    const std::vector<std::string>& ItemList() const { return m_form->ItemList(); }
    void SetItemList(std::vector<std::string> items) { m_form->SetItemList(std::move(items)); }
    int Position() const { return m_form->Position(); }
    void SetPosition(int value) { m_form->SetPosition(value); }
    int NbLinesInWindow() const { return m_form->NbLinesInWindow(); }
    void SetNbLinesInWindow(int value) { m_form->SetNbLinesInWindow(value); }
    TColor ClSelect() const { return m_form->ClSelect(); }
    void SetClSelect(TColor value) { m_form->SetClSelect(value); }
    bool AnsiStrings() const { return m_form->ffAnsi; }
    void SetAnsiStrings(bool value) { m_form->ffAnsi = value; }
    int Width() const { return m_width; }
    // Sets the window's width and lays it out again for its rows.
    void SetWidth(int value);
    void SetOnPaintItem(TSynBaseCompletionProposalForm::TSynBaseCompletionProposalPaintItem e) {
        m_form->OnPaintItem = std::move(e);
    }
    void SelectNext() { m_form->SelectNext(); }
    void SelectPrevious() { m_form->SelectPrevious(); }

    // Called when the popup opens, before it is shown.
    TNotifyEvent OnExecute;

  private:
    std::unique_ptr<TSynBaseCompletionProposalForm> m_form;
    int m_width = 262;
};
