// Reloading a file's text into an editor as one undo step.
#include "editor/text_reload.h"

#include <algorithm>
#include <string>

#include "editor/custom_synedit.h"
#include "editor/string_list.h"
#include "editor/synedit_scopes.h"

namespace {

// The lines [from, to) of a list joined by CR LF, the break the editor's insertion splits on.
std::string JoinLines(const TSynEditStringList& lines, int from, int to) {
    std::string text;
    for (int i = from; i < to; ++i) {
        if (i > from) text += "\r\n";
        text += lines.GetView(i);
    }
    return text;
}

int LineEnd(const TSynEditStringList& lines, int index) {
    return static_cast<int>(lines.GetView(index).size()) + 1;
}

// A position of the old text moved to the new one: in the unchanged start it stays, in the
// unchanged end it moves by the change in line count, inside the changed lines it keeps its line
// number as far as the new text reaches.
int MovedLine(int line, int changedEnd, int delta, int newCount) {
    if (line > changedEnd) line += delta;
    return std::clamp(line, 1, std::max(newCount, 1));
}

}  // namespace

bool ReloadEditorText(TCustomSynEdit& editor, const TSynEditStringList& fresh) {
    TSynEditStringList& lines = editor.Lines();
    const int oldCount = lines.GetCount();
    const int newCount = fresh.GetCount();
    // Both texts are compared line after line, each through a cursor of its own.
    TSynEditStringList::TLineCursor oldLines;
    TSynEditStringList::TLineCursor newLines;
    int prefix = 0;
    const int shorter = std::min(oldCount, newCount);
    while (prefix < shorter && lines.GetView(prefix, oldLines) == fresh.GetView(prefix, newLines)) {
        ++prefix;
    }
    int suffix = 0;
    while (suffix < shorter - prefix && lines.GetView(oldCount - 1 - suffix, oldLines) ==
                                            fresh.GetView(newCount - 1 - suffix, newLines)) {
        ++suffix;
    }
    lines.SetLineBreakStyle(fresh.LineBreakStyle());
    if (prefix == oldCount && prefix == newCount) {
        editor.MarkSaved();
        return false;
    }

    const TBufferCoord caret = editor.CaretXY();
    const int topLine = editor.TopLine();
    const int oldEnd = oldCount - suffix;  // old lines [prefix, oldEnd) change
    const int newEnd = newCount - suffix;  // into new lines [prefix, newEnd)
    const std::string middle = JoinLines(fresh, prefix, newEnd);
    TBufferCoord begin{1, prefix + 1};
    TBufferCoord end{1, prefix + 1};
    std::string text = middle;
    if (oldEnd > prefix && newEnd > prefix) {
        end = {LineEnd(lines, oldEnd - 1), oldEnd};
    } else if (oldEnd == prefix) {
        // Only new lines: before the unchanged end, or after the last line.
        if (suffix > 0) {
            text += "\r\n";
        } else if (prefix > 0) {
            begin = end = {LineEnd(lines, prefix - 1), prefix};
            text = "\r\n" + middle;
        }
    } else if (suffix > 0) {
        // Only lines gone, before the unchanged end.
        end = {1, oldEnd + 1};
    } else if (prefix > 0) {
        // Only lines gone at the end: the break before them goes too.
        begin = {LineEnd(lines, prefix - 1), prefix};
        end = {LineEnd(lines, oldCount - 1), oldCount};
    } else {
        end = {LineEnd(lines, oldCount - 1), oldCount};
    }

    // The file's text goes in exactly as it is: no trailing blanks trimmed on the way.
    const TSynEditorOptions options = editor.Options();
    if (options & eoTrimTrailingSpaces)
        editor.SetOptions(static_cast<TSynEditorOptions>(options & ~eoTrimTrailingSpaces));
    {
        const TScopeExit restore([&] { editor.SetOptions(options); });
        editor.ReplaceTextRange(begin, end, text);
    }

    const int delta = newEnd - oldEnd;
    const int count = lines.GetCount();
    const int caretLine = MovedLine(caret.Line, oldEnd, delta, count);
    editor.SetCaretXY({caret.Char, caretLine});
    editor.SetTopLine(MovedLine(topLine, oldEnd, delta, count));
    editor.MarkSaved();
    return true;
}
