// The editor's brackets as scope guards: a paint lock (TPaintLockScope, with the view), a change
// bracket of the line buffer, an undo block, and a whole text change (paint lock plus change
// bracket). Each closes on every path out of the scope that opened it, as scope_exit.h says: a
// failing close is reported on the normal way out and dropped while an exception leaves.
#pragma once

#include "editor/scope_exit.h"
#include "editor/string_list.h"
#include "editor/synedit_text_changer.h"
#include "editor/synedit_viewport.h"

using TUndoBlockScope =
    TBracket<TSynTextChanger, &TSynTextChanger::BeginGroup, &TSynTextChanger::EndGroup>;
using TLinesUpdateScope =
    TBracket<TSynEditStringList, &TSynEditStringList::BeginUpdate, &TSynEditStringList::EndUpdate>;

// A paint lock and a change bracket of the line buffer around one editing step; the bracket
// closes first, so what it collected is painted when the lock goes.
class TTextChangeScope {
  public:
    TTextChangeScope(TSynViewport& view, TSynEditStringList& lines)
        : m_paint(view), m_change(lines) {}

  private:
    TPaintLockScope m_paint;
    TLinesUpdateScope m_change;
};
