// The per-line record of the line buffer: 24 bytes, the text pointing into an arena block or
// into storage owned by the line alone.
#pragma once

#include <cstdint>

struct TSynEditStringFlags {
    static constexpr std::uint8_t HasTabs = 1;
    static constexpr std::uint8_t HasNoTabs = 2;
    static constexpr std::uint8_t LengthUnknown = 4;
};

struct TSynEditStringRec {
    const char* text = nullptr;  // not terminated; nullptr when the line is empty
    std::uint32_t length = 0;
    std::int32_t range = -1;           // highlighter state at the line's start; -1 = new line
    std::int32_t expandedLength = -1;  // -1 = not yet known
    std::uint8_t flags = TSynEditStringFlags::LengthUnknown;
    bool owned = false;  // text was allocated for this line and is freed with it
};

static_assert(sizeof(TSynEditStringRec) == 24, "the record is sized for 2.4 million lines");
