// Conversion of code-page text to and from QString, for the places where text meets Qt, and of
// file names, which are bytes in the file system's encoding and never code-page text.
#pragma once

#include <QByteArray>
#include <QFile>
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

inline QString ToQPath(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

inline std::string FromQPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
