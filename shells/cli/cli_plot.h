// orvcalc --plot: functions of x drawn by the plot engine into a picture file.
//
//   orvcalc --plot OUT.png|OUT.svg "F1" ["F2" ["F3"]] [--size WxH] [--scale PIXELS] [--center X,Y]
//
// The functions are typed as for evaluation (sin(x), 1/x, sqrt(x), x^2-3) and plotted in radians, function 1
// in red, 2 in green, 3 in yellow. The picture is W x H pixels (default 640x480, each side 64 ... 4096) on
// black; the plot rectangle is inset by 5 pixels, drawn by DrawGraphs as the plot screen draws it: frame,
// axes with ticks and labels, the crosshair at a quarter of the rectangle with its coordinates, and the
// curves. --scale sets pixels per unit on both axes (8 ... 96, default 10); --center puts the point X,Y
// (each within +-65535) at the centre of the rectangle (default 0,0). The file type follows the name's
// extension; the file is replaced atomically.
//
// Exit status: 0 when every function was plotted, 1 when one could not be (each is reported on standard
// error and the others are still drawn) or the file could not be written, 2 for a usage error.
#pragma once

#include <ostream>

// True when argv asks for --plot (the other options of orvcalc do not apply then).
bool IsPlotInvocation(int argc, char** argv);

// Runs it; returns the exit status. Messages go to err; nothing is written to out.
int RunPlot(int argc, char** argv, std::ostream& out, std::ostream& err);
