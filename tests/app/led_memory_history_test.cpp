// Memories, the history and the display's two files.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "app/display/history.h"
#include "app/display/led_state_file.h"
#include "app/display/memory.h"
#include "app_harness.h"

namespace {

std::vector<std::uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(Memory, GetStrToSaveMemory) {
    struct Row {
        std::u16string text;
        int base;
        const char* format;
        std::u16string memory;
    };
    const Row rows[] = {
        {u"1.5e-7", kKeyBaseDec, "English (US)", u"1.5exp(-7)"},
        {u"1.50000E-7", kKeyBaseDec, "English (US)", u"1.50000exp(-7)"},
        {u"2.5E+12", kKeyBaseDec, "English (US)", u"2.5exp12"},
        {u"1e-2+3e-4i", kKeyBaseDec, "English (US)", u"1exp(-2+3exp(-4i))"},
        {u"1\u00b8234.5", kKeyBaseDec, "English (US)", u"1234.5"},
        {u"1.234\u00b85", kKeyBaseDec, "European", u"1234\u00b85"},
        {u"1.234", kKeyBaseDec, "Other", u"1.234"},
        {u"1E", kKeyBaseHex, "English (US)", u"1E"},  // hexadecimal digits are not an exponent
        {u"FF", kKeyBaseBin, "English (US)", u"ff"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(U16ToUtf8(r.text));
        EXPECT_EQ(U16ToUtf8(GetStrToSaveMemory(r.text, r.base, r.format)), U16ToUtf8(r.memory));
    }
}

TEST(Memory, RecordBoundsAndBytes) {
    _RAW_MEMORY m;
    m.set(std::u16string(60, u'7'), 10);
    EXPECT_EQ(m.iLength, 50);
    // A cut never splits a surrogate pair.
    std::u16string pairs = std::u16string(49, u'1') + u"\U0001D400";
    m.set(pairs, 10);
    EXPECT_EQ(m.iLength, 49);
    EXPECT_EQ(CutAtCharacter(u"ab", 5), u"ab");

    m.set(u"255", 16);
    LeWriter w;
    WriteRawMemory(w, m);
    ASSERT_EQ(w.bytes().size(), _RAW_MEMORY::kSize);
    EXPECT_EQ(w.bytes()[0], 3);
    EXPECT_EQ(w.bytes()[4], '2');
    EXPECT_EQ(w.bytes()[104], 16);
    LeReader r(w.bytes());
    _RAW_MEMORY back;
    ASSERT_TRUE(ReadRawMemory(r, back));
    EXPECT_EQ(back.text(), u"255");

    std::vector<std::uint8_t> bad = w.bytes();
    bad[104] = 3;  // no such radix
    LeReader r2(bad);
    EXPECT_FALSE(ReadRawMemory(r2, back));
    EXPECT_TRUE(back.empty());
}

TEST(Memory, StoreRecallAcrossBases) {
    AppHarness h;
    h.launch(kCatBaseConversion);
    h.keys({kKey2, kKey5, kKey5, kKeyEquals, kKeyMemoryStore});  // 255 = MS
    EXPECT_EQ(h.memoryText(), u"255");
    EXPECT_EQ(h.led().memory(0, kCatBaseConversion)->iRadix, 10);
    h.keys({kKeyClear, kKeyBaseCycle, kKeyMemoryRecall});  // HEX, MR
    EXPECT_EQ(h.inputUtf8(), "FF");
    h.keys({kKeyBaseCycle,
            kKeyMemoryRecall});  // BIN: the line turns binary and the recall appends the memory in binary
    EXPECT_EQ(h.inputUtf8(), "1111111111111111");
    h.keys(
        {kKeyMemoryClear, kKeyClear, kKeyMemoryRecall});  // MC empties the memory; a recall inserts nothing
    EXPECT_EQ(h.inputUtf8(), "");
    // Each display category has its own memories.
    h.ctl().selectCategoryItem(kCatArithmetic);
    EXPECT_EQ(h.memoryText(), u"");
}

TEST(Memory, ArithmeticInStringMode) {
    AppHarness h;
    h.launch();
    h.keys({kKey5, kKeyEquals, kKeyMemoryAdd});  // M+ on an empty memory stores
    EXPECT_EQ(h.memoryText(), u"5");
    h.keys({kKey3, kKeyEquals, kKeyMemoryAdd});
    EXPECT_EQ(h.memoryText(), u"8");
    h.keys({kKey1, kKeyEquals, kKeyMemorySubtract});
    EXPECT_EQ(h.memoryText(), u"7");
    h.keys({kKeyMemoryNext});  // M2
    EXPECT_EQ(h.led().GetMemory(), kKeyMemory2);
    h.keys({kKeyClear, kKey5, kKeyEquals, kKeyMemorySubtract});  // M- on an empty memory subtracts from 0
    EXPECT_EQ(h.memoryText(1), u"-5");
    h.keys({kKey1, kKeyDivide, kKey0, kKeyEquals, kKeyMemoryAdd});  // an error result adds nothing
    EXPECT_EQ(h.memoryText(1), u"-5");
    h.keys({kKeyMemoryStore});  // nor is the message stored
    EXPECT_EQ(h.memoryText(1), u"-5");
    h.keys({kKeyClear, kKeyMemoryStore});  // a cleared display stores 0
    EXPECT_EQ(h.memoryText(1), u"0");
    h.keys({kKeyMemory2, kKeyMemoryRecall, kKeyPlus, kKeyMemory1, kKeyMemoryRecall, kKeyEquals});  // M2 + M1
    EXPECT_EQ(h.inputUtf8(), "0+7");
    EXPECT_EQ(h.resultUtf8(), "7");
    for (int k = 0; k < 5; ++k) h.keys({kKeyMemoryNext});
    EXPECT_EQ(h.led().GetMemory(), kKeyMemory1);  // five steps wrap around
}

TEST(Memory, ScientificResultRoundTrip) {
    AppHarness h;
    h.launch();
    // 0.00000015 in SCI: the memory keeps the exponent as exp(-7)
    h.keys({kKeyNotationSci, kKey0, kKeyDecimal, kKey0, kKey0, kKey0, kKey0, kKey0, kKey0, kKey1, kKey5,
            kKeyEquals, kKeyMemoryStore});
    const std::string text = U16ToUtf8(h.memoryText());
    EXPECT_EQ(text.substr(0, 3), "1.5");
    EXPECT_EQ(text.substr(text.size() - 7), "exp(-7)");
    EXPECT_LE(text.size(), 50u);
    h.keys({kKeyClear, kKeyMemoryRecall, kKeyEquals});
    EXPECT_EQ(h.resultUtf8(), "0.00000015");
}

TEST(History, PushDropsTheOldestAndBoundsTheResult) {
    LedHistory history;
    InputLine line;
    for (int k = 1; k <= 121; ++k) {
        line.Clear();
        line.InsertString(Utf8ToU16(std::to_string(k)), true,
                          LineTextFormat{"English (US)", kCatArithmetic, kKeyBaseDec});
        history.Push(line, std::u16string(70, u'9'));
    }
    EXPECT_EQ(history.count(), 120);
    EXPECT_EQ(history.entry(0)->text(), u"121");
    EXPECT_EQ(history.entry(119)->text(), u"2");
    EXPECT_EQ(history.entry(0)->iResultLength, 50);
    EXPECT_EQ(history.entry(120), nullptr);
}

TEST(History, The121stEvaluationThroughTheKeys) {
    AppHarness h;
    h.launch();
    h.keys({kKey1});
    for (int k = 0; k < 121; ++k) h.keys({kKeyEquals});
    EXPECT_EQ(h.led().GetCurrentCategoryHistory().count(), 120);
}

TEST(History, ClearAsksFirstAndOnlyWhenNotEmpty) {
    AppHarness h;
    h.launch();
    h.post("ClearLedHistory");
    EXPECT_TRUE(h.alerts.shown().empty());
    h.keys({kKey1, kKeyEquals});
    h.alerts.scriptAnswer(1);  // NO
    h.post("ClearLedHistory");
    ASSERT_EQ(h.alerts.shown().size(), 1u);
    EXPECT_EQ(h.alerts.shown()[0].title, "Warning!");
    EXPECT_EQ(h.alerts.shown()[0].message, "Do you want to clear history ?");
    EXPECT_EQ(h.alerts.shown()[0].buttons, (std::vector<std::string>{"YES", "NO"}));
    EXPECT_EQ(h.history().size(), 1u);
    h.post("ClearLedHistory");  // YES
    EXPECT_TRUE(h.history().empty());
}

TEST(History, SelectingAnEntryLoadsIt) {
    AppHarness h;
    h.launch();
    h.keys({kKey1, kKeyPlus, kKey2, kKeyEquals, kKeyClear, kKey3, kKeyEquals, kKeyClear});
    h.post("ShowCurrentHistory");
    EXPECT_EQ(h.ctl().currentScreen(), "history_view");
    h.post("SelectListHistoryIndex", 1);
    EXPECT_EQ(h.inputUtf8(), "1+2");
    EXPECT_EQ(h.ctl().currentScreen(), "");
    h.led().SetHistoryToLED(200);  // out of range: nothing
    EXPECT_EQ(h.inputUtf8(), "1+2");
}

TEST(History, MailForwarding) {
    AppHarness h;
    h.launch();
    h.post("ForwardHistoryToMail");
    EXPECT_TRUE(h.urls.opened().empty());  // an empty history sends nothing
    h.keys({kKey1, kKeyPlus, kKey2, kKeyEquals, kKeyClear, kKey2, kKeyTimes, kKey3, kKeyEquals});
    h.post("ForwardHistoryToMail");
    ASSERT_EQ(h.urls.opened().size(), 1u);
    EXPECT_EQ(h.urls.opened()[0], "mailto:?subject=&body=1%2B2%20%3D%203%0A2%C3%973%20%3D%206%0A");
    EXPECT_EQ(MailtoAddress(u"a b", MailRecipient{u"me@x.org", u"R&D"}),
              "mailto:me%40x.org?subject=R%26D&body=a%20b");
}

TEST(LedFiles, StateAndHistoryRoundTripByteExact) {
    AppHarness h;
    h.launch();
    h.keys({kKey1, kKeyPlus, kKey2, kKeyEquals, kKeyMemoryStore, kKeyExpressionNext,
            kKey3});  // history, M1, a line in slot 2
    h.ctl().selectCategoryItem(kCatBaseConversion);
    h.keys({kKeyBaseHex, kKeyWidthCycle, kKeyHexA});
    h.terminate();
    const auto state = ReadAll(h.dir.file(kLedStateFileName));
    const auto history = ReadAll(h.dir.file(kLedHistoryFileName));
    ASSERT_EQ(state.size(), 105372u);
    ASSERT_EQ(history.size(), 197760u);
    const auto decoded = DecodeLedState(state);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(EncodeLedState(*decoded), state);
    EXPECT_EQ(decoded->iBaseConversionCategory, kKeyBaseHex);
    EXPECT_EQ(decoded->iBitWidth, kKeyWidth16);
    EXPECT_EQ(decoded->lines[kCatBaseConversion * 5 + 1].text(), u"A");  // Base Conversion, slot 2
    EXPECT_EQ(decoded->lines[kCatArithmetic * 5 + 1].text(), u"3");
    EXPECT_EQ(decoded->memories[0].text(), u"3");  // M1 of category 0
    LedHistory back;
    ASSERT_TRUE(back.Decode(history));
    EXPECT_EQ(back.Encode(), history);

    h.restart();
    EXPECT_EQ(h.history(), std::vector<std::string>{"1+2 = 3"});
    EXPECT_EQ(h.led().GetCurCategory(), kCatBaseConversion);
    EXPECT_EQ(h.led().GetBase(), kKeyBaseHex);
    EXPECT_EQ(h.led().GetBitWidth(), kKeyWidth16);
    h.ctl().selectCategoryItem(kCatArithmetic);
    EXPECT_EQ(h.memoryText(), u"3");
    h.keys({kKeyExpression1});
    EXPECT_EQ(h.inputUtf8(), "1+2");
}

TEST(LedFiles, DamagedFilesGiveACleanStart) {
    std::mt19937 random(7);
    auto noise = [&](size_t n) {
        std::vector<unsigned char> v(n);
        for (auto& b : v) b = static_cast<unsigned char>(random());
        return v;
    };
    const std::vector<std::uint8_t> sound = EncodeLedState(LedStateFile{});
    std::vector<unsigned char> badCount(sound.begin(), sound.end());
    badCount[3] = 0x80;  // a negative object count in the first line
    std::vector<unsigned char> badCode(sound.begin(), sound.end());
    badCode[badCode.size() - 4] = 0x7F;  // a bit width outside its set
    const std::vector<std::vector<unsigned char>> states = {
        {}, noise(100), noise(105371), noise(105373), noise(105372), badCount, badCode,
    };
    for (size_t k = 0; k < states.size(); ++k) {
        SCOPED_TRACE(k);
        AppHarness h;
        h.dir.write(kLedStateFileName, states[k]);
        h.dir.write(kLedHistoryFileName, noise(k * 1000));
        h.launch();
        EXPECT_EQ(h.inputUtf8(), "");
        EXPECT_TRUE(h.history().empty());
        EXPECT_EQ(h.led().GetNotation(), kKeyNotationNorm);
        EXPECT_EQ(h.led().GetBitWidth(), kKeyWidth8);
        h.keys({kKey1, kKeyPlus, kKey2, kKeyEquals});
        EXPECT_EQ(h.resultUtf8(), "3");
    }
    LedHistory history;
    std::vector<std::uint8_t> entries = history.Encode();
    entries[1648 + 4] = 2;  // entry 1: a text length without objects
    EXPECT_FALSE(history.Decode(entries));
}
