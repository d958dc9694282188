// Geometry and drawing of the calculator display: the indicator row, the RPN stack lines, the input line
// with its caret and scroll arrows, the pending operator or "=" sign and the result line.
//
// Fonts: input "Verdana" 26, result "Verdana" 20 (14 for a 32-bit binary result), indicators
// "Verdana-Bold" 14, operator and "=" "Verdana-Bold" 20, bit-position labels "Verdana" 12.
#pragma once

#include <string>

#include "platform/canvas.h"

class MyLedView;

// The rectangles of the display in view coordinates.
struct LedRegions {
    CanvasRect frame;
    // indicator row, left to right
    CanvasRect bitWidth, expression, history, shift, memory, base, mode, notation;
    // the two RPN stack lines (level 2 above level 1), empty rectangles outside RPN mode
    CanvasRect stackLine[2];
    CanvasRect leftArrow, input, rightArrow;
    CanvasRect op, result;
};

// The layout of a screen mode (kScreenPortrait 320 x 120, kScreenLandscape 480 x 96); rpn makes room for the
// two stack lines above the input line.
LedRegions initSizes(int screenMode, bool rpn);

// What a touch at p hits.
enum class LedArea {
    None,
    BitWidth,
    Expression,
    History,
    Shift,
    Memory,
    Base,
    Mode,
    Notation,
    LeftArrow,
    Input,
    RightArrow,
    Result
};
LedArea HitTest(const LedRegions& regions, CanvasPoint p);

// The texts drawn for the state codes: "8 bit"/"16 bit"/"32 bit", "BIN".."HEX", "DEG"/"RAD"/"GRA",
// "NORM"/"FIX"/"SCI"/"FRAC", "M1".."M5"; empty for an unknown code.
std::u16string BitWidthIndicatorText(int code);
std::u16string BaseIndicatorText(int code);
std::u16string ModeIndicatorText(int code);
std::u16string NotationIndicatorText(int code);
std::u16string MemoryIndicatorText(int code);

// Removes characters until text is at most width wide in font: the character just before the exponent
// mark "E", or the last one when there is none, so that the exponent stays visible.
std::u16string FitResultText(std::u16string text, double width, const CanvasFont& font,
                             const Canvas& metrics);

// Clears the frame to white and draws the display's content (the drawing step also carries out the
// input line's pending window update).
void DrawLEDContent(MyLedView& view, Canvas& canvas);
