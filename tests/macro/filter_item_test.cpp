// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "composing_confirmation.h"
#include "fakes/fake_confirmation.h"
#include "macro/dde_command.h"
#include "macro/filter_reply.h"
#include "macro_test_rig.h"

namespace kassavero {
namespace {

using testing::FakeConfirmation;

// The reply in brackets, brackets removed.
std::string Unbracket(const std::string& text) {
    EXPECT_GE(text.size(), 2u);
    EXPECT_EQ(text.front(), '[');
    EXPECT_EQ(text.back(), ']');
    return text.size() >= 2 ? text.substr(1, text.size() - 2) : text;
}

// Splits a reply at the semicolons that no backslash escapes, as a macro does, and
// removes the escapes.
std::vector<std::string> SplitReply(const std::string& reply) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < reply.size(); ++i) {
        if (reply[i] == '\\' && i + 1 < reply.size() && reply[i + 1] == ';') {
            fields.back() += ';';
            ++i;
        } else if (reply[i] == ';') {
            fields.emplace_back();
        } else {
            fields.back() += reply[i];
        }
    }
    return fields;
}

class FilterTest : public testing::MacroRig<FakeConfirmation> {
  protected:
    std::string Filter(const std::string& command) {
        return Unbracket(Execute("filter:" + command, kFilterItem));
    }
    int OpenWriter() { return std::stoi(Filter("opensession(Writer,0)")); }
};

TEST(FilterReplyTest, ChangesAreFourFieldsAndNothingFoundIsOk) {
    EXPECT_EQ(FormatChangeReply(true, 7, 13, kDEM, 100, ','), "7;13;DEM;100");
    EXPECT_EQ(FormatChangeReply(true, 0, 5, kDEM, 12.5, ','), "0;5;DEM;12,5");
    EXPECT_EQ(FormatChangeReply(true, 0, 5, kDEM, 12.5, '.'), "0;5;DEM;12.5");
    EXPECT_EQ(FormatChangeReply(true, 2, 9, kCUS2, -0.000001, ','), "2;9;CUS2;-1E-06");
    EXPECT_EQ(FormatChangeReply(true, 0, 20, kITL, 1e16, ','), "0;20;ITL;1E+16");
    EXPECT_EQ(FormatChangeReply(true, 0, 3, kNoCurrency, 1.0 / 3, ','),
              "0;3;UNDEF;0,333333333333333");
    EXPECT_EQ(FormatChangeReply(false, 7, 13, kDEM, 100, ','), "OK");
    EXPECT_EQ(FormatChangeReply(true, 5, 5, kDEM, 100, ','), "OK");
}

TEST(FilterReplyTest, SemicolonsAreEscapedAndBackslashesStaySingle) {
    EXPECT_EQ(EscapeSemicolons("a;b;;c\\d\\;"), "a\\;b\\;\\;c\\d\\\\;");
    EXPECT_EQ(FormatConfirmReply(1, {"(;", "1\\2;3", ";)"}), "YES;(\\;;1\\2\\;3;\\;)");
    EXPECT_EQ(FormatConfirmReply(1, {"", "", ""}), "YES;;;");
    EXPECT_EQ(FormatConfirmReply(0, {"x", "y", "z"}), "NO");
    EXPECT_EQ(FormatConfirmReply(3, {"x", "y", "z"}), "CANCEL");
    EXPECT_EQ(SplitReply(FormatConfirmReply(1, {"(;", "1\\2;3", ";)"})),
              (std::vector<std::string>{"YES", "(;", "1\\2;3", ";)"}));
}

struct TransferCase {
    std::string command;
    std::string reply;
    bool taken;
    std::string text;
};

class TransferTextTest : public FilterTest, public ::testing::WithParamInterface<TransferCase> {};

TEST_P(TransferTextTest, TakesTheTextAfterTheColonAsItStands) {
    const TransferCase& c = GetParam();
    Filter("transfertext:before");
    EXPECT_EQ(Filter(c.command), c.reply);
    EXPECT_EQ(interpreter.FLastResult(), c.reply);
    EXPECT_EQ(interpreter.FPendingText(), c.taken ? c.text : "before");
    EXPECT_TRUE(interpreter.FTextPending());
}

const std::string kBadTransfer = "ERROR. Invalid syntax for TransferText!";

