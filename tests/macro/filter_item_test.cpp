// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/unicode_text.h"

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
std::u32string Unbracket(const std::u32string& text) {
    EXPECT_GE(text.size(), 2u);
    EXPECT_EQ(text.front(), U'[');
    EXPECT_EQ(text.back(), U']');
    return text.size() >= 2 ? text.substr(1, text.size() - 2) : text;
}

// Splits a reply at the semicolons that no backslash escapes, as a macro does, and
// removes the escapes.
std::vector<std::u32string> SplitReply(const std::u32string& reply) {
    std::vector<std::u32string> fields(1);
    for (std::size_t i = 0; i < reply.size(); ++i) {
        if (reply[i] == U'\\' && i + 1 < reply.size() && reply[i + 1] == U';') {
            fields.back() += U';';
            ++i;
        } else if (reply[i] == U';') {
            fields.emplace_back();
        } else {
            fields.back() += reply[i];
        }
    }
    return fields;
}

class FilterTest : public testing::MacroRig<FakeConfirmation> {
  protected:
    std::u32string Filter(const std::u32string& command) {
        return Unbracket(Execute(U"filter:" + command, kFilterItem));
    }
    int OpenWriter() { return std::stoi(TextToUtf8(Filter(U"opensession(Writer,0)"))); }
};

TEST(FilterReplyTest, ChangesAreFourFieldsAndNothingFoundIsOk) {
    EXPECT_EQ(FormatChangeReply(true, 7, 13, kDEM, 100, U','), U"7;13;DEM;100");
    EXPECT_EQ(FormatChangeReply(true, 0, 5, kDEM, 12.5, U','), U"0;5;DEM;12,5");
    EXPECT_EQ(FormatChangeReply(true, 0, 5, kDEM, 12.5, U'.'), U"0;5;DEM;12.5");
    EXPECT_EQ(FormatChangeReply(true, 2, 9, kCUS2, -0.000001, U','), U"2;9;CUS2;-1E-06");
    EXPECT_EQ(FormatChangeReply(true, 0, 20, kITL, 1e16, U','), U"0;20;ITL;1E+16");
    EXPECT_EQ(FormatChangeReply(true, 0, 3, kNoCurrency, 1.0 / 3, U','),
              U"0;3;UNDEF;0,333333333333333");
    EXPECT_EQ(FormatChangeReply(false, 7, 13, kDEM, 100, U','), U"OK");
    EXPECT_EQ(FormatChangeReply(true, 5, 5, kDEM, 100, U','), U"OK");
}

TEST(FilterReplyTest, SemicolonsAreEscapedAndBackslashesStaySingle) {
    EXPECT_EQ(EscapeSemicolons(U"a;b;;c\\d\\;"), U"a\\;b\\;\\;c\\d\\\\;");
    EXPECT_EQ(FormatConfirmReply(1, {U"(;", U"1\\2;3", U";)"}), U"YES;(\\;;1\\2\\;3;\\;)");
    EXPECT_EQ(FormatConfirmReply(1, {U"", U"", U""}), U"YES;;;");
    EXPECT_EQ(FormatConfirmReply(0, {U"x", U"y", U"z"}), U"NO");
    EXPECT_EQ(FormatConfirmReply(3, {U"x", U"y", U"z"}), U"CANCEL");
    EXPECT_EQ(SplitReply(FormatConfirmReply(1, {U"(;", U"1\\2;3", U";)"})),
              (std::vector<std::u32string>{U"YES", U"(;", U"1\\2;3", U";)"}));
}

struct TransferCase {
    std::u32string command;
    std::u32string reply;
    bool taken;
    std::u32string text;
};

class TransferTextTest : public FilterTest, public ::testing::WithParamInterface<TransferCase> {};

