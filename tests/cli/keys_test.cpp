// orvcalc --keys end to end: the whole calculator run on key codes, its JSON state and its files.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/keys/key_codes.h"
#include "app/settings/input_mode_manager.h"

namespace {

using nlohmann::json;

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class Home {
  public:
    Home() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "orvkeys.XXXXXX").string();
        if (::mkdtemp(tmpl.data()) != nullptr) m_path = tmpl;
    }
    ~Home() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    void write(const std::string& name, const std::vector<unsigned char>& bytes) const {
        std::ofstream out(file(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::uintmax_t size(const std::string& name) const {
        std::error_code ec;
        return std::filesystem::file_size(file(name), ec);
    }
    // InputMode.dat with mode for Arithmetic, Trigonom and Base Conversion.
    void inputModes(int mode) const {
        const int ids[12] = {0, 1, 2, 3, 4, 6, 5, 7, 17, 13, 8, 12};
        std::vector<unsigned char> bytes;
        auto i32 = [&](int v) {
            for (int k = 0; k < 4; ++k) bytes.push_back(static_cast<unsigned char>(v >> (8 * k)));
        };
        for (int id : ids) i32(id);
        for (int k = 0; k < 12; ++k) i32(k == 0 || k == 1 || k == 3 ? mode : 0);
        for (int k = 0; k < 12; ++k) bytes.push_back(k == 0 || k == 1 || k == 3 ? 1 : 0);
        write("InputMode.dat", bytes);
    }

  private:
    std::string m_path;
};

struct KeysRun {
    json state;
    std::string err;
    int status = -1;
};

// Runs orvcalc --keys keys --home home with the extra arguments; env is put before the command.
KeysRun Keys(const Home& home, const std::string& keys, const std::vector<std::string>& extra = {},
             const std::string& env = "") {
    std::string errPath = home.file("stderr.txt");
    std::string cmd = env;
    cmd += ' ';
    cmd += Quote(ORVCALC_PATH);
    cmd += " --keys ";
    cmd += Quote(keys);
    if (env.empty()) {
        cmd += " --home ";
        cmd += Quote(home.path());
    }
    for (const std::string& a : extra) {
        cmd += ' ';
        cmd += Quote(a);
    }
    cmd += " 2>";
    cmd += Quote(errPath);
    cmd += " </dev/null";
    KeysRun r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    std::ifstream e(errPath);
    r.err.assign(std::istreambuf_iterator<char>(e), {});
    if (r.status == 0) r.state = json::parse(out, nullptr, false);
    return r;
}

// One token of a key list: a key code, or a word orvcalc reads (a caption, "ENTER", pick:N, post:NAME).
struct Token {
    Token(int code) : text(std::to_string(code)) {}
    Token(const char* word) : text(word) {}
    std::string text;
};

// The --keys argument: the tokens separated by blanks.
std::string Seq(std::initializer_list<Token> tokens) {
    std::string s;
    for (const Token& t : tokens) s += (s.empty() ? "" : " ") + t.text;
    return s;
}

std::string RepeatKey(int code, int n) {
    std::string s;
    for (int k = 0; k < n; ++k) s += std::to_string(code) + " ";
    return s;
}

}  // namespace

TEST(CliKeys, StringModeStateObject) {
    Home home;
    const KeysRun r = Keys(home, Seq({kKey1, kKeyPlus, kKey2, kKeyEquals}));
    ASSERT_EQ(r.status, 0) << r.err;
    const json& s = r.state;
    EXPECT_EQ(s["category"], kCatArithmetic);
    EXPECT_EQ(s["inputMode"], "string");
    EXPECT_EQ(s["input"], "1+2");
    EXPECT_EQ(s["caret"], 3);
    EXPECT_EQ(s["result"], "3");
    const json& ind = s["indicators"];
    EXPECT_EQ(ind["shift"], false);
    EXPECT_EQ(ind["mode"], "DEG");
    EXPECT_EQ(ind["base"], "DEC");
    EXPECT_EQ(ind["notation"], "NORM");
    EXPECT_EQ(ind["memory"], "M1");
    EXPECT_EQ(ind["expression"], "E1");
    EXPECT_TRUE(ind["bitWidth"].is_null());
    EXPECT_EQ(ind["equal"], true);
    EXPECT_EQ(s["operator"], "");
    EXPECT_EQ(s["stack"], json::array({"", ""}));
    EXPECT_EQ(s["history"], json::array({"1+2 = 3"}));
    EXPECT_EQ(s["alerts"], json::array());
    ASSERT_FALSE(s["posted"].empty());
    for (const auto& name : s["posted"]) EXPECT_EQ(name, "ReleaseSHIFTButon");
}

TEST(CliKeys, KeySequences) {
    struct Row {
        std::string keys;
        std::vector<std::string> extra;
        int inputMode;  // for Arithmetic, Trigonom, Base Conversion
        std::string input;
        std::string result;
    };
    const std::vector<std::string> baseConversion = {"--category", std::to_string(kCatBaseConversion)};
    const Row rows[] = {
        {Seq({"sin", kKey3, kKey0, ")", "="}), {}, kInputModeString, "sin(30)", "0.5"},  // captions
        {"=", {}, kInputModeString, "", "Empty string"},
        {Seq({kKey1, kKeyPlus, kKey2, kKeyEquals, kKey5}),
         {},
         kInputModeString,
         "5",
         ""},  // a result, then a new number
        {Seq({kKey2, kKey5, kKey5, kKeyBaseCycle}), baseConversion, kInputModeString, "FF",
         ""},  // DEC -> HEX
        {Seq({kKey2, kKey5, kKey5, kKeyBaseCycle, kKeyBaseCycle}), baseConversion, kInputModeString,
         "11111111", ""},  // -> BIN
        {Seq({kKeyBaseBin, kKey2, kKey1, kKeyHexA, kKey0}), baseConversion, kInputModeString, "10",
         ""},  // the binary digit filter
        {Seq({kKey1, kKeyPlus, kKey2, kKeyMenu, "pick:1"}),
         {},
         kInputModeString,
         "1+2",
         ""},  // Trigonom keeps the line
        {Seq({kKey1, kKeyPlus, kKey2, kKeyMenu, "pick:4"}),
         {},
         kInputModeString,
         "",
         ""},  // Finance has its own
        {Seq({kKey1, kKeyPlus, kKey2}), {}, kInputModeBasic, "2", ""},
        {Seq({kKey1, kKeyPlus, kKey2, "="}), {}, kInputModeBasic, "3", ""},
        {Seq({kKey6, kKey4, kKeyExpPower}),
         {},
         kInputModeBasic,
         "Invalid parameter(s)",
         ""},  // e^64 is refused
        {Seq({kKey1, kKey2, "ENTER", kKey3}), {}, kInputModeRPN, "3", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.keys);
        Home home;
        if (row.inputMode != kInputModeString) home.inputModes(row.inputMode);
        const KeysRun r = Keys(home, row.keys, row.extra);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.state["input"], row.input);
        EXPECT_EQ(r.state["result"], row.result);
    }
}