INSTANTIATE_TEST_SUITE_P(
    Table, TransferTextTest,
    ::testing::Values(TransferCase{"transfertext42:a;b", "transfertext42:a;b", true, "a;b"},
                      TransferCase{"transfertext:a;b", "transfertext:a;b", true, "a;b"},
                      TransferCase{"TransferText:\"x\\y\" (1,2);z:w",
                                   "TransferText:\"x\\y\" (1,2);z:w", true, "\"x\\y\" (1,2);z:w"},
                      TransferCase{"transfertext007:", "transfertext007:", true, ""},
                      TransferCase{"transfertextX:a", kBadTransfer, false, ""},
                      TransferCase{"transfertext", kBadTransfer, false, ""},
                      TransferCase{"transfertext12", kBadTransfer, false, ""},
                      TransferCase{"transfertext 1:a", kBadTransfer, false, ""}));

TEST_F(FilterTest, OpeningAndClosingSessions) {
    EXPECT_EQ(Filter("opensession(Writer,0)"), "0");
    EXPECT_FALSE(confirmation.visible);
    EXPECT_EQ(Filter("OpenSession(Calc,ja)"), "1");
    EXPECT_TRUE(confirmation.visible);
    for (int i = 2; i < kSessionSlots; ++i)
        Filter("opensession(x,0)");
    EXPECT_EQ(Filter("opensession(x,0)"), "-1");
    EXPECT_EQ(boxes.shown.size(), 1u);

    EXPECT_EQ(Filter("closesession(1)"), "OK");
    EXPECT_FALSE(engine.SessionExists(engine.Handle(), 1));
    // Not a number: an error, and the session in slot 0 stays open.
    EXPECT_EQ(Filter("closesession(eins)"), "ERROR. Invalid session: eins");
    EXPECT_TRUE(engine.SessionExists(engine.Handle(), 0));
    EXPECT_EQ(Filter("closesession(0,1)"),
              "ERROR. Invalid numer of arguments in call to function closesession");
    EXPECT_EQ(Filter("opensession(x)"),
              "ERROR. Invalid numer of arguments in call to function opensession");
}

TEST_F(FilterTest, FindsChangesInTheWaitingText) {
    const int id = OpenWriter();
    Filter("transfertext:Preis: 100 DM, Rabatt 12,50 DM");
    EXPECT_EQ(Filter("findnextchange(" + std::to_string(id) + ")"), "7;13;DEM;100");
    EXPECT_FALSE(interpreter.FTextPending());
    EXPECT_EQ(Filter("findnextchange(0)"), "22;30;DEM;12,5");
    EXPECT_EQ(Filter("findnextchange(0)"), "OK");
    EXPECT_EQ(Filter("findnextchange(0)"), "OK");
    // A new text starts over.
    Filter("transfertext:DM 3");
    EXPECT_EQ(Filter("findnextchange( 0)"), "0;4;DEM;3");
    EXPECT_EQ(Filter("findnextchange"),
              "ERROR. Invalid numer of arguments in call to function findnextchange");
    EXPECT_EQ(Filter("findnextchange()"), "ERROR. Invalid session: ");
}

TEST_F(FilterTest, AmountsUseTheSystemDecimalSeparator) {
    MacroInterpreter dotted(server,
                            MacroServices{engine, profile, formulas, calculator, settingsWindow,
                                          aboutWindow, help, [this] { return OpenStore(); }, '.'},
                            engine.Handle());
    const int id = OpenWriter();
    dotted.ExecuteMacroLine("filter:transfertext:12,50 DM");
    dotted.ExecuteMacroLine("filter:findnextchange(" + std::to_string(id) + ")");
    EXPECT_EQ(dotted.FLastResult(), "0;8;DEM;12.5");
}

TEST_F(FilterTest, FindNextChangeOnAClosedSessionDropsTheWaitingText) {
    Filter("transfertext:100 DM");
    EXPECT_EQ(Filter("findnextchange(3)"), "OK");
    EXPECT_FALSE(interpreter.FTextPending());
    EXPECT_EQ(interpreter.FPendingText(), "100 DM");
    // The engine refused the text for that session and said so.
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "[KassaveroSessionInitError]");
    EXPECT_EQ(Filter("convertexcelformula(x,3,0)"),
              "ERROR. Transfer forumla with transfertext first, then call function.");
}

