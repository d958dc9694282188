// The Graph page and the plot screen through their widgets: a function typed into a line, its colour
// picked, sin(x) plotted and panned by a mouse drag, zoomed by buttons, the wheel and a pinch, the
// crosshair, and go-to 2.7 on the keypad; the plot state compared with the same steps run headlessly.
#include <gtest/gtest.h>

#include <memory>

#include <QFrame>
#include <QPushButton>
#include <QToolButton>

#include "app/keys/key_codes.h"
#include "qt/screens/graph_plot_widget.h"
#include "qt/screens/graph_widget.h"
#include "qt/widgets/lite_line_widget.h"
#include "screen_test_support.h"

namespace {

// What the plot state and its texts are, without what depends on the view's size (the window's plot is
// larger than the headless default view).
nlohmann::json PlotState(const nlohmann::json& d) {
    nlohmann::json out;
    for (const char* key :
         {"shown", "functions", "status", "values", "pointer_mode", "pixels_per_unit", "offset", "goto"})
        if (d.contains(key)) out[key] = d[key];
    return out;
}

class GraphWidgetsTest : public testing::Test {
  protected:
    void SetUp() override {
        ResetPlotScaleAndPan();
        h.ctl().selectCategoryItem(kCatGraph);
        h.settle(400);
        h.window->refresh();
        g = FindInWindow<GraphWidget>(h);
        ASSERT_NE(g, nullptr);
        ASSERT_TRUE(g->isVisible());
        words = "category:" + std::to_string(kCatGraph);
    }
    void TearDown() override { ResetPlotScaleAndPan(); }
    // sin(x) typed into line 1 with the Graph keys, through the model's key path.
    void typeSinX() {
        Click(h, g->line(0));
        words += " tap:graph/line1";
        RunWords(h, KeyWords({kKeyClear, kKeySin, kKeyVariable, kKeyCloseParen}));
        words += ' ';
        words += KeyWords({kKeyClear, kKeySin, kKeyVariable, kKeyCloseParen});
    }
    GraphPlotWidget* plot() { return ShownScreen<GraphPlotWidget>(h); }
    void tapPlot(const char* element) {
        Click(h, plot()->button(element));
        words += std::string(" tap:graph_plot/") + element;
    }
    nlohmann::json headless(const std::string& screen) { return RunKeys(words)["screens"][screen]; }

    GuiHarness h;
    GraphWidget* g = nullptr;
    std::string words;
};

TEST_F(GraphWidgetsTest, LinesSelectByClickAndTheColourPickerSetsAColour) {
    Click(h, g->line(1));
    words += " tap:graph/line2";
    EXPECT_EQ(Describe(h, "graph")["selected"], 1);
    Click(h, g->colourButton(2));
    words += " tap:graph/color3";
    EXPECT_TRUE(g->pickerShown());
    Shoot(h, "graph_picker");
    Click(h, g->swatch(14));
    words += " list:graph/colors:14";
    EXPECT_FALSE(g->pickerShown());
    nlohmann::json d = Describe(h, "graph");
    EXPECT_EQ(d["lines"][2]["color"], nlohmann::json::array({0, 127, 255}));
    EXPECT_EQ(d, headless("graph"));
    // Closing the picker without a choice keeps the colour.
    Click(h, g->colourButton(0));
    Click(h, g->pickerClose());
    words += " tap:graph/color1 tap:graph/picker_close";
    EXPECT_EQ(Describe(h, "graph"), headless("graph"));
}

TEST_F(GraphWidgetsTest, PlotsSinAndPansByAMouseDrag) {
    typeSinX();
    EXPECT_EQ(Describe(h, "graph")["lines"][0]["engine"], "sin(x)");
    Shoot(h, "graph_page");
    Click(h, g->plotButton());
    words += " tap:graph/open";
    ASSERT_NE(plot(), nullptr);
    h.settle(100);
    QWidget* canvas = plot()->canvas();
    nlohmann::json d = Describe(h, "graph_plot");
    ASSERT_TRUE(d["shown"]);
    EXPECT_EQ(d["size"][0], canvas->width());
    EXPECT_EQ(d["size"][1], canvas->height());
    EXPECT_EQ(d["functions"][0]["text"], "sin(x)");
    EXPECT_TRUE(d["functions"][0]["plotted"]);
    EXPECT_EQ(PlotState(d), PlotState(headless("graph_plot")));
    const QImage before = Picture(canvas);
    Shoot(h, "graph_plot");

    // A drag of 40 pixels right and 20 down, in steps.
    const QPoint start(canvas->width() / 2, canvas->height() / 3);
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, start);
    words += " tap:graph_plot/touch_down:" + std::to_string(start.x()) + "," + std::to_string(start.y());
    for (int step = 1; step <= 4; ++step) {
        const QPoint p = start + QPoint(10 * step, 5 * step);
        QMouseEvent move(QEvent::MouseMove, p, canvas->mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
        words += " tap:graph_plot/touch_move:" + std::to_string(p.x()) + "," + std::to_string(p.y());
    }
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, start + QPoint(40, 20));
    words += " tap:graph_plot/touch_up";
    h.settle(50);
    d = Describe(h, "graph_plot");
    EXPECT_EQ(d["offset"], nlohmann::json::array({40, 20}));
    EXPECT_EQ(PlotState(d), PlotState(headless("graph_plot")));
    EXPECT_NE(Picture(canvas), before) << "the picture did not move";
    Shoot(h, "graph_plot_panned");
}

