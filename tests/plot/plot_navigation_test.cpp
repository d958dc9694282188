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

TEST_F(PlotNavigation, PanSamplesOnlyTheExposedStretchWithoutGaps) {
    struct Row {
        int dx, dy;
    };
    const Row rows[] = {{37, 0}, {-53, 12}, {400, 0}, {-1000, -7}, {1, 0}, {-1, 0}};
    ASSERT_EQ(AddGraph("sin(x)", "x", 255, 0, 0), kErrNone);
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.dx << "," << row.dy);
        const GRAPH_DATA before = G(0);
        const double from = S().m_From;
        const int offsetY = S().m_nOffsetY;
        Move(row.dx, row.dy);
        EXPECT_DOUBLE_EQ(S().m_From, from - static_cast<double>(row.dx) / S().m_nPixelsX);
        EXPECT_EQ(S().m_nOffsetY, offsetY + row.dy);
        ExpectKept(before, G(0));
        EXPECT_LE(LargestGap(G(0)), kGraphStepX + 1e-12);
        EXPECT_LT(G(0).m_X.front() - S().m_From, kGraphStepX);
        EXPECT_LT(S().m_To - G(0).m_X.back(), kGraphStepX);
        // Drawn without a gap: one segment per pair of samples.
        RecordingCanvas canvas;
        DrawGraphs(canvas);
        EXPECT_EQ(CurveSegments(canvas, {1, 0, 0, 1}).size(), G(0).m_X.size() - 1);
    }
}

TEST_F(PlotNavigation, PanMovesTheAxisLabelsByTheDrag) {
    RecordingCanvas canvas;
    DrawGraphs(canvas);
    const CanvasCall* five = FindText(canvas, u"+5");
    ASSERT_NE(five, nullptr);
    // The origin is at (5 + 155, 5 + 185); "+5" is 50 pixels right of it, 9 left and 20 above the tick.
    EXPECT_EQ(five->point.x, 160 + 50 - 9);
    EXPECT_EQ(five->point.y, 190 - 20);
    Move(23, -14);
    canvas.clear();
    DrawGraphs(canvas);
    const CanvasCall* moved = FindText(canvas, u"+5");
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->point.x, 160 + 50 - 9 + 23);
    EXPECT_EQ(moved->point.y, 190 - 20 - 14);
}

TEST_F(PlotNavigation, PanAcrossADomainEdgeFindsTheEdge) {
    // sqrt(x) with the whole view at x < 0: nothing to draw until the edge comes in from the right.
    Move(400, 0);
    ASSERT_EQ(AddGraph("sqrt(x)", "x", 255, 0, 0), kErrNone);
    EXPECT_EQ(G(0).count(), 0);
    Move(-300, 0);  // From = -(155 + 100) / 10: the edge is in view again
    ASSERT_GT(G(0).count(), 0);
    EXPECT_LE(std::fabs(G(0).m_X.front()), kGraphEdgeTolerance);
    // And from the other side: the edge enters with samples kept to its right.
    RemoveAllGraph();
    MoveTo(0, 0);
    Move(-200, 0);  // From = 4.5
    ASSERT_EQ(AddGraph("sqrt(x)", "x", 255, 0, 0), kErrNone);
    Move(100, 0);  // From = -5.5
    EXPECT_LE(std::fabs(G(0).m_X.front()), kGraphEdgeTolerance);
    EXPECT_LE(LargestGap(G(0)), kGraphStepX + 1e-12);
}

TEST_F(PlotNavigation, ZoomStopsAtItsLimitsAndKeepsTheOrigin) {
    Move(30, 20);
    for (int i = 0; i < 60; ++i) Zoom(2, 2);
    EXPECT_EQ(S().m_nPixelsX, kGraphMaxPixels);
    EXPECT_EQ(S().m_nPixelsY, kGraphMaxPixels);
    for (int i = 0; i < 60; ++i) Zoom(-2, -2);
    EXPECT_EQ(S().m_nPixelsX, kGraphMinPixels);
    EXPECT_EQ(S().m_nPixelsY, kGraphMinPixels);
    Zoom(INT_MAX, INT_MIN);
    EXPECT_EQ(S().m_nPixelsX, kGraphMaxPixels);
    EXPECT_EQ(S().m_nPixelsY, kGraphMinPixels);
    EXPECT_EQ(S().m_nOffsetX, 30);
    EXPECT_EQ(S().m_nOffsetY, 20);
    EXPECT_DOUBLE_EQ(S().m_From, -(155.0 + 30) / kGraphMaxPixels);
}

