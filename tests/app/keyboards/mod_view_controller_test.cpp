// The portrait mode keyboard on a manual clock: hold and repeat, the shift latch and its faces, the strip
// position and the rules when it comes to rest, re-ordering.
#include "app/keyboards/mod_view_controller.h"

#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "app/keyboards/large_keyboard_view.h"
#include "app/keys/key_codes.h"
#include "keyboard_test_support.h"

namespace {

constexpr int kMenuSlot = 0, kShiftSlot = 1, kDeleteSlot = 15, kCaretLeftSlot = 16;
constexpr int kSinSlot = 6;        // on the Trigonom page
constexpr int kMemoryAddSlot = 9;  // on the number pad

struct Portrait {
    explicit Portrait(int category = kCatArithmetic, const std::string& mode = "") {
        h.launch(category, mode);
        mod().setDelegate(&rec);
    }
    ~Portrait() { mod().setDelegate(&h.ctl()); }
    ModViewController& mod() { return *h.ctl().modViewController(); }
    AppHarness h;
    RecordingDelegate rec;
};

}  // namespace

TEST(ModViewController, HoldingBackspaceDeletesAfterTheHoldThenEveryTenthUntilRelease) {
    AppHarness h;
    h.launch();
    h.keys({kKey1, kKey2, kKey3, kKey4, kKey5, kKey6});
    ModViewController& mod = *h.ctl().modViewController();
    ASSERT_EQ(mod.keyCode(kDeleteSlot, false), kKeyDelete);
    mod.touchDown(kDeleteSlot);
    h.loop.advance(0.39);
    EXPECT_EQ(h.inputUtf8(), "123456");
    h.loop.advance(0.02);  // 0.41 s: the hold deleted one object
    EXPECT_EQ(h.inputUtf8(), "12345");
    EXPECT_EQ(mod.repeatedCode(), kKeyDelete);
    h.loop.advance(0.3);  // 0.71 s: repeats at 0.5, 0.6, 0.7
    EXPECT_EQ(h.inputUtf8(), "12");
    mod.pressButton(kDeleteSlot);
    EXPECT_EQ(h.inputUtf8(), "12");  // the release deletes nothing more
    EXPECT_FALSE(mod.isFacePressed(kDeleteSlot));
    h.loop.advance(1);
    EXPECT_EQ(h.inputUtf8(), "12");
    EXPECT_EQ(mod.repeatedCode(), -1);
    EXPECT_EQ(mod.touchStatus(), 0);
}

TEST(ModViewController, TapsAndHoldsSendTheRightCodes) {
    struct Row {
        int category;
        int slot;
        double heldFor;  // seconds; 0 for a tap
        std::vector<int> sent;
        bool shiftAfter;
    };
    const Row rows[] = {
        {kCatTrigonom, kSinSlot, 0, {kKeySin}, false},
        {kCatTrigonom, kSinSlot, 1.0, {kKeyAsin}, false},  // once: sin does not repeat
        {kCatArithmetic, kCaretLeftSlot, 0.65, {kKeyCaretLeft, kKeyCaretLeft, kKeyCaretLeft}, false},
        {kCatArithmetic, kMenuSlot, 1.0, {kKeyMenu}, false},  // no hold: the release acts
        {kCatArithmetic, kShiftSlot, 1.0, {kKeyShift}, true},
        {kCatFinance, 4, 0.5, {kKeyOpenLoan}, false},  // the same code in both blocks
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.category << " slot " << row.slot << " held " << row.heldFor);
        Portrait p(row.category);
        const bool holds = row.slot != kMenuSlot && row.slot != kShiftSlot;
        p.mod().touchDown(row.slot);
        EXPECT_EQ(p.mod().holdPending(), holds);
        p.h.loop.advance(row.heldFor);
        p.mod().pressButton(row.slot);
        p.h.loop.advance(1);
        EXPECT_EQ(p.rec.codes, row.sent);
        EXPECT_EQ(g_bShiftMode, row.shiftAfter);
    }
}

