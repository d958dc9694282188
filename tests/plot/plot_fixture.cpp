#include "plot_fixture.h"

#include <algorithm>

std::vector<Segment> StrokedSegments(const RecordingCanvas& canvas) {
    std::vector<Segment> out;
    const std::vector<CanvasCall>& calls = canvas.calls();
    CanvasColor color;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].op == CanvasOp::SetStrokeColor) color = calls[i].color;
        if (i + 3 < calls.size() && calls[i].op == CanvasOp::BeginPath &&
            calls[i + 1].op == CanvasOp::MoveTo && calls[i + 2].op == CanvasOp::LineTo &&
            calls[i + 3].op == CanvasOp::StrokePath)
            out.push_back(Segment{calls[i + 1].point, calls[i + 2].point, color});
    }
    return out;
}

std::vector<Segment> CurveSegments(const RecordingCanvas& canvas, const CanvasColor& color) {
    std::vector<Segment> all = StrokedSegments(canvas), out;
    std::copy_if(all.begin(), all.end(), std::back_inserter(out), [&](const Segment& s) {
        return s.color.r == color.r && s.color.g == color.g && s.color.b == color.b;
    });
    return out;
}

double LargestGap(const GRAPH_DATA& graph) {
    double gap = 0;
    for (size_t k = 1; k < graph.m_X.size(); ++k) gap = std::max(gap, graph.m_X[k] - graph.m_X[k - 1]);
    return gap;
}

const CanvasCall* FindText(const RecordingCanvas& canvas, const std::u16string& text) {
    for (const CanvasCall& c : canvas.calls())
        if (c.op == CanvasOp::DrawText && c.text == text) return &c;
    return nullptr;
}
