// The help has a page for every context number the program opens, in every language it
// ships; the sources open no number that is not in the table.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
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

}  // namespace
}  // namespace kassavero
