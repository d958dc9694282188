// Damaged constants files end every read with a defined status and within the list capacities.
#include <gtest/gtest.h>

#include <random>

#include "constants/constant_insert.h"
#include "constants/constant_reader.h"

namespace {

std::string junk(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(gen() & 0xFF);
    return s;
}

std::string repeated(const std::string& piece, std::size_t times) {
    std::string s;
    for (std::size_t i = 0; i < times; ++i) s += piece;
    return s;
}

struct Hostile {
    const char* label;
    std::string text;
};

std::ostream& operator<<(std::ostream& os, const Hostile& c) {
    return os << c.label;
}

class HostileConstants : public ::testing::TestWithParam<Hostile> {};

// The reader's status after a read that returned result.
void expectValid(const CConstant& reader, int result) {
    int status = reader.getStatus();
    EXPECT_TRUE((result == 1 && status == 0) || (result == 0 && status > 0)) << result << " " << status;
}

TEST_P(HostileConstants, ReadsEndWithADefinedStatus) {
    CConstant reader;
    reader.setText(GetParam().text, GetParam().text);
    std::vector<CONSTANT_GROUP> groups;
    expectValid(reader, reader.getGroupNew(groups));
    EXPECT_LE(groups.size(), kMaxConstantGroups);
    expectValid(reader, reader.getSubGroup("A", groups));
    EXPECT_LE(groups.size(), kMaxConstantSubGroups);
    std::vector<CONSTANT_STRUCT> constants;
    expectValid(reader, reader.getConstants("A", constants));
    EXPECT_LE(constants.size(), kMaxConstants);
    for (const CONSTANT_STRUCT& c : constants) ConstantInsertText("A", c.m_sValue);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileConstants,
    ::testing::Values(Hostile{"binary junk", junk(100000, 7)},
                      Hostile{"1 MB line", std::string(1 << 20, 'e')},
                      Hostile{"1 MB header", "#Begin A 0 " + std::string(1 << 20, '#')},
                      Hostile{"unbalanced Begins", repeated("#Begin A 0\nx 1\n", 5000)},
                      Hostile{"unbalanced Ends", repeated("#End\n", 5000) + "#Begin A 0\n#End\n"},
                      Hostile{"missing words", "#Begin A 0\n#Begin\nx\n"},
                      Hostile{"NUL bytes", repeated(std::string("#Begin\0 A 0\nx\0 1\n", 16), 300)}));

TEST(HostileConstants, InsertTextOfOddValues) {
    EXPECT_EQ(ConstantInsertText("G", "eee"), "expexpexp()");
    EXPECT_EQ(ConstantInsertText("G", "+e+"), "exp()");
    EXPECT_EQ(ConstantInsertText("G", std::string(5000, 'e')).size(), 3u * 5000 + 2);
}

}  // namespace
