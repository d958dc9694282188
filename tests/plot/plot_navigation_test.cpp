// Panning, zooming, go-to and the crosshair.
#include <climits>
#include <cmath>
#include <set>

#include "plot_fixture.h"

namespace {

using PlotNavigation = PlotTest;

// Every sample of before that lies inside the current range, bit for bit, is still there.
void ExpectKept(const GRAPH_DATA& before, const GRAPH_DATA& after) {
    const std::set<double> now(after.m_X.begin(), after.m_X.end());
    for (double x : before.m_X) {
        const bool inside = x >= GetGraphicState().m_From && x <= GetGraphicState().m_To;
        EXPECT_TRUE(!inside || now.count(x)) << x;
    }
}

// The samples reach both ends of the range and lie at most a step apart.
void ExpectCovered(const GRAPH_DATA& g) {
    ASSERT_FALSE(g.m_X.empty());
    EXPECT_LT(g.m_X.front() - GetGraphicState().m_From, kGraphStepX);
    EXPECT_LT(GetGraphicState().m_To - g.m_X.back(), kGraphStepX);
    EXPECT_LE(LargestGap(g), kGraphStepX + 1e-12);
}

TEST_F(PlotNavigation, PanSamplesOnlyTheExposedStretchWithoutGaps) {
    const int drags[][2] = {{37, 0}, {-53, 12}, {400, 0}, {-1000, -7}, {1, 0}, {-1, 0}};
    ASSERT_EQ(AddGraph("sin(x)", "x", 255, 0, 0), kErrNone);
    RecordingCanvas canvas;
    DrawGraphs(canvas);
    CanvasPoint five = TextAt(canvas, u"+5");
    for (const auto& drag : drags) {
        SCOPED_TRACE(testing::Message() << drag[0] << "," << drag[1]);
        const GRAPH_DATA before = G(0);
        const double from = S().m_From;
        Move(drag[0], drag[1]);
        EXPECT_DOUBLE_EQ(S().m_From, from - drag[0] / 10.0);
        ExpectKept(before, G(0));
        ExpectCovered(G(0));
        // The labels move with the drag (while in view), and the curve is drawn without a gap: a segment per
        // pair.
        canvas.clear();
        DrawGraphs(canvas);
        five = CanvasPoint{five.x + drag[0], five.y + drag[1]};
        if (five.x > kLeft && five.x < kLeft + kWidth) {
            EXPECT_EQ(TextAt(canvas, u"+5"), five);
        }
        EXPECT_EQ(CurveSegments(canvas, {1, 0, 0, 1}).size(), G(0).m_X.size() - 1);
    }
}

TEST_F(PlotNavigation, PanAcrossADomainEdgeFindsTheEdge) {
    // sqrt(x) with the whole view at x < 0: nothing to draw until the edge comes in from the right.
    Move(400, 0);
    ASSERT_EQ(AddGraph("sqrt(x)", "x", 255, 0, 0), kErrNone);
    EXPECT_EQ(G(0).count(), 0);
    Move(-300, 0);  // From = -(155 + 100) / 10
    ASSERT_GT(G(0).count(), 0);
    EXPECT_LE(std::fabs(G(0).m_X.front()), kGraphEdgeTolerance);
    // From the other side: the edge enters on the left of kept samples.
    RemoveAllGraph();
    MoveTo(0, 0);
    Move(-200, 0);  // From = 4.5
    ASSERT_EQ(AddGraph("sqrt(x)", "x", 255, 0, 0), kErrNone);
    Move(100, 0);  // From = -5.5
    EXPECT_LE(std::fabs(G(0).m_X.front()), kGraphEdgeTolerance);
    EXPECT_LE(LargestGap(G(0)), kGraphStepX + 1e-12);
}

TEST_F(PlotNavigation, ZoomLimitsDropsAndExtends) {
    ASSERT_EQ(AddGraph("sin(x)", "x", 255, 0, 0), kErrNone);
    ASSERT_EQ(AddGraph("sqrt(x-14)", "x", 0, 255, 0), kErrNone);
    Move(30, 20);
    const GRAPH_DATA wide = G(0);
    Zoom(10, 10);  // 20 pixels per unit: the narrower range keeps only its own samples
    for (double x : G(0).m_X) ASSERT_TRUE(x >= S().m_From && x <= S().m_To);
    ExpectKept(wide, G(0));
    EXPECT_EQ(G(1).count(), 0);  // none of it inside
    const GRAPH_DATA narrow = G(0);
    Zoom(-12, -12);  // 8 pixels per unit: both sides sampled anew
    ExpectKept(narrow, G(0));
    ExpectCovered(G(0));
    EXPECT_LE(std::fabs(G(1).m_X.front() - 14), kGraphEdgeTolerance);
    const std::vector<double> same = G(0).m_X;
    Zoom(0, 6);  // x scale unchanged: the samples stay
    EXPECT_EQ(G(0).m_X, same);
    for (int i = 0; i < 60; ++i) Zoom(2, 2);
    EXPECT_EQ(S().m_nPixelsX, kGraphMaxPixels);
    EXPECT_EQ(S().m_nPixelsY, kGraphMaxPixels);
    for (int i = 0; i < 60; ++i) Zoom(-2, -2);
    EXPECT_EQ(S().m_nPixelsX, kGraphMinPixels);
    Zoom(INT_MAX, INT_MIN);
    EXPECT_EQ(S().m_nPixelsX, kGraphMaxPixels);
    EXPECT_EQ(S().m_nPixelsY, kGraphMinPixels);
    // The offsets stay, so the origin keeps its place.
    EXPECT_EQ(S().m_nOffsetX, 30);
    EXPECT_EQ(S().m_nOffsetY, 20);
    EXPECT_DOUBLE_EQ(S().m_From, -(155.0 + 30) / kGraphMaxPixels);
}

TEST_F(PlotNavigation, GoToDropsTheFractionAndCentresTheView) {
    ASSERT_EQ(AddGraph("x^2", "x", 255, 0, 0), kErrNone);
    struct Row {
        double x, y;
        bool accepted;
        int offsetX, offsetY;  // at 10 pixels per unit
    };
    const Row rows[] = {
        {2.7, 0, true, -20, 0},
        {-2.7, 1.9, true, 20, 10},
        {0.99, -0.99, true, 0, 0},
        {65535, -65535, true, -655350, -655350},
        {65536, 0, false, -655350, -655350},
        {0, NAN, false, -655350, -655350},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.x << "," << row.y);
        EXPECT_EQ(MoveTo(row.x, row.y), row.accepted);
        EXPECT_EQ(S().m_nOffsetX, row.offsetX);
        EXPECT_EQ(S().m_nOffsetY, row.offsetY);
        // The centre column shows trunc(x); the samples cover the new range.
        EXPECT_DOUBLE_EQ((kWidth / 2.0) / S().m_nPixelsX + S().m_From, -row.offsetX / 10.0);
        EXPECT_EQ(G(0).m_X.front(), S().m_From);
    }
    MoveTo(0, 3);
    EXPECT_TRUE(MoveToX(2.7));  // x alone
    EXPECT_EQ(S().m_nOffsetX, -20);
    EXPECT_EQ(S().m_nOffsetY, 30);
    EXPECT_FALSE(MoveToX(-1e6));
    EXPECT_EQ(S().m_nOffsetX, -20);
}

