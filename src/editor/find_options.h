// Options of the editor's find-and-replace operation and the answers of its replace prompt.
#pragma once

#include <cstdint>

using TFindOptions = std::uint8_t;
enum : TFindOptions {
    foMatchCase = 1 << 0,
    foWholeWord = 1 << 1,
    foBackwards = 1 << 2,
    foEntireScope = 1 << 3,
    foSelectedOnly = 1 << 4,
    foReplace = 1 << 5,
    foReplaceAll = 1 << 6,
    foPrompt = 1 << 7,
};

enum TSynReplaceAction : std::uint8_t { rpCancel = 0, rpSkip = 1, rpReplace = 2, rpReplaceAll = 3 };
