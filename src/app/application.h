// Start-up: creates the long-lived windows, each once and in their fixed order, and keeps them
// until the program ends.
#pragma once

#include <memory>

class TAboutBox;
class TMainForm;

class Application {
  public:
    // Creates the frame window first (so it is the application's main window), then the About
    // box. The setup dialog, the replace confirmation dialog and the loading window join here,
    // in that order, when they exist.
    Application();
    ~Application();

    TMainForm& MainForm() const { return *m_mainForm; }
    TAboutBox& AboutBox() const { return *m_aboutBox; }

    // Shows the frame window; no document window exists at start.
    void Show();

  private:
    std::unique_ptr<TMainForm> m_mainForm;
    std::unique_ptr<TAboutBox> m_aboutBox;  // declared after the frame: freed before it
};
