#include "plot/plot_navigation.h"

#include <algorithm>
#include <cmath>

#include "plot/plot_internal.h"
#include "plot/plot_sampling.h"

using plot_detail::State;

namespace {

// a + b kept within +-limit, without overflowing on the way.
int AddClamped(int a, int b, int limit) {
    const long long sum = static_cast<long long>(a) + b;
    return static_cast<int>(std::clamp<long long>(sum, -limit, limit));
}

bool AcceptableGoto(double v) {
    return std::isfinite(v) && std::fabs(v) <= kGraphMaxGoto;
}

}  // namespace

void Move(int dx, int dy) {
    GRAPHIC_STATE& s = State();
    if (s.m_pointerMode == kPointerCrosshair) {
        const long long right = std::max(0LL, static_cast<long long>(s.m_GraphicLeft) + s.m_GraphicWidth - 1);
        const long long bottom =
            std::max(0LL, static_cast<long long>(s.m_GraphicTop) + s.m_GraphicHeight - 1);
        s.m_pointerX =
            static_cast<int>(std::clamp<long long>(static_cast<long long>(s.m_pointerX) + dx, 0, right));
        s.m_pointerY =
            static_cast<int>(std::clamp<long long>(static_cast<long long>(s.m_pointerY) + dy, 0, bottom));
        return;
    }
    const int oldOffsetX = s.m_nOffsetX;
    s.m_nOffsetX = AddClamped(s.m_nOffsetX, dx, kGraphMaxOffset);
    s.m_nOffsetY = AddClamped(s.m_nOffsetY, dy, kGraphMaxOffset);
    const int moved = s.m_nOffsetX - oldOffsetX;
    if (moved == 0) return;
    plot_detail::UpdateRange();
    // Dragging right shows more on the left, dragging left more on the right.
    for (GRAPH_DATA& graph : s.m_pData) plot_detail::ExtendSamples(graph, moved > 0, moved < 0);
}

bool MoveTo(double x, double y) {
    if (!AcceptableGoto(x) || !AcceptableGoto(y)) return false;
    GRAPHIC_STATE& s = State();
    s.m_nOffsetX = -static_cast<int>(x) * s.m_nPixelsX;
    s.m_nOffsetY = static_cast<int>(y) * s.m_nPixelsY;
    plot_detail::UpdateRange();
    ReCalculate();
    return true;
}

bool MoveToX(double x) {
    if (!AcceptableGoto(x)) return false;
    GRAPHIC_STATE& s = State();
    s.m_nOffsetX = -static_cast<int>(x) * s.m_nPixelsX;
    plot_detail::UpdateRange();
    ReCalculate();
    return true;
}

void Zoom(int dx, int dy) {
    GRAPHIC_STATE& s = State();
    const int oldPixelsX = s.m_nPixelsX;
    s.m_nPixelsX = AddClamped(s.m_nPixelsX, dx, kGraphMaxPixels);
    s.m_nPixelsX = std::max(s.m_nPixelsX, kGraphMinPixels);
    s.m_nPixelsY = std::max(AddClamped(s.m_nPixelsY, dy, kGraphMaxPixels), kGraphMinPixels);
    if (s.m_nPixelsX == oldPixelsX) return;
    plot_detail::UpdateRange();
    const bool zoomIn = s.m_nPixelsX > oldPixelsX;
    for (GRAPH_DATA& graph : s.m_pData) {
        if (zoomIn) {
            plot_detail::DropOutside(graph);
        } else {
            plot_detail::ExtendSamples(graph, true, true);
        }
    }
}
