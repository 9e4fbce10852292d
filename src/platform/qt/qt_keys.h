// Keyboard input from Qt in virtual-key terms: a key event becomes a virtual-key code and a
// modifier set, and a shortcut value becomes a QKeySequence for menus and actions.
#pragma once

#include <QKeySequence>
#include <Qt>

#include "platform/keys.h"

class QKeyEvent;

// Translates a Qt key and its modifiers. Shifted digit symbols of a US layout ('!' ... ')') give
// their digit keys and shifted punctuation its key, so Ctrl+Shift+1 arrives as '1' with
// Shift+Ctrl; keypad keys give the keypad codes. Returns false, with key 0, for keys that have
// no virtual-key code.
bool QtKeyToVirtualKey(int qtKey, Qt::KeyboardModifiers modifiers, TVirtualKey& key,
                       TShiftState& shift);
// The same for a key event.
bool TranslateQtKey(const QKeyEvent& event, TVirtualKey& key, TShiftState& shift);
// The shortcut value of a key event; 0 when the key has no virtual-key code.
TShortCut KeyEventToShortCut(const QKeyEvent& event);

// The key sequence for a shortcut value; empty for 0 and for keys Qt cannot name.
QKeySequence ShortCutToKeySequence(TShortCut value);