TEST_F(GraphWidgetsTest, ZoomByButtonsWheelAndPinchAndTheCrosshair) {
    typeSinX();
    Click(h, g->plotButton());
    words += " tap:graph/open";
    ASSERT_NE(plot(), nullptr);
    QWidget* canvas = plot()->canvas();
    tapPlot("zoom_in");
    tapPlot("zoom_in");
    tapPlot("zoom_out");
    EXPECT_EQ(Describe(h, "graph_plot")["pixels_per_unit"], nlohmann::json::array({12, 12}));
    // One wheel notch up zooms in once more.
    const QPoint c = canvas->rect().center();
    QWheelEvent wheel(c, canvas->mapToGlobal(c), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
    words += " tap:graph_plot/wheel:1";
    EXPECT_EQ(Describe(h, "graph_plot")["pixels_per_unit"], nlohmann::json::array({14, 14}));
    // Two fingers moving 30 pixels apart zoom by 30 (the first move only measures).
    // The test's own touch screen: registered with the window system until it is deleted.
    std::unique_ptr<QPointingDevice> touchScreen(QTest::createTouchDevice());
    QPointingDevice* screen = touchScreen.get();
    QTest::touchEvent(canvas, screen).press(0, QPoint(100, 100)).press(1, QPoint(200, 100));
    QTest::touchEvent(canvas, screen).move(0, QPoint(100, 100)).move(1, QPoint(200, 100));
    QTest::touchEvent(canvas, screen).move(0, QPoint(90, 100)).move(1, QPoint(220, 100));
    QTest::touchEvent(canvas, screen).release(0, QPoint(90, 100)).release(1, QPoint(220, 100));
    words +=
        " tap:graph_plot/touch_down:100,100;200,100 tap:graph_plot/touch_move:100,100;200,100"
        " tap:graph_plot/touch_move:90,100;220,100 tap:graph_plot/touch_up";
    h.settle(30);
    EXPECT_EQ(Describe(h, "graph_plot")["pixels_per_unit"], nlohmann::json::array({44, 44}));
    // In crosshair mode a drag moves the crosshair, not the plot.
    tapPlot("pointer_mode");
    EXPECT_TRUE(plot()->button("pointer_mode")->isChecked());
    nlohmann::json before = Describe(h, "graph_plot");
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QMouseEvent move(QEvent::MouseMove, QPoint(80, 70), canvas->mapToGlobal(QPoint(80, 70)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(80, 70));
    words += " tap:graph_plot/touch_down:50,50 tap:graph_plot/touch_move:80,70 tap:graph_plot/touch_up";
    h.settle(30);
    nlohmann::json after = Describe(h, "graph_plot");
    EXPECT_EQ(after["offset"], before["offset"]);
    EXPECT_EQ(after["crosshair"]["x"].get<int>(), before["crosshair"]["x"].get<int>() + 30);
    EXPECT_EQ(after["crosshair"]["y"].get<int>(), before["crosshair"]["y"].get<int>() + 20);
    EXPECT_EQ(PlotState(after), PlotState(headless("graph_plot")));
    Shoot(h, "graph_plot_crosshair");
}

TEST_F(GraphWidgetsTest, GoToTwoPointSevenOnTheKeypad) {
    typeSinX();
    Click(h, g->plotButton());
    words += " tap:graph/open";
    ASSERT_NE(plot(), nullptr);
    tapPlot("goto");
    ASSERT_TRUE(plot()->gotoPanel()->isVisible());
    Click(h, plot()->gotoKey(2));
    Click(h, plot()->gotoKey(10));
    QTest::keyClick(plot(), Qt::Key_7);  // typed keys work on the keypad too
    words += " keypad:graph_plot/2 keypad:graph_plot/10 keypad:graph_plot/7";
    EXPECT_EQ(Describe(h, "graph_plot")["goto"]["field"], "2.7");
    Shoot(h, "graph_plot_goto");
    Click(h, plot()->gotoKey(13));
    words += " keypad:graph_plot/13";
    nlohmann::json d = Describe(h, "graph_plot");
    EXPECT_FALSE(plot()->gotoPanel()->isVisible());
    EXPECT_EQ(d["status"], "x=2.700000");
    EXPECT_EQ(d["values"][0], "y1=0.427380");
    EXPECT_EQ(d["offset"][0], -2 * d["pixels_per_unit"][0].get<int>());  // centred on x = 2
    EXPECT_EQ(PlotState(d), PlotState(headless("graph_plot")));
    Shoot(h, "graph_plot_after_goto");
    h.window->resize(900, 520);
    h.settle(250);
    ASSERT_NE(plot(), nullptr);
    EXPECT_EQ(Describe(h, "graph_plot")["size"][0], plot()->canvas()->width());
    Shoot(h, "graph_plot_landscape");
}

}  // namespace
