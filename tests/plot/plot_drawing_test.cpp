// Drawing through the recording canvas: frame, axes, ticks, labels and the rules that break a curve.
#include <algorithm>
#include <cmath>
#include <map>

#include "plot_fixture.h"

namespace {

using PlotDrawing = PlotTest;

constexpr CanvasColor kRed{1, 0, 0, 1};

// Screen row of the x axis at the default pan, and the pixel column of x = 0.
constexpr double kAxisY = kTop + kHeight / 2;
constexpr double kAxisX = kLeft + kWidth / 2;

TEST_F(PlotDrawing, FrameAxesTicksAndLabels) {
    RecordingCanvas canvas;
    DrawGraphs(canvas);
    const std::vector<CanvasCall>& calls = canvas.calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().op, CanvasOp::SaveState);
    EXPECT_EQ(calls.back().op, CanvasOp::RestoreState);
    const std::vector<CanvasCall> frames = canvas.callsOf(CanvasOp::StrokeRect);
    const std::vector<CanvasCall> clips = canvas.callsOf(CanvasOp::ClipToRect);
    ASSERT_EQ(frames.size(), 1u);
    ASSERT_EQ(clips.size(), 1u);
    for (const CanvasRect& r : {frames[0].rect, clips[0].rect}) {
        EXPECT_EQ(r.x, kLeft);
        EXPECT_EQ(r.y, kTop);
        EXPECT_EQ(r.width, kWidth);
        EXPECT_EQ(r.height, kHeight);
    }
    // Nothing but white before the curves.
    for (const CanvasCall& c : canvas.callsOf(CanvasOp::SetStrokeColor)) EXPECT_EQ(c.color.g, 1);

    // Ticks: 15 on each x half (155 / 10), 18 on each y half (185 / 10); every fifth is 6 pixels long.
    std::map<double, int> up, right;  // tick length -> ticks
    const std::vector<CanvasCall> moves = canvas.callsOf(CanvasOp::MoveTo);
    const std::vector<CanvasCall> lines = canvas.callsOf(CanvasOp::LineTo);
    ASSERT_EQ(moves.size(), lines.size());
    for (size_t i = 0; i < moves.size(); ++i) {
        const CanvasPoint a = moves[i].point, b = lines[i].point;
        if (a.y == kAxisY && a.x == b.x && b.y < a.y) ++up[a.y - b.y];
        if (a.x == kAxisX && a.y == b.y && b.x > a.x) ++right[b.x - a.x];
    }
    EXPECT_EQ(up, (std::map<double, int>{{3, 24}, {6, 6}}));
    EXPECT_EQ(right, (std::map<double, int>{{3, 30}, {6, 6}}));

    struct Label {
        std::u16string text;
        double x, y;
    };
    const Label labels[] = {
        {u"+5", kAxisX + 50 - 9, kAxisY - 20},   {u"+15", kAxisX + 150 - 9, kAxisY - 20},
        {u"-10", kAxisX - 100 - 9, kAxisY - 20}, {u"+10", kAxisX + 6, kAxisY - 100 - 10},
        {u"-15", kAxisX + 6, kAxisY + 150 - 10},
    };
    for (const Label& l : labels) {
        SCOPED_TRACE(std::string(l.text.begin(), l.text.end()));
        const std::vector<CanvasCall> texts = canvas.callsOf(CanvasOp::DrawText);
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const CanvasCall& c) {
            return c.text == l.text && c.point.x == l.x && c.point.y == l.y &&
                   c.font.name == kGraphFontName && c.font.size == kGraphFontSize;
        }));
    }
    EXPECT_EQ(FindText(canvas, u"+20"), nullptr);  // 200 pixels out: beyond the rectangle
    EXPECT_EQ(canvas.callsOf(CanvasOp::DrawText).size(), 3u + 3 + 3 + 3 + 2);
}

