// Reading the help-format text files.
#include "app/screens/help/help_document.h"

#include <gtest/gtest.h>

namespace {

HelpDocument Parse(const std::string& text) {
    return ParseHelpDocument(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

using Kind = HelpBlock::Kind;

TEST(HelpDocument, PagesBlocksAndDirectives) {
    const HelpDocument d = Parse(
        "# comment\n"
        "== First\r\n"
        "@category 0, 1 ,x, 999\n"
        "one paragraph\r\n"
        "  continued\n"
        "\n"
        "another\n"
        "| verbatim\n"
        "|   indented\n"
        "|\n"
        "| last\n"
        "@key 54 The sine.\n"
        "@key 200 out of range\n"
        "@key x not a code\n"
        "@key 4\n"
        "@library Name | Licence | Use\n"
        "@library OnlyName\n"
        "@library | nameless\n"
        "==Second\n"
        "text\n");
    ASSERT_EQ(d.pages.size(), 2u);
    const HelpPage& p = d.pages[0];
    EXPECT_EQ(p.title, "First");
    EXPECT_EQ(p.categories, (std::vector<int>{0, 1}));
    ASSERT_EQ(p.blocks.size(), 7u);
    EXPECT_EQ(p.blocks[0].kind, Kind::Text);
    EXPECT_EQ(p.blocks[0].text, "one paragraph continued");
    EXPECT_EQ(p.blocks[1].text, "another");
    EXPECT_EQ(p.blocks[2].kind, Kind::Code);
    EXPECT_EQ(p.blocks[2].text, "verbatim\n  indented\n\nlast");
    EXPECT_EQ(p.blocks[3].kind, Kind::Key);
    EXPECT_EQ(p.blocks[3].code, 54);
    EXPECT_EQ(p.blocks[3].text, "The sine.");
    EXPECT_EQ(p.blocks[4].code, 4);
    EXPECT_EQ(p.blocks[4].text, "");
    EXPECT_EQ(p.blocks[5].kind, Kind::Library);
    EXPECT_EQ(p.blocks[5].name, "Name");
    EXPECT_EQ(p.blocks[5].licence, "Licence");
    EXPECT_EQ(p.blocks[5].text, "Use");
    EXPECT_EQ(p.blocks[6].name, "OnlyName");
    EXPECT_EQ(p.blocks[6].licence, "");
    EXPECT_EQ(d.pages[1].title, "Second");
    EXPECT_EQ(d.explainedKeys(), (std::vector<int>{4, 54}));
    EXPECT_EQ(d.explainedCategories(), (std::vector<int>{0, 1}));
    EXPECT_EQ(d.pageOfCategory(1), 0);
    EXPECT_EQ(d.pageOfCategory(2), -1);
}

TEST(HelpDocument, TextBeforeTheFirstTitleFormsAnUntitledPage) {
    const HelpDocument d = Parse("intro\n== Next\n");
    ASSERT_EQ(d.pages.size(), 2u);
    EXPECT_EQ(d.pages[0].title, "");
    EXPECT_EQ(d.pages[0].blocks[0].text, "intro");
}

TEST(HelpDocument, DamagedInputStillGivesValidText) {
    EXPECT_TRUE(Parse("").pages.empty());
    EXPECT_TRUE(Parse("# only a comment").pages.empty());
    // Bytes that are not UTF-8 become U+FFFD, so the texts can be shown and written as JSON.
    const HelpDocument d = Parse("== T\xff\xfe\nab\x80\xc3\n| \xe2\x82\n");
    ASSERT_EQ(d.pages.size(), 1u);
    EXPECT_EQ(d.pages[0].title, "T\uFFFD\uFFFD");
    EXPECT_EQ(d.pages[0].blocks[0].text, "ab\uFFFD\uFFFD");
    // A NUL byte, a line without an end and a very long line.
    const std::string odd = std::string("== A\n") + '\0' + "x\n" + std::string(100000, 'y');
    const HelpDocument e = Parse(odd);
    ASSERT_EQ(e.pages.size(), 1u);
    ASSERT_EQ(e.pages[0].blocks.size(), 1u);
    EXPECT_EQ(e.pages[0].blocks[0].text.size(), 2u + 1u + 100000u);
    // Larger than the limit: nothing.
    EXPECT_TRUE(Parse("== Big\n" + std::string(kMaxHelpFileSize, 'z')).pages.empty());
}

}  // namespace
