// Line numbers. The editor counts lines from 1 (caret, selection, undo items, the view); the
// line buffer indexes them from 0. TLineNumber::Index is the one conversion between the two, and
// an int becomes a line number only explicitly, so the compiler rejects an index where a line
// number is expected. lines_by_number.h addresses the line buffer by line number.
#pragma once

#include "editor/text_position.h"

class TLineNumber {
  public:
    constexpr explicit TLineNumber(int number) : m_number(number) {}
    static constexpr TLineNumber OfIndex(int index) { return TLineNumber(index + 1); }
    static constexpr TLineNumber Of(const TBufferCoord& position) {
        return TLineNumber(position.Line);
    }
    constexpr int Number() const { return m_number; }
    constexpr int Index() const { return m_number - 1; }
    constexpr TLineNumber Next(int count = 1) const { return TLineNumber(m_number + count); }
    constexpr TLineNumber Previous(int count = 1) const { return TLineNumber(m_number - count); }
    constexpr TLineNumber& operator++() {
        ++m_number;
        return *this;
    }
    friend constexpr auto operator<=>(TLineNumber, TLineNumber) = default;

  private:
    int m_number;
};