TEST_F(PlotNavigation, CrosshairDragsMoveOnlyTheCrosshair) {
    ASSERT_EQ(AddGraph("sin(x)", "x", 255, 0, 0), kErrNone);
    SetPointerMode(kPointerCrosshair);
    const std::vector<double> samples = G(0).m_X;
    struct Row {
        int dx, dy;
        CanvasPoint pointer;
        const char16_t *labelX, *labelY;
    };
    const Row rows[] = {
        {0, 0, {82, 97}, u"X=-7.80", u"Y=9.30"},  // the start: a quarter into the rectangle
        {30, -20, {112, 77}, u"X=-4.80", u"Y=11.30"},
        {-1000, 5000, {0, kTop + kHeight - 1}, u"X=-16.00", u"Y=-18.40"},
        {INT_MAX, INT_MIN, {kLeft + kWidth - 1, 0}, u"X=15.40", u"Y=19.00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.dx << "," << row.dy);
        Move(row.dx, row.dy);
        EXPECT_EQ((CanvasPoint{double(S().m_pointerX), double(S().m_pointerY)}), row.pointer);
        EXPECT_TRUE(S().m_nOffsetX == 0 && S().m_nOffsetY == 0 && G(0).m_X == samples);
        RecordingCanvas canvas;
        DrawGraphs(canvas);
        // At three quarters of the rectangle, in whole pixels: 5 + 3 * 310 / 4, 5 + 3 * 370 / 4.
        EXPECT_EQ(TextAt(canvas, row.labelX), (CanvasPoint{237, 282}));
        EXPECT_EQ(TextAt(canvas, row.labelY), (CanvasPoint{237, 302}));
    }
    SetPointerMode(7);  // ignored
    EXPECT_EQ(S().m_pointerMode, kPointerCrosshair);
}

TEST_F(PlotNavigation, ScaleAndPanCarryOverToTheNextPlot) {
    Zoom(4, 6);
    Move(-25, 15);
    SetPointerMode(kPointerCrosshair);
    CreateGraphic(0, 0, 200, 100);
    EXPECT_TRUE(S().m_nPixelsX == 14 && S().m_nPixelsY == 16 && S().m_nOffsetX == -25 &&
                S().m_nOffsetY == 15);
    EXPECT_TRUE(S().m_pointerMode == kPointerPan && S().m_pointerX == 50 && S().m_pointerY == 25);
    EXPECT_DOUBLE_EQ(S().m_From, -(100.0 - 25) / 14);
    // A resized window keeps the graphs and the pan, and samples them for the new range.
    ASSERT_EQ(AddGraph("x", "x", 255, 0, 0), kErrNone);
    ResizeGraphic(0, 0, 400, 100);
    EXPECT_DOUBLE_EQ(G(0).m_X.front(), -(200.0 - 25) / 14);
    EXPECT_GT(G(0).m_X.back(), S().m_To - kGraphStepX);
}

}  // namespace