TEST_F(PlotDrawing, OneOverXIsNotJoinedAcrossThePole) {
    ASSERT_EQ(AddGraph("1/x", "x", 255, 0, 0), kErrNone);
    RecordingCanvas canvas;
    DrawGraphs(canvas);
    const std::vector<Segment> segments = CurveSegments(canvas, kRed);
    const double zero = PixelX(0);
    bool leftNearPole = false, rightNearPole = false;
    for (const Segment& s : segments) {
        EXPECT_FALSE(std::min(s.a.x, s.b.x) < zero && std::max(s.a.x, s.b.x) > zero) << s.a.x;
        leftNearPole |= s.b.x <= zero && s.b.x > zero - 5;
        rightNearPole |= s.a.x >= zero && s.a.x < zero + 5;
    }
    EXPECT_TRUE(leftNearPole);
    EXPECT_TRUE(rightNearPole);
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
        {"sin(x)", 0, 0, none},
        {"x+sqrt(x^2-4)-abs(sqrt(x^2-4))", 0, 1, none},        // y = x for |x| >= 2: 4 units is over 10 steps
        {"x+sqrt(x^2-0.04)-abs(sqrt(x^2-0.04))", 0, 0, none},  // 0.4 units is under 10 steps: joined
        {"sqrt(x^2-4)", 0, 1, none},
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
        EXPECT_EQ(xs.size() - 1 - CurveSegments(canvas, kRed).size(), row.missing + beyond);
        for (const Segment& s : CurveSegments(canvas, kRed)) {
            EXPECT_LE(std::fabs(s.a.y - kAxisY), 65535);
            EXPECT_LE(std::fabs(s.b.y - kAxisY), 65535);
        }
    }
}

TEST_F(PlotDrawing, CurvesInTheirColoursAfterTheCrosshair) {
    ASSERT_EQ(AddGraph("x", "x", 255, 0, 0), kErrNone);
    ASSERT_EQ(AddGraph("-x", "x", 0, 255, 0), kErrNone);
    ASSERT_EQ(AddGraph("x+1", "x", 255, 255, 0), kErrNone);
    RecordingCanvas canvas;
    DrawGraphs(canvas);
    const std::vector<CanvasCall> colours = canvas.callsOf(CanvasOp::SetStrokeColor);
    ASSERT_EQ(colours.size(), 4u);
    const CanvasColor expected[] = {{1, 1, 1, 1}, {1, 0, 0, 1}, {0, 1, 0, 1}, {1, 1, 0, 1}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(colours[i].color.r, expected[i].r);
        EXPECT_EQ(colours[i].color.g, expected[i].g);
        EXPECT_EQ(colours[i].color.b, expected[i].b);
    }
    // y = x maps sample (x, x) to (Left + (x - From) * 10, axis - (int)(x * 10)), rounded as specified.
    const Segment first = CurveSegments(canvas, kRed).front();
    EXPECT_EQ(first.a.x, kLeft);
    EXPECT_EQ(first.a.y, kAxisY + 155);
    EXPECT_EQ(first.b.x, kLeft + 0);  // 0.4953 pixels later, rounded to the same column
    EXPECT_EQ(first.b.y, kAxisY - static_cast<int>((-15.5 + kGraphStepX) * 10));
    // The crosshair: a vertical line from the view's top, a horizontal one from its left edge.
    const std::vector<CanvasCall> moves = canvas.callsOf(CanvasOp::MoveTo);
    EXPECT_TRUE(std::any_of(moves.begin(), moves.end(), [](const CanvasCall& c) {
        return c.point.x == kLeft + kWidth / 4 && c.point.y == 0;
    }));
    EXPECT_TRUE(std::any_of(moves.begin(), moves.end(), [](const CanvasCall& c) {
        return c.point.x == 0 && c.point.y == kTop + kHeight / 4;
    }));
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
    const CanvasCall* label = FindText(canvas, u"+10000");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->point.x, kAxisX - 100000 + 100000 - 9);
}

}  // namespace
