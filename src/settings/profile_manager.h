// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The named profiles: which one is active at start-up, and saving the live settings
// under a name, activating a profile and deleting one. Every question and message goes
// through the message boxes, every text through the translator.

#include <functional>
#include <string>
#include <string_view>

#include "core/currency.h"
#include "i18n/translator.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/system_info.h"
#include "settings/active_profile.h"
#include "settings/name_input.h"

namespace kassavero {

class ProfileManager {
  public:
    ProfileManager(ActiveProfile& profile, Registry& store, const SystemInfo& system,
                   Translator& translator, MessageBoxes& messageBoxes, NameInput& nameInput);

    // Once per run, before anything reads the settings: lists the profiles, makes one
    // active, sets the defaults and reads the active profile over them (on the very
    // first start writes it instead), fills empty symbol lists with their defaults and
    // records the euro-sign check. translationLanguage is the name of the translation
    // file's language section; it chooses, with the system's language, the languages of
    // the default symbol lists.
    void LoadAtStartUp(std::u32string_view translationLanguage);

    // The entry selected in the settings window's profile list, -1 for none. Selecting
    // does nothing by itself: it is what activation and deletion act on and the name
    // proposed when saving.
    int SelectedIndex() const { return selected_; }
    void Select(int position);

    // Asks for a name (proposing the selected one) and writes the live settings under
    // it; the profile becomes active and moves to the end of the list. An existing name,
    // in any letter case, is overwritten only after the user agreed.
    void SaveProfileAs();
    // Reads the profile at the position into the live settings and selects it; nothing
    // happens for a position outside the list.
    void ActivateProfile(int position);
    // Deletes the selected profile after asking; the active one cannot be deleted.
    void DeleteSelectedProfile();

    // Writes (OK, Apply) or reads back (Cancel) the active profile; nothing when no
    // profile is active.
    void TransferActiveProfile(bool write);

    // Called after the active profile was read into the live settings (activation,
    // reading back), so that the settings window shows what was read.
    void SetReadListener(std::function<void()> listener) { readListener_ = std::move(listener); }

  private:
    int FindProfile(std::u32string_view name) const;
    bool SectionListed(std::u32string_view section);
    void NotifyListAndActive();
    // A list that a read left empty searches for nothing: it gets its defaults, as at
    // start-up (a profile written at the first start stores its lists empty).
    void FillEmptySymbolLists();

    ActiveProfile& profile_;
    Registry& store_;
    const SystemInfo& system_;
    Translator& translator_;
    MessageBoxes& messageBoxes_;
    NameInput& nameInput_;
    CurrencyIndex homeCurrency_;
    int selected_ = -1;
    int translationLanguage_ = 0;
    std::function<void()> readListener_;
};

}  // namespace kassavero
