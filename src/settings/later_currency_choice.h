// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Putting one of the later euro currencies (core/later_currencies.h) into a custom
// currency slot: from the settings window's choice, and at the first start on a desktop
// of such a country.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/later_currencies.h"
#include "i18n/translator.h"
#include "settings/profile_settings.h"

namespace kassavero {

// Fills custom currency row 0..2 with the currency: code, rate (with the system decimal
// separator), name, its symbol list, and the output symbol and rounding. The output's
// number format stays the user's; the currency is searched for and has a calculator line.
void PutLaterCurrency(ProfileSettings& settings, std::size_t row, const LaterCurrency& currency,
                      std::u32string name, char32_t systemDecimalSeparator);

// For a new profile on a desktop whose language belongs to a later euro country: that
// country's currency in the first slot, as the default source, converted into euros.
// False, and nothing changed, for any other language.
bool ProposeLaterHomeCurrency(ProfileSettings& settings, std::uint16_t languageId,
                              Translator& translator, char32_t systemDecimalSeparator);

}  // namespace kassavero
