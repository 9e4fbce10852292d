// The default key bindings every editor starts with, in the order they are appended.
#include <array>

#include "editor/key_strokes.h"

namespace {

constexpr TShortCut Alone(TVirtualKey key) {
    return key;
}
constexpr TShortCut Shift(TVirtualKey key) {
    return key | scShift;
}
constexpr TShortCut Ctrl(TVirtualKey key) {
    return key | scCtrl;
}
constexpr TShortCut Alt(TVirtualKey key) {
    return key | scAlt;
}
constexpr TShortCut ShiftCtrl(TVirtualKey key) {
    return key | scShift | scCtrl;
}
constexpr TShortCut ShiftAlt(TVirtualKey key) {
    return key | scShift | scAlt;
}

constexpr std::array<TSynDefaultKeyStroke, 80> kDefaultKeyStrokes = {{
    {ecUp, Alone(VK_UP)},
    {ecSelUp, Shift(VK_UP)},
    {ecScrollUp, Ctrl(VK_UP)},
    {ecDown, Alone(VK_DOWN)},
    {ecSelDown, Shift(VK_DOWN)},
    {ecScrollDown, Ctrl(VK_DOWN)},
    {ecLeft, Alone(VK_LEFT)},
    {ecSelLeft, Shift(VK_LEFT)},
    {ecWordLeft, Ctrl(VK_LEFT)},
    {ecSelWordLeft, ShiftCtrl(VK_LEFT)},
    {ecRight, Alone(VK_RIGHT)},
    {ecSelRight, Shift(VK_RIGHT)},
    {ecWordRight, Ctrl(VK_RIGHT)},
    {ecSelWordRight, ShiftCtrl(VK_RIGHT)},
    {ecPageDown, Alone(VK_NEXT)},
    {ecSelPageDown, Shift(VK_NEXT)},
    {ecPageBottom, Ctrl(VK_NEXT)},
    {ecSelPageBottom, ShiftCtrl(VK_NEXT)},
    {ecPageUp, Alone(VK_PRIOR)},
    {ecSelPageUp, Shift(VK_PRIOR)},
    {ecPageTop, Ctrl(VK_PRIOR)},
    {ecSelPageTop, ShiftCtrl(VK_PRIOR)},
    {ecLineStart, Alone(VK_HOME)},
    {ecSelLineStart, Shift(VK_HOME)},
    {ecEditorTop, Ctrl(VK_HOME)},
    {ecSelEditorTop, ShiftCtrl(VK_HOME)},
    {ecLineEnd, Alone(VK_END)},
    {ecSelLineEnd, Shift(VK_END)},
    {ecEditorBottom, Ctrl(VK_END)},
    {ecSelEditorBottom, ShiftCtrl(VK_END)},
    {ecToggleMode, Alone(VK_INSERT)},
    {ecCopy, Ctrl(VK_INSERT)},
    {ecPaste, Shift(VK_INSERT)},
    {ecDeleteChar, Alone(VK_DELETE)},
    {ecCut, Shift(VK_DELETE)},
    {ecDeleteLastChar, Alone(VK_BACK)},
    {ecDeleteLastChar, Shift(VK_BACK)},
    {ecDeleteLastWord, Ctrl(VK_BACK)},
    {ecUndo, Alt(VK_BACK)},
    {ecRedo, ShiftAlt(VK_BACK)},
    {ecLineBreak, Alone(VK_RETURN)},
    {ecSelectAll, Ctrl('A')},
    {ecCopy, Ctrl('C')},
    {ecBlockIndent, ShiftCtrl('I')},
    {ecLineBreak, Ctrl('M')},
    {ecInsertLine, Ctrl('N')},
    {ecDeleteWord, Ctrl('T')},
    {ecBlockUnindent, ShiftCtrl('U')},
    {ecPaste, Ctrl('V')},
    {ecCut, Ctrl('X')},
    {ecDeleteLine, Ctrl('Y')},
    {ecDeleteEOL, ShiftCtrl('Y')},
    {ecUndo, Ctrl('Z')},
    {ecRedo, ShiftCtrl('Z')},
    {ecGotoMarker0, Ctrl('0')},
    {ecGotoMarker1, Ctrl('1')},
    {ecGotoMarker2, Ctrl('2')},
    {ecGotoMarker3, Ctrl('3')},
    {ecGotoMarker4, Ctrl('4')},
    {ecGotoMarker5, Ctrl('5')},
    {ecGotoMarker6, Ctrl('6')},
    {ecGotoMarker7, Ctrl('7')},
    {ecGotoMarker8, Ctrl('8')},
    {ecGotoMarker9, Ctrl('9')},
    {ecSetMarker0, ShiftCtrl('0')},
    {ecSetMarker1, ShiftCtrl('1')},
    {ecSetMarker2, ShiftCtrl('2')},
    {ecSetMarker3, ShiftCtrl('3')},
    {ecSetMarker4, ShiftCtrl('4')},
    {ecSetMarker5, ShiftCtrl('5')},
    {ecSetMarker6, ShiftCtrl('6')},
    {ecSetMarker7, ShiftCtrl('7')},
    {ecSetMarker8, ShiftCtrl('8')},
    {ecSetMarker9, ShiftCtrl('9')},
    {ecNormalSelect, ShiftCtrl('N')},
    {ecColumnSelect, ShiftCtrl('C')},
    {ecLineSelect, ShiftCtrl('L')},
    {ecTab, Alone(VK_TAB)},
    {ecShiftTab, Shift(VK_TAB)},
    {ecMatchBracket, ShiftCtrl('B')},
}};

}  // namespace

std::span<const TSynDefaultKeyStroke> DefaultKeyStrokes() {
    return kDefaultKeyStrokes;
}