TEST_P(TransferTextTest, TakesTheTextAfterTheColonAsItStands) {
    const TransferCase& c = GetParam();
    Filter(U"transfertext:before");
    EXPECT_EQ(Filter(c.command), c.reply);
    EXPECT_EQ(interpreter.FLastResult(), c.reply);
    EXPECT_EQ(interpreter.FPendingText(), c.taken ? c.text : U"before");
    EXPECT_TRUE(interpreter.FTextPending());
}

const std::u32string kBadTransfer = U"ERROR. Invalid syntax for TransferText!";

INSTANTIATE_TEST_SUITE_P(
    Table, TransferTextTest,
    ::testing::Values(TransferCase{U"transfertext42:a;b", U"transfertext42:a;b", true, U"a;b"},
                      TransferCase{U"transfertext:a;b", U"transfertext:a;b", true, U"a;b"},
                      TransferCase{U"TransferText:\"x\\y\" (1,2);z:w",
                                   U"TransferText:\"x\\y\" (1,2);z:w", true, U"\"x\\y\" (1,2);z:w"},
                      TransferCase{U"transfertext007:", U"transfertext007:", true, U""},
                      TransferCase{U"transfertextX:a", kBadTransfer, false, U""},
                      TransferCase{U"transfertext", kBadTransfer, false, U""},
                      TransferCase{U"transfertext12", kBadTransfer, false, U""},
                      TransferCase{U"transfertext 1:a", kBadTransfer, false, U""}));

// A client names where the asked amount stands on the screen; the reply says whether the
// question window moved for it. Anything but four whole numbers is refused.
TEST_F(FilterTest, AmountOnScreen) {
    formulas.windowMoves = true;
    EXPECT_EQ(Filter(U"amountonscreen(10,-20,30,40)"), U"MOVED");
    formulas.windowMoves = false;
    EXPECT_EQ(Filter(U"amountonscreen(1,2,3,4)"), U"OK");
    EXPECT_EQ(Filter(U"amountonscreen(1,2,drei,4)"), U"ERROR. Invalid screen area: drei");
    ASSERT_EQ(formulas.amountAreas.size(), 2u);
    EXPECT_EQ(formulas.amountAreas[0], (ScreenArea{10, -20, 30, 40}));
}

TEST_F(FilterTest, OpeningAndClosingSessions) {
    EXPECT_EQ(Filter(U"opensession(Writer,0)"), U"0");
    EXPECT_FALSE(confirmation.visible);
    EXPECT_EQ(Filter(U"OpenSession(Calc,ja)"), U"1");
    EXPECT_TRUE(confirmation.visible);
    for (int i = 2; i < kSessionSlots; ++i)
        Filter(U"opensession(x,0)");
    EXPECT_EQ(Filter(U"opensession(x,0)"), U"-1");
    EXPECT_EQ(boxes.shown.size(), 1u);

    EXPECT_EQ(Filter(U"closesession(1)"), U"OK");
    EXPECT_FALSE(engine.SessionExists(engine.Handle(), 1));
    // Not a number: an error, and the session in slot 0 stays open.
    EXPECT_EQ(Filter(U"closesession(eins)"), U"ERROR. Invalid session: eins");
    EXPECT_TRUE(engine.SessionExists(engine.Handle(), 0));
    EXPECT_EQ(Filter(U"closesession(0,1)"),
              U"ERROR. Invalid numer of arguments in call to function closesession");
    EXPECT_EQ(Filter(U"opensession(x)"),
              U"ERROR. Invalid numer of arguments in call to function opensession");
}

