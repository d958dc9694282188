// orvcalc's finance commands end to end: the loan and mortgage tables, the TVM solver, usage errors and
// refused inputs.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    std::string out, err;
    int status = -1;
};

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

Outcome Orvcalc(const std::vector<std::string>& args) {
    // One file per process: ctest runs the tests of this program side by side.
    const std::string errPath = testing::TempDir() + "orvcalc_finance_err." + std::to_string(getpid());
    std::string cmd = Quote(ORVCALC_PATH);
    for (const std::string& a : args) cmd += ' ' + Quote(a);
    cmd += " 2>" + Quote(errPath) + " </dev/null";
    Outcome r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) r.out.append(buf, n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    std::ifstream in(errPath);
    std::stringstream err;
    err << in.rdbuf();
    r.err = err.str();
    std::remove(errPath.c_str());
    return r;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(CliFinance, LoanSummaryAndTable) {
    const Outcome r = Orvcalc({"--loan", "1000", "7", "12", "12", "100"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 4u + 1u + 1u + 11u);
    EXPECT_EQ(lines[0], "Interest rate per period: 0.5833");
    EXPECT_EQ(lines[1], "Payment per period: 100.00");
    EXPECT_EQ(lines[2], "Total Payments: 1033.41");
    EXPECT_EQ(lines[3], "Total Interest: 33.41");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "Period  Years  Balance  Interest  Principal");
    EXPECT_EQ(lines[16], "    11  0.917    33.22      0.19      33.41");

    const Outcome csv = Orvcalc({"--csv", "--loan", "1000", "7", "12", "12", "-1"});
    const std::vector<std::string> rows = Lines(csv.out);
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows[0], "Period,Years,Balance,Interest,Principal");
    EXPECT_EQ(rows[12], "12,1.000,85.98,0.50,86.48");
}

TEST(CliFinance, MortgageGroupsMonthsByYear) {
    const Outcome r = Orvcalc({"--mortgage", "10000", "6", "2.5", "--csv"});
    EXPECT_EQ(r.status, 0);
    const std::vector<std::string> rows = Lines(r.out);
    ASSERT_EQ(rows.size(), 1u + 30u + 2u);
    EXPECT_EQ(rows[0], "Year,Month,Print%,Interest,Balance");
    EXPECT_EQ(rows[13].substr(0, 8), "1,Total,");
    EXPECT_EQ(rows[32].substr(0, 6), "3,Jun,");
    const Outcome plain = Orvcalc({"--mortgage", "10000", "6", "5"});
    EXPECT_EQ(Lines(plain.out)[0], "Monthly payment: 193.33");
    EXPECT_EQ(Lines(plain.out).size(), 4u + 1u + 1u + 65u);
}

TEST(CliFinance, TvmPrintsTheSolvedBox) {
    const std::vector<std::string> values = {"NPER=360",  "RATE=6.007", "PV=200000",
                                             "PMT=-1200", "FV=0",       "PPY=12"};
    const std::pair<const char*, const char*> rows[] = {{"NPER", "360.00\n"},
                                                        {"pmt", "-1200.01\n"},
                                                        {"PV", "199999.79\n"},
                                                        {"FV", "-1.30\n"},
                                                        {"RATE", "6.007\n"}};
    for (const auto& [field, shown] : rows) {
        std::vector<std::string> args = {"--tvm", std::string("solve=") + field};
        args.insert(args.end(), values.begin(), values.end());
        const Outcome r = Orvcalc(args);
        EXPECT_EQ(r.out, shown) << field;
        EXPECT_EQ(r.status, 0) << field;
    }
    const Outcome begin =
        Orvcalc({"--tvm", "solve=PMT", "nper=360", "rate=6.007", "pv=200000", "fv=0", "ppy=12", "--begin"});
    EXPECT_EQ(begin.out, "-1194.03\n");
    const Outcome refused =
        Orvcalc({"--tvm", "solve=PV", "NPER=360", "RATE=-1", "PMT=-1200", "FV=0", "PPY=12"});
    EXPECT_EQ(refused.out, "0.00\n") << "what the screen shows";
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Invalid parameters"), std::string::npos);
}

TEST(CliFinance, UsageErrorsAndRefusedInputs) {
    struct Row {
        std::vector<std::string> args;
        int status;
        const char* err;  // a part of the message
    };
    const Row rows[] = {
        {{"--loan", "1000", "7", "12"}, 2, "missing value for --loan"},
        {{"--loan", "1000", "7%", "12", "12", "-1"}, 2, "RATE is not a number: '7%'"},
        {{"--mortgage", "10000", "nan", "5"}, 2, "RATE is not a number"},
        {{"--tvm", "NPER=1"}, 2, "needs solve=FIELD"},
        {{"--tvm", "solve=PPY"}, 2, "solve= takes NPER, RATE, PV, PMT or FV"},
        {{"--tvm", "solve=PV", "NPER=1", "RATE=1", "PMT=1", "FV=1"}, 2, "needs PPY=VALUE"},
        {{"--tvm", "solve=PV", "NPER=1", "RATE=x", "PMT=1", "FV=1", "PPY=1"}, 2, "RATE is not a number"},
        {{"--tvm", "solve=PV", "TERM=1"}, 2, "unknown value name 'TERM'"},
        {{"--csv", "1+1"}, 2, "--csv goes with --loan or --mortgage"},
        {{"--loan", "1000", "7", "12", "12", "-1", "--begin"}, 2, "--begin goes with --tvm"},
        {{"--loan", "0", "7", "12", "12", "-1"}, 1, "Input Error: Please check input again!"},
        {{"--loan", "1000", "7", "12", "12", "-3"}, 1, "Input Error: Please check input again!"},
        {{"--mortgage", "10000", "6", "0"}, 1, "Input Error: Please check input again!"},
    };
    for (const Row& r : rows) {
        const Outcome got = Orvcalc(r.args);
        EXPECT_EQ(got.status, r.status) << r.args[0] << " " << r.args[1];
        EXPECT_NE(got.err.find(r.err), std::string::npos) << got.err;
        EXPECT_EQ(got.out, "") << r.args[1];
    }
}

}  // namespace
