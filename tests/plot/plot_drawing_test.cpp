// Drawing through the recording canvas: frame, axes, ticks, labels and the rules that break a curve.
#include <algorithm>
#include <cmath>
#include <map>

#include "plot_fixture.h"

namespace {

using PlotDrawing = PlotTest;

constexpr CanvasColor kRed{1, 0, 0, 1};

TEST_F(PlotDrawing, FrameAxesTicksAndLabels) {
    RecordingCanvas canvas;
    DrawGraphs(canvas);
    EXPECT_EQ(canvas.calls().front().op, CanvasOp::SaveState);
    EXPECT_EQ(canvas.calls().back().op, CanvasOp::RestoreState);
    for (CanvasOp op : {CanvasOp::StrokeRect, CanvasOp::ClipToRect}) {
        ASSERT_EQ(canvas.callsOf(op).size(), 1u);
        const CanvasRect r = canvas.callsOf(op)[0].rect;
        EXPECT_TRUE(r.x == kLeft && r.y == kTop && r.width == kWidth && r.height == kHeight);
    }
    // Ticks: 15 on each x half (155 / 10), 18 on each y half (185 / 10); every fifth is 6 pixels long.
    std::map<double, int> up, right;  // tick length -> ticks
    const std::vector<CanvasCall> moves = canvas.callsOf(CanvasOp::MoveTo),
                                  lines = canvas.callsOf(CanvasOp::LineTo);
    ASSERT_EQ(moves.size(), lines.size());
    for (size_t i = 0; i < moves.size(); ++i) {
        const CanvasPoint a = moves[i].point, b = lines[i].point;
        if (a.y == kAxisY && a.x == b.x && b.y < a.y) ++up[a.y - b.y];
        if (a.x == kAxisX && a.y == b.y && b.x > a.x) ++right[b.x - a.x];
    }
    EXPECT_EQ(up, (std::map<double, int>{{3, 24}, {6, 6}}));
    EXPECT_EQ(right, (std::map<double, int>{{3, 30}, {6, 6}}));
    // Labels every fifth unit ("+5" is 50 pixels out, drawn 9 left of and 20 above its tick), white.
    const std::vector<CanvasCall> texts = canvas.callsOf(CanvasOp::DrawText);
    EXPECT_EQ(texts.size(), 12u + 2);  // and the crosshair's two
    EXPECT_EQ(TextAt(canvas, u"+5"), (CanvasPoint{kAxisX + 50 - 9, kAxisY - 20}));
    EXPECT_EQ(TextAt(canvas, u"-10"), (CanvasPoint{kAxisX - 100 - 9, kAxisY - 20}));
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const CanvasCall& c) {  // y axis, below the x axis
        return c.text == u"-15" && c.point.x == kAxisX + 6 && c.point.y == kAxisY + 150 - 10;
    }));
    EXPECT_EQ(texts[0].font.name, kGraphFontName);
    EXPECT_EQ(texts[0].font.size, kGraphFontSize);
    for (const CanvasCall& c : canvas.callsOf(CanvasOp::SetStrokeColor)) EXPECT_EQ(c.color.g, 1);
}

TEST_F(PlotDrawing, OneOverXIsNotJoinedAcrossThePole) {
    ASSERT_EQ(AddGraph("1/x", "x", 255, 0, 0), kErrNone);
    RecordingCanvas canvas;
    DrawGraphs(canvas);
    const std::vector<Segment> segments = CurveSegments(canvas, kRed);
    bool leftNearPole = false, rightNearPole = false;
    for (const Segment& s : segments) {
        EXPECT_FALSE(std::min(s.a.x, s.b.x) < kAxisX && std::max(s.a.x, s.b.x) > kAxisX) << s.a.x;
        leftNearPole |= s.b.x <= kAxisX && s.b.x > kAxisX - 5;
        rightNearPole |= s.a.x >= kAxisX && s.a.x < kAxisX + 5;
    }
    EXPECT_TRUE(leftNearPole && rightNearPole);
    EXPECT_EQ(segments.size(), G(0).m_X.size() - 2);  // only the jump is left out
}

