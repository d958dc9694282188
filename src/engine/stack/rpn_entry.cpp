// Number entry of the key-by-key calculators: how digits, number texts, the decimal point, "PI", "i"
// and the clearing words change the top entry and the entry state.
#include <cctype>

#include "engine/stack/rpn_stack_internal.h"
#include "numeric/errors.h"
#include "numeric/qcomplex.h"

namespace rpn_detail {

namespace {

// Value of c as a digit of radix ('0'-'9', then capital 'A'-'F'), or -1.
int DigitValue(char c, int radix) {
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    return v < radix ? v : -1;
}

bool IsDecimalDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The shape of a number text: an optional "-", digits of the radix, in decimal at most one point and an
// exponent ("E" or "e", optional sign, digits).
struct NumberText {
    bool valid = false;
    bool plain = false;  // digits and at most one point only, so it can be typed into an open entry
    bool point = false;
    bool exponent = false;
    int decimals = 0;
};

NumberText Scan(const char* s, int radix) {
    NumberText t;
    const char* p = s;
    if (*p == '-') ++p;
    const bool sign = p != s;
    int digits = 0;
    for (; *p != '\0'; ++p) {
        if (*p == '.' && radix == 10 && !t.point) {
            t.point = true;
            continue;
        }
        if (DigitValue(*p, radix) < 0) break;
        ++digits;
        if (t.point) ++t.decimals;
    }
    if (digits == 0) return t;
    if (radix == 10 && (*p == 'E' || *p == 'e')) {
        ++p;
        if (*p == '+' || *p == '-') ++p;
        if (!IsDecimalDigit(*p)) return t;
        while (IsDecimalDigit(*p)) ++p;
        t.exponent = true;
    }
    t.valid = *p == '\0';
    t.plain = t.valid && !sign && !t.exponent;
    return t;
}

// The value of a valid number text; -56 when it is out of the library's range.
bool TextValue(const char* s, int radix, qcmplx& v) {
    v = qczero;
    if (radix == 10) {
        asctoq(s, v.r);
    } else {
        const bool negative = *s == '-';
        QELT base[NQ], d[NQ];
        ltoq(radix, base);
        for (const char* p = negative ? s + 1 : s; *p != '\0'; ++p) {
            qmul(base, v.r, v.r);
            ltoq(DigitValue(*p, radix), d);
            qadd(d, v.r, v.r);
        }
        if (negative) qneg(v.r);
    }
    if (iserror()) {
        SetErrorCode(kErrLibrary);
        return false;
    }
    return true;
}

// An entry is open while its integer or fractional part is being typed.
bool EntryOpen() {
    return (imoderpn_status == 0 || imoderpn_status == 2) && imoderpn_count > 0;
}

// A new entry replaces pi from "PI" and is pushed otherwise.
bool BeginEntry(const qcmplx& v) {
    if (imoderpn_status == 3 && imoderpn_count > 0) {
        imoderpn_cplStack[imoderpn_count - 1] = v;
    } else if (!PushValue(v)) {
        return false;
    }
    g_cplTmpLast = v;
    return true;
}

// One more digit of the open entry. A negated entry grows away from zero, so that 3, NEG, 4 is -34.
void ExtendEntry(int digit, int radix) {
    qcmplx& top = imoderpn_cplStack[imoderpn_count - 1];
    QELT d[NQ];
    ltoq(digit, d);
    if (top.r[0] != 0 && !iszero(top.r)) qneg(d);
    if (imoderpn_status == 2 && radix == 10) {
        factor += 1;
        QELT ten[NQ], scale[NQ];
        ltoq(10, ten);
        qpowi(ten, static_cast<long>(factor), scale);
        qdiv(scale, d, d);
        top = qcmplx_add(top, qcmplx_real(d));
    } else {
        top = qcmplx_add(qcmplx_mul(top, RealValue(radix)), qcmplx_real(d));
    }
    g_cplTmpLast = top;
}

void DecimalPoint() {
    if (EntryOpen()) {
        if (imoderpn_status == 0) factor = 0;
    } else if (imoderpn_status == 3 && imoderpn_count > 0) {
        // The point after "PI" starts 0.… in its place, like a digit would.
        imoderpn_cplStack[imoderpn_count - 1] = qczero;
        g_cplTmpLast = qczero;
        factor = 0;
    } else {
        if (!BeginEntry(qczero)) return;
        factor = 0;
    }
    imoderpn_status = 2;
}

// Drops the entry being typed, or clears everything when none is.
void Clear() {
    if (imoderpn_count == 0) {
        ClearImodeRepeat();
        imoderpn_stack.clear();
    } else if (imoderpn_status == 0 || imoderpn_status == 2 || imoderpn_status == 3) {
        --imoderpn_count;
    } else {
        imoderpn_count = 0;
        imoderpn_stack.clear();
        ClearImodeRepeat();
    }
    imoderpn_status = -1;
}

Entry Number(const char* command, int radix) {
    const NumberText t = Scan(command, radix);
    if (!t.valid) return Entry::None;
    if (EntryOpen() && t.plain) {
        for (const char* p = command; *p != '\0' && GetErrorCode() == 0; ++p) {
            if (*p == '.') {
                DecimalPoint();
            } else {
                ExtendEntry(DigitValue(*p, radix), radix);
            }
        }
        return Entry::Extended;
    }
    qcmplx v;
    if (!TextValue(command, radix, v) || !BeginEntry(v)) return Entry::Began;
    // A complete text continues as if it had been typed; one with an exponent cannot be continued.
    imoderpn_status = t.exponent ? -1 : (t.point ? 2 : 0);
    if (t.point) factor = t.decimals;
    return Entry::Began;
}

}  // namespace

Entry ApplyEntryCommand(const char* command, int radix) {
    if (command == nullptr || command[0] == '\0') return Entry::None;
    if (Is(command, "..")) {
        DecimalPoint();
        return Entry::Began;
    }
    if (command[0] == '.') {
        Clear();
        return Entry::Cleared;
    }
    if (Is(command, "i")) {
        qcmplx unit = qczero;
        qmov(qone, unit.i);
        if (BeginEntry(unit)) imoderpn_status = -1;
        return Entry::Began;
    }
    if (Is(command, "PI")) {
        qcmplx pi = qczero;
        qmov(qpi, pi.r);
        if (PushValue(pi)) {
            g_cplTmpLast = pi;
            imoderpn_status = 3;
        }
        return Entry::Began;
    }
    return Number(command, radix);
}

}  // namespace rpn_detail
