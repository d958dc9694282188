#include "app/controller/calculate_value.h"

#include "app/controller/orvane_view_controller.h"
#include "app/display/line_text.h"
#include "app/keys/key_codes.h"
#include "app/settings/input_mode_manager.h"
#include "app/settings/settings_globals.h"
#include "engine/entry/expr_eval.h"
#include "engine/entry/text_tools.h"
#include "engine/eval/evaluate.h"
#include "engine/format/result_format.h"
#include "engine/limits.h"
#include "numeric/errors.h"
#include "numeric/radix.h"

namespace {

EvaluationResult Message(const char* text, int code = 0) {
    EvaluationResult r;
    r.text = Latin1ToU16(text);
    r.errorCode = code;
    return r;
}

}  // namespace

EvaluationResult EvaluateForDisplay(const EvaluationRequest& request) {
    const size_t limit = static_cast<size_t>(kEngineTextSize);
    if (request.displayText.empty()) return Message("Empty string");
    if (request.displayText.size() >= limit) return Message("Overlength string");
    ClearErrorCode();
    std::string text = OutputParsedString(request.displayText, g_sOutputMode);
    if (text.size() >= limit) return Message("Overlength string");
    const int radix = RadixOfKey(request.baseCode);
    SetMode(AngleModeOfKey(request.angleCode));
    SetBitWidth(BitsOfKey(request.widthCode));
    const bool baseConversion = request.categoryId == kCatBaseConversion;
    int notation = request.notationCode;
    EvaluationResult out;
    if (baseConversion) {
        if (auto converted = StringConvert(text, radix, radix)) {
            text = *converted;
            out.reformattedLine = Latin1ToU16(text);
        }
        notation = kKeyNotationNorm;
    }
    out.engineText = text;
    REG r = ExprEval(text.c_str(), 0, radix);
    out.errorCode = GetErrorCode();
    if (out.errorCode == kErrNone && (r.type == REG_REAL || r.type == REG_COMPLEX)) {
        out.angleCode = AngleKeyOf(g_Mode);
        qmov(r.re, out.value);
        out.text = ExpResult_REGToString(r, request.baseCode, request.widthCode, notation, out.scientific,
                                         out.complex);
        out.isValue = true;
    }
    ResetAndFreeRegister(r);
    if (baseConversion) {
        for (char16_t& c : out.text) {
            if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    if (out.errorCode != kErrNone) {
        out.text = Latin1ToU16(ErrorMessage(out.errorCode));
        out.isValue = false;
    }
    ClearErrorCode();
    return out;
}

void OrvaneViewController::calculateValue() {
    MyLedView& d = display();
    if (d.CurrentInputMode() != kInputModeString) {
        d.InputCommand(kKeyEquals);
        return;
    }
    EvaluationRequest request{d.line().GetRawInputString(),
                              d.GetBase(),
                              d.GetMode(),
                              d.GetBitWidth(),
                              d.GetNotation(),
                              m_nCurrentFunction};
    const EvaluationResult result = EvaluateForDisplay(request);
    if (result.reformattedLine) {
        d.InsertString(*result.reformattedLine, true);
        d.InputCommand(kKeyNotationNorm);
    }
    if (result.errorCode != kErrNone) m_platform.feedback.vibrate();
    if (result.isValue) {
        d.InputCommand(result.angleCode);
        d.SetLastResult(result.value);
        _bExpResultIsComplex = result.complex;
        if (result.scientific) d.InputCommand(kKeyNotationSci);
    }
    g_bAnswer = true;
    d.SetParsedInput(result.engineText);
    d.InputResult(result.text, result.isValue);
    d.InputCommand(kKeyEquals);
    m_tooltip->close(d);
    switch (m_nCurrentFunction) {
        case kCatTip:
            m_platform.notifications.post("PostResultStringToModview", result.text);
            break;
        case kCatCurrencyConverter:
            m_platform.notifications.post("PostResultStringToCurrency", result.text);
            break;
        case kCatUnitConverter:
            m_platform.notifications.post("PostResultStringToUnitConverter", result.text);
            break;
        default:
            break;
    }
}

// The result is formatted as "=" formats it, so that FIX, SCI and FRAC look the same whichever way the
// notation was reached.
void OrvaneViewController::UpdateNotation() {
    MyLedView& d = display();
    const int mode = d.CurrentInputMode();
    if (mode == kInputModeString && !d.resultIsValue()) return;
    if (_bExpResultIsComplex) {
        d.InputCommand(kKeyNotationSci);
        return;
    }
    REG last;
    qmov(d.GetLastResult().r, last.re);
    bool scientific = false, complex = false;
    const std::u16string text =
        ExpResult_REGToString(last, d.GetBase(), d.GetBitWidth(), d.GetNotation(), scientific, complex);
    if (mode == kInputModeString) {
        d.InputResult(text);
    } else {
        d.InsertString(text, true);
        d.line().CaretToStart();
    }
    if (scientific) d.InputCommand(kKeyNotationSci);
}
