// The statistics data screen through the screen interface and the whole application: entry, editing,
// deletion questions, the list register the statistics functions read, and the data file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"
#include "app/screens/statistics/statistic_data_view.h"
#include "app/screens/statistics/statistic_file.h"
#include "engine/matrix/registers.h"

namespace {

using V = StatisticDataView;

// Keypad indices of the digits and the point: '1'..'9' are 2..10, '0' is 11, '.' is 12.
std::vector<int> KeysOf(const std::string& text) {
    std::vector<int> keys;
    for (char c : text) {
        if (c == '.') keys.push_back(V::kPoint);
        if (c == '0') keys.push_back(V::kDigit0);
        if (c >= '1' && c <= '9') keys.push_back(V::kDigit1 + (c - '1'));
    }
    if (!text.empty() && text[0] == '-') keys.push_back(V::kSign);
    return keys;
}

std::vector<double> Register29() {
    const REG& r = g_reg[kStatisticRegister];
    if (r.type != REG_MATRIX) return {};
    return std::vector<double>(r.data.begin(), r.data.begin() + r.rows);
}

class StatisticsTest : public ::testing::Test {
  protected:
    void SetUp() override { launch(); }
    void launch(int category = kCatStatistics) {
        h.launch(category);
        s = dynamic_cast<StatisticDataView*>(h.ctl().screens().find("statistics"));
        ASSERT_NE(s, nullptr) << "created at start";
    }
    void restart() {
        h.restart();
        s = dynamic_cast<StatisticDataView*>(h.ctl().screens().find("statistics"));
        ASSERT_NE(s, nullptr);
    }
    void press(const std::vector<int>& keys) {
        for (int k : keys) ASSERT_TRUE(s->pressKeypad(k));
    }
    // Types value (and count, when not 1) into the entry row and enters it.
    void enterRow(const std::string& value, const std::string& count = "1") {
        press({V::kBackspace});  // a fresh entry row starts at "0"
        press(KeysOf(value));
        if (count != "1") {
            ASSERT_TRUE(s->tap("entry:count"));
            press({V::kBackspace});
            press(KeysOf(count));
        }
        press({V::kEnter});
    }
    std::string fileText() {
        const auto bytes = h.storage.readFile(s->dataFilePath());
        return bytes ? std::string(bytes->begin(), bytes->end()) : "<missing>";
    }
    std::string calc(std::initializer_list<int> keys) {
        h.keys({kKeyClear});
        h.keys(keys);
        h.keys({kKeyEquals});
        return h.resultUtf8();
    }

