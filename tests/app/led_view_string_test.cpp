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
        {{10, 18, 11, 19}, "1+2", "3", 3},
        {{19}, "", "Empty string", 0},
        {{15, 16, 6, 8, 11, 19}, "0.5\u00d72", "1", 5},
        {{10, 3, 15, 19}, "1\u00f70", "Invalid parameter(s)", 3},
        {{10, 11, 12, 48, 47}, "12", "", 2},         // delete removes the boxed object
        {{10, 11, 12, 47}, "12", "", 2},             // at the end, the last one
        {{47, 4}, "", "", 0},                        // nothing to delete on an empty line
        {{10, 11, 12, 156, 49, 157}, "123", "", 3},  // ten left clamps to the start, ten right to the end
        {{11, 31, 19}, "2^2", "4", 3},               // x² puts two objects
        {{38, 11, 19}, "10^2", "100", 3},            // 10^x
        {{41, 6, 2, 45, 19}, "2\u221a(59)", "7.68114574786860817576968702173137", 5},
        {{54, 12, 15, 45, 19}, "sin(30)", "0.5", 4},       // degrees by default
        {{12, 25, 13, 12, 25, 19}, "3i\u22123i", "0", 5},  // a complex zero is real again
        {{10, 18, 11, 19, 6}, "5", "", 1},                 // a number after a result starts anew
        {{10, 18, 11, 19, 18, 11, 19}, "1+2+2", "5", 5},   // an operator continues from it
        {{23, 10}, "1", "", 1},                            // shift is dropped by the next key
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
    h.keys({10, 18, 11, 19});
    EXPECT_TRUE(h.led().IsEqual());
    EXPECT_EQ(h.history(), std::vector<std::string>{"1+2 = 3"});
    h.keys({19});  // the same line again is a second entry
    EXPECT_EQ(h.history().size(), 2u);
    h.keys({4, 19});  // an empty line is not pushed
    EXPECT_EQ(h.history().size(), 2u);
    EXPECT_FALSE(h.led().IsEqual());
    h.keys({10});
    EXPECT_FALSE(h.led().IsEqual());
}

TEST(LedViewString, ErrorsVibrateAndKeepTheLine) {
    AppHarness h;
    h.launch();
    h.keys({10, 3, 15, 19});
    EXPECT_EQ(h.feedback.vibrations(), 1);
    EXPECT_EQ(h.inputUtf8(), "1\u00f70");
    EXPECT_EQ(GetErrorCode(), 0);
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
    h.keys({38, 11, 15, 19});
    EXPECT_EQ(h.led().GetNotation(), 136);
    EXPECT_NE(h.resultUtf8().find("E20"), std::string::npos);
    h.keys({4});
    EXPECT_EQ(h.led().GetNotation(), 135);
}

TEST(LedViewString, BaseCyclingConvertsTheEntry) {
    AppHarness h;
    h.launch(3);
    EXPECT_EQ(h.led().GetBase(), 147);
    h.keys({11, 6, 6});
    const std::pair<int, const char*> steps[] = {{148, "FF"}, {145, "11111111"}, {146, "377"}, {147, "255"}};
    for (const auto& [base, text] : steps) {
        h.keys({68});
        EXPECT_EQ(h.led().GetBase(), base);
        EXPECT_EQ(h.inputUtf8(), text);
    }
    h.keys({4, 68});  // an empty line stays empty and shows no error
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
        {147, {10, 72, 11}, "12"},                // no hexadecimal digits in DEC
        {146, {0, 1, 2, 10}, "71"},               // no 8 and 9 in OCT
        {145, {10, 11, 12, 0, 5, 15, 77}, "10"},  // only 0 and 1 in BIN
        {148, {72, 77, 10}, "AF1"},
    };
    for (const Row& row : rows) {
        AppHarness h;
        h.launch(3);
        h.led().InputCommand(row.base);
        RunKeys(h, row.codes);
        SCOPED_TRACE(row.base);
        EXPECT_EQ(h.inputUtf8(), row.input);
    }
    AppHarness h;
    h.launch(3);
    h.keys({148, 72, 18, 10, 19});  // A+1 in HEX at 8 bits
    EXPECT_EQ(h.resultUtf8(), "0B");
    h.keys({145});
    h.keys({4, 10, 10, 10, 10, 10, 10, 10, 10, 18, 10, 19});  // 11111111+1 wraps at 8 bits
    EXPECT_EQ(h.resultUtf8(), "00000000");
    EXPECT_EQ(h.led().GetNotation(), 135);
}

