// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Initialisation files ("[Section]" lines followed by "key=value" lines), read and written
// with the rules of the Windows private-profile functions that the translation file and the
// status file were made for.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kassavero {

class PrivateProfile {
  public:
    virtual ~PrivateProfile() = default;

    // The value of the key in the section, or defaultValue when the file, the section or the
    // key is missing. Section and key names are compared without regard to letter case; the
    // value is trimmed and loses one pair of surrounding double quotes. At most maxLength
    // characters are returned.
    virtual std::u32string ReadString(std::u32string_view section, std::u32string_view key,
                                      std::u32string_view defaultValue, std::size_t maxLength) = 0;

    // The names of all sections, and of all keys of one section, in file order.
    virtual std::vector<std::u32string> SectionNames() = 0;
    virtual std::vector<std::u32string> KeyNames(std::u32string_view section) = 0;

    // Sets the value, creating the section and the key when they are missing. The change is
    // seen by later reads at once and reaches the disk with the next Flush. Returns false,
    // changing nothing, for a name the file format cannot hold (an empty key, a key with "=",
    // a section with "]", a line break in either).
    virtual bool WriteString(std::u32string_view section, std::u32string_view key,
                             std::u32string_view value) = 0;

    // Writes the changes made since the last flush. Returns false when the file could not be
    // written; the changes are then kept for the next attempt.
    virtual bool Flush() = 0;
};

}  // namespace kassavero