    AppHarness h;
    StatisticDataView* s = nullptr;
};

TEST_F(StatisticsTest, KeyOpensTheScreenAndLeavingItFeedsTheStatisticsFunctions) {
    h.keys({kKeyStatisticsData});
    EXPECT_EQ(h.ctl().currentScreen(), "statistics");
    const auto j = s->describe();
    EXPECT_EQ(j["title"], "Statistics Data");
    EXPECT_EQ(j["columns"], nlohmann::json({"No.", "Value", "Count"}));
    EXPECT_EQ(j["entry_caption"], "Entry");
    EXPECT_EQ(j["n_label"], "N: 0");
    enterRow("2", "3");
    enterRow("5");
    EXPECT_EQ(s->nLabel(), "N: 4");
    EXPECT_EQ(s->describe()["rows"][0],
              nlohmann::json({{"no", 1}, {"itemString", "2"}, {"countString", "3"}}));
    EXPECT_EQ(s->describe()["scroll_to_row"], 1);
    ASSERT_TRUE(s->tap("back"));
    EXPECT_EQ(h.postedCount("BackFromStatisticsDataView"), 1);
    EXPECT_EQ(h.ctl().currentScreen(), "");
    EXPECT_EQ(Register29(), (std::vector<double>{2, 2, 2, 5}));
    EXPECT_EQ(calc({kKeyStatAvg}), "2.75");
    EXPECT_EQ(calc({kKeyStatSum}), "11");
    EXPECT_EQ(calc({kKeyStatN}), "4");
    EXPECT_NEAR(std::stod(calc({kKeyStatSdv})), 1.299038105676658, 1e-12);
}

TEST_F(StatisticsTest, TheDataSurvivesARestartAndWorksBeforeTheScreenOpens) {
    enterRow("2.5");
    enterRow("3", "2");
    restart();
    EXPECT_EQ(fileText(), "3\r\n2.50000000 3 3 \r\n");
    ASSERT_EQ(s->rows().size(), 3u) << "counts come back expanded";
    EXPECT_EQ(s->rows()[0].itemString, "2.5");
    EXPECT_EQ(s->rows()[2].itemString, "3");
    EXPECT_EQ(s->rows()[2].countString, "1");
    EXPECT_EQ(h.ctl().currentScreen(), "");
    EXPECT_EQ(calc({kKeyStatSum}), "8.5");
}

TEST_F(StatisticsTest, EntryKeypadRules) {
    // Keys by their faces: digits, "." the point, "s" the sign, "b" backspace.
    auto keys = [](const std::string& faces) {
        std::vector<int> out;
        for (char c : faces) {
            if (c == 's')
                out.push_back(V::kSign);
            else if (c == 'b')
                out.push_back(V::kBackspace);
            else
                out.push_back(KeysOf(std::string(1, c))[0]);
        }
        return out;
    };
    struct Row {
        const char* faces;
        const char* value;
    };
    const Row rows[] = {
        {"5", "5"},    {".", "0."},      {".5", "0.5"}, {".0.2", "0.02"}, {"1..3", "1.3"}, {"3s", "-3"},
        {"3ss", "3"},  {"s", "0"},       {"3sb", "0"},  {"12b", "1"},     {"1b", "0"},     {"00", "0"},
        {"0.s", "0."}, {"0.5s", "-0.5"}, {"07", "7"},   {"250", "250"},
    };
    for (const Row& r : rows) {
        press(std::vector<int>(V::kMaxValueText, V::kBackspace));  // back to "0"
        press(keys(r.faces));
        EXPECT_EQ(s->entry().itemString, r.value) << r.faces;
    }
    // A value holds at most kMaxValueText characters; a count at most what the register holds.
    press(std::vector<int>(30, V::kDigit1));
    EXPECT_EQ(s->entry().itemString.size(), V::kMaxValueText);
    ASSERT_TRUE(s->tap("entry:count"));
    press({V::kBackspace, V::kDigit1 + 5, V::kDigit1 + 4, V::kDigit1 + 4, V::kDigit1 + 2, V::kDigit1 + 4});
    EXPECT_EQ(s->entry().countString, "65535");
    press({V::kDigit1});
    EXPECT_EQ(s->entry().countString, "65535");
    press({V::kPoint, V::kSign});
    EXPECT_EQ(s->entry().countString, "65535") << "no point and no sign in a count";
    EXPECT_FALSE(s->pressKeypad(16));
    EXPECT_FALSE(s->pressKeypad(-1));
}

TEST_F(StatisticsTest, EnterAppendsAndTheEntryStartsAfreshAtTheNextKey) {
    press(KeysOf("7"));
    ASSERT_TRUE(s->tap("entry:count"));
    press({V::kBackspace});  // count "0": stored as "1"
    press({V::kEnter});
    ASSERT_EQ(s->rows().size(), 1u);
    EXPECT_EQ(s->rows()[0].countString, "1");
    EXPECT_EQ(s->entry().itemString, "7") << "the entry shows what was entered until the next key";
    EXPECT_EQ(s->component(), V::kValue);
    press(KeysOf("4"));
    EXPECT_EQ(s->entry().itemString, "4");
    EXPECT_EQ(s->entry().countString, "1");
    press({V::kEnter, V::kEnter});
    EXPECT_EQ(s->rows().size(), 3u) << "a second enter enters the fresh 0";
    EXPECT_EQ(s->rows()[2].itemString, "0");
}

TEST_F(StatisticsTest, SelectedRowsAreEditedInPlace) {
    enterRow("4");
    enterRow("6", "2");
    ASSERT_TRUE(s->tap("row:1:count"));
    press({V::kBackspace, V::kDigit1 + 2});
    EXPECT_EQ(s->rows()[1].countString, "3");
    EXPECT_EQ(s->nLabel(), "N: 4");
    press({V::kBackspace});
    EXPECT_EQ(s->nLabel(), "N: 1") << "a count of 0 counts nothing";
    ASSERT_TRUE(s->tap("row:1"));  // the value part of a row whose count reads 0
    EXPECT_EQ(s->rows()[1].countString, "1");
    press({V::kSign, V::kPoint, V::kDigit1 + 4});
    EXPECT_EQ(s->rows()[1].itemString, "-6.5");
    press({V::kEnter});
    EXPECT_EQ(s->selectedRow(), -1) << "enter ends the editing of a row";
    EXPECT_EQ(s->rows().size(), 2u);
    EXPECT_FALSE(s->tap("row:2"));
    EXPECT_FALSE(s->tap("row:x"));
    EXPECT_FALSE(s->tap("entry:sum"));
    EXPECT_TRUE(s->pick("rows", 0));
    EXPECT_EQ(s->selectedRow(), 0);
    EXPECT_FALSE(s->pick("rows", 5));
}

TEST_F(StatisticsTest, DeletionsAskFirst) {
    enterRow("1");
    enterRow("2");
    enterRow("3");
    press({V::kDeleteRow});
    EXPECT_TRUE(h.alerts.shown().empty()) << "no row selected";
    ASSERT_TRUE(s->tap("row:1"));
    h.alerts.scriptAnswer(1);  // NO
    press({V::kDeleteRow});
    ASSERT_EQ(h.alerts.shown().size(), 1u);
    EXPECT_EQ(h.alerts.shown()[0].title, "Warning!");
    EXPECT_EQ(h.alerts.shown()[0].message, "Do you want to delete this row ?");
    EXPECT_EQ(h.alerts.shown()[0].buttons, (std::vector<std::string>{"YES", "NO"}));
    EXPECT_EQ(s->describe()["alert"], "delete_row");
    h.loop.runPending();
    EXPECT_EQ(s->rows().size(), 3u);
    EXPECT_EQ(s->describe()["alert"], "");
    h.alerts.scriptAnswer(0);  // YES
    press({V::kDeleteRow});
    h.loop.runPending();
    ASSERT_EQ(s->rows().size(), 2u);
    EXPECT_EQ(s->rows()[1].itemString, "3");
    EXPECT_EQ(s->selectedRow(), -1);
    EXPECT_EQ(s->nLabel(), "N: 2");
    h.alerts.scriptAnswer(0);
    press({V::kDeleteAll});
    EXPECT_EQ(h.alerts.shown().back().message, "Do you want to delete all rows ?");
    h.loop.runPending();
    EXPECT_TRUE(s->rows().empty());
    EXPECT_EQ(s->nLabel(), "N: 0");
    // An emptied data set empties the file and the list register.
    restart();
    EXPECT_EQ(fileText(), "");
    EXPECT_TRUE(s->rows().empty());
    EXPECT_EQ(g_reg[kStatisticRegister].type, REG_REAL);
}

TEST_F(StatisticsTest, TerminationWithTheScreenOpenKeepsWhatWasTyped) {
    h.keys({kKeyStatisticsData});
    enterRow("12");
    restart();
    EXPECT_EQ(fileText(), "1\r\n12 \r\n");
}

TEST_F(StatisticsTest, FilesAreReadWithinTheirLimits) {
    std::string values600, values512;
    for (int i = 0; i < 600; ++i) values600 += std::to_string(i % 7) + " ";
    for (int i = 0; i < 512; ++i) values512 += std::to_string(i) + ".25 ";
    struct Row {
        std::string name;
        std::string bytes;
        size_t rows;
    };
    const std::vector<Row> rows = {
        {"empty", "", 0},
        {"count only", "3\r\n", 0},
        {"count zero", "0\r\n\r\n", 0},
        {"count negative", "-2\r\n1 2 \r\n", 0},
        {"count not a number", "x\r\n1 2 \r\n", 0},
        {"600 values", "600\r\n" + values600 + "\r\n", 0},
        {"truncated line", "4\r\n1 2 3", 0},
        {"512 values", "512\r\n" + values512 + "\r\n", 512},
        {"more values than counted", "2\r\n7 8 9 \r\n", 2},
        {"line feeds only", "2\n1.5 -2\n", 2},
        {"no final line break", "1\r\n42 ", 1},
        {"words read as zero", "2\r\nabc 5 \r\n", 2},
        {"random bytes", std::string("\x8f\x00\xff\r\n\x01\x7f\r\r\n", 10), 0},
    };
    for (const Row& r : rows) {
        h.terminate();
        h.dir.writeText(kStatisticDataFileName, r.bytes);
        launch();
        EXPECT_EQ(s->rows().size(), r.rows) << r.name;
        EXPECT_EQ(static_cast<size_t>(g_reg[kStatisticRegister].rows), r.rows) << r.name;
    }
}

TEST_F(StatisticsTest, AFileRoundTripsByteForByte) {
    const std::string text = "6\r\n1 2.50000000 -3 0.12345678 1000000 -0.00000100 \r\n";
    h.terminate();
    h.dir.writeText(kStatisticDataFileName, text);
    launch();
    EXPECT_EQ(s->rows()[5].itemString, "-0.000001");
    EXPECT_EQ(s->rows()[3].itemString, "0.12345678");
    restart();
    EXPECT_EQ(fileText(), text);
}

TEST_F(StatisticsTest, ALargerDataSetIsSavedButRefusedAtTheNextStart) {
    enterRow("7", "600");
    EXPECT_EQ(s->nLabel(), "N: 600");
    restart();
    const std::string saved = fileText();
    EXPECT_EQ(saved.substr(0, 5), "600\r\n");
    EXPECT_EQ(saved.size(), 5u + 600u * 2u + 2u);
    EXPECT_TRUE(s->rows().empty());
    EXPECT_EQ(calc({kKeyStatAvg}), ErrorMessage(kErrNoList)) << "no data set for avg(X)";
}

}  // namespace
