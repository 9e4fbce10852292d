// The frame window as the build commands see it, and the binding of its actions.
#include "app/build_binding.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/main_window.h"
#include "config/config_build_settings.h"
#include "platform/codepage.h"
#include "platform/process.h"
#include "platform/qt/qt_text.h"
#include "toolrun/build_frame.h"
#include "toolrun/qt/build_commands.h"

namespace {

class TMainFormBuildFrame : public IBuildFrame {
  public:
    explicit TMainFormBuildFrame(TMainForm& form) : m_form(form) {}

    int MDIChildCount() const override { return m_form.MDIChildCount(); }
    std::string ActiveCaption() const override {
        QWidget* active = m_form.ActiveMDIChild();
        // The active window is null while the frame itself is not the active window.
        if (active == nullptr) {
            QMdiSubWindow* current = m_form.ClientArea()->currentSubWindow();
            if (current != nullptr) active = current->widget() ? current->widget() : current;
        }
        return active != nullptr ? FromQ(active->windowTitle()) : std::string();
    }
    std::string SourceDir() const override { return m_form.SourceDir; }
    std::string SourceName() const override { return m_form.SourceName; }
    void SetStatusText(const std::string& text) override { m_form.SetStatusText(text); }

  private:
    TMainForm& m_form;
};

}  // namespace

TBuildBinding::TBuildBinding(TMainForm& form, IOutputPanel& outputPanel,
                             ILoadingWindow& loadingWindow,
                             std::unique_ptr<IProcessStarter> starter)
    : m_frame(std::make_unique<TMainFormBuildFrame>(form)),
      m_settings(std::make_unique<TConfigBuildSettings>()),
      m_starter(std::move(starter)),
      m_commands(std::make_unique<TBuildCommands>(*m_frame, *m_settings, outputPanel, loadingWindow,
                                                  *m_starter)) {
    TBuildCommands& commands = *m_commands;
    form.BindCommand(form.CompileCCode1, [&commands] { commands.CompileCCode1Click(); });
    form.BindCommand(form.CompileAssembly1, [&commands] { commands.CompileAssembly1Click(); });
    for (int i = 0; i < static_cast<int>(form.EMU.size()); ++i) {
        form.BindCommand(form.EMU[static_cast<size_t>(i)],
                         [&commands, i] { commands.EMUClick(i); });
    }
}

TBuildBinding::~TBuildBinding() = default;
