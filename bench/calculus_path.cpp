// Times the calculator's integral and sum calls through the engine entry, fnInt(sin(x),x,0,pi) and
// fnSum(x^2,x,1,1000), and where libqalculate is installed the equivalent integrate/sum at the same run,
// then prints ours/libqalculate per call (target <= 0.5).
#include <benchmark/benchmark.h>

#include "best_times.h"

#include <cstdio>
#include <map>
#include <string>

#include "engine/entry/expr_eval.h"
#include "engine/eval/evaluate.h"
#include "numeric/errors.h"

#ifdef ORV_HAVE_QALCULATE
#include <libqalculate/qalculate.h>
#endif

namespace {

struct Call {
    const char* ours;
    const char* theirs;
};
const Call kCalls[] = {
    {"fnInt(sin(x),x,0,pi)", "integrate(sin(x), 0, pi)"},
    {"fnSum(x^2,x,1,1000)", "sum(x^2, 1, 1000, x)"},
};
constexpr int kCallCount = sizeof kCalls / sizeof kCalls[0];

void BM_ours(benchmark::State& state) {
    const Call& c = kCalls[state.range(0)];
    for (auto _ : state) {
        ClearErrorCode();
        SetMode(1);
        REG r = ExprEval(c.ours, 0, 10);
        benchmark::DoNotOptimize(r);
        if (GetErrorCode()) state.SkipWithError("evaluation failed");
    }
    state.SetLabel(c.ours);
}
BENCHMARK(BM_ours)->DenseRange(0, kCallCount - 1)->Unit(benchmark::kMillisecond);

#ifdef ORV_HAVE_QALCULATE
void BM_libqalculate(benchmark::State& state) {
    static Calculator* calc = [] {
        auto* c = new Calculator();
        c->loadGlobalDefinitions();
        return c;
    }();
    const Call& c = kCalls[state.range(0)];
    EvaluationOptions eo;
    eo.approximation = APPROXIMATION_APPROXIMATE;
    eo.parse_options.angle_unit = ANGLE_UNIT_RADIANS;
    for (auto _ : state) {
        MathStructure r = calc->calculate(c.theirs, eo);
        benchmark::DoNotOptimize(r);
    }
    state.SetLabel(c.theirs);
}
BENCHMARK(BM_libqalculate)->DenseRange(0, kCallCount - 1)->Unit(benchmark::kMillisecond);
#endif

void PrintTable(const BestTimes& best_) {
    std::printf("\n%-24s %10s %16s %8s %8s\n", "call", "ours (ms)", "qalculate (ms)", "ratio", "target");
    for (int i = 0; i < kCallCount; ++i) {
        const double ours = best_("BM_ours/" + std::to_string(i));
        const double theirs = best_("BM_libqalculate/" + std::to_string(i));
        if (theirs > 0) {
            std::printf("%-24s %10.3f %16.3f %8.3f %8.1f\n", kCalls[i].ours, ours, theirs, ours / theirs,
                        0.5);
        } else {
            std::printf("%-24s %10.3f %16s\n", kCalls[i].ours, ours, "(not installed)");
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    return RunAndTabulate(argc, argv, PrintTable);
}
