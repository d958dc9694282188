// Run-time lookup of the data directory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "units/data_path.h"

namespace {

class DataPath : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* old = std::getenv("ORVCALC_DATA_DIR");
        m_bHadOld = old != nullptr;
        if (old) m_sOld = old;
    }
    void TearDown() override {
        if (m_bHadOld)
            setenv("ORVCALC_DATA_DIR", m_sOld.c_str(), 1);
        else
            unsetenv("ORVCALC_DATA_DIR");
    }
    bool m_bHadOld = false;
    std::string m_sOld;
};

TEST_F(DataPath, EnvironmentWins) {
    setenv("ORVCALC_DATA_DIR", "/opt/orvane/data", 1);
    EXPECT_EQ(DataDirectory(), "/opt/orvane/data");
    EXPECT_EQ(DataFilePath("units.dat"), "/opt/orvane/data/units.dat");
}

TEST_F(DataPath, FallsBackToTheSourceTree) {
    unsetenv("ORVCALC_DATA_DIR");
    std::string dir = DataDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_TRUE(std::filesystem::equivalent(dir, ORV_SOURCE_DATA_DIR));
    setenv("ORVCALC_DATA_DIR", "", 1);
    EXPECT_TRUE(std::filesystem::equivalent(DataDirectory(), ORV_SOURCE_DATA_DIR))
        << "an empty value is unset";
    EXPECT_TRUE(std::filesystem::exists(DataFilePath("const.dat")));
}

}  // namespace