TEST_F(FilterTest, FindsChangesInTheWaitingText) {
    const int id = OpenWriter();
    Filter(U"transfertext:Preis: 100 DM, Rabatt 12,50 DM");
    EXPECT_EQ(Filter(U"findnextchange(" + AsciiToText(std::to_string(id)) + U")"), U"7;13;DEM;100");
    EXPECT_FALSE(interpreter.FTextPending());
    EXPECT_EQ(Filter(U"findnextchange(0)"), U"22;30;DEM;12,5");
    EXPECT_EQ(Filter(U"findnextchange(0)"), U"OK");
    EXPECT_EQ(Filter(U"findnextchange(0)"), U"OK");
    // A new text starts over.
    Filter(U"transfertext:DM 3");
    EXPECT_EQ(Filter(U"findnextchange( 0)"), U"0;4;DEM;3");
    EXPECT_EQ(Filter(U"findnextchange"),
              U"ERROR. Invalid numer of arguments in call to function findnextchange");
    EXPECT_EQ(Filter(U"findnextchange()"), U"ERROR. Invalid session: ");
}

TEST_F(FilterTest, AmountsUseTheSystemDecimalSeparator) {
    MacroInterpreter dotted(server,
                            MacroServices{engine, profile, formulas, calculator, settingsWindow,
                                          aboutWindow, help, [this] { return OpenStore(); }, U'.'},
                            engine.Handle());
    const int id = OpenWriter();
    dotted.ExecuteMacroLine(U"filter:transfertext:12,50 DM");
    dotted.ExecuteMacroLine(U"filter:findnextchange(" + AsciiToText(std::to_string(id)) + U")");
    EXPECT_EQ(dotted.FLastResult(), U"0;8;DEM;12.5");
}

TEST_F(FilterTest, FindNextChangeOnAClosedSessionDropsTheWaitingText) {
    Filter(U"transfertext:100 DM");
    // Not open is an error: "OK" would tell the client the text holds nothing more.
    EXPECT_EQ(Filter(U"findnextchange(3)"), U"ERROR. Session not open: 3");
    EXPECT_FALSE(interpreter.FTextPending());
    EXPECT_EQ(interpreter.FPendingText(), U"100 DM");
    // The engine refused the text for that session and said so.
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, U"[KassaveroSessionInitError]");
    EXPECT_EQ(Filter(U"convertexcelformula(x,3,0)"),
              U"ERROR. Transfer forumla with transfertext first, then call function.");
}

TEST_F(FilterTest, ASessionArgumentThatIsNoNumberLeavesTheTextWaiting) {
    const int id = OpenWriter();
    Filter(U"transfertext:DM 5");
    EXPECT_EQ(Filter(U"findnextchange(null)"), U"ERROR. Invalid session: null");
    EXPECT_TRUE(interpreter.FTextPending());
    // Nothing reached the session in slot 0, which is id.
    EXPECT_EQ(engine.Session(id)->Words.Count(), 0u);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Filter(U"findnextchange(" + AsciiToText(std::to_string(id)) + U")"), U"0;4;DEM;5");
    EXPECT_EQ(Filter(U"confirmchange(x,0)"), U"ERROR. Invalid session: x");
    EXPECT_TRUE(confirmation.asked.empty());
}

TEST_F(FilterTest, ATextHandedOverDuringTheHandOverWaitsForTheNextCommand) {
    const int id = OpenWriter();
    Filter(U"transfertext:DM 5");
    // The engine lets pending events run before it takes the text; one of them is a
    // further hand-over.
    loop.pending.push_back([&] { interpreter.ExecuteMacroLine(U"filter:transfertext:ATS 7"); });
    EXPECT_EQ(Filter(U"findnextchange(" + AsciiToText(std::to_string(id)) + U")"), U"0;4;DEM;5");
    EXPECT_TRUE(interpreter.FTextPending());
    EXPECT_EQ(Filter(U"findnextchange(" + AsciiToText(std::to_string(id)) + U")"), U"0;5;ATS;7");
}

