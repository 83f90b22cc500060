// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Moving values between the store and memory in either direction with one routine, so
// that reading and writing a group of values can never drift apart.

#include <string>
#include <string_view>

#include "platform/registry.h"
#include "settings/profile_settings.h"

namespace kassavero {

inline constexpr std::u32string_view kGeneralSection = U"General";
inline constexpr std::u32string_view kProfileSectionPrefix = U"Profile ";

// The section of a profile: "Profile " followed by its name.
std::u32string ProfileSection(std::u32string_view profileName);

class TTransferIniFile {
  public:
    explicit TTransferIniFile(Registry& store) : store_(store) {}

    Registry& Store() { return store_; }

    // Writing stores value; reading sets value from the store and leaves it as it is
    // when the ident is missing.
    void TransferString(bool write, std::u32string_view section, std::u32string& value,
                        std::u32string_view ident);
    // Stored as "1" or "0"; read as true unless "0" or empty.
    void TransferBool(bool write, std::u32string_view section, bool& value,
                      std::u32string_view ident);
    // Stored as decimal text; text that is not an integer reads as 0.
    void TransferInt(bool write, std::u32string_view section, int& value,
                     std::u32string_view ident);

    // All settings of a profile between its section and memory, key by key in the order
    // of ProfileKeys(), as one store operation. Reading runs every key through its
    // decoding, a missing one with its current value, so the derived symbol sets and the
    // choices of several options are always brought up to date.
    void TransferProfile(bool write, std::u32string_view profileName, ProfileSettings& settings,
                         char32_t systemDecimalSeparator);

  private:
    Registry& store_;
};

// A window's position as far as the store is concerned.
class FormPosition {
  public:
    virtual ~FormPosition() = default;
    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual void SetLeft(int left) = 0;
    virtual void SetTop(int top) = 0;
};

// Restores (read) or saves (write) the window's left and top edge under name + "XPos"
// and name + "YPos" in the section. Missing values leave the window where it is.
void TransferFormPosition(Registry& store, std::u32string_view section, std::u32string_view name,
                          FormPosition& window, bool write);

}  // namespace kassavero
