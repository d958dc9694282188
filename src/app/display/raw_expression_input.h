// The stored input line: the fixed 1648-byte record of input lines, expression slots and history entries.
//
// Layout (little-endian): object count int32 | text length int32 (UTF-16 units) | text 512 UTF-16 units |
// object lengths 512 bytes | result length int32 | result text 50 UTF-16 units. Object start offsets are
// not stored; they are the running sums of the lengths.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/util/le_bytes.h"

struct _RAW_EXPRESSION_INPUT {
    static constexpr int kMaxText = 512;
    static constexpr int kMaxObjects = 512;
    static constexpr int kMaxObjectLength = 255;
    static constexpr int kMaxResult = 50;
    static constexpr size_t kSize = 1648;

    std::int32_t iObjCount = 0;
    std::int32_t iTextLength = 0;
    std::array<char16_t, kMaxText> wcText{};
    std::array<std::uint8_t, kMaxObjects> byObjLen{};
    std::int32_t iResultLength = 0;
    std::array<char16_t, kMaxResult> wcResult{};

    std::u16string text() const;    // the first iTextLength units (clamped to the record)
    std::u16string result() const;  // the first iResultLength units (clamped to the record)
    // Sets the result text, cut to 50 units.
    void setResult(const std::u16string& result);
};

// The counts add up: 0 <= count <= 512, 0 <= text length <= 512, every object 1..255 units long, the
// lengths of the count objects sum to the text length, 0 <= result length <= 50.
bool IsValidRawExpressionInput(const _RAW_EXPRESSION_INPUT& raw);

// Appends the 1648 bytes of raw.
void WriteRawExpressionInput(LeWriter& out, const _RAW_EXPRESSION_INPUT& raw);
std::vector<std::uint8_t> EncodeRawExpressionInput(const _RAW_EXPRESSION_INPUT& raw);

// Reads 1648 bytes. A record whose counts or lengths do not add up, or a short read, gives an empty
// (zero-filled) record and false.
bool ReadRawExpressionInput(LeReader& in, _RAW_EXPRESSION_INPUT& raw);
bool DecodeRawExpressionInput(std::span<const std::uint8_t> bytes, _RAW_EXPRESSION_INPUT& raw);
