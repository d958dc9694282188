// The formula view over the whole application: opened by "ShowFomula", following the input line, drawn
// through the canvas.
#include "app/screens/formula_view/formular_view.h"

#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"

namespace {

class FormulaScreen : public ::testing::Test {
  protected:
    void Open(std::initializer_list<int> keys) {
        h.launch();
        h.keys(keys);
        h.post("ShowFomula");
        view = dynamic_cast<FormularView*>(h.ctl().screens().find("formula_view"));
        ASSERT_NE(view, nullptr);
    }
    // The one coverage mask drawn into rect.
    CanvasCall DrawnInto(const CanvasRect& rect) {
        RecordingCanvas canvas;
        view->Draw(canvas, rect);
        const auto masks = canvas.callsOf(CanvasOp::DrawCoverage);
        EXPECT_EQ(masks.size(), 1u);
        return masks.empty() ? CanvasCall{} : masks[0];
    }

    AppHarness h;
    FormularView* view = nullptr;
};

TEST_F(FormulaScreen, OpensAndClosesOnTheButtonAndOnDigits) {
    Open({kKey1, kKeyDivide, kKey2});
    EXPECT_TRUE(h.ctl().formulaViewOpen());
    EXPECT_EQ(h.ctl().currentScreen(), "formula_view");
    EXPECT_TRUE(view->isOpen());
    h.post("ShowFomula");
    EXPECT_FALSE(h.ctl().formulaViewOpen());
    EXPECT_FALSE(view->isOpen());
    h.post("ShowFomula");
    h.keys({kKeySin});  // a function key leaves it open
    EXPECT_TRUE(view->isOpen());
    h.keys({kKey3});  // a digit (a code below 20) closes it
    EXPECT_FALSE(view->isOpen());
    h.post("ShowFomula");
    ASSERT_TRUE(view->tap("close"));
    EXPECT_EQ(h.ctl().currentScreen(), "");
    EXPECT_FALSE(view->tap("open"));
}

TEST_F(FormulaScreen, ShowsTheLineAsTexAndFollowsIt) {
    Open({kKey1, kKeyDivide, kKey2});
    nlohmann::json s = view->describe();
    EXPECT_EQ(s["open"], true);
    EXPECT_EQ(s["engineText"], "1/2");
    EXPECT_EQ(s["tex"], "\\Large \\frac{1}{2}");
    ASSERT_TRUE(s["shows"]) << "no fonts for the rasteriser";
    EXPECT_GT(s["bitmap"]["width"], 0);
    EXPECT_GT(s["bitmap"]["height"], 0);
    EXPECT_EQ(s["viewWidth"], std::max(s["bitmap"]["width"].get<double>() + 50, 314.0));
    const int narrow = s["bitmap"]["width"];
    h.keys({kKeySin, kKeyPi});  // keys from code 20 on leave it open
    s = view->describe();
    EXPECT_EQ(s["open"], true);
    EXPECT_EQ(s["engineText"], "1/2*sin(pi");
    EXPECT_GT(s["bitmap"]["width"], narrow);
}

TEST_F(FormulaScreen, DrawCentresTheFormulaAndScalesItDownToFit) {
    Open({kKey1, kKeyDivide, kKey2});
    const int w = view->bmWidth(), hgt = view->bmHeight();
    ASSERT_GT(w, 0);
    // Room enough: drawn at its own size, centred.
    const CanvasRect big{10, 20, w + 100.0, hgt + 60.0};
    CanvasCall c = DrawnInto(big);
    EXPECT_EQ(c.width, w);
    EXPECT_EQ(c.height, hgt);
    EXPECT_DOUBLE_EQ(c.rect.width, w);
    EXPECT_DOUBLE_EQ(c.rect.x, 60);
    EXPECT_DOUBLE_EQ(c.rect.y, 50);
    EXPECT_GT(c.inkSum, 0u);
    // Too small: scaled down by the tighter side, aspect kept, still centred.
    const CanvasRect small{0, 0, w / 2.0, hgt * 2.0};
    c = DrawnInto(small);
    EXPECT_DOUBLE_EQ(c.rect.width, w / 2.0);
    EXPECT_DOUBLE_EQ(c.rect.height, hgt / 2.0);
    EXPECT_DOUBLE_EQ(c.rect.y, (hgt * 2.0 - hgt / 2.0) / 2);
    // A dense screen: twice the pixels in the same points.
    view->setRenderScale(2);
    EXPECT_GT(view->bmWidth(), w * 3 / 2);
    c = DrawnInto(big);
    EXPECT_NEAR(c.rect.width, w, w * 0.1);
}

TEST_F(FormulaScreen, AnEmptyLineShowsEmptyStringAndNoRoomDrawsOnlyTheBackground) {
    Open({});
    EXPECT_EQ(view->markup(), "\\Large Empty String!");
    RecordingCanvas canvas;
    view->Draw(canvas, {0, 0, 0, 0});
    EXPECT_TRUE(canvas.callsOf(CanvasOp::DrawCoverage).empty());
    EXPECT_EQ(canvas.callsOf(CanvasOp::FillRect).size(), 1u);
}

}  // namespace
