// orvcalc: the Orvane Calculator in a terminal. See CliHelpText() for the contract.
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>

#include <editline/readline.h>

#include "app/screens/converter/currency_update.h"
#include "cli_calculator.h"
#include "cli_catalog.h"
#include "cli_finance.h"
#include "cli_currency.h"
#include "cli_formula.h"
#include "cli_keys.h"
#include "cli_options.h"
#include "cli_plot.h"
#include "cli_solve.h"
#include "numeric/qlib.h"

namespace {

constexpr const char* kVersion = "orvcalc 0.1.0";

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r\n"), b = s.find_last_not_of(" \t\r\n");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

// Handles a ":command" line of the interactive session. Returns false for ":quit".
bool SessionCommand(const std::string& line, CliOptions& options) {
    std::string rest = Trim(line.substr(1));
    size_t sp = rest.find(' ');
    std::string name = rest.substr(0, sp), value = sp == std::string::npos ? "" : Trim(rest.substr(sp + 1));
    std::string error;
    if (name == "quit" || name == "q" || name == "exit") return false;
    if (name == "help") {
        std::cout << CliSessionHelpText();
    } else if (name == "set") {
        size_t eq = value.find('=');
        if (eq == std::string::npos || !SetRegisterFromText(value.substr(0, eq), value.substr(eq + 1), error))
            std::cerr << (error.empty() ? "usage: :set NAME=VALUE" : error) << "\n";
    } else if (!ApplyCliSetting(name, value, options, error)) {
        std::cerr << error << " (:help lists the commands)\n";
    }
    return true;
}

int Interactive(CliOptions& options) {
    const bool terminal = isatty(STDIN_FILENO);
    bool any_error = false;
    if (terminal) std::cout << kVersion << " - :help for help, :quit to end\n";
    for (;;) {
        std::string line;
        if (terminal) {
            char* raw = readline("> ");
            if (!raw) break;
            line = raw;
            std::free(raw);
            if (!Trim(line).empty()) add_history(line.c_str());
        } else if (!std::getline(std::cin, line)) {
            break;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string t = Trim(line);
        if (!t.empty() && t[0] == ':') {
            if (!SessionCommand(t, options)) break;
            continue;
        }
        if (terminal && t.empty()) continue;
        LineResult r = EvaluateLine(t, options);
        any_error |= r.error;
        std::cout << r.text << "\n" << std::flush;
    }
    return any_error ? 1 : 0;
}

// Removes every "--verbose" before a "--" from argv and tells whether there was one.
bool TakeVerbose(int& argc, char** argv) {
    bool verbose = false, literal = false;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (!literal && std::string(argv[i]) == "--verbose") {
            verbose = true;
            continue;
        }
        literal = literal || std::string(argv[i]) == "--";
        argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;
    return verbose;
}

}  // namespace

int main(int argc, char** argv) {
    // Standard output carries one result line per expression. The number library's internal diagnostics
    // ("qcdiv singularity error") mean nothing to a user, who gets the engine's message: they go to
    // standard error only with --verbose.
    g_qlibMessages = TakeVerbose(argc, argv) ? stderr : nullptr;
    if (IsKeysInvocation(argc, argv)) return RunKeys(argc, argv, std::cout, std::cerr);
    if (IsPlotInvocation(argc, argv)) return RunPlot(argc, argv, std::cout, std::cerr);
    if (IsSolveInvocation(argc, argv)) return RunSolve(argc, argv, std::cout, std::cerr);
    CliOptions options;
    std::string error;
    if (!ParseCliOptions(argc, argv, options, error)) {
        std::cerr << "orvcalc: " << error << "\n"
                  << "Try 'orvcalc --help'.\n";
        return 2;
    }
    if (options.help) {
        std::cout << CliHelpText();
        return 0;
    }
    if (options.version) {
        std::cout << kVersion << "\n";
        return 0;
    }
    for (const auto& [name, value] : options.registers) {
        if (!SetRegisterFromText(name, value, error)) {
            std::cerr << "orvcalc: " << error << "\n";
            return 2;
        }
    }
    g_sCurrencyFeedURL = options.currencyUrl;
    if (options.command == "update-currency") return RunUpdateCurrency(std::cout, std::cerr);
    if (options.command == "convert") {
        const auto& a = options.commandArgs;
        return RunConvert(a[0], a[1], a[2], options.group, std::cout, std::cerr);
    }
    if (options.command == "units") return RunUnits(options.commandArgs, std::cout, std::cerr);
    if (options.command == "tex") return RunTex(options.commandArgs[0], options, std::cout, std::cerr);
    if (options.command == "tex-png")
        return RunTexPng(options.commandArgs[0], options.commandArgs[1], options, std::cerr);
    if (options.command == "roots") return RunRoots(options.commandArgs[0], std::cout);
    if (options.command == "constants") return RunConstants(options.commandArgs, std::cout, std::cerr);
    if (options.command == "loan") return RunLoan(options.commandArgs, options.csv, std::cout, std::cerr);
    if (options.command == "mortgage")
        return RunMortgage(options.commandArgs, options.csv, std::cout, std::cerr);
    if (options.command == "tvm") return RunTvm(options.commandArgs, options.begin, std::cout, std::cerr);
    if (options.expressions.empty()) return Interactive(options);
    bool any_error = false;
    for (const std::string& e : options.expressions) {
        LineResult r = EvaluateLine(Trim(e), options);
        any_error |= r.error;
        std::cout << r.text << "\n";
    }
    return any_error ? 1 : 0;
}
