// Options of the terminal calculator and their parsing.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/format/result_format.h"

// What orvcalc evaluates with. Defaults: degrees, decimal, 8 bits, normal notation, 4 FIX decimals,
// fractions up to 1/1000, English (US) output, display text (not the full precision), scalar path, typed
// input through the calculator's input line.
struct CliOptions {
    int angleMode = 0;                // 0 degree, 1 radian, 2 grad
    int radix = 10;                   // 2, 8, 10, 16
    int bitWidth = 8;                 // 8, 16, 32
    int notationKey = kNotationNorm;  // kNotationNorm, Fix, Sci or Frac
    int fixDigits = 4;                // 0..10
    int fractionLevel = 0;            // 0 (10^3), 1 (10^6), 2 (10^9)
    std::string outputMode = "English (US)";
    bool precise = false;     // print the extended-precision value instead of the display text
    bool matrix = false;      // evaluate with the matrix path
    bool engineText = false;  // read the input as engine text, bypassing the input line
    std::vector<std::pair<std::string, std::string>> registers;  // --set NAME=VALUE, in order
    std::vector<std::string> expressions;                        // positional arguments
    bool help = false, version = false;
    // A catalogue command instead of evaluation: "convert" (VALUE FROM TO), "units" [GROUP],
    // "constants" [GROUP [SUBGROUP]] or "update-currency", with its arguments; group is --group's value.
    std::string command;
    std::vector<std::string> commandArgs;
    std::string group;
    // Finance commands: "loan" (5 values), "mortgage" (3 values) or "tvm" (NAME=VALUE words); --csv prints
    // the loan or mortgage table as CSV, --begin puts the TVM payments at the beginning of each period.
    bool csv = false, begin = false;
    std::string currencyUrl;  // --currency-url: the currency feed's address for this run
};

// Parses argv[1..]. Returns false with a message for a usage error.
bool ParseCliOptions(int argc, char** argv, CliOptions& options, std::string& error);

// Applies one "name value" setting as the interactive session's ":name value" commands do (angle, base,
// bits, notation, fix, fraction, format, precise, matrix, engine). Returns false with a message otherwise.
bool ApplyCliSetting(const std::string& name, const std::string& value, CliOptions& options,
                     std::string& error);

// The --help text.
std::string CliHelpText();

// The interactive session's :help text.
std::string CliSessionHelpText();
