// orvcalc --convert with units as people type them, and --update-currency against a local server.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../app/local_http_server.h"
#include "../app/screens/converter/currency_samples.h"
#include "../app/temp_folder.h"

namespace {

struct ProgramRun {
    std::string out;  // standard output and error, in order
    int status = -1;
};

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// orvcalc with its documents folder in home, the environment entries given, and standard error folded in.
ProgramRun Orvcalc(const std::string& home, const std::vector<std::string>& args,
                   const std::vector<std::string>& env = {}) {
    std::string cmd = "env -u ORVCALC_CURRENCY_URL ORVCALC_HOME=";
    cmd += Quote(home);
    for (const std::string& word : env) (cmd += ' ') += Quote(word);
    (cmd += ' ') += Quote(ORVCALC_PATH);
    for (const std::string& word : args) (cmd += ' ') += Quote(word);
    cmd += " 2>&1 </dev/null";
    ProgramRun r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

TEST(CliConverter, UnitsAsPeopleTypeThem) {
    TempFolder home;
    struct Row {
        std::vector<std::string> args;
        std::string out;
        int status;
    };
    const Row rows[] = {
        {{"--convert", "100", "°C", "°F"}, "212.0\n", 0},
        {{"--convert", "100", "Celsius", "fahrenheit"}, "212.0\n", 0},
        {{"--convert", "1", "gallon", "L"}, "3.7854117840\n", 0},
        {{"--convert", "1", "imperial gallon", "litre"}, "4.546090\n", 0},
        {{"--convert", "10", "L/100 km", "mpg"}, "23.5214583333\n", 0},
        {{"--convert", "100", "kph", "mph"}, "62.1371192237\n", 0},
        {{"--convert", "1", "sq m", "sq ft"}, "10.7639104167\n", 0},
        {{"--convert", "1", "m²", "cm²"}, "10000.0\n", 0},
        {{"--convert", "3", "miles", "KM"}, "4.8280320\n", 0},
        {{"--convert", "180", "deg", "rad"}, "3.14159265359\n", 0},
        {{"--convert", "1", "thm(EC)", "MJ"}, "105.5060\n", 0},
        {{"--convert", "10", "usd", "€"}, "9.05\n", 0},
        {{"--convert", "1", "rad", "Gy", "--group", "Radiation_Absorbed_Dose"}, "0.010\n", 0},
        {{"--convert", "1", "mw", "kW"},
         "orvcalc: mw is ambiguous: milliwatt (mW), megawatt (MW) in Power\n",
         1},
        {{"--convert", "1", "furlongish", "m"}, "orvcalc: furlongish to m: unknown unit 'furlongish'\n", 1},
        {{"--convert", "1", "mi", "kg"},
         "orvcalc: mi to kg: the units cannot be converted into each other\n",
         1},
    };
    for (const Row& r : rows) {
        const ProgramRun got = Orvcalc(home.path(), r.args);
        EXPECT_EQ(got.out, r.out) << r.args[1] << " " << r.args[2] << " " << r.args[3];
        EXPECT_EQ(got.status, r.status) << r.args[2];
    }
    const ProgramRun therm = Orvcalc(home.path(), {"--convert", "1", "therm", "MJ"});
    EXPECT_EQ(therm.status, 1);
    for (const char* which : {"therm (EC) (thm(EC))", "therm (UK) (thm(UK))", "therm (US) (thm(US))"})
        EXPECT_NE(therm.out.find(which), std::string::npos) << therm.out;
}

TEST(CliConverter, UpdateCurrencyStoresTheTableThatConvertThenUses) {
    TempFolder home;
    LocalHttpServer feed(LocalHttpServer::Reply(200, "OK", kReferenceRatesXml, "text/xml"));
    EXPECT_EQ(Orvcalc(home.path(), {"--convert", "1000", "EUR", "USD"}).out, "1105.00\n");
    const ProgramRun update = Orvcalc(home.path(), {"--update-currency", "--currency-url", feed.url()});
    EXPECT_EQ(update.out, "currency table of 2024-05-17: 32 currencies\n");
    EXPECT_EQ(update.status, 0);
    EXPECT_TRUE(std::filesystem::exists(home.file("updatedCurrency_v15.data")));
    EXPECT_EQ(Orvcalc(home.path(), {"--convert", "1000", "EUR", "USD"}).out, "1087.00\n");
    EXPECT_EQ(Orvcalc(home.path(), {"--convert", "5", "XAB", "EUR"}).out, "2.00\n");
    const ProgramRun groups = Orvcalc(home.path(), {"--units"});
    EXPECT_NE(groups.out.find("Currency (2024-05-17)"), std::string::npos) << groups.out;

    // A bad answer stores nothing: the downloaded table stays in use. The address may come from the
    // environment too.
    LocalHttpServer broken(LocalHttpServer::Reply(404, "Not Found", kHtmlNotFound, "text/html"));
    const ProgramRun failed = Orvcalc(home.path(), {"--update-currency"},
                                      {std::string("ORVCALC_CURRENCY_URL=").append(broken.url())});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(broken.requests(), 1);
    EXPECT_NE(failed.out.find("failed"), std::string::npos) << failed.out;
    EXPECT_NE(failed.out.find("the table in use is kept"), std::string::npos) << failed.out;
    EXPECT_EQ(Orvcalc(home.path(), {"--convert", "1000", "EUR", "USD"}).out, "1087.00\n");

    LocalHttpServer native(LocalHttpServer::Reply(200, "OK", kNativeTable));
    EXPECT_EQ(Orvcalc(home.path(), {"--update-currency", "--currency-url", native.url()}).out,
              "currency table of 2024-06-01: 3 currencies\n");
    std::ifstream in(home.file("updatedCurrency_v15.data"));
    const std::string stored((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(stored, kNativeTable);
    EXPECT_EQ(Orvcalc(home.path(), {"--currency-url"}).status, 2);
}

}  // namespace
