#include "app/display/led_state_file.h"

#include "app/display/led_view.h"
#include "app/keys/key_codes.h"
#include "engine/format/format_state.h"

namespace {

// The stored base, notation and width are key codes; the file keeps only those the display can select.
bool IsBaseCode(int c) {
    return c == kKeyBaseBin || c == kKeyBaseOct || c == kKeyBaseDec || c == kKeyBaseHex;
}
bool IsNotationCode(int c) {
    return c == kKeyNotationFix || c == kKeyNotationNorm || c == kKeyNotationSci || c == kKeyNotationFrac;
}
bool IsBitWidthCode(int c) {
    return c == kKeyWidth8 || c == kKeyWidth16 || c == kKeyWidth32;
}

}  // namespace

std::vector<std::uint8_t> EncodeLedState(const LedStateFile& state) {
    LeWriter w;
    for (const auto& line : state.lines) WriteRawExpressionInput(w, line);
    for (const auto& m : state.memories) WriteRawMemory(w, m);
    w.i32(state.iBaseConversionCategory);
    w.i32(state.iNotation);
    w.i32(state.iBitWidth);
    return std::move(w.bytes());
}

std::optional<LedStateFile> DecodeLedState(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != LedStateFile::kSize) return std::nullopt;
    LeReader in(bytes);
    LedStateFile state;
    for (auto& line : state.lines) {
        if (!ReadRawExpressionInput(in, line)) return std::nullopt;
    }
    for (auto& m : state.memories) {
        if (!ReadRawMemory(in, m)) return std::nullopt;
    }
    state.iBaseConversionCategory = in.i32();
    state.iNotation = in.i32();
    state.iBitWidth = in.i32();
    if (in.failed() || !IsBaseCode(state.iBaseConversionCategory) || !IsNotationCode(state.iNotation) ||
        !IsBitWidthCode(state.iBitWidth))
        return std::nullopt;
    return state;
}

// ---- the files of the display ---------------------------------------------------------------------------

bool MyLedView::SaveData(const std::string& path) {
    SaveActiveLine();
    LedStateFile state;
    state.lines = _arrCurRawInputStr;
    state.memories = m_pRawMS;
    state.iBaseConversionCategory = m_iCategory == kCatBaseConversion ? m_iBase : m_iBaseConversionCategory;
    state.iNotation = m_iNotation;
    state.iBitWidth = m_iBitWidth;
    return m_platform.storage.writeFileAtomically(path, EncodeLedState(state));
}

bool MyLedView::LoadData(const std::string& path) {
    const auto bytes = m_platform.storage.readFile(path);
    if (!bytes) return false;
    const auto state = DecodeLedState(*bytes);
    if (!state) return false;
    _arrCurRawInputStr = state->lines;
    m_pRawMS = state->memories;
    m_iBaseConversionCategory = state->iBaseConversionCategory;
    m_iNotation = state->iNotation;
    m_iBitWidth = state->iBitWidth;
    SetPreNotation(m_iNotation);
    return true;
}

bool MyLedView::HistoryArchive(const std::string& path, bool load) {
    if (!load) return m_platform.storage.writeFileAtomically(path, m_history.Encode());
    const auto bytes = m_platform.storage.readFile(path);
    return bytes && m_history.Decode(*bytes);
}
