// The display's drawing through the recording canvas, the result fitting rule and the indicator touches.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/display/led_drawing.h"
#include "app_harness.h"

namespace {

struct Drawn {
    std::vector<CanvasCall> calls;
    bool hasText(const std::u16string& t) const {
        return std::any_of(calls.begin(), calls.end(),
                           [&](const CanvasCall& c) { return c.op == CanvasOp::DrawText && c.text == t; });
    }
    const CanvasCall* text(const std::u16string& t) const {
        for (const auto& c : calls)
            if (c.op == CanvasOp::DrawText && c.text == t) return &c;
        return nullptr;
    }
    int count(CanvasOp op) const {
        return static_cast<int>(
            std::count_if(calls.begin(), calls.end(), [&](const CanvasCall& c) { return c.op == op; }));
    }
};

Drawn Draw(AppHarness& h) {
    RecordingCanvas canvas;
    canvas.setFixedAdvance(10);
    h.led().drawRect(canvas);
    return Drawn{canvas.calls()};
}

void Touch(AppHarness& h, const CanvasRect& rc) {
    h.led().touchDown({rc.x + rc.width / 2, rc.y + rc.height / 2});
    h.led().touchUp({rc.x + rc.width / 2, rc.y + rc.height / 2});
    h.loop.runPending();
}

}  // namespace

TEST(LedDrawing, IndicatorsFollowTheCategory) {
    struct Row {
        int category;
        std::vector<std::u16string> shown;
        std::vector<std::u16string> hidden;
    };
    const Row rows[] = {
        {kCatArithmetic, {u"DEG", u"DEC", u"NORM", u"M1", u"E1", u"HIS"}, {u"8 bit", u"SHIFT"}},
        {kCatBaseConversion, {u"8 bit", u"DEC", u"M1", u"E1", u"HIS"}, {u"DEG", u"NORM"}},
        {kCatFinance, {u"DEC", u"NORM", u"M1", u"E1"}, {u"DEG", u"8 bit"}},
        {kCatUnitConverter, {}, {u"DEG", u"DEC", u"NORM", u"M1", u"E1", u"8 bit"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.category);
        AppHarness h;
        h.launch(row.category);
        const Drawn d = Draw(h);
        ASSERT_FALSE(d.calls.empty());
        const auto first = std::find_if(d.calls.begin(), d.calls.end(),
                                        [](const CanvasCall& c) { return c.op == CanvasOp::FillRect; });
        ASSERT_NE(first, d.calls.end());
        EXPECT_EQ(first->rect.width, h.led().regions().frame.width);  // the white background first
        for (const auto& t : row.shown) EXPECT_TRUE(d.hasText(t)) << U16ToUtf8(t);
        for (const auto& t : row.hidden) EXPECT_FALSE(d.hasText(t)) << U16ToUtf8(t);
        if (const CanvasCall* c = d.text(u"M1")) {
            EXPECT_EQ(c->font.name, "Verdana-Bold");
        }
    }
    AppHarness h;
    h.launch();
    h.keys({kKeyShift});
    EXPECT_TRUE(Draw(h).hasText(u"SHIFT"));
}

TEST(LedDrawing, LineCaretOperatorAndResult) {
    AppHarness h;
    h.launch();
    h.keys({kKey1, kKeyPlus, kKey2, kKeyEquals});
    Drawn d = Draw(h);
    const CanvasCall* plus = d.text(u"+");
    ASSERT_NE(plus, nullptr);
    EXPECT_EQ(plus->font.name, "Verdana");
    EXPECT_EQ(plus->font.size, 26);
    const CanvasCall* equal = d.text(u"=");
    ASSERT_NE(equal, nullptr);
    EXPECT_EQ(equal->font.name, "Verdana-Bold");
    const CanvasCall* result = d.text(u"3");
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->font.size, 20);
    EXPECT_EQ(d.count(CanvasOp::StrokeRect), 1);  // the caret box

    AppHarness b;
    b.launch(kCatArithmetic, "Basic-Standard");
    b.keys({kKey1, kKeyPlus});
    d = Draw(b);
    const CanvasCall* op = d.text(u"+");
    ASSERT_NE(op, nullptr);
    EXPECT_EQ(op->font.name, "Verdana-Bold");     // the pending operator where "=" goes
    EXPECT_EQ(d.count(CanvasOp::StrokeRect), 0);  // no caret in basic mode
}

TEST(LedDrawing, ScrollArrowsAndTheirRepeat) {
    AppHarness h;
    h.launch();
    EXPECT_EQ(Draw(h).count(CanvasOp::FillPath), 0);
    for (int k = 0; k < 40; ++k) h.keys({kKey1});
    EXPECT_TRUE(h.led().line().CanScrollLeft());
    EXPECT_EQ(Draw(h).count(CanvasOp::FillPath), 1);
    // Held: 48 every 0.15 s; the release adds no step of its own.
    const CanvasRect left = h.led().regions().leftArrow;
    h.led().touchDown({left.x + 2, left.y + 2});
    h.loop.advance(0.46);
    EXPECT_EQ(h.led().line().caret(), 37);
    h.led().touchUp({left.x + 2, left.y + 2});
    h.loop.advance(1);
    EXPECT_EQ(h.led().line().caret(), 37);
    // A tap moves one object.
    h.keys({kKeyCaretRight10});
    Touch(h, left);
    EXPECT_EQ(h.led().line().caret(), 39);
    // Touching the line places the caret on the object under the finger.
    const CanvasRect input = h.led().regions().input;
    h.led().touchDown({input.x + 25, input.y + 5});
    h.led().touchUp({input.x + 25, input.y + 5});
    EXPECT_EQ(h.led().line().caret(), h.led().line().line().iBeginIndexVisPart + 2);
    // Dragging right brings the hidden start back object by object.
    const int begin = h.led().line().line().iBeginIndexVisPart;
    h.led().touchDown({input.x + 50, input.y + 5});
    h.led().touchMoved({input.x + 75, input.y + 5});
    h.led().touchUp({input.x + 75, input.y + 5});
    EXPECT_EQ(h.led().line().line().iBeginIndexVisPart, begin - 2);
}

