// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The store that keeps every setting between runs, in the manner of an INI file: a
// section is a key below the program's root, an ident is a value name in it, and every
// value the program uses is a string. Section and value names compare
// without regard to letter case and keep the spelling they were created with.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kassavero {

class Registry {
  public:
    virtual ~Registry() = default;

    // The section names, in the order the store lists them.
    virtual std::vector<std::u32string> ReadSections() = 0;
    // A section exists when it holds at least one value.
    virtual bool SectionExists(std::u32string_view section) = 0;
    // True when the section holds a string value of that name.
    virtual bool ValueExists(std::u32string_view section, std::u32string_view ident) = 0;
    // The string value; nothing when it is missing or is a value of another type.
    virtual std::optional<std::u32string> ReadString(std::u32string_view section,
                                                     std::u32string_view ident) = 0;
    // Creates the section when needed; a value of another type under that name becomes
    // this string.
    virtual void WriteString(std::u32string_view section, std::u32string_view ident,
                             std::u32string_view value) = 0;
    // Removes the section with all its values; nothing happens when there is none.
    virtual void EraseSection(std::u32string_view section) = 0;
    // Gives an existing section exactly this spelling (it compares equal to the old one
    // without regard to case), so a name the user retyped in other letter case is the
    // name listed from then on.
    virtual void RespellSection(std::u32string_view section) = 0;

    // Every change between BeginUpdate and the matching EndUpdate is stored in one go at
    // the outermost EndUpdate; outside such a bracket each change is stored by itself.
    // EndUpdate tells whether the changes are stored; if not, they stay in memory and
    // are stored with the next change that succeeds.
    virtual void BeginUpdate() = 0;
    virtual bool EndUpdate() = 0;
};

// One store operation: the changes made while it lives reach the disk together.
class RegistryUpdate {
  public:
    explicit RegistryUpdate(Registry& registry) : registry_(registry) { registry_.BeginUpdate(); }
    ~RegistryUpdate() {
        if (!ended_)
            registry_.EndUpdate();
    }
    RegistryUpdate(const RegistryUpdate&) = delete;
    RegistryUpdate& operator=(const RegistryUpdate&) = delete;

    // Ends the operation early and tells whether its changes are stored.
    bool Commit() {
        ended_ = true;
        return registry_.EndUpdate();
    }

  private:
    Registry& registry_;
    bool ended_ = false;
};

}  // namespace kassavero
