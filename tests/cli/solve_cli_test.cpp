// orvcalc --solve and --solve-system end to end: result lines, TeX lines, alerts and exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct SolveRun {
    std::string out, err;
    int status = -1;
};

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string Capture(const std::string& cmd, int& status) {
    std::string text;
    FILE* p = popen(cmd.c_str(), "r");
    if (p == nullptr) return text;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) text.append(buf, n);
    const int st = pclose(p);
    status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return text;
}

SolveRun Orvcalc(const std::vector<std::string>& args) {
    std::string cmd = Quote(ORVCALC_PATH);
    for (const std::string& a : args) cmd.append(" ").append(Quote(a));
    SolveRun r;
    r.out = Capture(cmd + " 2>/dev/null </dev/null", r.status);
    int ignored = 0;
    r.err = Capture(cmd + " 2>&1 >/dev/null </dev/null", ignored);
    return r;
}

TEST(CliSolve, PolynomialResultLines) {
    struct Row {
        std::vector<std::string> args;
        std::string out;
        int status;
    };
    const Row rows[] = {
        {{"--solve", "1 -3 2"}, "X_1 = 1 = 1\nX_2 = 2 = 2\n", 0},
        {{"--solve", "0 0 1 -3 2"}, "X_1 = 1 = 1\nX_2 = 2 = 2\n", 0},
        {{"--solve", "3 1"}, "X = -1/3 = -0.333333333333\n", 0},
        {{"--tex", "--solve", "3 1"}, "X={-\\frac{1}{3}}=-0.333333333333\n", 0},
        {{"--solve", "1 -2 -1", "--tex"},
         "X_1={1-\\sqrt{2}}=-0.414213562373\nX_2={1+\\sqrt{2}}=2.414213562373\n",
         0},
        {{"--solve", "1 -6 11 -6"}, "X_1 = 3\nX_2 = 1\nX_3 = 2\n", 0},
        {{"--solve", "1 0 0 0 -1"}, "X_1 = 1\nX_2 is complex\nX_3 = -1\nX_4 is complex\n", 0},
        {{"--solve", "1 0 1"}, "Cannot be solved!\n", 1},
        {{"--solve", "0 5", "--tex"}, "\\rightarrow\\text{Invalid parameters!}\n", 1},
        {{"--solve", "3/"}, "Invalid Parameters!\n", 1},
        {{"--solve", "1 2 3 4 5 6"}, "Invalid Parameters!\n", 1},
        {{"--solve", "--", "-1 2"}, "X = 2 = 2\n", 0},
    };
    for (const Row& r : rows) {
        const SolveRun got = Orvcalc(r.args);
        EXPECT_EQ(got.out, r.out) << testing::PrintToString(r.args);
        EXPECT_EQ(got.status, r.status) << testing::PrintToString(r.args);
    }
}

TEST(CliSolve, SystemResultLinesAndAlerts) {
    struct Row {
        std::vector<std::string> args;
        std::string out;
        int status;
    };
    const Row rows[] = {
        {{"--solve-system", "1 1 3", "1 -1 1"}, "X_1 = 2 = 2\nX_2 = 1 = 1\n", 0},
        {{"--solve-system", "3 1 1", "1 3 2", "--tex"},
         "X_1=\\frac{1}{8}=0.125\nX_2=\\frac{5}{8}=0.625\n",
         0},
        {{"--solve-system", "1 1 2", "2 2 4"}, "Cannot be solved!\n", 1},
        {{"--solve-system", "1 1 2", "1 1 2 3"}, "Equations have not the same number of parameters.\n", 1},
        {{"--solve-system", "1 1", "2 2"},
         "Number of equations and number of variables are not the same.\n",
         1},
    };
    for (const Row& r : rows) {
        const SolveRun got = Orvcalc(r.args);
        EXPECT_EQ(got.out, r.out) << testing::PrintToString(r.args);
        EXPECT_EQ(got.status, r.status) << testing::PrintToString(r.args);
    }
}

TEST(CliSolve, BadArgumentsExitWithTwo) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--solve"},
                                               {"--solve-system"},
                                               {"--solve", "1 2", "3 4"},
                                               {"--solve", "1 2", "--fast"},
                                               {"--solve", "1 2", "--solve-system", "1 2"}}) {
        const SolveRun got = Orvcalc(args);
        EXPECT_EQ(got.status, 2) << testing::PrintToString(args);
        EXPECT_EQ(got.out, "") << testing::PrintToString(args);
        EXPECT_NE(got.err.find("orvcalc: "), std::string::npos) << testing::PrintToString(args);
    }
    EXPECT_NE(Orvcalc({"--help"}).out.find("--solve-system"), std::string::npos);
}

}  // namespace
