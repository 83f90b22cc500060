// SPDX-License-Identifier: GPL-3.0-or-later
#include "macro/macro_interpreter.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include "fakes/fake_confirmation.h"
#include "macro/dde_command.h"
#include "macro_test_rig.h"
#include "platform/registry.h"
#include "settings/transfer_ini_file.h"

namespace kassavero {
namespace {

using testing::FakeConfirmation;

class InterpreterTest : public testing::MacroRig<FakeConfirmation> {
  protected:
    void Store(const std::u32string& profileName, const std::u32string& key,
               const std::u32string& value) {
        OpenStore()->WriteString(ProfileSection(profileName), key, value);
    }
    std::optional<std::u32string> Stored(const std::u32string& profileName,
                                         const std::u32string& key) {
        return OpenStore()->ReadString(ProfileSection(profileName), key);
    }
};

TEST_F(InterpreterTest, ItemsStartWithTheirTextsAndTopicsListsTheCommandItems) {
    EXPECT_EQ(Request(kFilterItem), U"TestConnection");
    EXPECT_EQ(Request(kSettingsItem), U"TestConnection");
    EXPECT_EQ(Request(kCalculatorItem), U"Show");
    std::u32string topics;
    ASSERT_EQ(server.Request(U"SYSTEM", kTopicsItem, topics), DdeError::None);
    EXPECT_EQ(topics, U"Calculator\r\nFilter\r\nSettings\r\n");
    // Item names are exact; the second topic has no items; other topics do not exist.
    std::u32string data;
    EXPECT_EQ(server.Request(kSystemTopic, U"filter", data), DdeError::UnknownItem);
    EXPECT_EQ(server.Request(U"macroserver", kFilterItem, data), DdeError::UnknownItem);
    EXPECT_EQ(server.Execute(U"Excel", U"filter:testconnection"), DdeError::UnknownTopic);
    EXPECT_EQ(server.Poke(kSystemTopic, kTopicsItem, U"x"), DdeError::PokeRefused);
    EXPECT_EQ(Request(kTopicsItem), U"Calculator\r\nFilter\r\nSettings");
    EXPECT_EQ(interpreter.FEngine(), engine.Handle());
}

struct LineCase {
    std::u32string line;
    std::u32string item;   // the item whose text is checked
    std::u32string reply;  // FLastResult, and the item's text in brackets
};

class SettingsLineTest : public InterpreterTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(SettingsLineTest, RepliesInTheItemAndInTheLastResult) {
    const LineCase& c = GetParam();
    Store(U"Standard", U"InputAcceptDEM", U"1");
    Store(U"Reise", U"OutputReplace", U"0");
    EXPECT_EQ(Execute(c.line, c.item), U"[" + c.reply + U"]");
    EXPECT_EQ(interpreter.FLastResult(), c.reply);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsLineTest,
    ::testing::Values(LineCase{U"Settings:ShowDialog", U"Settings", U"OK"},
                      LineCase{U"settings:showdialog", U"Settings", U"OK"},
                      LineCase{U"SETTINGS:SHOWDIALOG;", U"Settings", U"OK"},
                      LineCase{U"settings:showdialog()", U"Settings",
                               U"ERROR. Invalid numer of arguments in call to function showdialog"},
                      LineCase{U"settings:getvalue(,InputAcceptDEM)", U"Settings", U"1"},
                      LineCase{U"settings:getvalue(,inputacceptdem)", U"Settings", U"1"},
                      LineCase{U"settings:getvalue(Reise,OutputReplace)", U"Settings", U"0"},
                      LineCase{U"settings:getvalue(,NoSuchKey)", U"Settings", U"<NIL>"},
                      LineCase{U"settings:getvalue(Nirgends,InputAcceptDEM)", U"Settings",
                               U"<NIL>"},
                      LineCase{U"settings:getvalue(a,b", U"Settings",
                               U"ERROR. Syntax error parsing DDE command: getvalue"},
                      LineCase{U"settings:GetValue(a)", U"Settings",
                               U"ERROR. Invalid numer of arguments in call to function getvalue"},
                      LineCase{U"settings:showhelp", U"Settings",
                               U"ERROR. Invalid numer of arguments in call to function showhelp"},
                      LineCase{U"settings:Frobnicate(1)", U"Settings",
                               U"ERROR. Unknown function for DDE-item \"Settings\": frobnicate"},
                      LineCase{U"settings:", U"Settings", std::u32string(kNoFunctionReply)},
                      LineCase{U"settings:\"\";()", U"Settings", std::u32string(kNoFunctionReply)},
                      // Colons after the first belong to the command.
                      LineCase{U"Settings:getvalue(\"a:b\",c:d)", U"Settings", U"<NIL>"}));

TEST_F(InterpreterTest, SettingsOpenTheirWindowsAndTheHelp) {
    Execute(U"Settings:ShowDialog", kSettingsItem);
    Execute(U"settings:showdialog", kSettingsItem);
    EXPECT_EQ(settingsWindow.shown,
              (std::vector<SettingsPage>{SettingsPage::Current, SettingsPage::Current}));
    Execute(U"settings:showdialog()", kSettingsItem);
    EXPECT_EQ(settingsWindow.shown.size(), 2u);

    for (const char32_t* line :
         {U"settings:showhelp(1090)", U"settings:showhelp(0)", U"settings:showhelp(abc)",
          U"settings:showhelp()", U"settings:showhelp(-3)"}) {
        EXPECT_EQ(Execute(line, kSettingsItem), U"[OK]") << TextToUtf8(line);
    }
    EXPECT_EQ(help.calls, (std::vector<std::string>{"topic 1090", "contents", "contents",
                                                    "contents", "topic -3"}));
    EXPECT_EQ(Execute(U"settings:showabout", kSettingsItem), U"[OK]");
    EXPECT_EQ(aboutWindow.shown, 1);
    // The separator of formula numbers, for clients in another locale.
    EXPECT_EQ(Execute(U"settings:decimalseparator", kSettingsItem), U"[,]");
}

TEST_F(InterpreterTest, SetValueWritesTheStoreAndLeavesTheLiveSettingsAlone) {
    const bool before = profile.Settings().OutputReplace;
    EXPECT_EQ(Execute(U"settings:setvalue(,OutputReplace,1)", kSettingsItem), U"[OK]");
    EXPECT_EQ(Stored(U"Standard", U"OutputReplace"), U"1");
    EXPECT_EQ(profile.Settings().OutputReplace, before);
    EXPECT_EQ(Execute(U"settings:getvalue(,OutputReplace)", kSettingsItem), U"[1]");

    // A named profile, a value with separators, and one written back as text unchanged.
    EXPECT_EQ(Execute(U"settings:setvalue(Reise,OutputLeftBracket,\"(;,\")", kSettingsItem),
              U"[OK]");
    EXPECT_EQ(Stored(U"Reise", U"OutputLeftBracket"), U"(;,");
    EXPECT_EQ(Stored(U"Standard", U"OutputLeftBracket"), std::nullopt);
    // Without an active profile the empty name is the section's name.
    profile.SetActiveProfileIndex(-1);
    EXPECT_EQ(Execute(U"settings:setvalue(,Key,v)", kSettingsItem), U"[OK]");
    EXPECT_EQ(Stored(U"", U"Key"), U"v");
}

TEST_F(InterpreterTest, AChainOfValuesIsStoredInOneWrite) {
    std::u32string line = U"settings:";
    for (int i = 0; i < 50; ++i)
        line += U"setvalue(,Key" + AsciiToText(std::to_string(i)) + U"," +
                AsciiToText(std::to_string(i)) + U");";
    line += U"getvalue(,Key7)";
    EXPECT_EQ(Execute(line, kSettingsItem), U"[7]");
    EXPECT_EQ(storesOpened, 1);
    EXPECT_EQ(Stored(U"Standard", U"Key49"), U"49");
}

TEST_F(InterpreterTest, SetValueThatCannotBeStoredIsAnError) {
    // A directory where the file should be: the store keeps the value in memory only,
    // and this store is gone after the command.
    std::filesystem::create_directories(storeDirectory.Path() / U"registry.reg");
    EXPECT_EQ(Execute(U"settings:setvalue(,OutputReplace,1)", kSettingsItem),
              U"[ERROR. The settings store could not be written.]");
}

TEST_F(InterpreterTest, UnknownItemsAndLinesWithoutColonChangeOnlyTheLastResult) {
    Execute(U"filter:testconnection");
    advised.clear();
    const struct {
        const char32_t* line;
        const char32_t* result;
    } cases[] = {
        {U"Excel:testconnection", U"ERROR. Unknown item excel"},
        {U"\xC4RGER:x", U"ERROR. Unknown item \xE4rger"},
        {U":testconnection", U"ERROR. Unknown item "},
        {U"filter testconnection", U"ERROR. DDE Macro has to have the form <Item>:<Command>"},
        {U"", U"ERROR. DDE Macro has to have the form <Item>:<Command>"},
    };
    for (const auto& c : cases) {
        interpreter.ExecuteMacroLine(c.line);
        EXPECT_EQ(interpreter.FLastResult(), c.result) << TextToUtf8(c.line);
    }
    EXPECT_EQ(Request(kFilterItem), U"[OK]");
    EXPECT_EQ(Request(kSettingsItem), U"TestConnection");
    EXPECT_EQ(Request(kCalculatorItem), U"Show");
    EXPECT_TRUE(advised.empty());
}

TEST_F(InterpreterTest, BothTopicsTakeMacroLinesAndOnlyTheFirstLineCounts) {
    ASSERT_EQ(server.Execute(U"macroSERVER", U"settings:showabout\r\nsettings:showdialog"),
              DdeError::None);
    EXPECT_EQ(aboutWindow.shown, 1);
    EXPECT_TRUE(settingsWindow.shown.empty());
    EXPECT_EQ(Request(kSettingsItem), U"[OK]");
    ASSERT_EQ(server.Execute(kSystemTopic, U""), DdeError::None);
    EXPECT_EQ(interpreter.FLastResult(), U"ERROR. DDE Macro has to have the form <Item>:<Command>");
}

TEST_F(InterpreterTest, PokesReplyInTheItemButLeaveTheLastResult) {
    interpreter.ExecuteMacroLine(U"no colon");
    const std::u32string last = interpreter.FLastResult();

    ASSERT_EQ(server.Poke(kSystemTopic, kSettingsItem, U"showabout\r\nshowdialog"), DdeError::None);
    EXPECT_EQ(Request(kSettingsItem), U"[OK]");
    EXPECT_EQ(aboutWindow.shown, 1);
    EXPECT_TRUE(settingsWindow.shown.empty());

    ASSERT_EQ(server.Poke(kSystemTopic, kFilterItem, U"testconnection"), DdeError::None);
    EXPECT_EQ(Request(kFilterItem), U"[OK]");
    ASSERT_EQ(server.Poke(kSystemTopic, kCalculatorItem, U"setvalue(DEM,100)"), DdeError::None);
    EXPECT_EQ(Request(kCalculatorItem), U"[OK]");
    ASSERT_EQ(server.Poke(kSystemTopic, kCalculatorItem, U""), DdeError::None);
    EXPECT_EQ(Request(kCalculatorItem), U"[" + std::u32string(kNoFunctionReply) + U"]");
    EXPECT_EQ(interpreter.FLastResult(), last);
}

TEST_F(InterpreterTest, EveryReplyIsAdvisedAlsoWhenItRepeats) {
    Execute(U"filter:testconnection");
    Execute(U"filter:testconnection");
    server.Poke(kSystemTopic, kSettingsItem, U"showabout");
    EXPECT_EQ(advised, (std::vector<std::pair<std::u32string, std::u32string>>{
                           {U"Filter", U"[OK]\r\n"},
                           {U"Filter", U"[OK]\r\n"},
                           {U"Settings", U"[OK]\r\n"},
                       }));
}

struct CalculatorCase {
    std::u32string line;
    std::u32string reply;
    CurrencyIndex currency;  // of the amount handed over; kNoCurrency for none
    double amount;
};

class CalculatorLineTest : public InterpreterTest,
                           public ::testing::WithParamInterface<CalculatorCase> {};

TEST_P(CalculatorLineTest, HandsAmountsToTheCalculator) {
    const CalculatorCase& c = GetParam();
    profile.MutableSettings().CustomCurrencySymbol = {U"GBP", U"", U"DEM"};
    EXPECT_EQ(Execute(c.line, kCalculatorItem), U"[" + c.reply + U"]");
    if (c.currency == kNoCurrency) {
        EXPECT_TRUE(calculator.amounts.empty());
        EXPECT_FALSE(calculator.visible);
        return;
    }
    ASSERT_EQ(calculator.amounts.size(), 1u);
    EXPECT_EQ(calculator.amounts[0].currency, c.currency);
    EXPECT_TRUE(calculator.amounts[0].writeSourceText);
    EXPECT_EQ(calculator.amounts[0].value, c.amount);
    EXPECT_EQ(calculator.calls, (std::vector<std::u32string>{U"amount", U"show"}));
}

const std::u32string kInvalid = U"ERROR. Invalid argument in call to function setvalue: ";

INSTANTIATE_TEST_SUITE_P(
    Table, CalculatorLineTest,
    ::testing::Values(
        CalculatorCase{U"calculator:setvalue(DEM,100)", U"OK", kDEM, 100},
        CalculatorCase{U"Calculator:SetValue(EUR,-0\\,5)", U"OK", kEUR, -0.5},
        CalculatorCase{U"calculator:setvalue(ITL,\"1,5E3\")", U"OK", kITL, 1500},
        CalculatorCase{U"calculator:setvalue(dem,100)", kInvalid + U"dem", kNoCurrency, 0},
        CalculatorCase{U"calculator:setvalue(DM,100)", kInvalid + U"DM", kNoCurrency, 0},
        // Codes of the active profile first, then the fixed names of the custom ones.
        CalculatorCase{U"calculator:setvalue(GBP,2)", U"OK", kCUS1, 2},
        CalculatorCase{U"calculator:setvalue(CUS1,3)", U"OK", kCUS1, 3},
        CalculatorCase{U"calculator:setvalue(CUS2,4)", U"OK", kCUS2, 4},
        CalculatorCase{U"calculator:setvalue(CUS3,4)", U"OK", kCUS3, 4},
        // An empty code names no currency, not the custom one left without a code.
        CalculatorCase{U"calculator:setvalue(,1)", kInvalid, kNoCurrency, 0},
        // The amount in the system's format: a comma here.
        CalculatorCase{U"calculator:setvalue(DEM,12.5)", kInvalid + U"12.5", kNoCurrency, 0},
        CalculatorCase{U"calculator:setvalue(DEM,)", kInvalid, kNoCurrency, 0},
        CalculatorCase{U"calculator:setvalue(DEM,1E999)", kInvalid + U"1E999", kNoCurrency, 0},
        CalculatorCase{U"calculator:setvalue(dem,x)", kInvalid + U"dem", kNoCurrency, 0},
        CalculatorCase{U"calculator:setvalue(DEM)",
                       U"ERROR. Invalid numer of arguments in call to function setvalue",
                       kNoCurrency, 0},
        CalculatorCase{U"calculator:show;hide",
                       U"ERROR. Unknown function for DDE-item \"Calculator\": showhide",
                       kNoCurrency, 0},
        CalculatorCase{U"calculator:parseandsetvalue:Preis: 100 DM", U"OK", kDEM, 100},
        CalculatorCase{U"calculator:ParseAndSetValue:ATS 12,50 und DM 3", U"OK", kATS, 12.5},
        CalculatorCase{U"calculator:parseandsetvalue:keine Zahl",
                       U"ERROR. No currency value found.", kNoCurrency, 0},
        // Without its colon it is an ordinary (and unknown) function.
        CalculatorCase{U"calculator:parseandsetvalue",
                       U"ERROR. Unknown function for DDE-item \"Calculator\": parseandsetvalue",
                       kNoCurrency, 0}));

TEST_F(InterpreterTest, ShowHideAndChainedCalls) {
    EXPECT_EQ(Execute(U"calculator:show", kCalculatorItem), U"[OK]");
    EXPECT_TRUE(calculator.visible);
    EXPECT_EQ(Execute(U"calculator:setvalue(EUR,1);hide", kCalculatorItem), U"[OK]");
    EXPECT_FALSE(calculator.visible);
    ASSERT_EQ(calculator.amounts.size(), 1u);
    EXPECT_EQ(calculator.amounts[0].currency, kEUR);
    // Hiding a hidden window does nothing; showing a shown one brings it to the front.
    EXPECT_EQ(Execute(U"calculator:hide", kCalculatorItem), U"[OK]");
    EXPECT_EQ(calculator.calls,
              (std::vector<std::u32string>{U"show", U"amount", U"show", U"hide"}));
}

TEST_F(InterpreterTest, ParseAndSetValueUsesAnInternalSessionAndClosesIt) {
    std::u32string clientName;
    loop.pending.push_back([&] {
        // Runs inside the hand-over, while the session is open.
        for (int i = 0; i < kSessionSlots; ++i) {
            if (const TSession* session = engine.Session(i))
                clientName = session->ClientName;
        }
    });
    const int writer = engine.OpenSession(engine.Handle(), U"Writer", false);
    EXPECT_EQ(Execute(U"calculator:parseandsetvalue:Preis: 100 DM", kCalculatorItem), U"[OK]");
    EXPECT_EQ(clientName, U"internaltransfer");
    for (int i = 0; i < kSessionSlots; ++i)
        EXPECT_EQ(engine.SessionExists(engine.Handle(), i), i == writer) << i;
    EXPECT_TRUE(boxes.shown.empty());
    // The colon is the end of the prefix; the text after it is handed over as it stands.
    EXPECT_EQ(Execute(U"calculator:parseandsetvalue:(DM 7)", kCalculatorItem), U"[OK]");
    EXPECT_EQ(calculator.amounts.back().value, 7.0);
}

TEST_F(InterpreterTest, ParseAndSetValueWithoutAFreeSlotTellsTheUserOnce) {
    for (int i = 0; i < kSessionSlots; ++i)
        engine.OpenSession(engine.Handle(), U"Writer", false);
    EXPECT_EQ(Execute(U"calculator:parseandsetvalue:100 DM", kCalculatorItem),
              U"[ERROR. No currency value found.]");
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(calculator.amounts.empty());
}

}  // namespace
}  // namespace kassavero
