// Qt collaborators for driving the build commands in tests: a loading window with a real Cancel
// button and a process starter that records the command lines it passes to the real one, beside
// the plain doubles.
#pragma once

#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/qt/captured_process_starter.h"
#include "platform/scratch_directory.h"
#include "toolrun/build_doubles.h"
#include "toolrun/qt/loading_window_seam.h"

class TTestLoadingWindow : public ILoadingWindow {
    QWidget m_widget;  // first: the button below is its child

  public:
    TTestLoadingWindow() : Cancel(new QPushButton("Cancel", &m_widget)) {
        auto* layout = new QVBoxLayout(&m_widget);
        layout->addWidget(Cancel);
        QObject::connect(Cancel, &QPushButton::clicked, [this] {
            m_widget.hide();
            if (m_onCancel) m_onCancel();
        });
    }
    int Shows = 0;
    int Closes = 0;
    QPushButton* Cancel;

    void Show() override {
        ++Shows;
        m_widget.show();
    }
    void Close() override {
        ++Closes;
        m_widget.hide();
    }
    QWidget* Window() override { return &m_widget; }
    void SetOnCancel(std::function<void()> onCancel) override { m_onCancel = std::move(onCancel); }
    bool Visible() const { return m_widget.isVisible(); }

  private:
    std::function<void()> m_onCancel;
};

// Passes everything to the real starter and keeps the command lines.
class TRecordingStarter : public IProcessStarter {
  public:
    explicit TRecordingStarter(std::string ownDirectory) : m_real(std::move(ownDirectory)) {}
    std::vector<std::string> CommandLines;

    std::unique_ptr<IRunningProcess> Start(const std::string& commandLine,
                                           const std::string& workingDirectory,
                                           std::string& error) override {
        CommandLines.push_back(commandLine);
        return m_real.Start(commandLine, workingDirectory, error);
    }

  private:
    TCapturedProcessStarter m_real;
};