TEST_F(FilterTest, ConfirmChangeRepliesYesNoOrCancel) {
    const int id = OpenWriter();
    const std::u32string session = AsciiToText(std::to_string(id));
    Filter(U"transfertext:DM 1 DM 2 DM 3 DM 4");
    confirmation.parts = {U"(;", U"51,13 \u20AC\\x", U";)"};
    confirmation.replies = {FakeConfirmation::Reply::Yes, FakeConfirmation::Reply::No,
                            FakeConfirmation::Reply::Cancel};
    Filter(U"findnextchange(" + session + U")");
    EXPECT_EQ(Filter(U"confirmchange(" + session + U",1)"), U"YES;(\\;;51,13 \u20AC\\x;\\;)");
    Filter(U"findnextchange(" + session + U")");
    EXPECT_EQ(Filter(U"confirmchange(" + session + U",ja)"), U"NO");
    // The change the user cancelled at is cancelled, and so is every later one.
    Filter(U"findnextchange(" + session + U")");
    EXPECT_EQ(Filter(U"confirmchange(" + session + U",1)"), U"CANCEL");
    Filter(U"findnextchange(" + session + U")");
    EXPECT_EQ(Filter(U"confirmchange(" + session + U",1)"), U"CANCEL");
    EXPECT_EQ(confirmation.askFlags, (std::vector<bool>{true, true, true}));

    Filter(U"confirmchange(" + session + U",0)");
    EXPECT_EQ(confirmation.asked.size(), 3u);
    // A session that is not open: nothing happens, and the reply says so.
    EXPECT_EQ(Filter(U"confirmchange(7,1)"), U"ERROR. Session not open: 7");
    EXPECT_EQ(Filter(U"confirmchange(0)"),
              U"ERROR. Invalid numer of arguments in call to function confirmchange");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FilterTest, ConfirmWithoutTheDialogAsksNobody) {
    const int id = OpenWriter();
    Filter(U"transfertext:DM 1");
    Filter(U"findnextchange(0)");
    EXPECT_EQ(Filter(U"confirmchange(" + AsciiToText(std::to_string(id)) + U",0)"), U"YES;;new;");
    EXPECT_EQ(confirmation.askFlags, (std::vector<bool>{false}));
}

TEST_F(FilterTest, ConvertExcelFormulaTakesTheWaitingText) {
    EXPECT_EQ(Filter(U"convertexcelformula(x,3,0)"),
              U"ERROR. Transfer forumla with transfertext first, then call function.");
    EXPECT_TRUE(formulas.asked.empty());

    formulas.results = {U"=A1*0,51"};
    Filter(U"transfertext:=A1*1");
    EXPECT_EQ(Filter(U"convertexcelformula(,3,0)"), U"=A1*0,51");
    EXPECT_FALSE(interpreter.FTextPending());
    EXPECT_EQ(interpreter.FPendingText(), U"");
    EXPECT_EQ(Filter(U"convertexcelformula(,3,0)"),
              U"ERROR. Transfer forumla with transfertext first, then call function.");

    // Currencies: not a number counts as 0, anything outside 0..13 is no currency.
    Filter(U"transfertext:=B2");
    EXPECT_EQ(Filter(U"convertexcelformula(a,x,14)"), U"=B2");
    Filter(U"transfertext:=B3");
    Filter(U"convertexcelformula(a,-1,13)");
    formulas.cancel = true;
    Filter(U"transfertext:=C3*2");
    EXPECT_EQ(Filter(U"convertexcelformula(a,1,0)"), U"CANCEL");
    ASSERT_EQ(formulas.asked.size(), 4u);
    EXPECT_EQ(formulas.asked[0].formula, U"=A1*1");
    EXPECT_EQ(formulas.asked[0].constants, FormulaConstants::InFormula);
    EXPECT_EQ(formulas.asked[0].source, kDEM);
    EXPECT_EQ(formulas.asked[0].target, kEUR);
    EXPECT_EQ(formulas.asked[1].source, kEUR);
    EXPECT_EQ(formulas.asked[1].target, kNoCurrency);
    EXPECT_EQ(formulas.asked[2].source, kNoCurrency);
    EXPECT_EQ(formulas.asked[2].target, kCUS3);
    // "constantcell" first: a constant cell, rounded with its own precision setting.
    formulas.cancel = false;
    Filter(U"transfertext:=100");
    Filter(U"convertexcelformula(ConstantCell,3,0)");
    EXPECT_EQ(formulas.asked.back().constants, FormulaConstants::ConstantCell);
    // "quietcell": the same, converted without a question.
    Filter(U"transfertext:=100");
    Filter(U"convertexcelformula(quietcell,3,0)");
    EXPECT_EQ(formulas.quiet, std::vector<std::u32string>{U"=100"});
    EXPECT_EQ(formulas.asked.back().constants, FormulaConstants::ConstantCell);

    // An empty formula comes back empty, which the frame turns into "<NIL>".
    formulas.cancel = false;
    Filter(U"transfertext:");
    EXPECT_EQ(Filter(U"convertexcelformula(a,1,0)"), U"<NIL>");
    EXPECT_EQ(Filter(U"convertexcelformula(a,1)"),
              U"ERROR. Invalid numer of arguments in call to function convertexcelformula");
}

