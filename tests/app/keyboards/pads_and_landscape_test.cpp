// The landscape mode keys and number pad, the portrait pad's enter key, the finance keypad, and the
// keyboards across a rotation.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "app/app_harness.h"
#include "app/keyboards/large_keyboard_view.h"
#include "app/keyboards/mod_view_controller.h"
#include "app/keyboards/mode_land_view.h"
#include "app/keyboards/number_keyboard_land.h"
#include "app/keyboards/small_keyboard.h"
#include "app/keys/key_codes.h"
#include "keyboard_test_support.h"

namespace {

constexpr int kLandShiftSlot = 0, kLandSinSlot = 9;
constexpr int kPadDeleteSlot = 0, kPadClearSlot = 1, kPadSevenSlot = 4, kPadZeroSlot = 16, kPadPointSlot = 17;

struct Landscape {
    explicit Landscape(int category = kCatArithmetic, const std::string& mode = "") {
        h.launch(kCatArithmetic, mode, true);
        if (category != kCatArithmetic) h.ctl().pressCategoryLandButton(category);
        keys().setDelegate(&rec);
        pad().setDelegate(&rec);
    }
    ~Landscape() {
        keys().setDelegate(&h.ctl());
        pad().setDelegate(&h.ctl());
    }
    ModeLandView& keys() { return *h.ctl().modeLandView(); }
    NumberKeyboardLand& pad() { return *h.ctl().numberKeyboardLand(); }
    AppHarness h;
    RecordingDelegate rec;
};

}  // namespace

TEST(NumberKeyboardLand, EqualsSendsEnterInRPNMode) {
    const struct {
        int category;
        const char* mode;
        int sent;
    } rows[] = {{kCatArithmetic, "", kKeyEquals},
                {kCatArithmetic, "Basic-RPN", kKeyEnter},
                {kCatBaseConversion, "Basic-RPN", kKeyEnter},
                {kCatTrigonom, "Basic-Standard", kKeyEquals}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.category << " " << row.mode);
        Landscape l(row.category, row.mode);
        Tap(l.pad(), NumberKeyboardLand::kEqualsSlot);
        EXPECT_EQ(l.rec.codes, std::vector<int>{row.sent});
    }
}

TEST(NumberKeyboardLand, HoldFlagsDecideWhatAHeldKeyDoes) {
    const struct {
        int slot;
        std::vector<int> sent;  // held 0.65 s: a repeating key acts at 0.4, 0.5 and 0.6 s
    } rows[] = {{kPadDeleteSlot, {kKeyDelete, kKeyDelete, kKeyDelete}},
                {kPadSevenSlot, {kKey7, kKey7, kKey7}},
                {kPadZeroSlot, {kKey0, kKey0, kKey0}},
                {kPadClearSlot, {kKeyClear}},  // no hold: the release acts
                {kPadPointSlot, {kKeyDecimal}},
                {NumberKeyboardLand::kEqualsSlot, {kKeyEquals}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.slot);
        Landscape l;
        l.pad().touchDown(row.slot);
        EXPECT_EQ(l.pad().holdPending(), NumberKeyboardLand::holdFlag(row.slot) != 0);
        l.h.loop.advance(0.65);
        l.pad().pressButton(row.slot);
        l.h.loop.advance(1);
        EXPECT_EQ(l.rec.codes, row.sent);
        EXPECT_EQ(l.pad().describe()["keys"][row.slot]["hold"], NumberKeyboardLand::holdFlag(row.slot));
    }
}

TEST(ModeLandView, HoldSendsTheShiftedCodeOnceAndShiftLatchesOnRelease) {
    Landscape l(kCatTrigonom);
    ASSERT_EQ(l.keys().keyCode(kLandSinSlot, false), kKeySin);
    Hold(l.h.loop, l.keys(), kLandSinSlot, 1.0);
    EXPECT_EQ(l.rec.codes, std::vector<int>{kKeyAsin});

    l.rec.codes.clear();
    const int releases = l.h.postedCount("LandscapeReleaseSHIFTButton");
    l.keys().touchDown(kLandShiftSlot);
    EXPECT_FALSE(l.keys().holdPending());
    l.h.loop.advance(1);
    l.keys().pressButton(kLandShiftSlot);
    EXPECT_TRUE(g_bShiftMode);
    EXPECT_EQ(l.keys().shiftSlot(), kLandShiftSlot);

    // A pad key reads the shifted block and lets the mode keys' shift face go.
    Tap(l.pad(), kPadSevenSlot);
    EXPECT_EQ(l.h.postedCount("LandscapeReleaseSHIFTButton"), releases + 1);
    EXPECT_FALSE(g_bShiftMode);
    EXPECT_EQ(l.keys().shiftSlot(), -1);
    l.h.loop.advance(0.11);
    EXPECT_FALSE(l.keys().isFacePressed(kLandShiftSlot));
    EXPECT_EQ(l.rec.codes, (std::vector<int>{kKeyShift, kKey7}));
}

