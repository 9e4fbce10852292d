// The output panel as the build commands use it: show it, empty it, add banner lines and load
// the tool's message file into it.
#pragma once

#include <string>

class IOutputPanel {
  public:
    virtual ~IOutputPanel() = default;
    virtual void MakeVisible() = 0;
    virtual bool IsVisible() const = 0;
    // Empties the panel's editor.
    virtual void ClearText() = 0;
    virtual void AddLine(const std::string& text) = 0;
    // Replaces the editor's content with the whole file; a file that cannot be read throws and
    // leaves the content as it was.
    virtual void LoadFromFile(const std::string& fileName) = 0;
    // The tool run of a build of sourceName in sourceDir has ended and its output is shown: the
    // panel reads the messages in it.
    virtual void ToolFinished(const std::string& /*sourceDir*/, const std::string& /*sourceName*/) {
    }
};
