#include "cli_finance.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

#include "app/screens/finance_form/finance_form_screen.h"
#include "app/screens/loan/loan_calc_view.h"
#include "app/screens/loan/loan_result_view.h"
#include "app/screens/mortgage/mort_calc_view.h"
#include "app/screens/mortgage/mort_result_view.h"
#include "app/screens/tvm/tvm_view.h"
#include "finance/tvm.h"
#include "numeric/errors.h"

namespace {

std::optional<double> ParseNumber(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (first == last || ec != std::errc() || ptr != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

// The arguments as numbers; on failure a message naming the argument goes to err.
std::optional<std::vector<double>> Numbers(const char* command, const std::vector<std::string>& args,
                                           const std::vector<const char*>& names, std::ostream& err) {
    if (args.size() != names.size()) {
        err << "orvcalc: " << command << " needs " << names.size() << " values\n";
        return std::nullopt;
    }
    std::vector<double> values;
    for (size_t k = 0; k < args.size(); ++k) {
        const std::optional<double> v = ParseNumber(args[k]);
        if (!v) {
            err << "orvcalc: " << command << ": " << names[k] << " is not a number: '" << args[k] << "'\n";
            return std::nullopt;
        }
        values.push_back(*v);
    }
    return values;
}

int InputError(std::ostream& err) {
    err << FinanceFormScreen::kInputErrorTitle << ": " << FinanceFormScreen::kInputErrorMessage << "\n";
    return 1;
}

int PrintResult(const FinanceResultView& result, bool csv, std::ostream& out) {
    const FinanceTable table = result.table();
    if (csv) {
        out << table.csv();
        return 0;
    }
    for (const std::string& line : result.summaryLines()) out << line << "\n";
    out << "\n" << table.aligned();
    return 0;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

}  // namespace

int RunLoan(const std::vector<std::string>& args, bool csv, std::ostream& out, std::ostream& err) {
    const auto values = Numbers("--loan", args, {"AMOUNT", "RATE", "PPY", "NPER", "PMT"}, err);
    if (!values) return 2;
    const std::optional<LoanInputs> in = LoanCalcView::CheckInputs(*values);
    if (!in) return InputError(err);
    LoanResultView result;
    result.setLoanAmount(in->amount, in->rate, in->ppy, in->nper, in->pmt);
    return PrintResult(result, csv, out);
}

int RunMortgage(const std::vector<std::string>& args, bool csv, std::ostream& out, std::ostream& err) {
    const auto values = Numbers("--mortgage", args, {"AMOUNT", "RATE", "YEARS"}, err);
    if (!values) return 2;
    const std::optional<MortInputs> in = MortCalcView::CheckInputs(*values);
    if (!in) return InputError(err);
    MortResultView result;
    result.setMortAmount(in->amount, in->rate, in->years);
    return PrintResult(result, csv, out);
}

int RunTvm(const std::vector<std::string>& args, bool begin, std::ostream& out, std::ostream& err) {
    static const char* const kNames[TVMView::kBoxCount] = {"nper", "rate", "pv", "pmt", "fv", "ppy"};
    std::array<std::optional<double>, TVMView::kBoxCount> given;
    int solve = -1;
    for (const std::string& a : args) {
        const size_t eq = a.find('=');
        const std::string key = Lower(a.substr(0, eq));
        const std::string value = eq == std::string::npos ? "" : a.substr(eq + 1);
        if (eq == std::string::npos) {
            err << "orvcalc: --tvm: expected NAME=VALUE, got '" << a << "'\n";
            return 2;
        }
        if (key == "solve") {
            const auto* it = std::find(kNames, kNames + TVMView::kCheckCount, Lower(value));
            if (it == kNames + TVMView::kCheckCount) {
                err << "orvcalc: --tvm: solve= takes NPER, RATE, PV, PMT or FV, not '" << value << "'\n";
                return 2;
            }
            solve = static_cast<int>(it - kNames);
            continue;
        }
        const auto* it = std::find(kNames, kNames + TVMView::kBoxCount, key);
        if (it == kNames + TVMView::kBoxCount) {
            err << "orvcalc: --tvm: unknown value name '" << a.substr(0, eq) << "'\n";
            return 2;
        }
        const std::optional<double> v = ParseNumber(value);
        if (!v) {
            err << "orvcalc: --tvm: " << a.substr(0, eq) << " is not a number: '" << value << "'\n";
            return 2;
        }
        given[static_cast<size_t>(it - kNames)] = v;
    }
    if (solve < 0) {
        err << "orvcalc: --tvm needs solve=FIELD (NPER, RATE, PV, PMT or FV)\n";
        return 2;
    }
    std::array<double, TVMView::kBoxCount> values{};
    for (int k = 0; k < TVMView::kBoxCount; ++k) {
        if (k == solve) continue;
        if (!given[static_cast<size_t>(k)]) {
            std::string name = kNames[k];
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return std::toupper(c); });
            err << "orvcalc: --tvm needs " << name << "=VALUE\n";
            return 2;
        }
        values[static_cast<size_t>(k)] = *given[static_cast<size_t>(k)];
    }
    int code = 0;
    const double result = TVMView::Solve(solve, values, begin, &code);
    out << TVMView::ResultText(solve, result) << "\n";
    if (code != 0) {
        err << "orvcalc: --tvm: " << ErrorMessage(code) << "\n";
        return 1;
    }
    return 0;
}
