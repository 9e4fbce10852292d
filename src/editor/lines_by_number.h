// The line buffer addressed by line number: each call converts through TLineNumber::Index.
#pragma once

#include <string_view>

#include "editor/line_number.h"
#include "editor/string_list.h"

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