TEST(ModeLandView, LandscapeCategoryAndInputModeChooseTheTable) {
    Landscape l(kCatArithmetic, "Basic-RPN");
    EXPECT_EQ(l.keys().keyCode(1, false), kKeyOpenRpnStack);
    l.h.ctl().pressCategoryLandButton(kCatBaseConversion);
    EXPECT_EQ(l.keys().currentPage(), 2);
    EXPECT_EQ(l.keys().describe()["keys"][4]["caption"], "BASE");
    g_curLandScapeFunction = kCatFinance;  // not a landscape category: Arithmetic's keys
    EXPECT_EQ(l.keys().currentPage(), 0);
}

TEST(LargeKeyboardView, EnterKeyOpensTheStackOnlyInRPNMode) {
    AppHarness h;
    h.launch(kCatArithmetic, "Basic-RPN");
    LargeKeyboardView& pad = *h.ctl().largeKeyboard();
    RecordingDelegate rec;
    pad.setDelegate(&rec);
    ASSERT_TRUE(h.ctl().enterButtonShown());
    Tap(pad, LargeKeyboardView::kEnterSlot);
    EXPECT_EQ(h.postedCount("Orvane-open-rpn-stack"), 1);
    EXPECT_TRUE(rec.codes.empty());
    EXPECT_EQ(pad.describe()["enterButton"]["pressed"], true);
    h.loop.advance(0.11);
    EXPECT_EQ(pad.describe()["enterButton"]["pressed"], false);

    h.ctl().selectCategoryItem(kCatFinance);
    EXPECT_FALSE(pad.enterButtonShown());
    EXPECT_FALSE(pad.touchDown(LargeKeyboardView::kEnterSlot));
    // No hold on the pad: a long press acts once, on release.
    Hold(h.loop, pad, 0, 1.0);
    EXPECT_EQ(rec.codes, std::vector<int>{kKey7});
    pad.setDelegate(&h.ctl());
}

TEST(Keyboards, RotationBuildsThePairOfTheNewOrientation) {
    AppHarness h;
    h.launch(kCatFinance);
    ModViewController* mod = h.ctl().modViewController();
    ASSERT_NE(mod, nullptr);
    mod->touchDown(15);  // backspace, held while the window turns
    int rebuilt = 0;
    h.ctl().onKeyboardsRebuilt = [&] { ++rebuilt; };
    h.ctl().willRotateToInterfaceOrientation(true);
    EXPECT_EQ(rebuilt, 1);
    EXPECT_EQ(h.ctl().modViewController(), nullptr);
    EXPECT_EQ(h.ctl().largeKeyboard(), nullptr);
    ASSERT_NE(h.ctl().modeLandView(), nullptr);
    EXPECT_EQ(h.ctl().modeKeyboardPosition(), -1);
    h.loop.advance(1);  // the old keyboard's timers went with it
    h.ctl().willRotateToInterfaceOrientation(false);
    ASSERT_NE(h.ctl().modViewController(), nullptr);
    EXPECT_EQ(h.ctl().modeKeyboardPosition(), 4);  // back on Finance
    EXPECT_EQ(h.ctl().modViewController()->describe()["caption"], "Finance");
}

TEST(SmallKeyboard, ReportsIndicesAndFillsItsGridOnce) {
    struct Form : SmallKeyboardDelegate {
        void pressButtonWithIndex(int index) override { indices.push_back(index); }
        std::vector<int> indices;
    } form;
    AppHarness h;
    SmallKeyboard pad(h.platform);
    pad.setDelegate(&form);
    g_bSound = true;
    pad.touchDown(SmallKeyboard::kDigit0);
    EXPECT_EQ(h.feedback.clicks(), 1);  // on touch-down, before the release
    EXPECT_TRUE(form.indices.empty());
    pad.pressButton(SmallKeyboard::kDigit0);
    Hold(h.loop, pad, SmallKeyboard::kNextField, 1.0);
    EXPECT_EQ(form.indices, (std::vector<int>{SmallKeyboard::kDigit0, SmallKeyboard::kNextField}));

    std::set<std::pair<int, int>> cells;
    int covered = 0;
    for (int i = 0; i < SmallKeyboard::kKeyCount; ++i) {
        const SmallKeyboard::Place p = SmallKeyboard::place(i);
        for (int c = p.column; c < p.column + p.span; ++c) cells.insert({p.row, c});
        covered += p.span;
    }
    EXPECT_EQ(covered, SmallKeyboard::kRows * SmallKeyboard::kColumns);
    EXPECT_EQ(cells.size(), static_cast<size_t>(covered));  // no two keys share a cell
    for (int d = 1; d <= 9; ++d)
        EXPECT_EQ(SmallKeyboard::insertText(SmallKeyboard::kDigit1 + d - 1), std::to_string(d));
    EXPECT_EQ(SmallKeyboard::insertText(SmallKeyboard::kClear), "D");
    EXPECT_EQ(SmallKeyboard::insertText(SmallKeyboard::kSign), "-");
}
