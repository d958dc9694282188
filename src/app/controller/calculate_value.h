// One evaluation of the equals key in string mode: the display's text and state in, the text the result
// line shows out.
#pragma once

#include <optional>
#include <string>

#include "app/keys/key_codes.h"
#include "numeric/errors.h"
#include "numeric/qlib.h"

struct EvaluationRequest {
    std::u16string displayText;           // the input line as the display holds it
    int baseCode = kKeyBaseDec;           // kKeyBaseBin .. kKeyBaseHex
    int angleCode = kKeyAngleDeg;         // kKeyAngleDeg, kKeyAngleRad, kKeyAngleGra
    int widthCode = kKeyWidth8;           // kKeyWidth8 .. kKeyWidth64
    int notationCode = kKeyNotationNorm;  // kKeyNotationFix, Norm, Sci, Frac
    int categoryId = kCatArithmetic;
};

struct EvaluationResult {
    std::u16string text;       // the result line: the formatted value, or a message
    std::string engineText;    // what the engine was given (empty when nothing was evaluated)
    bool isValue = false;      // a real or complex scalar was formatted
    int errorCode = kErrNone;  // the engine's code (kErrNone also for "Empty string" / "Overlength string")
    bool scientific = false;
    bool complex = false;
    int angleCode = kKeyAngleDeg;  // the engine's angle mode after the evaluation, as a key code
    QELT value[NQ] = {};           // the real part of the result
    // In the Base Conversion category the line's numbers re-expressed at the bit width, to be put back.
    std::optional<std::u16string> reformattedLine;
};

// Evaluates the line: "Empty string" for an empty one and "Overlength string" for a line or engine text
// of 4096 characters or more; otherwise the engine's angle mode, radix and bit width are set from the
// request, the Base Conversion category (kCatBaseConversion) first re-expresses the numbers of the text in
// its radix (StringConvert) and formats in NORM, ExprEval runs, and a scalar result is formatted in the
// request's base, width and notation (in capitals in Base Conversion). An engine error gives its message. The
// engine's error code is clear afterwards. Engine thread only.
EvaluationResult EvaluateForDisplay(const EvaluationRequest& request);
