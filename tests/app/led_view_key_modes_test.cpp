// Basic (immediate) and RPN mode of the display, driven through the main controller.
#include <gtest/gtest.h>

#include "app_harness.h"
#include "numeric/errors.h"

namespace {

std::string Codes(const std::vector<int>& codes) {
    std::string s;
    for (int c : codes) s += std::to_string(c) + " ";
    return s;
}

void Feed(AppHarness& h, const std::vector<int>& codes) {
    for (int c : codes) {
        h.ctl().pressButtonHasKeycode(c);
        h.loop.runPending();
    }
}

std::string StackLine(AppHarness& h, int index) {
    return U16ToUtf8(h.led().stackLine(index).line().GetRawInputString());
}

}  // namespace

TEST(LedViewBasic, KeySequences) {
    struct Row {
        std::vector<int> codes;
        std::string input;
        std::string op;
    };
    const std::string refused = ErrorMessage(-56);
    const Row rows[] = {
        {{10}, "1", ""},
        {{10, 18}, "1", "+"},
        {{10, 18, 11}, "2", "+"},
        {{10, 18, 11, 19}, "3", ""},
        {{11, 18, 12, 8, 5, 19}, "14", ""},             // priorities
        {{11, 15, 15, 18, 10, 15, 43, 19}, "220", ""},  // percentage of the value below
        {{11, 18, 12, 19, 19}, "8", ""},                // "=" repeats the last operation
        {{10, 16, 6, 8}, "1.5", "\u00d7"},
        {{10, 15, 15, 15, 15, 8, 10, 15, 15, 15, 19}, "10\u00b8000\u00b8000", ""},  // grouped
        {{6, 13, 0, 19}, "\u22122", ""},
        {{7, 12, 39}, "63", ""},    // e^x takes the operand and waits for "="
        {{7, 5, 39}, refused, ""},  // e^64 is refused
        {{11, 38, 19}, "100", ""},
        {{5, 131, 19}, "0.25", ""},
        {{10, 18, 11, 47}, "0", "+"},  // backspace drops the number being typed
        {{10, 18, 11, 4}, "0", ""},
        {{10, 18, 28}, "0", ""},  // any other key drops the sign
        {{25, 22, 101}, "", ""},  // keys without a word in this mode change nothing
    };
    for (const Row& row : rows) {
        AppHarness h;
        h.launch(0, "Basic-Standard");
        Feed(h, row.codes);
        SCOPED_TRACE(Codes(row.codes));
        EXPECT_EQ(h.inputUtf8(), row.input);
        EXPECT_EQ(U16ToUtf8(h.led().GetCurOperator()), row.op);
    }
}

TEST(LedViewBasic, ScientificValueAndErrors) {
    AppHarness h;
    h.launch(0, "Basic-Standard");
    h.keys({7, 12, 39, 19});  // e^63 = 2.29e27
    EXPECT_EQ(h.inputUtf8().substr(0, 4), "2.29");
    EXPECT_EQ(h.resultUtf8(), "E27");
    h.keys({4, 10, 3, 15, 19});
    EXPECT_EQ(h.feedback.vibrations(), 1);
    EXPECT_EQ(GetErrorCode(), 0);
    h.keys({6});  // the next number starts afresh
    EXPECT_EQ(h.inputUtf8(), "5");
}

TEST(LedViewBasic, MemoryRecallFeedsTheNextOperation) {
    AppHarness h;
    h.launch(0, "Basic-Standard");
    h.keys({0, 9, 4});  // 7 MS C
    EXPECT_EQ(h.memoryText(), u"7");
    h.keys({14});
    EXPECT_EQ(h.inputUtf8(), "7");
    h.keys({18, 10, 19});
    EXPECT_EQ(h.inputUtf8(), "8");
    h.keys({190});  // M+ of the value on display
    EXPECT_EQ(h.memoryText(), u"15");
    h.keys({6, 14});  // a recall replaces the number being typed
    h.keys({8, 11, 19});
    EXPECT_EQ(h.inputUtf8(), "30");
}

TEST(LedViewBasic, BaseConversionDigits) {
    AppHarness h;
    h.launch(3, "Basic-Standard");
    h.keys({148, 77, 72});  // F, A in HEX: 250
    EXPECT_EQ(h.inputUtf8(), "FA");
    h.keys({68});  // the value is shown in BIN
    EXPECT_EQ(h.inputUtf8(), "11111010");
    EXPECT_EQ(h.led().line().caret(), 8);  // at the end in Base Conversion
    h.keys({18, 10, 19});
    EXPECT_EQ(h.inputUtf8(), "11111011");
}

