#include "plot/plot_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/canvas.h"
#include "plot/plot_internal.h"

using plot_detail::State;

namespace {

constexpr CanvasColor kWhite{1, 1, 1, 1};
constexpr double kTickLength = 3;
constexpr double kLongTickLength = 6;
constexpr int kLabelEvery = 5;
// How far outside the rectangle a tick may lie and still have part of its label inside; ticks further
// out are clipped away entirely and are not drawn at all, which keeps a far pan cheap.
constexpr int kLabelReach = 64;
// Neighbouring samples further apart than this many steps are not joined.
constexpr double kBreakSteps = 10;
// Scaled values beyond this are not drawn.
constexpr double kMaxScaledY = 65535;
// A turn whose jump exceeds this many times the previous step is a pole, not part of the curve.
constexpr double kJumpFactor = 32;
// ... provided the jump is taller than this on the screen. Where a smooth curve turns (the top of sin x)
// the step before the turn can be almost flat, so that even the next tiny step is 32 times larger; such a
// segment is part of the curve and leaving it out would put a hole in it.
constexpr double kMinJumpPixels = 2;

std::u16string Ascii(const char* text) {
    std::u16string out;
    for (const char* p = text; *p != '\0'; ++p) out += static_cast<char16_t>(static_cast<unsigned char>(*p));
    return out;
}

std::u16string Format(const char* format, int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return Ascii(buffer);
}

std::u16string Format(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return Ascii(buffer);
}

// Smallest i >= 1 with a + i * step >= b (step > 0).
long long FirstReaching(long long a, long long b, int step) {
    if (a >= b) return 1;
    return std::max(1LL, (b - a + step - 1) / step);
}

// One half of an axis: ticks i = 1 ... count at axis + direction * i * pixels along it.
struct HalfAxis {
    bool horizontal;  // ticks along the x axis (pointing up) or along the y axis (pointing right)
    int direction;    // +1 or -1 along the axis
    int count;
    const char* format;  // label "+%d" or "-%d"
};

void DrawHalfAxis(Canvas& canvas, const HalfAxis& half, long long ax, long long ay, const CanvasFont& font) {
    const GRAPHIC_STATE& s = State();
    const int pixels = half.horizontal ? s.m_nPixelsX : s.m_nPixelsY;
    const long long axis = half.horizontal ? ax : ay;
    const long long low = half.horizontal ? s.m_GraphicLeft : s.m_GraphicTop;
    const long long high = low + (half.horizontal ? s.m_GraphicWidth : s.m_GraphicHeight);
    // The first tick that can show: the ticks before it lie beyond the rectangle's near edge.
    const long long first = half.direction > 0 ? FirstReaching(axis, low - kLabelReach, pixels)
                                               : FirstReaching(-axis, -(high + kLabelReach), pixels);
    if (first > half.count) return;
    canvas.beginPath();
    for (long long i = first; i <= half.count; ++i) {
        const double at = static_cast<double>(axis + half.direction * i * pixels);
        const double length = i % kLabelEvery == 0 ? kLongTickLength : kTickLength;
        if (half.horizontal) {
            canvas.moveTo({at, static_cast<double>(ay)});
            canvas.lineTo({at, static_cast<double>(ay) - length});
        } else {
            canvas.moveTo({static_cast<double>(ax), at});
            canvas.lineTo({static_cast<double>(ax) + length, at});
        }
    }
    canvas.strokePath();
    for (long long i = first + (kLabelEvery - first % kLabelEvery) % kLabelEvery; i <= half.count;
         i += kLabelEvery) {
        const double at = static_cast<double>(axis + half.direction * i * pixels);
        const std::u16string label = Format(half.format, static_cast<int>(i));
        if (half.horizontal) {
            canvas.drawText(label, {at - 9, static_cast<double>(ay) - 20}, font);
        } else {
            canvas.drawText(label, {static_cast<double>(ax) + 6, at - 10}, font);
        }
    }
}

void DrawAxes(Canvas& canvas, const CanvasFont& font) {
    const GRAPHIC_STATE& s = State();
    const long long left = s.m_GraphicLeft, top = s.m_GraphicTop;
    const long long right = left + s.m_GraphicWidth, bottom = top + s.m_GraphicHeight;
    const long long ax = left + s.m_GraphicWidth / 2 + s.m_nOffsetX;
    const long long ay = top + s.m_GraphicHeight / 2 + s.m_nOffsetY;
    canvas.beginPath();
    canvas.moveTo({static_cast<double>(left), static_cast<double>(ay)});
    canvas.lineTo({static_cast<double>(right), static_cast<double>(ay)});
    canvas.moveTo({static_cast<double>(ax), static_cast<double>(top)});
    canvas.lineTo({static_cast<double>(ax), static_cast<double>(bottom)});
    canvas.strokePath();
    if (ay >= top - kLabelReach && ay <= bottom + kLabelReach) {
        DrawHalfAxis(canvas, {true, +1, (s.m_GraphicWidth / 2 - s.m_nOffsetX) / s.m_nPixelsX, "+%d"}, ax, ay,
                     font);
        DrawHalfAxis(canvas, {true, -1, (s.m_GraphicWidth / 2 + s.m_nOffsetX) / s.m_nPixelsX, "-%d"}, ax, ay,
                     font);
    }
    if (ax >= left - kLabelReach && ax <= right + kLabelReach) {
        DrawHalfAxis(canvas, {false, +1, (s.m_GraphicHeight / 2 - s.m_nOffsetY) / s.m_nPixelsY, "-%d"}, ax,
                     ay, font);
        DrawHalfAxis(canvas, {false, -1, (s.m_GraphicHeight / 2 + s.m_nOffsetY) / s.m_nPixelsY, "+%d"}, ax,
                     ay, font);
    }
}

void DrawCrosshair(Canvas& canvas, const CanvasFont& font) {
    const GRAPHIC_STATE& s = State();
    const double px = s.m_pointerX, py = s.m_pointerY;
    canvas.beginPath();
    canvas.moveTo({px, 0});
    canvas.lineTo({px, static_cast<double>(s.m_GraphicTop) + s.m_GraphicHeight});
    canvas.moveTo({0, py});
    canvas.lineTo({static_cast<double>(s.m_GraphicLeft) + s.m_GraphicWidth, py});
    canvas.strokePath();
    const double x = (px - s.m_GraphicLeft) / s.m_nPixelsX + s.m_From;
    const double y = (static_cast<double>(s.m_GraphicTop) - py + s.m_nOffsetY + s.m_nOy) / s.m_nPixelsY;
    const CanvasPoint at{static_cast<double>(s.m_GraphicLeft + 3 * s.m_GraphicWidth / 4),
                         static_cast<double>(s.m_GraphicTop + 3 * s.m_GraphicHeight / 4)};
    canvas.drawText(Format("X=%.2lf", x), at, font);
    canvas.drawText(Format("Y=%.2lf", y), {at.x, at.y + 20}, font);
}

// Whether the segment from y0 to y1 is drawn, given d, the previous step's change of y.
bool Joinable(double y0, double y1, double d, int pixelsY) {
    const double s0 = y0 * pixelsY, s1 = y1 * pixelsY;
    if (!(std::fabs(s0) <= kMaxScaledY) || !(std::fabs(s1) <= kMaxScaledY)) return false;
    const bool turns = (d < 0 && y0 < y1) || (d > 0 && y0 > y1);
    if (!turns || std::fabs(s1 - s0) <= kMinJumpPixels) return true;
    const bool oppositeSigns = (y0 < 0 && y1 > 0) || (y0 > 0 && y1 < 0);
    return !(std::fabs(y1 - y0) > kJumpFactor * std::fabs(d) || oppositeSigns);
}

void DrawCurve(Canvas& canvas, const GRAPH_DATA& graph) {
    const GRAPHIC_STATE& s = State();
    if (graph.m_X.size() < 2) return;
    canvas.setStrokeColor({graph.m_red / 255.0, graph.m_green / 255.0, graph.m_blue / 255.0, 1});
    const double originY = static_cast<double>(s.m_GraphicTop) + s.m_nOy + s.m_nOffsetY;
    double p = (graph.m_X[0] - s.m_From) * s.m_nPixelsX;
    double d = 0;
    for (size_t k = 1; k < graph.m_X.size(); ++k) {
        const double dx = graph.m_X[k] - graph.m_X[k - 1];
        const double x0 = static_cast<int>(p + 0.5), x1 = static_cast<int>(p + dx * s.m_nPixelsX + 0.5);
        p += dx * s.m_nPixelsX;
        const double y0 = graph.m_Y[k - 1], y1 = graph.m_Y[k];
        if (std::fabs(dx) > kBreakSteps * s.m_StepX) {
            d = 1;
            continue;
        }
        if (Joinable(y0, y1, d, s.m_nPixelsY)) {
            canvas.beginPath();
            canvas.moveTo({s.m_GraphicLeft + x0, originY - static_cast<int>(y0 * s.m_nPixelsY)});
            canvas.lineTo({s.m_GraphicLeft + x1, originY - static_cast<int>(y1 * s.m_nPixelsY)});
            canvas.strokePath();
        }
        d = y1 - y0;
    }
}

}  // namespace

void DrawGraphs(Canvas& canvas) {
    const GRAPHIC_STATE& s = State();
    const CanvasFont font{kGraphFontName, kGraphFontSize};
    const CanvasRect frame{static_cast<double>(s.m_GraphicLeft), static_cast<double>(s.m_GraphicTop),
                           static_cast<double>(s.m_GraphicWidth), static_cast<double>(s.m_GraphicHeight)};
    canvas.saveState();
    canvas.setLineWidth(1);
    canvas.setStrokeColor(kWhite);
    canvas.setFillColor(kWhite);
    canvas.strokeRect(frame);
    canvas.clipToRect(frame);
    DrawAxes(canvas, font);
    DrawCrosshair(canvas, font);
    for (const GRAPH_DATA& graph : s.m_pData) DrawCurve(canvas, graph);
    canvas.restoreState();
}
