// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped translation file holds a text for every key the program looks up, in every
// language, so that no language ever shows the missing-strings report.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/win1252.h"
#include "i18n/translation.h"
#include "platform/private_profile_file.h"

namespace kassavero {
namespace {

namespace fs = std::filesystem;

// The language sections in file order, named in UTF-8 as the file writes them. The first
// six are the Western European languages, whose texts Windows-1252 holds.
const char* const kLanguages[] = {"Deutsch",  "English",   "Français", "Nederlands", "Español",
                                  "Italiano", "Български", "Hrvatski", "Ελληνικά"};
constexpr std::size_t kWesternLanguages = 6;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The source text with its comments blanked out, string and character literals kept.
std::string WithoutComments(const std::string& source) {
    std::string out = source;
    std::size_t i = 0;
    while (i < out.size()) {
        if (out.compare(i, 2, "//") == 0) {
            while (i < out.size() && out[i] != '\n')
                out[i++] = ' ';
        } else if (out.compare(i, 2, "/*") == 0) {
            const std::size_t end = out.find("*/", i + 2);
            const std::size_t stop = end == std::string::npos ? out.size() : end + 2;
            for (; i < stop; ++i) {
                if (out[i] != '\n')
                    out[i] = ' ';
            }
        } else if (out[i] == '"' || out[i] == '\'') {
            const char quote = out[i++];
            while (i < out.size() && out[i] != quote && out[i] != '\n') {
                i += out[i] == '\\' ? 2 : 1;
            }
            ++i;
        } else {
            ++i;
        }
    }
    return out;
}

// The bytes of a string literal's body: escapes give their byte, everything else is UTF-8
// source text and becomes Windows-1252.
std::string DecodeLiteral(std::string_view body) {
    std::string out;
    std::string plain;
    const auto flush = [&] {
        out += Utf8ToWin1252(plain);
        plain.clear();
    };
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] != '\\' || i + 1 == body.size()) {
            plain += body[i];
            continue;
        }
        flush();
        const char e = body[++i];
        if (e == 'x') {
            unsigned value = 0;
            while (i + 1 < body.size() && std::isxdigit(static_cast<unsigned char>(body[i + 1]))) {
                value = value * 16 +
                        static_cast<unsigned>(std::stoi(std::string(1, body[++i]), nullptr, 16));
            }
            out += static_cast<char>(value);
        } else if (e >= '0' && e <= '7') {
            unsigned value = static_cast<unsigned>(e - '0');
            for (int n = 0;
                 n < 2 && i + 1 < body.size() && body[i + 1] >= '0' && body[i + 1] <= '7'; ++n) {
                value = value * 8 + static_cast<unsigned>(body[++i] - '0');
            }
            out += static_cast<char>(value);
        } else {
            const std::string simple = "n\nt\tr\r\\\\\"\"''";
            const auto at = simple.find(e);
            out += at != std::string::npos && at % 2 == 0 ? simple[at + 1] : e;
        }
    }
    flush();
    return out;
}

bool IsIdentifierChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// Every key written as TranslateKey("...") or TrKey("...") in the text; adjacent literals
// are joined, as the compiler joins them.
std::vector<std::string> KeysInSource(const std::string& source) {
    const std::string text = WithoutComments(source);
    std::vector<std::string> keys;
    for (const std::string_view name :
         {std::string_view("TranslateKey"), std::string_view("TrKey")}) {
        for (std::size_t at = text.find(name); at != std::string::npos;
             at = text.find(name, at + 1)) {
            if (at > 0 && IsIdentifierChar(text[at - 1]))
                continue;
            std::size_t i = at + name.size();
            const auto skipBlanks = [&] {
                while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
                    ++i;
            };
            skipBlanks();
            if (i >= text.size() || text[i] != '(')
                continue;
            ++i;
            std::string key;
            bool literal = false;
            for (skipBlanks(); i < text.size() && text[i] == '"'; skipBlanks()) {
                const std::size_t start = ++i;
                while (i < text.size() && text[i] != '"')
                    i += text[i] == '\\' ? 2 : 1;
                key += DecodeLiteral(std::string_view(text).substr(start, i - start));
                ++i;
                literal = true;
            }
            if (literal && i < text.size() && text[i] == ')')
                keys.push_back(key);
        }
    }
    return keys;
}

