#include "cli_solve.h"

#include <cstring>
#include <string>
#include <vector>

#include "app/screens/equation_solver/equation_results.h"
#include "numeric/errors.h"

namespace {

struct SolveOptions {
    bool system = false;
    bool tex = false;
    std::vector<std::string> lists;
};

bool ParseSolveOptions(int argc, char** argv, SolveOptions& o, std::string& error) {
    bool command = false, literal = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (!literal && (a == "--solve" || a == "--solve-system")) {
            if (command) {
                error = "only one of --solve and --solve-system";
                return false;
            }
            command = true;
            o.system = a == "--solve-system";
        } else if (!literal && a == "--tex") {
            o.tex = true;
        } else if (!literal && a == "--") {
            literal = true;
        } else if (!literal && a.size() > 1 && a[0] == '-' && a[1] == '-') {
            error = "unknown option " + a + " for " + (o.system ? "--solve-system" : "--solve");
            return false;
        } else {
            o.lists.push_back(a);
        }
    }
    if (o.lists.empty()) {
        error = o.system ? "--solve-system needs one coefficient list per equation"
                         : "--solve needs a coefficient list, e.g. --solve \"1 -3 2\"";
        return false;
    }
    if (!o.system && o.lists.size() > 1) {
        error = "--solve takes one coefficient list in one argument, e.g. --solve \"1 -3 2\"";
        return false;
    }
    return true;
}

}  // namespace

bool IsSolveInvocation(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) return false;
        if (std::strcmp(argv[i], "--solve") == 0 || std::strcmp(argv[i], "--solve-system") == 0) return true;
    }
    return false;
}

int RunSolve(int argc, char** argv, std::ostream& out, std::ostream& err) {
    SolveOptions o;
    std::string error;
    if (!ParseSolveOptions(argc, argv, o, error)) {
        err << "orvcalc: " << error << "\n"
            << "Try 'orvcalc --help'.\n";
        return 2;
    }
    ClearErrorCode();
    const equation_solver::SolverOutcome r =
        o.system ? equation_solver::SolveSystem(o.lists) : equation_solver::SolvePolynomial(o.lists.front());
    if (!r.alert.empty()) {
        out << r.alert << "\n";
        return 1;
    }
    for (const equation_solver::SolverLine& line : r.lines) out << (o.tex ? line.tex : line.plain) << "\n";
    return r.solved ? 0 : 1;
}
