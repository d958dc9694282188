// The statistics data screen through the screen interface and the whole application: entry, editing,
// deletion questions, the list register the statistics functions read, and the data file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_harness.h"
#include "app/keyboards/mod_view_controller.h"
#include "app/keys/key_codes.h"
#include "app/screens/statistics/statistic_data_view.h"
#include "app/screens/statistics/statistic_file.h"
#include "engine/matrix/registers.h"

namespace {

using V = StatisticDataView;

std::vector<double> Register29() {
    const REG& r = g_reg[kStatisticRegister];
    if (r.type != REG_MATRIX) return {};
    return std::vector<double>(r.data.begin(), r.data.begin() + r.rows);
}

class StatisticsTest : public ::testing::Test {
  protected:
    void SetUp() override { launch(); }
    void launch() {
        h.launch(kCatStatistics);
        s = dynamic_cast<StatisticDataView*>(h.ctl().screens().find("statistics"));
        ASSERT_NE(s, nullptr) << "created at start";
    }
    void restart() {
        h.terminate();
        launch();
    }
    // Keypad keys by their faces: digits, "." point, "s" sign, "b" backspace, "E" enter, "D" delete row,
    // "A" delete all.
    void press(const std::string& faces) {
        for (char c : faces) {
            const int key = c == '.'   ? V::kPoint
                            : c == 's' ? V::kSign
                            : c == 'b' ? V::kBackspace
                            : c == 'E' ? V::kEnter
                            : c == 'D' ? V::kDeleteRow
                            : c == 'A' ? V::kDeleteAll
                            : c == '0' ? V::kDigit0
                                       : V::kDigit1 + (c - '1');
            ASSERT_TRUE(s->pressKeypad(key)) << c;
        }
    }
    // Enters a row: the value, then the count when it is not 1.
    void enterRow(const std::string& value, const std::string& count = "1") {
        press("b" + value);  // a fresh entry row starts at "0"
        if (count != "1") {
            ASSERT_TRUE(s->tap("entry:count"));
            press("b" + count);
        }
        press("E");
    }
    std::string fileText() {
        const auto bytes = h.storage.readFile(s->dataFilePath());
        return bytes ? std::string(bytes->begin(), bytes->end()) : "<missing>";
    }
    std::string calc(int statisticKey) {
        h.keys({kKeyClear, statisticKey, kKeyEquals});
        return h.resultUtf8();
    }

