#include "finance/format.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct FormatRow {
    double value;
    int places;
    double expected;
};

// Halves go down for non-negative values, negative values always go to the floor, and binary error is
// left as it is (1.005 is stored just below 1.005).
const FormatRow kFormatRows[] = {
    {2.5, 0, 2.0},
    {2.51, 0, 3.0},
    {0.5, 0, 0.0},
    {0.51, 0, 1.0},
    {2.0, 0, 2.0},
    {-2.3, 0, -3.0},
    {-2.0, 0, -2.0},
    {-0.5, 0, -1.0},
    {-2.7, 0, -3.0},
    {1.005, 2, 1.00},
    {-1200.0013, 2, -1200.01},
    {3.14159, 3, 3.142},
    {0.0058333333, 7, 0.0058333},
    {0.0041666667, 7, 0.0041667},
    {359.9996, 0, 360.0},
    {6.0069999, 3, 6.007},
    {0.00049, 3, 0.0},
    {-0.00049, 3, -0.001},
    {1e300, 2, 1e300},
    {-1e300, 7, -1e300},
};

TEST(Format, RoundingRule) {
    for (const FormatRow& row : kFormatRows) {
        EXPECT_DOUBLE_EQ(finance::Format(row.value, row.places), row.expected)
            << "Format(" << row.value << ", " << row.places << ")";
    }
}

TEST(Format, NaNStaysNaN) {
    EXPECT_TRUE(std::isnan(finance::Format(std::nan(""), 2)));
}

}  // namespace
