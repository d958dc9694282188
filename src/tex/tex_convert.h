// Engine text to TeX markup for the formula display: fractions and powers as TeX groups, the calculus,
// root and statistics calls in their TeX forms, register values, and the growing parentheses of the last
// step; then the rasteriser's bitmap of the result.
//
// Every conversion works in place on a text that holds at most kTexTextSize - 1 characters (the formula
// view's 8192-byte buffer). A result that would not fit replaces the text by kTexOverlength and the
// function returns false; nothing is cut or written past the limit. Engine thread only (the register step
// reads g_reg).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kTexTextSize = 8192;

// "\text{Overlength!}": the text of a formula too long for the buffer.
extern const char* const kTexOverlength;

// "Empty String!": what an empty expression shows.
extern const char* const kTexEmptyText;

// Rewrites every "/" with its operands as "\frac{left}{right}", left to right; the operands are taken by
// the priorities of the engine's operators (parentheses and commas bound them) and are converted
// themselves. (1+2)/3 gives \frac{(1+2)}{3}; a+b/c*d gives a+\frac{b}{c}*d.
bool DevisionProcessing(std::string& text);

// Rewrites every "^" with its operands as "{left}^{right}": the left operand converted by PowerProcessing,
// the right one by DevisionProcessing. A sign directly after the caret belongs to the exponent. 2^3/4
// gives {2}^{3}/4; 2^(1/3) gives {2}^{(\frac{1}{3})}.
bool PowerProcessing(std::string& text);

// Turns every "(" and ")" that does not follow a "t" into "\left( " and " \right)" (the parenthesis of a
// TeX command or a name ending in "t", such as sqrt(, is kept).
bool BraceProcessing(std::string& text);

// The division rewrite, then every function call of the executor's names that has a TeX form (see
// FunctionNameProcessing) replaced by it, innermost arguments included, then every register token
// "[name]" replaced by the register's value (RegNameProcessing). A call whose argument list never closes
// is replaced, with the rest of the text, by a placeholder such as "\sqrt[\left(?\right)]{\left(?\right)}"
// for RT. A call without a TeX form (gcd(4,6)) stays as written. Only a name directly followed by "("
// counts as a call, so words of the text and of the TeX already produced are left alone.
bool MimeTexProcessing(std::string& text);

// The TeX form of one call of fnName[function] with its argument text (without the parentheses): RT,
// fnInt, fnDeriv, fnEval, fnRoot, fnSum, fnProduct, ncr, npr and the statistics sums sum, ssq, avg, sdv,
// ssd, avd, dsq, gm. Returns 1 and sets tex when the function has a TeX form and its required arguments
// are present, 0 otherwise (tex untouched), -1 when the form would not fit kTexTextSize.
int FunctionNameProcessing(int function, const std::string& arguments, std::string& tex);

// The value of register index as TeX: a scalar with 4 decimals, trailing zeros and point removed ("2.5",
// "3"; a complex value as "(1+2i)" or "2i"); a matrix as "\left[\begin{matrix} a & b \\ c & d
// \\ \end{matrix}\right]" with its elements in the same form. False for an index outside 0..29.
bool RegNameProcessing(int index, std::string& out);

// The formula view's markup of an engine text: "Empty String!" for an empty text, the power and TeX
// conversions, the size command (the main controller passes "\Large") and a blank in front, and the
// brace step over the whole. A conversion that overflows leaves sizeCommand + " " + kTexOverlength.
std::string ExpressionToTex(const std::string& engineText, const std::string& sizeCommand);

// Rasterises markup (tex::RenderTex with the shared fonts): the bitmap's width, height and one coverage
// byte per pixel, row-major. False, with 0 x 0 and no pixels, when nothing is drawn.
bool CreateGifFromEq(const std::string& markup, int& width, int& height, std::vector<std::uint8_t>& pixels);
