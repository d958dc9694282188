// The real key widgets against the headless runs: the same touches by mouse in the window and as action
// words through orvcalc --keys give the same display, in every input mode; holds, the shift latch and the
// physical keyboard.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <filesystem>

#include "app/controller/orvane_view_controller.h"
#include "app/keyboards/large_keyboard_view.h"
#include "app/keyboards/mod_view_controller.h"
#include "app/keys/key_codes.h"
#include "gui_harness.h"
#include "qt/widgets/keyboard_widget.h"
#include "qt/widgets/list_panel.h"
#include "qt/widgets/strip_widget.h"

namespace {

// Number pad slots (portrait): 7 8 9 ÷ C / 4 5 6 × M+ / 1 2 3 − MR / 0 . ± + =
constexpr int k7 = 0, k8 = 1, k9 = 2, kDiv = 3, kClear = 4, k4 = 5, k5 = 6, k6 = 7, kTimes = 8, kMPlus = 9;
constexpr int k1 = 10, k2 = 11, k3 = 12, kMinus = 13, kMR = 14, k0 = 15, kPoint = 16, kPlus = 18, kEq = 19;
// Arithmetic mode keys: MENU SHIFT FUNC i gcd EXP / log ln x^y x² x³ % / ( ) , DEL ◀ ▶
constexpr int kShift = 1, kSquare = 9, kOpen = 12, kClose = 13, kDel = 15, kLeft = 16;

struct Touch {
    const char* keyboard;  // "pad" or "mode"
    int slot;
};

std::string Words(const std::vector<Touch>& touches) {
    std::string w;
    for (const Touch& t : touches)
        w += std::string("touch:") + t.keyboard + ":" + std::to_string(t.slot) + " ";
    return w;
}

void Press(GuiHarness& h, const std::vector<Touch>& touches) {
    for (const Touch& t : touches) {
        KeyPad* pad = std::string(t.keyboard) == "pad" ? static_cast<KeyPad*>(h.window->numberPad())
                                                       : h.window->strip()->currentKeys();
        ASSERT_NE(pad, nullptr) << t.keyboard;
        h.click(pad, t.slot);
    }
}

TEST(KeyWidgets, MousePressesMatchTheHeadlessRunsInEveryInputMode) {
    const struct Row {
        const char* mode;  // as the settings write it
        std::vector<Touch> touches;
        const char* input;
        const char* result;
    } rows[] = {
        {"",
         {{"pad", k1}, {"pad", k2}, {"pad", kPlus}, {"pad", k3}, {"pad", kTimes}, {"pad", k4}, {"pad", kEq}},
         "12+3×4",
         "24"},
        {"",
         {{"mode", kOpen},
          {"pad", k2},
          {"pad", kPlus},
          {"pad", k3},
          {"mode", kClose},
          {"mode", kSquare},
          {"pad", kEq}},
         "(2+3)^2",
         "25"},
        {"",
         {{"pad", k9}, {"pad", k8}, {"mode", kDel}, {"mode", kLeft}, {"pad", k5}, {"pad", kEq}},
         "59",
         "59"},
        {"Basic-Standard",
         {{"pad", k7}, {"pad", kMinus}, {"pad", k2}, {"pad", kDiv}, {"pad", k5}, {"pad", kEq}},
         "6.6",
         ""},
        {"Basic-RPN", {{"pad", k6}, {"mode", kOpen}, {"pad", k7}, {"pad", kTimes}}, "", ""},
    };
    for (const Row& row : rows) {
        GuiHarness h(row.mode);
        Press(h, row.touches);
        nlohmann::json headless;
        {
            // The headless run starts from the same input modes, written into its own home by --keys words.
            std::string setup;
            if (std::string(row.mode) == "Basic-Standard")
                setup = "option:0 value:settings/input_mode=1 tap:settings/close ";
            if (std::string(row.mode) == "Basic-RPN")
                setup = "option:0 value:settings/input_mode=2 tap:settings/close ";
            headless = RunKeys(setup + Words(row.touches));
        }
        ASSERT_TRUE(headless.is_object()) << row.mode;
        EXPECT_EQ(h.input(), headless["input"]) << row.mode;
        EXPECT_EQ(h.result(), headless["result"]) << row.mode;
        EXPECT_EQ(U16ToUtf8(h.ctl().display().stackLine(1).line().GetRawInputString()),
                  h.ctl().display().isRPNShown() ? headless["stack"][1].get<std::string>() : std::string())
            << row.mode;
        EXPECT_EQ(h.input(), row.input) << row.mode;
        if (*row.result) {
            EXPECT_EQ(h.result(), row.result);
        }
        if (std::string(row.mode) == "Basic-RPN") {
            EXPECT_EQ(headless["stack"][1], "42");
        }
    }
}

TEST(KeyWidgets, HoldingBackspaceRepeatsUntilRelease) {
    GuiHarness h;
    Press(h, {{"pad", k1}, {"pad", k2}, {"pad", k3}, {"pad", k4}, {"pad", k5}, {"pad", k6}, {"pad", k7}});
    KeyPad* keys = h.window->strip()->currentKeys();
    const QPoint p = keys->slotCentre(kDel);
    QTest::mousePress(keys, Qt::LeftButton, Qt::NoModifier, p);
    QTest::qWait(250);
    EXPECT_EQ(h.input(), "1234567") << "nothing before the hold";
    QTest::qWait(420);  // the hold at 0.4 s, then repeats every 0.1 s
    const size_t left = h.input().size();
    EXPECT_LT(left, 6u);
    EXPECT_GT(left, 0u);
    QTest::mouseRelease(keys, Qt::LeftButton, Qt::NoModifier, p);
    h.settle(300);
    EXPECT_EQ(h.input().size(), left) << "the release deletes nothing more";
}

TEST(KeyWidgets, ShiftThenANumberPadKeySendsItsShiftedCodeAndReleasesTheLatch) {
    GuiHarness h;
    Press(h, {{"pad", k4}, {"pad", kEq}, {"pad", kMPlus}});  // M1 = 4
    Press(h, {{"pad", k1}, {"pad", kEq}});
    Press(h, {{"mode", kShift}});
    EXPECT_TRUE(g_bShiftMode);
    const PadKey* shift = h.window->strip()->currentKeys()->keyAt(kShift);
    ASSERT_NE(shift, nullptr);
    EXPECT_TRUE(shift->latched) << "the shift face stays pressed while latched";
    Press(h, {{"pad", kMPlus}});  // shifted: M-
    EXPECT_FALSE(g_bShiftMode);
    EXPECT_FALSE(h.window->strip()->currentKeys()->keyAt(kShift)->latched);
    nlohmann::json headless = RunKeys(Words({{"pad", k4},
                                                   {"pad", kEq},
                                                   {"pad", kMPlus},
                                                   {"pad", k1},
                                                   {"pad", kEq},
                                                   {"mode", kShift},
                                                   {"pad", kMPlus}}));
    EXPECT_EQ(U16ToUtf8(h.ctl().display().memory(0, 0)->text()), headless["memories"][0]);
    EXPECT_EQ(headless["memories"][0], "3");
}

TEST(KeyWidgets, TheDesktopKeyboardTypesAndEditsTheLine) {
    GuiHarness h;
    for (const char* text : {"2", "^", "1", "0"}) QTest::keyClicks(h.window.get(), text);
    QTest::keyClick(h.window.get(), Qt::Key_Backspace);
    QTest::keyClick(h.window.get(), Qt::Key_Return);
    EXPECT_EQ(h.input(), "2^1");
    EXPECT_EQ(h.result(), "2");
    QTest::keyClick(h.window.get(), Qt::Key_Escape);
    EXPECT_EQ(h.input(), "");
}

TEST(KeyWidgets, AResizeAcrossTheSquareRotatesAndBack) {
    GuiHarness h;
    h.ctl().selectCategoryItem(kCatBaseConversion);
    h.settle(300);
    h.window->resize(900, 500);
    h.settle(200);
    ASSERT_TRUE(h.window->landscape());
    EXPECT_EQ(g_nCurScreenMode, kScreenLandscape);
    EXPECT_EQ(h.ctl().currentFunction(), kCatArithmetic) << "landscape shows its own category";
    ASSERT_NE(h.window->landModeKeys(), nullptr);
    EXPECT_EQ(h.window->strip(), nullptr);
    QTest::mouseClick(h.window->categoryButton(1), Qt::LeftButton);  // Trigonom
    EXPECT_EQ(h.ctl().currentFunction(), kCatTrigonom);
    EXPECT_EQ(g_curLandScapeFunction, kCatTrigonom);
    h.window->resize(420, 760);
    h.settle(200);
    EXPECT_FALSE(h.window->landscape());
    EXPECT_EQ(h.ctl().currentFunction(), kCatBaseConversion) << "portrait returns to its category";
    EXPECT_NE(h.window->strip(), nullptr);
}

TEST(KeyWidgets, ClosingTheWindowDuringAHoldOrADelayedCallIsSafe) {
    {
        GuiHarness h;
        KeyPad* keys = h.window->strip()->currentKeys();
        QTest::mousePress(keys, Qt::LeftButton, Qt::NoModifier, keys->slotCentre(kDel));
        QTest::qWait(500);
        h.window->close();
        QTest::qWait(200);  // the repeat timer would fire here
        EXPECT_FALSE(h.context->running());
        EXPECT_TRUE(std::filesystem::exists(h.dir.path() + "/led_v14.dat")) << "closing saved the state";
    }
    {
        GuiHarness h;
        h.ctl().pressButtonHasKeycode(kKeyMenu);  // the menu opens 0.1 s later
        h.window->close();
        QTest::qWait(200);
        EXPECT_FALSE(h.context->running());
    }
}

}  // namespace

