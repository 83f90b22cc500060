// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A new profile on a German system: comma decimals, full stop thousands, DEM at home,
// and the default symbol lists of a German interface.

#include "settings/active_profile.h"
#include "settings/profile_settings.h"
#include "settings/symbol_list.h"

namespace kassavero {

inline void MakeGermanProfile(ProfileSettings& settings) {
    SettingsToDefaults(settings, U',', U'.', kDEM);
    // Reading the profile after the defaults recomputes the derived separator sets.
    settings.RecomputeSymbolSets();
    LanguageSet german;
    german.set(0);
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        DefaultCurrencySymbols(settings.InputSymbolsFor[c], c, german, kDEM,
                               settings.CustomCurrencyName);
    }
    DefaultNonCurrencySymbols(settings.InputNonCurrencySymbols, german);
}

}  // namespace kassavero
