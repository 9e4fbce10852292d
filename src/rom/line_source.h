// A document's lines as the table readers see them: a function from a 0-based line index to the
// line's text, valid until the next call.
#pragma once

#include <functional>
#include <string_view>

using TLineSource = std::function<std::string_view(int index)>;
