// Conversions of q-type numbers: doubles, integers and decimal text.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>

#include "numeric/qlib.h"
#include "support/mpfr_ref.h"

namespace {

using ref::Mp;

std::string sci(const char* in, int n) {
    QELT x[NQ];
    asctoq(in, x);
    return qtoascex_str(x, n);
}

std::string pos(const char* in, int n) {
    QELT x[NQ];
    asctoq(in, x);
    return qtoasc_str(x, n);
}

TEST(QConvert, ScientificTextRows) {
    struct Row {
        const char* in;
        int n;
        const char* want;
    };
    const Row rows[] = {
        {"1", 4, " 1.0000E0"},       {"-0.000123456", 3, "-1.235E-4"},
        {"9.9996", 3, " 1.000E1"},  // the carry reaches the leading digit
        {"0.125", 1, " 1.2E-1"},    // exact tie: half to even
        {"0.375", 1, " 3.8E-1"},    // exact tie, odd digit rounds up
        {"0", 3, " 0.000E0"},        {"123456789012", 11, " 1.23456789012E11"},
        {"1e-300", 2, " 1.00E-300"}, {"-5", 0, "-5.E0"},
        {"2.5", 150, nullptr},  // digits are clamped to 99
    };
    for (const Row& r : rows) {
        std::string got = sci(r.in, r.n);
        if (r.want) {
            EXPECT_EQ(got, r.want) << r.in << " n=" << r.n;
        } else {
            EXPECT_EQ(got.size(), std::string(" 2.").size() + 99 + 2) << got;
        }
    }
}

TEST(QConvert, PositionalTextRows) {
    struct Row {
        const char* in;
        int n;
        const char* want;
    };
    const Row rows[] = {
        {"2.5", 20, " 2.5"},
        {"100", 20, " 100"},
        {"0", 20, " 0"},
        {"-0.001", 20, "-0.001"},
        {"123.456", 5, " 123.456"},
        {"123.456", 4, " 123.46"},
        {"1e15", 20, " 1000000000000000"},
        {"-1e-5", 3, "-0.00001"},
    };
    for (const Row& r : rows) EXPECT_EQ(pos(r.in, r.n), r.want) << r.in;
    QELT third[NQ], three[NQ];
    ltoq(3, three);
    qdiv(three, qone, third);
    EXPECT_EQ(qtoasc_str(third, 32), " 0." + std::string(33, '3'));
}

TEST(QConvert, ReadingRulesAndErrors) {
    struct Row {
        const char* in;
        double want;
        bool error_printed;
    };
    const Row rows[] = {
        {"1.5e3", 1500, false}, {"  -2.25", -2.25, false}, {"+7", 7, false},      {"1E-2", 0.01, false},
        {".5", 0.5, false},     {"0001.000", 1, false},    {"12\n34", 12, false}, {"3\r", 3, false},
        {"--1", 0, true},       {"1.2.3", 0, true},        {"1-2", 0, true},      {"12a", 0, true},
        {"1e5x", 0, true},      {"1e-9999", 0, false},
    };
    for (const Row& r : rows) {
        QELT x[NQ];
        testing::internal::CaptureStdout();
        asctoq(r.in, x);
        std::string out = testing::internal::GetCapturedStdout();
        double d;
        qtoe(x, &d);
        EXPECT_EQ(d, r.want) << r.in;
        EXPECT_EQ(out == "asctoq conversion error\n", r.error_printed) << r.in << " printed " << out;
    }
    QELT x[NQ];
    Clearmerror();
    testing::internal::CaptureStdout();
    asctoq("1e9999", x);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(qisinf(x));
    EXPECT_EQ(merror, QERR_OVERFLOW);
    EXPECT_EQ(out, "\nasctoq overflow error\n");
    Clearmerror();
    testing::internal::CaptureStdout();
    asctoq("1e32760", x);  // exponent digits pass the limit before the last one
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(qisinf(x));
    Clearmerror();
    asctoq("1e-32760", x);
    EXPECT_TRUE(iszero(x));
    EXPECT_FALSE(iserror());
}

TEST(QConvert, LongIntegerPartKeepsItsMagnitude) {
    // 120 integer digits: only 99 are significant, the rest still count as powers of ten.
    std::string digits = "7" + std::string(119, '3');
    QELT x[NQ];
    asctoq(digits.c_str(), x);
    EXPECT_EQ(qtoascex_str(x, 5), " 7.33333E119");
    std::string frac = "0." + std::string(130, '1');
    asctoq(frac.c_str(), x);
    EXPECT_EQ(qtoascex_str(x, 5), " 1.11111E-1");
}

TEST(QConvert, DoublesRoundTripExactly) {
    std::mt19937_64 rng(99);
    for (int i = 0; i < 20000; ++i) {
        double d;
        std::uint64_t bits = rng();
        std::memcpy(&d, &bits, sizeof d);
        if (!std::isfinite(d)) continue;
        QELT q[NQ];
        etoq(d, q);
        double back;
        qtoe(q, &back);
        ASSERT_EQ(std::memcmp(&d, &back, sizeof d), 0) << d;
    }
    const double specials[] = {DBL_MIN, DBL_TRUE_MIN, -DBL_TRUE_MIN, DBL_MAX, 1.0, -0.5, 3e-320};
    for (double d : specials) {
        QELT q[NQ];
        etoq(d, q);
        double back;
        qtoe(q, &back);
        EXPECT_EQ(back, d);
    }
}

TEST(QConvert, ToDoubleRoundsToNearestEven) {
    std::mt19937_64 rng(5);
    Mp m;
    for (int i = 0; i < 20000; ++i) {
        QELT q[NQ];
        ref::random_q(rng, -1080, 1030, true, q);
        ref::to_mpfr(q, m);
        double want = mpfr_get_d(m, MPFR_RNDN);
        Clearmerror();
        double got;
        testing::internal::CaptureStdout();
        qtoe(q, &got);
        testing::internal::GetCapturedStdout();
        if (std::isinf(want)) {
            EXPECT_EQ(std::fabs(got), DBL_MAX);
            EXPECT_EQ(merror, QERR_OVERFLOW);
        } else {
            ASSERT_EQ(got, want) << ref::describe(q);
        }
    }
    QELT p1024[NQ];
    qmov(qone, p1024);
    p1024[1] = 0x4100 + 1024;
    Clearmerror();
    testing::internal::CaptureStdout();
    double d;
    qtoe(p1024, &d);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nqtoe overflow error\n");
    EXPECT_EQ(d, DBL_MAX);
    EXPECT_EQ(merror, 3);
    Clearmerror();
}

TEST(QConvert, IntegersAreExact) {
    const long values[] = {0, 1, -1, 2147483647L, -2147483647L - 1, 65536, -12345};
    for (long v : values) {
        QELT q[NQ];
        ltoq(v, q);
        long ip;
        QELT fr[NQ];
        qifrac(q, &ip, fr);
        EXPECT_EQ(ip, v == -2147483647L - 1 ? -2147483647L : v);
        EXPECT_TRUE(iszero(fr));
    }
}

TEST(QConvert, NinetyNineDigitsMatchMpfr) {
    std::mt19937_64 rng(2024);
    const int ranges[][2] = {{-4, 4}, {-200, 200}, {-16500, 16500}};
    Mp m;
    char want[256];
    for (int i = 0; i < 12000; ++i) {
        QELT q[NQ];
        ref::random_q(rng, ranges[i % 3][0], ranges[i % 3][1], true, q);
        if (i % 50 == 0) {  // short significands give exact ties in the last digit
            for (int k = 6; k < NQ; ++k) q[k] = 0;
        }
        ref::to_mpfr(q, m);
        mpfr_exp_t e10;
        mpfr_get_str(want, &e10, 10, 100, m, MPFR_RNDN);
        std::string got = qtoascex_str(q, 99);
        // got: sign, digit, '.', 99 digits, "E", exponent. MPFR: optional '-', 100 digits, exponent e10 with
        // value 0.d1d2... * 10^e10.
        std::string wd = want[0] == '-' ? want + 1 : want;
        std::string gd = got.substr(1, 1) + got.substr(3, 99);
        ASSERT_EQ(gd, wd) << ref::describe(q);
        ASSERT_EQ(got.substr(103), std::to_string(static_cast<long>(e10) - 1)) << got;
        ASSERT_EQ(got[0], want[0] == '-' ? '-' : ' ');
    }
}

TEST(QConvert, ReadingMatchesMpfr) {
    std::mt19937_64 rng(31337);
    Mp m;
    for (int i = 0; i < 12000; ++i) {
        int nd = 1 + static_cast<int>(rng() % 99);
        std::string s = (rng() & 1) ? "-" : "";
        int point = static_cast<int>(rng() % (nd + 1));
        for (int k = 0; k < nd; ++k) {
            if (k == point) s += '.';
            s += static_cast<char>('0' + rng() % 10);
        }
        if (s.find_first_of("123456789") == std::string::npos) continue;
        int ex = static_cast<int>(rng() % 9000) - 4500;
        if (i % 3 == 0) ex = static_cast<int>(rng() % 60) - 30;
        s += 'e';
        s += std::to_string(ex);
        QELT q[NQ];
        asctoq(s.c_str(), q);
        mpfr_set_str(m, s.c_str(), 10, MPFR_RNDN);
        ASSERT_EQ(ref::ulp_error(q, m), 0.0) << s;
    }
}

}  // namespace

namespace {

// Whole numbers take a shortcut to their digits; they must agree with MPFR at every digit count.
TEST(QConvert, WholeNumbersMatchMpfrAtEveryLength) {
    std::mt19937_64 rng(77);
    Mp m;
    char want[256];
    for (int i = 0; i < 4000; ++i) {
        unsigned long long v = rng() >> (rng() % 64);
        if (v == 0) v = 1;
        QELT q[NQ];
        etoq(static_cast<double>((v >> 11) | 1), q);  // exact (at most 53 bits), never zero
        if (i & 1) qneg(q);
        const int n = static_cast<int>(rng() % 100);
        ref::to_mpfr(q, m);
        mpfr_exp_t e10;
        mpfr_get_str(want, &e10, 10, n + 1, m, MPFR_RNDN);
        std::string got = qtoascex_str(q, n);
        std::string wd = want[0] == '-' ? want + 1 : want;
        std::string gd = got.substr(1, 1) + got.substr(3, n);
        ASSERT_EQ(gd, wd) << got << " n=" << n;
        std::string exponent = "E";
        exponent += std::to_string(static_cast<long>(e10) - 1);
        ASSERT_EQ(got.substr(3 + n), exponent) << got;
    }
}

}  // namespace