TEST(CliKeys, BasicOperatorAndRPNStack) {
    Home basic;
    basic.inputModes(kInputModeBasic);
    KeysRun r = Keys(basic, Seq({kKey1, kKeyPlus, kKey2}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.state["inputMode"], "basic");
    EXPECT_EQ(r.state["operator"], "+");

    Home rpn;
    rpn.inputModes(kInputModeRPN);
    r = Keys(rpn, Seq({kKey1, kKey2, "ENTER", kKey3, "+", kKey1, "ENTER", kKey2, "ENTER", kKeyRpnSwap}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.state["inputMode"], "rpn");
    EXPECT_EQ(r.state["stack"], json::array({"2", "1"}));
    r = Keys(rpn,
             Seq({kKeyClear, kKey1, kKey2, "ENTER", kKey3, "+", kKeyRpnDrop}));  // C clears the stack first
    EXPECT_EQ(r.state["stack"], json::array({"", ""}));
}

// A negative result in the radix modes shows as its two's-complement pattern everywhere it is shown: the
// display, the history, a memory, the RPN stack.
TEST(CliKeys, NegativeRadixResultsAsTwosComplement) {
    const std::vector<std::string> base = {"--category", std::to_string(kCatBaseConversion)};
    Home string;
    KeysRun r = Keys(
        string, Seq({kKeyBaseHex, kKeyWidth32, kKey0, kKeyMinus, kKey1, kKeyEquals, kKeyMemoryStore}), base);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.state["result"], "FFFFFFFF");
    EXPECT_EQ(r.state["history"], json::array({"0−1 = FFFFFFFF"}));
    EXPECT_EQ(r.state["memories"][0], "FFFFFFFF");
    r = Keys(string, Seq({kKeyClear}) + " " + RepeatKey(kKeyHexF, 8) + Seq({kKeyEquals}),
             base);  // -1 survives "="
    EXPECT_EQ(r.state["result"], "FFFFFFFF");

    Home basic;
    basic.inputModes(kInputModeBasic);
    r = Keys(basic, Seq({kKeyBaseHex, kKey0, kKeyMinus, kKey1, kKeyEquals}), base);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.state["input"], "FF");

    Home rpn;
    rpn.inputModes(kInputModeRPN);
    r = Keys(rpn, Seq({kKeyBaseHex, kKeyWidth16, kKey0, "ENTER", kKey1, kKeyMinus, kKeyMemoryStore}), base);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.state["stack"], json::array({"", "FFFF"}));
    EXPECT_EQ(r.state["memories"][0], "FFFF");
}