std::set<std::string> KeysUsedBySources() {
    std::set<std::string> keys;
    for (const auto& entry : fs::recursive_directory_iterator(KASSAVERO_SOURCE_DIR)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".h" && extension != ".cpp")
            continue;
        for (std::string& key : KeysInSource(ReadFile(entry.path())))
            keys.insert(key);
    }
    return keys;
}

std::set<std::string> KeysOfTheList() {
    std::set<std::string> keys;
    std::istringstream list(ReadFile(KASSAVERO_KEY_LIST));
    for (std::string line; std::getline(list, line);) {
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) {
            line.pop_back();
        }
        if (!line.empty() && line.front() != '#')
            keys.insert(Utf8ToWin1252(line));
    }
    return keys;
}

std::string Lower(const std::string& text) {
    return LowerCaseLatin1(text);
}

// A language section as the file's bytes hold it, in UTF-8: the program reads the file
// through Windows-1252, which has no Cyrillic or Greek letters. Texts lose their quotes as
// the program reads them.
struct LanguageSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> texts;  // key, text
    // The text of a key, compared without regard to letter case as the program does.
    std::string Text(const std::string& key) const {
        for (const auto& [entry, text] : texts) {
            if (Lower(Utf8ToWin1252(entry)) == Lower(key))
                return text;
        }
        return "";
    }
};

std::vector<LanguageSection> LanguageSections() {
    const auto trim = [](std::string text) {
        const auto first = text.find_first_not_of(" \t\r");
        text.erase(0, first == std::string::npos ? text.size() : first);
        text.erase(text.find_last_not_of(" \t\r") + 1);
        return text;
    };
    std::vector<LanguageSection> sections;
    std::istringstream lines(ReadFile(KASSAVERO_LANGUAGE_FILE));
    for (std::string line; std::getline(lines, line);) {
        line = trim(line);
        const std::size_t equals = line.find('=');
        if (line.starts_with('[') && line.find(']') != std::string::npos) {
            sections.push_back({trim(line.substr(1, line.find(']') - 1)), {}});
        } else if (!sections.empty() && !line.starts_with(';') && equals != std::string::npos) {
            std::string text = trim(line.substr(equals + 1));
            if (text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0])
                text = text.substr(1, text.size() - 2);
            sections.back().texts.emplace_back(trim(line.substr(0, equals)), text);
        }
    }
    return sections;
}

// The sections of the languages, in the order of kLanguages; a missing one stays empty.
std::vector<LanguageSection> Languages() {
    const std::vector<LanguageSection> all = LanguageSections();
    std::vector<LanguageSection> languages;
    for (const char* language : kLanguages) {
        const auto found = std::find_if(
            all.begin(), all.end(), [&](const LanguageSection& s) { return s.name == language; });
        languages.push_back(found != all.end() ? *found : LanguageSection{language, {}});
    }
    return languages;
}

TEST(KeyScanner, FindsKeyLiteralsOnly) {
    const std::string source =
        "// TranslateKey(\"InAComment\")\n"
        "/* TrKey(\"InABlock\") */\n"
        "auto a = TranslateKey(\"Plain\");\n"
        "auto b = TrKey( \"Kleinste\\xDC\" \"berweisung\" );\n"
        "auto c = TranslateKey(\"M\xC3\xBCnze\");\n"
        "auto d = TranslateKey(variable);\n"
        "auto e = MyTrKey(\"NotOurs\");\n"
        "auto f = TranslateKey(\"Concat\" + suffix);\n"
        "auto g = \"TrKey(\\\"InAString\\\")\";\n";
    EXPECT_EQ(KeysInSource(source), (std::vector<std::string>{"Plain", "M\xFCnze",
                                                              "Kleinste\xDC"
                                                              "berweisung"}));
}

TEST(LanguageFile, EveryLanguageHoldsEveryKeyTheProgramUses) {
    const std::set<std::string> used = KeysUsedBySources();
    ASSERT_TRUE(used.contains("Overflow")) << "the source scan found nothing";
    std::set<std::string> keys = KeysOfTheList();
    keys.insert(used.begin(), used.end());

    for (const LanguageSection& language : Languages()) {
        std::string missing;
        for (const std::string& key : keys) {
            if (language.Text(key).empty())
                missing += " " + Win1252ToUtf8(key);
        }
        EXPECT_EQ(missing, "") << "missing in section " << language.name;
    }
}

