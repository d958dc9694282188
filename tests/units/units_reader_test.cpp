// Grammar of the sectioned data files as CUnits reads them.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "units/units_reader.h"

namespace {

// "name|symbol|factor|offset|numer,.../denom,..." for compact comparisons.
std::string describe(const std::vector<UNIT_STRUCT>& units) {
    std::ostringstream out;
    for (const UNIT_STRUCT& u : units) {
        out << u.m_sName << '|' << u.m_sSymbol << '|' << u.m_dbFactor << '|' << u.m_dbOffset << '|';
        for (std::size_t i = 0; i < u.m_arrNumer.size(); ++i) out << (i ? "," : "") << u.m_arrNumer[i];
        out << '/';
        for (std::size_t i = 0; i < u.m_arrDenom.size(); ++i) out << (i ? "," : "") << u.m_arrDenom[i];
        out << ';';
    }
    return out.str();
}

struct ReadCase {
    const char* label;
    std::string text;
    const char* section;
    int result;
    int status;
    const char* units;
};

std::ostream& operator<<(std::ostream& os, const ReadCase& c) {
    return os << c.label;
}

const std::string kPad(300, ' ');

class GetUnitsTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(GetUnitsTest, ReadsSection) {
    const ReadCase& c = GetParam();
    CUnits reader;
    reader.setText(c.text);
    std::vector<UNIT_STRUCT> units;
    EXPECT_EQ(reader.getUnits(c.section, units), c.result);
    EXPECT_EQ(reader.getStatus(), c.status);
    EXPECT_EQ(describe(units), c.units);
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, GetUnitsTest,
    ::testing::Values(
        ReadCase{"base and derived", "#Begin Length\nmetre m !\nKilometre km 1000 0 m\n#End\n", "Length", 1,
                 0, "metre|m|1|0|/;Kilometre|km|1000|0|m/;"},
        ReadCase{"tabs colons and underscores", "#Begin\tLength\nnautical_mile:nmi\t1852 0 m\n#End", "Length",
                 1, 0, "nautical mile|nmi|1852|0|m/;"},
        ReadCase{"words after the base mark ignored", "#Begin A\nmetre m ! 5 x\n#End\n", "A", 1, 0,
                 "metre|m|1|0|/;"},
        ReadCase{"definition word underscores", "#Begin A\nx x 2 0 nautical_mile\n#End\n", "A", 1, 0,
                 "x|x|2|0|nautical mile/;"},
        ReadCase{"lines outside the section are not read", "bad\n#Begin A\na a !\n#End\nbad line\n", "A", 1,
                 0, "a|a|1|0|/;"},
        ReadCase{"every section of the name, nested included",
                 "#Begin A\na a !\n#Begin Inner\nb b 2 0 a\n#End\n#End\n#Begin B\nc c !\n#End\n#Begin A\nd d "
                 "3 0 a\n"
                 "#End\n",
                 "A", 1, 0, "a|a|1|0|/;b|b|2|0|a/;d|d|3|0|a/;"},
        ReadCase{"headers in any case, hashes anywhere", "##bEgIn## A\na a !\n# eNd #\nb b !\n", "A", 1, 0,
                 "a|a|1|0|/;"},
        ReadCase{"comment lines and blank lines", "# Source: NIST\n\n#Begin A\n# note\n   \na a !\n#End\n",
                 "A", 1, 0, "a|a|1|0|/;"},
        ReadCase{"indented header is a header here", "#Begin A\na a !\n   #End\nb b !\n", "A", 1, 0,
                 "a|a|1|0|/;"},
        ReadCase{"stray End before the section is ignored", "#End\n#End\n#Begin A\na a !\n#End\n", "A", 1, 0,
                 "a|a|1|0|/;"},
        ReadCase{"Begin without a name", "#Begin A\na a !\n#Begin\nb b !\n", "A", 0, 3, "a|a|1|0|/;"},
        ReadCase{"Begin without a name outside the section", "#Begin\n#Begin A\na a !\n", "A", 0, 1, ""},
        ReadCase{"line cut before the fifth word", "#Begin A\na a !\nb b 2 0\nc c !\n#End\n", "A", 0, 3,
                 "a|a|1|0|/;"},
        ReadCase{"line cut before the third word", "#Begin A\na a\n#End\n", "A", 0, 2, ""},
        ReadCase{"line longer than 255 read as two", "#Begin A\na a !" + kPad + "b b 2 0 a\n#End\n", "A", 1,
                 0, "a|a|1|0|/;b|b|2|0|a/;"},
        ReadCase{"NUL byte ends the line's text", std::string("#Begin A\na a !\nb b 2\0 0 a\n#End\n", 30),
                 "A", 0, 3, "a|a|1|0|/;"},
        ReadCase{"missing section", "#Begin A\na a !\n#End\n", "B", 1, 0, ""},
        ReadCase{"unbalanced Begin reads to the end", "#Begin A\na a !\n#Begin A\nb b !\n", "A", 1, 0,
                 "a|a|1|0|/;b|b|1|0|/;"}));

TEST(GetUnits, MissingFileGivesMinusOne) {
    CUnits reader;
    reader.setFileName("/nonexistent/units.dat");
    std::vector<UNIT_STRUCT> units(3);
    EXPECT_EQ(reader.getUnits("Length", units), 0);
    EXPECT_EQ(reader.getStatus(), -1);
    EXPECT_TRUE(units.empty());
}

TEST(GetUnits, StopsCleanlyAtCapacity) {
    std::ostringstream text;
    text << "#Begin A\n";
    for (int i = 0; i < 700; ++i) text << 'u' << i << " s" << i << " !\n";
    text << "#End\n";
    CUnits reader;
    reader.setText(text.str());
    std::vector<UNIT_STRUCT> units;
    EXPECT_EQ(reader.getUnits("A", units), 1);
    ASSERT_EQ(units.size(), kMaxListUnits);
    EXPECT_EQ(units.back().m_sName, "u609");
}

TEST(GetUnits, ReadsFromAFile) {
    std::string path = ::testing::TempDir() + "units_reader_test.dat";
    std::ofstream(path) << "#Begin Length\r\nmetre m !\r\nKilometre km 1000 0 m\r\n#End\r\n";
    CUnits reader;
    reader.setFileName(path);
    std::vector<UNIT_STRUCT> units;
    EXPECT_EQ(reader.getUnits("Length", units), 1);
    EXPECT_EQ(describe(units), "metre|m|1|0|/;Kilometre|km|1000|0|m/;");
    std::remove(path.c_str());
}

struct Units2Case {
    const char* label;
    std::string text;
    int result;
    int status;
    int type;
    const char* units;
};

std::ostream& operator<<(std::ostream& os, const Units2Case& c) {
    return os << c.label;
}

class GetUnits2Test : public ::testing::TestWithParam<Units2Case> {};

TEST_P(GetUnits2Test, ReadsFirstSection) {
    const Units2Case& c = GetParam();
    CUnits reader;
    reader.setText(c.text);
    std::vector<UNIT_STRUCT> units;
    int type = -7;
    EXPECT_EQ(reader.getUnits2("A", units, type), c.result);
    EXPECT_EQ(reader.getStatus(), c.status);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(describe(units), c.units);
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, GetUnits2Test,
    ::testing::Values(
        Units2Case{"type number", "#Begin B 1\n#End\n#Begin A 3\na a !\n#End\n", 1, 0, 3, "a|a|1|0|/;"},
        Units2Case{"only the first section", "#Begin A 0\na a !\n#End\n#Begin A 0\nb b !\n#End\n", 1, 0, 0,
                   "a|a|1|0|/;"},
        Units2Case{"stops at the End: later damage unseen", "#Begin A 0\na a !\n#End\n#Begin\n", 1, 0, 0,
                   "a|a|1|0|/;"},
        Units2Case{"indented hash line is a comment", "#Begin A 2\na a !\n  #End\nb b !\n#End\n", 1, 0, 2,
                   "a|a|1|0|/;b|b|1|0|/;"},
        Units2Case{"missing type number", "#Begin B 0\n#End\n#Begin A\na a !\n#End\n", 0, 3, 0, ""},
        Units2Case{"line up to 511 is one line", "#Begin A 0\na a !" + kPad + "b b 2 0 a\n#End\n", 1, 0, 0,
                   "a|a|1|0|/;"},
        Units2Case{"line beyond 511 read as two", "#Begin A 0\na a !" + kPad + kPad + "b b 2 0 a\n#End\n", 1,
                   0, 0, "a|a|1|0|/;b|b|2|0|a/;"},
        Units2Case{"malformed line keeps the units before it", "#Begin A 0\na a !\nb b 2\n#End\n", 0, 3, 0,
                   "a|a|1|0|/;"},
        Units2Case{"section missing", "#Begin B 0\nb b !\n#End\n", 1, 0, 0, ""}));

struct GroupCase {
    const char* label;
    std::string text;
    int result;
    int status;
    const char* groups;  // "name:type:flag1:flag2;"
};

std::ostream& operator<<(std::ostream& os, const GroupCase& c) {
    return os << c.label;
}

class GroupListTest : public ::testing::TestWithParam<GroupCase> {};

TEST_P(GroupListTest, ListsDepthOneSections) {
    const GroupCase& c = GetParam();
    CUnits reader;
    reader.setText(c.text);
    std::vector<UNIT_GROUP> groups;
    EXPECT_EQ(reader.getGroupConvertNew(groups), c.result);
    EXPECT_EQ(reader.getStatus(), c.status);
    std::ostringstream out;
    for (const UNIT_GROUP& g : groups)
        out << g.m_sName << ':' << g.m_iType << ':' << g.m_bType1 << ':' << g.m_bType2 << ';';
    EXPECT_EQ(out.str(), c.groups);
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, GroupListTest,
    ::testing::Values(
        GroupCase{"types and flags",
                  "#Begin Length 0\n#End\n#Begin Fuel_Consumption 3\n#End\n#Begin Extra 1\n#End\n#Begin "
                  "Hidden 2\n#End\n",
                  1, 0, "Length:0:0:0;Fuel Consumption:3:0:0;Extra:1:1:0;Hidden:2:0:1;"},
        GroupCase{"Constant groups are not listed",
                  "#Begin Constants 0\n#End\n#Begin cONSTANTs_of_nature 0\n#End\n#Begin Const 0\n#End\n", 1,
                  0, "Const:0:0:0;"},
        GroupCase{"nested sections and data lines ignored",
                  "#Begin Outer 0\nx x !\n#Begin Inner 0\n#End\n#End\n", 1, 0, "Outer:0:0:0;"},
        GroupCase{"missing type number", "#Begin Length 0\n#End\n#Begin Area\n#End\n", 0, 3, "Length:0:0:0;"},
        GroupCase{"stray End does not shift depth", "#End\n#Begin Length 0\n#End\n", 1, 0, "Length:0:0:0;"},
        GroupCase{"unclosed section is not listed", "#Begin Length 0\n#End\n#Begin Area 0\n", 1, 0,
                  "Length:0:0:0;"}));

TEST(GroupList, CapacityIsTwoHundred) {
    std::ostringstream text;
    for (int i = 0; i < 250; ++i) text << "#Begin G" << i << " 0\n#End\n";
    CUnits reader;
    std::vector<UNIT_GROUP> groups;
    reader.setText(text.str());
    EXPECT_EQ(reader.getGroupConvertNew(groups), 1);
    EXPECT_EQ(groups.size(), kMaxGroups);
}

TEST(ClothingChart, RowsKeepCellsAsWritten) {
    CUnits reader;
    reader.setText(
        "#Begin Rings\nUS 3 4 5\nUK F H J_1/2\nInner_diameter_(mm)\n#End\n#Begin Rings\nX 1\n#End\n");
    std::vector<UNIT_STRUCT> rows;
    EXPECT_EQ(reader.getSpecialUnits("Rings", rows), 1);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].m_sName, "US");
    EXPECT_EQ(rows[1].m_arrNumer, (std::vector<std::string>{"F", "H", "J_1/2"}));
    EXPECT_EQ(rows[2].m_sName, "Inner diameter (mm)");
    EXPECT_TRUE(rows[2].m_arrNumer.empty());
}