TEST_F(FilterTest, ConvertExcelFormulaRightAfterFindNextChangeWantsANewText) {
    OpenWriter();
    Filter(U"transfertext:=A1*100");
    Filter(U"findnextchange(0)");
    EXPECT_EQ(Filter(U"convertexcelformula(x,3,0)"),
              U"ERROR. Transfer forumla with transfertext first, then call function.");
    EXPECT_TRUE(formulas.asked.empty());
}

TEST_F(FilterTest, TestConnectionAndUnknownFunctions) {
    EXPECT_EQ(Filter(U"testconnection"), U"OK");
    OpenWriter();
    EXPECT_EQ(Filter(U"TestConnection"), U"OK");
    EXPECT_EQ(Filter(U"testconnection()"),
              U"ERROR. Invalid numer of arguments in call to function testconnection");
    EXPECT_EQ(Filter(U"convert(1)"), U"ERROR. Unknown function for DDE-item \"Filter\": convert");
    EXPECT_EQ(Filter(U""), std::u32string(kNoFunctionReply));
    EXPECT_EQ(Filter(U";;"), std::u32string(kNoFunctionReply));
}

// A whole document converted as a word-processor macro does it: through command texts
// and item requests only, applying each replacement at the offsets the reply gave.
class DocumentTest : public testing::MacroRig<testing::ComposingConfirmation> {
  protected:
    DocumentTest() { confirmation.profile = &profile; }

    std::u32string Command(const std::u32string& command) {
        return Unbracket(Execute(U"filter:" + command, kFilterItem));
    }

    std::vector<std::u32string> Convert(const std::vector<std::u32string>& paragraphs) {
        const std::u32string session = Command(U"opensession(Brief,0)");
        EXPECT_EQ(session, U"0");
        std::vector<std::u32string> converted;
        for (const std::u32string& paragraph : paragraphs) {
            EXPECT_EQ(Command(U"transfertext:" + paragraph), U"transfertext:" + paragraph);
            std::u32string text = paragraph;
            std::ptrdiff_t shift = 0;
            for (int guard = 0; guard < 20; ++guard) {
                const std::u32string found = Command(U"findnextchange(" + session + U")");
                if (found == U"OK")
                    break;
                const std::vector<std::u32string> fields = SplitReply(found);
                EXPECT_EQ(fields.size(), 4u) << TextToUtf8(found);
                if (fields.size() != 4)
                    break;
                found_.push_back(fields[2] + U" " + fields[3]);
                const std::size_t start = std::stoul(TextToUtf8(fields[0]));
                const std::size_t end = std::stoul(TextToUtf8(fields[1]));
                const std::vector<std::u32string> answer =
                    SplitReply(Command(U"confirmchange(" + session + U",0)"));
                EXPECT_EQ(answer.size(), 4u);
                if (answer.size() != 4 || answer[0] != U"YES")
                    break;
                const std::u32string replacement = answer[1] + answer[2] + answer[3];
                text.replace(static_cast<std::size_t>(static_cast<std::ptrdiff_t>(start) + shift),
                             end - start, replacement);
                shift += static_cast<std::ptrdiff_t>(replacement.size()) -
                         static_cast<std::ptrdiff_t>(end - start);
            }
            converted.push_back(text);
        }
        EXPECT_EQ(Command(U"closesession(" + session + U")"), U"OK");
        return converted;
    }

