// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/symbol_list_editor_model.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/win1252.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_translator.h"
#include "own_process.h"

namespace kassavero {
namespace {

using Option = SymbolListEditorModel::Option;
using Default = SymbolListEditorModel::DefaultButton;

class SymbolListEditorModelTest : public ::testing::Test {
  protected:
    testing::FakeTranslator translator;
    testing::FakeMessageBoxes boxes;
    SymbolListEditorModel model{translator, boxes};

    const SymbolList dm = {TCurrencySymbol::FromOptionNumber("DM", 19),
                           TCurrencySymbol::FromOptionNumber("Deutsche Mark", 3)};
};

TEST_F(SymbolListEditorModelTest, OpeningShowsTheFirstEntryOrClearedFields) {
    model.Open(dm);
    EXPECT_EQ(model.SelectedRow(), 0);
    EXPECT_EQ(model.Fields(), dm[0]);
    EXPECT_EQ(model.Default(), Default::Ok);

    model.Open({});
    EXPECT_EQ(model.SelectedRow(), -1);
    EXPECT_EQ(model.Fields().Symbol, "");
    EXPECT_EQ(model.Fields().OptionNumber(), 64);  // every option off, dot sometimes
    EXPECT_FALSE(model.SaveEnabled());
}

TEST(SymbolListEditorRules, SaveOnlyForTextWithoutDigits) {
    struct Case {
        const char* text;
        bool saveEnabled;
        bool blankFreeOptionsEnabled;
    };
    const Case cases[] = {
        {"", false, true},    {" ", false, false}, {"   ", false, false}, {"DM", true, true},
        {"DM1", false, true}, {"0", false, true},  {"a b", true, false},  {"Mark 9", false, false},
        {"\x80", true, true}, {"%", true, true},
    };
    testing::FakeTranslator translator;
    testing::FakeMessageBoxes boxes;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
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
    const std::pair<const char*, const char*> cases[] = {
        {"Deutsche   Mark", "Deutsche Mark"},
        {"  DM ", "DM"},
        {"a  b   c", "a b c"},
        {"DM", "DM"},
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(SymbolListEditorModel::NormalizeSymbol(typed), stored) << typed;
}

TEST_F(SymbolListEditorModelTest, ABlankSwitchesOffAndDisablesTwoOptions) {
    model.New();
    model.OptionChanged(Option::AsDecimalSeparator, true);
    EXPECT_TRUE(model.Fields().AsDecimalSeparator);
    EXPECT_TRUE(model.Fields().SpaceOptional);
    model.SymbolEdited("Deutsche Mark");
    EXPECT_FALSE(model.Fields().AsDecimalSeparator);
    EXPECT_FALSE(model.Fields().SpaceOptional);
    // Disabled options take no clicks; removing the blank enables them, still off.
    model.OptionChanged(Option::SpaceOptional, true);
    EXPECT_FALSE(model.Fields().SpaceOptional);
    model.SymbolEdited("DeutscheMark");
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
        {[&] { model.SymbolEdited("DMark"); }, Default::Save},
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
    model.SymbolEdited("Deutsche   Mark  West");
    ASSERT_TRUE(model.Save());
    ASSERT_EQ(model.Rows().size(), 3u);
    EXPECT_EQ(model.Rows()[2].Symbol, "Deutsche Mark West");
    EXPECT_EQ(model.Rows()[2].OptionNumber(), 67);  // blank: no optional space
    EXPECT_EQ(model.SelectedRow(), 2);
    EXPECT_EQ(model.Fields().Symbol, "Deutsche Mark West");
    // Saving again changes that row in place.
    model.OptionChanged(Option::AfterAmount, false);
    ASSERT_TRUE(model.Save());
    EXPECT_EQ(model.Rows().size(), 3u);
    EXPECT_EQ(model.Rows()[2].OptionNumber(), 66);
}

TEST_F(SymbolListEditorModelTest, SavingAnExistingEntryReplacesItsRow) {
    model.Open(dm);
    model.SelectRow(1);
    model.SymbolEdited("Mark");
    model.DotChanged(AbbreviationDot::Always);
    ASSERT_TRUE(model.Save());
    ASSERT_EQ(model.Rows().size(), 2u);
    EXPECT_EQ(model.Rows()[0], dm[0]);
    EXPECT_EQ(model.Rows()[1].Symbol, "Mark");
    EXPECT_EQ(model.Rows()[1].OptionNumber(), 3 + 32);
    EXPECT_EQ(model.SelectedRow(), 1);
}

TEST_F(SymbolListEditorModelTest, HiddenDecimalSeparatorOptionIsShownAndSaved) {
    const SymbolList escudo = {TCurrencySymbol::FromOptionNumber("$", 4)};
    model.Open(escudo);
    EXPECT_TRUE(model.OptionValue(Option::AsDecimalSeparator));
    model.OptionChanged(Option::AsDecimalSeparator, false);
    ASSERT_TRUE(model.Save());
    EXPECT_FALSE(model.Rows()[0].AsDecimalSeparator);
}

TEST_F(SymbolListEditorModelTest, DuplicateSymbolsAreRefusedWithAMessage) {
    struct Case {
        int shownRow;  // -1 for a new entry
        const char* typed;
        bool saved;
    };
    const Case cases[] = {
        {-1, "DM", false},              // a new entry with a listed symbol
        {-1, "Deutsche  Mark", false},  // the same after its blanks are reduced
        {0, "Deutsche Mark", false},    // renaming onto another row
        {0, "DM", true},                // the shown row itself is no duplicate
        {-1, "dm", true},               // another spelling is another symbol
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
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
            EXPECT_EQ(boxes.shown[0].text, "[SymbolSchonInDerListe]\n\n" +
                                               SymbolListEditorModel::NormalizeSymbol(c.typed));
            EXPECT_EQ(boxes.shown[0].caption, "Kassavero");
            EXPECT_EQ(model.Default(), Default::Save);  // the edit is still there
        }
    }
}

// A symbol outside Windows-1252 is kept while places last; once they have run out, one
// with a character that has none stays in the field as typed and is refused.
TEST_F(SymbolListEditorModelTest, SymbolsOutsideTheCodePageWhilePlacesLast) {
    testing::InOwnProcess([&] {
        const std::string lev = "\u043B\u0432.";
        model.Open(dm);
        model.New();
        model.SymbolTyped(lev);
        EXPECT_EQ(model.SymbolFieldText(), lev);
        EXPECT_TRUE(model.Save());
        EXPECT_EQ(Win1252ToUtf8(model.Rows().back().Symbol), lev);
        for (char32_t cp = 0x3B1; cp < 0x3C9; ++cp) {  // Greek fills the places
            std::string letter;
            AppendUtf8(letter, cp);
            AdoptUtf8(letter);
        }
        const std::string zhe = "\u0436";
        model.New();
        model.SymbolTyped(zhe);
        EXPECT_EQ(model.SymbolFieldText(), zhe);
        EXPECT_FALSE(model.Save());
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "[SymbolNichtDarstellbar]");
        EXPECT_EQ(model.Rows().size(), dm.size() + 1);
        model.SymbolTyped("\u043B\u0432");  // characters that have places save
        EXPECT_TRUE(model.Save());
    });
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
    EXPECT_EQ(model.Fields().Symbol, "");
    EXPECT_FALSE(model.SaveEnabled());
    // Fields typed after a delete make a new entry.
    model.SymbolEdited("DMark");
    ASSERT_TRUE(model.Save());
    EXPECT_EQ(model.Rows().back().Symbol, "DMark");
}

TEST_F(SymbolListEditorModelTest, AnUnsavedNewEntryIsDroppedWhenAnotherIsShown) {
    model.Open(dm);
    model.New();
    model.SymbolEdited("Taler");
    model.SelectRow(1);
    EXPECT_EQ(model.Result(), dm);
    model.Close();
    EXPECT_TRUE(model.Rows().empty());
    EXPECT_EQ(model.Fields().Symbol, "");
}

}  // namespace
}  // namespace kassavero
