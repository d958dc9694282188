// The plot screen in the running application: opened from the graph screen, panned, zoomed, traced with
// the crosshair, sent to an x by the go-to keypad, and drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "app/app_harness.h"
#include "app/display/line_text.h"
#include "app/keys/key_codes.h"
#include "app/screens/graph/graph_plot_view.h"
#include "app/screens/graph/graph_view.h"
#include "plot/plot.h"

namespace {

class PlotViewTest : public testing::Test {
  protected:
    void SetUp() override {
        h.launch(kCatGraph);
        g = dynamic_cast<GraphView*>(h.ctl().screens().find("graph"));
        ASSERT_NE(g, nullptr);
        // The scale and the pan of the last plot carry over, also from other tests: start from the
        // phone's first plot.
        const GRAPHIC_STATE& s = GetGraphicState();
        Zoom(kGraphDefaultPixels - s.m_nPixelsX, kGraphDefaultPixels - s.m_nPixelsY);
        MoveTo(0, 0);
    }
    void TearDown() override { h.ctl().HideScreen(GraphPlotView::kName); }

    // Types the three functions ("" leaves a line empty) and opens the plot.
    void Open(const std::u16string& f1, const std::u16string& f2, const std::u16string& f3) {
        g->enterText("line1", f1);
        g->enterText("line2", f2);
        g->enterText("line3", f3);
        ASSERT_TRUE(g->tap("open"));
        p = dynamic_cast<GraphPlotView*>(h.ctl().screens().find(GraphPlotView::kName));
        ASSERT_NE(p, nullptr);
        ASSERT_EQ(h.ctl().currentScreen(), GraphPlotView::kName);
    }
    nlohmann::json D() { return p->describe(); }
    static const GRAPHIC_STATE& S() { return GetGraphicState(); }
    // Where a text was drawn; (NaN, NaN) when it was not.
    static CanvasPoint TextAt(const RecordingCanvas& canvas, const std::u16string& text) {
        for (const CanvasCall& c : canvas.callsOf(CanvasOp::DrawText))
            if (c.text == text) return c.point;
        return {NAN, NAN};
    }