TEST(CliKeys, MemoriesAndHistorySurviveARestart) {
    Home home;
    KeysRun r = Keys(
        home,
        Seq({kKey2, kKey5, kKey5, kKeyEquals, kKeyMemoryStore, kKeyClear, kKeyBaseCycle, kKeyMemoryRecall}),
        {"--category", std::to_string(kCatBaseConversion)});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.state["input"], "FF");  // 255 stored in DEC, recalled in HEX
    EXPECT_EQ(r.state["memories"][0], "255");
    EXPECT_EQ(home.size("led_v14.dat"), 105372u);
    EXPECT_EQ(home.size("history_v14.dat"), 197760u);
    r = Keys(home, "");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.state["category"], kCatBaseConversion);  // the category is kept too
    EXPECT_EQ(r.state["indicators"]["base"], "HEX");
    EXPECT_EQ(r.state["input"], "FF");
    EXPECT_EQ(r.state["memories"][0], "255");
    EXPECT_EQ(r.state["history"], json::array({"255 = 255"}));

    Home plus;
    r = Keys(plus, Seq({kKey5, kKeyEquals, kKeyMemoryAdd}));  // M+ on an empty memory stores
    EXPECT_EQ(r.state["memories"][0], "5");
}

TEST(CliKeys, HistoryLimitAndClearing) {
    Home home;
    KeysRun r = Keys(home, Seq({kKey1}) + " " + RepeatKey(kKeyEquals, 121));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.state["history"].size(), 120u);

    Home empty;
    r = Keys(empty, "post:ClearLedHistory");
    EXPECT_EQ(r.state["alerts"], json::array());  // nothing to clear, nothing asked

    Home no;
    r = Keys(no, Seq({kKey1, kKeyEquals, "post:ClearLedHistory"}), {"--answer", "1"});
    ASSERT_EQ(r.state["alerts"].size(), 1u);
    EXPECT_EQ(r.state["alerts"][0]["title"], "Warning!");
    EXPECT_EQ(r.state["alerts"][0]["button"], "NO");
    EXPECT_EQ(r.state["history"].size(), 1u);
    r = Keys(no, "post:ClearLedHistory");
    EXPECT_EQ(r.state["alerts"][0]["button"], "YES");
    EXPECT_EQ(r.state["history"], json::array());
}

