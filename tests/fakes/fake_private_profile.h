// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/unicode_text.h"
#include "platform/private_profile.h"

namespace kassavero::testing {

// An initialisation file held in memory: names compare without regard to letter case, values
// are kept exactly as written. Tests see what reached the "disk" in `flushed`, count the
// flushes and can make them fail.
class FakePrivateProfile final : public PrivateProfile {
  public:
    struct Entry {
        std::u32string section;
        std::u32string key;
        std::u32string value;
    };

    std::vector<Entry> entries;  // the current content, in order of creation
    std::vector<Entry> flushed;  // the content as of the last successful flush
    int flushCount = 0;
    bool failFlush = false;

    std::u32string ReadString(std::u32string_view section, std::u32string_view key,
                              std::u32string_view defaultValue, std::size_t maxLength) override {
        const Entry* entry = Find(section, key);
        const std::u32string_view value =
            entry != nullptr ? std::u32string_view(entry->value) : defaultValue;
        return std::u32string(value.substr(0, maxLength));
    }

    std::vector<std::u32string> SectionNames() override {
        std::vector<std::u32string> names;
        for (const Entry& entry : entries) {
            bool seen = false;
            for (const std::u32string& name : names)
                seen = seen || Same(name, entry.section);
            if (!seen)
                names.push_back(entry.section);
        }
        return names;
    }

    std::vector<std::u32string> KeyNames(std::u32string_view section) override {
        std::vector<std::u32string> names;
        for (const Entry& entry : entries) {
            if (Same(entry.section, section))
                names.push_back(entry.key);
        }
        return names;
    }

    bool WriteString(std::u32string_view section, std::u32string_view key,
                     std::u32string_view value) override {
        if (key.empty())
            return false;
        for (Entry& entry : entries) {
            if (Same(entry.section, section) && Same(entry.key, key)) {
                entry.value = value;
                return true;
            }
        }
        entries.push_back({std::u32string(section), std::u32string(key), std::u32string(value)});
        return true;
    }

    bool Flush() override {
        ++flushCount;
        if (failFlush)
            return false;
        flushed = entries;
        return true;
    }

  private:
    static bool Same(std::u32string_view a, std::u32string_view b) {
        return LowerCase(a) == LowerCase(b);
    }

    const Entry* Find(std::u32string_view section, std::u32string_view key) const {
        for (const Entry& entry : entries) {
            if (Same(entry.section, section) && Same(entry.key, key))
                return &entry;
        }
        return nullptr;
    }
};

}  // namespace kassavero::testing
