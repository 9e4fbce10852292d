// Creation order of the long-lived windows.
#include "app/application.h"

#include "app/about_box.h"
#include "app/main_window.h"

Application::Application()
    : m_mainForm(std::make_unique<TMainForm>()),
      m_aboutBox(std::make_unique<TAboutBox>(m_mainForm.get())) {
    m_mainForm->SetAboutBox(m_aboutBox.get());
}

Application::~Application() = default;

void Application::Show() {
    m_mainForm->show();
}
