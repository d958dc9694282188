// The rules the three finance forms share: the keypad's insertion rules, the reading and printing of
// numbers, and their data files surviving damage and restarts.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"
#include "app/screens/finance_form/finance_form.h"

namespace {

TEST(FinanceForm, InsertionRules) {
    struct Row {
        const char* before;
        const char* key;
        const char* after;
    };
    const Row rows[] = {
        {"", "D", ""},      {"", "5", "5"},      {"", ".", "."},     {"", "-", "-"},
        {"12", "D", "0"},   {"1.5", ".", "1.5"}, {"12", ".", "12."}, {"-12", "-", "12"},
        {"12", "-", "-12"}, {"0", "7", "7"},     {"-0", "7", "-07"}, {"12", "3", "123"},
        {"0", ".", "0."},   {"-", "-", ""},      {"12", "x", "12"},  {"12", "12", "12"},
    };
    for (const Row& r : rows) {
        std::string t = r.before;
        InsertFinanceText(t, r.key);
        EXPECT_EQ(t, r.after) << '"' << r.before << "\" + " << r.key;
    }
}

TEST(FinanceForm, TypedCharactersAndTheKeypadIndicesTheyPress) {
    const struct {
        char32_t c;
        int index;
    } rows[] = {
        {U'0', FinanceKeypad::kDigit0},
        {U'1', FinanceKeypad::kDigit1},
        {U'9', FinanceKeypad::kDigit1 + 8},
        {U'.', FinanceKeypad::kPoint},
        {U',', FinanceKeypad::kPoint},
        {U'-', FinanceKeypad::kSign},
        {U'\u00B1', FinanceKeypad::kSign},
        {U'c', FinanceKeypad::kClear},
        {U'C', FinanceKeypad::kClear},
        {U'=', FinanceKeypad::kCalculate},
        {U'+', -1},
        {U'a', -1},
        {U'/', -1},
        {U'\u0661', -1},  // an Arabic-Indic digit is not a key
    };
    for (const auto& r : rows) EXPECT_EQ(FinanceKeypadIndexOfCharacter(r.c), r.index) << int(r.c);
    // Each digit character presses the key that inserts that digit.
    for (char32_t c = U'0'; c <= U'9'; ++c)
        EXPECT_EQ(FinanceKeypadText(FinanceKeypadIndexOfCharacter(c)), std::string(1, char(c)));
}

TEST(FinanceForm, BoxTextsReadAsTheirLeadingNumber) {
    struct Row {
        std::string text;
        double value;
    };
    const Row rows[] = {
        {"", 0},
        {"12.5", 12.5},
        {"-.5", -0.5},
        {"-", 0},
        {".", 0},
        {"7.", 7},
        {"12.5-", 12.5},
        {"1e5", 1},
        {"abc", 0},
        {"-07", -7},
        {"0.000" + std::string(400, '0') + "1", 0},
    };
    for (const Row& r : rows) EXPECT_EQ(FinanceBoxValue(r.text), r.value) << r.text;
    EXPECT_EQ(FinanceBoxValue("9" + std::string(400, '0')), INFINITY) << "too large to hold";
    EXPECT_EQ(FinanceBoxValue("-9" + std::string(400, '0')), -INFINITY);
}

// The texts match printf's in the C locale, and stay so whatever locale the process runs in.
TEST(FinanceForm, FixedTextsArePrintfsWithoutTheLocale) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> magnitude(-12, 12);
    char expected[512];
    for (int k = 0; k < 2000; ++k) {
        const double v = (k % 2 ? -1 : 1) * std::pow(10.0, magnitude(random));
        const int precision = k % 5, width = k % 7;
        std::snprintf(expected, sizeof expected, "%*.*f", width, precision, v);
        ASSERT_EQ(FinanceFixed(v, precision, width), expected) << v;
    }
    EXPECT_EQ(FinanceFixed(2.5, 2, 5), " 2.50");
    EXPECT_EQ(FinanceFixed(-0.001, 2), "-0.00");
    EXPECT_EQ(FinanceFixed(INFINITY, 2), "inf");
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr) {
        EXPECT_EQ(FinanceFixed(0.0833, 3), "0.083");
        EXPECT_EQ(FinanceBoxValue("6.5"), 6.5);
        std::setlocale(LC_NUMERIC, "C");
    }
}

TEST(FinanceForm, EditingKeysFocusAndTypedText) {
    FinanceForm form({{"a", "A", "1"}, {"b", "B", "2"}, {"c", "C", ""}});
    EXPECT_TRUE(form.pressEditKey(FinanceKeypad::kPreviousField));
    EXPECT_EQ(form.focus(), 2) << "from the first box back to the last";
    EXPECT_TRUE(form.pressEditKey(FinanceKeypad::kBackspace)) << "nothing to remove is no fault";
    EXPECT_TRUE(form.pressEditKey(FinanceKeypad::kNextField));
    EXPECT_EQ(form.focus(), 0);
    for (int key : {FinanceKeypad::kDigit1 + 4, FinanceKeypad::kPoint, FinanceKeypad::kDigit0,
                    FinanceKeypad::kSign, FinanceKeypad::kBackspace})
        EXPECT_TRUE(form.pressEditKey(key));
    EXPECT_EQ(form.text(0), "-15.");
    EXPECT_FALSE(form.pressEditKey(FinanceKeypad::kCalculate));
    EXPECT_FALSE(form.pressEditKey(FinanceKeypad::kKeyCount));

    EXPECT_TRUE(form.enterText("c", u"3-.5.0"));
    EXPECT_EQ(form.text(2), "-3.50");
    EXPECT_EQ(form.focus(), 2) << "typing into a box focuses it";
    EXPECT_FALSE(form.enterText("b", u"1,5"));
    EXPECT_FALSE(form.enterText("d", u"1"));
    EXPECT_EQ(form.text(1), "2");
    EXPECT_EQ(form.focus(), 2);
}

