// Shared set-up of the plot engine tests: the phone's plot rectangle at the default scale, and the
// segments a recording canvas saw.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "common/recording_canvas.h"
#include "numeric/errors.h"
#include "plot/plot.h"

// The plot view's rectangle.
constexpr int kLeft = 5, kTop = 5, kWidth = 310, kHeight = 370;

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

    // Pixel column of x, as the curves place it.
    static double PixelX(double x) { return S().m_GraphicLeft + (x - S().m_From) * S().m_nPixelsX; }
};

// One stroked line of the drawing and the stroke colour it had.
struct Segment {
    CanvasPoint a, b;
    CanvasColor color;
};

// The single-line paths (begin, move, line, stroke) a canvas recorded, with their colours.
std::vector<Segment> StrokedSegments(const RecordingCanvas& canvas);

// Those drawn in a colour (the curves; the frame, axes and crosshair are white).
std::vector<Segment> CurveSegments(const RecordingCanvas& canvas, const CanvasColor& color);

// The largest gap between neighbouring samples of a graph in x units.
double LargestGap(const GRAPH_DATA& graph);

// Where a text was drawn; nullptr when it was not.
const CanvasCall* FindText(const RecordingCanvas& canvas, const std::u16string& text);
