// Line numbers and the line buffer addressed by them. The editor counts lines from 1 (caret,
// selection, undo items, the view); the line buffer indexes them from 0. TLineNumber::Index is
// the one conversion between the two, and an int becomes a line number only explicitly, so the
// compiler rejects an index where a line number is expected.
#pragma once

#include <string_view>

#include "editor/string_list.h"
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

// The last line of a buffer (line 0 when it is empty).
inline TLineNumber LastLine(const TSynEditStringList& lines) {
    return TLineNumber(lines.GetCount());
}

// Out of range yields the empty text.
inline std::string_view TextAt(const TSynEditStringList& lines, TLineNumber line) {
    return lines.GetView(line.Index());
}

inline int LengthAt(const TSynEditStringList& lines, TLineNumber line) {
    return static_cast<int>(lines.GetView(line.Index()).size());
}

inline void PutAt(TSynEditStringList& lines, TLineNumber line, std::string_view text) {
    lines.Put(line.Index(), text);
}

// Inserts `text` so that it becomes line `line`.
inline void InsertAt(TSynEditStringList& lines, TLineNumber line, std::string_view text) {
    lines.Insert(line.Index(), text);
}

// Inserts `count` empty lines so that the first becomes line `line`.
inline void InsertEmptyAt(TSynEditStringList& lines, TLineNumber line, int count) {
    lines.InsertEmptyLines(line.Index(), count);
}

inline void DeleteAt(TSynEditStringList& lines, TLineNumber line) {
    lines.Delete(line.Index());
}

// Deletes `count` lines from line `line` on.
inline void DeleteRunAt(TSynEditStringList& lines, TLineNumber line, int count) {
    lines.DeleteLineRun(line.Index(), count);
}
