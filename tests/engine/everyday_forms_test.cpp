// SPDX-License-Identifier: GPL-3.0-or-later
// The form files themselves: readable, without two meanings for one text in one language,
// and complete for every language they hold.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "core/unicode_text.h"
#include "engine/everyday_reader.h"
#include "engine/everyday_scanner.h"
#include "engine/form_tables.h"

namespace kassavero::forms {
namespace {

std::string U8(std::u32string_view s) {
    return TextToUtf8(s);
}

TEST(FormFiles, ReadWithoutError) {
    const Tables& t = BuiltInForms();
    for (const std::string& error : t.errors)
        ADD_FAILURE() << error;
    EXPECT_GE(t.languages.size(), 10U);
}

TEST(FormFiles, ABadLineIsReportedAndLeftOut) {
    const FormFile files[] = {{"x.forms",
                               "DEM | Mark | after\n"
                               "language xx 0x01\n"
                               "XYZ | Taler | after\n"
                               "DEM | Mark | after sideways\n"
                               "DEM | Mark | after\n"
                               "magnitude none | Mio.=1e6\n"
                               "write w | Mio.=x\n"}};
    const Tables t = ParseForms(files);
    EXPECT_EQ(t.errors.size(), 5U);
    EXPECT_EQ(t.forms.size(), 2U) << "the line with the unknown flag still holds its form";
}

// Two rows of one language with the same text apply in the same region: one of them is
// either never used or means something else there.
bool Overlap(const Form& a, const Form& b) {
    if (a.where.empty() || b.where.empty())
        return a.where.empty() && b.where.empty();
    return std::any_of(a.where.begin(), a.where.end(), [&](const std::u32string& code) {
        return std::find(b.where.begin(), b.where.end(), code) != b.where.end();
    });
}

TEST(FormFiles, NoTextHasTwoMeaningsInOneLanguage) {
    const Tables& t = BuiltInForms();
    std::map<std::tuple<int, bool, std::u32string>, std::vector<const Form*>> byKey;
    for (const Form& form : t.forms)
        byKey[{form.language, form.exactCase, form.exactCase ? form.text : LowerCase(form.text)}]
            .push_back(&form);
    for (const auto& [key, forms] : byKey) {
        for (std::size_t i = 0; i < forms.size(); ++i) {
            for (std::size_t j = i + 1; j < forms.size(); ++j) {
                if (Overlap(*forms[i], *forms[j]))
                    ADD_FAILURE() << U8(t.languages[std::get<0>(key)].code)
                                  << ".forms:" << forms[j]->line << ": \"" << U8(forms[j]->text)
                                  << "\" also on line " << forms[i]->line;
            }
        }
    }
    std::map<std::tuple<int, std::u32string>, const Magnitude*> magnitudes;
    for (const Magnitude& m : t.magnitudes) {
        const auto [at, fresh] = magnitudes.emplace(
            std::tuple(m.language, m.exactCase ? m.text : LowerCase(m.text)), &m);
        if (!fresh && !at->second->exactCase && !m.exactCase)
            ADD_FAILURE() << "magnitude \"" << U8(m.text) << "\" twice, line " << m.line;
    }
}

TEST(FormFiles, EveryLanguageHasItsMoney) {
    const Tables& t = BuiltInForms();
    for (std::size_t l = 0; l < t.languages.size(); ++l) {
        const Language& language = t.languages[l];
        if (language.code == U"common")
            continue;
        SCOPED_TRACE(U8(language.code));
        const auto has = [&](auto&& test) {
            return std::any_of(t.forms.begin(), t.forms.end(), [&](const Form& f) {
                return f.language == static_cast<int>(l) && test(f);
            });
        };
        EXPECT_TRUE(has([](const Form& f) { return f.code == U"EUR" && f.factor == 1.0; }))
            << "the euro's name";
        EXPECT_TRUE(has([](const Form& f) { return f.code == U"EUR" && f.factor < 1.0; }))
            << "the euro's cent";
        EXPECT_FALSE(language.currencies.empty());
        for (const std::u32string& code : language.currencies) {
            EXPECT_TRUE(has([&](const Form& f) { return f.code == code && f.factor >= 1.0; }))
                << U8(code);
            EXPECT_TRUE(has([&](const Form& f) {
                return f.factor < 1.0 &&
                       (f.code == code ||
                        std::find(f.older.begin(), f.older.end(), code) != f.older.end());
            })) << U8(code)
                << "'s subunit";
        }
        EXPECT_TRUE(std::any_of(t.magnitudes.begin(), t.magnitudes.end(), [&](const Magnitude& m) {
            return m.language == static_cast<int>(l) && m.factor == 1e6;
        })) << "a word for millions";
        EXPECT_TRUE(language.words.contains(U"words")) << "the words that tell the language";
        EXPECT_TRUE(language.words.contains(U"and")) << "the word that joins amounts";
    }
}

TEST(EverydayWords, TheShapeOfANumberTellsItsMarks) {
    // A mark that can only be decimal, and a language's decimal mark that the number's
    // shape shows to group thousands.
    const struct {
        std::u32string_view word;
        char32_t plain;
        char32_t decimal;
        bool groups;
    } rows[] = {
        {U"0.787564", U'.', U'.', false},  // four digits and more after the mark
        {U"0,125", U',', U',', false},     // a lone zero before it
        {U"1.500", 0, U'.', true},         // three after an English stop
        {U"42,000", 0, U',', true},        // three zeros
        {U"12,345", 0, U',', true},        // two whole digits
        {U"1,659", 0, U',', false},        // a litre of fuel
        {U"1.234,56", 0, U',', false},     // both marks tell for themselves
        {U"12.03.1999", 0, U'.', false},   // a date
        {U"(3.500", 0, U',', false},       // not the language's mark
    };
    for (const auto& row : rows) {
        EXPECT_EQ(kassavero::everyday::PlainDecimal(row.word), row.plain) << TextToUtf8(row.word);
        EXPECT_EQ(kassavero::everyday::GroupsThousands(row.word, row.decimal), row.groups)
            << TextToUtf8(row.word);
    }
}

TEST(EverydayWords, ACommaBeforeTheMillionsOnlyWhereStopsGroupTheThousands) {
    const struct {
        std::u32string_view number;
        std::u32string_view read;
    } rows[] = {
        {U"4,000.000", U"4.000.000"},
        {U"997,710.422,13", U"997.710.422,13"},  // and the cents after a last comma
        {U"1,250", U"1,250"},                    // no full stop after the group
        {U"1.250,00", U"1.250,00"},              // the usual way
        {U"4,000.00", U"4,000.00"},              // an English sum with its cents
        {U"12345,000.000", U"12345,000.000"},    // too many digits before the comma
    };
    for (const auto& row : rows) {
        std::u32string number(row.number);
        kassavero::everyday::MillionsByComma(number);
        EXPECT_EQ(number, row.read) << TextToUtf8(row.number);
    }
    // Elsewhere only with the cents, or a dash for them.
    for (const auto& [number, read] :
         {std::pair<std::u32string, std::u32string>{U"1,896.828", U"1,896.828"},
          {U"2,000.000,-", U"2.000.000,-"},
          {U"30,827.000,--", U"30.827.000,--"}}) {
        std::u32string text = number;
        kassavero::everyday::MillionsByComma(text, true);
        EXPECT_EQ(text, read) << TextToUtf8(number);
    }
}

TEST(EverydayWords, TheZeroCharacterEndsTheText) {
    // Within a word and after blanks alike; nothing after it is read.
    for (const std::u32string& text :
         {std::u32string(U"5 DM\0 7 DM", 10), std::u32string(U"5 DM \0 7 DM", 11)}) {
        const kassavero::EverydayText words(text);
        ASSERT_EQ(words.Tokens().size(), 2u);
        EXPECT_EQ(words.TokenText(1), U"DM");
    }
}

}  // namespace
}  // namespace kassavero::forms
