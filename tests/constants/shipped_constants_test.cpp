// The shipped constants library: it loads whole, its values insert as engine numbers, and the defined
// constants carry their exact values.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "constants/constant_catalog.h"
#include "constants/constant_insert.h"
#include "constants/constant_reader.h"

namespace {

const std::string kDir = ORV_SOURCE_DATA_DIR;

// -?digits(.digits)?(exp(-?digits))? : the number forms the engine reads.
bool isEngineNumber(const std::string& text) {
    std::size_t i = 0;
    auto digits = [&] {
        std::size_t from = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        return i > from;
    };
    if (i < text.size() && text[i] == '-') ++i;
    if (!digits()) return false;
    if (i < text.size() && text[i] == '.' && (++i, !digits())) return false;
    if (text.compare(i, 4, "exp(") == 0) {
        i += 4;
        if (i < text.size() && text[i] == '-') ++i;
        if (!digits() || i >= text.size() || text[i] != ')') return false;
        ++i;
    }
    return i == text.size();
}
const std::string kConst = kDir + "/const.dat";
const std::string kGroups = kDir + "/groupconst.dat";

TEST(ShippedConstants, GroupsAndLevels) {
    CConstant reader;
    reader.setFileName(kConst, kGroups);
    std::vector<CONSTANT_GROUP> groups;
    ASSERT_EQ(reader.getGroupNew(groups), 1);
    std::map<std::string, bool> flags;
    for (const CONSTANT_GROUP& g : groups) flags[g.m_sName] = g.m_bFlag;
    for (const char* name : {"Universal", "Electromagnetic", "Atomic and Nuclear", "Physico-chemical",
                             "Mathematical", "Area Formula", "Volume Formula"})
        EXPECT_TRUE(flags.count(name)) << name;
    EXPECT_TRUE(flags["Atomic and Nuclear"]);
    EXPECT_FALSE(flags["Universal"]);
    for (const CONSTANT_GROUP& g : groups) {
        std::vector<CONSTANT_GROUP> subs;
        EXPECT_EQ(reader.getSubGroup(g.m_sName, subs), 1) << g.m_sName;
        EXPECT_FALSE(subs.empty()) << g.m_sName;
    }
}

TEST(ShippedConstants, EveryValueInsertsAsAnEngineNumberOrFormula) {
    std::vector<ConstantEntry> all = ListAllConstants(kConst, kGroups);
    ASSERT_GE(all.size(), 150u);
    std::set<std::string> seen;
    for (const ConstantEntry& c : all) {
        SCOPED_TRACE(c.group + " / " + c.subGroup + " / " + c.name);
        EXPECT_FALSE(c.value.empty());
        EXPECT_TRUE(seen.insert(c.group + c.subGroup + c.subSubGroup + c.name).second) << "duplicate";
        EXPECT_EQ(c.subSubGroup.empty(), c.group != "Atomic and Nuclear");
        std::string text = ConstantInsertText(c.group, c.value);
        if (c.group == "Area Formula" || c.group == "Volume Formula")
            EXPECT_EQ(text.find(' '), std::string::npos);
        else
            EXPECT_TRUE(isEngineNumber(text)) << text;
    }
}

TEST(ShippedConstants, NumberFormCheck) {
    for (const char* good : {"1", "-2.5", "6.674exp(-11)", "1.2exp(5)"})
        EXPECT_TRUE(isEngineNumber(good)) << good;
    for (const char* bad : {"", "-", "1.", "1e5", "1.2exp(5", "exp(3)", "1.2exp()", "3 m"})
        EXPECT_FALSE(isEngineNumber(bad)) << bad;
}

TEST(ShippedConstants, DefinedAndWellKnownValues) {
    std::map<std::string, std::string> inserted;
    for (const ConstantEntry& c : ListAllConstants(kConst, kGroups))
        inserted[c.name] = ConstantInsertText(c.group, c.value);
    EXPECT_EQ(inserted["speed of light in vacuum (c)"], "299792458");
    EXPECT_EQ(inserted["Planck constant (h)"], "6.62607015exp(-34)");
    EXPECT_EQ(inserted["elementary charge (e)"], "1.602176634exp(-19)");
    EXPECT_EQ(inserted["Boltzmann constant (k)"], "1.380649exp(-23)");
    EXPECT_EQ(inserted["Avogadro constant (NA)"], "6.02214076exp(23)");
    EXPECT_EQ(inserted["Newtonian constant of gravitation (G)"], "6.67430exp(-11)");
    EXPECT_EQ(inserted["inverse fine-structure constant"], "137.035999084");
    EXPECT_EQ(inserted["pi"].substr(0, 34), "3.14159265358979323846264338327950");
    EXPECT_EQ(inserted["Euler's number"].substr(0, 32), "2.718281828459045235360287471352");
    EXPECT_EQ(inserted["Euler-Mascheroni constant (gamma)"].substr(0, 32),
              "0.577215664901532860606512090082");
    EXPECT_EQ(inserted["golden ratio (phi)"].substr(0, 32), "1.618033988749894848204586834365");
    EXPECT_EQ(inserted["square root of 2"].substr(0, 32), "1.414213562373095048801688724209");
    EXPECT_EQ(inserted["circle (radius r)"], "pi*r^2");
    EXPECT_EQ(inserted["sphere (radius r)"], "4/3*pi*r^3");
    EXPECT_EQ(inserted["surface of a sphere (radius r)"], "4*pi*r^2");
}

}  // namespace