// A drag across the strip's keys turns the page once it covers a quarter of the page, a short fast flick
// turns it too, a short slow drag does not; none of them presses a key.
TEST(KeyWidgets, ADragOrAFlickAcrossTheStripTurnsOnePage) {
    GuiHarness h;
    ModViewController& strip = *h.ctl().modViewController();
    auto drag = [&](int dx, int ms) {
        KeyPad* keys = h.window->strip()->currentKeys();
        if (!keys) {
            ADD_FAILURE() << "no keys on the page at " << strip.currentPosition();
            return -1;
        }
        const QPoint from = keys->rect().center();
        QTest::mousePress(keys, Qt::LeftButton, Qt::NoModifier, from);
        for (int i = 1; i <= 4; ++i) {
            if (ms > 0) QTest::qWait(ms / 4);
            const QPoint p = from + QPoint(dx * i / 4, 0);
            QMouseEvent move(QEvent::MouseMove, p, keys->mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(keys, &move);
        }
        QTest::mouseRelease(keys, Qt::LeftButton, Qt::NoModifier, from + QPoint(dx, 0));
        h.settle(400);
        return strip.currentPosition();
    };
    const int start = strip.currentPosition();
    const int page = h.window->strip()->width();
    ASSERT_GT(page / 4, 80) << "a flick of 80 pixels is shorter than a quarter page";
    EXPECT_EQ(drag(-60, 600), start) << "short and slow";
    EXPECT_EQ(drag(-80, 0), start + 1) << "short and fast";
    EXPECT_EQ(drag(page / 2, 600), start) << "half a page back";
    EXPECT_EQ(drag(-page / 2, 600), start + 1) << "half a page on";
    EXPECT_EQ(h.input(), "") << "no key was pressed";
}

// The open menu keeps its option buttons across refreshes (a click in progress keeps its button) and stays
// inside the window when the window shrinks.
TEST(KeyWidgets, TheMenuKeepsItsButtonsAndFollowsTheWindowSize) {
    GuiHarness h;
    h.ctl().pressButtonHasKeycode(kKeyMenu);
    h.settle(300);
    h.window->refresh();
    ListPanel* menu = h.window->listPanel();
    ASSERT_TRUE(menu->isVisible());
    QPointer<QPushButton> settings = menu->optionButton(0);
    ASSERT_FALSE(settings.isNull());
    h.window->refresh();
    h.window->refresh();
    EXPECT_EQ(settings.data(), menu->optionButton(0)) << "the same button after two refreshes";
    h.window->resize(h.window->width() - 40, h.window->height() - 200);
    h.settle(100);
    EXPECT_TRUE(h.window->rect().contains(menu->geometry())) << "the menu stays inside the window";
}