TEST_F(PlotDrawing, BreaksLimitsAndJumps) {
    struct Row {
        const char* expression;
        int zoom;
        size_t missing;      // pairs of neighbouring samples not joined for breaks and poles
        double scaledLimit;  // and those with a sample beyond this x, where |y * pixels| passes 65535
    };
    const double none = INFINITY;
    const Row rows[] = {
        {"sin(x)", 0, 0, none},  // no hole where it turns, however flat the step before
        {"x+sqrt(x^2-4)-abs(sqrt(x^2-4))", 0, 1, none},        // y = x for |x| >= 2: 4 units is over 10 steps
        {"x+sqrt(x^2-0.04)-abs(sqrt(x^2-0.04))", 0, 0, none},  // 0.4 units is under 10 steps: joined
        {"1/x", 0, 1, none},
        {"tan(x)", 0, 10, none},  // a jump at every pole in -15.5 ... 15.5
        {"e^x", 0, 0, std::log(65535.0 / 10)},
        {"e^x", -2, 0, std::log(65535.0 / 8)},
        {"-e^x", 86, 0, none},  // at 96 pixels per unit -1.6 ... 1.6 stays within 65535
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expression);
        Reset(kLeft, kTop, kWidth, kHeight);
        Zoom(row.zoom, row.zoom);
        ASSERT_EQ(AddGraph(row.expression, "x", 255, 0, 0), kErrNone);
        RecordingCanvas canvas;
        DrawGraphs(canvas);
        const std::vector<double>& xs = G(0).m_X;
        const size_t beyond =
            std::count_if(xs.begin(), xs.end(), [&](double x) { return x > row.scaledLimit; });
        const std::vector<Segment> segments = CurveSegments(canvas, kRed);
        EXPECT_EQ(xs.size() - 1 - segments.size(), row.missing + beyond);
        for (const Segment& s : segments)
            EXPECT_LE(std::max(std::fabs(s.a.y), std::fabs(s.b.y)) - kAxisY, 65535);
    }
}

TEST_F(PlotDrawing, CurvesInTheirColoursAtRoundedPixels) {
    ASSERT_EQ(AddGraph("x", "x", 255, 0, 0), kErrNone);
    ASSERT_EQ(AddGraph("x+1", "x", 255, 255, 0), kErrNone);
    RecordingCanvas canvas;
    DrawGraphs(canvas);
    const std::vector<CanvasCall> colours = canvas.callsOf(CanvasOp::SetStrokeColor);
    ASSERT_EQ(colours.size(), 3u);  // white, then each curve's
    EXPECT_TRUE(colours[2].color.r == 1 && colours[2].color.g == 1 && colours[2].color.b == 0);
    // Sample (x, x) is at (Left + (int)((x - From) * 10 + 0.5), axis - (int)(x * 10)).
    const Segment first = CurveSegments(canvas, kRed).front();
    EXPECT_EQ(first.a, (CanvasPoint{kLeft, kAxisY + 155}));
    EXPECT_EQ(first.b, (CanvasPoint{kLeft, kAxisY - static_cast<int>((-15.5 + kGraphStepX) * 10)}));
}

TEST_F(PlotDrawing, AFarPanDrawsOnlyWhatCanShow) {
    // Ticks of a pan a million pixels out are all clipped away; they are not even issued.
    Move(-1000000, 1000000);
    ASSERT_EQ(AddGraph("x", "x", 255, 0, 0), kErrNone);
    RecordingCanvas canvas;
    DrawGraphs(canvas);
    EXPECT_LT(canvas.calls().size(), 100u);
    // Along a visible axis only the ticks near the rectangle are issued, with their true numbers.
    Reset(kLeft, kTop, kWidth, kHeight);
    Move(-100000, 0);
    canvas.clear();
    DrawGraphs(canvas);
    EXPECT_LT(canvas.calls().size(), 200u);
    EXPECT_EQ(TextAt(canvas, u"+10000"), (CanvasPoint{kAxisX - 9, kAxisY - 20}));
}

}  // namespace
