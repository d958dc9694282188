// The terminal calculator's evaluation of one line, as the calculator's "=" key evaluates it in the
// Arithmetic category (or, in a radix other than decimal, in the Base Conversion category).
#pragma once

#include <string>

#include "cli_options.h"

struct LineResult {
    std::string text;    // UTF-8; the display's comma U+00B8 written as ","
    bool error = false;  // an engine error, or a line that could not be evaluated
};

// Evaluates line (UTF-8) with the options. Sets the engine's angle mode, radix, bit width and formatting
// state first. The last result stays in the register VRE for the next line.
LineResult EvaluateLine(const std::string& line, const CliOptions& options);

// The engine text the line becomes: typed input through the calculator's input-line conversion
// (ASCII * / - for the display signs, "ans" for the previous answer), engine text unchanged.
std::string EngineTextOf(const std::string& line, const CliOptions& options);

// Stores VALUE (a real number or a matrix [[1,2],[3,4]] of reals with rows of equal length) in the
// register NAME. Returns false with a message when the name or the value is invalid.
bool SetRegisterFromText(const std::string& name, const std::string& value, std::string& error);
