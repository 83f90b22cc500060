// SPDX-License-Identifier: GPL-3.0-or-later
#include "macro/macro_interpreter.h"

#include <gtest/gtest.h>

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
    void Store(const std::string& profileName, const std::string& key, const std::string& value) {
        OpenStore()->WriteString(ProfileSection(profileName), key, value);
    }
    std::optional<std::string> Stored(const std::string& profileName, const std::string& key) {
        return OpenStore()->ReadString(ProfileSection(profileName), key);
    }
};

TEST_F(InterpreterTest, ItemsStartWithTheirTextsAndTopicsListsTheCommandItems) {
    EXPECT_EQ(Request(kFilterItem), "TestConnection");
    EXPECT_EQ(Request(kSettingsItem), "TestConnection");
    EXPECT_EQ(Request(kCalculatorItem), "Show");
    std::string topics;
    ASSERT_EQ(server.Request("SYSTEM", kTopicsItem, topics), DdeError::None);
    EXPECT_EQ(topics, "Calculator\r\nFilter\r\nSettings\r\n");
    // Item names are exact; the second topic has no items; other topics do not exist.
    std::string data;
    EXPECT_EQ(server.Request(kSystemTopic, "filter", data), DdeError::UnknownItem);
    EXPECT_EQ(server.Request("macroserver", kFilterItem, data), DdeError::UnknownItem);
    EXPECT_EQ(server.Execute("Excel", "filter:testconnection"), DdeError::UnknownTopic);
    EXPECT_EQ(server.Poke(kSystemTopic, kTopicsItem, "x"), DdeError::PokeRefused);
    EXPECT_EQ(Request(kTopicsItem), "Calculator\r\nFilter\r\nSettings");
    EXPECT_EQ(interpreter.FEngine(), engine.Handle());
}

struct LineCase {
    std::string line;
    std::string item;   // the item whose text is checked
    std::string reply;  // FLastResult, and the item's text in brackets
};

class SettingsLineTest : public InterpreterTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(SettingsLineTest, RepliesInTheItemAndInTheLastResult) {
    const LineCase& c = GetParam();
    Store("Standard", "InputAcceptDEM", "1");
    Store("Reise", "OutputReplace", "0");
    EXPECT_EQ(Execute(c.line, c.item), "[" + c.reply + "]");
    EXPECT_EQ(interpreter.FLastResult(), c.reply);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsLineTest,
    ::testing::Values(LineCase{"Settings:ShowDialog", "Settings", "OK"},
                      LineCase{"settings:showdialog", "Settings", "OK"},
                      LineCase{"SETTINGS:SHOWDIALOG;", "Settings", "OK"},
                      LineCase{"settings:showdialog()", "Settings",
                               "ERROR. Invalid numer of arguments in call to function showdialog"},
                      LineCase{"settings:getvalue(,InputAcceptDEM)", "Settings", "1"},
                      LineCase{"settings:getvalue(,inputacceptdem)", "Settings", "1"},
                      LineCase{"settings:getvalue(Reise,OutputReplace)", "Settings", "0"},
                      LineCase{"settings:getvalue(,NoSuchKey)", "Settings", "<NIL>"},
                      LineCase{"settings:getvalue(Nirgends,InputAcceptDEM)", "Settings", "<NIL>"},
                      LineCase{"settings:getvalue(a,b", "Settings",
                               "ERROR. Syntax error parsing DDE command: getvalue"},
                      LineCase{"settings:GetValue(a)", "Settings",
                               "ERROR. Invalid numer of arguments in call to function getvalue"},
                      LineCase{"settings:showhelp", "Settings",
                               "ERROR. Invalid numer of arguments in call to function showhelp"},
                      LineCase{"settings:Frobnicate(1)", "Settings",
                               "ERROR. Unknown function for DDE-item \"Settings\": frobnicate"},
                      LineCase{"settings:", "Settings", std::string(kNoFunctionReply)},
                      LineCase{"settings:\"\";()", "Settings", std::string(kNoFunctionReply)},
                      // Colons after the first belong to the command.
                      LineCase{"Settings:getvalue(\"a:b\",c:d)", "Settings", "<NIL>"}));

