// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The system information of a Linux desktop: the process locale.

#include <string>
#include <string_view>

#include "platform/system_info.h"

namespace kassavero {

// Reads the separators of LC_NUMERIC and the language of LC_ALL / LC_MESSAGES / LANG
// from the environment once, on construction.
class PosixSystemInfo final : public SystemInfo {
  public:
    // The desktop's: separators of LC_NUMERIC, language of LC_ALL, LC_MESSAGES or LANG.
    PosixSystemInfo();
    // A desktop of the named locale ("bg_BG.UTF-8"), as if it were this one's.
    explicit PosixSystemInfo(const std::string& localeName);

    char32_t DecimalSeparator() const override { return decimal_; }
    char32_t ThousandSeparator() const override { return thousand_; }
    std::uint16_t DefaultLanguageId() const override { return languageId_; }

  private:
    void ReadSeparators(const char* localeName);

    char32_t decimal_;
    char32_t thousand_;
    std::uint16_t languageId_;
};

// The Windows language identifier of a POSIX locale name such as "de_AT.UTF-8" or
// "fr_BE@euro". C, POSIX and an empty name give 0x0409; a language we do not know
// gives the neutral primary language 0 with sublanguage 1.
std::uint16_t LanguageIdOfLocaleName(std::string_view localeName);

// The environment variables that name the language of the desktop's messages.
struct LocaleVariables {
    std::string language;    // LANGUAGE: languages in order of preference, split by ":"
    std::string lcAll;       // LC_ALL
    std::string lcMessages;  // LC_MESSAGES
    std::string lang;        // LANG
};

LocaleVariables LocaleVariablesFromEnvironment();

struct NumberSeparators {
    char32_t decimal;
    char32_t thousand;
};

// Turns the locale's separator strings (UTF-8) into two distinct characters. A decimal
// separator that is not one character becomes ".". A thousands separator that is a
// narrow, thin or figure space (U+202F, U+2009, U+2007) becomes the no-break space, as
// texts write it; one that is empty or more than one character becomes "," after a "."
// decimal separator and "." after any other.
NumberSeparators SanitizeSeparators(std::string_view decimalUtf8, std::string_view thousandUtf8);

}  // namespace kassavero