TEST_F(FilterTest, ASessionArgumentThatIsNoNumberLeavesTheTextWaiting) {
    const int id = OpenWriter();
    Filter("transfertext:DM 5");
    EXPECT_EQ(Filter("findnextchange(null)"), "ERROR. Invalid session: null");
    EXPECT_TRUE(interpreter.FTextPending());
    // Nothing reached the session in slot 0, which is id.
    EXPECT_EQ(engine.Session(id)->Words.Count(), 0u);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Filter("findnextchange(" + std::to_string(id) + ")"), "0;4;DEM;5");
    EXPECT_EQ(Filter("confirmchange(x,0)"), "ERROR. Invalid session: x");
    EXPECT_TRUE(confirmation.asked.empty());
}

TEST_F(FilterTest, ATextHandedOverDuringTheHandOverWaitsForTheNextCommand) {
    const int id = OpenWriter();
    Filter("transfertext:DM 5");
    // The engine lets pending events run before it takes the text; one of them is a
    // further hand-over.
    loop.pending.push_back([&] { interpreter.ExecuteMacroLine("filter:transfertext:ATS 7"); });
    EXPECT_EQ(Filter("findnextchange(" + std::to_string(id) + ")"), "0;4;DEM;5");
    EXPECT_TRUE(interpreter.FTextPending());
    EXPECT_EQ(Filter("findnextchange(" + std::to_string(id) + ")"), "0;5;ATS;7");
}

TEST_F(FilterTest, ConfirmChangeRepliesYesNoOrCancel) {
    const int id = OpenWriter();
    const std::string session = std::to_string(id);
    Filter("transfertext:DM 1 DM 2 DM 3 DM 4");
    confirmation.parts = {"(;", "51,13 \x80\\x", ";)"};
    confirmation.replies = {FakeConfirmation::Reply::Yes, FakeConfirmation::Reply::No,
                            FakeConfirmation::Reply::Cancel};
    Filter("findnextchange(" + session + ")");
    EXPECT_EQ(Filter("confirmchange(" + session + ",1)"), "YES;(\\;;51,13 \x80\\x;\\;)");
    Filter("findnextchange(" + session + ")");
    EXPECT_EQ(Filter("confirmchange(" + session + ",ja)"), "NO");
    // The change the user cancelled at is cancelled, and so is every later one.
    Filter("findnextchange(" + session + ")");
    EXPECT_EQ(Filter("confirmchange(" + session + ",1)"), "CANCEL");
    Filter("findnextchange(" + session + ")");
    EXPECT_EQ(Filter("confirmchange(" + session + ",1)"), "CANCEL");
    EXPECT_EQ(confirmation.askFlags, (std::vector<bool>{true, true, true}));

    Filter("confirmchange(" + session + ",0)");
    EXPECT_EQ(confirmation.asked.size(), 3u);
    // A session that is not open: nothing happens, and the reply stays "OK".
    EXPECT_EQ(Filter("confirmchange(7,1)"), "OK");
    EXPECT_EQ(Filter("confirmchange(0)"),
              "ERROR. Invalid numer of arguments in call to function confirmchange");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FilterTest, ConfirmWithoutTheDialogAsksNobody) {
    const int id = OpenWriter();
    Filter("transfertext:DM 1");
    Filter("findnextchange(0)");
    EXPECT_EQ(Filter("confirmchange(" + std::to_string(id) + ",0)"), "YES;;new;");
    EXPECT_EQ(confirmation.askFlags, (std::vector<bool>{false}));
}

