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
    EXPECT_EQ(GetErrorCode(), 0);
    EXPECT_LE(d.line().GetRawInputString().size(), 512u);
    EXPECT_GE(d.line().caret(), 0);
    EXPECT_LE(d.line().caret(), d.line().objectCount());
    EXPECT_GE(d.GetBase(), 145);
    EXPECT_LE(d.GetBase(), 148);
    EXPECT_GE(d.GetBitWidth(), 138);
    EXPECT_LE(d.GetBitWidth(), 140);
    EXPECT_GE(d.GetMemory(), 126);
    EXPECT_LE(d.GetMemory(), 130);
    EXPECT_GE(d.GetExpressionIndex(), 0);
    EXPECT_LE(d.GetExpressionIndex(), 4);
    for (int m = 0; m < 5; ++m) EXPECT_LE(d.memory(m, 0)->text().size(), 50u);
}

}  // namespace

TEST(LedViewEveryKey, EachCodeAfterANumber) {
    const std::pair<int, const char*> setups[] = {
        {0, ""}, {0, "Basic-Standard"}, {0, "Basic-RPN"}, {3, "Basic-Standard"}, {3, "Basic-RPN"}, {3, ""},
        {4, ""}};
    for (const auto& [category, mode] : setups) {
        AppHarness h;
        h.launch(category, mode);
        for (int code = -1; code < 200; ++code) {
            if (code == 169 || code == 24) continue;  // they only open the menu and the list
            h.keys({4, 10, 11, 44, 12, code, 19});
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
        h.launch(0, mode);
        std::uniform_int_distribution<int> key(0, 199), category(0, 11);
        for (int step = 0; step < 3000; ++step) {
            int code = key(random);
            if (code == 169 || code == 24 || code == 174 || code == 175 || code == 193) code = 10;
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