TEST_F(PlotNavigation, ZoomInDropsZoomOutExtends) {
    ASSERT_EQ(AddGraph("sin(x)", "x", 255, 0, 0), kErrNone);
    ASSERT_EQ(AddGraph("sqrt(x-14)", "x", 0, 255, 0), kErrNone);
    const GRAPH_DATA wide = G(0);
    Zoom(10, 10);  // 20 pixels per unit: -7.75 ... 7.75
    for (double x : G(0).m_X) ASSERT_TRUE(x >= S().m_From && x <= S().m_To);
    ExpectKept(wide, G(0));
    EXPECT_EQ(G(1).count(), 0);  // nothing of it inside the narrower range
    const GRAPH_DATA narrow = G(0);
    Zoom(-12, -12);  // 8 pixels per unit: -19.375 ... 19.375
    ExpectKept(narrow, G(0));
    EXPECT_LT(G(0).m_X.front() - S().m_From, kGraphStepX);
    EXPECT_LT(S().m_To - G(0).m_X.back(), kGraphStepX);
    EXPECT_LE(LargestGap(G(0)), kGraphStepX + 1e-12);
    EXPECT_LE(std::fabs(G(1).m_X.front() - 14), kGraphEdgeTolerance);
    const GRAPH_DATA same = G(0);
    Zoom(0, 6);  // x scale unchanged: the samples stay
    EXPECT_EQ(G(0).m_X, same.m_X);
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
        {-INFINITY, 0, false, -655350, -655350},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.x << "," << row.y);
        EXPECT_EQ(MoveTo(row.x, row.y), row.accepted);
        EXPECT_EQ(S().m_nOffsetX, row.offsetX);
        EXPECT_EQ(S().m_nOffsetY, row.offsetY);
        if (!row.accepted) continue;
        // The centre column shows trunc(x); the centre row trunc(y); the samples cover the new range.
        EXPECT_DOUBLE_EQ((kWidth / 2.0) / S().m_nPixelsX + S().m_From, std::trunc(row.x));
        EXPECT_DOUBLE_EQ(S().m_GraphicTop + S().m_nOy + S().m_nOffsetY - std::trunc(row.y) * S().m_nPixelsY,
                         kTop + kHeight / 2);
        EXPECT_EQ(G(0).m_X.front(), S().m_From);
    }
    // Go-to x moves x alone.
    MoveTo(0, 3);
    EXPECT_TRUE(MoveToX(2.7));
    EXPECT_EQ(S().m_nOffsetX, -20);
    EXPECT_EQ(S().m_nOffsetY, 30);
    EXPECT_DOUBLE_EQ(S().m_From, -13.5);
    EXPECT_FALSE(MoveToX(1e6));
    EXPECT_EQ(S().m_nOffsetX, -20);
}

TEST_F(PlotNavigation, CrosshairDragsMoveOnlyTheCrosshair) {
    ASSERT_EQ(AddGraph("sin(x)", "x", 255, 0, 0), kErrNone);
    SetPointerMode(kPointerCrosshair);
    const GRAPH_DATA before = G(0);
    struct Row {
        int dx, dy;
        int x, y;  // pointer afterwards
        const char16_t *labelX, *labelY;
    };
    const Row rows[] = {
        {0, 0, 82, 97, u"X=-7.80", u"Y=9.30"},  // the start: a quarter into the rectangle
        {30, -20, 112, 77, u"X=-4.80", u"Y=11.30"},
        {-1000, 5000, 0, kTop + kHeight - 1, u"X=-16.00", u"Y=-18.40"},
        {INT_MAX, INT_MIN, kLeft + kWidth - 1, 0, u"X=15.40", u"Y=19.00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.dx << "," << row.dy);
        Move(row.dx, row.dy);
        EXPECT_EQ(S().m_pointerX, row.x);
        EXPECT_EQ(S().m_pointerY, row.y);
        EXPECT_EQ(S().m_nOffsetX, 0);
        EXPECT_EQ(S().m_nOffsetY, 0);
        EXPECT_EQ(G(0).m_X, before.m_X);
        RecordingCanvas canvas;
        DrawGraphs(canvas);
        const CanvasCall* lx = FindText(canvas, row.labelX);
        const CanvasCall* ly = FindText(canvas, row.labelY);
        ASSERT_NE(lx, nullptr);
        ASSERT_NE(ly, nullptr);
        EXPECT_EQ(lx->point.x, kLeft + 3.0 * kWidth / 4);
        EXPECT_EQ(ly->point.y, lx->point.y + 20);
    }
    SetPointerMode(7);  // ignored
    EXPECT_EQ(S().m_pointerMode, kPointerCrosshair);
    SetPointerMode(kPointerPan);
    Move(10, 0);
    EXPECT_EQ(S().m_nOffsetX, 10);
}

TEST_F(PlotNavigation, ScaleAndPanCarryOverToTheNextPlot) {
    Zoom(4, 6);
    Move(-25, 15);
    SetPointerMode(kPointerCrosshair);
    CreateGraphic(0, 0, 200, 100);
    EXPECT_EQ(S().m_nPixelsX, 14);
    EXPECT_EQ(S().m_nPixelsY, 16);
    EXPECT_EQ(S().m_nOffsetX, -25);
    EXPECT_EQ(S().m_nOffsetY, 15);
    EXPECT_EQ(S().m_pointerMode, kPointerPan);
    EXPECT_EQ(S().m_pointerX, 50);
    EXPECT_EQ(S().m_pointerY, 25);
    EXPECT_DOUBLE_EQ(S().m_From, -(100.0 - 25) / 14);
}

}  // namespace