TEST_F(InterpreterTest, SettingsOpenTheirWindowsAndTheHelp) {
    Execute("Settings:ShowDialog", kSettingsItem);
    Execute("settings:showdialog", kSettingsItem);
    EXPECT_EQ(settingsWindow.shown,
              (std::vector<SettingsPage>{SettingsPage::Current, SettingsPage::Current}));
    Execute("settings:showdialog()", kSettingsItem);
    EXPECT_EQ(settingsWindow.shown.size(), 2u);

    for (const char* line :
         {"settings:showhelp(1090)", "settings:showhelp(0)", "settings:showhelp(abc)",
          "settings:showhelp()", "settings:showhelp(-3)"}) {
        EXPECT_EQ(Execute(line, kSettingsItem), "[OK]") << line;
    }
    EXPECT_EQ(help.calls, (std::vector<std::string>{"topic 1090", "contents", "contents",
                                                    "contents", "topic -3"}));
    EXPECT_EQ(Execute("settings:showabout", kSettingsItem), "[OK]");
    EXPECT_EQ(aboutWindow.shown, 1);
    // The separator of formula numbers, for clients in another locale.
    EXPECT_EQ(Execute("settings:decimalseparator", kSettingsItem), "[,]");
}

TEST_F(InterpreterTest, SetValueWritesTheStoreAndLeavesTheLiveSettingsAlone) {
    const bool before = profile.Settings().OutputReplace;
    EXPECT_EQ(Execute("settings:setvalue(,OutputReplace,1)", kSettingsItem), "[OK]");
    EXPECT_EQ(Stored("Standard", "OutputReplace"), "1");
    EXPECT_EQ(profile.Settings().OutputReplace, before);
    EXPECT_EQ(Execute("settings:getvalue(,OutputReplace)", kSettingsItem), "[1]");

    // A named profile, a value with separators, and one written back as text unchanged.
    EXPECT_EQ(Execute("settings:setvalue(Reise,OutputLeftBracket,\"(;,\")", kSettingsItem), "[OK]");
    EXPECT_EQ(Stored("Reise", "OutputLeftBracket"), "(;,");
    EXPECT_EQ(Stored("Standard", "OutputLeftBracket"), std::nullopt);
    // Without an active profile the empty name is the section's name.
    profile.SetActiveProfileIndex(-1);
    EXPECT_EQ(Execute("settings:setvalue(,Key,v)", kSettingsItem), "[OK]");
    EXPECT_EQ(Stored("", "Key"), "v");
}

TEST_F(InterpreterTest, AChainOfValuesIsStoredInOneWrite) {
    std::string line = "settings:";
    for (int i = 0; i < 50; ++i)
        line += "setvalue(,Key" + std::to_string(i) + "," + std::to_string(i) + ");";
    line += "getvalue(,Key7)";
    EXPECT_EQ(Execute(line, kSettingsItem), "[7]");
    EXPECT_EQ(storesOpened, 1);
    EXPECT_EQ(Stored("Standard", "Key49"), "49");
}

TEST_F(InterpreterTest, SetValueThatCannotBeStoredIsAnError) {
    // A directory where the file should be: the store keeps the value in memory only,
    // and this store is gone after the command.
    std::filesystem::create_directories(storeDirectory.Path() / "registry.reg");
    EXPECT_EQ(Execute("settings:setvalue(,OutputReplace,1)", kSettingsItem),
              "[ERROR. The settings store could not be written.]");
}

TEST_F(InterpreterTest, UnknownItemsAndLinesWithoutColonChangeOnlyTheLastResult) {
    Execute("filter:testconnection");
    advised.clear();
    const struct {
        const char* line;
        const char* result;
    } cases[] = {
        {"Excel:testconnection", "ERROR. Unknown item excel"},
        {"\xC4RGER:x", "ERROR. Unknown item \xE4rger"},
        {":testconnection", "ERROR. Unknown item "},
        {"filter testconnection", "ERROR. DDE Macro has to have the form <Item>:<Command>"},
        {"", "ERROR. DDE Macro has to have the form <Item>:<Command>"},
    };
    for (const auto& c : cases) {
        interpreter.ExecuteMacroLine(c.line);
        EXPECT_EQ(interpreter.FLastResult(), c.result) << c.line;
    }
    EXPECT_EQ(Request(kFilterItem), "[OK]");
    EXPECT_EQ(Request(kSettingsItem), "TestConnection");
    EXPECT_EQ(Request(kCalculatorItem), "Show");
    EXPECT_TRUE(advised.empty());
}

