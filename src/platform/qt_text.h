// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Program text to and from the QString of a widget.

#include <QString>
#include <string>
#include <string_view>

namespace kassavero {

inline QString ToQString(std::u32string_view text) {
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

// UTF-8, as translation keys and other texts of the sources are written.
inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::u32string FromQString(const QString& text) {
    return text.toStdU32String();
}

}  // namespace kassavero