TEST(LanguageFile, TheKeyListNamesOnlyKeysTheSourcesDoNotShow) {
    // Keys built at run time are listed by hand; one the scan finds needs no entry.
    const std::set<std::string> used = KeysUsedBySources();
    for (const std::string& key : KeysOfTheList())
        EXPECT_FALSE(used.contains(key)) << Win1252ToUtf8(key) << " is found in the sources";
}

TEST(LanguageFile, HoldsNoKeyThatNothingUses) {
    std::set<std::string> known;
    for (const std::string& key : KeysOfTheList())
        known.insert(Lower(key));
    for (const std::string& key : KeysUsedBySources())
        known.insert(Lower(key));
    for (const LanguageSection& language : Languages()) {
        for (const auto& [key, text] : language.texts) {
            EXPECT_TRUE(known.contains(Lower(Utf8ToWin1252(key))))
                << key << " in " << language.name;
        }
    }
}

TEST(LanguageFile, FollowsTheDesktopAndIsUtf8) {
    PrivateProfileFile file(KASSAVERO_LANGUAGE_FILE);
    // Installed where users cannot edit it, the file leaves the choice to the desktop.
    EXPECT_TRUE(file.KeyNames("Allgemein") == std::vector<std::string>{"Sprache"});
    EXPECT_EQ(file.ReadString("Allgemein", "Sprache", "-", 255), "");
    std::vector<std::string> expected = {"Allgemein"};
    expected.insert(expected.end(), std::begin(kLanguages), std::end(kLanguages));
    std::vector<std::string> names;
    for (const LanguageSection& section : LanguageSections())
        names.push_back(section.name);
    EXPECT_EQ(names, expected);
    // Every language the desktop can choose has its section.
    for (const char* locale : {"de_DE", "en_US", "fr_FR", "nl_NL", "es_ES", "it_IT", "ja_JP"}) {
        const std::string section = Win1252ToUtf8(DesktopLanguageSection({"", "", "", locale}));
        EXPECT_NE(std::find(std::begin(kLanguages), std::end(kLanguages), section),
                  std::end(kLanguages))
            << locale;
    }
    const std::string content = ReadFile(KASSAVERO_LANGUAGE_FILE);
    EXPECT_TRUE(IsValidUtf8(content));
    // The program reads the Western European texts as they stand: Windows-1252 holds them.
    const std::vector<LanguageSection> languages = Languages();
    for (std::size_t i = 0; i < kWesternLanguages; ++i) {
        for (const auto& [key, text] : languages[i].texts) {
            EXPECT_EQ(
                Win1252ToUtf8(file.ReadString(Utf8ToWin1252(kLanguages[i]), Utf8ToWin1252(key), "",
                                              Translation::kMaxTextLength)),
                text)
                << key << " in " << kLanguages[i];
        }
    }
}

// Whether a code point is a capital letter of the alphabets the file holds.
bool IsCapital(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
           (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || c == 0x386 ||  // Greek
           (c >= 0x388 && c <= 0x38F && c != 0x38B && c != 0x38D) ||
           (c >= 0x400 && c <= 0x42F);  // Cyrillic
}

TEST(LanguageFile, AnswerLettersAreSingleCapitalsThatDiffer) {
    for (const LanguageSection& language : Languages()) {
        for (const char* key : {"AnfangsbuchstabeJa", "AnfangsbuchstabeNein"}) {
            const std::string letter = language.Text(key);
            ASSERT_FALSE(letter.empty()) << key << " in " << language.name;
            const Utf8Character character = DecodeUtf8(letter, 0);
            EXPECT_EQ(character.length, letter.size()) << key << " in " << language.name;
            EXPECT_TRUE(IsCapital(character.codePoint)) << key << " in " << language.name;
        }
        EXPECT_NE(language.Text("AnfangsbuchstabeJa"), language.Text("AnfangsbuchstabeNein"))
            << language.name;
    }
}

TEST(LanguageFile, CaptionsMarkAtMostOneAccessKey) {
    for (const LanguageSection& language : Languages()) {
        for (const auto& [key, text] : language.texts) {
            int marks = 0;
            for (std::size_t i = 0; i < text.size(); ++i) {
                if (text[i] != '&')
                    continue;
                if (i + 1 < text.size() && text[i + 1] == '&') {
                    ++i;
                } else {
                    ++marks;
                }
            }
            EXPECT_LE(marks, 1) << key << " in " << language.name;
        }
    }
}

}  // namespace
}  // namespace kassavero
