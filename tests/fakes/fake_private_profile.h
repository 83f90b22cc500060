// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/win1252.h"
#include "platform/private_profile.h"

namespace kassavero::testing {

// An initialisation file held in memory: names compare without regard to letter case, values
// are kept exactly as written. Tests see what reached the "disk" in `flushed`, count the
// flushes and can make them fail.
class FakePrivateProfile final : public PrivateProfile {
  public:
    struct Entry {
        std::string section;
        std::string key;
        std::string value;
    };

    std::vector<Entry> entries;  // the current content, in order of creation
    std::vector<Entry> flushed;  // the content as of the last successful flush
    int flushCount = 0;
    bool failFlush = false;

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue, std::size_t maxLength) override {
        const Entry* entry = Find(section, key);
        const std::string_view value =
            entry != nullptr ? std::string_view(entry->value) : defaultValue;
        return std::string(value.substr(0, maxLength));
    }

    std::vector<std::string> SectionNames() override {
        std::vector<std::string> names;
        for (const Entry& entry : entries) {
            bool seen = false;
            for (const std::string& name : names)
                seen = seen || Same(name, entry.section);
            if (!seen)
                names.push_back(entry.section);
        }
        return names;
    }

    std::vector<std::string> KeyNames(std::string_view section) override {
        std::vector<std::string> names;
        for (const Entry& entry : entries) {
            if (Same(entry.section, section))
                names.push_back(entry.key);
        }
        return names;
    }

    bool WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override {
        if (key.empty())
            return false;
        for (Entry& entry : entries) {
            if (Same(entry.section, section) && Same(entry.key, key)) {
                entry.value = value;
                return true;
            }
        }
        entries.push_back({std::string(section), std::string(key), std::string(value)});
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
    static bool Same(std::string_view a, std::string_view b) {
        return LowerCaseLatin1(a) == LowerCaseLatin1(b);
    }

    const Entry* Find(std::string_view section, std::string_view key) const {
        for (const Entry& entry : entries) {
            if (Same(entry.section, section) && Same(entry.key, key))
                return &entry;
        }
        return nullptr;
    }
};

}  // namespace kassavero::testing
