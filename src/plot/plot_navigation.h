// Panning, zooming and going to a point. Called by the plot view for drags, pinches, the zoom buttons,
// the wheel and the go-to keypad. Offsets and distances are in view pixels, x and y in function units.
#pragma once

// A one-finger drag by (dx, dy) pixels.
// Crosshair mode: the crosshair moves, m_pointerX clamped to 0 ... m_GraphicLeft + m_GraphicWidth - 1 and
// m_pointerY to 0 ... m_GraphicTop + m_GraphicHeight - 1; nothing else changes.
// Pan mode: the pan offsets grow by (dx, dy) (clamped to +-kGraphMaxOffset) and the x range shifts by
// -dx / m_nPixelsX. Samples still inside the range are kept and only the newly exposed stretch is sampled
// (from the new m_From up to the first kept sample when dx > 0, from the last kept sample + m_StepX up to
// the new m_To when dx < 0), so the curve runs on without a gap across the old edge.
void Move(int dx, int dy);

// Brings the point (trunc x, trunc y) to the centre of the rectangle: m_nOffsetX = -(int)x * m_nPixelsX,
// m_nOffsetY = (int)y * m_nPixelsY (the fractions are dropped), then samples every graph again.
// Returns false and changes nothing when x or y is not a number or beyond +-kGraphMaxGoto.
bool MoveTo(double x, double y);

// The same for x alone (m_nOffsetY stays): the go-to keypad's x.
bool MoveToX(double x);

// Changes pixels per unit by (dx, dy), each clamped to kGraphMinPixels ... kGraphMaxPixels. The pan offsets
// stay, so the origin keeps its place on the screen. Zooming in drops the samples outside the narrower
// range; zooming out keeps them and samples the stretches exposed on both sides; when m_nPixelsX does not
// change the samples stay as they are. The zoom buttons call Zoom(2, 2) and Zoom(-2, -2); a two-finger
// drag calls Zoom(d, d) with d the change, in whole pixels, of the distance between the fingers.
void Zoom(int dx, int dy);
