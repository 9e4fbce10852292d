// From the output panel's messages to the source: opens or activates the document window of
// the file a message names, puts the caret on its line and column where the output panel does
// not hide it, binds "Next message" and "Previous message", and keeps the red error marks of
// the document windows in step with the builds.
#pragma once

#include <QObject>
#include <map>
#include <string>
#include <vector>

#include "toolrun/tool_messages.h"

class QMdiSubWindow;
class TFileCommands;
class TMDIChild;
class TMainForm;
class TOutputPanel;

class TMessageNavigation : public QObject {
    Q_OBJECT
  public:
    // Binds NextMessage1 and PreviousMessage1 of the form and listens to the panel's messages.
    // Form, file commands and panel must outlive this object.
    TMessageNavigation(TMainForm& form, TFileCommands& files, TOutputPanel& panel);
    ~TMessageNavigation() override;

    // F4 and Shift+F4: the next or previous message, cycling; nothing when there is none.
    void NextMessage1Execute();
    void PreviousMessage1Execute();

    // Opens the message's file (or activates its window) and puts the caret on its position.
    void GoToMessage(const TToolMessage& message);

    // The lines of a file (as a path) that error messages of the last builds name.
    std::vector<int> ErrorLines(const std::string& path) const;

  private:
    struct TErrorLine {
        std::string Path;  // normalised
        int Line;
    };

    std::string MessagePath(const TToolMessage& message) const;
    TMDIChild* FindDocument(const std::string& normalisedPath) const;
    // Replaces the error marks of the built file's last build with those of this one.
    void BuildFinished(const std::string& builtFile, const TToolMessageList& messages);
    void ApplyErrorMarks(TMDIChild& document) const;
    void DocumentActivated(QMdiSubWindow* window);
    // Scrolls the document's editor, or moves its window, so that the caret line shows in the
    // part of the client area that the output panel leaves free.
    void KeepCaretLineInView(TMDIChild& document);

    TMainForm& m_form;
    TFileCommands& m_files;
    TOutputPanel& m_panel;
    // Error lines by the normalised path of the file whose build reported them.
    std::map<std::string, std::vector<TErrorLine>> m_errorsByBuild;
};

// A path made comparable: absolute, with "." and ".." resolved and links followed where the
// file exists.
std::string NormalisePath(const std::string& path);
