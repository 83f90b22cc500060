// SPDX-License-Identifier: GPL-3.0-or-later
#include "client/document_client.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <algorithm>

#include <deque>
#include <regex>
#include <stdexcept>

#include "core/text_words.h"
#include "core/win1252.h"

namespace kassavero {
namespace {

// A small stand-in for the program: it finds "<digits> DM" in the transferred text
// and proposes "<half> EUR" in its place, answering confirmations from a script.
class FakeProgram final : public CommandChannel {
  public:
    std::deque<std::string> answers;  // "YES", "NO" or "CANCEL"; empty means YES
    std::vector<std::string> log;
    std::string sessionReply = "3";
    std::string prefix, suffix;
    bool goneAtClose = false;   // the program ended before the session was closed
    std::string transferReply;  // instead of the echo, when set
    std::string foundAmount;    // instead of the amount found, when set

    std::string Call(std::string_view item, std::string_view command) override {
        log.push_back(std::string(item) + ":" + std::string(command));
        std::string c(command);
        if (c.starts_with("opensession("))
            return sessionReply;
        if (c.starts_with("transfertext:")) {
            text_ = c.substr(13);
            position_ = 0;
            return transferReply.empty() ? c : transferReply;
        }
        if (c.starts_with("findnextchange(")) {
            std::smatch match;
            static const std::regex amount("([0-9]+) DM");
            const std::string rest = text_.substr(position_);
            if (!std::regex_search(rest, match, amount))
                return "OK";
            const std::size_t start = position_ + static_cast<std::size_t>(match.position(0));
            const std::size_t end = start + static_cast<std::size_t>(match.length(0));
            value_ = std::stoi(match[1]);
            position_ = end;
            // Offsets count characters, not bytes.
            const auto characters = [&](std::size_t bytes) {
                return Utf8ToText(std::string_view(text_).substr(0, bytes)).size();
            };
            return std::to_string(characters(start)) + ";" + std::to_string(characters(end)) +
                   ";DEM;" + (foundAmount.empty() ? std::to_string(value_) : foundAmount);
        }
        if (c.starts_with("confirmchange(")) {
            std::string answer = "YES";
            if (!answers.empty()) {
                answer = answers.front();
                answers.pop_front();
            }
            if (answer != "YES")
                return answer;
            return "YES;" + prefix + ";" + std::to_string(value_ / 2) + " \xE2\x82\xAC;" + suffix;
        }
        if (c.starts_with("closesession(")) {
            if (goneAtClose)
                throw std::runtime_error("no reply");
            return "OK";
        }
        return "ERROR. unexpected";
    }