TEST(ModViewController, ShiftLatchKeepsItsFaceUntilAnotherKeyActs) {
    Portrait p(kCatTrigonom);
    ModViewController& mod = p.mod();
    Tap(mod, kShiftSlot);
    p.h.loop.advance(1);
    EXPECT_TRUE(g_bShiftMode);
    EXPECT_EQ(mod.shiftSlot(), kShiftSlot);
    EXPECT_TRUE(mod.isFacePressed(kShiftSlot));
    EXPECT_EQ(mod.describe()["shift"], true);

    mod.touchDown(kSinSlot);
    EXPECT_EQ(mod.describe()["pressedCode"], kKeyAsin);
    mod.pressButton(kSinSlot);
    EXPECT_EQ(p.rec.codes, (std::vector<int>{kKeyShift, kKeyAsin}));
    EXPECT_FALSE(g_bShiftMode);
    EXPECT_TRUE(mod.isFacePressed(kShiftSlot));  // both faces go 0.1 s later
    EXPECT_TRUE(mod.isFacePressed(kSinSlot));
    p.h.loop.advance(0.11);
    EXPECT_FALSE(mod.isFacePressed(kShiftSlot));
    EXPECT_FALSE(mod.isFacePressed(kSinSlot));

    // Shift twice: off again, its face returns after the delay.
    Tap(mod, kShiftSlot);
    Tap(mod, kShiftSlot);
    EXPECT_FALSE(g_bShiftMode);
    EXPECT_EQ(mod.shiftSlot(), -1);
    p.h.loop.advance(0.11);
    EXPECT_FALSE(mod.isFacePressed(kShiftSlot));

    // Holding a key while shifted sends the shifted code once and lets the latch go.
    Tap(mod, kShiftSlot);
    p.rec.codes.clear();
    Hold(p.h.loop, mod, kSinSlot, 0.5);
    EXPECT_EQ(p.rec.codes, std::vector<int>{kKeyAsin});
    EXPECT_FALSE(g_bShiftMode);
}

TEST(ModViewController, ShiftThenNumberPadSendsTheShiftedPadCodeAndReleasesTheShiftFace) {
    AppHarness h;
    h.launch();
    ModViewController& mod = *h.ctl().modViewController();
    LargeKeyboardView& pad = *h.ctl().largeKeyboard();
    Tap(mod, kShiftSlot);
    ASSERT_TRUE(mod.isFacePressed(kShiftSlot));
    ASSERT_TRUE(h.led().IsShiftEnable());
    Tap(pad, kMemoryAddSlot);
    EXPECT_EQ(h.ctl().prevKeyCode(), kKeyMemorySubtract);
    EXPECT_FALSE(g_bShiftMode);
    EXPECT_FALSE(h.led().IsShiftEnable());
    EXPECT_EQ(mod.shiftSlot(), -1);
    h.loop.advance(0.11);
    EXPECT_FALSE(mod.isFacePressed(kShiftSlot));
    Tap(pad, kMemoryAddSlot);  // unshifted again
    EXPECT_EQ(h.ctl().prevKeyCode(), kKeyMemoryAdd);
}

TEST(ModViewController, RPNPagesReadTheirOwnTable) {
    Portrait p(kCatArithmetic, "Basic-RPN");
    ModViewController& mod = p.mod();
    EXPECT_TRUE(mod.currentPageIsRPN());
    EXPECT_FALSE(mod.touchDown(13));  // covered by the double-width ENTER key
    const nlohmann::json keys = mod.describe()["keys"];
    EXPECT_EQ(keys[12]["caption"], "ENTER");
    EXPECT_EQ(keys[12]["type"], 4);
    EXPECT_EQ(keys[13]["covered"], true);
    Hold(p.h.loop, mod, 17, 0.55);  // backspace sits in the last slot here and repeats
    EXPECT_EQ(p.rec.codes, (std::vector<int>{kKeyDelete, kKeyDelete}));
    p.h.ctl().selectCategoryItem(kCatFinance);
    EXPECT_FALSE(mod.currentPageIsRPN());
}

