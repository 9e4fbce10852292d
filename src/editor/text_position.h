// A position in the text: column and line, both counted from 1.
#pragma once

struct TTextPosition {
    int column = 1;
    int line = 1;

    friend bool operator==(const TTextPosition&, const TTextPosition&) = default;
};
