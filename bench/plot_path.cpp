// Times the plot engine on the double path: a full ReCalculate of three graphs, on the plot screen's
// rectangle and over the whole sample range (each graph holding the most samples it may), and one pan
// step (Move by a few pixels, then DrawGraphs into a recording canvas). Prints each against its goal.
#include <benchmark/benchmark.h>

#include "best_times.h"

#include <cmath>
#include <cstdio>

#include "common/recording_canvas.h"
#include "plot/plot.h"

namespace {

const char* const kFunctions[] = {"sin(x)", "1/x", "x^3/100-x"};

// A plot of the three functions in a rectangle width pixels wide at pixels per unit.
void Setup(int width, int pixels) {
    CreateGraphic(5, 5, width, 370);
    const GRAPHIC_STATE& s = GetGraphicState();
    Zoom(pixels - s.m_nPixelsX, pixels - s.m_nPixelsY);
    MoveTo(0, 0);
    for (const char* f : kFunctions) AddGraph(f, "x", 255, 0, 0);
}

int Samples() {
    int n = 0;
    for (const GRAPH_DATA& g : GetGraphicState().m_pData) n += g.count();
    return n;
}

// range(0) 0: the plot screen (310 pixels at 10 per unit); 1: wide enough at 8 per unit that every graph
// fills kGraphMaxSamples.
void BM_recalculate(benchmark::State& state) {
    const int width =
        state.range(0) == 0 ? 310 : static_cast<int>(std::ceil(kGraphMaxSamples * kGraphStepX * 8));
    Setup(width, state.range(0) == 0 ? 10 : 8);
    for (auto _ : state) ReCalculate();
    state.counters["samples"] = Samples();
    RemoveAllGraph();
}
BENCHMARK(BM_recalculate)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// One drag event of 3 pixels (alternating in direction, so the view stays put) and the redraw it causes.
void BM_pan_step(benchmark::State& state) {
    Setup(310, 10);
    RecordingCanvas canvas;
    int dx = 3;
    for (auto _ : state) {
        Move(dx, 0);
        canvas.clear();
        DrawGraphs(canvas);
        dx = -dx;
    }
    state.counters["calls"] = static_cast<double>(canvas.calls().size());
    RemoveAllGraph();
}
BENCHMARK(BM_pan_step)->Unit(benchmark::kMillisecond);

void PrintTable(const BestTimes& best) {
    std::printf("\n%-44s %10s %10s\n", "run", "best (ms)", "goal (ms)");
    std::printf("%-44s %10.3f %10s\n", "ReCalculate, 3 graphs, plot screen", best("BM_recalculate/0"), "");
    std::printf("%-44s %10.3f %10.1f\n", "ReCalculate, 3 graphs, whole sample range",
                best("BM_recalculate/1"), 5.0);
    std::printf("%-44s %10.3f %10.1f\n", "Move + DrawGraphs, 3 graphs, recording canvas", best("BM_pan_step"),
                2.0);
}

}  // namespace

int main(int argc, char** argv) {
    return RunAndTabulate(argc, argv, PrintTable);
}