TEST(LedViewString, BitWidthCycle) {
    AppHarness h;
    h.launch(3);
    EXPECT_EQ(h.led().GetBitWidth(), 138);
    h.keys({137});
    EXPECT_EQ(h.led().GetBitWidth(), 139);
    h.keys({148, 77, 77, 77, 19});  // FFF at 16 bits
    EXPECT_EQ(h.resultUtf8(), "0FFF");
    h.keys({137, 137});  // 32, then back to 8: FFF at 8 bits
    EXPECT_EQ(h.led().GetBitWidth(), 138);
    h.keys({19});
    EXPECT_EQ(h.resultUtf8(), "FF");
}

TEST(LedViewString, CategorySwitchKeepsOrSwapsLines) {
    AppHarness h;
    h.launch(0);
    h.keys({10, 18, 11});
    h.ctl().selectCategoryItem(1);  // Trigonom shares Arithmetic's line
    EXPECT_EQ(h.inputUtf8(), "1+2");
    h.ctl().selectCategoryItem(4);  // Finance has its own
    EXPECT_EQ(h.inputUtf8(), "");
    h.keys({0});
    h.ctl().selectCategoryItem(0);
    EXPECT_EQ(h.inputUtf8(), "1+2");
    EXPECT_EQ(h.led().line().caret(), 3);
    h.ctl().selectCategoryItem(4);
    EXPECT_EQ(h.inputUtf8(), "7");
    h.ctl().selectCategoryItem(13);  // the display's categories end at 11
    EXPECT_EQ(h.led().GetCurCategory(), 4);
}

TEST(LedViewString, BaseConversionKeepsItsBase) {
    AppHarness h;
    h.launch(3);
    h.keys({148});
    h.ctl().selectCategoryItem(0);
    EXPECT_EQ(h.led().GetBase(), 147);
    h.ctl().selectCategoryItem(3);
    EXPECT_EQ(h.led().GetBase(), 148);
    h.keys({147});  // DEC chosen in Base Conversion survives a trip away too
    h.ctl().selectCategoryItem(0);
    h.ctl().selectCategoryItem(3);
    EXPECT_EQ(h.led().GetBase(), 147);
}

TEST(LedViewString, ExpressionSlots) {
    AppHarness h;
    h.launch();
    h.keys({10});
    h.keys({149, 11});  // slot 2
    EXPECT_EQ(h.led().GetExpressionIndex(), 1);
    h.keys({150});
    EXPECT_EQ(h.inputUtf8(), "1");
    h.keys({150});  // wraps to slot 5
    EXPECT_EQ(h.led().GetExpressionIndex(), 4);
    h.keys({152});
    EXPECT_EQ(h.inputUtf8(), "2");
}

TEST(LedViewString, ModeNotationAndShiftKeys) {
    AppHarness h;
    h.launch();
    h.keys({50});
    EXPECT_EQ(h.led().GetMode(), 143);
    h.keys({64, 15, 45, 19});  // acos(0) in radians
    EXPECT_EQ(h.resultUtf8().substr(0, 9), "1.5707963");
    h.keys({50, 50});
    EXPECT_EQ(h.led().GetMode(), 142);
    h.keys({133});
    EXPECT_EQ(h.led().GetNotation(), 134);
    h.keys({4});  // the chosen notation is what a clear returns to
    EXPECT_EQ(h.led().GetNotation(), 134);
    const int releases = h.postedCount("ReleaseSHIFTButon");
    h.keys({23});
    EXPECT_TRUE(h.led().IsShiftEnable());
    EXPECT_EQ(h.postedCount("ReleaseSHIFTButon"), releases);
    h.keys({23});
    EXPECT_EQ(h.postedCount("ReleaseSHIFTButon"), releases + 1);
}

TEST(LedViewString, EuropeanDecimalComma) {
    AppHarness h;
    StringDictionary settings{{"OutputMode", "0"}};
    h.storage.writeDictionary(DocumentPath(h.storage, "/setting_v15.dat"), settings);
    h.launch();
    h.keys({10, 16, 6, 8, 11, 15, 15, 15, 19});
    EXPECT_EQ(h.inputUtf8(), "1\u00b85\u00d72000");
    EXPECT_EQ(h.resultUtf8(), "3.000");
}
