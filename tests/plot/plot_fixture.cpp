#include "plot_fixture.h"

#include <algorithm>
#include <cmath>

std::vector<Segment> CurveSegments(const RecordingCanvas& canvas, const CanvasColor& color) {
    std::vector<Segment> out;
    const std::vector<CanvasCall>& c = canvas.calls();
    CanvasColor now;
    for (size_t i = 0; i + 3 < c.size(); ++i) {
        if (c[i].op == CanvasOp::SetStrokeColor) now = c[i].color;
        if (now.r == color.r && now.g == color.g && now.b == color.b && c[i].op == CanvasOp::BeginPath &&
            c[i + 1].op == CanvasOp::MoveTo && c[i + 2].op == CanvasOp::LineTo &&
            c[i + 3].op == CanvasOp::StrokePath)
            out.push_back(Segment{c[i + 1].point, c[i + 2].point});
    }
    return out;
}

double LargestGap(const GRAPH_DATA& graph) {
    double gap = 0;
    for (size_t k = 1; k < graph.m_X.size(); ++k) gap = std::max(gap, graph.m_X[k] - graph.m_X[k - 1]);
    return gap;
}

CanvasPoint TextAt(const RecordingCanvas& canvas, const std::u16string& text) {
    for (const CanvasCall& c : canvas.calls())
        if (c.op == CanvasOp::DrawText && c.text == text) return c.point;
    return CanvasPoint{NAN, NAN};
}
