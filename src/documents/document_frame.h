// What a document window needs of the frame window that holds it: the record of the active
// document's file, the frame's pictures and C highlighter, the state of the file-open dialog, the
// colour scheme of the configuration file, and what the program's session lends every document
// window (the shared search settings and confirm dialog, the editor's clipboard).
#pragma once

#include <array>
#include <string>

#include "platform/colors.h"

class ISynClipboard;
class TImageList;
class TSearchSession;
class TSynCppSyn;
class TSynImageList;

// The colours of the scheme, in the order they are read and applied at activation.
enum TSchemeColor : int {
    scBackground = 0,
    scAsm,
    scComment,
    scDirective,
    scIdentifier,
    scKey,
    scNumber,
    scString,
    scSchemeColorCount
};

class IDocumentFrame {
  public:
    virtual ~IDocumentFrame() = default;

    // Records the active document's directory (ending in the path separator, or empty) and bare
    // file name; the save and build commands take their file from there.
    virtual void SetSourceFile(const std::string& sourceDir, const std::string& sourceName) = 0;

    // The frame's 25 tool pictures, shown by the document window's tool bar.
    virtual const TImageList& ToolImages() const = 0;
    // The frame's ten bookmark pictures as the editor draws them; may be null.
    virtual TSynImageList* BookmarkImages() = 0;
    // The frame's own C highlighter, which Change Style lends to the editor.
    virtual TSynCppSyn& FrameHighlighter() = 0;

    // The full path the file-open dialog returned last (empty before its first use) and the
    // state of its read-only box then.
    virtual std::string OpenDialogFileName() const = 0;
    virtual bool OpenDialogReadOnly() const = 0;

    // The scheme's eight colour values as the configuration file holds them, indexed by
    // TSchemeColor, read in one pass over the file, which is opened and released inside the call.
    virtual std::array<std::string, scSchemeColorCount> ReadSchemeColors() const = 0;

    // The search settings and the confirm dialog that the search flows of all document windows
    // share for the run.
    virtual TSearchSession& SearchSession() = 0;
    // The clipboard the window's editor is given.
    virtual ISynClipboard& EditorClipboard() = 0;
};
