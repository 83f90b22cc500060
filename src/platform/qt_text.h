// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Program text (Windows-1252) to and from the QString of a widget.

#include <QString>
#include <string>
#include <string_view>

#include "core/win1252.h"

namespace kassavero {

inline QString ToQString(std::string_view win1252) {
    return QString::fromStdString(Win1252ToUtf8(win1252));
}

inline std::string FromQString(const QString& text) {
    return Utf8ToWin1252(text.toStdString());
}

// Text the program keeps (settings, symbols, currency names): characters outside
// Windows-1252 get places of their own while places last.
inline std::string AdoptQString(const QString& text) {
    return AdoptUtf8(text.toStdString());
}

}  // namespace kassavero
