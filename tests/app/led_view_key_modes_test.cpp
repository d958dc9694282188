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
    const std::string refused = ErrorMessage(kErrLibrary);
    const Row rows[] = {
        {{kKey1}, "1", ""},
        {{kKey1, kKeyPlus}, "1", "+"},
        {{kKey1, kKeyPlus, kKey2}, "2", "+"},
        {{kKey1, kKeyPlus, kKey2, kKeyEquals}, "3", ""},
        {{kKey2, kKeyPlus, kKey3, kKeyTimes, kKey4, kKeyEquals}, "14", ""},  // priorities
        {{kKey2, kKey0, kKey0, kKeyPlus, kKey1, kKey0, kKeyPercent, kKeyEquals},
         "220",
         ""},                                                         // percentage of the value below
        {{kKey2, kKeyPlus, kKey3, kKeyEquals, kKeyEquals}, "8", ""},  // "=" repeats the last operation
        {{kKey1, kKeyDecimal, kKey5, kKeyTimes}, "1.5", "\u00d7"},
        {{kKey1, kKey0, kKey0, kKey0, kKey0, kKeyTimes, kKey1, kKey0, kKey0, kKey0, kKeyEquals},
         "10\u00b8000\u00b8000",
         ""},  // grouped
        {{kKey5, kKeyMinus, kKey7, kKeyEquals}, "\u22122", ""},
        {{kKey6, kKey3, kKeyExpPower}, "63", ""},     // e^x takes the operand and waits for "="
        {{kKey6, kKey4, kKeyExpPower}, refused, ""},  // e^64 is refused
        {{kKey2, kKeyTenPower, kKeyEquals}, "100", ""},
        {{kKey4, kKeyReciprocal, kKeyEquals}, "0.25", ""},
        {{kKey1, kKeyPlus, kKey2, kKeyDelete}, "0", "+"},  // backspace drops the number being typed
        {{kKey1, kKeyPlus, kKey2, kKeyClear}, "0", ""},
        {{kKey1, kKeyPlus, kKeyLog}, "0", ""},           // any other key drops the sign
        {{kKeyImaginary, kKeyAnswer, kKeyDet}, "", ""},  // keys without a word in this mode change nothing
    };
    for (const Row& row : rows) {
        AppHarness h;
        h.launch(kCatArithmetic, "Basic-Standard");
        Feed(h, row.codes);
        SCOPED_TRACE(Codes(row.codes));
        EXPECT_EQ(h.inputUtf8(), row.input);
        EXPECT_EQ(U16ToUtf8(h.led().GetCurOperator()), row.op);
    }
}

TEST(LedViewBasic, ScientificValueAndErrors) {
    AppHarness h;
    h.launch(kCatArithmetic, "Basic-Standard");
    h.keys({kKey6, kKey3, kKeyExpPower, kKeyEquals});  // e^63 = 2.29e27
    EXPECT_EQ(h.inputUtf8().substr(0, 4), "2.29");
    EXPECT_EQ(h.resultUtf8(), "E27");
    h.keys({kKeyClear, kKey1, kKeyDivide, kKey0, kKeyEquals});
    EXPECT_EQ(h.feedback.vibrations(), 1);
    EXPECT_EQ(GetErrorCode(), kErrNone);
    h.keys({kKey5});  // the next number starts afresh
    EXPECT_EQ(h.inputUtf8(), "5");
}

TEST(LedViewBasic, MemoryRecallFeedsTheNextOperation) {
    AppHarness h;
    h.launch(kCatArithmetic, "Basic-Standard");
    h.keys({kKey7, kKeyMemoryStore, kKeyClear});  // 7 MS C
    EXPECT_EQ(h.memoryText(), u"7");
    h.keys({kKeyMemoryRecall});
    EXPECT_EQ(h.inputUtf8(), "7");
    h.keys({kKeyPlus, kKey1, kKeyEquals});
    EXPECT_EQ(h.inputUtf8(), "8");
    h.keys({kKeyMemoryAdd});  // M+ of the value on display
    EXPECT_EQ(h.memoryText(), u"15");
    h.keys({kKey5, kKeyMemoryRecall});  // a recall replaces the number being typed
    h.keys({kKeyTimes, kKey2, kKeyEquals});
    EXPECT_EQ(h.inputUtf8(), "30");
}

TEST(LedViewBasic, BaseConversionDigits) {
    AppHarness h;
    h.launch(kCatBaseConversion, "Basic-Standard");
    h.keys({kKeyBaseHex, kKeyHexF, kKeyHexA});  // F, A in HEX: 250
    EXPECT_EQ(h.inputUtf8(), "FA");
    h.keys({kKeyBaseCycle});  // the value is shown in BIN
    EXPECT_EQ(h.inputUtf8(), "11111010");
    EXPECT_EQ(h.led().line().caret(), 8);  // at the end in Base Conversion
    h.keys({kKeyPlus, kKey1, kKeyEquals});
    EXPECT_EQ(h.inputUtf8(), "11111011");
}

