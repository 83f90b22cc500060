// SPDX-License-Identifier: GPL-3.0-or-later
// Call (the reply of exactly one command, whatever other callers run meanwhile) and
// ConvertText (a whole text in one go) on the interpreter.

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <set>
#include <string>
#include <vector>

#include "client/document_client.h"
#include "composing_confirmation.h"
#include "core/text_words.h"
#include "core/unicode_text.h"
#include "fakes/fake_confirmation.h"
#include "macro_test_rig.h"

namespace kassavero {
namespace {

using testing::FakeConfirmation;

class CallTest : public testing::MacroRig<FakeConfirmation> {
  protected:
    // The reply a caller gets, or the error's reason prefixed by "error:".
    std::u32string Call(std::string_view caller, std::u32string_view line) {
        std::u32string reply;
        const DdeError error = server.Call(kSystemTopic, line, caller, reply);
        return error == DdeError::None ? reply : U"error:" + reply;
    }
};

TEST_F(CallTest, AnswersWhatTheItemHeldAndAdvisesAsExecuteDoes) {
    EXPECT_EQ(Call("a", U"filter:testconnection"), U"[OK]");
    EXPECT_EQ(Request(kFilterItem), U"[OK]");
    ASSERT_FALSE(advised.empty());
    EXPECT_EQ(advised.back().second, U"[OK]\r\n");
    EXPECT_EQ(Call("a", U"settings:nosuch"),
              U"[ERROR. Unknown function for DDE-item \"Settings\": nosuch]");
    EXPECT_EQ(interpreter.FLastResult(),
              U"ERROR. Unknown function for DDE-item \"Settings\": nosuch");
    // Only the first line counts, as for executes.
    EXPECT_EQ(Call("a", U"calculator:show\r\nfilter:nosuch"), U"[OK]");
}

TEST_F(CallTest, ALineWithoutAKnownItemIsAnErrorNotAStaleReply) {
    Call("a", U"filter:testconnection");
    const std::vector<std::pair<std::u32string, std::u32string>> cases = {
        {U"foo:bar", U"error:ERROR. Unknown item foo"},
        {U"no colon", U"error:ERROR. DDE Macro has to have the form <Item>:<Command>"},
        {U"", U"error:ERROR. DDE Macro has to have the form <Item>:<Command>"},
    };
    for (const auto& [line, expected] : cases) {
        EXPECT_EQ(Call("a", line), expected) << TextToUtf8(line);
        EXPECT_EQ(Request(kFilterItem), U"[OK]") << "the item stays as it was";
    }
    std::u32string reply;
    EXPECT_EQ(server.Call(U"Nowhere", U"filter:testconnection", "a", reply),
              DdeError::UnknownTopic);
}

TEST_F(CallTest, ACallWaitingForTheUserGetsItsOwnAnswer) {
    // While the formula question waits, other callers run commands that change the
    // Filter item; the waiting caller still gets its formula.
    std::vector<std::u32string> inner;
    formulas.results = {U"=102,26+A1"};
    formulas.whileAsking = [&] {
        inner.push_back(Call("b", U"filter:opensession(Writer,0)"));
        inner.push_back(Call("b", U"filter:transfertext:Preis 100 DM"));
        inner.push_back(Call("b", U"filter:findnextchange(0)"));
        inner.push_back(Call("b", U"filter:confirmchange(0,0)"));
    };
    Call("a", U"filter:transfertext:=200+A1");
    EXPECT_EQ(Call("a", U"filter:convertexcelformula(0,3,0)"), U"[=102,26+A1]");
    ASSERT_EQ(inner.size(), 4u);
    EXPECT_EQ(inner[2], U"[6;12;DEM;100]");
    EXPECT_EQ(inner[3].substr(0, 5), U"[YES;");
    EXPECT_EQ(Request(kFilterItem), U"[=102,26+A1]");
}

TEST_F(CallTest, AnExecuteDuringAWaitingCallSpeaksForNobody) {
    // An execute served while a caller waits hands its text over to everyone, not to the
    // waiting caller.
    formulas.whileAsking = [&] {
        EXPECT_EQ(server.Execute(kSystemTopic, U"filter:transfertext:=B1*2"), DdeError::None);
    };
    Call("a", U"filter:transfertext:=A1*1");
    Call("a", U"filter:convertexcelformula(0,3,0)");
    EXPECT_TRUE(interpreter.FTextPending());
    EXPECT_EQ(interpreter.FPendingText(), U"=B1*2");
}

TEST_F(CallTest, EachCallerKeepsItsOwnHandOver) {
    Call("a", U"filter:opensession(A,0)");
    Call("b", U"filter:opensession(B,0)");
    Call("a", U"filter:transfertext:a 10 DM");
    Call("b", U"filter:transfertext:bb 20 DM");
    // An execute's hand-over is the shared one and does not disturb the callers' own.
    EXPECT_EQ(server.Execute(kSystemTopic, U"filter:transfertext:=A1*3"), DdeError::None);
    EXPECT_EQ(Call("a", U"filter:findnextchange(0)"), U"[2;7;DEM;10]");
    EXPECT_EQ(Call("b", U"filter:findnextchange(1)"), U"[3;8;DEM;20]");
    // A caller without a text of its own takes the shared one.
    formulas.results = {U"=A1*1,53"};
    EXPECT_EQ(Call("c", U"filter:convertexcelformula(0,3,0)"), U"[=A1*1,53]");
    EXPECT_EQ(formulas.asked.back().formula, U"=A1*3");
}

TEST_F(CallTest, AConnectedCallersTextIsNeverAnothersAndIsFreeOnceItLeaves) {
    std::set<std::string, std::less<>> left;
    server.SetCallerCheck([&](std::string_view caller) { return !left.contains(caller); });
    Call("a", U"filter:opensession(A,0)");
    Call("b", U"filter:opensession(B,0)");
    // a's text is used up; b's hand-over, made before a asks again, stays b's.
    Call("a", U"filter:transfertext:a 10 DM");
    EXPECT_EQ(Call("a", U"filter:findnextchange(0)"), U"[2;7;DEM;10]");
    Call("b", U"filter:transfertext:bb 20 DM");
    EXPECT_EQ(Call("a", U"filter:findnextchange(0)"), U"[OK]");
    EXPECT_EQ(Call("b", U"filter:findnextchange(1)"), U"[3;8;DEM;20]");
    // Nor does an execute take a connected caller's text, or a caller the execute's.
    EXPECT_EQ(server.Execute(kSystemTopic, U"filter:transfertext:=A1*3"), DdeError::None);
    Call("a", U"filter:transfertext:=A1*4");
    EXPECT_EQ(server.Execute(kSystemTopic, U"filter:convertexcelformula(0,3,0)"), DdeError::None);
    EXPECT_EQ(formulas.asked.back().formula, U"=A1*3");
    Call("a", U"filter:convertexcelformula(0,3,0)");
    EXPECT_EQ(formulas.asked.back().formula, U"=A1*4");

    // One process hands over, the next one searches: once it has left, the text is the
    // next caller's, and used up by it.
    Call("c", U"filter:transfertext:=A1*7");
    left.insert("c");
    Call("d", U"filter:convertexcelformula(0,3,0)");
    EXPECT_EQ(formulas.asked.back().formula, U"=A1*7");
    EXPECT_EQ(Call("e", U"filter:convertexcelformula(0,3,0)"),
              U"[ERROR. Transfer forumla with transfertext first, then call function.]");
}

class ConvertTextTest : public testing::MacroRig<testing::ComposingConfirmation> {
  protected:
    ConvertTextTest() { confirmation.profile = &profile; }

