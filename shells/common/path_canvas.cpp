#include "common/path_canvas.h"

#include <algorithm>

void PathCanvas::restoreState() {
    // An unmatched restore keeps the current state rather than failing.
    if (m_stack.empty()) return;
    m_state = m_stack.back();
    m_stack.pop_back();
}

void PathCanvas::moveTo(CanvasPoint p) {
    m_path.push_back(Subpath{{p}, false});
}

void PathCanvas::lineTo(CanvasPoint p) {
    // A line without a current point starts one there, as graphics contexts do.
    if (m_path.empty() || m_path.back().closed) {
        moveTo(p);
        return;
    }
    m_path.back().points.push_back(p);
}

void PathCanvas::closePath() {
    if (!m_path.empty()) m_path.back().closed = true;
}

PathCanvas::Subpath PathCanvas::RectPath(const CanvasRect& r) {
    return Subpath{{{r.x, r.y}, {r.right(), r.y}, {r.right(), r.bottom()}, {r.x, r.bottom()}}, true};
}

void PathCanvas::addRect(const CanvasRect& rect) {
    m_path.push_back(RectPath(rect));
}

void PathCanvas::strokePath() {
    if (!m_path.empty()) stroke(m_path);
    m_path.clear();
}

void PathCanvas::fillPath() {
    if (!m_path.empty()) fill(m_path);
    m_path.clear();
}

void PathCanvas::clipToRect(const CanvasRect& rect) {
    if (!m_state.clip) {
        m_state.clip = rect;
        return;
    }
    const CanvasRect& c = *m_state.clip;
    const double x0 = std::max(c.x, rect.x), y0 = std::max(c.y, rect.y);
    const double x1 = std::min(c.right(), rect.right()), y1 = std::min(c.bottom(), rect.bottom());
    m_state.clip = CanvasRect{x0, y0, std::max(0.0, x1 - x0), std::max(0.0, y1 - y0)};
}

void PathCanvas::strokeRect(const CanvasRect& rect) {
    stroke({RectPath(rect)});
}

void PathCanvas::fillRect(const CanvasRect& rect) {
    fill({RectPath(rect)});
}

void PathCanvas::drawCoverage(std::span<const std::uint8_t> coverage, int width, int height,
                              const CanvasRect& dest) {
    if (width <= 0 || height <= 0 ||
        coverage.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        return;
    const double sx = dest.width / width, sy = dest.height / height;
    const double alpha = m_state.fill.a;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = coverage.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int x = 0; x < width;) {
            int end = x + 1;
            while (end < width && row[end] == row[x]) ++end;
            if (row[x] != 0) {
                m_state.fill.a = alpha * row[x] / 255.0;
                fill({RectPath({dest.x + x * sx, dest.y + y * sy, (end - x) * sx, sy})});
            }
            x = end;
        }
    }
    m_state.fill.a = alpha;
}
