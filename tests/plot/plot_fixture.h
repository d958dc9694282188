// Shared set-up of the plot engine tests: the phone's plot rectangle at the default scale, and what a
// recording canvas saw.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "common/recording_canvas.h"
#include "numeric/errors.h"
#include "plot/plot.h"

// The plot view's rectangle, and where its axes cross before any pan.
constexpr int kLeft = 5, kTop = 5, kWidth = 310, kHeight = 370;
constexpr double kAxisX = kLeft + kWidth / 2, kAxisY = kTop + kHeight / 2;

class PlotTest : public testing::Test {
  protected:
    void SetUp() override { Reset(kLeft, kTop, kWidth, kHeight); }
    void TearDown() override { RemoveAllGraph(); }

    // A fresh plot: the scale and the pan carry over between plots, so they are put back first.
    static void Reset(int left, int top, int width, int height) {
        CreateGraphic(left, top, width, height);
        const GRAPHIC_STATE& s = GetGraphicState();
        Zoom(kGraphDefaultPixels - s.m_nPixelsX, kGraphDefaultPixels - s.m_nPixelsY);
        MoveTo(0, 0);
    }

    static const GRAPHIC_STATE& S() { return GetGraphicState(); }
    static const GRAPH_DATA& G(int i) { return GetGraphicState().m_pData[static_cast<size_t>(i)]; }
};

// One single-line path (begin, move, line, stroke).
struct Segment {
    CanvasPoint a, b;
};

// The single-line paths a canvas recorded in a colour (the curves; frame, axes and crosshair are white).
std::vector<Segment> CurveSegments(const RecordingCanvas& canvas, const CanvasColor& color);

// The largest gap between neighbouring samples of a graph in x units.
double LargestGap(const GRAPH_DATA& graph);

// The origin of the first text drawn as text; (NaN, NaN) when there is none.
CanvasPoint TextAt(const RecordingCanvas& canvas, const std::u16string& text);

inline bool operator==(CanvasPoint a, CanvasPoint b) {
    return a.x == b.x && a.y == b.y;
}
inline std::ostream& operator<<(std::ostream& out, CanvasPoint p) {
    return out << "(" << p.x << ", " << p.y << ")";
}
