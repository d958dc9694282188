#include <algorithm>

#include "plot/plot_internal.h"
#include "plot/plot_sampling.h"

namespace plot_detail {

GRAPHIC_STATE& State() {
    static GRAPHIC_STATE state;
    return state;
}

void UpdateRange() {
    GRAPHIC_STATE& s = State();
    const double px = s.m_nPixelsX;
    s.m_From = -static_cast<double>(s.m_nOx + s.m_nOffsetX) / px;
    s.m_To = static_cast<double>(s.m_GraphicWidth - s.m_nOx - s.m_nOffsetX) / px;
}

}  // namespace plot_detail

using plot_detail::State;

namespace {

void SetRectangle(int left, int top, int width, int height) {
    GRAPHIC_STATE& s = State();
    s.m_GraphicLeft = left;
    s.m_GraphicTop = top;
    s.m_GraphicWidth = std::clamp(width, 0, kGraphMaxSide);
    s.m_GraphicHeight = std::clamp(height, 0, kGraphMaxSide);
    s.m_nOx = s.m_GraphicWidth / 2;
    s.m_nOy = s.m_GraphicHeight / 2;
    plot_detail::UpdateRange();
}

}  // namespace

const GRAPHIC_STATE& GetGraphicState() {
    return State();
}

void CreateGraphic(int left, int top, int width, int height) {
    RemoveAllGraph();
    SetRectangle(left, top, width, height);
    GRAPHIC_STATE& s = State();
    s.m_pointerX = s.m_GraphicLeft + s.m_GraphicWidth / 4;
    s.m_pointerY = s.m_GraphicTop + s.m_GraphicHeight / 4;
    s.m_pointerMode = kPointerPan;
}

void ResizeGraphic(int left, int top, int width, int height) {
    SetRectangle(left, top, width, height);
    GRAPHIC_STATE& s = State();
    s.m_pointerX = std::clamp(s.m_pointerX, s.m_GraphicLeft,
                              std::max(s.m_GraphicLeft, s.m_GraphicLeft + s.m_GraphicWidth - 1));
    s.m_pointerY = std::clamp(s.m_pointerY, s.m_GraphicTop,
                              std::max(s.m_GraphicTop, s.m_GraphicTop + s.m_GraphicHeight - 1));
    ReCalculate();
}

void RemoveAllGraph() {
    GRAPHIC_STATE& s = State();
    s.m_pData.clear();
    s.m_pData.shrink_to_fit();
    s.m_Count = 0;
}

void SetPointerMode(int mode) {
    if (mode == kPointerPan || mode == kPointerCrosshair) State().m_pointerMode = mode;
}
