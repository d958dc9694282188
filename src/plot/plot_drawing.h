// Drawing the plot onto a Canvas: frame, axes with ticks and labels, the crosshair with its coordinates,
// and the curves. Called by the plot view's drawRect (after it has cleared the view) and by the terminal
// export; reads the plot state only.
#pragma once

class Canvas;

// Name and size of the labels' font: the shell's system face.
constexpr const char* kGraphFontName = "System";
constexpr double kGraphFontSize = 12;

// Draws the plot, in this order, all with line width 1:
// 1. the plot rectangle stroked in white; then drawing is clipped to it;
// 2. the axes through the origin, in white;
// 3. a tick every unit, 3 pixels long, or 6 pixels with a white label ("+5", "-10") every fifth unit;
// 4. the crosshair at (m_pointerX, m_pointerY) with the labels "X=%.2lf" and "Y=%.2lf" of the point under
//    it at three quarters of the rectangle (in both pointer modes);
// 5. each graph in its colour, one stroked segment per pair of neighbouring samples, except where the
//    samples lie more than 10 steps apart (a break in the domain), where |y * m_nPixelsY| exceeds 65535 at
//    either end, or where the curve turns and jumps (a pole, as 1/x at 0).
// The canvas state is saved first and restored at the end.
void DrawGraphs(Canvas& canvas);
