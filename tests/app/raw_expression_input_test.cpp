#include "app/display/raw_expression_input.h"

#include <gtest/gtest.h>

#include "app/display/input_line.h"

namespace {
std::int32_t At32(const std::vector<std::uint8_t>& b, size_t off) {
    return static_cast<std::int32_t>(b[off] | (b[off + 1] << 8) | (b[off + 2] << 16) |
                                     (static_cast<unsigned>(b[off + 3]) << 24));
}
void Put32(std::vector<std::uint8_t>& b, size_t off, std::int32_t v) {
    for (int i = 0; i < 4; ++i)
        b[off + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}
}  // namespace

TEST(RawExpressionInput, ByteLayout) {
    InputLine line;
    line.InsertObject(u"1");
    line.InsertObject(u"sin(");
    line.InsertObject(u"\u00d7");
    _RAW_EXPRESSION_INPUT raw;
    line.SaveToRaw(raw);
    raw.setResult(u"0.5");
    std::vector<std::uint8_t> b = EncodeRawExpressionInput(raw);
    ASSERT_EQ(b.size(), 1648u);
    EXPECT_EQ(At32(b, 0), 3);
    EXPECT_EQ(At32(b, 4), 6);
    const std::vector<std::uint8_t> text = {'1', 0, 's', 0, 'i', 0, 'n', 0, '(', 0, 0xD7, 0x00, 0, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 8, b.begin() + 22), text);
    EXPECT_EQ(b[1032], 1);
    EXPECT_EQ(b[1033], 4);
    EXPECT_EQ(b[1034], 1);
    EXPECT_EQ(b[1035], 0);
    EXPECT_EQ(At32(b, 1544), 3);
    EXPECT_EQ(b[1548], '0');
    EXPECT_EQ(b[1550], '.');
    EXPECT_EQ(b[1552], '5');
    EXPECT_EQ(b[1647], 0);

    _RAW_EXPRESSION_INPUT back;
    ASSERT_TRUE(DecodeRawExpressionInput(b, back));
    EXPECT_EQ(back.result(), u"0.5");
    InputLine again;
    again.SetRawInputString(back);
    EXPECT_EQ(again.GetRawInputString(), u"1sin(\u00d7");
    EXPECT_EQ(again.object(1), u"sin(");
    EXPECT_EQ(again.caret(), 3);
    EXPECT_EQ(again.line().iEndIndexVisPart, 2);
    EXPECT_EQ(again.updateRequest(), 2);
}

TEST(RawExpressionInput, RecordsThatDoNotAddUpAreRejected) {
    InputLine line;
    line.InsertObject(u"12");
    line.InsertObject(u"+");
    _RAW_EXPRESSION_INPUT raw;
    line.SaveToRaw(raw);
    const std::vector<std::uint8_t> good = EncodeRawExpressionInput(raw);
    struct Row {
        const char* note;
        size_t offset;  // where the int32 / byte goes
        std::int32_t value;
        bool isByte;
    };
    const Row rows[] = {
        {"count above 512", 0, 513, false},         {"negative count", 0, -1, false},
        {"text above 512", 4, 600, false},          {"lengths sum too small", 4, 4, false},
        {"count larger than objects", 0, 3, false}, {"object length changed", 1032, 3, true},
        {"zero-length object", 1033, 0, true},      {"result above 50", 1544, 51, false},
        {"negative result", 1544, -2, false},
    };
    for (const Row& r : rows) {
        std::vector<std::uint8_t> b = good;
        if (r.isByte) {
            b[r.offset] = static_cast<std::uint8_t>(r.value);
        } else {
            Put32(b, r.offset, r.value);
        }
        _RAW_EXPRESSION_INPUT out;
        out.iObjCount = 99;
        EXPECT_FALSE(DecodeRawExpressionInput(b, out)) << r.note;
        EXPECT_EQ(out.iObjCount, 0) << r.note;
        EXPECT_EQ(out.iTextLength, 0) << r.note;
    }
    _RAW_EXPRESSION_INPUT out;
    EXPECT_FALSE(DecodeRawExpressionInput(std::vector<std::uint8_t>(good.begin(), good.end() - 1), out));
    std::vector<std::uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_FALSE(DecodeRawExpressionInput(longer, out));
    EXPECT_TRUE(DecodeRawExpressionInput(good, out));

    // A damaged record handed to the line directly gives an empty line.
    _RAW_EXPRESSION_INPUT bad = raw;
    bad.iTextLength = 2;
    InputLine target;
    target.InsertObject(u"9");
    target.SetRawInputString(bad);
    EXPECT_EQ(target.objectCount(), 0);
    EXPECT_EQ(target.GetRawInputString(), u"");
    const std::uint8_t lens[2] = {2, 2};
    target.SetRawInputString(u"12+", lens, 2);
    EXPECT_EQ(target.objectCount(), 0);
    target.SetRawInputString(u"12+", lens, 3);  // more objects than lengths given
    EXPECT_EQ(target.objectCount(), 0);
}

TEST(RawExpressionInput, ResultIsCutToItsField) {
    _RAW_EXPRESSION_INPUT raw;
    raw.setResult(std::u16string(80, u'9'));
    EXPECT_EQ(raw.iResultLength, 50);
    EXPECT_EQ(raw.result().size(), 50u);
}
