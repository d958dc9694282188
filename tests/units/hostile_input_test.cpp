// Damaged and hostile data files: every reader ends with a defined status, within its capacities, and the
// converter stays usable. (The fuzz targets under fuzz/ explore this further.)
#include <gtest/gtest.h>

#include <random>

#include "units/unit_convert.h"
#include "units/units_reader.h"

namespace {

struct Hostile {
    const char* label;
    std::string text;
    int getUnitsStatus;  // status of getUnits("A"); -99 = any valid status
};

std::ostream& operator<<(std::ostream& os, const Hostile& c) {
    return os << c.label;
}

std::string junk(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(gen() & 0xFF);
    return s;
}

std::string repeated(const std::string& piece, std::size_t times) {
    std::string s;
    s.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) s += piece;
    return s;
}

const std::size_t kMegabyte = 1 << 20;

std::vector<Hostile> cases() {
    return {
        {"binary junk", junk(200000, 1), -99},
        {"junk after a good section", "#Begin A 0\na a !\n#End\n" + junk(50000, 2), 0},
        {"1 MB line without a break", std::string(kMegabyte, 'x'), 0},
        {"1 MB line inside a section", "#Begin A 0\na a ! " + std::string(kMegabyte, 'y') + "\n#End\n", 3},
        {"1 MB header line", "#Begin A 0 " + std::string(kMegabyte, '#') + "\n", 0},
        {"1 MB of unit lines", "#Begin A 0\n" + repeated("u u !\n", kMegabyte / 6), 0},
        {"ten thousand Begins", repeated("#Begin A 0\n", 10000) + "a a !\n", 0},
        {"ten thousand Ends", repeated("#End\n", 10000) + "#Begin A 0\na a !\n#End\n", 0},
        {"Begin without name", "#Begin A 0\na a !\n#Begin\n", 3},
        {"unit without symbol", "#Begin A 0\nlonely\n#End\n", 2},
        {"unit without definition", "#Begin A 0\na a 1 0\n#End\n", 2},
        {"NUL bytes everywhere", "#Begin A 0\n" + repeated(std::string("a\0a !\n", 6), 1000) + "#End\n", 2},
        {"NUL at the start of every line", repeated(std::string("\0#Begin A 0\n", 12), 100), 0},
        {"absurd numbers",
         "#Begin A 99999999999999999999\nb b !\nx x 1e999 nan b\ny y -inf 0 x\nz z 0x1p3 0 b\n#End\n", 0},
        {"circular and self definitions", "#Begin A 0\nb b !\np p 2 0 q\nq q 3 0 p\ns s 4 0 s\n#End\n", 0},
        {"CR only line ends", "#Begin A 0\ra a !\r#End\r", 0},
    };
}

class HostileInput : public ::testing::TestWithParam<Hostile> {};

void expectValid(int result, int status, std::size_t count, std::size_t capacity) {
    EXPECT_TRUE((result == 1 && status == 0) || (result == 0 && status > 0)) << result << " " << status;
    EXPECT_LE(count, capacity);
}

TEST_P(HostileInput, ReadersEndWithADefinedStatus) {
    const Hostile& c = GetParam();
    CUnits reader;
    reader.setText(c.text);
    std::vector<UNIT_STRUCT> units;
    int result = reader.getUnits("A", units);
    expectValid(result, reader.getStatus(), units.size(), kMaxListUnits);
    if (c.getUnitsStatus != -99) {
        EXPECT_EQ(reader.getStatus(), c.getUnitsStatus);
    }

    int type = 0;
    result = reader.getUnits2("A", units, type);
    expectValid(result, reader.getStatus(), units.size(), kMaxLoadedUnits);
    std::vector<UNIT_GROUP> groups;
    result = reader.getGroupConvertNew(groups);
    expectValid(result, reader.getStatus(), groups.size(), kMaxGroups);
    result = reader.getSpecialUnits("A", units);
    expectValid(result, reader.getStatus(), units.size(), kMaxListUnits);
    for (const UNIT_STRUCT& row : units) EXPECT_LE(row.m_arrNumer.size(), kMaxChartCells);
}

TEST_P(HostileInput, ConverterStaysUsable) {
    const Hostile& c = GetParam();
    CUnitConvert conv;
    for (int flat = 0; flat < 2; ++flat) {
        if (flat)
            conv.openFileText(c.text);
        else
            conv.openGroupText("A", c.text);
        EXPECT_GE(conv.getStatus(), 0);
        EXPECT_LE(conv.getCount(), static_cast<int>(kMaxLoadedUnits));
        const auto& loaded = conv.getUnits();
        for (std::size_t i = 0; i < loaded.size() && i < 8; ++i)
            for (std::size_t j = 0; j < loaded.size() && j < 8; ++j) {
                double factor = 0, offset = 0;
                bool reciprocal = false;
                if (conv.compareUnits(loaded[i].m_sSymbol, loaded[j].m_sSymbol, factor, offset, reciprocal)) {
                    EXPECT_TRUE(std::isfinite(factor) && std::isfinite(offset)) << i << "->" << j;
                } else {
                    EXPECT_EQ(conv.getStatus(), kStatusNotConvertible);
                }
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, HostileInput, ::testing::ValuesIn(cases()));

TEST(HostileInput, LongLineIsCutIntoReaderSizedPieces) {
    // 1 MB of one word after a unit line: the piece boundaries decide what is read, and the read stops at
    // the first piece that is no unit line (its number counts every piece before it).
    std::string text = "#Begin A 0\na a 1 0 " + std::string(kMegabyte, 'm') + "\n#End\n";
    CUnits reader;
    reader.setText(text);
    std::vector<UNIT_STRUCT> units;
    EXPECT_EQ(reader.getUnits("A", units), 0);
    EXPECT_EQ(reader.getStatus(), 3);
    ASSERT_EQ(units.size(), 1u);
    EXPECT_EQ(units[0].m_arrNumer[0].size(), 255u - 8u);
}

}  // namespace
