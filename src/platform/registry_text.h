// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The text of a registry export, as the store keeps it in registry.reg:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Kassavero\General]
//   "DefaultProfile"="Unbenannt"
//
// The text is UTF-8, and so are the names and values held here. In quoted
// names and values a backslash escapes a backslash, a double quote, and the line breaks
// \r and \n (which cannot stand in a line).
//
// Nothing in the text is ever dropped by reading and writing it back:
// - values of other types (dword:, hex:...) are kept and read as missing;
// - sections outside the program's root are kept and not listed;
// - a line that cannot be read is kept exactly as it was, where it was, and counted;
// - a line that is not UTF-8 is read as Windows-1252, the encoding older exports use;
//   a text in UTF-16 (as newer exports are) is read and written back in UTF-8.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kassavero {

struct RegistryText {
    enum class EntryKind { String, OtherType, Unreadable };

    struct Entry {
        EntryKind kind;
        std::string name;   // String and OtherType
        std::string value;  // String
        std::string raw;    // the line(s) as read; empty once the program changed it
    };

    struct Section {
        std::string name;  // below the program's root; the whole path for foreign ones
        bool foreign = false;
        std::string rawHeader;  // foreign sections are written back as they were read
        std::vector<Entry> entries;
        std::unordered_map<std::string, std::size_t> index;  // Key(name) -> entry
    };

    static RegistryText Parse(std::string_view bytes);
    std::string Serialize() const;

    // The program's section of that name (case does not matter), or null.
    Section* Find(std::string_view name);
    Section& ForWriting(std::string_view name);
    // The string value, or null when it is missing or of another type.
    const Entry* FindString(std::string_view section, std::string_view ident);
    // After sections were removed.
    void Reindex();

    // Names compare without regard to case, as the registry's do.
    static std::string Key(std::string_view name);
    // A key name cannot hold a line break: the header would end there.
    static std::string SectionName(std::string_view name);

    std::string header = "REGEDIT4";
    std::vector<std::string> preamble;  // lines before the first section, as read
    std::vector<Section> sections;
    std::unordered_map<std::string, std::size_t> sectionIndex;  // ours, by Key(name)
    int unreadableLines = 0;  // lines that could not be read and are kept as they are
};

}  // namespace kassavero