    AppHarness h;
    GraphView* g = nullptr;
    GraphPlotView* p = nullptr;
};

TEST_F(PlotViewTest, OpensOverTheCalculatorAndGoesWithTheBackButton) {
    Open(u"sin(x)", u"", u"1/x");
    const nlohmann::json d = D();
    EXPECT_EQ(d["title"], "Graph");
    EXPECT_EQ(d["plot_rect"], nlohmann::json::array({5, 5, 310, 370}));
    EXPECT_EQ(d["functions"][0]["plotted"], true);
    EXPECT_EQ(d["functions"][1]["plotted"], false);
    EXPECT_EQ(d["functions"][2]["text"], "1/x");
    EXPECT_EQ(d["functions"][2]["color"], nlohmann::json::array({255, 255, 0}));
    EXPECT_EQ(S().m_Count, 2);
    EXPECT_GT(S().m_pData[0].count(), 100);
    EXPECT_EQ(S().m_pData[1].m_red, 255);
    EXPECT_EQ(S().m_pData[1].m_blue, 0);
    EXPECT_TRUE(p->tap("back"));
    EXPECT_EQ(h.ctl().currentScreen(), "");
    EXPECT_EQ(S().m_Count, 0) << "the plot goes with the screen";
    EXPECT_FALSE(p->tap("zoom_in"));

    Open(u"2+", u"x", u"");
    EXPECT_EQ(D()["functions"][0]["error"], "Syntax error");
    EXPECT_EQ(p->graphIndex(1), 1) << "graph indices follow the functions given";
}

TEST_F(PlotViewTest, DragPansAndTheCurveRunsOn) {
    Open(u"sin(x)", u"", u"");
    RecordingCanvas before;
    p->Draw(before);
    EXPECT_TRUE(p->tap("touch_down:100,100"));
    EXPECT_TRUE(p->tap("touch_move:130.7,90"));
    EXPECT_EQ(D()["offset"], nlohmann::json::array({30, -10}));
    p->tap("touch_move:131.2,90");  // 0.5 pixels left over from the last move make one more
    EXPECT_EQ(D()["offset"], nlohmann::json::array({31, -10}));
    p->tap("touch_up");
    p->tap("touch_move:200,200");
    EXPECT_EQ(D()["offset"], nlohmann::json::array({31, -10})) << "no drag after the finger lifted";
    RecordingCanvas after;
    p->Draw(after);
    EXPECT_EQ(TextAt(after, u"+5").x - TextAt(before, u"+5").x, 31) << "the axis label moves with the drag";
    EXPECT_EQ(TextAt(after, u"+5").y - TextAt(before, u"+5").y, -10);
    const GRAPH_DATA& graph = S().m_pData[0];
    double gap = 0;
    for (int k = 1; k < graph.count(); ++k) gap = std::max(gap, graph.m_X[k] - graph.m_X[k - 1]);
    EXPECT_LT(gap, 2 * kGraphStepX) << "no gap where the old edge was";
    EXPECT_NEAR(graph.m_X.front(), S().m_From, kGraphStepX);
    EXPECT_FALSE(p->tap("touch_down:1,"));
    EXPECT_FALSE(p->tap("touch_move:a,b"));
}

TEST_F(PlotViewTest, CrosshairModeDragsOnlyTheCrosshair) {
    Open(u"x", u"", u"");
    EXPECT_EQ(D()["pointer_mode"], "pan");
    EXPECT_EQ(D()["crosshair"]["x"], 5 + 310 / 4);
    p->tap("pointer_mode");
    EXPECT_EQ(D()["pointer_mode"], "crosshair");
    p->touchesBegan({{50, 50}});
    p->touchesMoved({{128, 143}});  // from (82, 97) to the origin (160, 190)
    p->touchesEnded();
    const nlohmann::json d = D();
    EXPECT_EQ(d["offset"], nlohmann::json::array({0, 0}));
    EXPECT_EQ(d["crosshair"]["x"], 160);
    EXPECT_EQ(d["crosshair"]["y"], 190);
    EXPECT_EQ(d["crosshair"]["label_x"], "X=0.00");
    EXPECT_EQ(d["crosshair"]["label_y"], "Y=0.00");
    p->touchesBegan({{0, 0}});
    p->touchesMoved({{25, -20}});  // 2.5 units right, 2 up
    RecordingCanvas canvas;
    p->Draw(canvas);
    EXPECT_FALSE(std::isnan(TextAt(canvas, u"X=2.50").x));
    EXPECT_FALSE(std::isnan(TextAt(canvas, u"Y=2.00").x));
    p->tap("pointer_mode");
    EXPECT_EQ(D()["pointer_mode"], "pan");
}

TEST_F(PlotViewTest, ZoomByButtonsWheelAndPinchStaysWithinItsLimits) {
    Open(u"x^2", u"", u"");
    p->tap("zoom_in");
    EXPECT_EQ(D()["pixels_per_unit"], nlohmann::json::array({12, 12}));
    for (int k = 0; k < 60; ++k) p->tap("zoom_in");
    EXPECT_EQ(D()["pixels_per_unit"], nlohmann::json::array({96, 96}));
    for (int k = 0; k < 60; ++k) p->zoomOut();
    EXPECT_EQ(D()["pixels_per_unit"], nlohmann::json::array({8, 8}));
    p->tap("wheel:3");
    EXPECT_EQ(S().m_nPixelsX, 14);
    p->tap("wheel:-1");
    EXPECT_EQ(S().m_nPixelsX, 12);
    // Two fingers: the first move records their distance, each later one zooms by its whole change.
    p->tap("touch_down:100,100;200,100");
    p->tap("touch_move:100,100;230,100");
    EXPECT_EQ(S().m_nPixelsX, 12);
    p->tap("touch_move:100,100;237.9,100");
    EXPECT_EQ(S().m_nPixelsX, 19);
    p->tap("touch_move:100,100;232,100");
    EXPECT_EQ(S().m_nPixelsX, 14);
    p->tap("touch_move:120,100");  // one finger of the pinch left: no pan
    EXPECT_EQ(D()["offset"], nlohmann::json::array({0, 0}));
    p->tap("touch_up");
    p->tap("pinch:-3");
    EXPECT_EQ(S().m_nPixelsY, 11);
}

TEST_F(PlotViewTest, ZoomAndPanCarryOverToTheNextPlot) {
    Open(u"x", u"", u"");
    p->tap("zoom_in");
    p->tap("touch_down:0,0");
    p->tap("touch_move:-40,0");
    p->tap("back");
    Open(u"x^3", u"", u"");
    EXPECT_EQ(D()["pixels_per_unit"], nlohmann::json::array({12, 12}));
    EXPECT_EQ(D()["offset"], nlohmann::json::array({-40, 0}));
    p->tap("goto00");
    EXPECT_EQ(D()["offset"], nlohmann::json::array({0, 0}));
}

TEST_F(PlotViewTest, GotoKeypadRules) {
    Open(u"x", u"", u"");
    EXPECT_FALSE(p->pressKeypad(1)) << "the keypad is closed";
    p->tap("goto");
    struct Row {
        std::vector<int> keys;
        const char* field;
    };
    const Row rows[] = {
        {{}, "0"},
        {{7}, "7"},
        {{0, 0}, "0"},
        {{GraphPlotView::kGotoKeyDot, 5}, "0.5"},
        {{1, GraphPlotView::kGotoKeyDot, GraphPlotView::kGotoKeyDot, 2}, "1.2"},
        {{3, GraphPlotView::kGotoKeySign}, "-3"},
        {{3, GraphPlotView::kGotoKeySign, GraphPlotView::kGotoKeySign}, "3"},
        {{GraphPlotView::kGotoKeySign, 4}, "-4"},
        {{4, 2, GraphPlotView::kGotoKeyDelete}, "4"},
        {{4, GraphPlotView::kGotoKeyDelete}, "0"},
    };
    for (const Row& r : rows) {
        p->openGotoKeypad();
        for (int k : r.keys) EXPECT_TRUE(p->pressKeypad(k));
        EXPECT_EQ(D()["goto"]["field"], r.field) << testing::PrintToString(r.keys);
    }
    p->openGotoKeypad();
    for (int k = 0; k < 30; ++k) p->pressKeypad(9);
    EXPECT_EQ(p->gotoField().size(), GraphPlotView::kGotoFieldLength);
    EXPECT_FALSE(p->pressKeypad(15));
    EXPECT_TRUE(p->enterText("goto_x", u"-1.5"));
    EXPECT_EQ(p->gotoField(), "-1.5");
    EXPECT_FALSE(p->enterText("goto_x", u"1e3"));
    p->tap("goto_cancel");
    EXPECT_FALSE(p->gotoKeypadOpen());
    EXPECT_EQ(D()["status"], "") << "cancel goes nowhere";
}

TEST_F(PlotViewTest, GotoCentresOnTheWholePartAndListsTheValues) {
    Open(u"sin(x)", u"x^2", u"1/(x-2.7)");
    p->tap("goto");
    p->enterText("goto_x", u"2.7");
    p->tap("goto_go");
    EXPECT_FALSE(p->gotoKeypadOpen());
    nlohmann::json d = D();
    EXPECT_EQ(d["status"], "x=2.700000");
    EXPECT_EQ(d["values"], nlohmann::json::array({"y1=0.427380", "y2=7.290000", "y3=undefined"}));
    EXPECT_EQ(d["offset"][0], -20) << "x = 2 at the centre";
    EXPECT_DOUBLE_EQ(S().m_From, -(155.0 - 20) / 10);

    RecordingCanvas canvas;
    p->Draw(canvas);
    const auto fills = canvas.callsOf(CanvasOp::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].rect.width, 320);
    EXPECT_EQ(fills[0].rect.height, 435);
    EXPECT_EQ(TextAt(canvas, u"x=2.700000").x, 5);
    EXPECT_EQ(TextAt(canvas, u"y1=0.427380").x, 5);
    EXPECT_EQ(TextAt(canvas, u"y2=7.290000").x, 105);
    EXPECT_EQ(TextAt(canvas, u"y3=undefined").y, 25);
    const auto frames = canvas.callsOf(CanvasOp::StrokeRect);
    ASSERT_FALSE(frames.empty()) << "DrawGraphs drew the plot";
    EXPECT_EQ(frames[0].rect.x, 5);

