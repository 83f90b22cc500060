// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_windows/symbol_list_editor_model.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/unicode_text.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_translator.h"

namespace kassavero {
namespace {

using Option = SymbolListEditorModel::Option;
using Default = SymbolListEditorModel::DefaultButton;

class SymbolListEditorModelTest : public ::testing::Test {
  protected:
    testing::FakeTranslator translator;
    testing::FakeMessageBoxes boxes;
    SymbolListEditorModel model{translator, boxes};

    const SymbolList dm = {TCurrencySymbol::FromOptionNumber(U"DM", 19),
                           TCurrencySymbol::FromOptionNumber(U"Deutsche Mark", 3)};
};

TEST_F(SymbolListEditorModelTest, OpeningShowsTheFirstEntryOrClearedFields) {
    model.Open(dm);
    EXPECT_EQ(model.SelectedRow(), 0);
    EXPECT_EQ(model.Fields(), dm[0]);
    EXPECT_EQ(model.Default(), Default::Ok);

    model.Open({});
    EXPECT_EQ(model.SelectedRow(), -1);
    EXPECT_EQ(model.Fields().Symbol, U"");
    EXPECT_EQ(model.Fields().OptionNumber(), 64);  // every option off, dot sometimes
    EXPECT_FALSE(model.SaveEnabled());
}

TEST(SymbolListEditorRules, SaveOnlyForTextWithoutDigits) {
    struct Case {
        const char32_t* text;
        bool saveEnabled;
        bool blankFreeOptionsEnabled;
    };
    const Case cases[] = {
        {U"", false, true},    {U" ", false, false},      {U"   ", false, false},
        {U"DM", true, true},   {U"DM1", false, true},     {U"0", false, true},
        {U"a b", true, false}, {U"Mark 9", false, false}, {U"\u20AC", true, true},
        {U"%", true, true},
    };
    testing::FakeTranslator translator;
    testing::FakeMessageBoxes boxes;
    for (const Case& c : cases) {
        SCOPED_TRACE(TextToUtf8(c.text));
        SymbolListEditorModel model(translator, boxes);
        model.New();
        model.SymbolEdited(c.text);
        EXPECT_EQ(model.SaveEnabled(), c.saveEnabled);
        EXPECT_EQ(model.AsDecimalSeparatorEnabled(), c.blankFreeOptionsEnabled);
        EXPECT_EQ(model.SpaceOptionalEnabled(), c.blankFreeOptionsEnabled);
        EXPECT_EQ(model.Save(), c.saveEnabled);
    }
}

TEST(SymbolListEditorRules, NormalizedSymbols) {
    const std::pair<const char32_t*, const char32_t*> cases[] = {
        {U"Deutsche   Mark", U"Deutsche Mark"},
        {U"  DM ", U"DM"},
        {U"a  b   c", U"a b c"},
        {U"DM", U"DM"},
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(SymbolListEditorModel::NormalizeSymbol(typed), stored) << TextToUtf8(typed);
}

TEST_F(SymbolListEditorModelTest, ABlankSwitchesOffAndDisablesTwoOptions) {
    model.New();
    model.OptionChanged(Option::AsDecimalSeparator, true);
    EXPECT_TRUE(model.Fields().AsDecimalSeparator);
    EXPECT_TRUE(model.Fields().SpaceOptional);
    model.SymbolEdited(U"Deutsche Mark");
    EXPECT_FALSE(model.Fields().AsDecimalSeparator);
    EXPECT_FALSE(model.Fields().SpaceOptional);
    // Disabled options take no clicks; removing the blank enables them, still off.
    model.OptionChanged(Option::SpaceOptional, true);
    EXPECT_FALSE(model.Fields().SpaceOptional);
    model.SymbolEdited(U"DeutscheMark");
    EXPECT_TRUE(model.SpaceOptionalEnabled());
    EXPECT_FALSE(model.Fields().SpaceOptional);
}

TEST_F(SymbolListEditorModelTest, DefaultButtonFollowsTheUser) {
    model.Open(dm);
    const std::pair<std::function<void()>, Default> steps[] = {
        {[&] { model.OptionChanged(Option::CaseSensitive, true); }, Default::Save},
        {[&] { model.SelectRow(1); }, Default::Ok},
        {[&] { model.DotChanged(AbbreviationDot::Always); }, Default::Save},
        {[&] { model.Save(); }, Default::Ok},
        {[&] { model.New(); }, Default::Save},
        {[&] { model.SelectRow(0); }, Default::Ok},
        {[&] { model.SymbolEdited(U"DMark"); }, Default::Save},
        {[&] { model.Delete(); }, Default::Ok},
    };
    int step = 0;
    for (const auto& [action, expected] : steps) {
        action();
        EXPECT_EQ(model.Default(), expected) << "step " << step++;
    }
}

TEST_F(SymbolListEditorModelTest, SavingANewEntryAppendsAndSelectsIt) {
    model.Open(dm);
    model.New();
    EXPECT_EQ(model.SelectedRow(), -1);
    EXPECT_EQ(model.Fields().OptionNumber(), 83);
    model.SymbolEdited(U"Deutsche   Mark  West");
    ASSERT_TRUE(model.Save());
    ASSERT_EQ(model.Rows().size(), 3u);
    EXPECT_EQ(model.Rows()[2].Symbol, U"Deutsche Mark West");
    EXPECT_EQ(model.Rows()[2].OptionNumber(), 67);  // blank: no optional space
    EXPECT_EQ(model.SelectedRow(), 2);
    EXPECT_EQ(model.Fields().Symbol, U"Deutsche Mark West");
    // Saving again changes that row in place.
    model.OptionChanged(Option::AfterAmount, false);
    ASSERT_TRUE(model.Save());
    EXPECT_EQ(model.Rows().size(), 3u);
    EXPECT_EQ(model.Rows()[2].OptionNumber(), 66);
}

TEST_F(SymbolListEditorModelTest, SavingAnExistingEntryReplacesItsRow) {
    model.Open(dm);
    model.SelectRow(1);
    model.SymbolEdited(U"Mark");
    model.DotChanged(AbbreviationDot::Always);
    ASSERT_TRUE(model.Save());
    ASSERT_EQ(model.Rows().size(), 2u);
    EXPECT_EQ(model.Rows()[0], dm[0]);
    EXPECT_EQ(model.Rows()[1].Symbol, U"Mark");
    EXPECT_EQ(model.Rows()[1].OptionNumber(), 3 + 32);
    EXPECT_EQ(model.SelectedRow(), 1);
}

TEST_F(SymbolListEditorModelTest, HiddenDecimalSeparatorOptionIsShownAndSaved) {
    const SymbolList escudo = {TCurrencySymbol::FromOptionNumber(U"$", 4)};
    model.Open(escudo);
    EXPECT_TRUE(model.OptionValue(Option::AsDecimalSeparator));
    model.OptionChanged(Option::AsDecimalSeparator, false);
    ASSERT_TRUE(model.Save());
    EXPECT_FALSE(model.Rows()[0].AsDecimalSeparator);
}

TEST_F(SymbolListEditorModelTest, DuplicateSymbolsAreRefusedWithAMessage) {
    struct Case {
        int shownRow;  // -1 for a new entry
        const char32_t* typed;
        bool saved;
    };
    const Case cases[] = {
        {-1, U"DM", false},              // a new entry with a listed symbol
        {-1, U"Deutsche  Mark", false},  // the same after its blanks are reduced
        {0, U"Deutsche Mark", false},    // renaming onto another row
        {0, U"DM", true},                // the shown row itself is no duplicate
        {-1, U"dm", true},               // another spelling is another symbol
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(TextToUtf8(c.typed));
        boxes.shown.clear();
        model.Open(dm);
        if (c.shownRow < 0)
            model.New();
        else
            model.SelectRow(c.shownRow);
        model.SymbolEdited(c.typed);
        EXPECT_EQ(model.Save(), c.saved);
        EXPECT_EQ(model.Rows().size(), dm.size() + (c.saved && c.shownRow < 0 ? 1 : 0));
        ASSERT_EQ(boxes.shown.size(), c.saved ? 0u : 1u);
        if (!c.saved) {
            EXPECT_EQ(boxes.shown[0].text, U"[SymbolSchonInDerListe]\n\n" +
                                               SymbolListEditorModel::NormalizeSymbol(c.typed));
            EXPECT_EQ(boxes.shown[0].caption, U"Kassavero");
            EXPECT_EQ(model.Default(), Default::Save);  // the edit is still there
        }
    }
}

// Symbols in any script are kept as typed, however many distinct letters they use.
TEST_F(SymbolListEditorModelTest, SymbolsInAnyScriptAreKept) {
    model.Open(dm);
    for (const std::u32string symbol : {U"\u043B\u0432.", U"\u0394\u03C1\u03C7.", U"lit\u0173",
                                        U"\u0436\u0449\u044E\u044F\u0451"}) {
        model.New();
        model.SymbolEdited(symbol);
        EXPECT_EQ(model.SymbolFieldText(), symbol);
        EXPECT_TRUE(model.Save());
        EXPECT_EQ(model.Rows().back().Symbol, symbol);
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SymbolListEditorModelTest, DeleteRemovesTheSelectedRowOnly) {
    model.Open(dm);
    model.New();
    model.Delete();  // no selection: nothing happens
    EXPECT_EQ(model.Rows(), dm);
    model.SelectRow(0);
    model.Delete();
    ASSERT_EQ(model.Rows().size(), 1u);
    EXPECT_EQ(model.Rows()[0], dm[1]);
    EXPECT_EQ(model.SelectedRow(), -1);
    EXPECT_EQ(model.Fields().Symbol, U"");
    EXPECT_FALSE(model.SaveEnabled());
    // Fields typed after a delete make a new entry.
    model.SymbolEdited(U"DMark");
    ASSERT_TRUE(model.Save());
    EXPECT_EQ(model.Rows().back().Symbol, U"DMark");
}

TEST_F(SymbolListEditorModelTest, AnUnsavedNewEntryIsDroppedWhenAnotherIsShown) {
    model.Open(dm);
    model.New();
    model.SymbolEdited(U"Taler");
    model.SelectRow(1);
    EXPECT_EQ(model.Result(), dm);
    model.Close();
    EXPECT_TRUE(model.Rows().empty());
    EXPECT_EQ(model.Fields().Symbol, U"");
}

}  // namespace
}  // namespace kassavero
