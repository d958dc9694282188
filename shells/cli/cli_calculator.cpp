#include "cli_calculator.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/display/line_text.h"
#include "app/keys/key_codes.h"
#include "engine/entry/expr_eval.h"
#include "engine/entry/text_tools.h"
#include "engine/eval/evaluate.h"
#include "engine/format/format_state.h"
#include "engine/format/group_numbers.h"
#include "engine/format/result_format.h"
#include "engine/limits.h"
#include "engine/matrix/registers.h"
#include "engine/parse/tables.h"
#include "numeric/errors.h"
#include "numeric/qcomplex.h"
#include "numeric/radix.h"

namespace {

// The display text as UTF-8, with the display's comma U+00B8 printed as ",".
std::string ToTerminal(const std::u16string& s) {
    std::u16string t = s;
    for (char16_t& c : t)
        if (c == u'\u00B8') c = u',';
    return U16ToUtf8(t);
}

std::string Precise(const REG& r) {
    auto part = [](const QELT* q) {
        std::string s = qtoascex_str(q, 99);
        return s[0] == ' ' ? s.substr(1) : s;
    };
    std::string out = part(r.re);
    if (r.type == REG_COMPLEX) {
        out += ' ';
        out += part(r.im);
        out += 'i';
    }
    return out;
}

std::string MatrixText(const REG& r) {
    std::string out;
    char buf[64];
    for (int i = 0; i < r.rows; ++i) {
        if (i) out += '\n';
        for (int j = 0; j < r.cols; ++j) {
            double v = r.at(i, j);
            if (v == 0) v = 0;  // no "-0"
            std::snprintf(buf, sizeof buf, "%.15g", v);
            if (j) out += ' ';
            out += buf;
        }
    }
    return out;
}

void ApplyToEngine(const CliOptions& o) {
    SetMode(o.angleMode);
    SetBitWidth(o.bitWidth);
    g_iFixDigits = static_cast<std::uint8_t>(o.fixDigits);
    g_nPrecision = o.fractionLevel;
    g_sOutputMode = o.outputMode;
    g_CurrentFunction = o.radix == 10 ? kCatArithmetic : kCatBaseConversion;
}

// Reads "[[1,2],[3,4]]" into rows; false when it is not a well-formed matrix of reals.
bool ParseMatrix(const std::string& s, std::vector<std::vector<double>>& rows) {
    size_t i = 0;
    auto skip = [&]() {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    };
    auto expect = [&](char c) {
        skip();
        if (i < s.size() && s[i] == c) return ++i, true;
        return false;
    };
    if (!expect('[')) return false;
    do {
        if (!expect('[')) return false;
        std::vector<double> row;
        do {
            skip();
            const char* start = s.c_str() + i;
            char* end = nullptr;
            double v = std::strtod(start, &end);
            if (end == start || !std::isfinite(v)) return false;
            i += static_cast<size_t>(end - start);
            row.push_back(v);
        } while (expect(','));
        if (!expect(']')) return false;
        if (!rows.empty() && row.size() != rows[0].size()) return false;
        rows.push_back(row);
    } while (expect(','));
    if (!expect(']')) return false;
    skip();
    return i == s.size() && !rows.empty() && rows.size() <= 0xFFFF && rows[0].size() <= 0xFFFF;
}

}  // namespace

std::string EngineTextOf(const std::string& line, const CliOptions& o) {
    if (o.engineText) return line;
    // Typed text as the keys would put it into the line: the display signs for * / -, the answer object
    // for "ans", and the decimal point as the format's decimal mark.
    std::u16string typed = Utf8ToU16(line);
    std::u16string display;
    for (size_t k = 0; k < typed.size(); ++k) {
        const char16_t c = typed[k];
        auto word_at = [&](const char16_t* w, size_t n) {
            if (typed.compare(k, n, w) != 0) return false;
            bool before = k > 0 && std::isalnum(typed[k - 1] < 128 ? static_cast<int>(typed[k - 1]) : 'a');
            bool after =
                k + n < typed.size() && typed[k + n] < 128 && std::isalnum(static_cast<int>(typed[k + n]));
            return !before && !after;
        };
        if (word_at(u"ans", 3)) {
            display += u"[ans]";
            k += 2;
        } else if (c == u'*') {
            display += u'\u00D7';
        } else if (c == u'/') {
            display += u'\u00F7';
        } else if (c == u'-') {
            display += u'\u2212';
        } else if (c == u'.' && IsEuropeanOutputMode(o.outputMode)) {
            display += u'\u00B8';
        } else {
            display += c;
        }
    }
    return OutputParsedString(display, o.outputMode);
}

LineResult EvaluateLine(const std::string& line, const CliOptions& o) {
    LineResult out;
    if (line.empty()) return {"Empty string", true};
    if (line.size() >= static_cast<size_t>(kEngineTextSize)) return {"Overlength string", true};
    std::string text = EngineTextOf(line, o);
    if (text.size() >= static_cast<size_t>(kEngineTextSize)) return {"Overlength string", true};
    ClearErrorCode();
    ApplyToEngine(o);
    if (o.radix != 10 && !o.matrix) {
        // Base Conversion: the literals are re-expressed in the radix at the bit width first.
        auto converted = StringConvert(text, o.radix, o.radix, false);
        if (converted) text = *converted;
    }
    REG r;
    if (!GetErrorCode()) r = ExprEval(text.c_str(), o.matrix ? 1 : 0, o.radix);
    const int err = GetErrorCode();
    if (err) {
        out.text = ErrorMessage(err);
        out.error = true;
        ClearErrorCode();
        return out;
    }
    if (r.type == REG_MATRIX) {
        out.text = MatrixText(r);
        return out;
    }
    if (o.precise) {
        out.text = Precise(r);
        KeepLastResult(r);  // the last result, as the display text path keeps it
        return out;
    }
    const int notation = o.radix == 10 ? o.notationKey : kNotationNorm;
    bool scientific = false, complex = false;
    std::u16string shown =
        ExpResult_REGToString(r, RadixKeyOf(o.radix), WidthKeyOf(o.bitWidth), notation, scientific, complex);
    out.text = ToTerminal(shown);
    if (o.radix != 10)
        for (char& c : out.text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // Leading blanks of the sign position are not part of the answer.
    size_t first = out.text.find_first_not_of(' ');
    out.text = first == std::string::npos ? std::string() : out.text.substr(first);
    return out;
}

bool SetRegisterFromText(const std::string& name, const std::string& value, std::string& error) {
    const int index = FindReg(name.c_str());
    if (index < 0) {
        error = "unknown register " + name;
        return false;
    }
    if (!value.empty() && value[0] == '[') {
        std::vector<std::vector<double>> rows;
        if (!ParseMatrix(value, rows)) {
            error = "invalid matrix " + value;
            return false;
        }
        std::vector<double> flat;
        for (const auto& row : rows) flat.insert(flat.end(), row.begin(), row.end());
        SetRegister(index, static_cast<int>(rows.size()), static_cast<int>(rows[0].size()), flat.data());
        return true;
    }
    char* end = nullptr;
    double v = std::strtod(value.c_str(), &end);
    if (value.empty() || *end != '\0' || !std::isfinite(v)) {
        error = "invalid value " + value;
        return false;
    }
    SetRegisterScalar(index, qcmplx_make(v, 0));
    return true;
}
