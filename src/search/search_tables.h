// Character tables shared by every search engine: the fold table of each case rule and the
// table of word delimiters. Built once on first use and read-only afterwards.
#pragma once

// 256 bytes indexed by byte value: the lower-case form of each byte when caseSensitive is
// false, the identity when it is true. Comparing two bytes through the same table compares them
// under that case rule.
const unsigned char* SearchFoldTable(bool caseSensitive);

// 256 flags indexed by byte value: true for every byte that is not a letter or digit of the
// code page, so blanks, punctuation, the underscore and the zero byte all end a word.
const bool* SearchDelimiterTable();