    p->calculateFnexWithX(70000);
    p->calculateFnexWithX(-70000);
    p->calculateFnexWithX(NAN);
    EXPECT_EQ(D()["status"], "x=2.700000") << "beyond +-65535 the go-to is ignored";
    EXPECT_EQ(D()["offset"][0], -20);
}

// The value texts keep to their 100-point boxes: a wide one is drawn smaller, never cut off.
TEST_F(PlotViewTest, AValueWiderThanItsBoxIsDrawnSmaller) {
    Open(u"x^3", u"1/x", u"x");
    p->tap("goto");
    p->enterText("goto_x", u"-34.5");
    p->tap("goto_go");
    const nlohmann::json values = D()["values"];
    ASSERT_EQ(values[0], "y1=-41063.625000");
    RecordingCanvas canvas;  // a character is 0.6 of the font size wide
    p->Draw(canvas);
    std::map<std::string, double> sizes;
    for (const CanvasCall& c : canvas.callsOf(CanvasOp::DrawText)) {
        if (c.point.y != 25) continue;  // the value row
        sizes[U16ToUtf8(c.text)] = c.font.size;
        EXPECT_LE(canvas.measureText(c.text, c.font).width, 100) << U16ToUtf8(c.text);
    }
    EXPECT_EQ(sizes["y1=-41063.625000"], 10);  // 16 characters
    EXPECT_EQ(sizes["y3=-34.500000"], 12);     // 13 characters
    EXPECT_EQ(TextAt(canvas, u"y3=-34.500000").x, 205);
    // A value that fits keeps the full size.
    p->calculateFnexWithX(2);
    canvas.clear();
    p->Draw(canvas);
    int seen = 0;
    for (const CanvasCall& c : canvas.callsOf(CanvasOp::DrawText)) {
        if (c.text != u"y3=2.000000") continue;
        EXPECT_EQ(c.font.size, 15);
        ++seen;
    }
    EXPECT_EQ(seen, 1);
}

