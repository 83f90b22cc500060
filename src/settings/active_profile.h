// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Owner of the active profile's live settings. Every reader keeps a reference to this
// object and reads the value it needs at the moment it needs it, never a copy, so an
// edit in the open settings window is seen everywhere at once.
//
// It also holds the list of profile names, which of them is active, and the slots
// through which other windows learn that settings or profiles changed.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "settings/profile_settings.h"

namespace kassavero {

class ActiveProfile;

// Empty, or one subscriber (an object and one of its operations) that is called with
// the holder of the settings.
class NotificationSlot {
  public:
    using Subscriber = std::function<void(ActiveProfile&)>;

    void Set(Subscriber subscriber) { subscriber_ = std::move(subscriber); }
    void Clear() { subscriber_ = nullptr; }
    bool IsSet() const { return static_cast<bool>(subscriber_); }

    // Calls the subscriber, if any. It may clear or replace the slot while it runs.
    void Notify(ActiveProfile& sender) const {
        if (!subscriber_)
            return;
        const Subscriber call = subscriber_;
        call(sender);
    }

  private:
    Subscriber subscriber_;
};

class ActiveProfile final : public CustomRates {
  public:
    ActiveProfile() = default;
    const std::u32string& CustomRate(int index) const override {
        return Settings().CustomCurrencyRate[static_cast<std::size_t>(index)];
    }
    ActiveProfile(const ActiveProfile&) = delete;
    ActiveProfile& operator=(const ActiveProfile&) = delete;

    const ProfileSettings& Settings() const { return settings_; }
    // For the settings window, the profile store and tests.
    ProfileSettings& MutableSettings() { return settings_; }

    // The profile names in list order.
    const std::vector<std::u32string>& ProfileNames() const { return names_; }
    // The position of the active profile in the list; -1 when none is active.
    int ActiveProfileIndex() const { return activeIndex_; }
    // The active profile's name, as the settings window shows it; empty when none is.
    const std::u32string& Name() const {
        static const std::u32string kNone;
        return activeIndex_ >= 0 ? names_[static_cast<std::size_t>(activeIndex_)] : kNone;
    }

    // For the profile management: the list and the active position (-1, or a position
    // in the list).
    void SetProfiles(std::vector<std::u32string> names, int activeIndex) {
        names_ = std::move(names);
        activeIndex_ = activeIndex >= 0 && static_cast<std::size_t>(activeIndex) < names_.size()
                           ? activeIndex
                           : -1;
    }

    void SetActiveProfileIndex(int activeIndex) { SetProfiles(std::move(names_), activeIndex); }

    // The confirmation window's two slots: 0 refreshes its currency lists, 1 recomputes
    // its proposal.
    NotificationSlot& SettingsChangedCallback(int slot) {
        return settingsChanged_[static_cast<std::size_t>(slot)];
    }
    NotificationSlot& CalculatorLayoutCallback() { return calculatorLayout_; }
    NotificationSlot& HotkeysCallback() { return hotkeys_; }
    // The list of profiles may have changed.
    NotificationSlot& ProfileListCallback() { return profileList_; }
    // The active profile may have changed.
    NotificationSlot& ActiveProfileCallback() { return activeProfile_; }

    // After stored settings changed (OK and Apply): the subscribers in the order in
    // which they depend on each other.
    void NotifySettingsChanged() {
        settingsChanged_[0].Notify(*this);
        calculatorLayout_.Notify(*this);
        settingsChanged_[1].Notify(*this);
        hotkeys_.Notify(*this);
    }

  private:
    ProfileSettings settings_;
    std::vector<std::u32string> names_;
    int activeIndex_ = -1;
    std::array<NotificationSlot, 2> settingsChanged_;
    NotificationSlot calculatorLayout_;
    NotificationSlot hotkeys_;
    NotificationSlot profileList_;
    NotificationSlot activeProfile_;
};

}  // namespace kassavero
