#include "app/display/raw_expression_input.h"

#include <algorithm>

std::u16string _RAW_EXPRESSION_INPUT::text() const {
    int n = std::clamp(iTextLength, 0, kMaxText);
    return std::u16string(wcText.data(), static_cast<size_t>(n));
}

std::u16string _RAW_EXPRESSION_INPUT::result() const {
    int n = std::clamp(iResultLength, 0, kMaxResult);
    return std::u16string(wcResult.data(), static_cast<size_t>(n));
}

void _RAW_EXPRESSION_INPUT::setResult(const std::u16string& result) {
    wcResult.fill(0);
    size_t n = std::min(result.size(), static_cast<size_t>(kMaxResult));
    std::copy_n(result.begin(), n, wcResult.begin());
    iResultLength = static_cast<std::int32_t>(n);
}

bool IsValidRawExpressionInput(const _RAW_EXPRESSION_INPUT& raw) {
    using R = _RAW_EXPRESSION_INPUT;
    if (raw.iObjCount < 0 || raw.iObjCount > R::kMaxObjects) return false;
    if (raw.iTextLength < 0 || raw.iTextLength > R::kMaxText) return false;
    if (raw.iResultLength < 0 || raw.iResultLength > R::kMaxResult) return false;
    int sum = 0;
    for (int k = 0; k < raw.iObjCount; ++k) {
        if (raw.byObjLen[k] == 0) return false;
        sum += raw.byObjLen[k];
    }
    return sum == raw.iTextLength;
}

void WriteRawExpressionInput(LeWriter& out, const _RAW_EXPRESSION_INPUT& raw) {
    out.i32(raw.iObjCount);
    out.i32(raw.iTextLength);
    for (char16_t c : raw.wcText) out.u16(c);
    for (std::uint8_t len : raw.byObjLen) out.u8(len);
    out.i32(raw.iResultLength);
    for (char16_t c : raw.wcResult) out.u16(c);
}

std::vector<std::uint8_t> EncodeRawExpressionInput(const _RAW_EXPRESSION_INPUT& raw) {
    LeWriter w;
    WriteRawExpressionInput(w, raw);
    return std::move(w.bytes());
}

bool ReadRawExpressionInput(LeReader& in, _RAW_EXPRESSION_INPUT& raw) {
    _RAW_EXPRESSION_INPUT r;
    r.iObjCount = in.i32();
    r.iTextLength = in.i32();
    for (char16_t& c : r.wcText) c = in.u16();
    for (std::uint8_t& len : r.byObjLen) len = in.u8();
    r.iResultLength = in.i32();
    for (char16_t& c : r.wcResult) c = in.u16();
    bool ok = !in.failed() && IsValidRawExpressionInput(r);
    raw = ok ? r : _RAW_EXPRESSION_INPUT{};
    return ok;
}

bool DecodeRawExpressionInput(std::span<const std::uint8_t> bytes, _RAW_EXPRESSION_INPUT& raw) {
    if (bytes.size() != _RAW_EXPRESSION_INPUT::kSize) {
        raw = _RAW_EXPRESSION_INPUT{};
        return false;
    }
    LeReader r(bytes);
    return ReadRawExpressionInput(r, raw);
}
