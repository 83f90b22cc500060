// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/replacement_text.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <ostream>

namespace kassavero {
namespace {

TWaehrungsAusgabeFormat Record(const char32_t* symbol, bool before, bool space, bool use = true) {
    TWaehrungsAusgabeFormat record;
    record.Symbol = symbol;
    record.SymbolBeforeAmount = before;
    record.SeparatingSpace = space;
    record.UseSymbol = use;
    return record;
}

const TWaehrungsAusgabeFormat kEuro = Record(U"\u20AC", false, true);  // 51,13 €
const TWaehrungsAusgabeFormat kMark = Record(U"DM", false, true);      // 100 DM

// Layouts of the profile: replace, or add with the new or the old amount in brackets,
// the last with the alternative brackets "[" and "]".
enum Layout { kReplace, kNewInBrackets, kOldInBrackets, kNewInSquare, kOldInSquare };

struct Case {
    const char32_t* name;
    Layout layout;
    const char32_t* oldText;
    bool oldHadSymbol;
    TWaehrungsAusgabeFormat target;
    TWaehrungsAusgabeFormat source;
    const char32_t* prefix;
    const char32_t* middle;
    const char32_t* suffix;
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
    return out << TextToUtf8(c.name);
}

class Composition : public ::testing::TestWithParam<Case> {};

TEST_P(Composition, Parts) {
    const Case& c = GetParam();
    ReplacementLayout layout;
    layout.Replace = c.layout == kReplace;
    layout.NewAmountInBrackets = c.layout == kNewInBrackets || c.layout == kNewInSquare;
    layout.UseAlternativeBrackets = c.layout == kNewInSquare || c.layout == kOldInSquare;
    layout.LeftBracket = U"[";
    layout.RightBracket = U"]";
    const ReplacementParts parts =
        ComposeReplacement(U"51,13", c.oldText, c.oldHadSymbol, c.target, c.source, layout);
    EXPECT_EQ(parts, (ReplacementParts{c.prefix, c.middle, c.suffix}));
}

const auto kMarkBefore = Record(U"DM", true, true);
const auto kMarkBeforeGlued = Record(U"DM", true, false);
const auto kMarkGluedUnused = Record(U"DM", false, false, false);
const auto kEmpty = Record(U"", false, true);
const auto kEuroBeforeGlued = Record(U"\u20AC", true, false);
const auto kEuroUnused = Record(U"\u20AC", false, true, false);

INSTANTIATE_TEST_SUITE_P(
    Table, Composition,
    ::testing::Values(
        Case{U"Replace", kReplace, U"100", false, kEuro, kMark, U"", U"51,13 \u20AC", U""},
        Case{U"ReplaceDropsTheOldText", kReplace, U"DM 100", true, kEuro, kMark, U"",
             U"51,13 \u20AC", U""},
        Case{U"NewInBrackets", kNewInBrackets, U"100", false, kEuro, kMark, U"", U"100",
             U" DM (51,13 \u20AC)"},
        Case{U"OldInBrackets", kOldInBrackets, U"100", false, kEuro, kMark, U"51,13 \u20AC (",
             U"100", U" DM)"},
        Case{U"OldTextCarriedItsSymbol", kNewInBrackets, U"DM 100", true, kEuro, kMark, U"",
             U"DM 100", U" (51,13 \u20AC)"},
        Case{U"OldTextWithSymbolInBrackets", kOldInBrackets, U"DM 100", true, kEuro, kMark,
             U"51,13 \u20AC (", U"DM 100", U")"},
        Case{U"AlternativeBrackets", kNewInSquare, U"DM 100", true, kEuro, kMark, U"", U"DM 100",
             U" [51,13 \u20AC]"},
        Case{U"AlternativeAroundOldAmount", kOldInSquare, U"100", false, kEuro, kMark,
             U"51,13 \u20AC [", U"100", U" DM]"},
        Case{U"SourceSymbolBefore", kNewInBrackets, U"100", false, kEuro, kMarkBefore, U"DM ",
             U"100", U" (51,13 \u20AC)"},
        Case{U"SourceSymbolBeforeInBrackets", kOldInBrackets, U"100", false, kEuro,
             kMarkBeforeGlued, U"51,13 \u20AC (DM", U"100", U")"},
        Case{U"SourceSymbolAddedThoughUnused", kNewInBrackets, U"100", false, kEuro,
             kMarkGluedUnused, U"", U"100", U"DM (51,13 \u20AC)"},
        Case{U"EmptySourceSymbolAddsNoBlank", kNewInBrackets, U"100", false, kEuro, kEmpty, U"",
             U"100", U" (51,13 \u20AC)"},
        Case{U"TargetSymbolBeforeGlued", kReplace, U"100", false, kEuroBeforeGlued, kMark, U"",
             U"\u20AC"
             U"51,13",
             U""},
        Case{U"EmptyTargetSymbolIsTheBareAmount", kReplace, U"100", false, kEmpty, kMark, U"",
             U"51,13", U""},
        Case{U"EmptyTargetSymbolInAddMode", kNewInBrackets, U"100", false, kEmpty, kMark, U"",
             U"100", U" DM (51,13)"},
        Case{U"UnusedTargetSymbol", kReplace, U"100", false, kEuroUnused, kMark, U"", U"51,13",
             U""}));

TEST(Composition, ReadsAsTheWholeReplacement) {
    ReplacementLayout layout;
    EXPECT_EQ(ComposeReplacement(U"51,13", U"100", false, kEuro, kMark, layout).Text(),
              U"51,13 \u20AC (100 DM)");
    layout.NewAmountInBrackets = true;
    EXPECT_EQ(ComposeReplacement(U"51,13", U"100", false, kEuro, kMark, layout).Text(),
              U"100 DM (51,13 \u20AC)");
    layout.UseAlternativeBrackets = true;
    layout.LeftBracket = U"<<";
    layout.RightBracket = U">>";
    EXPECT_EQ(ComposeReplacement(U"51,13", U"DM 100", true, kEuro, kMark, layout).Text(),
              U"DM 100 <<51,13 \u20AC>>");
}

}  // namespace
}  // namespace kassavero