  private:
    std::string text_;
    std::size_t position_ = 0;
    int value_ = 0;
};

TEST(DocumentClient, ReplacesEachAmountAndKeepsEverythingElse) {
    FakeProgram program;
    const std::string document =
        "Gr\xC3\xBC\xC3\x9F"
        "e \xE4\xB8\xAD 100 DM und 42 DM.\n\xF0\x9F\x98\x80 8 DM\r\nEnde";
    const auto result = ConvertDocument(program, document, false, "test");
    EXPECT_EQ(result.outcome, DocumentConversionResult::Outcome::Done);
    EXPECT_EQ(result.text,
              "Gr\xC3\xBC\xC3\x9F"
              "e \xE4\xB8\xAD 50 \xE2\x82\xAC und 21 \xE2\x82\xAC.\n"
              "\xF0\x9F\x98\x80 4 \xE2\x82\xAC\r\nEnde");
    EXPECT_EQ(result.found, 3u);
    EXPECT_EQ(result.changed, 3u);
    EXPECT_EQ(program.log.front(), "filter:opensession(\"test\",0)");
    EXPECT_EQ(program.log.back(), "filter:closesession(3)");
    // Every character travels as itself, whatever its script, so offsets match.
    EXPECT_EQ(program.log[1],
              "filter:transfertext:Gr\xC3\xBC\xC3\x9F"
              "e \xE4\xB8\xAD 100 DM und 42 DM.");
    EXPECT_NE(std::find(program.log.begin(), program.log.end(),
                        "filter:transfertext:\xF0\x9F\x98\x80 8 DM"),
              program.log.end());
}

TEST(DocumentClient, PiecesWithoutDigitsAreNotSent) {
    FakeProgram program;
    const auto result = ConvertDocument(program, "no amount here\nbut 3 DM here\n", false, "c");
    EXPECT_EQ(result.text, "no amount here\nbut 1 \xE2\x82\xAC here\n");
    ASSERT_EQ(program.log.size(), 6u);  // open, one transfer, find, confirm, find, close
    EXPECT_EQ(program.log[1], "filter:transfertext:but 3 DM here");
}

TEST(DocumentClient, DeclinedChangesStayAndCancelKeepsWhatWasDone) {
    FakeProgram program;
    program.answers = {"NO", "YES", "CANCEL"};
    const auto result = ConvertDocument(program, "10 DM, 20 DM, 30 DM, 40 DM", true, "c");
    EXPECT_EQ(result.outcome, DocumentConversionResult::Outcome::Cancelled);
    EXPECT_EQ(result.text, "10 DM, 10 \xE2\x82\xAC, 30 DM, 40 DM");
    EXPECT_EQ(result.changed, 1u);
    // The amounts after the cancel are still counted.
    EXPECT_EQ(result.found, 4u);
    EXPECT_TRUE(result.allCounted);
    EXPECT_EQ(program.log.front(), "filter:opensession(\"c\",1)");
    EXPECT_EQ(program.log.back(), "filter:closesession(3)");

    // Ended by the program, which is then gone: the accepted change is still kept. Any
    // other conversion that loses the program fails.
    program.answers = {"YES", "CANCEL"};
    program.goneAtClose = true;
    EXPECT_EQ(ConvertDocument(program, "10 DM, 20 DM", true, "c").text, "5 \xE2\x82\xAC, 20 DM");
    EXPECT_THROW(ConvertDocument(program, "10 DM", true, "c"), std::runtime_error);
}

TEST(DocumentClient, PrefixAndSuffixWithEscapedSemicolons) {
    FakeProgram program;
    program.prefix = "a\\;b";
    program.suffix = "\\x";
    const auto result = ConvertDocument(program, "[2 DM]", false, "c");
    EXPECT_EQ(result.text, "[a;b1 \xE2\x82\xAC\\x]");
}

TEST(DocumentClient, InvalidUtf8BytesSurviveUnchanged) {
    FakeProgram program;
    const std::string document = "\xFF\xFE 4 DM \xC3";
    const auto result = ConvertDocument(program, document, false, "c");
    EXPECT_EQ(result.text, "\xFF\xFE 2 \xE2\x82\xAC \xC3");
}

TEST(DocumentClient, NoSessionAndProtocolErrorsLeaveTheTextAlone) {
    FakeProgram program;
    program.sessionReply = "-1";
    auto result = ConvertDocument(program, "1 DM", false, "c");
    EXPECT_EQ(result.outcome, DocumentConversionResult::Outcome::NoSession);
    EXPECT_EQ(result.text, "1 DM");

    FakeProgram broken;
    broken.answers = {"YES;only one field"};
    result = ConvertDocument(broken, "6 DM and 8 DM", false, "c");
    EXPECT_EQ(result.outcome, DocumentConversionResult::Outcome::ProtocolError);
    EXPECT_EQ(result.text, "6 DM and 8 DM");
    EXPECT_EQ(broken.log.back(), "filter:closesession(3)");
}

// A reply that is not about this client's own text stops the run with the text as it was.
TEST(DocumentClient, RefusedHandOverAndForeignAmountsLeaveTheTextAlone) {
    struct Row {
        const char* transferReply;
        const char* foundAmount;
    };
    for (const Row row :
         {Row{"ERROR. Too many clients have a text waiting.", ""}, Row{"", "77777"}}) {
        FakeProgram program;
        program.transferReply = row.transferReply;
        program.foundAmount = row.foundAmount;
        const auto result = ConvertDocument(program, "Preis: 100 DM, 200 DM", {false, true}, "c");
        EXPECT_EQ(result.outcome, DocumentConversionResult::Outcome::ProtocolError);
        EXPECT_EQ(result.text, "Preis: 100 DM, 200 DM");
        EXPECT_EQ(result.changed, 0u);
    }
}

TEST(DocumentClient, ClientNameIsQuotedForTheParser) {
    FakeProgram program;
    ConvertDocument(program, "", false, "a,b\"c\\d");
    EXPECT_EQ(program.log.front(), "filter:opensession(\"a,b\\\"c\\\\d\",0)");
}

std::size_t TextWordsCount(const std::u32string& text, const TextPiece& piece) {
    return TextWords(text.substr(piece.start, piece.end - piece.start)).Count();
}

TEST(DocumentClient, PiecesAreLinesAndLongLinesAreCutBetweenWords) {
    std::u32string text = U"one\n\ntwo\r\nthree";
    auto pieces = SplitIntoPieces(text);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(text.substr(pieces[1].start, pieces[1].end - pieces[1].start), U"two");

    std::u32string line;
    for (int i = 0; i < 2500; ++i)
        line += U"w" + std::u32string(i % 3 == 0 ? U"(" : U"") + U" ";
    pieces = SplitIntoPieces(line);
    ASSERT_GE(pieces.size(), 3u);
    std::size_t covered = 0;
    for (const auto& piece : pieces) {
        EXPECT_EQ(piece.start, covered);
        covered = piece.end;
        EXPECT_LE(TextWordsCount(line, piece), 1000u);
    }
    EXPECT_EQ(covered, line.size());
}

TEST(DocumentClient, EscapedFields) {
    EXPECT_EQ(SplitEscapedFields("a\\;b;;c\\"), (std::vector<std::string>{"a;b", "", "c\\"}));
}

}  // namespace
}  // namespace kassavero