TEST_F(InterpreterTest, BothTopicsTakeMacroLinesAndOnlyTheFirstLineCounts) {
    ASSERT_EQ(server.Execute("macroSERVER", "settings:showabout\r\nsettings:showdialog"),
              DdeError::None);
    EXPECT_EQ(aboutWindow.shown, 1);
    EXPECT_TRUE(settingsWindow.shown.empty());
    EXPECT_EQ(Request(kSettingsItem), "[OK]");
    ASSERT_EQ(server.Execute(kSystemTopic, ""), DdeError::None);
    EXPECT_EQ(interpreter.FLastResult(), "ERROR. DDE Macro has to have the form <Item>:<Command>");
}

TEST_F(InterpreterTest, PokesReplyInTheItemButLeaveTheLastResult) {
    interpreter.ExecuteMacroLine("no colon");
    const std::string last = interpreter.FLastResult();

    ASSERT_EQ(server.Poke(kSystemTopic, kSettingsItem, "showabout\r\nshowdialog"), DdeError::None);
    EXPECT_EQ(Request(kSettingsItem), "[OK]");
    EXPECT_EQ(aboutWindow.shown, 1);
    EXPECT_TRUE(settingsWindow.shown.empty());

    ASSERT_EQ(server.Poke(kSystemTopic, kFilterItem, "testconnection"), DdeError::None);
    EXPECT_EQ(Request(kFilterItem), "[OK]");
    ASSERT_EQ(server.Poke(kSystemTopic, kCalculatorItem, "setvalue(DEM,100)"), DdeError::None);
    EXPECT_EQ(Request(kCalculatorItem), "[OK]");
    ASSERT_EQ(server.Poke(kSystemTopic, kCalculatorItem, ""), DdeError::None);
    EXPECT_EQ(Request(kCalculatorItem), "[" + std::string(kNoFunctionReply) + "]");
    EXPECT_EQ(interpreter.FLastResult(), last);
}

TEST_F(InterpreterTest, EveryReplyIsAdvisedAlsoWhenItRepeats) {
    Execute("filter:testconnection");
    Execute("filter:testconnection");
    server.Poke(kSystemTopic, kSettingsItem, "showabout");
    EXPECT_EQ(advised, (std::vector<std::pair<std::string, std::string>>{
                           {"Filter", "[OK]\r\n"},
                           {"Filter", "[OK]\r\n"},
                           {"Settings", "[OK]\r\n"},
                       }));
}

struct CalculatorCase {
    std::string line;
    std::string reply;
    CurrencyIndex currency;  // of the amount handed over; kNoCurrency for none
    double amount;
};

class CalculatorLineTest : public InterpreterTest,
                           public ::testing::WithParamInterface<CalculatorCase> {};

TEST_P(CalculatorLineTest, HandsAmountsToTheCalculator) {
    const CalculatorCase& c = GetParam();
    profile.MutableSettings().CustomCurrencySymbol = {"GBP", "", "DEM"};
    EXPECT_EQ(Execute(c.line, kCalculatorItem), "[" + c.reply + "]");
    if (c.currency == kNoCurrency) {
        EXPECT_TRUE(calculator.amounts.empty());
        EXPECT_FALSE(calculator.visible);
        return;
    }
    ASSERT_EQ(calculator.amounts.size(), 1u);
    EXPECT_EQ(calculator.amounts[0].currency, c.currency);
    EXPECT_TRUE(calculator.amounts[0].writeSourceText);
    EXPECT_EQ(calculator.amounts[0].value, c.amount);
    EXPECT_EQ(calculator.calls, (std::vector<std::string>{"amount", "show"}));
}

const std::string kInvalid = "ERROR. Invalid argument in call to function setvalue: ";