TEST(LedViewRPN, KeySequences) {
    struct Row {
        std::vector<int> codes;
        std::string input;
        std::string level2, level1;
    };
    const Row rows[] = {
        {{kKey1, kKey2}, "12", "", ""},
        {{kKey1, kKeyDecimal, kKey5, kKeyChangeSign}, "\u22121.5", "", ""},
        {{kKeyDecimal, kKey5}, "0.5", "", ""},  // the point always follows a digit
        {{kKey1, kKey2, kKeyDelete}, "1", "", ""},
        {{kKey1, kKey2, kKeyEnter}, "", "", "12"},
        {{kKey1, kKey2, kKeyEnter, kKey3, kKeyPlus},
         "",
         "",
         "15"},  // an operator enters the pending number first
        {{kKey1, kKey2, kKeyEnter, kKey3, kKeyEquals}, "", "12", "3"},                        // so does "="
        {{kKey1, kKeyEnter, kKey2, kKeyEnter, kKey3, kKeyEnter, kKeyRpnSwap}, "", "3", "2"},  // swap
        {{kKey1, kKeyEnter, kKey2, kKeyEnter, kKeyRpnDrop}, "", "", "1"},                     // drop
        {{kKey1, kKeyEnter, kKey2, kKeyEnter, kKeyRpnOver}, "", "2", "1"},                    // over
        {{kKey1, kKeyEnter, kKey2, kKeyEnter, kKey3, kKeyEnter, kKey3, kKeyRpnRoll}, "", "3", "1"},  // 3 roll
        {{kKey1, kKeyEnter, kKeyRpnDepth}, "", "1", "1"},                                            // depth
        {{kKey2, kKeyTenPower}, "", "", "100"},  // 10^x is 10 to the power of the entry
        {{kKey3, kKeySquare}, "", "", "9"},
        {{kKey2, kKeyCube}, "", "", "8"},
        {{kKey4, kKeyReciprocal}, "", "", "0.25"},
        {{kKey8, kKeyCubeRoot}, "", "", "2"},
        {{kKey2, kKeyEnter, kKey3, kKeyPower}, "", "", "8"},            // x^y
        {{kKey1, kKeyEnter, kKey2, kKeyEnter, kKeyClear}, "", "", ""},  // C clears the stack
        {{kKey3, kKeyEnter, kKeySquare, kKeyRpnUndo}, "", "", "3"},     // one undo step per key
    };
    for (const Row& row : rows) {
        AppHarness h;
        h.launch(kCatArithmetic, "Basic-RPN");
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
    h.launch(kCatArithmetic, "Basic-RPN");
    h.keys({kKeyRpnDrop});  // drop on an empty stack
    EXPECT_EQ(h.inputUtf8(), ErrorMessage(kErrLibrary));
    EXPECT_EQ(h.feedback.vibrations(), 1);
    h.keys({kKey5, kKeyEnter, kKeyPlus});  // too few operands
    EXPECT_EQ(StackLine(h, 1), "5");
    EXPECT_EQ(h.inputUtf8(), ErrorMessage(kErrSyntax));
    h.keys({kKey6});  // typing replaces the message
    EXPECT_EQ(h.inputUtf8(), "6");
    h.keys({kKeyEnter, kKey4, kKeyChangeSign,
            kKeySquareRoot});  // sqrt(-4) cannot be shown: the stack is cleared
    EXPECT_EQ(h.inputUtf8(), "Invalid parameter(s)");
    EXPECT_EQ(StackLine(h, 1), "");
}

TEST(LedViewRPN, BaseConversionEntry) {
    AppHarness h;
    h.launch(kCatBaseConversion, "Basic-RPN");
    h.keys({kKeyBaseHex, kKeyHexF, kKeyHexF, kKeyEnter});
    EXPECT_EQ(StackLine(h, 1), "FF");
    h.keys({kKeyDecimal, kKeyChangeSign});  // no point and no sign in Base Conversion
    EXPECT_EQ(h.inputUtf8(), "");
    h.keys({kKeyBaseCycle});  // BIN
    EXPECT_EQ(StackLine(h, 1), "11111111");
    h.keys({kKey1, kKeyEnter, kKeyPlus});
    EXPECT_EQ(StackLine(h, 1), "00000000");  // 8 bits wrap
}

TEST(LedViewRPN, MemoryRecallPushes) {
    AppHarness h;
    h.launch(kCatArithmetic, "Basic-RPN");
    h.keys({kKey7, kKeyMemoryStore});  // the entry 7 is stored
    EXPECT_EQ(h.memoryText(), u"7");
    h.keys({kKeyEnter, kKeyMemoryRecall, kKeyPlus});  // 7 MR +
    EXPECT_EQ(StackLine(h, 1), "14");
}

TEST(LedViewRPN, SwitchingModesShowsAndHidesTheStack) {
    AppHarness h;
    h.launch(kCatArithmetic, "Basic-RPN");
    EXPECT_TRUE(h.led().isRPNShown());
    h.ctl().selectCategoryItem(kCatFinance);  // Finance stays in string mode
    EXPECT_FALSE(h.led().isRPNShown());
    EXPECT_TRUE(h.led().showsCaret());
    h.ctl().selectCategoryItem(kCatTrigonom);
    EXPECT_TRUE(h.led().isRPNShown());
    EXPECT_FALSE(h.led().showsCaret());
    EXPECT_TRUE(h.ctl().enterButtonShown());
}