TEST(LedViewRPN, KeySequences) {
    struct Row {
        std::vector<int> codes;
        std::string input;
        std::string level2, level1;
    };
    const Row rows[] = {
        {{10, 11}, "12", "", ""},
        {{10, 16, 6, 17}, "\u22121.5", "", ""},
        {{16, 6}, "0.5", "", ""},  // the point always follows a digit
        {{10, 11, 47}, "1", "", ""},
        {{10, 11, 44}, "", "", "12"},
        {{10, 11, 44, 12, 18}, "", "", "15"},               // an operator enters the pending number first
        {{10, 11, 44, 12, 19}, "", "12", "3"},              // so does "="
        {{10, 44, 11, 44, 12, 44, 179}, "", "3", "2"},      // swap
        {{10, 44, 11, 44, 178}, "", "", "1"},               // drop
        {{10, 44, 11, 44, 181}, "", "2", "1"},              // over
        {{10, 44, 11, 44, 12, 44, 12, 182}, "", "3", "1"},  // 3 roll
        {{10, 44, 180}, "", "1", "1"},                      // depth
        {{11, 38}, "", "", "100"},                          // 10^x is 10 to the power of the entry
        {{12, 31}, "", "", "9"},
        {{11, 32}, "", "", "8"},
        {{5, 131}, "", "", "0.25"},
        {{1, 42}, "", "", "2"},
        {{11, 44, 12, 30}, "", "", "8"},    // x^y
        {{10, 44, 11, 44, 4}, "", "", ""},  // C clears the stack
        {{12, 44, 31, 176}, "", "", "3"},   // one undo step per key
    };
    for (const Row& row : rows) {
        AppHarness h;
        h.launch(0, "Basic-RPN");
        Feed(h, row.codes);
        SCOPED_TRACE(Codes(row.codes));
        EXPECT_TRUE(h.led().isRPNShown());
        EXPECT_EQ(h.inputUtf8(), row.input);
        EXPECT_EQ(StackLine(h, 0), row.level2);
        EXPECT_EQ(StackLine(h, 1), row.level1);
    }
}

TEST(LedViewRPN, ErrorsLeaveTheStack) {
    AppHarness h;
    h.launch(0, "Basic-RPN");
    h.keys({178});  // drop on an empty stack
    EXPECT_EQ(h.inputUtf8(), ErrorMessage(-56));
    EXPECT_EQ(h.feedback.vibrations(), 1);
    h.keys({6, 44, 18});  // too few operands
    EXPECT_EQ(StackLine(h, 1), "5");
    EXPECT_EQ(h.inputUtf8(), ErrorMessage(-1));
    h.keys({7});  // typing replaces the message
    EXPECT_EQ(h.inputUtf8(), "6");
    h.keys({44, 5, 17, 41});  // sqrt(-4) cannot be shown: the stack is cleared
    EXPECT_EQ(h.inputUtf8(), "Invalid parameter(s)");
    EXPECT_EQ(StackLine(h, 1), "");
}

TEST(LedViewRPN, BaseConversionEntry) {
    AppHarness h;
    h.launch(3, "Basic-RPN");
    h.keys({148, 77, 77, 44});
    EXPECT_EQ(StackLine(h, 1), "FF");
    h.keys({16, 17});  // no point and no sign in Base Conversion
    EXPECT_EQ(h.inputUtf8(), "");
    h.keys({68});  // BIN
    EXPECT_EQ(StackLine(h, 1), "11111111");
    h.keys({10, 44, 18});
    EXPECT_EQ(StackLine(h, 1), "00000000");  // 8 bits wrap
}

TEST(LedViewRPN, MemoryRecallPushes) {
    AppHarness h;
    h.launch(0, "Basic-RPN");
    h.keys({0, 9});  // the entry 7 is stored
    EXPECT_EQ(h.memoryText(), u"7");
    h.keys({44, 14, 18});  // 7 MR +
    EXPECT_EQ(StackLine(h, 1), "14");
}

TEST(LedViewRPN, SwitchingModesShowsAndHidesTheStack) {
    AppHarness h;
    h.launch(0, "Basic-RPN");
    EXPECT_TRUE(h.led().isRPNShown());
    h.ctl().selectCategoryItem(4);  // Finance stays in string mode
    EXPECT_FALSE(h.led().isRPNShown());
    EXPECT_TRUE(h.led().showsCaret());
    h.ctl().selectCategoryItem(1);
    EXPECT_TRUE(h.led().isRPNShown());
    EXPECT_FALSE(h.led().showsCaret());
    EXPECT_TRUE(h.ctl().enterButtonShown());
}
