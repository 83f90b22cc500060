// SPDX-License-Identifier: GPL-3.0-or-later
// The help has a page for every context number the program opens, in every language it
// ships, naming things as the windows do; the sources open no number that is not in the
// table.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "core/win1252.h"
#include "shell/help_topics.h"

namespace kassavero {
namespace {

namespace fs = std::filesystem;

TEST(HelpPages, EveryTopicHasAPageInEveryLanguage) {
    std::vector<fs::path> languages;
    for (const auto& entry : fs::directory_iterator(KASSAVERO_HELP_DIR)) {
        if (entry.is_directory())
            languages.push_back(entry.path());
    }
    const auto has = [&](const char* code) {
        return std::any_of(languages.begin(), languages.end(),
                           [&](const fs::path& p) { return p.filename() == code; });
    };
    ASSERT_TRUE(has("en") && has("de"));
    for (const fs::path& language : languages) {
        EXPECT_TRUE(fs::exists(language / "index.html")) << language;
        for (int topic : kHelpTopics)
            EXPECT_TRUE(fs::exists(language / (std::to_string(topic) + ".html")))
                << language << " lacks " << topic;
    }
}

TEST(HelpPages, SourcesOpenOnlyListedTopics) {
    // Named constants ("...HelpTopic... = 1100") and literal numbers in ShowTopic(...).
    const std::regex constant(R"(HelpTopic\w*\s*=\s*(\d+))");
    const std::regex call(R"(ShowTopic\((\d+)\))");
    int found = 0;
    for (const auto& entry : fs::recursive_directory_iterator(KASSAVERO_SOURCE_DIR)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        const std::string source = text.str();
        for (const std::regex* pattern : {&constant, &call}) {
            for (std::sregex_iterator it(source.begin(), source.end(), *pattern), end; it != end;
                 ++it) {
                const int topic = std::stoi((*it)[1]);
                ++found;
                EXPECT_NE(std::find(kHelpTopics.begin(), kHelpTopics.end(), topic),
                          kHelpTopics.end())
                    << entry.path() << " opens help topic " << topic;
            }
        }
    }
    EXPECT_GT(found, 0);
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The small letter of a capital of the alphabets the pages are written in: Latin (with the
// letters of Croatian), Greek and Cyrillic.
char32_t SmallLetter(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    const bool evenCapital = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddCapital = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenCapital && c % 2 == 0) || (oddCapital && c % 2 == 1))
        return c + 1;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    if (c == 0x386)
        return 0x3AC;
    if (c >= 0x388 && c <= 0x38A)
        return c + 0x25;
    if (c == 0x38C)
        return 0x3CC;
    if (c == 0x38E || c == 0x38F)
        return c + 0x3F;
    return c;
}

// A caption as the pages quote it: without access-key marks, quotes, the colon or ellipsis
// at its end, and letter case.
std::string Plain(std::string text) {
    text = std::regex_replace(text, std::regex(R"(&|^"|^\s+|[\s:."]+$|\xE2\x80\xA6$)"), "");
    std::string small;
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Character character = DecodeUtf8(text, i);
        if (character.length == 0) {
            small += text[i++];
            continue;
        }
        AppendUtf8(small, SmallLetter(character.codePoint));
        i += character.length;
    }
    return small;
}

TEST(HelpPages, CaptionsCompareWithoutLetterCase) {
    // One row per alphabet: ASCII, Latin-1, Croatian, Cyrillic, Greek with its accents.
    for (const auto& [caption, quoted] :
         {std::pair{"&Save current settings as...", "save current settings as"},
          std::pair{"&État :", "état"}, std::pair{"&Čuvaj", "čuvaj"}, std::pair{"&Помощ", "помощ"},
          std::pair{"Ό&χι", "όχι"}})
        EXPECT_EQ(Plain(caption), Plain(quoted)) << quoted;
    EXPECT_NE(Plain("По"), Plain("Ро"));
}

// The pages name each option, button and menu entry as the windows caption it: every bold
// term (a menu path step by step) is a text of the page's language in i18n.dat. Other
// programs' menus are marked class="office".
TEST(HelpPages, BoldTermsAreTheWindowsCaptions) {
    static const std::map<std::string, std::string> kSections = {
        {"de", "Deutsch"},    {"en", "English"},  {"fr", "Français"},
        {"nl", "Nederlands"}, {"es", "Español"},  {"it", "Italiano"},
        {"bg", "Български"},  {"hr", "Hrvatski"}, {"el", "Ελληνικά"}};
    const std::string file = ReadFile(KASSAVERO_LANGUAGE_FILE);
    for (const auto& folder : fs::directory_iterator(KASSAVERO_HELP_DIR)) {
        if (!folder.is_directory())
            continue;
        const std::string code = folder.path().filename().string();
        ASSERT_TRUE(kSections.contains(code)) << "no language section for help/" << code;
        const std::string& section = kSections.at(code);
        ASSERT_NE(file.find("\n[" + section + "]\n"), std::string::npos) << section;
        std::set<std::string> captions;
        std::istringstream lines(file.substr(file.find(std::string("\n[") + section + "]") + 1));
        std::string line;
        for (std::getline(lines, line); std::getline(lines, line) && !line.starts_with("[");)
            captions.insert(Plain(line.substr(line.find('=') + 1)));
        for (const auto& page : fs::directory_iterator(folder.path())) {
            const std::string html =
                std::regex_replace(ReadFile(page.path()), std::regex(R"(\s+)"), " ");
            const std::regex term(R"(<b>(.*?)</b>)"), arrow(" &rarr; ");
            for (std::sregex_iterator it(html.begin(), html.end(), term), end; it != end; ++it) {
                const std::string path = (*it)[1];
                for (std::sregex_token_iterator step(path.begin(), path.end(), arrow, -1), last;
                     step != last; ++step)
                    EXPECT_TRUE(captions.contains(Plain(*step))) << page.path() << ": " << *step;
            }
        }
    }
}

}  // namespace
}  // namespace kassavero
