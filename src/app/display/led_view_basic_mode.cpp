// Basic mode: an immediate-execution calculator. Every key goes to the engine's immediate-mode stack as
// its command word at once, and the line shows the stack's current value.
#include <cmath>

#include "app/display/led_view.h"
#include "app/display/led_view_internal.h"
#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"
#include "app/settings/settings_globals.h"
#include "engine/eval/handlers.h"
#include "engine/format/result_format.h"
#include "engine/parse/tables.h"
#include "engine/stack/rpn_stack.h"
#include "numeric/errors.h"

using namespace led_detail;

namespace {

// The sign shown for a pending binary operator; null for other keys.
const char16_t* OperatorSign(int code) {
    switch (code) {
        case kKeyPlus:
            return u"+";
        case kKeyTimes:
            return u"\u00d7";
        case kKeyDivide:
            return u"\u00f7";
        case kKeyMinus:
            return u"\u2212";
        case kKeyPower:
            return u"x^y";
        case kKeyYRoot:
            return u"x^(1/y)";
        case kKeyMod:
            return u"mod";
        case kKeyAnd:
            return u"and";
        case kKeyOr:
            return u"or";
        case kKeyXor:
            return u"xor";
        case kKeyNand:
            return u"nand";
        case kKeyNor:
            return u"nor";
        case kKeyShl:
            return u"shl";
        case kKeyShr:
            return u"shr";
        case kKeyRtl:
            return u"rtl";
        case kKeyRtr:
            return u"rtr";
        case kKeyNcr:
            return u"ncr";
        case kKeyNpr:
            return u"npr";
        default:
            return nullptr;
    }
}

double ToDouble(const QELT* q) {
    double d = 0;
    qtoe(q, &d);
    return d;
}

}  // namespace

void MyLedView::BasicModeCommand(int code) {
    const KeyWords words = KeyCommandWords(code);
    if (words.basic.empty()) return;  // a key this mode does not know
    // The pending operator stays on show while its second operand is typed.
    const bool entry =
        IsDigitCode(code) || code == kKeyDecimal || code == kKeyChangeSign || code == kKeyDelete;
    if (!entry) m_sCurOperator.clear();
    if (words.appendOperand) {
        if (!SendOperandFunction(code)) ResetIModeRPNStack();
    } else {
        const int radixKey = IsDigitCode(code) ? m_iBase : kKeyBaseDec;
        for (const std::string& w : words.basic) {
            m_cplCurValue = AddToImodeStack(w.c_str(), radixKey);
            if (GetErrorCode() != kErrNone) break;
        }
    }
    if (code == kKeyEquals) {
        if (GetErrorCode() != kErrNone) {
            ResetIModeRPNStack();
        } else {
            ResetIModeRPNStack(m_cplCurValue);
        }
    }
    if (const char16_t* sign = OperatorSign(code); sign != nullptr && GetErrorCode() == kErrNone)
        m_sCurOperator = sign;
    if (HasImaginaryPart(m_cplCurValue)) {
        ClearImodeRepeat();
    } else {
        SetImodeLastResult(m_cplCurValue);
    }
    ShowImodeValue(code == kKeyEquals);
}

// 10^x, e^x and 1/x take the value on display as their operand text. An operand that does not survive a
// 64-digit round trip, or an e^x exponent of 64 or more, is refused with kErrLibrary.
bool MyLedView::SendOperandFunction(int code) {
    const qcmplx operand = AddToImodeStack("Pop", kKeyBaseDec);
    if (GetErrorCode() != kErrNone) return false;
    const std::u16string wide = Widen(qtoasc_str(operand.r, 64));
    const std::string text(wide.begin(), wide.end());
    QELT back[NQ], diff[NQ];
    asctoq(text.c_str(), back);
    qsub(operand.r, back, diff);
    const double drift = std::fabs(ToDouble(diff));
    const bool refused = code == kKeyExpPower ? (drift >= 64 || ToDouble(back) >= 64) : drift >= 0.1;
    if (refused) {
        SetErrorCode(kErrLibrary);
        return false;
    }
    std::vector<std::string> sequence;
    if (code == kKeyReciprocal) {
        sequence = {"1", "/", text};
    } else {
        sequence = {code == kKeyTenPower ? "10" : "2.718281828459045235360", "^", text};
    }
    sequence.push_back("DoNothing");
    for (const std::string& w : sequence) {
        m_cplCurValue = AddToImodeStack(w.c_str(), kKeyBaseDec);
        if (GetErrorCode() != kErrNone) return false;
    }
    return true;
}

// The current value as the line: NORM for every key and the display's notation after "=", grouped per
// output format; the exponent part of a scientific form becomes the result line.
void MyLedView::ShowImodeValue(bool afterEquals) {
    if (HasImaginaryPart(m_cplCurValue)) {
        ShowLineText(u"Invalid parameter(s)", true);
        m_sResultOutput.clear();
        m_platform.feedback.vibrate();
        return;
    }
    const DisplayString d =
        ConstructDisplayString(m_iBase, m_iBitWidth, m_cplCurValue.r,
                               afterEquals ? m_iNotation : kKeyNotationNorm, 32, g_iFixDigits);
    ShowLineText(DisplayNumber(Widen(d.text), m_iBase, m_nCurrentFunction), false);
    m_sResultOutput = Widen(d.exponent);
}