// ---- the three data files -----------------------------------------------------------------------------

struct FormFile {
    int key;
    const char* screen;
    const char* file;
    std::vector<std::string> saved;  // a valid file's entries, none of them the defaults
    nlohmann::json defaults;         // describe()["boxes"] before anything was entered or loaded
};

const std::vector<FormFile>& FormFiles() {
    static const std::vector<FormFile> files = {
        {kKeyOpenLoan,
         "loan",
         "orvane-finance-loancalc.dat",
         {"2500", "5.5", "4", "20", "-1"},
         {{"amount", "1000"}, {"rate", "7"}, {"ppy", "12"}, {"nper", "12"}, {"pmt", "-1"}}},
        {kKeyOpenMortgage,
         "mortgage",
         "orvane-finance-mortcalc.dat",
         {"250000", "4.25", "30"},
         {{"amount", "10000"}, {"rate", "6"}, {"years", "5"}}},
        {kKeyOpenTvm,
         "tvm",
         "orvane-finance-tvm.dat",
         {"120", "3.5", "-5000", "0", "7000", "4", "5", "3", "1"},
         {{"nper", "360"},
          {"rate", "6.007"},
          {"pv", "200000"},
          {"pmt", "-1200"},
          {"fv", "0"},
          {"ppy", "12"}}},
    };
    return files;
}

ScreenModel* Open(AppHarness& h, const FormFile& f) {
    h.keys({f.key});
    EXPECT_EQ(h.ctl().currentScreen(), f.screen);
    return h.ctl().screens().find(f.screen);
}

std::vector<unsigned char> Bytes(const AppHarness& h, const char* file) {
    auto bytes = h.storage.readFile(h.dir.file(file));
    return bytes ? std::vector<unsigned char>(bytes->begin(), bytes->end()) : std::vector<unsigned char>();
}

TEST(FinanceFiles, RoundTripByteForByte) {
    for (const FormFile& f : FormFiles()) {
        SCOPED_TRACE(f.screen);
        AppHarness h;
        ASSERT_TRUE(h.storage.writeStringArray(h.dir.file(f.file), f.saved));
        const std::vector<unsigned char> original = Bytes(h, f.file);
        h.launch(kCatFinance);
        ScreenModel* s = Open(h, f);
        EXPECT_EQ(s->describe()["boxes"][s->describe()["fields"][0].get<std::string>()], f.saved[0]);
        h.terminate();
        EXPECT_EQ(Bytes(h, f.file), original);
    }
}

TEST(FinanceFiles, DamagedOrShortFilesGiveTheDefaults) {
    std::mt19937 random(15);
    for (const FormFile& f : FormFiles()) {
        // A valid file of this screen, to cut short.
        AppHarness writer;
        writer.storage.writeStringArray(writer.dir.file(f.file), f.saved);
        const std::vector<unsigned char> valid = Bytes(writer, f.file);
        std::vector<unsigned char> noise(300);
        for (auto& b : noise) b = static_cast<unsigned char>(random());
        std::vector<std::string> shortList(f.saved.begin(), f.saved.end() - (f.saved.size() == 9 ? 6 : 1));
        std::vector<std::string> badText = f.saved;
        badText[1] = "\xff\xfe";
        std::vector<std::string> letters = f.saved;
        letters[0] = "12e3";

        const std::vector<std::pair<const char*, std::vector<unsigned char>>> damaged = {
            {"empty", {}},
            {"truncated", std::vector<unsigned char>(valid.begin(), valid.begin() + valid.size() / 2)},
            {"random bytes", noise},
        };
        const std::vector<std::pair<const char*, std::vector<std::string>>> wrongLists = {
            {"too few entries", shortList}, {"not UTF-8", badText}, {"not a box text", letters}};
        auto check = [&](const char* what, const std::function<void(AppHarness&)>& write) {
            SCOPED_TRACE(std::string(f.screen) + ": " + what);
            AppHarness h;
            write(h);
            h.launch(kCatFinance);
            ScreenModel* s = Open(h, f);
            ASSERT_NE(s, nullptr);
            const nlohmann::json d = s->describe();
            EXPECT_EQ(d["boxes"], f.defaults);
            EXPECT_EQ(d["focus"], d["fields"][0]);
            EXPECT_NO_THROW(d.dump());
            EXPECT_TRUE(s->pressKeypad(FinanceKeypad::kCalculate));
        };
        for (const auto& [what, bytes] : damaged)
            check(what, [&](AppHarness& h) { h.dir.write(f.file, bytes); });
        for (const auto& [what, entries] : wrongLists)
            check(what, [&](AppHarness& h) { h.storage.writeStringArray(h.dir.file(f.file), entries); });
    }
}

TEST(FinanceFiles, SaveNotificationWritesEveryOpenForm) {
    AppHarness h;
    h.launch(kCatFinance);
    for (const FormFile& f : FormFiles()) {
        ScreenModel* s = Open(h, f);
        EXPECT_TRUE(s->enterText(s->describe()["fields"][0].get<std::string>(), u"42"));
        EXPECT_TRUE(s->tap("back"));
        std::remove(h.dir.file(f.file).c_str());  // the back button saved; see that the notification does
    }
    h.post("Orvane_Save_Setting_Notif");
    for (const FormFile& f : FormFiles()) {
        const auto entries = h.storage.readStringArray(h.dir.file(f.file));
        ASSERT_TRUE(entries.has_value()) << f.file;
        EXPECT_EQ(entries->at(0), "42");
        EXPECT_EQ(entries->size(), f.saved.size());
    }
}

}  // namespace