TEST(CliKeys, MailtoAddress) {
    Home home;
    const KeysRun r = Keys(home, Seq({kKey1, kKeyPlus, kKey2, kKeyEquals, kKeyClear, kKey2, kKeyTimes, kKey3,
                                      kKeyEquals, "post:ForwardHistoryToMail"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.state["urls"],
              json::array({"mailto:?subject=&body=1%2B2%20%3D%203%0A2%C3%973%20%3D%206%0A"}));
}

TEST(CliKeys, DamagedStateFileGivesACleanStart) {
    Home home;
    std::mt19937 random(11);
    std::vector<unsigned char> noise(105372);
    for (auto& b : noise) b = static_cast<unsigned char>(random());
    home.write("led_v14.dat", noise);
    home.write("history_v14.dat", std::vector<unsigned char>(1000, 0xFF));
    const KeysRun r = Keys(home, Seq({kKey1, kKeyPlus, kKey2, kKeyEquals}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.state["result"], "3");
    EXPECT_EQ(r.state["history"], json::array({"1+2 = 3"}));
    EXPECT_EQ(home.size("history_v14.dat"), 197760u);  // written anew
}

TEST(CliKeys, DelaysLandscapeAndTheDefaultHome) {
    Home home;
    KeysRun r = Keys(home, Seq({kKeyOpenTvm, kKeyMenu}));
    ASSERT_EQ(r.status, 0) << r.err;
    const auto& posted = r.state["posted"];
    EXPECT_NE(std::find(posted.begin(), posted.end(), "SwitchFromMainToTVM"), posted.end());
    EXPECT_EQ(r.state["screen"], "tvm");
    EXPECT_EQ(r.state["list"], "menu");

    r = Keys(home, Seq({kKey1}), {"--landscape", "--category", std::to_string(kCatBaseConversion)});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.state["category"], kCatBaseConversion);
    EXPECT_EQ(r.state["posted"].back(), "LandscapeReleaseSHIFTButton");

    Home env;
    r = Keys(env, Seq({kKey1, kKeyEquals}), {}, "ORVCALC_HOME=" + Quote(env.path()));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(env.size("led_v14.dat"), 105372u);
}

TEST(CliKeys, UsageErrors) {
    Home home;
    EXPECT_EQ(Keys(home, Seq({kKey1, "nosuchkey"})).status, 2);
    EXPECT_EQ(Keys(home, "pick:x").status, 2);
    EXPECT_EQ(Keys(home, Seq({kKey1}), {"--category", std::to_string(kCatFinance), "--landscape"}).status, 2);
    EXPECT_EQ(Keys(home, Seq({kKey1}), {"--answer"}).status, 2);
    const KeysRun r = Keys(home, Seq({kKey1}), {"--bogus"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--bogus"), std::string::npos);
}

TEST(CliKeys, ScreensOverTheCalculator) {
    Home home;
    struct Row {
        std::string keys;
        std::string screen;
    };
    const Row rows[] = {
        {"10 18 11 19 post:ShowCurrentHistory", "history_view"},
        {"10 18 11 19 post:ShowCurrentHistory post:SelectListHistoryIndex:0", ""},
        {"10 3 11 post:ShowFomula", "formula_view"},
        {"10 post:ShowFomula 12", ""},  // a digit closes the formula view
        {"192", "rpn_stack"},
    };
    for (const Row& row : rows) {
        const KeysRun r = Keys(home, row.keys);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.state["screen"], row.screen) << row.keys;
    }
}

namespace {

// The action words beyond key codes: touches and holds on the keyboards, swipes, taps on screens,
// rotation and time, and the two kinds of failure.
TEST(CliKeys, ActionWordsReachKeyboardsScreensAndTime) {
    Home home;
    // Number pad slots 10..12 are 1 2 3; mode slot 15 is DEL, held for 0.65 s: one at 0.4 s, repeats at
    // 0.5 and 0.6 s.
    KeysRun r =
        Keys(home, "touch:pad:10 touch:pad:11 touch:pad:12 touch:pad:10 touch:pad:11 hold:mode:15:0.65");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.state["input"], "12");
    EXPECT_EQ(r.state["keyboards"]["mode"]["touchStatus"], 0);

    Home strip;
    r = Keys(strip, "swipe:9");
    EXPECT_EQ(r.state["category"], kCatGraph) << "the strip stops on the Graph page";
    EXPECT_EQ(r.state["keyboards"]["mode"]["position"], 9);

    Home help;
    r = Keys(help, "option:2");
    const int first = r.state["screens"]["help"]["page"];  // the page of the category in use
    r = Keys(help, "option:2 tap:help/next");
    EXPECT_EQ(r.state["screen"], "help");
    EXPECT_EQ(r.state["screens"]["help"]["page"], first + 1);

    r = Keys(help, Seq({kKeySin, kKeyCaretLeft}));
    EXPECT_EQ(r.state["tooltip"]["shown"], true);
    EXPECT_EQ(r.state["tooltip"]["syntax"], "sin(angle)");

    r = Keys(home, "rotate:landscape touch:landpad:12 wait:0.2");
    EXPECT_TRUE(r.state["keyboards"].contains("landpad"));
    EXPECT_FALSE(r.state["keyboards"].contains("mode"));

    r = Keys(home, "tap:nosuch/thing 5");
    EXPECT_EQ(r.status, 1) << "a word that cannot act";
    EXPECT_NE(r.err.find("nosuch"), std::string::npos) << r.err;

    r = Keys(home, "touch:elbow:1");
    EXPECT_EQ(r.status, 2) << "a word that is not one";
}

}  // namespace
