// orvcalc as a user runs it: one-shot expressions, options, pipes and exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    std::string out;
    int status = -1;
};

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs orvcalc with the arguments (and optional standard input); standard error is discarded.
Outcome Orvcalc(const std::vector<std::string>& args, const std::string& input = "",
                bool with_stderr = false) {
    std::string cmd;
    if (!input.empty()) {
        std::string path = testing::TempDir() + "orvcalc_input.txt";
        std::ofstream(path) << input;
        cmd = "cat ";
        cmd += Quote(path);
        cmd += " | ";
    }
    cmd += Quote(ORVCALC_PATH);
    for (const std::string& a : args) {
        cmd += ' ';
        cmd += Quote(a);
    }
    cmd += with_stderr ? " 2>&1" : " 2>/dev/null";
    if (input.empty()) cmd += " </dev/null";
    Outcome r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

TEST(Cli, OneShotExpressions) {
    struct Row {
        std::vector<std::string> args;
        std::string out;
        int status;
    };
    const Row rows[] = {
        {{"1+2", "2^10"}, "3\n1,024\n", 0},
        {{"sin(30)+2^3^2"}, "512.5\n", 0},
        {{"fnInt(x^2,x,0,3)"}, "9\n", 0},
        {{"gcd(12,18,27)", "3 root 27", "RT(3,27)"}, "3\n3\n3\n", 0},
        {{"(1+2*i)*(3-4*i)"}, "1.1000E1+2.0000E0i\n", 0},
        {{"2(3)", ".5", "2√(9)"}, "6\n0.5\n3\n", 0},
        {{"1/0"}, "Invalid parameter(s)\n", 1},  // the message is still printed on its line
        {{"3+"}, "Syntax error\n", 1},
        {{""}, "Empty string\n", 1},
        {{std::string(5000, '1')}, "Overlength string\n", 1},
        {{"1+1", "2*"}, "2\nSyntax error\n", 1},
    };
    for (const Row& r : rows) {
        Outcome got = Orvcalc(r.args);
        EXPECT_EQ(got.out, r.out) << r.args[0];
        EXPECT_EQ(got.status, r.status) << r.args[0];
    }
}

// Densities as a user types them: through the logarithms of the factorials, with the digits a double
// carries; huge arguments answer at once (they used to loop over a factorial product for minutes).
TEST(Cli, Densities) {
    const Outcome got =
        Orvcalc({"GammaPDF(2,2.5,1)", "PoissonPDF(170,150)", "BinomialPDF(5,171,0.01)", "PoissonPDF(2.5,3)",
                 "PoissonPDF(4!!6,3)", "BinomialPDF(5,1e12,0.5)", "GammaPDF(2,1e12,1)"});
    EXPECT_EQ(
        got.out,
        "0.28795182140366959\n0.0085223577140305998\n0.021658009825548462\nInvalid type error\n0\n0\n0\n");
    EXPECT_EQ(got.status, 1);  // the non-integer count
}

// The number library's internal diagnostics reach standard error only with --verbose; the engine's message
// is the answer either way.
TEST(Cli, LibraryDiagnosticsOnlyWithVerbose) {
    Outcome quiet = Orvcalc({"1/0", "ncr(2000,2)"}, "", true);
    EXPECT_EQ(quiet.out, "Invalid parameter(s)\n1,999,000\n");  // was preceded by "qcdiv singularity error"
    EXPECT_EQ(quiet.status, 1);
    Outcome verbose = Orvcalc({"--verbose", "1/0"}, "", true);
    EXPECT_NE(verbose.out.find("qcdiv singularity error\n"), std::string::npos) << verbose.out;
    EXPECT_NE(verbose.out.find("Invalid parameter(s)\n"), std::string::npos) << verbose.out;
    EXPECT_EQ(verbose.status, 1);
    Outcome after = Orvcalc({"1/0", "--verbose"});  // anywhere among the options; stdout stays clean
    EXPECT_EQ(after.out, "Invalid parameter(s)\n");
    Outcome keys = Orvcalc({"--keys", "10 18 11 19", "--verbose", "--home", testing::TempDir()});
    EXPECT_EQ(keys.status, 0);  // accepted with --keys too
    EXPECT_NE(Orvcalc({"--help"}).out.find("--verbose"), std::string::npos);
}

TEST(Cli, Options) {
    struct Row {
        std::vector<std::string> args;
        std::string out;
    };
    const Row rows[] = {
        {{"--angle", "rad", "sin(pi/2)"}, "1\n"},
        {{"--angle", "grad", "sin(100)"}, "1\n"},
        {{"--base", "hex", "FF+1"}, "00\n"},  // 8 bits by default
        {{"--base", "hex", "--bits", "16", "FF+1"}, "0100\n"},
        {{"--base", "bin", "101+1"}, "00000110\n"},
        // Negative results as their two's complement within the width: a typed pattern survives "=".
        {{"--base", "hex", "0-1"}, "FF\n"},
        {{"--base", "hex", "--bits", "16", "0-1"}, "FFFF\n"},
        {{"--base", "hex", "--bits", "32", "FFFFFFFF", "0-1"}, "FFFFFFFF\nFFFFFFFF\n"},
        {{"--base", "bin", "0-10"}, "11111110\n"},
        {{"--base", "oct", "0-1"}, "377\n"},
        {{"--notation", "fix", "--fix", "2", "2/3"}, "0.67\n"},
        {{"--notation", "frac", "0.75", "-1.5"}, "3/4\n-1 1/2\n"},
        {{"--notation", "frac", "--fraction", "6", "sqrt(2)"}, "1 195025/470832\n"},
        {{"--format", "european", "1234.5"}, "1.234,5\n"},
        {{"--format", "uk", "1234.5"}, "1,234.5\n"},
        {{"--engine", "sin ( 30 ) + 2 ^ 3 ^ 2"}, "512.5\n"},
        {{"--set", "VA=5", "VA*2"}, "10\n"},
        {{"--set", "VA=[[2,1],[1,2]]", "--matrix", "inv(VA)*VA", "det(VA)"}, "1 0\n0 1\n3\n"},
        {{"--set", "LIST=[[1],[2],[2],[3],[7]]", "avg(X)", "median(X)", "N(X)"}, "3\n2\n5\n"},
    };
    for (const Row& r : rows) {
        Outcome got = Orvcalc(r.args);
        EXPECT_EQ(got.out, r.out) << r.args[0] << " " << r.args[1];
        EXPECT_EQ(got.status, 0) << r.args[0];
    }
    Outcome precise = Orvcalc({"--precise", "sqrt(2)"});
    EXPECT_EQ(precise.out.substr(0, 40), "1.41421356237309504880168872420969807856");
    EXPECT_EQ(precise.out.size(), std::string("1.").size() + 99 + 2 + 1);  // 99 decimals, "E0", newline
    Outcome complex = Orvcalc({"--precise", "1+2*i"});
    EXPECT_NE(complex.out.find("E0 2.0000"), std::string::npos) << complex.out;
    EXPECT_EQ(complex.out.back() == '\n' && complex.out[complex.out.size() - 2] == 'i', true);
}

TEST(Cli, UsageErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {"--bits", "12", "1"},       {"--angle"}, {"--frobnicate"}, {"--set", "VQQ=1", "1"},
        {"--set", "VA=[[1,2],[3]]"},
    };
    for (const auto& args : bad) {
        Outcome got = Orvcalc(args, "", true);
        EXPECT_EQ(got.status, 2) << args[0];
        EXPECT_NE(got.out.find("orvcalc:"), std::string::npos) << args[0];
    }
    Outcome help = Orvcalc({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage:"), std::string::npos);
    EXPECT_EQ(Orvcalc({"--version"}).out.rfind("orvcalc ", 0), 0u);
}

TEST(Cli, PipedSessionCarriesTheLastResult) {
    Outcome got =
        Orvcalc({}, "1+2\nans*2\nVRE+1\n:angle rad\nsin(pi/2)\n:notation fix\n:fix 3\n1/3\n:quit\n5+5\n");
    EXPECT_EQ(got.out, "3\n6\n7\n1\n0.333\n");
    EXPECT_EQ(got.status, 0);
    Outcome failing = Orvcalc({}, "1+1\nsqrt(\n2+2\n");
    EXPECT_EQ(failing.out, "2\nSyntax error\n4\n");
    EXPECT_EQ(failing.status, 1);
    // Library diagnostics stay off standard output.
    Outcome quiet = Orvcalc({}, "ln(0)\n");
    EXPECT_EQ(quiet.out.find("singularity"), std::string::npos) << quiet.out;
}

}  // namespace

namespace {

TEST(Cli, ConversionsOverTheShippedData) {
    struct Row {
        std::vector<std::string> args;
        std::string out;
        int status;
    };
    const Row rows[] = {
        {{"--convert", "1", "mi", "m"}, "1609.3440\n", 0},
        {{"--convert", "100", "degC", "degF"}, "212.0\n", 0},
        {{"--convert", "1", "kWh", "MJ"}, "3.60\n", 0},
        {{"--convert", "1", "GiB", "B"}, "1073741824.0\n", 0},
        {{"--convert", "10", "L/100km", "mpg(US)"}, "23.5214583333\n", 0},
        {{"--convert", "2^10", "m", "km"}, "1.0240\n", 0},      // the value may be an expression
        {{"--convert", "1000", "EUR", "USD"}, "1105.00\n", 0},  // the shipped rate 1.1050, two decimals
        {{"--convert", "1", "mi", "kg"}, "", 1},
        {{"--convert", "1", "furlongish", "m"}, "", 1},
    };
    for (const Row& r : rows) {
        Outcome got = Orvcalc(r.args);
        EXPECT_EQ(got.out, r.out) << r.args[1] << " " << r.args[2] << " " << r.args[3];
        EXPECT_EQ(got.status, r.status) << r.args[2];
    }
    Outcome why = Orvcalc({"--convert", "1", "mi", "kg"}, "", true);
    EXPECT_NE(why.out.find("cannot be converted"), std::string::npos) << why.out;
    why = Orvcalc({"--convert", "1", "furlongish", "m"}, "", true);
    EXPECT_NE(why.out.find("unknown unit"), std::string::npos) << why.out;
}

TEST(Cli, BrowsingUnitsAndConstants) {
    Outcome groups = Orvcalc({"--units"});
    EXPECT_EQ(groups.status, 0);
    EXPECT_EQ(groups.out.rfind("Clothing - Shoe Size & Other Charts\nLength\n", 0), 0u) << groups.out;
    EXPECT_NE(groups.out.find("Currency ("), std::string::npos);
    Outcome length = Orvcalc({"--units", "Length"});
    EXPECT_NE(length.out.find("metre (m)\n"), std::string::npos);
    EXPECT_NE(length.out.find("(mi)"), std::string::npos);
    EXPECT_EQ(Orvcalc({"--units", "Nonsense"}).status, 1);
    Outcome math = Orvcalc({"--constants", "Mathematical", "Roots_and_Ratios"});
    EXPECT_NE(math.out.find("square root of 2 = 1.41421356237309504880"), std::string::npos) << math.out;
    Outcome universal = Orvcalc({"--constants", "Universal", "Speed,_Planck_Constant_and_Gravitation"});
    // A constant with an exponent inserts it in the engine's words.
    EXPECT_NE(universal.out.find("->  6.62607015exp(-34)"), std::string::npos) << universal.out;
    Outcome area = Orvcalc({"--constants", "Area_Formula"});
    EXPECT_EQ(area.status, 0);
    EXPECT_FALSE(area.out.empty());
}

}  // namespace

namespace {

TEST(Cli, FormulaAndRoots) {
    EXPECT_EQ(Orvcalc({"--tex", "1/2"}).out, "\\Large \\frac{1}{2}\n");
    EXPECT_EQ(Orvcalc({"--tex", "fnInt(x^2,x,0,1)"}).out,
              "\\Large \\int_{0}^{1}{\\left({x}^{2}\\right)}\\hspace1dx\n");
    EXPECT_EQ(Orvcalc({"--tex", ""}).out, "\\Large Empty String!\n");
    const std::string png = testing::TempDir() + "orvcalc_formula.png";
    std::remove(png.c_str());
    Outcome drawn = Orvcalc({"--tex-png", png, "(1+x)/(2-x)^2"});
    EXPECT_EQ(drawn.status, 0);
    std::ifstream f(png, std::ios::binary);
    std::string head(8, '\0');
    f.read(head.data(), 8);
    EXPECT_EQ(head, std::string("\x89PNG\r\n\x1a\n", 8));

    struct Row {
        std::string coefficients, out;
        int status;
    };
    const Row rows[] = {
        {"2 4", "X_1 = -2 = -2\n", 0},
        {"1 -2 -1", "X_1 = (1-sqrt(2)) = -0.414213562373\nX_2 = (1+sqrt(2)) = 2.414213562373\n", 0},
        {"0 1 -3 2", "X_1 = 1 = 1\nX_2 = 2 = 2\n", 0},  // the leading zero is dropped
        {"1 -6 11 -6", "X_1 = 3.0000000000\nX_2 = 1.0000000000\nX_3 = 2.0000000000\n", 0},
        {"1 0 0 0 -1", "X_1 = 1.0000000000\nX_2 is complex\nX_3 = -1.0000000000\nX_4 is complex\n", 0},
        {"1 0 1", "Cannot be solved!\n", 1},
        {"0 0", "Invalid parameters!\n", 1},
    };
    for (const Row& r : rows) {
        Outcome got = Orvcalc({"--roots", r.coefficients});
        EXPECT_EQ(got.out, r.out) << r.coefficients;
        EXPECT_EQ(got.status, r.status) << r.coefficients;
    }
}

}  // namespace
