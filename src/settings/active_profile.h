#pragma once

// Owner of the active profile's live settings. Every reader keeps a reference to this
// object and reads the value it needs at the moment it needs it, never a copy, so an
// edit in the open settings window is seen everywhere at once.

#include <string>

#include "settings/profile_settings.h"

namespace kassavero {

class ActiveProfile {
  public:
    ActiveProfile() = default;
    ActiveProfile(const ActiveProfile&) = delete;
    ActiveProfile& operator=(const ActiveProfile&) = delete;

    const ProfileSettings& Settings() const { return settings_; }
    // For the settings window, the profile store and tests.
    ProfileSettings& MutableSettings() { return settings_; }

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

  private:
    ProfileSettings settings_;
    std::string name_;
};

}  // namespace kassavero
