// Times the double-precision evaluation (fnex over a cached, compiled text) on four plotting-style
// expressions at 100 000 successive x, and muparser on the same expressions in the same run, and prints
// ours / muparser per expression against the goal (as fast as muparser) and the floor.
#include <benchmark/benchmark.h>

#include "best_times.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "engine/eval/evaluate.h"
#include "numeric/errors.h"

#ifdef ORV_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

constexpr int kPoints = 100000;
constexpr double kGoal = 1.0;   // ours / muparser on every expression
constexpr double kFloor = 1.5;  // the least acceptable

struct Case {
    const char* ours;    // engine text as the input line produces it
    const char* theirs;  // the same in muparser's syntax
};

const Case kCases[] = {
    {"sin(x)*x^2+1/x", "sin(x)*x^2+1/x"},
    {"sqrt(x)+ln(x)", "sqrt(x)+ln(x)"},
    {"x^3-2*x+1", "x^3-2*x+1"},
    {"tan(x)/(1+x^2)", "tan(x)/(1+x^2)"},
};

double X(int k) {
    return 0.001 * (k + 1);
}

void BM_ours(benchmark::State& state) {
    const Case& c = kCases[state.range(0)];
    SetMode(1);
    g_lpszVariable = "x";
    double sum = 0;
    for (auto _ : state) {
        for (int k = 0; k < kPoints; ++k) {
            ClearErrorCode();
            sum += static_cast<double>(fnex(X(k), c.ours));
        }
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * kPoints);
    state.SetLabel(c.ours);
}

#ifdef ORV_HAVE_MUPARSER
void BM_muparser(benchmark::State& state) {
    const Case& c = kCases[state.range(0)];
    mu::Parser p;
    double x = 0;
    p.DefineVar("x", &x);
    p.SetExpr(c.theirs);
    double sum = 0;
    for (auto _ : state) {
        for (int k = 0; k < kPoints; ++k) {
            x = X(k);
            sum += p.Eval();
        }
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * kPoints);
    state.SetLabel(c.theirs);
}
BENCHMARK(BM_muparser)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
#endif
BENCHMARK(BM_ours)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The ratio table from the fastest repetitions.
void PrintTable(const BestTimes& best_) {
    std::printf("\n%-18s %12s %14s %8s %8s %8s\n", "expression", "ours (ns)", "muparser (ns)", "ratio",
                "goal", "floor");
    for (int i = 0; i < 4; ++i) {
        // ms per iteration -> ns per point
        const double ours = best_("BM_ours/" + std::to_string(i)) * 1e6 / kPoints;
        const double theirs = best_("BM_muparser/" + std::to_string(i)) * 1e6 / kPoints;
        if (theirs > 0)
            std::printf("%-18s %12.1f %14.1f %8.2f %8.1f %8.1f %s\n", kCases[i].ours, ours, theirs,
                        ours / theirs, kGoal, kFloor,
                        ours / theirs <= kGoal    ? "ok"
                        : ours / theirs <= kFloor ? "over the goal"
                                                  : "OVER THE FLOOR");
        else
            std::printf("%-18s %12.1f %14s\n", kCases[i].ours, ours, "(no muparser)");
    }
}

}  // namespace

// Without options of its own the run repeats every benchmark and interleaves the repetitions of ours and
// muparser's at random, so that a spell of load on a shared machine falls on both sides alike; the table
// takes the fastest repetition of each.
int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=7";
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    char minTime[] = "--benchmark_min_time=0.2";
    if (argc == 1) args.insert(args.end(), {repetitions, interleave, minTime});
    int n = static_cast<int>(args.size());
    args.push_back(nullptr);  // argv's terminator
    return RunAndTabulate(n, args.data(), PrintTable);
}
