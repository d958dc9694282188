#include "plot/plot_sampling.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engine/entry/expr_eval.h"
#include "engine/eval/evaluate.h"
#include "engine/limits.h"
#include "numeric/errors.h"
#include "plot/plot_internal.h"

using plot_detail::State;

namespace {

// The engine's variable name while graphs are sampled. It outlives the graphs because the engine keeps
// pointing at it after sampling (a go-to evaluates the function texts in the same variable).
std::string& BoundVariable() {
    static std::string name = "x";
    return name;
}

// Evaluates one graph's expression the way its samples are taken: radians, its variable, a clear error
// code before each value. Leaves no error code set when it goes.
class GraphFunction {
  public:
    explicit GraphFunction(const GRAPH_DATA& graph) : m_text(graph.m_sExpression.c_str()) {
        SetMode(1);
        std::string& name = BoundVariable();
        if (name != graph.m_sVariable) name = graph.m_sVariable;
        g_lpszVariable = name.c_str();
    }
    ~GraphFunction() { ClearErrorCode(); }
    GraphFunction(const GraphFunction&) = delete;
    GraphFunction& operator=(const GraphFunction&) = delete;

    // True, with y = f(x), where the engine computes a finite value.
    bool Defined(double x, double& y) const {
        ClearErrorCode();
        const double v = fnex(x, m_text);
        if (GetErrorCode() != kErrNone || !std::isfinite(v)) return false;
        y = v;
        return true;
    }

  private:
    const char* m_text;
};

// Narrows an edge of the domain: `defined` is a point where f is defined, `undefined` one where it is not
// (on either side). Returns the defined end, within kGraphEdgeTolerance of the undefined side. Far from the
// origin neighbouring doubles can lie further apart than the tolerance; the walk stops there.
double Bisect(const GraphFunction& f, double defined, double undefined) {
    double y;
    while (std::fabs(defined - undefined) > kGraphEdgeTolerance) {
        const double m = 0.5 * (defined + undefined);
        if (m == defined || m == undefined) break;
        if (f.Defined(m, y)) {
            defined = m;
        } else {
            undefined = m;
        }
    }
    return defined;
}

// Where the walk stands: the last x it evaluated and whether f was defined there (none: not started).
struct Probe {
    bool seen = false;
    double x = 0;
    bool defined = false;
};

// Sample arrays being filled, never beyond `cap` entries.
struct SampleSink {
    std::vector<double>& xs;
    std::vector<double>& ys;
    size_t cap;

    bool full() const { return xs.size() >= cap; }
    void push(double x, double y) {
        if (full()) return;
        xs.push_back(x);
        ys.push_back(y);
    }
};

// Samples f at x, x + step, ... while x <= limit (inclusive) or x < limit (a kept sample at limit follows),
// storing the defined values and, at each change between defined and undefined, the bisected edge. `prev`
// is the state just before x. Returns the state after the last x evaluated.
Probe Walk(const GraphFunction& f, double x, double limit, bool inclusive, Probe prev, SampleSink& out) {
    const double step = State().m_StepX;
    // A grid point within the tolerance of a kept sample would only duplicate it.
    const double end = inclusive ? limit : limit - kGraphEdgeTolerance;
    double y = 0;
    while ((inclusive ? x <= end : x < end) && !out.full()) {
        if (f.Defined(x, y)) {
            if (prev.seen && !prev.defined) {
                // A stretch starts between the last undefined x and this one; the walk continues from there.
                x = Bisect(f, x, prev.x);
                f.Defined(x, y);
            }
            out.push(x, y);
            prev = Probe{true, x, true};
        } else {
            double ya = 0;
            if (prev.seen && prev.defined) {
                const double a = Bisect(f, prev.x, x);
                if (a - prev.x > kGraphEdgeTolerance && f.Defined(a, ya)) out.push(a, ya);
            }
            prev = Probe{true, x, false};
        }
        x += step;
    }
    return prev;
}

// Standardizes expression into text. Returns kErrNone or the code that makes it unusable.
int PrepareExpression(const char* expression, std::string& text) {
    SetMode(1);
    ClearErrorCode();
    if (expression == nullptr || *expression == '\0') return kErrSyntax;
    text = expression;
    if (text.size() >= static_cast<size_t>(kEngineTextSize)) return kErrCallSyntax;
    if (!ExprStandardize(text, 10)) {
        const int code = GetErrorCode();
        ClearErrorCode();
        return code != kErrNone ? code : kErrCallSyntax;
    }
    if (text.size() >= static_cast<size_t>(kEngineTextSize)) return kErrCallSyntax;
    return kErrNone;
}

unsigned char Channel(int value) {
    return static_cast<unsigned char>(std::clamp(value, 0, 255));
}

}  // namespace

