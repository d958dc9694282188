#include "cli_formula.h"

#include "cli_calculator.h"
#include "engine/poly/poly_roots.h"
#include "tex/png_writer.h"
#include "tex/tex_convert.h"
#include "tex/tex_render.h"

namespace {

// The size command the main controller hands the formula view.
constexpr const char* kFormulaSize = "\\Large";

}  // namespace

int RunTex(const std::string& expression, const CliOptions& options, std::ostream& out, std::ostream&) {
    out << ExpressionToTex(EngineTextOf(expression, options), kFormulaSize) << "\n";
    return 0;
}

int RunTexPng(const std::string& file, const std::string& expression, const CliOptions& options,
              std::ostream& err) {
    const std::string markup = ExpressionToTex(EngineTextOf(expression, options), kFormulaSize);
    tex::GreyBitmap bitmap = tex::RenderTex(markup);
    if (bitmap.width == 0 || bitmap.height == 0) {
        err << "orvcalc: nothing to draw (no fonts installed?)\n";
        return 1;
    }
    if (!tex::WritePng(bitmap, file)) {
        err << "orvcalc: cannot write " << file << "\n";
        return 1;
    }
    return 0;
}

int RunRoots(const std::string& coefficients, std::ostream& out) {
    int status = 0;
    for (const std::string& line : PolynomialRootLines(coefficients)) {
        out << line << "\n";
        if (line == "Invalid parameters!" || line == "Invalid Parameters!" || line == "Cannot be solved!")
            status = 1;
    }
    return status;
}
