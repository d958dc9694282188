// orvcalc --solve and --solve-system: the equation solver's "=" in a terminal.
//
//   orvcalc --solve "a b c ..." [--tex]            the roots of a*X^n + b*X^(n-1) + ... = 0 (1 to 5
//                                                  coefficients, highest power first)
//   orvcalc --solve-system "a1 ... aN b" ... [--tex]   N linear equations a1*X_1 + ... + aN*X_N = b
//
// Coefficients are typed as on the solver's screen: integers, decimals and fractions such as -3/4 or
// 1.5/2.5, separated by blanks. Each result line is printed as plain text ("X_1 = 1 = 1", "X_2 is
// complex", "Cannot be solved!"), or with --tex as the TeX line the solver's formula view shows. A system
// whose equations do not fit together prints the solver's alert text.
//
// Exit status: 0 when roots or unknowns were printed, 1 when the answer is a message (invalid parameters,
// cannot be solved, an alert), 2 for a usage error.
#pragma once

#include <ostream>

// True when argv asks for --solve or --solve-system (the other options of orvcalc do not apply then).
bool IsSolveInvocation(int argc, char** argv);

// Runs it; returns the exit status. Results go to out, usage errors to err.
int RunSolve(int argc, char** argv, std::ostream& out, std::ostream& err);