    // What a client converting the text step by step (opensession, transfertext,
    // findnextchange, confirmchange without the dialog) writes.
    std::string StepByStep(const std::string& utf8) {
        class Channel final : public CommandChannel {
          public:
            explicit Channel(ConvertTextTest& test) : test_(test) {}
            std::string Call(std::string_view item, std::string_view command) override {
                std::u32string reply;
                test_.server.Call(kSystemTopic, Utf8ToText(item) + U":" + Utf8ToText(command),
                                  "steps", reply);
                return TextToUtf8(std::u32string_view(reply).substr(1, reply.size() - 2));
            }

          private:
            ConvertTextTest& test_;
        } channel(*this);
        return ConvertDocument(channel, utf8, DocumentConversionOptions{false, true}, "steps").text;
    }
};

TEST_F(ConvertTextTest, KeepsEveryCharacterAroundTheAmounts) {
    // Umlauts, CJK, emoji (outside the BMP) and typographic quotes next to the amounts
    // and between them; most of them Windows-1252 cannot hold.
    const std::string text =
        "Gr\xC3\xBC\xC3\x9F"
        "e: 100 DM \xE6\xBC\xA2\xE5\xAD\x97 \xF0\x9F\x98\x80 20 DM\n"
        "\xE2\x80\x9E 5,50 DM \xE2\x80\x9C \xF0\x9F\x92\xB6\r\nkein Betrag \xE2\x82\xAC";
    const TextConversion done = interpreter.ConvertText("test", text);
    ASSERT_EQ(done.outcome, TextConversion::Outcome::Done);
    EXPECT_EQ(done.changes, 3u);
    EXPECT_EQ(done.text, StepByStep(text));
    // Only the amounts changed: what lies around them is the original, byte for byte.
    for (const char* kept : {"Gr\xC3\xBC\xC3\x9F"
                             "e: ",
                             " \xE6\xBC\xA2\xE5\xAD\x97 \xF0\x9F\x98\x80 ", "\n\xE2\x80\x9E ",
                             " \xE2\x80\x9C \xF0\x9F\x92\xB6\r\nkein Betrag \xE2\x82\xAC"})
        EXPECT_NE(done.text.find(kept), std::string::npos) << kept;
    EXPECT_EQ(done.text.find('?'), std::string::npos);
    EXPECT_EQ(done.text.find(" 100 DM "), std::string::npos);
    // The session is closed again, and the dialog was never asked to show.
    EXPECT_EQ(engine.Session(0), nullptr);
    EXPECT_FALSE(confirmation.visible);
}

// A custom currency whose symbols are Cyrillic and Greek: found in Unicode text, and the
// text around the amounts, "левата" with its number included, stays byte for byte.
TEST_F(ConvertTextTest, FindsSymbolsInOtherScripts) {
    {
        ProfileSettings& settings = profile.MutableSettings();
        settings.CustomCurrencySymbol[0] = U"\u043B\u0432";
        settings.CustomCurrencyRate[0] = U"1,95583";
        settings.InputAccept[kCUS1] = true;
        for (const char32_t* symbol :
             {U"\u043B\u0432", U"\u043B\u0435\u0432\u0430", U"\u0394\u03C1\u03C7"})
            settings.InputSymbolsFor[kCUS1].push_back(TCurrencySymbol::FromOptionNumber(symbol, 3));
        const std::string text =
            "\u0426\u0435\u043D\u0430: 1 234,56 \u043B\u0432. \u2014 \u043B\u0432 100; "
            "100 \u043B\u0435\u0432\u0430 \u0438 \u0394\u03C1\u03C7. 5.000\n"
            "\u043B\u0435\u0432\u0430\u0442\u0430 7 \u0436\u043B\u0432 8";
        const TextConversion done = interpreter.ConvertText("test", text);
        ASSERT_EQ(done.outcome, TextConversion::Outcome::Done);
        EXPECT_EQ(done.changes, 4u) << done.text;
        EXPECT_EQ(done.text, StepByStep(text));
        for (const char* kept : {"\u0426\u0435\u043D\u0430: ", ". \u2014 ", "; ", " \u0438 ",
                                 "\n\u043B\u0435\u0432\u0430\u0442\u0430 7 \u0436\u043B\u0432 8"})
            EXPECT_NE(done.text.find(kept), std::string::npos) << kept << "\n" << done.text;
        // The old amounts stay beside the new ones, with their symbols as written.
        for (const char* changed :
             {"(1 234,56 \u043B\u0432).", "(\u043B\u0432 100)", "(100 \u043B\u0435\u0432\u0430)",
              "(\u0394\u03C1\u03C7. 5.000)"})
            EXPECT_NE(done.text.find(changed), std::string::npos) << changed << "\n" << done.text;
    }
}

TEST_F(ConvertTextTest, HasNoWordLimitAndMatchesTheStepByStepClient) {
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "Posten " + std::to_string(i) + ": " + std::to_string(i % 97 + 1) + " DM; ";
    const TextConversion done = interpreter.ConvertText("long", text);
    ASSERT_EQ(done.outcome, TextConversion::Outcome::Done);
    EXPECT_EQ(done.changes, 3000u);
    EXPECT_EQ(done.text, StepByStep(text));
}

TEST_F(ConvertTextTest, RefusesWithoutAFreeSessionOrForATooLargeText) {
    for (int i = 0; i < kSessionSlots; ++i)
        engine.OpenSession(interpreter.FEngine(), U"full", false);
    const std::size_t warnings = boxes.shown.size();
    const TextConversion full = interpreter.ConvertText("test", "100 DM");
    EXPECT_EQ(full.outcome, TextConversion::Outcome::NoSession);
    EXPECT_EQ(full.text, "");
    EXPECT_EQ(boxes.shown.size(), warnings) << "no message box for a batch client";

    engine.CloseSession(interpreter.FEngine(), 4);
    const TextConversion large =
        interpreter.ConvertText("test", std::string(kMaxConvertTextBytes + 1, '1'));
    EXPECT_EQ(large.outcome, TextConversion::Outcome::TooLarge);
    EXPECT_EQ(large.text, "");
    EXPECT_EQ(engine.Session(4), nullptr);
}

TEST(WordPieces, CoverTheTextAndCutBetweenWordsBelowTheLimit) {
    std::u32string text;
    for (int i = 0; i < 5000; ++i)
        text += (i % 7 == 0 ? U"Zeile\n" : U"w\u00f6rt ") + std::u32string(i % 3, U'x');
    const std::vector<WordPiece> pieces = SplitIntoWordPieces(text);
    ASSERT_GT(pieces.size(), 4u);
    std::size_t next = 0;
    for (const WordPiece& piece : pieces) {
        EXPECT_EQ(piece.start, next);
        EXPECT_LT(piece.start, piece.end);
        EXPECT_LE(piece.end, piece.searchEnd);
        // Searched from anywhere in the piece, the window fits into one transfer.
        const TextWords words(AsProgramText(text, piece.start, piece.searchEnd, true));
        EXPECT_LT(words.Count(), TextWords::kMaxWords);
        if (piece.start > 0) {
            const std::u32string before = AsProgramText(text, piece.start - 1, piece.start, true);
            EXPECT_TRUE(TextWords::IsSeparator(before[0])) << piece.start;
        }
        next = piece.end;
    }
    EXPECT_EQ(next, text.size());
    EXPECT_EQ(pieces.back().searchEnd, text.size());
    EXPECT_TRUE(SplitIntoWordPieces(U"").empty());
}

}  // namespace
}  // namespace kassavero
