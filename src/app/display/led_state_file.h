// The display's state file "led_v14.dat" (105372 bytes, little-endian), in this order:
//   60 stored lines of 1648 bytes: display category 0..11, within each the expression slots 0..4;
//   5 blocks of 12 memory records of 108 bytes: memory M1..M5, within each block display category 0..11;
//   the Base Conversion base, the notation and the bit width as key codes (int32 each).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "app/display/memory.h"
#include "app/display/raw_expression_input.h"
#include "app/keys/key_codes.h"

struct LedStateFile {
    static constexpr int kCategories = 12;
    static constexpr int kSlots = 5;
    static constexpr int kMemories = 5;
    static constexpr size_t kSize = kCategories * kSlots * _RAW_EXPRESSION_INPUT::kSize +
                                    kMemories * kCategories * _RAW_MEMORY::kSize + 3 * 4;

    // lines[category * 5 + slot]; memories[memory * 12 + category].
    std::vector<_RAW_EXPRESSION_INPUT> lines = std::vector<_RAW_EXPRESSION_INPUT>(kCategories * kSlots);
    std::vector<_RAW_MEMORY> memories = std::vector<_RAW_MEMORY>(kMemories * kCategories);
    std::int32_t iBaseConversionCategory = kKeyBaseDec;
    std::int32_t iNotation = kKeyNotationNorm;
    std::int32_t iBitWidth = kKeyWidth8;
};

std::vector<std::uint8_t> EncodeLedState(const LedStateFile& state);

// The state read back, or nothing when the bytes are not a whole, sound state file: another size, a
// line or memory record that does not add up, or a code outside its set (base 145..148, notation 134,
// 135, 136 or 159, bit width 138..140).
std::optional<LedStateFile> DecodeLedState(std::span<const std::uint8_t> bytes);
