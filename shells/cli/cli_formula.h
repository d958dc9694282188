// The terminal calculator's formula and equation commands: the formula view's TeX markup and picture of
// an expression, and the equation solver's roots of a polynomial.
#pragma once

#include <ostream>
#include <string>

#include "cli_options.h"

// --tex EXPRESSION: prints the markup. Returns the exit status.
int RunTex(const std::string& expression, const CliOptions& options, std::ostream& out, std::ostream& err);

// --tex-png FILE EXPRESSION: renders the markup and writes it as PNG. Returns 1 when nothing could be
// drawn (no fonts) or the file cannot be written.
int RunTexPng(const std::string& file, const std::string& expression, const CliOptions& options,
              std::ostream& err);

// --roots "a b c ...": prints the root lines; 1 when the solver shows an error text instead of roots.
int RunRoots(const std::string& coefficients, std::ostream& out);
