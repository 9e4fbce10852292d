// The events the editor control raises, as one record the control inherits: whoever uses the
// control assigns the handlers directly (editor->OnChange = ...). Every handler's first argument
// is the control that raised it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/find_options.h"
#include "editor/mouse_types.h"
#include "editor/synedit_types.h"

class TCustomSynEdit;
class TSynEditMark;

using TSynEditorCommand = uint16_t;

struct TSynEditEvents {
    using TStatusChangeEvent = std::function<void(TCustomSynEdit* sender, TSynStatusChanges)>;
    using TProcessCommandEvent = std::function<void(
        TCustomSynEdit* sender, TSynEditorCommand& command, char& ch, void* data)>;
    using TCommandProcessedEvent =
        std::function<void(TCustomSynEdit* sender, TSynEditorCommand command, char ch, void* data)>;
    using TNotifyEvent = std::function<void(TCustomSynEdit* sender)>;
    using TSpecialLineColorsEvent =
        std::function<bool(TCustomSynEdit* sender, int line, int32_t& fg, int32_t& bg)>;
    using TBookmarkEvent = std::function<void(TCustomSynEdit* sender, TSynEditMark*& mark)>;
    using TReplaceTextEvent = std::function<void(TCustomSynEdit* sender, const std::string& search,
                                                 const std::string& replace, int line, int column,
                                                 TSynReplaceAction& action)>;
    // Pixel positions are client-area coordinates; `shift` holds the keyboard modifiers and
    // the buttons held (ssLeft, ssRight, ssMiddle, ssDouble).
    using TMouseEvent = std::function<void(TCustomSynEdit* sender, TMouseButton button,
                                           TShiftState shift, int x, int y)>;
    using TGutterClickEvent =
        std::function<void(TCustomSynEdit* sender, int x, int y, int line, TSynEditMark* mark)>;
    using TDropFilesEvent = std::function<void(TCustomSynEdit* sender, int x, int y,
                                               const std::vector<std::string>& names)>;
    // Heard before the editor's own key handling: a key-down handler that sets the key to 0,
    // or a key-press handler that sets the character to 0, consumes it.
    using TKeyEvent = std::function<void(TCustomSynEdit* sender, uint16_t& key, uint8_t shift)>;
    using TKeyPressEvent = std::function<void(TCustomSynEdit* sender, char& ch)>;

    TMouseEvent OnMouseDown;
    TNotifyEvent OnDblClick;
    TGutterClickEvent OnGutterClick;
    TDropFilesEvent OnDropFiles;
    TNotifyEvent OnChange;
    TBookmarkEvent OnClearBookmark;
    TBookmarkEvent OnPlaceBookmark;
    TCommandProcessedEvent OnCommandProcessed;
    TProcessCommandEvent OnProcessCommand;
    TProcessCommandEvent OnProcessUserCommand;
    TSpecialLineColorsEvent OnSpecialLineColors;
    TStatusChangeEvent OnStatusChange;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TReplaceTextEvent OnReplaceText;
};

// Status changes not yet reported: to OnStatusChange, and to the window's own listener, which
// hears them first and keeps a pending set of its own.
struct TSynStatusReport {
    TSynStatusChanges Pending = 0;
    TSynStatusChanges ListenerPending = 0;
    std::function<void(TSynStatusChanges)> Listener;
};
