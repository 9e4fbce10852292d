// A started program for tests: a temporary HOME (holding veskide.ini when a test writes one), a
// temporary source folder, scripted dialogs and the application's windows.
#pragma once

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/application.h"
#include "app/file_commands.h"
#include "app/main_window.h"
#include "platform/files.h"
#include "platform/qt/scripted_dialogs.h"

class TProgramFixture {
  public:
    TProgramFixture() {
        m_oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
        m_oldDir = GetCurrentDir();
        setenv("HOME", m_home.path().toStdString().c_str(), 1);
        std::filesystem::current_path(m_source.path().toStdString());
        app = std::make_unique<Application>();
        app->Show();
        QApplication::setActiveWindow(&Form());
    }
    ~TProgramFixture() {
        app.reset();
        std::filesystem::current_path(m_oldDir);
        setenv("HOME", m_oldHome.c_str(), 1);
    }

    TMainForm& Form() { return app->MainForm(); }
    TFileCommands& Files() { return app->FileCommands(); }
    std::string Home() const { return m_home.path().toStdString(); }
    std::string Source() const { return m_source.path().toStdString(); }

    // Opens a file the way File > Open does, the dialog answered with the path.
    TMDIChild* Open(const std::string& path) {
        dialogs.AnswerFile(path);
        Form().FileOpen1()->trigger();
        return Files().ActiveDocument();
    }

    // Opens a file with Ctrl+O, as the user does, the dialog answered with the path.
    TMDIChild* OpenByKeys(const std::string& path) {
        dialogs.AnswerFile(path);
        Press(Form().ClientArea(), Qt::Key_O, Qt::ControlModifier);
        return Files().ActiveDocument();
    }

    // A key pressed in the active frame, its effects handled before the next step.
    void Press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QApplication::setActiveWindow(&Form());
        QTest::keyClick(target, key, modifiers);
        QApplication::processEvents();
    }

    void WriteConfig(const std::string& text) { WriteFile(Home() + "/veskide.ini", text); }

    static void WriteFile(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TScriptedDialogs dialogs;
    TDialogsScope scope{dialogs};
    std::unique_ptr<Application> app;

  private:
    QTemporaryDir m_home;
    QTemporaryDir m_source;
    std::string m_oldHome;
    std::string m_oldDir;
};
