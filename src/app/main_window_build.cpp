// The frame window's side of the build commands: the frame as they see it (the active document's
// caption, directory and name, the status bar) and the binding of its Compile and Run actions.
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/active_source.h"
#include "app/build_binding.h"
#include "app/main_window.h"
#include "documents/mdi_child.h"
#include "platform/process.h"
#include "platform/qt/captured_process_starter.h"
#include "platform/qt/qt_text.h"
#include "toolrun/build_frame.h"
#include "toolrun/qt/build_commands.h"

namespace {

class TMainFormBuildFrame : public IBuildFrame {
  public:
    TMainFormBuildFrame(TMainForm& form, const TActiveSource& source)
        : m_form(form), m_source(source) {}

    int MDIChildCount() const override { return m_form.MDIChildCount(); }
    std::string ActiveCaption() const override {
        QWidget* active = m_form.ActiveMDIChild();
        // The active window is null while the frame itself is not the active window.
        if (active == nullptr) {
            QMdiSubWindow* current = m_form.ClientArea()->currentSubWindow();
            if (current != nullptr) active = current->widget() ? current->widget() : current;
        }
        if (active == nullptr) return {};
        // A document's caption without the mark of unsaved changes.
        if (auto* document = qobject_cast<TMDIChild*>(active)) return document->Caption();
        return FromQ(active->windowTitle());
    }
    bool SaveActiveDocument() override { return m_form.SaveBeforeBuild(); }
    void ImageBuilt(const std::string& path) override { emit m_form.ImageBuilt(path); }
    bool SaveProjectDocuments(const std::string& projectDir) override {
        return m_form.SaveProjectBeforeBuild(projectDir);
    }
    std::string SourceDir() const override { return m_source.SourceDir(); }
    std::string SourceName() const override { return m_source.SourceName(); }
    void SetStatusText(const std::string& text) override { m_form.SetStatusText(text); }

  private:
    TMainForm& m_form;
    const TActiveSource& m_source;
};

}  // namespace

void TMainForm::SetBuildServices(IOutputPanel& outputPanel, ILoadingWindow& loadingWindow,
                                 const TActiveSource& source,
                                 std::unique_ptr<IProcessStarter> starter) {
    if (m_buildBinding != nullptr) return;  // the actions are bound already
    if (starter == nullptr) starter = std::make_unique<TCapturedProcessStarter>();
    TBuildActions actions;
    actions.CompileCCode1 = m_actions.CompileCCode1;
    actions.CompileAssembly1 = m_actions.CompileAssembly1;
    actions.BuildProject1 = m_actions.BuildProject1;
    actions.EMU = m_actions.EMU;
    actions.BindCommand = [this](QAction* action, std::function<void()> command) {
        BindCommand(action, std::move(command));
    };
    m_buildBinding =
        std::make_unique<TBuildBinding>(std::make_unique<TMainFormBuildFrame>(*this, source),
                                        actions, outputPanel, loadingWindow, std::move(starter));
}
