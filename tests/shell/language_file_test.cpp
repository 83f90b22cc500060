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

const char* const kLanguages[] = {"Deutsch",
                                  "English",
                                  "Fran\xE7"
                                  "ais",
                                  "Nederlands",
                                  "Espa\xF1"
                                  "ol",
                                  "Italiano"};

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

    PrivateProfileFile file(KASSAVERO_LANGUAGE_FILE);
    for (const char* language : kLanguages) {
        std::string missing;
        for (const std::string& key : keys) {
            if (file.ReadString(language, key, "", Translation::kMaxTextLength).empty()) {
                missing += " " + key;
            }
        }
        EXPECT_EQ(missing, "") << "missing in section " << Win1252ToUtf8(language);
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
    PrivateProfileFile file(KASSAVERO_LANGUAGE_FILE);
    for (const char* language : kLanguages) {
        for (const std::string& key : file.KeyNames(language)) {
            EXPECT_TRUE(known.contains(Lower(key)))
                << Win1252ToUtf8(key) << " in " << Win1252ToUtf8(language);
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
    EXPECT_EQ(file.SectionNames(), expected);
    // Every language the desktop can choose has its section.
    for (const char* locale : {"de_DE", "en_US", "fr_FR", "nl_NL", "es_ES", "it_IT", "ja_JP"}) {
        const std::string section = DesktopLanguageSection({"", "", "", locale});
        EXPECT_NE(std::find(std::begin(kLanguages), std::end(kLanguages), section),
                  std::end(kLanguages))
            << locale;
    }
    // Valid UTF-8 survives the round trip through Windows-1252 unchanged.
    const std::string content = ReadFile(KASSAVERO_LANGUAGE_FILE);
    EXPECT_EQ(Win1252ToUtf8(Utf8ToWin1252(content)), content);
}

TEST(LanguageFile, AnswerLettersAreSingleCapitalsThatDiffer) {
    PrivateProfileFile file(KASSAVERO_LANGUAGE_FILE);
    for (const char* language : kLanguages) {
        const std::string yes = file.ReadString(language, "AnfangsbuchstabeJa", "", 1023);
        const std::string no = file.ReadString(language, "AnfangsbuchstabeNein", "", 1023);
        ASSERT_EQ(yes.size(), 1U) << language;
        ASSERT_EQ(no.size(), 1U) << language;
        EXPECT_NE(LowerCaseLatin1(yes[0]), yes[0]) << language;
        EXPECT_NE(LowerCaseLatin1(no[0]), no[0]) << language;
        EXPECT_NE(yes, no) << language;
    }
}

TEST(LanguageFile, CaptionsMarkAtMostOneAccessKey) {
    PrivateProfileFile file(KASSAVERO_LANGUAGE_FILE);
    for (const char* language : kLanguages) {
        for (const std::string& key : file.KeyNames(language)) {
            const std::string text = file.ReadString(language, key, "", 1023);
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
            EXPECT_LE(marks, 1) << Win1252ToUtf8(key) << " in " << Win1252ToUtf8(language);
        }
    }
}

}  // namespace
}  // namespace kassavero
