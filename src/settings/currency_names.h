// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Currency names as the windows show them.

#include <cstdint>
#include <string>

#include "core/currency.h"
#include "core/later_currencies.h"
#include "i18n/translator.h"
#include "settings/profile_settings.h"

namespace kassavero {

// The calculator's name of a currency: in the desktop's language, whatever the interface
// language (German, Dutch, Bulgarian, Croatian or Greek names, else English); a custom
// currency's is the one the user gave it.
std::u32string CalculatorCurrencyName(const ProfileSettings& settings, CurrencyIndex c,
                                      std::uint16_t systemLanguageId);

// The name of a later euro currency in the interface language.
std::u32string LaterCurrencyName(const LaterCurrency& currency, Translator& translator);

}  // namespace kassavero
