// String mode of the display driven through the main controller: editing, "=", the result line, the
// history push, base and bit-width changes, category and expression switches.
#include <gtest/gtest.h>

#include "app/controller/calculate_value.h"
#include "app_harness.h"
#include "numeric/errors.h"

namespace {

struct KeyRow {
    std::vector<int> codes;
    std::string input;
    std::string result;
    int caret;
};

void RunKeys(AppHarness& h, const std::vector<int>& codes) {
    for (int c : codes) {
        h.ctl().pressButtonHasKeycode(c);
        h.loop.runPending();
    }
}

std::string Codes(const std::vector<int>& codes) {
    std::string s;
    for (int c : codes) s += std::to_string(c) + " ";
    return s;
}

}  // namespace

TEST(LedViewString, KeySequences) {
    const KeyRow rows[] = {
        {{kKey1, kKeyPlus, kKey2, kKeyEquals}, "1+2", "3", 3},
        {{kKeyEquals}, "", "Empty string", 0},
        {{kKey0, kKeyDecimal, kKey5, kKeyTimes, kKey2, kKeyEquals}, "0.5\u00d72", "1", 5},
        {{kKey1, kKeyDivide, kKey0, kKeyEquals}, "1\u00f70", "Invalid parameter(s)", 3},
        {{kKey1, kKey2, kKey3, kKeyCaretLeft, kKeyDelete}, "12", "", 2},  // delete removes the boxed object
        {{kKey1, kKey2, kKey3, kKeyDelete}, "12", "", 2},                 // at the end, the last one
        {{kKeyDelete, kKeyClear}, "", "", 0},  // nothing to delete on an empty line
        {{kKey1, kKey2, kKey3, kKeyCaretLeft10, kKeyCaretRight, kKeyCaretRight10},
         "123",
         "",
         3},  // ten left clamps to the start, ten right to the end
        {{kKey2, kKeySquare, kKeyEquals}, "2^2", "4", 3},       // x² puts two objects
        {{kKeyTenPower, kKey2, kKeyEquals}, "10^2", "100", 3},  // 10^x
        {{kKeySquareRoot, kKey5, kKey9, kKeyCloseParen, kKeyEquals},
         "2\u221a(59)",
         "7.68114574786860817576968702173137",
         5},
        {{kKeySin, kKey3, kKey0, kKeyCloseParen, kKeyEquals}, "sin(30)", "0.5", 4},  // degrees by default
        {{kKey3, kKeyImaginary, kKeyMinus, kKey3, kKeyImaginary, kKeyEquals},
         "3i\u22123i",
         "0",
         5},                                                        // a complex zero is real again
        {{kKey1, kKeyPlus, kKey2, kKeyEquals, kKey5}, "5", "", 1},  // a number after a result starts anew
        {{kKey1, kKeyPlus, kKey2, kKeyEquals, kKeyPlus, kKey2, kKeyEquals},
         "1+2+2",
         "5",
         5},                               // an operator continues from it
        {{kKeyShift, kKey1}, "1", "", 1},  // shift is dropped by the next key
    };
    for (const KeyRow& row : rows) {
        AppHarness h;
        h.launch();
        RunKeys(h, row.codes);
        SCOPED_TRACE(Codes(row.codes));
        EXPECT_EQ(h.inputUtf8(), row.input);
        EXPECT_EQ(h.resultUtf8(), row.result);
        EXPECT_EQ(h.led().line().caret(), row.caret);
        EXPECT_FALSE(h.led().IsShiftEnable());
    }
}

TEST(LedViewString, EqualsPushesHistoryAndShowsTheSign) {
    AppHarness h;
    h.launch();
    h.keys({kKey1, kKeyPlus, kKey2, kKeyEquals});
    EXPECT_TRUE(h.led().IsEqual());
    EXPECT_EQ(h.history(), std::vector<std::string>{"1+2 = 3"});
    h.keys({kKeyEquals});  // the same line again is a second entry
    EXPECT_EQ(h.history().size(), 2u);
    h.keys({kKeyClear, kKeyEquals});  // an empty line is not pushed
    EXPECT_EQ(h.history().size(), 2u);
    EXPECT_FALSE(h.led().IsEqual());
    h.keys({kKey1});
    EXPECT_FALSE(h.led().IsEqual());
}

TEST(LedViewString, ErrorsVibrateAndKeepTheLine) {
    AppHarness h;
    h.launch();
    h.keys({kKey1, kKeyDivide, kKey0, kKeyEquals});
    EXPECT_EQ(h.feedback.vibrations(), 1);
    EXPECT_EQ(h.inputUtf8(), "1\u00f70");
    EXPECT_EQ(GetErrorCode(), kErrNone);
    EXPECT_EQ(h.history(), std::vector<std::string>{"1\u00f70 = Invalid parameter(s)"});
}

