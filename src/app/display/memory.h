// The display's memories: the stored record of one memory and the text rules of the memory commands.
//
// A memory keeps a number as display text together with the radix it was written in, so that a value
// stored in one base can be recalled in another. Record layout (108 bytes, little-endian): text length
// int32 (UTF-16 units, 0 = empty) | text 50 UTF-16 units | radix int32 (2, 8, 10 or 16).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/util/le_bytes.h"

struct _RAW_MEMORY {
    static constexpr int kMaxText = 50;
    static constexpr size_t kSize = 108;

    std::int32_t iLength = 0;
    std::array<char16_t, kMaxText> wcText{};
    std::int32_t iRadix = 0;

    bool empty() const { return iLength <= 0; }
    std::u16string text() const;  // the first iLength units (clamped to the record)
    // Stores text (cut at a whole character to 50 units) written in radix; the unused tail is zeroed.
    void set(const std::u16string& text, int radix);
    void clear() { *this = _RAW_MEMORY{}; }
};

// Length 0..50, and a radix of 2, 8, 10 or 16 when the memory holds a text (an empty record may carry
// any radix, zero-filled records carry 0).
bool IsValidRawMemory(const _RAW_MEMORY& memory);
void WriteRawMemory(LeWriter& out, const _RAW_MEMORY& memory);
// Reads 108 bytes; false (and an empty record) on a short read or a record that is not valid.
bool ReadRawMemory(LeReader& in, _RAW_MEMORY& memory);

// The first maxUnits units of text, one unit fewer when the cut would split a surrogate pair.
std::u16string CutAtCharacter(const std::u16string& text, size_t maxUnits);

// A result text made fit for a memory: unless baseCode is HEX (148) it is put in lower case, "e+" becomes
// "exp", and each "e-" becomes "exp(-" with one ")" appended at the end; then the group marks go ("." in
// the "European" format, U+00B8 in "English (US)"/"English (UK)"; any other format keeps them).
std::u16string GetStrToSaveMemory(const std::u16string& text, int baseCode, std::string_view outputMode);
