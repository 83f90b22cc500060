// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the settings window needs of the symbol list editor: edit one list in a modal
// window and hand it back only when the user confirms.

#include <string>

#include "settings/symbol_list.h"

namespace kassavero {

class SymbolListEditor {
  public:
    virtual ~SymbolListEditor() = default;
    // Shows the editor modally with the caption and the list. On OK the list holds the
    // edited entries and the result is true; on Cancel the list is left as it was.
    // nonCurrencySymbols labels the field "Symbol" instead of "Waehrungssymbol".
    virtual bool EditSymbolList(SymbolList& list, const std::u32string& caption,
                                bool nonCurrencySymbols) = 0;
};

}  // namespace kassavero
