// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Currency names as the windows show them, in the language of the interface.

#include <string>

#include "core/currency.h"
#include "core/later_currencies.h"
#include "i18n/translator.h"
#include "settings/profile_settings.h"

namespace kassavero {

// The name of a currency in the interface language; a custom currency's is the one the
// user gave it.
std::u32string CurrencyDisplayName(const ProfileSettings& settings, CurrencyIndex c,
                                   Translator& translator);

// The name of a later euro currency in the interface language.
std::u32string LaterCurrencyName(const LaterCurrency& currency, Translator& translator);

}  // namespace kassavero
