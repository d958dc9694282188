// The introduction screen's text presents every option that orvcalc --help lists.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <string>

namespace {

std::string HelpText() {
    std::string cmd = "'";
    cmd += ORVCALC_PATH;
    cmd += "' --help 2>/dev/null </dev/null";
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
    return out;
}

TEST(CliIntroduction, TheIntroductionNamesEveryOption) {
    const std::string help = HelpText();
    std::ifstream in(std::string(ORV_SOURCE_DATA_DIR) + "/help/introduction.txt");
    const std::string intro((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(intro.empty());
    std::set<std::string> options;
    const std::regex option(R"(--[a-z][a-z-]*)");
    for (auto it = std::sregex_iterator(help.begin(), help.end(), option); it != std::sregex_iterator(); ++it)
        options.insert(it->str());
    EXPECT_GE(options.size(), 20u);
    for (const std::string& o : options) {
        const std::regex word(o + R"((?![a-z-]))");
        EXPECT_TRUE(std::regex_search(intro, word)) << o << " is not in the introduction";
    }
}

}  // namespace
