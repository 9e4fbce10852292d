// Editor command numbers and their names: every action of the editor control is one of these
// 16-bit numbers, and bindings and form data refer to them by name.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

using TSynEditorCommand = std::uint16_t;

// Caret movement.
constexpr TSynEditorCommand ecNone = 0;
constexpr TSynEditorCommand ecLeft = 1;
constexpr TSynEditorCommand ecRight = 2;
constexpr TSynEditorCommand ecUp = 3;
constexpr TSynEditorCommand ecDown = 4;
constexpr TSynEditorCommand ecWordLeft = 5;
constexpr TSynEditorCommand ecWordRight = 6;
constexpr TSynEditorCommand ecLineStart = 7;
constexpr TSynEditorCommand ecLineEnd = 8;
constexpr TSynEditorCommand ecPageUp = 9;
constexpr TSynEditorCommand ecPageDown = 10;
constexpr TSynEditorCommand ecPageLeft = 11;
constexpr TSynEditorCommand ecPageRight = 12;
constexpr TSynEditorCommand ecPageTop = 13;
constexpr TSynEditorCommand ecPageBottom = 14;
constexpr TSynEditorCommand ecEditorTop = 15;
constexpr TSynEditorCommand ecEditorBottom = 16;
constexpr TSynEditorCommand ecGotoXY = 17;

// The same movements extending the selection, each ecSelection higher.
constexpr TSynEditorCommand ecSelection = 100;
constexpr TSynEditorCommand ecSelLeft = ecLeft + ecSelection;
constexpr TSynEditorCommand ecSelRight = ecRight + ecSelection;
constexpr TSynEditorCommand ecSelUp = ecUp + ecSelection;
constexpr TSynEditorCommand ecSelDown = ecDown + ecSelection;
constexpr TSynEditorCommand ecSelWordLeft = ecWordLeft + ecSelection;
constexpr TSynEditorCommand ecSelWordRight = ecWordRight + ecSelection;
constexpr TSynEditorCommand ecSelLineStart = ecLineStart + ecSelection;
constexpr TSynEditorCommand ecSelLineEnd = ecLineEnd + ecSelection;
constexpr TSynEditorCommand ecSelPageUp = ecPageUp + ecSelection;
constexpr TSynEditorCommand ecSelPageDown = ecPageDown + ecSelection;
constexpr TSynEditorCommand ecSelPageLeft = ecPageLeft + ecSelection;
constexpr TSynEditorCommand ecSelPageRight = ecPageRight + ecSelection;
constexpr TSynEditorCommand ecSelPageTop = ecPageTop + ecSelection;
constexpr TSynEditorCommand ecSelPageBottom = ecPageBottom + ecSelection;
constexpr TSynEditorCommand ecSelEditorTop = ecEditorTop + ecSelection;
constexpr TSynEditorCommand ecSelEditorBottom = ecEditorBottom + ecSelection;
constexpr TSynEditorCommand ecSelGotoXY = ecGotoXY + ecSelection;
constexpr TSynEditorCommand ecSelectAll = 199;

// Commands that leave the text alone.
constexpr TSynEditorCommand ecCopy = 201;
constexpr TSynEditorCommand ecScrollUp = 211;
constexpr TSynEditorCommand ecScrollDown = 212;
constexpr TSynEditorCommand ecScrollLeft = 213;
constexpr TSynEditorCommand ecScrollRight = 214;
constexpr TSynEditorCommand ecInsertMode = 221;
constexpr TSynEditorCommand ecOverwriteMode = 222;
constexpr TSynEditorCommand ecToggleMode = 223;
constexpr TSynEditorCommand ecNormalSelect = 231;
constexpr TSynEditorCommand ecColumnSelect = 232;
constexpr TSynEditorCommand ecLineSelect = 233;
constexpr TSynEditorCommand ecMatchBracket = 250;

// Bookmarks: ecGotoMarker0 + n and ecSetMarker0 + n for bookmark n.
constexpr TSynEditorCommand ecGotoMarker0 = 301;
constexpr TSynEditorCommand ecGotoMarker1 = 302;
constexpr TSynEditorCommand ecGotoMarker2 = 303;
constexpr TSynEditorCommand ecGotoMarker3 = 304;
constexpr TSynEditorCommand ecGotoMarker4 = 305;
constexpr TSynEditorCommand ecGotoMarker5 = 306;
constexpr TSynEditorCommand ecGotoMarker6 = 307;
constexpr TSynEditorCommand ecGotoMarker7 = 308;
constexpr TSynEditorCommand ecGotoMarker8 = 309;
constexpr TSynEditorCommand ecGotoMarker9 = 310;
constexpr TSynEditorCommand ecSetMarker0 = 351;
constexpr TSynEditorCommand ecSetMarker1 = 352;
constexpr TSynEditorCommand ecSetMarker2 = 353;
constexpr TSynEditorCommand ecSetMarker3 = 354;
constexpr TSynEditorCommand ecSetMarker4 = 355;
constexpr TSynEditorCommand ecSetMarker5 = 356;
constexpr TSynEditorCommand ecSetMarker6 = 357;
constexpr TSynEditorCommand ecSetMarker7 = 358;
constexpr TSynEditorCommand ecSetMarker8 = 359;
constexpr TSynEditorCommand ecSetMarker9 = 360;

// Commands that change the text.
constexpr TSynEditorCommand ecDeleteLastChar = 501;
constexpr TSynEditorCommand ecDeleteChar = 502;
constexpr TSynEditorCommand ecDeleteWord = 503;
constexpr TSynEditorCommand ecDeleteLastWord = 504;
constexpr TSynEditorCommand ecDeleteBOL = 505;
constexpr TSynEditorCommand ecDeleteEOL = 506;
constexpr TSynEditorCommand ecDeleteLine = 507;
constexpr TSynEditorCommand ecClearAll = 508;
constexpr TSynEditorCommand ecLineBreak = 509;
constexpr TSynEditorCommand ecInsertLine = 510;
constexpr TSynEditorCommand ecChar = 511;
constexpr TSynEditorCommand ecImeStr = 550;
constexpr TSynEditorCommand ecUndo = 601;
constexpr TSynEditorCommand ecRedo = 602;
constexpr TSynEditorCommand ecCut = 603;
constexpr TSynEditorCommand ecPaste = 604;
constexpr TSynEditorCommand ecBlockIndent = 610;
constexpr TSynEditorCommand ecBlockUnindent = 611;
constexpr TSynEditorCommand ecTab = 612;
constexpr TSynEditorCommand ecShiftTab = 613;
constexpr TSynEditorCommand ecAutoCompletion = 650;

// Numbers from here up are user commands, which the editor hands out but never executes.
constexpr TSynEditorCommand ecUserFirst = 1001;

struct TSynEditorCommandName {
    TSynEditorCommand Command;
    const char* Name;
};

// The named commands in table order (90 entries).
std::span<const TSynEditorCommandName> EditorCommandNames();

// The command's name, or its decimal number when it has none.
std::string EditorCommandToName(TSynEditorCommand command);
// The command with exactly this name (case matters); nothing for other texts.
std::optional<TSynEditorCommand> EditorCommandFromName(std::string_view name);
