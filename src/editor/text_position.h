// A position in the text: column and line, both counted from 1.
#pragma once

struct TBufferCoord {
    int Char = 1;
    int Line = 1;
    friend bool operator==(const TBufferCoord&, const TBufferCoord&) = default;
};

// Text order: by line, then column.
inline bool CoordLess(const TBufferCoord& a, const TBufferCoord& b) {
    return a.Line < b.Line || (a.Line == b.Line && a.Char < b.Char);
}