TEST_F(FilterTest, ConvertExcelFormulaTakesTheWaitingText) {
    EXPECT_EQ(Filter("convertexcelformula(x,3,0)"),
              "ERROR. Transfer forumla with transfertext first, then call function.");
    EXPECT_TRUE(formulas.asked.empty());

    formulas.results = {"=A1*0,51"};
    Filter("transfertext:=A1*1");
    EXPECT_EQ(Filter("convertexcelformula(,3,0)"), "=A1*0,51");
    EXPECT_FALSE(interpreter.FTextPending());
    EXPECT_EQ(interpreter.FPendingText(), "");
    EXPECT_EQ(Filter("convertexcelformula(,3,0)"),
              "ERROR. Transfer forumla with transfertext first, then call function.");

    // Currencies: not a number counts as 0, anything outside 0..13 is no currency.
    Filter("transfertext:=B2");
    EXPECT_EQ(Filter("convertexcelformula(a,x,14)"), "=B2");
    Filter("transfertext:=B3");
    Filter("convertexcelformula(a,-1,13)");
    formulas.cancel = true;
    Filter("transfertext:=C3*2");
    EXPECT_EQ(Filter("convertexcelformula(a,1,0)"), "CANCEL");
    ASSERT_EQ(formulas.asked.size(), 4u);
    EXPECT_EQ(formulas.asked[0].formula, "=A1*1");
    EXPECT_EQ(formulas.asked[0].constants, FormulaConstants::InFormula);
    EXPECT_EQ(formulas.asked[0].source, kDEM);
    EXPECT_EQ(formulas.asked[0].target, kEUR);
    EXPECT_EQ(formulas.asked[1].source, kEUR);
    EXPECT_EQ(formulas.asked[1].target, kNoCurrency);
    EXPECT_EQ(formulas.asked[2].source, kNoCurrency);
    EXPECT_EQ(formulas.asked[2].target, kCUS3);
    // "constantcell" first: a constant cell, rounded with its own precision setting.
    formulas.cancel = false;
    Filter("transfertext:=100");
    Filter("convertexcelformula(ConstantCell,3,0)");
    EXPECT_EQ(formulas.asked.back().constants, FormulaConstants::ConstantCell);
    // "quietcell": the same, converted without a question.
    Filter("transfertext:=100");
    Filter("convertexcelformula(quietcell,3,0)");
    EXPECT_EQ(formulas.quiet, std::vector<std::string>{"=100"});
    EXPECT_EQ(formulas.asked.back().constants, FormulaConstants::ConstantCell);

    // An empty formula comes back empty, which the frame turns into "<NIL>".
    formulas.cancel = false;
    Filter("transfertext:");
    EXPECT_EQ(Filter("convertexcelformula(a,1,0)"), "<NIL>");
    EXPECT_EQ(Filter("convertexcelformula(a,1)"),
              "ERROR. Invalid numer of arguments in call to function convertexcelformula");
}

TEST_F(FilterTest, ConvertExcelFormulaRightAfterFindNextChangeWantsANewText) {
    OpenWriter();
    Filter("transfertext:=A1*100");
    Filter("findnextchange(0)");
    EXPECT_EQ(Filter("convertexcelformula(x,3,0)"),
              "ERROR. Transfer forumla with transfertext first, then call function.");
    EXPECT_TRUE(formulas.asked.empty());
}

TEST_F(FilterTest, TestConnectionAndUnknownFunctions) {
    EXPECT_EQ(Filter("testconnection"), "OK");
    OpenWriter();
    EXPECT_EQ(Filter("TestConnection"), "OK");
    EXPECT_EQ(Filter("testconnection()"),
              "ERROR. Invalid numer of arguments in call to function testconnection");
    EXPECT_EQ(Filter("convert(1)"), "ERROR. Unknown function for DDE-item \"Filter\": convert");
    EXPECT_EQ(Filter(""), std::string(kNoFunctionReply));
    EXPECT_EQ(Filter(";;"), std::string(kNoFunctionReply));
}

// A whole document converted as a word-processor macro does it: through command texts
// and item requests only, applying each replacement at the offsets the reply gave.
class DocumentTest : public testing::MacroRig<testing::ComposingConfirmation> {
  protected:
    DocumentTest() { confirmation.profile = &profile; }

    std::string Command(const std::string& command) {
        return Unbracket(Execute("filter:" + command, kFilterItem));
    }