TEST(LedViewString, EmptyAndOverlengthLines) {
    EvaluationRequest request;
    EXPECT_EQ(U16ToUtf8(EvaluateForDisplay(request).text), "Empty string");
    request.displayText = std::u16string(4095, u'1');
    EXPECT_NE(U16ToUtf8(EvaluateForDisplay(request).text), "Overlength string");
    request.displayText = std::u16string(4096, u'1');
    const EvaluationResult r = EvaluateForDisplay(request);
    EXPECT_EQ(U16ToUtf8(r.text), "Overlength string");
    EXPECT_FALSE(r.isValue);
    // Text that only the conversion makes long enough: every "exp" gains two blanks.
    std::u16string grows;
    while (grows.size() < 3000) grows += u"1exp";
    request.displayText = grows;
    EXPECT_EQ(U16ToUtf8(EvaluateForDisplay(request).text), "Overlength string");
}

TEST(LedViewString, LargeResultSwitchesToScientificUntilCleared) {
    AppHarness h;
    h.launch();
    // 10^20
    h.keys({kKeyTenPower, kKey2, kKey0, kKeyEquals});
    EXPECT_EQ(h.led().GetNotation(), kKeyNotationSci);
    EXPECT_NE(h.resultUtf8().find("E20"), std::string::npos);
    h.keys({kKeyClear});
    EXPECT_EQ(h.led().GetNotation(), kKeyNotationNorm);
}

TEST(LedViewString, BaseCyclingConvertsTheEntry) {
    AppHarness h;
    h.launch(kCatBaseConversion);
    EXPECT_EQ(h.led().GetBase(), kKeyBaseDec);
    h.keys({kKey2, kKey5, kKey5});
    const std::pair<int, const char*> steps[] = {
        {kKeyBaseHex, "FF"}, {kKeyBaseBin, "11111111"}, {kKeyBaseOct, "377"}, {kKeyBaseDec, "255"}};
    for (const auto& [base, text] : steps) {
        h.keys({kKeyBaseCycle});
        EXPECT_EQ(h.led().GetBase(), base);
        EXPECT_EQ(h.inputUtf8(), text);
    }
    h.keys({kKeyClear, kKeyBaseCycle});  // an empty line stays empty and shows no error
    EXPECT_EQ(h.inputUtf8(), "");
    EXPECT_EQ(h.resultUtf8(), "");
}

TEST(LedViewString, BaseConversionEqualsAndDigitFilter) {
    struct Row {
        int base;
        std::vector<int> codes;
        std::string input;
    };
    const Row rows[] = {
        {kKeyBaseDec, {kKey1, kKeyHexA, kKey2}, "12"},      // no hexadecimal digits in DEC
        {kKeyBaseOct, {kKey7, kKey8, kKey9, kKey1}, "71"},  // no 8 and 9 in OCT
        {kKeyBaseBin, {kKey1, kKey2, kKey3, kKey7, kKey4, kKey0, kKeyHexF}, "10"},  // only 0 and 1 in BIN
        {kKeyBaseHex, {kKeyHexA, kKeyHexF, kKey1}, "AF1"},
    };
    for (const Row& row : rows) {
        AppHarness h;
        h.launch(kCatBaseConversion);
        h.led().InputCommand(row.base);
        RunKeys(h, row.codes);
        SCOPED_TRACE(row.base);
        EXPECT_EQ(h.inputUtf8(), row.input);
    }
    AppHarness h;
    h.launch(kCatBaseConversion);
    h.keys({kKeyBaseHex, kKeyHexA, kKeyPlus, kKey1, kKeyEquals});  // A+1 in HEX at 8 bits
    EXPECT_EQ(h.resultUtf8(), "0B");
    h.keys({kKeyBaseBin});
    h.keys({kKeyClear, kKey1, kKey1, kKey1, kKey1, kKey1, kKey1, kKey1, kKey1, kKeyPlus, kKey1,
            kKeyEquals});  // 11111111+1 wraps at 8 bits
    EXPECT_EQ(h.resultUtf8(), "00000000");
    EXPECT_EQ(h.led().GetNotation(), kKeyNotationNorm);
}

TEST(LedViewString, BitWidthCycle) {
    AppHarness h;
    h.launch(kCatBaseConversion);
    EXPECT_EQ(h.led().GetBitWidth(), kKeyWidth8);
    h.keys({kKeyWidthCycle});
    EXPECT_EQ(h.led().GetBitWidth(), kKeyWidth16);
    h.keys({kKeyBaseHex, kKeyHexF, kKeyHexF, kKeyHexF, kKeyEquals});  // FFF at 16 bits
    EXPECT_EQ(h.resultUtf8(), "0FFF");
    h.keys({kKeyWidthCycle, kKeyWidthCycle});  // 32, then back to 8: FFF at 8 bits
    EXPECT_EQ(h.led().GetBitWidth(), kKeyWidth8);
    h.keys({kKeyEquals});
    EXPECT_EQ(h.resultUtf8(), "FF");
}

