// The function plotter's state: one plot at a time, held process-wide, as the plot engine's free functions
// (CreateGraphic, AddGraph, Move, Zoom, DrawGraphs ...) read and change it.
//
// Geometry is in view pixels (the coordinates of the Canvas the plot is drawn on: origin at the top left,
// y growing downwards). A value x is at pixel m_GraphicLeft + (x - m_From) * m_nPixelsX; a value y at pixel
// m_GraphicTop + m_nOy + m_nOffsetY - (int)(y * m_nPixelsY). The origin of the axes sits at
// (m_GraphicLeft + m_nOx + m_nOffsetX, m_GraphicTop + m_nOy + m_nOffsetY).
//
// Pixels per unit and the pan offsets survive CreateGraphic and RemoveAllGraph, so the zoom and the pan of
// the last plot carry over to the next one. Engine thread only, like the expression engine it calls.
#pragma once

#include <string>
#include <vector>

// Pixels per unit on each axis: the first plot's scale, and the range Zoom keeps it in.
constexpr int kGraphDefaultPixels = 10;
constexpr int kGraphMinPixels = 8;
constexpr int kGraphMaxPixels = 96;

// Distance between two samples, in x units.
constexpr double kGraphStepX = 0.04953;

// Most samples one graph holds; sampling stops there (the samples kept are the leftmost ones).
constexpr int kGraphMaxSamples = 16768;

// Width, in x units, to which the edge of a function's domain is narrowed between two samples.
constexpr double kGraphEdgeTolerance = 1e-10;

// The largest |x| or |y| the go-to functions (MoveTo, MoveToX) accept.
constexpr double kGraphMaxGoto = 65535;

// Largest plot rectangle side, in pixels; CreateGraphic clamps width and height to 0 ... this.
constexpr int kGraphMaxSide = 16384;

// Largest pan offset, in pixels either way; Move and MoveTo clamp the offsets to it.
constexpr int kGraphMaxOffset = 1 << 27;

// What a one-finger drag does (m_pointerMode).
constexpr int kPointerPan = 0;        // moves the plot
constexpr int kPointerCrosshair = 1;  // moves only the crosshair

// One plotted function.
struct GRAPH_DATA {
    std::string m_sExpression;  // the standardized engine text evaluated at every sample
    std::string m_sVariable;    // the variable's name in it ("x")
    std::vector<double> m_X;    // sample x values, strictly increasing, at most kGraphMaxSamples
    std::vector<double> m_Y;    // f at each m_X
    unsigned char m_red = 0, m_green = 0, m_blue = 0;
    // kErrNone, or the engine error code that makes the expression unusable (it is never sampled).
    int m_iError = 0;

    int count() const { return static_cast<int>(m_X.size()); }
};

struct GRAPHIC_STATE {
    int m_GraphicLeft = 0, m_GraphicTop = 0, m_GraphicWidth = 0, m_GraphicHeight = 0;  // the plot rectangle
    int m_nOx = 0, m_nOy = 0;              // the origin inside the rectangle before panning: half its size
    int m_nOffsetX = 0, m_nOffsetY = 0;    // pan of the origin in pixels (x right, y down)
    int m_nPixelsX = kGraphDefaultPixels;  // pixels per x unit, kGraphMinPixels ... kGraphMaxPixels
    int m_nPixelsY = kGraphDefaultPixels;  // pixels per y unit, likewise
    double m_StepX = kGraphStepX;          // sampling step in x units
    double m_From = 0, m_To = 0;           // the x range the rectangle shows
    int m_Count = 0;                       // graphs plotted (m_pData.size())
    std::vector<GRAPH_DATA> m_pData;       // in the order AddGraph appended them
    int m_pointerMode = kPointerPan;       // kPointerPan or kPointerCrosshair
    int m_pointerX = 0, m_pointerY = 0;    // crosshair position in view pixels
};

// The plot state, for reading (screens, tests, the export). Valid until the next engine call.
const GRAPHIC_STATE& GetGraphicState();

// Starts a new plot in the rectangle (view pixels; width and height clamped to 0 ... kGraphMaxSide):
// m_nOx = width / 2, m_nOy = height / 2, the crosshair at (left + width / 4, top + height / 4), pan mode,
// and no graphs (the previous plot's graphs are removed). Pixels per unit and the pan offsets stay.
// Called by the plot view when it is built, before its AddGraph calls.
void CreateGraphic(int left, int top, int width, int height);

// Moves or resizes the plot rectangle of the current plot (a window resized) and samples every graph
// again for the new range. The origin goes to the new rectangle's centre (plus the pan offsets); the
// crosshair is clamped into the rectangle. Width and height are clamped as in CreateGraphic.
void ResizeGraphic(int left, int top, int width, int height);

// Frees every graph; m_Count becomes 0. The rectangle, scale and offsets stay. Called when the plot view
// is destroyed.
void RemoveAllGraph();

// Sets the drag mode: kPointerPan or kPointerCrosshair (any other value is ignored). The plot view's
// pointer-mode button toggles between the two.
void SetPointerMode(int mode);
