#include "numeric/fraction.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <numeric>
#include <random>
#include <vector>

namespace {

struct TextRow {
    double value;
    int largestDenominator;
    const char* text;
};

TEST(Fraction, TextOfValues) {
    const TextRow rows[] = {
        {0.75, 1000, "3/4"},
        {1.5, 1000, "1 1/2"},
        {-1.5, 1000, "-1 1/2"},
        {2, 1000, "2"},
        {0, 1000, "0"},
        {-0.0, 1000, "0"},
        {std::numbers::pi, 1000, "3 16/113"},
        {std::numbers::pi, 100, "3 1/7"},
        {-std::numbers::pi, 100, "-3 1/7"},
        {0.999999999999999, 1000, "1"},
        {2.999999999999999, 1000, "3"},
        {0.0006, 1000, "1/1000"},  // first convergent needs a denominator above the limit
        {0.0001, 1000, "0"},       // and 0 is closer than 1/1000
        {1.0 / 3, 1000, "1/3"},
        {0.1, 1000, "1/10"},
        {0.123456789, 1000, "10/81"},
        {std::numbers::sqrt2, 1000000, "1 195025/470832"},
        {2.0 / 3, 1000000000, "2/3"},
        {1e-15, 1000, "0"},
        {0.5, 0, "0"},  // a limit below 1 leaves no room for a fraction
        {1.5, -7, "1"},
        {9.2e18, 1000, "9200000000000000000"},
        {-9.2e18, 1000, "-9200000000000000000"},
        {1e19, 1000, "1e+19"},  // beyond the 64-bit whole range: no digits are invented
        {-1e300, 1000, "-1.0000000000000001e+300"},
        {std::numeric_limits<double>::infinity(), 1000, "inf"},
        {std::numeric_limits<double>::quiet_NaN(), 1000, "nan"},
    };
    for (const TextRow& r : rows) {
        const CFraction f(r.value);
        EXPECT_EQ(f.ToString(r.largestDenominator), r.text) << r.value << " @" << r.largestDenominator;
        char buf[kFracTextSize];
        EXPECT_STREQ(f.ToStr(buf, r.largestDenominator), r.text) << r.value;
        if (r.value >= 0) {
            EXPECT_EQ(Fracftoa(r.value, r.largestDenominator), r.text) << r.value;
            EXPECT_STREQ(Fracftoa(r.value, buf, r.largestDenominator), r.text) << r.value;
        }
    }
}

TEST(Fraction, LongestTextsFitTheDocumentedBuffer) {
    // Heap buffers of exactly kFracTextSize bytes, so that the address sanitizer sees any overrun.
    const double values[] = {
        -9223372036854774784.0,   // largest whole part with a sign
        -4503599627370495.5,      // longest whole part that still carries a fraction
        -0.61803398874989485,     // numerator and denominator near the int limit
        -1.7976931348623157e308,  // written in the %.17g form
        -2.2250738585072014e-308,
    };
    for (double v : values) {
        std::vector<char> buf(kFracTextSize);
        const std::string want = CFraction(v).ToString(INT_MAX);
        EXPECT_LT(want.size(), static_cast<size_t>(kFracTextSize)) << v;
        EXPECT_EQ(std::string(CFraction(v).ToStr(buf.data(), INT_MAX)), want) << v;
    }
}

TEST(Fraction, RecoversEveryReducedFractionUpToTheLimit) {
    int failures = 0;
    for (int q = 2; q <= 1000 && failures < 5; ++q) {
        for (int p = 1; p < q; ++p) {
            if (std::gcd(p, q) != 1) continue;
            long long whole, num, den;
            FracParts(7 + static_cast<double>(p) / q, whole, num, den, 1000);
            if (whole != 7 || num != p || den != q) {
                ADD_FAILURE() << "7 + " << p << "/" << q << " gave " << whole << " " << num << "/" << den;
                ++failures;
            }
        }
    }
}

TEST(Fraction, RecoversRandomFractionsWithLargeDenominators) {
    std::mt19937_64 rng(20240611);
    for (int i = 0; i < 20000; ++i) {
        const long long q = 2 + static_cast<long long>(rng() % 999999);
        const long long p = 1 + static_cast<long long>(rng() % (q - 1));
        if (std::gcd(p, q) != 1) continue;
        long long whole, num, den;
        FracParts(static_cast<double>(p) / q, whole, num, den, 1000000);
        ASSERT_TRUE(whole == 0 && num == p && den == q) << p << "/" << q << " gave " << num << "/" << den;
    }
}

TEST(Fraction, ReportedErrorIsTheDistanceOfTheApproximation) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> dist(0, 100);
    for (int maxDen : {10, 1000, 1000000, 1000000000}) {
        for (int i = 0; i < 5000; ++i) {
            const double x = dist(rng);
            long long whole, num, den;
            const double error = FracParts(x, whole, num, den, maxDen);
            ASSERT_GE(num, 0) << x;
            ASSERT_LE(den, maxDen) << x;
            if (den != 0) {
                ASSERT_LT(num, den) << x;
            }
            ASSERT_EQ(std::gcd(num, den), num == 0 ? den : 1) << x << " -> " << num << "/" << den;
            const double approx =
                static_cast<double>(whole) + (den != 0 ? static_cast<double>(num) / den : 0);
            ASSERT_NEAR(std::fabs(x - approx), error, 1e-13) << x << " @" << maxDen;
            // A convergent p/q whose successor's denominator exceeds the limit is within 1/(q * limit).
            ASSERT_LE(error, 1.0 / maxDen + 1e-13) << x << " @" << maxDen;
        }
    }
}

}  // namespace