TEST(LedViewString, CategorySwitchKeepsOrSwapsLines) {
    AppHarness h;
    h.launch(kCatArithmetic);
    h.keys({kKey1, kKeyPlus, kKey2});
    h.ctl().selectCategoryItem(kCatTrigonom);  // Trigonom shares Arithmetic's line
    EXPECT_EQ(h.inputUtf8(), "1+2");
    h.ctl().selectCategoryItem(kCatFinance);  // Finance has its own
    EXPECT_EQ(h.inputUtf8(), "");
    h.keys({kKey7});
    h.ctl().selectCategoryItem(kCatArithmetic);
    EXPECT_EQ(h.inputUtf8(), "1+2");
    EXPECT_EQ(h.led().line().caret(), 3);
    h.ctl().selectCategoryItem(kCatFinance);
    EXPECT_EQ(h.inputUtf8(), "7");
    h.ctl().selectCategoryItem(kCatGraph);  // the display's categories end at 11
    EXPECT_EQ(h.led().GetCurCategory(), kCatFinance);
}

TEST(LedViewString, BaseConversionKeepsItsBase) {
    AppHarness h;
    h.launch(kCatBaseConversion);
    h.keys({kKeyBaseHex});
    h.ctl().selectCategoryItem(kCatArithmetic);
    EXPECT_EQ(h.led().GetBase(), kKeyBaseDec);
    h.ctl().selectCategoryItem(kCatBaseConversion);
    EXPECT_EQ(h.led().GetBase(), kKeyBaseHex);
    h.keys({kKeyBaseDec});  // DEC chosen in Base Conversion survives a trip away too
    h.ctl().selectCategoryItem(kCatArithmetic);
    h.ctl().selectCategoryItem(kCatBaseConversion);
    EXPECT_EQ(h.led().GetBase(), kKeyBaseDec);
}

TEST(LedViewString, ExpressionSlots) {
    AppHarness h;
    h.launch();
    h.keys({kKey1});
    h.keys({kKeyExpressionNext, kKey2});  // slot 2
    EXPECT_EQ(h.led().GetExpressionIndex(), 1);
    h.keys({kKeyExpressionPrevious});
    EXPECT_EQ(h.inputUtf8(), "1");
    h.keys({kKeyExpressionPrevious});  // wraps to slot 5
    EXPECT_EQ(h.led().GetExpressionIndex(), 4);
    h.keys({kKeyExpression2});
    EXPECT_EQ(h.inputUtf8(), "2");
}

TEST(LedViewString, ModeNotationAndShiftKeys) {
    AppHarness h;
    h.launch();
    h.keys({kKeyAngleCycle});
    EXPECT_EQ(h.led().GetMode(), kKeyAngleRad);
    h.keys({kKeyAcos, kKey0, kKeyCloseParen, kKeyEquals});  // acos(0) in radians
    EXPECT_EQ(h.resultUtf8().substr(0, 9), "1.5707963");
    h.keys({kKeyAngleCycle, kKeyAngleCycle});
    EXPECT_EQ(h.led().GetMode(), kKeyAngleDeg);
    h.keys({kKeyNotationCycle});
    EXPECT_EQ(h.led().GetNotation(), kKeyNotationFix);
    h.keys({kKeyClear});  // the chosen notation is what a clear returns to
    EXPECT_EQ(h.led().GetNotation(), kKeyNotationFix);
    const int releases = h.postedCount("ReleaseSHIFTButon");
    h.keys({kKeyShift});
    EXPECT_TRUE(h.led().IsShiftEnable());
    EXPECT_EQ(h.postedCount("ReleaseSHIFTButon"), releases);
    h.keys({kKeyShift});
    EXPECT_EQ(h.postedCount("ReleaseSHIFTButon"), releases + 1);
}

TEST(LedViewString, EuropeanDecimalComma) {
    AppHarness h;
    StringDictionary settings{{"OutputMode", "0"}};
    h.storage.writeDictionary(DocumentPath(h.storage, "/setting_v15.dat"), settings);
    h.launch();
    h.keys({kKey1, kKeyDecimal, kKey5, kKeyTimes, kKey2, kKey0, kKey0, kKey0, kKeyEquals});
    EXPECT_EQ(h.inputUtf8(), "1\u00b85\u00d72000");
    EXPECT_EQ(h.resultUtf8(), "3.000");
}