TEST(ModViewController, StripPositionIsThePageNearestTheOffset) {
    Portrait p;
    ModViewController& mod = p.mod();
    const struct {
        double width, offset;
        int position;
    } rows[] = {{320, 0, 0},    {320, 159.9, 0}, {320, 160, 1},   {320, 479, 1},
                {320, 480, 2},  {320, 3520, 11}, {320, -200, 0},  {320, 9000, 11},
                {100, 49.9, 0}, {100, 50, 1},    {100, 1049, 10}, {100, 1050, 11}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.width << " " << row.offset);
        mod.setPageWidth(row.width);
        mod.scrollViewDidScroll(row.offset);
        EXPECT_EQ(mod.currentPosition(), row.position);
        EXPECT_EQ(mod.positionOfOffset(row.offset), row.position);
    }
    EXPECT_TRUE(p.rec.modes.empty());  // only a stop changes the category
}

TEST(ModViewController, AStoppedScrollMakesThePageCategoryCurrent) {
    const struct {
        int position;
        int category;
        int page;
        const char* screen;
        const char* caption;
    } rows[] = {{3, kCatBaseConversion, 2, "", " Base Conversion"},
                {4, kCatFinance, 3, "", "Finance"},
                {6, kCatUnitConverter, -1, "unit_converter", "  Unit  Converter"},
                {7, kCatTip, -1, "tip", "Tip"},
                {9, kCatGraph, 4, "graph", "Graph"},
                {11, kCatEquationSolver, -1, "equation_solver", "Equation Solver"}};
    AppHarness h;
    h.launch();
    ModViewController& mod = *h.ctl().modViewController();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.position);
        mod.scrollToPosition(row.position);
        EXPECT_EQ(h.ctl().currentFunction(), row.category);
        EXPECT_EQ(h.ctl().modeKeyboardPosition(), row.position);
        EXPECT_EQ(mod.currentPage(), row.page);
        EXPECT_EQ(mod.visibleScreen(), row.screen);
        EXPECT_EQ(mod.describe()["caption"], row.caption);
        EXPECT_EQ(mod.touchDown(kShiftSlot), row.page >= 0);  // screen pages have no keys
        mod.touchCancel(kShiftSlot);
    }
    EXPECT_TRUE(mod.isPageCreated(7));
    EXPECT_FALSE(mod.isPageCreated(8));  // never came into view
}

TEST(ModViewController, AScrollToAnotherPageEndsTheTouch) {
    Portrait p;
    ModViewController& mod = p.mod();
    mod.touchDown(kDeleteSlot);
    mod.scrollViewDidScroll(330);
    p.h.loop.advance(1);
    mod.pressButton(kDeleteSlot);
    EXPECT_TRUE(p.rec.codes.empty());
    EXPECT_FALSE(mod.isFacePressed(kDeleteSlot));
}

TEST(ModViewController, ReorderingMovesPagesAndKeepsThePosition) {
    AppHarness h;
    h.launch();
    ModViewController& mod = *h.ctl().modViewController();
    g_arrOrderView = {4, 1, 2, 3, 0, 5, 6, 7, 8, 9, 10, 11};  // Finance first, Arithmetic fifth
    h.post("UpdateView");
    EXPECT_EQ(mod.currentPosition(), 0);
    EXPECT_EQ(h.ctl().currentFunction(), kCatFinance);
    EXPECT_TRUE(mod.isPageCreated(4));
    EXPECT_EQ(mod.pageX(0), 4 * ModViewController::kDefaultPageWidth);
    EXPECT_EQ(mod.pageCaption(0), "Finance");
    h.ctl().selectCategoryItem(kCatArithmetic);
    EXPECT_EQ(mod.currentPosition(), 4);
    EXPECT_EQ(mod.contentOffset(), 4 * ModViewController::kDefaultPageWidth);
    g_arrOrderView = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
}

TEST(ModViewController, ClickPlaysOnTouchDownWhenSoundIsOn) {
    Portrait p;
    const int before = p.h.feedback.clicks();
    p.mod().touchDown(kDeleteSlot);
    EXPECT_FALSE(p.mod().touchDown(kMenuSlot));  // one key at a time
    p.mod().pressButton(kDeleteSlot);
    EXPECT_EQ(p.h.feedback.clicks(), before + 1);
    g_bSound = false;
    Tap(p.mod(), kDeleteSlot);
    EXPECT_EQ(p.h.feedback.clicks(), before + 1);
    g_bSound = true;
}
