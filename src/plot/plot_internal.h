// What the plot engine's files share among themselves: the writable state and the sample walks.
#pragma once

#include "plot/plot_state.h"

namespace plot_detail {

// The process-wide plot state.
GRAPHIC_STATE& State();

// Sets m_From and m_To from the rectangle, the origin, the offsets and pixels per unit:
// From = -(Ox + OffsetX) / PixelsX, To = (Width - Ox - OffsetX) / PixelsX.
void UpdateRange();

// Replaces the graph's samples by a walk over the whole current range.
void SampleAll(GRAPH_DATA& graph);

// Drops the samples outside the current range.
void DropOutside(GRAPH_DATA& graph);

// Drops the samples outside the current range and samples what the range shows beyond the kept ones:
// on the left (from m_From up to the first kept sample) and/or on the right (from the last kept sample +
// m_StepX up to m_To). A graph with no sample left is sampled over the whole range.
void ExtendSamples(GRAPH_DATA& graph, bool left, bool right);

}  // namespace plot_detail
