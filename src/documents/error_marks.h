// Red marks in a document window's gutter on the lines that a tool's error messages name. They
// are ordinary gutter marks (not bookmarks) drawn from the bookmark pictures, whose list carries
// the error picture after the ten bookmark pictures, and they move with the text like bookmarks.
#pragma once

#include <QPixmap>
#include <vector>

class TCustomSynEdit;

// The error mark's picture index in the document windows' bookmark pictures.
inline constexpr int kErrorMarkImage = 10;

// A red disc of 14 by 14 pixels with a white bar: the error mark.
QPixmap ErrorMarkPicture();

// Replaces the editor's error marks with marks on the given 1-based lines (duplicates and lines
// outside the text are left out). Bookmarks and other marks stay.
void SetErrorMarks(TCustomSynEdit& editor, const std::vector<int>& lines);
// The 1-based lines that carry an error mark, in mark order.
std::vector<int> ErrorMarkLines(TCustomSynEdit& editor);
