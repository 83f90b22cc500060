// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/replacement_text.h"

#include <gtest/gtest.h>

#include <ostream>

namespace kassavero {
namespace {

TWaehrungsAusgabeFormat Record(const char* symbol, bool before, bool space, bool use = true) {
    TWaehrungsAusgabeFormat record;
    record.Symbol = symbol;
    record.SymbolBeforeAmount = before;
    record.SeparatingSpace = space;
    record.UseSymbol = use;
    return record;
}

const TWaehrungsAusgabeFormat kEuro = Record("\x80", false, true);  // 51,13 €
const TWaehrungsAusgabeFormat kMark = Record("DM", false, true);    // 100 DM

// Layouts of the profile: replace, or add with the new or the old amount in brackets,
// the last with the alternative brackets "[" and "]".
enum Layout { kReplace, kNewInBrackets, kOldInBrackets, kNewInSquare, kOldInSquare };

struct Case {
    const char* name;
    Layout layout;
    const char* oldText;
    bool oldHadSymbol;
    TWaehrungsAusgabeFormat target;
    TWaehrungsAusgabeFormat source;
    const char* prefix;
    const char* middle;
    const char* suffix;
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
    return out << c.name;
}

class Composition : public ::testing::TestWithParam<Case> {};

TEST_P(Composition, Parts) {
    const Case& c = GetParam();
    ReplacementLayout layout;
    layout.Replace = c.layout == kReplace;
    layout.NewAmountInBrackets = c.layout == kNewInBrackets || c.layout == kNewInSquare;
    layout.UseAlternativeBrackets = c.layout == kNewInSquare || c.layout == kOldInSquare;
    layout.LeftBracket = "[";
    layout.RightBracket = "]";
    const ReplacementParts parts =
        ComposeReplacement("51,13", c.oldText, c.oldHadSymbol, c.target, c.source, layout);
    EXPECT_EQ(parts, (ReplacementParts{c.prefix, c.middle, c.suffix}));
}

const auto kMarkBefore = Record("DM", true, true);
const auto kMarkBeforeGlued = Record("DM", true, false);
const auto kMarkGluedUnused = Record("DM", false, false, false);
const auto kEmpty = Record("", false, true);
const auto kEuroBeforeGlued = Record("\x80", true, false);
const auto kEuroUnused = Record("\x80", false, true, false);

INSTANTIATE_TEST_SUITE_P(
    Table, Composition,
    ::testing::Values(
        Case{"Replace", kReplace, "100", false, kEuro, kMark, "", "51,13 \x80", ""},
        Case{"ReplaceDropsTheOldText", kReplace, "DM 100", true, kEuro, kMark, "", "51,13 \x80",
             ""},
        Case{"NewInBrackets", kNewInBrackets, "100", false, kEuro, kMark, "", "100",
             " DM (51,13 \x80)"},
        Case{"OldInBrackets", kOldInBrackets, "100", false, kEuro, kMark, "51,13 \x80 (", "100",
             " DM)"},
        Case{"OldTextCarriedItsSymbol", kNewInBrackets, "DM 100", true, kEuro, kMark, "", "DM 100",
             " (51,13 \x80)"},
        Case{"OldTextWithSymbolInBrackets", kOldInBrackets, "DM 100", true, kEuro, kMark,
             "51,13 \x80 (", "DM 100", ")"},
        Case{"AlternativeBrackets", kNewInSquare, "DM 100", true, kEuro, kMark, "", "DM 100",
             " [51,13 \x80]"},
        Case{"AlternativeAroundOldAmount", kOldInSquare, "100", false, kEuro, kMark, "51,13 \x80 [",
             "100", " DM]"},
        Case{"SourceSymbolBefore", kNewInBrackets, "100", false, kEuro, kMarkBefore, "DM ", "100",
             " (51,13 \x80)"},
        Case{"SourceSymbolBeforeInBrackets", kOldInBrackets, "100", false, kEuro, kMarkBeforeGlued,
             "51,13 \x80 (DM", "100", ")"},
        Case{"SourceSymbolAddedThoughUnused", kNewInBrackets, "100", false, kEuro, kMarkGluedUnused,
             "", "100", "DM (51,13 \x80)"},
        Case{"EmptySourceSymbolAddsNoBlank", kNewInBrackets, "100", false, kEuro, kEmpty, "", "100",
             " (51,13 \x80)"},
        Case{"TargetSymbolBeforeGlued", kReplace, "100", false, kEuroBeforeGlued, kMark, "",
             "\x80"
             "51,13",
             ""},
        Case{"EmptyTargetSymbolIsTheBareAmount", kReplace, "100", false, kEmpty, kMark, "", "51,13",
             ""},
        Case{"EmptyTargetSymbolInAddMode", kNewInBrackets, "100", false, kEmpty, kMark, "", "100",
             " DM (51,13)"},
        Case{"UnusedTargetSymbol", kReplace, "100", false, kEuroUnused, kMark, "", "51,13", ""}));

TEST(Composition, ReadsAsTheWholeReplacement) {
    ReplacementLayout layout;
    EXPECT_EQ(ComposeReplacement("51,13", "100", false, kEuro, kMark, layout).Text(),
              "51,13 \x80 (100 DM)");
    layout.NewAmountInBrackets = true;
    EXPECT_EQ(ComposeReplacement("51,13", "100", false, kEuro, kMark, layout).Text(),
              "100 DM (51,13 \x80)");
    layout.UseAlternativeBrackets = true;
    layout.LeftBracket = "<<";
    layout.RightBracket = ">>";
    EXPECT_EQ(ComposeReplacement("51,13", "DM 100", true, kEuro, kMark, layout).Text(),
              "DM 100 <<51,13 \x80>>");
}

}  // namespace
}  // namespace kassavero
