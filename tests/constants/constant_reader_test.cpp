// Grammar of the constants files as CConstant reads them.
#include <gtest/gtest.h>

#include <sstream>

#include "constants/constant_reader.h"

namespace {

const char* const kGroups = "# groups\n#Begin Universal 0\n#End\n#Begin Atomic_and_Nuclear 1\n#End\n";

const char* const kConstants =
    "#Begin Universal 0\n"
    "  #Begin Speed 0\n"
    "    speed_of_light 299792458_m_s^-1\n"
    "  #End\n"
    "  #Begin Gravitation 0\n"
    "    G 6.67430e-11_m^3_kg^-1_s^-2\n"
    "    #Begin Deeper 0\n"
    "      g_n 9.80665\n"
    "    #End\n"
    "  #End\n"
    "#End\n"
    "#Begin Atomic_and_Nuclear 1\n"
    "  #Begin Leptons 1\n"
    "    #Begin Electron 0\n"
    "      electron_mass 9.1093837015e-31_kg\n"
    "    #End\n"
    "  #End\n"
    "#End\n"
    "#Begin Speed 0\n"
    "  other 1\n"
    "#End\n";

std::string names(const std::vector<CONSTANT_GROUP>& groups) {
    std::ostringstream out;
    for (const CONSTANT_GROUP& g : groups) out << g.m_sName << ':' << g.m_bFlag << ';';
    return out.str();
}

std::string names(const std::vector<CONSTANT_STRUCT>& constants) {
    std::ostringstream out;
    for (const CONSTANT_STRUCT& c : constants) out << c.m_sName << '=' << c.m_sValue << ';';
    return out.str();
}

TEST(ConstantReader, GroupsSubGroupsAndConstants) {
    CConstant reader;
    reader.setText(kConstants, kGroups);
    std::vector<CONSTANT_GROUP> groups;
    EXPECT_EQ(reader.getGroupNew(groups), 1);
    EXPECT_EQ(names(groups), "Universal:0;Atomic and Nuclear:1;");

    EXPECT_EQ(reader.getSubGroup("Universal", groups), 1);
    EXPECT_EQ(names(groups), "Speed:0;Gravitation:0;") << "direct children only";
    EXPECT_EQ(reader.getSubGroup("Atomic and Nuclear", groups), 1);
    EXPECT_EQ(names(groups), "Leptons:1;");
    EXPECT_EQ(reader.getSubGroup("Leptons", groups), 1);
    EXPECT_EQ(names(groups), "Electron:0;");
    EXPECT_EQ(reader.getSubGroup("Missing", groups), 1);
    EXPECT_TRUE(groups.empty());

    std::vector<CONSTANT_STRUCT> constants;
    EXPECT_EQ(reader.getConstants("Speed", constants), 1);
    EXPECT_EQ(names(constants), "speed of light=299792458 m s^-1;") << "first section of the name only";
    EXPECT_EQ(reader.getConstants("Gravitation", constants), 1);
    EXPECT_EQ(names(constants), "G=6.67430e-11 m^3 kg^-1 s^-2;g n=9.80665;") << "nested sections included";
    EXPECT_EQ(reader.getConstants("Universal", constants), 1);
    EXPECT_EQ(constants.size(), 3u);
}

struct BadCase {
    const char* label;
    std::string text;
    int line;
};

std::ostream& operator<<(std::ostream& os, const BadCase& c) {
    return os << c.label;
}

class ConstantsFailure : public ::testing::TestWithParam<BadCase> {};

TEST_P(ConstantsFailure, SubGroupAndConstantReadsStopAtTheLine) {
    const BadCase& c = GetParam();
    CConstant reader;
    reader.setText(c.text, c.text);
    std::vector<CONSTANT_GROUP> groups;
    EXPECT_EQ(reader.getSubGroup("A", groups), 0);
    EXPECT_EQ(reader.getStatus(), c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, ConstantsFailure,
    ::testing::Values(BadCase{"header without name", "#Begin A 0\n#Begin\n#End\n#End\n", 2},
                      BadCase{"sub-group without type", "#Begin A 0\n#Begin B\n#End\n#End\n", 2},
                      BadCase{"damage after the match is still seen",
                              "#Begin A 0\n#Begin B 0\n#End\n#End\n#Begin C\n", 5}));

TEST(ConstantReader, ConstantWithoutValueFails) {
    CConstant reader;
    reader.setText("#Begin A\nx 1\nlonely\ny 2\n#End\n", "");
    std::vector<CONSTANT_STRUCT> constants;
    EXPECT_EQ(reader.getConstants("A", constants), 0);
    EXPECT_EQ(reader.getStatus(), 3);
    EXPECT_EQ(names(constants), "x=1;");
}

TEST(ConstantReader, HeaderWordsArePrefixes) {
    // "Beginning" opens and "Ending" closes, as only the first letters are compared; ":" reads as a blank.
    CConstant reader;
    reader.setText("#BEGINNING A\nx:1\n# ending here\ny 2\n", "#begin G 0\n#endgroup\n");
    std::vector<CONSTANT_STRUCT> constants;
    EXPECT_EQ(reader.getConstants("A", constants), 1);
    EXPECT_EQ(names(constants), "x=1;");
    std::vector<CONSTANT_GROUP> groups;
    EXPECT_EQ(reader.getGroupNew(groups), 1);
    EXPECT_EQ(names(groups), "G:0;");
}

TEST(ConstantReader, LongLineIsReadAsSeveral) {
    std::string pad(260, ' ');
    CConstant reader;
    reader.setText("#Begin A\nx 1" + pad + "y 2\n#End\n", "");
    std::vector<CONSTANT_STRUCT> constants;
    EXPECT_EQ(reader.getConstants("A", constants), 1);
    EXPECT_EQ(names(constants), "x=1;y=2;");
}

TEST(ConstantReader, StrayEndAndCapacity) {
    std::ostringstream text;
    text << "#End\n#Begin A\n";
    for (int i = 0; i < 130; ++i) text << "c" << i << " " << i << "\n";
    text << "#End\n";
    CConstant reader;
    reader.setText(text.str(), "#End\n#Begin G 0\n#End\n");
    std::vector<CONSTANT_STRUCT> constants;
    EXPECT_EQ(reader.getConstants("A", constants), 1);
    EXPECT_EQ(constants.size(), kMaxConstants);
    std::vector<CONSTANT_GROUP> groups;
    EXPECT_EQ(reader.getGroupNew(groups), 1);
    EXPECT_EQ(names(groups), "G:0;");
}

TEST(ConstantReader, MissingOrOverlongPath) {
    CConstant reader;
    std::vector<CONSTANT_GROUP> groups;
    reader.setFileName("/nonexistent/const.dat", "/nonexistent/groupconst.dat");
    EXPECT_EQ(reader.getGroupNew(groups), 0);
    EXPECT_EQ(reader.getStatus(), -1);
    std::string longPath = "/" + std::string(300, 'x');
    reader.setFileName(longPath, longPath);
    std::vector<CONSTANT_STRUCT> constants;
    EXPECT_EQ(reader.getConstants("A", constants), 0);
    EXPECT_EQ(reader.getStatus(), -1);
}

}  // namespace