TEST(ClothingChart, LongRowsUpTo2047AndCellLimit) {
    std::string row = "US";
    for (int i = 0; i < 250; ++i)
        row.append(" ").push_back(static_cast<char>('0' + i % 10));  // 502 characters
    CUnits reader;
    reader.setText("#Begin C\n" + row + "\n#End\n");
    std::vector<UNIT_STRUCT> rows;
    EXPECT_EQ(reader.getSpecialUnits("C", rows), 1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].m_arrNumer.size(), kMaxChartCells);
}

TEST(ClothingChart, BeginWithoutNameFails) {
    CUnits reader;
    reader.setText("#Begin C\nUS 1 2\n#Begin\n#End\n");
    std::vector<UNIT_STRUCT> rows;
    EXPECT_EQ(reader.getSpecialUnits("C", rows), 0);
    EXPECT_EQ(reader.getStatus(), 3);
    EXPECT_EQ(rows.size(), 1u);
}

TEST(WordHelpers, FindWordAndTrim) {
    std::string line = "  alpha   beta gamma ";
    std::string word;
    EXPECT_EQ(CUnits::findWord(word, line), 1);
    EXPECT_EQ(word, "alpha");
    EXPECT_EQ(line, "beta gamma ");
    EXPECT_EQ(CUnits::findWord(word, line), 1);
    EXPECT_EQ(CUnits::findWord(word, line), 1);
    EXPECT_EQ(word, "gamma");
    EXPECT_EQ(CUnits::findWord(word, line), 0);
    EXPECT_EQ(word, "");

    std::string text = "\t \xE2\x84\x83 x \r\n";  // a non-ASCII byte at the edge must not upset isspace
    CUnits::trimLeft(text);
    CUnits::trimRight(text);
    EXPECT_EQ(text, "\xE2\x84\x83 x");
}

}  // namespace
