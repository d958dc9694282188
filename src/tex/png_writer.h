// PNG files of rendered formulas (the terminal program's picture output, test inspection).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tex/grey_bitmap.h"

namespace tex {

enum class PngInk {
    BlackOnWhite,  // 8-bit grey: 255 - coverage, an opaque picture
    BlackAlpha,    // grey + alpha: black everywhere, the coverage as opacity, for drawing over anything
};

// Encodes the bitmap as PNG bytes; empty when the bitmap is empty or libpng fails.
std::vector<uint8_t> EncodePng(const GreyBitmap& bitmap, PngInk ink = PngInk::BlackOnWhite);

// Writes EncodePng's bytes to `path` through a temporary file in the same folder renamed over it, so a
// failed write leaves an older file intact. Returns false (and writes nothing) for an empty bitmap or when
// the file cannot be written.
bool WritePng(const GreyBitmap& bitmap, const std::string& path, PngInk ink = PngInk::BlackOnWhite);

// Decodes PNG bytes of any colour type into coverage (255 - luminance, times alpha when present); an empty
// bitmap when the bytes are not a PNG. Used to read back written formulas.
GreyBitmap DecodePng(const std::vector<uint8_t>& bytes);

}  // namespace tex