    std::vector<std::u32string> found_;
};

TEST_F(DocumentTest, ConvertsEveryAmountInPlace) {
    const std::vector<std::u32string> document = {
        U"Die Miete betr\xE4gt 1.200 DM; die Kaution 3.600,00 DM bei Einzug.",
        U"Nebenkosten: DM 150 im Monat, Porto 0,80 DM, Zuschlag 25,50 je Monat.",
        U"Keine Betr\xE4ge hier, nur 12 kg und C:\\Daten\\Brief.doc;",
    };
    // 1200 / 1,95583 = 613,550...; 3600 / 1,95583 = 1840,650...; 150 / 1,95583 =
    // 76,693...; 0,80 / 1,95583 = 0,409...; 25,50 / 1,95583 = 13,037... Symbols go
    // before the amount; the old amount stays in brackets, a bare one with its
    // currency's symbol.
    const std::vector<std::u32string> expected = {
        U"Die Miete betr\xE4gt \u20AC 613,55 (1.200 DM); die Kaution \u20AC 1.840,65 (3.600,00 DM) "
        U"bei Einzug.",
        U"Nebenkosten: \u20AC 76,69 (DM 150) im Monat, Porto \u20AC 0,41 (0,80 DM), Zuschlag "
        U"\u20AC "
        U"13,04 (DEM 25,50) je Monat.",
        U"Keine Betr\xE4ge hier, nur 12 kg und C:\\Daten\\Brief.doc;",
    };
    EXPECT_EQ(Convert(document), expected);
    EXPECT_EQ(found_, (std::vector<std::u32string>{U"DEM 1200", U"DEM 3600", U"DEM 150", U"DEM 0,8",
                                                   U"DEM 25,5"}));
    EXPECT_FALSE(engine.SessionExists(engine.Handle(), 0));
    EXPECT_TRUE(boxes.shown.empty());

    // Replace mode: the new amount alone.
    profile.MutableSettings().OutputReplace = true;
    found_.clear();
    EXPECT_EQ(Convert({U"Preis: 100 DM"}), (std::vector<std::u32string>{U"Preis: \u20AC 51,13"}));
}

TEST_F(DocumentTest, AmountsAsALetterWritesThem) {
    // A sentence's full stop after the currency, and whole amounts with a dash for the
    // decimals: 932,09 / 1,95583 = 476,570...; 500 / 1,95583 = 255,645...; 35 / 13,7603 =
    // 2,543...; 1000 / 1,95583 = 511,291...; 3000 / 1,95583 = 1533,875...
    const std::vector<std::pair<std::u32string, std::u32string>> letter = {
        {U"Offen: 932,09 DM.", U"Offen: \u20AC 476,57 (932,09 DM)."},
        {U"Bereits gezahlt: 500,- DM.", U"Bereits gezahlt: \u20AC 255,65 (500,- DM)."},
        {U"Wir waren in Wien 35 \xF6S.", U"Wir waren in Wien \u20AC 2,54 (35 \xF6S)."},
        {U"Miete: DM 1.000,- monatlich", U"Miete: \u20AC 511,29 (DM 1.000,-) monatlich"},
        {U"Kaution 3.000,-- DM", U"Kaution \u20AC 1.533,88 (3.000,-- DM)"},
    };
    for (const auto& [written, converted] : letter)
        EXPECT_EQ(Convert({written}), std::vector<std::u32string>{converted});
}

}  // namespace
}  // namespace kassavero
