// Composition of the consistency check message.
#include "editor/qt/text_drawer_errors.h"

void TextDrawerAssert(bool condition, int line, const char* message) {
    if (condition) return;
    std::string text;
    if (message != nullptr && *message != '\0') {
        text = message;
        text += ' ';
    }
    text += "(Assertion failure in SynTextDrawer, line " + std::to_string(line) + ")";
    throw ETextDrawerAssertion(text);
}
