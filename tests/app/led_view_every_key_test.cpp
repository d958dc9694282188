// Every key code in every input mode and in long random sequences: the calculator keeps its invariants
// (no engine error left behind, a line that fits its stored record, a caret inside the line, indicators
// that name valid states) and its files still round-trip afterwards.
#include <gtest/gtest.h>

#include <random>

#include "app/display/led_state_file.h"
#include "app_harness.h"

namespace {

void ExpectSound(AppHarness& h, const std::string& where) {
    SCOPED_TRACE(where);
    const MyLedView& d = h.led();
    EXPECT_EQ(GetErrorCode(), kErrNone);
    EXPECT_LE(d.line().GetRawInputString().size(), 512u);
    EXPECT_GE(d.line().caret(), 0);
    EXPECT_LE(d.line().caret(), d.line().objectCount());
    EXPECT_GE(d.GetBase(), kKeyBaseBin);
    EXPECT_LE(d.GetBase(), kKeyBaseHex);
    EXPECT_GE(d.GetBitWidth(), kKeyWidth8);
    EXPECT_LE(d.GetBitWidth(), kKeyWidth32);
    EXPECT_GE(d.GetMemory(), kKeyMemory1);
    EXPECT_LE(d.GetMemory(), kKeyMemory5);
    EXPECT_GE(d.GetExpressionIndex(), 0);
    EXPECT_LE(d.GetExpressionIndex(), 4);
    for (int m = 0; m < 5; ++m) EXPECT_LE(d.memory(m, 0)->text().size(), 50u);
}

}  // namespace

TEST(LedViewEveryKey, EachCodeAfterANumber) {
    const std::pair<int, const char*> setups[] = {{kCatArithmetic, ""},
                                                  {kCatArithmetic, "Basic-Standard"},
                                                  {kCatArithmetic, "Basic-RPN"},
                                                  {kCatBaseConversion, "Basic-Standard"},
                                                  {kCatBaseConversion, "Basic-RPN"},
                                                  {kCatBaseConversion, ""},
                                                  {kCatFinance, ""}};
    for (const auto& [category, mode] : setups) {
        AppHarness h;
        h.launch(category, mode);
        for (int code = kKeyNone; code <= kLastKeyCode; ++code) {
            if (code == kKeyMenu || code == kKeyFunctionList)
                continue;  // they only open the menu and the list
            h.keys({kKeyClear, kKey1, kKey2, kKeyOpenParen, kKey3, code, kKeyEquals});
            ExpectSound(h, std::string(mode) + " category " + std::to_string(category) + " key " +
                               std::to_string(code));
            if (h.ctl().currentFunction() != category) h.ctl().selectCategoryItem(category);
        }
        EXPECT_GT(h.postedCount("ReleaseSHIFTButon"), 1000);  // the keys did reach the display
    }
}

TEST(LedViewEveryKey, RandomSequencesKeepTheInvariantsAndTheFiles) {
    const char* modes[] = {"", "Basic-Standard", "Basic-RPN"};
    std::mt19937 random(2024);
    for (const char* mode : modes) {
        AppHarness h;
        h.launch(kCatArithmetic, mode);
        std::uniform_int_distribution<int> key(0, kLastKeyCode), category(0, kDisplayCategoryCount - 1);
        for (int step = 0; step < 3000; ++step) {
            int code = key(random);
            // Keys that only open a menu or a list would leave it open over the calculator.
            if (code == kKeyMenu || code == kKeyFunctionList || code == kKeyRpnStackList ||
                code == kKeyRpnFunctionList || code == kKeyDistributionList)
                code = kKey1;
            if (step % 500 == 499) h.ctl().selectCategoryItem(category(random));
            h.keys({code});
            if (step % 100 == 0) ExpectSound(h, std::string(mode) + " step " + std::to_string(step));
        }
        h.terminate();
        std::vector<std::uint8_t> bytes;
        {
            auto read = h.storage.readFile(h.dir.file(kLedStateFileName));
            ASSERT_TRUE(read);
            bytes = *read;
        }
        const auto state = DecodeLedState(bytes);
        ASSERT_TRUE(state) << mode;
        EXPECT_EQ(EncodeLedState(*state), bytes);
    }
}
