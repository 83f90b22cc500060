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

struct Case {
    const char* name;
    bool replace;
    bool newInBrackets;
    bool alternativeBrackets;
    const char* oldText;
    bool oldHadSymbol;
    TWaehrungsAusgabeFormat target;
    TWaehrungsAusgabeFormat source;
    ReplacementParts expected;
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
    return out << c.name;
}

class Composition : public ::testing::TestWithParam<Case> {};

TEST_P(Composition, Parts) {
    const Case& c = GetParam();
    ProfileSettings settings;
    settings.OutputReplace = c.replace;
    settings.OutputNewAmountInBrackets = c.newInBrackets;
    settings.OutputUseAlternativeBrackets = c.alternativeBrackets;
    settings.OutputLeftBracket = "[";
    settings.OutputRightBracket = "]";
    // The insert-old-symbol setting is stored but never changes the composition.
    settings.OutputInsertOldCurrencySymbol = false;
    const ReplacementParts parts =
        ComposeReplacement("51,13", c.oldText, c.oldHadSymbol, c.target, c.source, settings);
    EXPECT_EQ(parts.Prefix, c.expected.Prefix);
    EXPECT_EQ(parts.Middle, c.expected.Middle);
    EXPECT_EQ(parts.Suffix, c.expected.Suffix);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Composition,
    ::testing::Values(
        Case{"Replace", true, false, false, "100", false, kEuro, kMark, {"", "51,13 \x80", ""}},
        Case{"ReplaceKeepsNothingOfTheOldText",
             true,
             true,
             true,
             "DM 100",
             true,
             kEuro,
             kMark,
             {"", "51,13 \x80", ""}},
        Case{"NewAmountInBrackets",
             false,
             true,
             false,
             "100",
             false,
             kEuro,
             kMark,
             {"", "100", " DM (51,13 \x80)"}},
        Case{"OldAmountInBrackets",
             false,
             false,
             false,
             "100",
             false,
             kEuro,
             kMark,
             {"51,13 \x80 (", "100", " DM)"}},
        Case{"OldTextCarriedItsSymbol",
             false,
             true,
             false,
             "DM 100",
             true,
             kEuro,
             kMark,
             {"", "DM 100", " (51,13 \x80)"}},
        Case{"OldTextWithSymbolInBrackets",
             false,
             false,
             false,
             "DM 100",
             true,
             kEuro,
             kMark,
             {"51,13 \x80 (", "DM 100", ")"}},
        Case{"AlternativeBrackets",
             false,
             true,
             true,
             "DM 100",
             true,
             kEuro,
             kMark,
             {"", "DM 100", " [51,13 \x80]"}},
        Case{"AlternativeBracketsAroundOldAmount",
             false,
             false,
             true,
             "100",
             false,
             kEuro,
             kMark,
             {"51,13 \x80 [", "100", " DM]"}},
        Case{"SourceSymbolBeforeTheOldAmount",
             false,
             true,
             false,
             "100",
             false,
             kEuro,
             Record("DM", true, true),
             {"DM ", "100", " (51,13 \x80)"}},
        Case{"SourceSymbolBeforeInBrackets",
             false,
             false,
             false,
             "100",
             false,
             kEuro,
             Record("DM", true, false),
             {"51,13 \x80 (DM", "100", ")"}},
        Case{"SourceSymbolAddedEvenWhenNotUsedForOutput",
             false,
             true,
             false,
             "100",
             false,
             kEuro,
             Record("DM", false, false, false),
             {"", "100", "DM (51,13 \x80)"}},
        Case{"EmptySourceSymbolAddsNoBlank",
             false,
             true,
             false,
             "100",
             false,
             kEuro,
             Record("", false, true),
             {"", "100", " (51,13 \x80)"}},
        Case{"TargetSymbolBeforeWithoutSpace",
             true,
             false,
             false,
             "100",
             false,
             Record("\x80", true, false),
             kMark,
             {"",
              "\x80"
              "51,13",
              ""}},
        Case{"EmptyTargetSymbolIsTheBareAmount",
             true,
             false,
             false,
             "100",
             false,
             Record("", false, true),
             kMark,
             {"", "51,13", ""}},
        Case{"EmptyTargetSymbolInAddMode",
             false,
             true,
             false,
             "100",
             false,
             Record("", true, true),
             kMark,
             {"", "100", " DM (51,13)"}},
        Case{"UnusedTargetSymbol",
             true,
             false,
             false,
             "100",
             false,
             Record("\x80", false, true, false),
             kMark,
             {"", "51,13", ""}}));

TEST(Composition, ReadsAsTheWholeReplacement) {
    ProfileSettings settings;
    settings.OutputReplace = false;
    settings.OutputNewAmountInBrackets = false;
    EXPECT_EQ(ComposeReplacement("51,13", "100", false, kEuro, kMark, settings).Text(),
              "51,13 \x80 (100 DM)");
    settings.OutputNewAmountInBrackets = true;
    EXPECT_EQ(ComposeReplacement("51,13", "100", false, kEuro, kMark, settings).Text(),
              "100 DM (51,13 \x80)");
    settings.OutputUseAlternativeBrackets = true;
    settings.OutputLeftBracket = "<<";
    settings.OutputRightBracket = ">>";
    EXPECT_EQ(ComposeReplacement("51,13", "DM 100", true, kEuro, kMark, settings).Text(),
              "DM 100 <<51,13 \x80>>");
}

}  // namespace
}  // namespace kassavero
