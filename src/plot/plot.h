// The plot engine: up to a few functions of x plotted together over a pixel rectangle, with panning,
// zooming, a crosshair and go-to, drawn through the platform Canvas. One plot exists at a time; its state is
// process-wide (plot/plot_state.h). A plot view's life:
//
//   CreateGraphic(5, 5, 310, 370);                 // the rectangle; no graphs yet
//   AddGraph("sin(x)", "x", 255, 0, 0);            // sampled at once
//   ... Move(dx, dy) / Zoom(2, 2) / MoveToX(2.7) / SetPointerMode(kPointerCrosshair) ...
//   DrawGraphs(canvas);                            // on every redraw
//   RemoveAllGraph();                              // when the view goes
#pragma once

#include "plot/plot_drawing.h"
#include "plot/plot_navigation.h"
#include "plot/plot_sampling.h"
#include "plot/plot_state.h"