namespace plot_detail {

void SampleAll(GRAPH_DATA& graph) {
    graph.m_X.clear();
    graph.m_Y.clear();
    if (graph.m_iError != kErrNone) return;
    const GRAPHIC_STATE& s = State();
    const GraphFunction f(graph);
    SampleSink sink{graph.m_X, graph.m_Y, kGraphMaxSamples};
    Walk(f, s.m_From, s.m_To, true, Probe{}, sink);
}

void DropOutside(GRAPH_DATA& graph) {
    const GRAPHIC_STATE& s = State();
    const auto first = std::lower_bound(graph.m_X.begin(), graph.m_X.end(), s.m_From);
    const auto last = std::upper_bound(first, graph.m_X.end(), s.m_To);
    const auto from = first - graph.m_X.begin(), to = last - graph.m_X.begin();
    graph.m_X.erase(graph.m_X.begin() + to, graph.m_X.end());
    graph.m_Y.erase(graph.m_Y.begin() + to, graph.m_Y.end());
    graph.m_X.erase(graph.m_X.begin(), graph.m_X.begin() + from);
    graph.m_Y.erase(graph.m_Y.begin(), graph.m_Y.begin() + from);
}

void ExtendSamples(GRAPH_DATA& graph, bool left, bool right) {
    DropOutside(graph);
    if (graph.m_iError != kErrNone) return;
    if (graph.m_X.empty()) {
        SampleAll(graph);
        return;
    }
    const GRAPHIC_STATE& s = State();
    const GraphFunction f(graph);
    if (left && s.m_From < graph.m_X.front()) {
        const double first = graph.m_X.front();
        std::vector<double> xs, ys;
        SampleSink sink{xs, ys, kGraphMaxSamples};
        const Probe last = Walk(f, s.m_From, first, false, Probe{}, sink);
        double y = 0;
        if (last.seen && !last.defined) {
            // The kept samples start a stretch that the new ones do not reach: find its start.
            const double b = Bisect(f, first, last.x);
            if (first - b > kGraphEdgeTolerance && f.Defined(b, y)) sink.push(b, y);
        }
        graph.m_X.insert(graph.m_X.begin(), xs.begin(), xs.end());
        graph.m_Y.insert(graph.m_Y.begin(), ys.begin(), ys.end());
        if (graph.m_X.size() > static_cast<size_t>(kGraphMaxSamples)) {
            graph.m_X.resize(kGraphMaxSamples);
            graph.m_Y.resize(kGraphMaxSamples);
        }
    }
    if (right) {
        SampleSink sink{graph.m_X, graph.m_Y, kGraphMaxSamples};
        const double last = graph.m_X.back();
        Walk(f, last + s.m_StepX, s.m_To, true, Probe{true, last, true}, sink);
    }
}

}  // namespace plot_detail

int AddGraph(const char* expression, const char* variable, int red, int green, int blue) {
    GRAPH_DATA graph;
    graph.m_sVariable = variable != nullptr && *variable != '\0' ? variable : "x";
    graph.m_red = Channel(red);
    graph.m_green = Channel(green);
    graph.m_blue = Channel(blue);
    graph.m_iError = PrepareExpression(expression, graph.m_sExpression);
    if (graph.m_iError == kErrNone) {
        // A malformed expression fails with the syntax code wherever it is evaluated; the other codes
        // depend on x.
        const GraphFunction f(graph);
        double y;
        f.Defined(State().m_From, y);
        if (GetErrorCode() == kErrSyntax) graph.m_iError = kErrSyntax;
    }
    plot_detail::SampleAll(graph);
    GRAPHIC_STATE& s = State();
    s.m_pData.push_back(std::move(graph));
    s.m_Count = static_cast<int>(s.m_pData.size());
    ClearErrorCode();
    return s.m_pData.back().m_iError;
}

void ReCalculate() {
    for (GRAPH_DATA& graph : State().m_pData) plot_detail::SampleAll(graph);
}

bool GraphValueAt(int index, double x, double& y) {
    const GRAPHIC_STATE& s = State();
    if (index < 0 || index >= s.m_Count) return false;
    const GRAPH_DATA& graph = s.m_pData[static_cast<size_t>(index)];
    if (graph.m_iError != kErrNone) return false;
    const GraphFunction f(graph);
    return f.Defined(x, y);
}