TEST(LedDrawing, BinaryBitPositionsAndResultFont) {
    AppHarness h;
    h.launch(kCatBaseConversion, "Basic-Standard");
    h.keys({kKeyBaseBin, kKey1, kKey1, kKey0, kKey1});  // 1101
    Drawn d = Draw(h);
    const CanvasCall* high = d.text(u"7");
    ASSERT_NE(high, nullptr);
    EXPECT_EQ(high->font.size, 12);
    bool lowLabel = std::any_of(d.calls.begin(), d.calls.end(), [](const CanvasCall& c) {
        return c.op == CanvasOp::DrawText && c.text == u"0" && c.font.size == 12;
    });
    EXPECT_TRUE(lowLabel);

    AppHarness s;
    s.launch(kCatBaseConversion);
    s.keys({kKeyWidth32, kKeyBaseBin, kKey1, kKeyEquals});
    ASSERT_EQ(s.resultUtf8().size(), 32u);
    d = Draw(s);
    const CanvasCall* r = nullptr;
    for (const auto& c : d.calls)
        if (c.op == CanvasOp::DrawText && c.text.size() > 10) r = &c;
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->font.size, 14);
}

TEST(LedDrawing, FitResultKeepsTheExponent) {
    RecordingCanvas metrics;
    metrics.setFixedAdvance(10);
    const CanvasFont font{"Verdana", 20};
    EXPECT_EQ(FitResultText(u"1010101010101010E5", 100, font, metrics), u"10101010E5");
    EXPECT_EQ(FitResultText(u"123456789012", 100, font, metrics), u"1234567890");
    EXPECT_EQ(FitResultText(u"12", 100, font, metrics), u"12");
    EXPECT_EQ(FitResultText(u"Empty string", 60, font, metrics), u"Empty ");
}

TEST(LedDrawing, IndicatorTouches) {
    AppHarness h;
    h.launch();
    const LedRegions r = h.led().regions();
    Touch(h, r.base);  // only in Base Conversion
    EXPECT_EQ(h.led().GetBase(), kKeyBaseDec);
    Touch(h, r.mode);
    EXPECT_EQ(h.led().GetMode(), kKeyAngleRad);
    Touch(h, r.memory);
    EXPECT_EQ(h.led().GetMemory(), kKeyMemory2);
    Touch(h, r.expression);
    EXPECT_EQ(h.led().GetExpressionIndex(), 1);
    Touch(h, r.bitWidth);  // not shown here
    EXPECT_EQ(h.led().GetBitWidth(), kKeyWidth8);
    Touch(h, r.history);
    EXPECT_EQ(h.ctl().currentScreen(), "history_view");
    h.ctl().selectCategoryItem(kCatBaseConversion);
    Touch(h, r.base);
    EXPECT_EQ(h.led().GetBase(), kKeyBaseHex);
    Touch(h, r.bitWidth);
    EXPECT_EQ(h.led().GetBitWidth(), kKeyWidth16);
    Touch(h, r.mode);  // hidden in Base Conversion
    EXPECT_EQ(h.led().GetMode(), kKeyAngleRad);
}

TEST(LedDrawing, LayoutsPerScreenMode) {
    const LedRegions portrait = initSizes(kScreenPortrait, false),
                     landscape = initSizes(kScreenLandscape, false), rpn = initSizes(kScreenPortrait, true);
    EXPECT_EQ(portrait.frame.width, 320);
    EXPECT_EQ(landscape.frame.width, 480);
    EXPECT_GT(landscape.input.width, portrait.input.width);
    EXPECT_EQ(rpn.input.width, portrait.input.width);
    EXPECT_GT(rpn.input.y, rpn.stackLine[1].y);
    EXPECT_LE(portrait.notation.right(), portrait.frame.width);
    EXPECT_EQ(HitTest(portrait, {portrait.base.x + 1, portrait.base.y + 1}), LedArea::Base);
    EXPECT_EQ(HitTest(portrait, {portrait.input.x + 1, portrait.input.y + 1}), LedArea::Input);
}

TEST(LedDrawing, RPNStackLinesAreDrawn) {
    AppHarness h;
    h.launch(kCatArithmetic, "Basic-RPN");
    h.keys({kKey1, kKey2, kKeyEnter, kKey3});
    const Drawn d = Draw(h);
    EXPECT_TRUE(d.hasText(u"1"));
    EXPECT_TRUE(d.hasText(u"2"));
    EXPECT_TRUE(d.hasText(u"3"));
    const CanvasCall* entry = d.text(u"3");
    ASSERT_NE(entry, nullptr);
    EXPECT_GT(entry->point.y, h.led().regions().stackLine[1].y);
}
