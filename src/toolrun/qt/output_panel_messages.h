// The messages in the output panel's editor: double-clicking a line that names a position, and
// stepping to the next or previous message, make that message current, mark its line and report
// it to whoever opens the source. After a build the panel scrolls to the first message.
#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "toolrun/tool_messages.h"

class TSynEdit;

class TOutputPanelMessages : public QObject {
    Q_OBJECT
  public:
    // Colours of the current message's line: black on light yellow.
    static constexpr int kCurrentForeground = 0x000000;
    static constexpr int kCurrentBackground = 0x80FFFF;

    // Watches the editor's double clicks and colours its current message line; the editor must
    // outlive this object.
    TOutputPanelMessages(TSynEdit& memo, QObject* parent = nullptr);

    // The messages of the editor's text, read again when the text has changed since.
    TToolMessageList& List();
    // The text changed: the messages are read again when next needed.
    void TextChanged() { m_stale = true; }

    // After a build of builtFile in sourceDir: reads the messages, forgets the current one,
    // scrolls the first message to the top and tells OnBuildFinished.
    void BuildFinished(const std::string& sourceDir, const std::string& builtFile);
    // Directory of the last build (ending in the separator), against which relative file names
    // are read; empty before the first build.
    const std::string& BuildDir() const { return m_buildDir; }
    // The panel now shows messages of a search in directory (ending in the separator): their
    // relative file names are read against it, and no message is current.
    void SetMessageDir(const std::string& directory);

    // Steps forward (1) or back (-1), cycling; false when the text holds no message.
    bool Step(int delta);
    // Makes the message on a 0-based output line current; false when the line is no message.
    bool ChooseLine(int outputLine);
    // 0-based output line of the current message, -1 when there is none.
    int CurrentLine() const { return m_currentLine; }

    // A message was made current by a step or a double click.
    std::function<void(const TToolMessage& message)> OnMessageChosen;
    // A build ended; its file's path and the messages of its output.
    std::function<void(const std::string& builtFile, const TToolMessageList& messages)>
        OnBuildFinished;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void MakeCurrent(int index);
    void ShowLine(int outputLine);

    TSynEdit& m_memo;
    // The memo's viewport, compared by address only: events still arrive while the memo is
    // being destroyed, when none of its members may be called any more.
    const QObject* m_viewport;
    TToolMessageList m_list;
    bool m_stale = true;
    int m_currentLine = -1;
    std::string m_buildDir;
};