INSTANTIATE_TEST_SUITE_P(
    Table, CalculatorLineTest,
    ::testing::Values(
        CalculatorCase{"calculator:setvalue(DEM,100)", "OK", kDEM, 100},
        CalculatorCase{"Calculator:SetValue(EUR,-0\\,5)", "OK", kEUR, -0.5},
        CalculatorCase{"calculator:setvalue(ITL,\"1,5E3\")", "OK", kITL, 1500},
        CalculatorCase{"calculator:setvalue(dem,100)", kInvalid + "dem", kNoCurrency, 0},
        CalculatorCase{"calculator:setvalue(DM,100)", kInvalid + "DM", kNoCurrency, 0},
        // Codes of the active profile first, then the fixed names of the custom ones.
        CalculatorCase{"calculator:setvalue(GBP,2)", "OK", kCUS1, 2},
        CalculatorCase{"calculator:setvalue(CUS1,3)", "OK", kCUS1, 3},
        CalculatorCase{"calculator:setvalue(CUS2,4)", "OK", kCUS2, 4},
        CalculatorCase{"calculator:setvalue(CUS3,4)", "OK", kCUS3, 4},
        // An empty code names no currency, not the custom one left without a code.
        CalculatorCase{"calculator:setvalue(,1)", kInvalid, kNoCurrency, 0},
        // The amount in the system's format: a comma here.
        CalculatorCase{"calculator:setvalue(DEM,12.5)", kInvalid + "12.5", kNoCurrency, 0},
        CalculatorCase{"calculator:setvalue(DEM,)", kInvalid, kNoCurrency, 0},
        CalculatorCase{"calculator:setvalue(DEM,1E999)", kInvalid + "1E999", kNoCurrency, 0},
        CalculatorCase{"calculator:setvalue(dem,x)", kInvalid + "dem", kNoCurrency, 0},
        CalculatorCase{"calculator:setvalue(DEM)",
                       "ERROR. Invalid numer of arguments in call to function setvalue",
                       kNoCurrency, 0},
        CalculatorCase{"calculator:show;hide",
                       "ERROR. Unknown function for DDE-item \"Calculator\": showhide", kNoCurrency,
                       0},
        CalculatorCase{"calculator:parseandsetvalue:Preis: 100 DM", "OK", kDEM, 100},
        CalculatorCase{"calculator:ParseAndSetValue:ATS 12,50 und DM 3", "OK", kATS, 12.5},
        CalculatorCase{"calculator:parseandsetvalue:keine Zahl", "ERROR. No currency value found.",
                       kNoCurrency, 0},
        // Without its colon it is an ordinary (and unknown) function.
        CalculatorCase{"calculator:parseandsetvalue",
                       "ERROR. Unknown function for DDE-item \"Calculator\": parseandsetvalue",
                       kNoCurrency, 0}));

TEST_F(InterpreterTest, ShowHideAndChainedCalls) {
    EXPECT_EQ(Execute("calculator:show", kCalculatorItem), "[OK]");
    EXPECT_TRUE(calculator.visible);
    EXPECT_EQ(Execute("calculator:setvalue(EUR,1);hide", kCalculatorItem), "[OK]");
    EXPECT_FALSE(calculator.visible);
    ASSERT_EQ(calculator.amounts.size(), 1u);
    EXPECT_EQ(calculator.amounts[0].currency, kEUR);
    // Hiding a hidden window does nothing; showing a shown one brings it to the front.
    EXPECT_EQ(Execute("calculator:hide", kCalculatorItem), "[OK]");
    EXPECT_EQ(calculator.calls, (std::vector<std::string>{"show", "amount", "show", "hide"}));
}

TEST_F(InterpreterTest, ParseAndSetValueUsesAnInternalSessionAndClosesIt) {
    std::string clientName;
    loop.pending.push_back([&] {
        // Runs inside the hand-over, while the session is open.
        for (int i = 0; i < kSessionSlots; ++i) {
            if (const TSession* session = engine.Session(i))
                clientName = session->ClientName;
        }
    });
    const int writer = engine.OpenSession(engine.Handle(), "Writer", false);
    EXPECT_EQ(Execute("calculator:parseandsetvalue:Preis: 100 DM", kCalculatorItem), "[OK]");
    EXPECT_EQ(clientName, "internaltransfer");
    for (int i = 0; i < kSessionSlots; ++i)
        EXPECT_EQ(engine.SessionExists(engine.Handle(), i), i == writer) << i;
    EXPECT_TRUE(boxes.shown.empty());
    // The colon is the end of the prefix; the text after it is handed over as it stands.
    EXPECT_EQ(Execute("calculator:parseandsetvalue:(DM 7)", kCalculatorItem), "[OK]");
    EXPECT_EQ(calculator.amounts.back().value, 7.0);
}

TEST_F(InterpreterTest, ParseAndSetValueWithoutAFreeSlotTellsTheUserOnce) {
    for (int i = 0; i < kSessionSlots; ++i)
        engine.OpenSession(engine.Handle(), "Writer", false);
    EXPECT_EQ(Execute("calculator:parseandsetvalue:100 DM", kCalculatorItem),
              "[ERROR. No currency value found.]");
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(calculator.amounts.empty());
}

}  // namespace
}  // namespace kassavero
