// A line of the line buffer as one record: its text, pointing into an arena block or into
// storage owned by the line alone, and the highlighter state at its start. Lines read from a
// file are kept in a packed form (see line_store.h) and only take this shape once their part of
// the text is edited.
#pragma once

#include <cstdint>

struct TSynEditStringRec {
    const char* text = nullptr;  // not terminated; may be nullptr when the line is empty
    std::uint32_t length : 31 = 0;
    std::uint32_t owned : 1 = 0;  // text was allocated for this line and is freed with it
    std::int32_t range = -1;      // highlighter state at the line's start; -1 = new line
};

static_assert(sizeof(TSynEditStringRec) == 16, "the record is sized for millions of lines");