    AppHarness h;
    StatisticDataView* s = nullptr;
};

TEST_F(StatisticsTest, KeyOpensTheScreenAndLeavingItFeedsTheStatisticsFunctions) {
    h.keys({kKeyStatisticsData});
    EXPECT_EQ(h.ctl().currentScreen(), "statistics");
    EXPECT_EQ(s->describe()["columns"], nlohmann::json({"No.", "Value", "Count"}));
    enterRow("2", "3");
    enterRow("5");
    EXPECT_EQ(s->describe()["n_label"], "N: 4");
    EXPECT_EQ(s->describe()["rows"][0],
              nlohmann::json({{"no", 1}, {"itemString", "2"}, {"countString", "3"}}));
    EXPECT_EQ(s->describe()["scroll_to_row"], 1);
    ASSERT_TRUE(s->tap("back"));
    EXPECT_EQ(h.postedCount("BackFromStatisticsDataView"), 1);
    EXPECT_EQ(h.ctl().currentScreen(), "");
    EXPECT_EQ(Register29(), (std::vector<double>{2, 2, 2, 5}));
    EXPECT_EQ(calc(kKeyStatAvg), "2.75");
    EXPECT_EQ(calc(kKeyStatSum), "11");
    EXPECT_NEAR(std::stod(calc(kKeyStatSdv)), 1.299038105676658, 1e-12);
}

// The shells' Back and Escape tap "close": it must leave as "back" does, so that the mode keyboard
// hears of it and the data set is rebuilt.
TEST_F(StatisticsTest, CloseLeavesAsBackDoes) {
    h.keys({kKeyStatisticsData});
    enterRow("4");
    enterRow("6");
    ASSERT_NE(h.ctl().modViewController(), nullptr);
    EXPECT_EQ(h.ctl().modViewController()->describe()["statisticDataView"], true);
    ASSERT_TRUE(s->tap("close"));
    EXPECT_EQ(h.postedCount("BackFromStatisticsDataView"), 1);
    EXPECT_EQ(h.ctl().currentScreen(), "");
    EXPECT_EQ(h.ctl().modViewController()->describe()["statisticDataView"], false);
    EXPECT_EQ(calc(kKeyStatAvg), "5");
}

TEST(StatisticsKeys, DesktopCharactersReachTheirKeypadKeys) {
    const struct {
        char32_t c;
        int key;
    } rows[] = {{U'0', V::kDigit0},
                {U'1', V::kDigit1},
                {U'9', V::kDigit1 + 8},
                {U'.', V::kPoint},
                {U',', V::kPoint},
                {U'-', V::kSign},
                {U'\u00B1', V::kSign},
                {U'\r', V::kEnter},
                {U'\n', V::kEnter},
                {U'\b', V::kBackspace},
                {U'\x7F', V::kDeleteRow},
                {U'a', -1},
                {U'+', -1},
                {U' ', -1},
                {U'\u0661', -1}};
    for (const auto& r : rows) EXPECT_EQ(V::KeypadKeyOfCharacter(r.c), r.key) << static_cast<unsigned>(r.c);
}

TEST_F(StatisticsTest, TheRowsSurviveARestartAndWorkBeforeTheScreenOpens) {
    h.keys({kKeyStatisticsData});
    enterRow("2.5");
    enterRow("3", "2");
    restart();  // terminated with the screen open: what was typed is kept
    EXPECT_EQ(fileText(), "3\r\n2.50000000 3 3 \r\n");
    ASSERT_EQ(s->rows().size(), 3u) << "counts come back expanded";
    EXPECT_EQ(s->rows()[0].itemString, "2.5");
    EXPECT_EQ(s->rows()[2].countString, "1");
    EXPECT_EQ(calc(kKeyStatSum), "8.5");
}

TEST_F(StatisticsTest, EntryKeypadRules) {
    const struct {
        const char *faces, *value;
    } rows[] = {
        {"5", "5"}, {".", "0."},  {".0.2", "0.02"}, {"1..3", "1.3"}, {"3s", "-3"},  {"3ss", "3"},
        {"s", "0"}, {"3sb", "0"}, {"12b", "1"},     {"07", "7"},     {"0.s", "0."}, {"0.5s", "-0.5"},
    };
    for (const auto& r : rows) {
        press(std::string(V::kMaxValueText, 'b'));  // back to "0"
        press(r.faces);
        EXPECT_EQ(s->entry().itemString, r.value) << r.faces;
    }
    // A value holds at most kMaxValueText characters; a count at most what the data file gives back.
    press(std::string(30, '1'));
    EXPECT_EQ(s->entry().itemString.size(), V::kMaxValueText);
    ASSERT_TRUE(s->tap("entry:count"));
    press("b5131.s");
    EXPECT_EQ(s->entry().countString, "511") << "no count past 512 (513 refused), no point and no sign";
    EXPECT_FALSE(s->pressKeypad(16));
}

TEST_F(StatisticsTest, EnterAppendsAndSelectedRowsAreEditedInPlace) {
    press("7");
    ASSERT_TRUE(s->tap("entry:count"));
    press("bE");  // count "0" is entered as "1"
    EXPECT_EQ(s->rows().back().countString, "1");
    EXPECT_EQ(s->entry().itemString, "7") << "the entry shows what was entered until the next key";
    press("6");
    EXPECT_EQ(s->entry().countString, "1");
    ASSERT_TRUE(s->tap("entry:count"));
    press("b2E");
    ASSERT_TRUE(s->tap("row:1:count"));
    press("b3");
    EXPECT_EQ(s->nLabel(), "N: 4");
    press("b");
    EXPECT_EQ(s->nLabel(), "N: 1") << "a count of 0 counts nothing";
    ASSERT_TRUE(s->tap("row:1"));  // the value part of a row whose count reads 0
    EXPECT_EQ(s->rows()[1].countString, "1");
    press("s.5E");
    EXPECT_EQ(s->rows()[1].itemString, "-6.5");
    EXPECT_EQ(s->selectedRow(), -1) << "enter ends the editing of a row";
    EXPECT_EQ(s->rows().size(), 2u);
    EXPECT_FALSE(s->tap("row:2"));
    EXPECT_FALSE(s->tap("entry:sum"));
}

TEST_F(StatisticsTest, DeletionsAskFirst) {
    enterRow("1");
    enterRow("2");
    enterRow("3");
    press("D");
    EXPECT_TRUE(h.alerts.shown().empty()) << "no row selected";
    ASSERT_TRUE(s->pick("rows", 1));
    h.alerts.scriptAnswer(1);  // NO
    press("D");
    ASSERT_EQ(h.alerts.shown().size(), 1u);
    EXPECT_EQ(h.alerts.shown()[0].title, "Warning!");
    EXPECT_EQ(h.alerts.shown()[0].message, "Do you want to delete this row ?");
    EXPECT_EQ(h.alerts.shown()[0].buttons, (std::vector<std::string>{"YES", "NO"}));
    EXPECT_EQ(s->describe()["alert"], "delete_row");
    h.loop.runPending();
    EXPECT_EQ(s->rows().size(), 3u);
    h.alerts.scriptAnswer(0);  // YES
    press("D");
    h.loop.runPending();
    ASSERT_EQ(s->rows().size(), 2u);
    EXPECT_EQ(s->rows()[1].itemString, "3");
    EXPECT_EQ(s->selectedRow(), -1);
    h.alerts.scriptAnswer(0);
    press("A");
    EXPECT_EQ(h.alerts.shown().back().message, "Do you want to delete all rows ?");
    h.loop.runPending();
    EXPECT_EQ(s->nLabel(), "N: 0");
    restart();  // an emptied data set empties the file and the list register
    EXPECT_EQ(fileText(), "");
    EXPECT_EQ(g_reg[kStatisticRegister].type, REG_REAL);
}

TEST_F(StatisticsTest, FilesAreReadWithinTheirLimitsAndRoundTrip) {
    std::string values600, values512;
    for (int i = 0; i < 600; ++i) values600 += std::to_string(i % 7) + " ";
    for (int i = 0; i < 512; ++i) values512 += std::to_string(i) + ".25 ";
    const struct {
        std::string name, bytes;
        size_t rows;
    } rows[] = {
        {"empty", "", 0},
        {"count only", "3\r\n", 0},
        {"count zero", "0\r\n\r\n", 0},
        {"count not a number", "x\r\n1 2 \r\n", 0},
        {"600 values", "600\r\n" + values600 + "\r\n", 0},
        {"truncated line", "4\r\n1 2 3", 0},
        {"512 values", "512\r\n" + values512 + "\r\n", 512},
        {"more values than counted", "2\r\n7 8 9 \r\n", 2},
        {"line feeds, no final break", "2\n1.5 -2", 2},
        {"random bytes", std::string("\x8f\x00\xff\r\n\x01\x7f\r\r\n", 10), 0},
    };
    for (const auto& r : rows) {
        h.terminate();
        h.dir.writeText(kStatisticDataFileName, r.bytes);
        launch();
        EXPECT_EQ(s->rows().size(), r.rows) << r.name;
        EXPECT_EQ(static_cast<size_t>(g_reg[kStatisticRegister].rows), r.rows) << r.name;
    }
    const std::string text = "6\r\n1 2.50000000 -3 0.12345678 1000000 -0.00000100 \r\n";
    h.terminate();
    h.dir.writeText(kStatisticDataFileName, text);
    launch();
    EXPECT_EQ(s->rows()[5].itemString, "-0.000001");
    restart();
    EXPECT_EQ(fileText(), text);
}

// The data file gives back at most 512 values, so the screen never holds more: a count digit or an entry
// that would pass 512 is refused, and what was typed survives the restart.
TEST_F(StatisticsTest, TheDataSetStaysWithinWhatTheFileGivesBack) {
    enterRow("7", "600");
    EXPECT_EQ(s->nLabel(), "N: 60") << "the third digit of 600 is refused";
    enterRow("8", "452");
    EXPECT_EQ(s->nLabel(), "N: 512");
    enterRow("9");
    EXPECT_EQ(s->nLabel(), "N: 512") << "no room for one more value";
    restart();
    const std::string saved = fileText();
    EXPECT_EQ(saved.substr(0, 5), "512\r\n");
    EXPECT_EQ(saved.size(), 5u + 512u * 2u + 2u);
    EXPECT_EQ(s->nLabel(), "N: 512") << "read back at the start";
    EXPECT_FALSE(s->rows().empty());
    EXPECT_NE(calc(kKeyStatAvg), ErrorMessage(kErrNoList)) << "avg(X) has its data set";
}

}  // namespace
