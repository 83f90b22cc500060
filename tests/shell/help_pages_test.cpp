// SPDX-License-Identifier: GPL-3.0-or-later
// The help has a page for every context number the program opens, in every language it
// ships, naming things as the windows do; the sources open no number that is not in the
// table.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

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

// A caption as the pages quote it: without access-key marks, quotes, the colon or ellipsis
// at its end, and letter case.
std::string Plain(std::string text) {
    text = std::regex_replace(text, std::regex(R"(&|^"|^\s+|[\s:."]+$|\xE2\x80\xA6$)"), "");
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return c < 0x80 ? std::tolower(c) : c; });
    return text;
}

// The pages name each option, button and menu entry as the windows caption it: every bold
// term (a menu path step by step) is a text of the page's language in i18n.dat. Other
// programs' menus are marked class="office".
TEST(HelpPages, BoldTermsAreTheWindowsCaptions) {
    const std::string file = ReadFile(KASSAVERO_LANGUAGE_FILE);
    for (const auto& [code, section] : {std::pair{"de", "Deutsch"}, std::pair{"en", "English"}}) {
        std::set<std::string> captions;
        std::istringstream lines(file.substr(file.find(std::string("\n[") + section + "]") + 1));
        std::string line;
        for (std::getline(lines, line); std::getline(lines, line) && !line.starts_with("[");)
            captions.insert(Plain(line.substr(line.find('=') + 1)));
        for (const auto& page : fs::directory_iterator(fs::path(KASSAVERO_HELP_DIR) / code)) {
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
