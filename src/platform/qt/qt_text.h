// Conversion of code-page text to and from QString, for the places where text meets Qt.
#pragma once

#include <QString>
#include <string>

#include "platform/codepage.h"

inline QString ToQ(const std::string& text) {
    const std::u16string wide = CodePageToUtf16(text);
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

inline std::string FromQ(const QString& text) {
    return Utf16ToCodePage(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                               static_cast<std::size_t>(text.size())));
}
