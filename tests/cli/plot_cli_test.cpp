// orvcalc --plot end to end: pictures, reported functions and usage errors.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct PlotRun {
    std::string err;  // standard error
    int status = -1;
};

// Runs orvcalc --plot FILE with the other arguments; standard output must stay empty.
PlotRun Plot(const std::string& file, const std::vector<std::string>& args) {
    auto quote = [](const std::string& s) {
        std::string q = "'";
        for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return q + "'";
    };
    std::string cmd = quote(ORVCALC_PATH);
    cmd += " --plot ";
    cmd += quote(file);
    for (const std::string& a : args) {
        cmd += ' ';
        cmd += quote(a);
    }
    cmd += " 2>&1 >/dev/null </dev/null";
    PlotRun r;
    FILE* p = popen(cmd.c_str(), "r");
    if (p == nullptr) return r;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) r.err.append(buf, n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Temp(const std::string& name) {
    const std::string path = testing::TempDir() + name;
    std::remove(path.c_str());
    return path;
}

TEST(CliPlot, DrawsEveryFunctionThatCanBeDrawn) {
    struct Row {
        std::vector<std::string> args;
        int status;
        std::vector<std::string> inFile;  // texts the SVG contains
        std::string err;
    };
    const std::string red = "stroke=\"rgb(255,0,0)\"", green = "stroke=\"rgb(0,255,0)\"",
                      yellow = "stroke=\"rgb(255,255,0)\"";
    const Row rows[] = {
        {{"sin(x)", "1/x", "sqrt(x)"},
         0,
         {red, green, yellow, ">+15</text>", "width=\"640\" height=\"480\""},
         ""},
        {{"sin(x", "x^2/4"}, 1, {green}, "orvcalc: function 1 \"sin(x\": Syntax error\n"},
        {{"-x", "--scale", "20", "--center", "2,-1.5", "--size", "400x300"},
         0,
         {red, "width=\"400\" height=\"300\"", "M5 120 L395 120 M160 5 L160 295"},  // axes through (2, -1.5)
         ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args[0]);
        const std::string svg = Temp("plot_cli.svg");
        const PlotRun r = Plot(svg, row.args);
        EXPECT_EQ(r.status, row.status);
        EXPECT_EQ(r.err, row.err);
        const std::string text = Read(svg);
        EXPECT_EQ(text.rfind("<?xml", 0), 0u);
        for (const std::string& t : row.inFile) EXPECT_NE(text.find(t), std::string::npos) << t;
    }
    // The PNG: a picture of the asked size (its IHDR width and height, big-endian).
    const std::string png = Temp("plot_cli.png");
    ASSERT_EQ(Plot(png, {"x^2", "--size", "321x200"}).status, 0);
    const std::string bytes = Read(png);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(bytes.substr(16, 8), std::string("\0\0\x01\x41\0\0\0\xc8", 8));
}

TEST(CliPlot, UsageAndWriteErrors) {
    struct Row {
        std::string file;
        std::vector<std::string> args;
        int status;
        std::string err;  // the first line
    };
    const std::string svg = testing::TempDir() + "plot_usage.svg";
    const Row rows[] = {
        {svg, {}, 2, "orvcalc: --plot needs one to three functions of x"},
        {svg, {"x", "x", "x", "x"}, 2, "orvcalc: --plot draws at most three functions"},
        {testing::TempDir() + "plot.jpg",
         {"x"},
         2,
         "orvcalc: --plot needs a file name ending in .png or .svg"},
        {svg, {"x", "--size", "63x100"}, 2, "orvcalc: --size needs WIDTHxHEIGHT, each 64 to 4096"},
        {svg, {"x", "--scale", "97"}, 2, "orvcalc: --scale needs pixels per unit from 8 to 96"},
        {svg,
         {"x", "--center", "70000,0"},
         2,
         "orvcalc: --center needs X,Y, each a number within -65535 to 65535"},
        {svg, {"x", "--angle", "deg"}, 2, "orvcalc: unknown option --angle for --plot"},
        {svg, {"x", "--plot", svg}, 2, "orvcalc: --plot given twice"},
        {"/proc/version/plot.svg", {"x"}, 1, "orvcalc: cannot write /proc/version/plot.svg"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.err);
        const PlotRun r = Plot(row.file, row.args);
        EXPECT_EQ(r.status, row.status);
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), row.err);
    }
}

}  // namespace
