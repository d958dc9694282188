// Localising a formatted number for a label or a text box (the tip page and the converter boxes).
#pragma once

#include <string>
#include <string_view>

// In the "European" output format the decimal mark is "," and the grouping mark "." (every "." of text
// first becomes ","); in every other format the decimal mark is "." and the grouping mark ",". The integer
// part (the text before the decimal mark, or all of it, a leading minus included) gets a grouping mark
// every three characters counted leftwards from the decimal mark, never at the very start nor right after
// a leading minus: "-1234.50" -> "-1,234.50", "-123.00" stays. outputMode is g_sOutputMode's kind of text.
std::string fixTextDisplay(std::string_view text, std::string_view outputMode);
