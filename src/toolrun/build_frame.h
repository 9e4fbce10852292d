// What the build commands need of the frame window: the record of the active document's file,
// the active document window's caption, the number of document windows and the status bar.
#pragma once

#include <string>

class IBuildFrame {
  public:
    virtual ~IBuildFrame() = default;
    virtual int MDIChildCount() const = 0;
    // Caption of the active document window (its file's full path once saved).
    virtual std::string ActiveCaption() const = 0;
    // Directory (ending in the path separator) and bare name of the active document's file.
    virtual std::string SourceDir() const = 0;
    virtual std::string SourceName() const = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // Saves the active document when it has unsaved changes, so the tool sees the text on
    // screen; false (the build stops) when it still has them. A failing save throws.
    virtual bool SaveActiveDocument() { return true; }
    // A build ended successfully and wrote the console image at this path.
    virtual void ImageBuilt(const std::string& /*path*/) {}
    // Saves every document with unsaved changes whose file lies in the project directory (ending
    // in the separator) or below it; false (the build stops) when one still has them. A failing
    // save throws.
    virtual bool SaveProjectDocuments(const std::string& /*projectDir*/) { return true; }
};
