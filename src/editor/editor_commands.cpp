// The command name table, in the order in which form data and binding lists present it.
#include "editor/editor_commands.h"

#include <array>

namespace {

#define COMMAND_NAME(command) \
    TSynEditorCommandName {   \
        command, #command     \
    }

constexpr std::array<TSynEditorCommandName, 90> kCommandNames = {
    COMMAND_NAME(ecNone),
    COMMAND_NAME(ecLeft),
    COMMAND_NAME(ecRight),
    COMMAND_NAME(ecUp),
    COMMAND_NAME(ecDown),
    COMMAND_NAME(ecWordLeft),
    COMMAND_NAME(ecWordRight),
    COMMAND_NAME(ecLineStart),
    COMMAND_NAME(ecLineEnd),
    COMMAND_NAME(ecPageUp),
    COMMAND_NAME(ecPageDown),
    COMMAND_NAME(ecPageLeft),
    COMMAND_NAME(ecPageRight),
    COMMAND_NAME(ecPageTop),
    COMMAND_NAME(ecPageBottom),
    COMMAND_NAME(ecEditorTop),
    COMMAND_NAME(ecEditorBottom),
    COMMAND_NAME(ecGotoXY),
    COMMAND_NAME(ecSelLeft),
    COMMAND_NAME(ecSelRight),
    COMMAND_NAME(ecSelUp),
    COMMAND_NAME(ecSelDown),
    COMMAND_NAME(ecSelWordLeft),
    COMMAND_NAME(ecSelWordRight),
    COMMAND_NAME(ecSelLineStart),
    COMMAND_NAME(ecSelLineEnd),
    COMMAND_NAME(ecSelPageUp),
    COMMAND_NAME(ecSelPageDown),
    COMMAND_NAME(ecSelPageLeft),
    COMMAND_NAME(ecSelPageRight),
    COMMAND_NAME(ecSelPageTop),
    COMMAND_NAME(ecSelPageBottom),
    COMMAND_NAME(ecSelEditorTop),
    COMMAND_NAME(ecSelEditorBottom),
    COMMAND_NAME(ecSelGotoXY),
    COMMAND_NAME(ecSelectAll),
    COMMAND_NAME(ecDeleteLastChar),
    COMMAND_NAME(ecDeleteChar),
    COMMAND_NAME(ecDeleteWord),
    COMMAND_NAME(ecDeleteLastWord),
    COMMAND_NAME(ecDeleteBOL),
    COMMAND_NAME(ecDeleteEOL),
    COMMAND_NAME(ecDeleteLine),
    COMMAND_NAME(ecClearAll),
    COMMAND_NAME(ecLineBreak),
    COMMAND_NAME(ecInsertLine),
    COMMAND_NAME(ecChar),
    COMMAND_NAME(ecImeStr),
    COMMAND_NAME(ecUndo),
    COMMAND_NAME(ecRedo),
    COMMAND_NAME(ecCut),
    COMMAND_NAME(ecCopy),
    COMMAND_NAME(ecPaste),
    COMMAND_NAME(ecScrollUp),
    COMMAND_NAME(ecScrollDown),
    COMMAND_NAME(ecScrollLeft),
    COMMAND_NAME(ecScrollRight),
    COMMAND_NAME(ecInsertMode),
    COMMAND_NAME(ecOverwriteMode),
    COMMAND_NAME(ecToggleMode),
    COMMAND_NAME(ecBlockIndent),
    COMMAND_NAME(ecBlockUnindent),
    COMMAND_NAME(ecTab),
    COMMAND_NAME(ecShiftTab),
    COMMAND_NAME(ecMatchBracket),
    COMMAND_NAME(ecNormalSelect),
    COMMAND_NAME(ecColumnSelect),
    COMMAND_NAME(ecLineSelect),
    COMMAND_NAME(ecAutoCompletion),
    COMMAND_NAME(ecUserFirst),
    COMMAND_NAME(ecGotoMarker0),
    COMMAND_NAME(ecGotoMarker1),
    COMMAND_NAME(ecGotoMarker2),
    COMMAND_NAME(ecGotoMarker3),
    COMMAND_NAME(ecGotoMarker4),
    COMMAND_NAME(ecGotoMarker5),
    COMMAND_NAME(ecGotoMarker6),
    COMMAND_NAME(ecGotoMarker7),
    COMMAND_NAME(ecGotoMarker8),
    COMMAND_NAME(ecGotoMarker9),
    COMMAND_NAME(ecSetMarker0),
    COMMAND_NAME(ecSetMarker1),
    COMMAND_NAME(ecSetMarker2),
    COMMAND_NAME(ecSetMarker3),
    COMMAND_NAME(ecSetMarker4),
    COMMAND_NAME(ecSetMarker5),
    COMMAND_NAME(ecSetMarker6),
    COMMAND_NAME(ecSetMarker7),
    COMMAND_NAME(ecSetMarker8),
    COMMAND_NAME(ecSetMarker9),
};

#undef COMMAND_NAME

}  // namespace

std::span<const TSynEditorCommandName> EditorCommandNames() {
    return kCommandNames;
}

std::string EditorCommandToName(TSynEditorCommand command) {
    for (const TSynEditorCommandName& entry : kCommandNames) {
        if (entry.Command == command) return entry.Name;
    }
    return std::to_string(command);
}

std::optional<TSynEditorCommand> EditorCommandFromName(std::string_view name) {
    for (const TSynEditorCommandName& entry : kCommandNames) {
        if (name == entry.Name) return entry.Command;
    }
    return std::nullopt;
}
