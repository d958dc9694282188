// The faces the formula renderer draws with, found on the file system at run time, and the glyph services
// the layout and the rasteriser need (lookup by code point, metrics, stretchy variants, drawing).
//
// Preferred faces are Latin Modern (fonts-lmodern): Latin Modern Math for symbols, italic letters and the
// stretchy delimiters, Latin Modern Roman for text. DejaVu (fonts-dejavu-core) stands in for whatever is
// missing. When ORVCALC_TEX_FONT_DIR is set, only that folder is searched.
//
// Not thread-safe: the formula view renders on the main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tex/grey_bitmap.h"
#include "tex/math_table.h"

namespace tex {

// Which kind of text a code point is looked up for; it decides the order in which faces are tried.
enum class FontRole {
    Math,        // symbols and digits: the math face first
    MathItalic,  // variables: the math face's italic letters, then an italic face
    Text,        // \text{...} and operator names: the text face first
};

struct GlyphRef {
    int face = -1;       // index into the loaded faces; -1 = no glyph
    unsigned glyph = 0;  // glyph index in that face
    bool valid() const { return face >= 0; }
    bool operator==(const GlyphRef&) const = default;
};

// Glyph extents in em, y growing upwards from the baseline.
struct GlyphMetrics {
    double advance = 0;
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    double italic = 0;     // italic correction
    double topAccent = 0;  // x where an accent centres over the glyph
};

// One glyph of a stretched delimiter: the glyph, drawn with its baseline `rise` em above the baseline of
// the whole construction and scaled by xScale, yScale (1 = as designed).
struct StretchPiece {
    GlyphRef ref;
    double rise = 0;
    double xScale = 1, yScale = 1;
};

enum class StretchKind {
    Delimiter,  // grows without bound: variants, then an assembly, then a vertical stretch
    Operator,   // a big operator: a ready-made variant, or the largest one scaled evenly
};

// A delimiter, radical or big operator built to a size: its pieces and its overall extents in em.
struct StretchedGlyph {
    std::vector<StretchPiece> pieces;
    double advance = 0, height = 0, depth = 0, italic = 0;
};

class TexFonts {
  public:
    // Loads faces from the first of `folders` that has each one (see the file names in the .cpp). An empty
    // list, or folders without any usable font, give an empty set (empty() is true).
    static std::unique_ptr<TexFonts> Load(const std::vector<std::string>& folders);

    // The folders searched by Shared(): ORVCALC_TEX_FONT_DIR alone when set, else the Debian locations.
    static std::vector<std::string> DefaultFolders();

    // The process-wide set, loaded from DefaultFolders() on first use and kept until exit.
    static TexFonts& Shared();

    ~TexFonts();
    TexFonts(const TexFonts&) = delete;
    TexFonts& operator=(const TexFonts&) = delete;

    bool empty() const;

    // File names of the loaded faces, for diagnostics ("math=...; text=...").
    std::string Description() const;

    // The layout constants of the math face, or the defaults when it has no MATH table.
    const MathConstants& Constants() const;

    // The glyph for a code point, trying the faces in the role's order; invalid when no face has it.
    // MathItalic maps Latin and lower-case Greek letters to their italic forms.
    GlyphRef Find(char32_t cp, FontRole role) const;

    GlyphMetrics Metrics(GlyphRef ref) const;

    // Builds `base` to at least `minHeight` em (height + depth) from the smallest size variant that reaches
    // it (the glyph itself when it is tall enough); failing that, a Delimiter is assembled from its
    // parts or else its largest variant is stretched vertically, and an Operator's largest variant is
    // scaled up evenly. Rises and extents are relative to a baseline of the
    // construction's own; the caller positions it by its height and depth.
    StretchedGlyph Stretch(GlyphRef base, double minHeight, StretchKind kind) const;

    // Draws a glyph of `sizePx` pixels per em with its origin at (x, y) pixels (y down), scaled by xScale
    // and yScale, blending its coverage into `target`. Parts outside the bitmap are clipped.
    void DrawGlyph(GlyphRef ref, double sizePx, double xScale, double yScale, double x, double y,
                   GreyBitmap& target) const;

  private:
    struct Impl;
    explicit TexFonts(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

}  // namespace tex