    std::vector<std::string> Convert(const std::vector<std::string>& paragraphs) {
        const std::string session = Command("opensession(Brief,0)");
        EXPECT_EQ(session, "0");
        std::vector<std::string> converted;
        for (const std::string& paragraph : paragraphs) {
            EXPECT_EQ(Command("transfertext:" + paragraph), "transfertext:" + paragraph);
            std::string text = paragraph;
            std::ptrdiff_t shift = 0;
            for (int guard = 0; guard < 20; ++guard) {
                const std::string found = Command("findnextchange(" + session + ")");
                if (found == "OK")
                    break;
                const std::vector<std::string> fields = SplitReply(found);
                EXPECT_EQ(fields.size(), 4u) << found;
                if (fields.size() != 4)
                    break;
                found_.push_back(fields[2] + " " + fields[3]);
                const std::size_t start = std::stoul(fields[0]);
                const std::size_t end = std::stoul(fields[1]);
                const std::vector<std::string> answer =
                    SplitReply(Command("confirmchange(" + session + ",0)"));
                EXPECT_EQ(answer.size(), 4u);
                if (answer.size() != 4 || answer[0] != "YES")
                    break;
                const std::string replacement = answer[1] + answer[2] + answer[3];
                text.replace(static_cast<std::size_t>(static_cast<std::ptrdiff_t>(start) + shift),
                             end - start, replacement);
                shift += static_cast<std::ptrdiff_t>(replacement.size()) -
                         static_cast<std::ptrdiff_t>(end - start);
            }
            converted.push_back(text);
        }
        EXPECT_EQ(Command("closesession(" + session + ")"), "OK");
        return converted;
    }

    std::vector<std::string> found_;
};

TEST_F(DocumentTest, ConvertsEveryAmountInPlace) {
    const std::vector<std::string> document = {
        "Die Miete betr\xE4gt 1.200 DM; die Kaution 3.600,00 DM bei Einzug.",
        "Nebenkosten: DM 150 im Monat, Porto 0,80 DM, Zuschlag 25,50 je Monat.",
        "Keine Betr\xE4ge hier, nur 12 kg und C:\\Daten\\Brief.doc;",
    };
    // 1200 / 1,95583 = 613,550...; 3600 / 1,95583 = 1840,650...; 150 / 1,95583 =
    // 76,693...; 0,80 / 1,95583 = 0,409...; 25,50 / 1,95583 = 13,037... Symbols go
    // before the amount; the old amount stays in brackets, a bare one with its
    // currency's symbol.
    const std::vector<std::string> expected = {
        "Die Miete betr\xE4gt \x80 613,55 (1.200 DM); die Kaution \x80 1.840,65 (3.600,00 DM) "
        "bei Einzug.",
        "Nebenkosten: \x80 76,69 (DM 150) im Monat, Porto \x80 0,41 (0,80 DM), Zuschlag \x80 "
        "13,04 (DEM 25,50) je Monat.",
        "Keine Betr\xE4ge hier, nur 12 kg und C:\\Daten\\Brief.doc;",
    };
    EXPECT_EQ(Convert(document), expected);
    EXPECT_EQ(found_,
              (std::vector<std::string>{"DEM 1200", "DEM 3600", "DEM 150", "DEM 0,8", "DEM 25,5"}));
    EXPECT_FALSE(engine.SessionExists(engine.Handle(), 0));
    EXPECT_TRUE(boxes.shown.empty());

    // Replace mode: the new amount alone.
    profile.MutableSettings().OutputReplace = true;
    found_.clear();
    EXPECT_EQ(Convert({"Preis: 100 DM"}), (std::vector<std::string>{"Preis: \x80 51,13"}));
}

TEST_F(DocumentTest, AmountsAsALetterWritesThem) {
    // A sentence's full stop after the currency, and whole amounts with a dash for the
    // decimals: 932,09 / 1,95583 = 476,570...; 500 / 1,95583 = 255,645...; 35 / 13,7603 =
    // 2,543...; 1000 / 1,95583 = 511,291...; 3000 / 1,95583 = 1533,875...
    const std::vector<std::pair<std::string, std::string>> letter = {
        {"Offen: 932,09 DM.", "Offen: \x80 476,57 (932,09 DM)."},
        {"Bereits gezahlt: 500,- DM.", "Bereits gezahlt: \x80 255,65 (500,- DM)."},
        {"Wir waren in Wien 35 \xF6S.", "Wir waren in Wien \x80 2,54 (35 \xF6S)."},
        {"Miete: DM 1.000,- monatlich", "Miete: \x80 511,29 (DM 1.000,-) monatlich"},
        {"Kaution 3.000,-- DM", "Kaution \x80 1.533,88 (3.000,-- DM)"},
    };
    for (const auto& [written, converted] : letter)
        EXPECT_EQ(Convert({written}), std::vector<std::string>{converted});
}

}  // namespace
}  // namespace kassavero