TEST_F(PlotViewTest, GotoListsOnlyThePlottedFunctions) {
    struct Row {
        std::u16string f1, f2, f3;
        std::vector<std::string> values;
    };
    const Row rows[] = {
        {u"x", u"", u"2*x", {"y1=-1.000000", "", "y3=-2.000000"}},
        {u"", u"x", u"2*x", {"", "y2=-1.000000", "y3=-2.000000"}},
        {u"", u"", u"x+1", {"", "", "y3=0.000000"}},
        {u"", u"", u"", {"", "", ""}},
    };
    for (const Row& r : rows) {
        Open(r.f1, r.f2, r.f3);
        p->calculateFnexWithX(-1);
        EXPECT_EQ(D()["values"], r.values);
        EXPECT_EQ(D()["status"], "x=-1.000000");
        p->tap("back");
    }
}

TEST_F(PlotViewTest, ViewSizeSetsThePlotRectangle) {
    Open(u"x", u"", u"");
    p->setViewSize(640, 480);
    EXPECT_EQ(D()["plot_rect"], nlohmann::json::array({5, 5, 630, 415}));
    EXPECT_EQ(S().m_nOx, 315);
    p->tap("back");
    Open(u"x", u"", u"");
    EXPECT_EQ(D()["size"], nlohmann::json::array({640, 480}));
    EXPECT_EQ(S().m_GraphicWidth, 630);
    p->setViewSize(320, 435);
}

}  // namespace
