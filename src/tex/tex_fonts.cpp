#include "tex/tex_fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <unordered_map>

namespace tex {

namespace {

// File names per role, best first. Latin Modern comes from fonts-lmodern, DejaVu from fonts-dejavu-core
// (DejaVuMathTeXGyre from fonts-dejavu-extra, when present).
const char* const kMathFiles[] = {"latinmodern-math.otf", "DejaVuMathTeXGyre.ttf"};
const char* const kTextFiles[] = {"lmroman10-regular.otf", "DejaVuSerif.ttf", "DejaVuSans.ttf"};
const char* const kItalicFiles[] = {"lmroman10-italic.otf", "DejaVuSerif-Italic.ttf",
                                    "DejaVuSans-Oblique.ttf"};
const char* const kSymbolFiles[] = {"DejaVuSans.ttf", "DejaVuSerif.ttf"};

const char* const kDebianFolders[] = {
    "/usr/share/texmf/fonts/opentype/public/lm-math",
    "/usr/share/texmf/fonts/opentype/public/lm",
    "/usr/share/texlive/texmf-dist/fonts/opentype/public/lm-math",
    "/usr/share/texlive/texmf-dist/fonts/opentype/public/lm",
    "/usr/share/fonts/opentype/lmodern",
    "/usr/share/fonts/truetype/dejavu",
    "/usr/share/fonts/dejavu",
    "/usr/share/fonts/TTF",
};

// A MATH table larger than this is not a font we ship; it is ignored rather than read into memory.
constexpr FT_ULong kMaxMathTableBytes = 4u << 20;

// Glyphs drawn larger than this many pixels are skipped: no formula needs them, and they would make
// FreeType allocate huge bitmaps.
constexpr double kMaxGlyphPixels = 4096;

// Assemblies of more pieces than this are cut short.
constexpr int kMaxAssemblyRepeats = 200;

char32_t ItalicForm(char32_t cp) {
    if (cp == 'h') return 0x210E;  // the one italic letter outside the contiguous block
    if (cp >= 'a' && cp <= 'z') return 0x1D44E + (cp - 'a');
    if (cp >= 'A' && cp <= 'Z') return 0x1D434 + (cp - 'A');
    if (cp >= 0x3B1 && cp <= 0x3C9) return 0x1D6FC + (cp - 0x3B1);
    return 0;
}

struct FaceData {
    FT_Face face = nullptr;
    std::string file;
    MathTable math;
    bool italic = false;
    double unitsPerEm = 1000;
    FT_F26Dot6 charSize = 0;  // the size last set, to skip redundant FT_Set_Char_Size calls
};

}  // namespace

struct TexFonts::Impl {
    FT_Library library = nullptr;
    std::vector<FaceData> faces;
    int math = -1, text = -1, italic = -1, symbol = -1;
    const MathConstants* constants = nullptr;
    MathConstants defaults;
    mutable std::unordered_map<uint64_t, GlyphMetrics> metrics;

    ~Impl() {
        for (FaceData& f : faces) FT_Done_Face(f.face);
        if (library != nullptr) FT_Done_FreeType(library);
    }

    int Open(const std::string& path, bool italicFace);
    int OpenFirst(const std::vector<std::string>& folders, const char* const* names, size_t count, bool it);
    GlyphRef FindIn(int face, char32_t cp) const;
    GlyphMetrics LoadMetrics(GlyphRef ref) const;
    const MathGlyphConstruction* Construction(GlyphRef ref) const;
    StretchedGlyph Assemble(int face, const std::vector<MathGlyphPart>& parts, double minHeight) const;
};

int TexFonts::Impl::Open(const std::string& path, bool italicFace) {
    for (size_t i = 0; i < faces.size(); ++i) {
        if (faces[i].file == path) return static_cast<int>(i);
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) return -1;
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
        FT_Done_Face(face);
        return -1;
    }
    FaceData data;
    data.face = face;
    data.file = path;
    data.italic = italicFace;
    data.unitsPerEm = face->units_per_EM;
    FT_ULong length = 0;
    const FT_ULong tag = FT_MAKE_TAG('M', 'A', 'T', 'H');
    if (FT_Load_Sfnt_Table(face, tag, 0, nullptr, &length) == 0 && length > 0 &&
        length <= kMaxMathTableBytes) {
        std::string bytes(length, '\0');
        if (FT_Load_Sfnt_Table(face, tag, 0, reinterpret_cast<FT_Byte*>(bytes.data()), &length) == 0) {
            data.math = ParseMathTable(bytes, face->units_per_EM);
        }
    }
    faces.push_back(std::move(data));
    return static_cast<int>(faces.size() - 1);
}

int TexFonts::Impl::OpenFirst(const std::vector<std::string>& folders, const char* const* names, size_t count,
                              bool it) {
    for (size_t n = 0; n < count; ++n) {
        for (const std::string& folder : folders) {
            const std::filesystem::path path = std::filesystem::path(folder) / names[n];
            std::error_code ec;
            if (!std::filesystem::is_regular_file(path, ec)) continue;
            const int index = Open(path.string(), it);
            if (index >= 0) return index;
        }
    }
    return -1;
}

GlyphRef TexFonts::Impl::FindIn(int face, char32_t cp) const {
    if (face < 0 || cp == 0) return {};
    const FT_UInt glyph = FT_Get_Char_Index(faces[face].face, cp);
    if (glyph == 0) return {};
    return {face, glyph};
}

GlyphMetrics TexFonts::Impl::LoadMetrics(GlyphRef ref) const {
    GlyphMetrics m;
    const FaceData& f = faces[ref.face];
    if (FT_Load_Glyph(f.face, ref.glyph, FT_LOAD_NO_SCALE) != 0) return m;
    const FT_Glyph_Metrics& g = f.face->glyph->metrics;
    const double em = f.unitsPerEm;
    m.advance = g.horiAdvance / em;
    m.xMin = g.horiBearingX / em;
    m.xMax = (g.horiBearingX + g.width) / em;
    m.yMax = g.horiBearingY / em;
    m.yMin = (g.horiBearingY - g.height) / em;
    const auto italic = f.math.italicCorrection.find(static_cast<uint16_t>(ref.glyph));
    if (italic != f.math.italicCorrection.end()) {
        m.italic = italic->second;
    } else if (f.italic) {
        // Without a MATH table the overhang past the advance is the best estimate of the correction.
        m.italic = std::max(0.0, m.xMax - m.advance);
    }
    const auto accent = f.math.topAccent.find(static_cast<uint16_t>(ref.glyph));
    m.topAccent = accent != f.math.topAccent.end() ? accent->second : (m.xMin + m.xMax) / 2;
    return m;
}

const MathGlyphConstruction* TexFonts::Impl::Construction(GlyphRef ref) const {
    if (!ref.valid() || ref.glyph > 0xFFFF) return nullptr;
    const auto& vertical = faces[ref.face].math.vertical;
    const auto it = vertical.find(static_cast<uint16_t>(ref.glyph));
    return it == vertical.end() ? nullptr : &it->second;
}

StretchedGlyph TexFonts::Impl::Assemble(int face, const std::vector<MathGlyphPart>& parts,
                                        double minHeight) const {
    const double minOverlap = faces[face].math.minConnectorOverlap;
    // The fewest extender repeats whose stack, overlapped as little as allowed, reaches minHeight.
    std::vector<const MathGlyphPart*> stack;
    for (int repeats = 0; repeats <= kMaxAssemblyRepeats; ++repeats) {
        stack.clear();
        for (const MathGlyphPart& p : parts) {
            for (int k = 0; k < (p.extender ? repeats : 1); ++k) stack.push_back(&p);
        }
        double full = 0;
        for (const MathGlyphPart* p : stack) full += p->fullAdvance;
        if (full - minOverlap * (static_cast<double>(stack.size()) - 1) >= minHeight) break;
    }
    StretchedGlyph out;
    if (stack.empty()) return out;
    // One overlap for every joint, as large as the connectors allow but no larger than needed.
    double full = 0, maxOverlap = 1e9;
    for (size_t i = 0; i < stack.size(); ++i) {
        full += stack[i]->fullAdvance;
        if (i > 0) maxOverlap = std::min({maxOverlap, stack[i - 1]->endConnector, stack[i]->startConnector});
    }
    const double joints = static_cast<double>(stack.size()) - 1;
    double overlap = joints > 0 ? (full - minHeight) / joints : 0;
    overlap = std::max(minOverlap, std::min(overlap, std::max(maxOverlap, minOverlap)));
    double y = 0;
    for (const MathGlyphPart* p : stack) {
        const GlyphRef ref{face, p->glyph};
        const GlyphMetrics m = LoadMetrics(ref);
        out.pieces.push_back({ref, y - m.yMin, 1, 1});
        out.advance = std::max(out.advance, m.advance);
        y += p->fullAdvance - overlap;
    }
    out.height = y + overlap;
    out.depth = 0;
    return out;
}

TexFonts::TexFonts(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}
TexFonts::~TexFonts() = default;

std::unique_ptr<TexFonts> TexFonts::Load(const std::vector<std::string>& folders) {
    auto impl = std::make_unique<Impl>();
    if (FT_Init_FreeType(&impl->library) != 0) impl->library = nullptr;
    if (impl->library != nullptr) {
        impl->math = impl->OpenFirst(folders, kMathFiles, std::size(kMathFiles), false);
        impl->text = impl->OpenFirst(folders, kTextFiles, std::size(kTextFiles), false);
        impl->italic = impl->OpenFirst(folders, kItalicFiles, std::size(kItalicFiles), true);
        impl->symbol = impl->OpenFirst(folders, kSymbolFiles, std::size(kSymbolFiles), false);
    }
    impl->constants = &impl->defaults;
    // Only a math face's constants are trusted: text faces may carry a MATH table for their variants
    // whose constants are left at zero.
    if (impl->math >= 0 && impl->faces[impl->math].math.hasConstants) {
        impl->constants = &impl->faces[impl->math].math.constants;
    }
    return std::unique_ptr<TexFonts>(new TexFonts(std::move(impl)));
}

std::vector<std::string> TexFonts::DefaultFolders() {
    const char* override = std::getenv("ORVCALC_TEX_FONT_DIR");
    if (override != nullptr && *override != '\0') return {override};
    return {std::begin(kDebianFolders), std::end(kDebianFolders)};
}

TexFonts& TexFonts::Shared() {
    static const std::unique_ptr<TexFonts> shared = Load(DefaultFolders());
    return *shared;
}

bool TexFonts::empty() const {
    return m_impl->faces.empty();
}

std::string TexFonts::Description() const {
    std::string out;
    const std::pair<const char*, int> roles[] = {{"math", m_impl->math},
                                                 {"text", m_impl->text},
                                                 {"italic", m_impl->italic},
                                                 {"symbols", m_impl->symbol}};
    for (const auto& [name, face] : roles) {
        if (face < 0) continue;
        if (!out.empty()) out += "; ";
        out += name;
        out += '=';
        out += std::filesystem::path(m_impl->faces[face].file).filename().string();
    }
    return out.empty() ? "no fonts" : out;
}

const MathConstants& TexFonts::Constants() const {
    return *m_impl->constants;
}

GlyphRef TexFonts::Find(char32_t cp, FontRole role) const {
    const Impl& d = *m_impl;
    if (role == FontRole::MathItalic) {
        const char32_t italic = ItalicForm(cp);
        if (italic != 0) {
            // The mathematical italic letters, in whichever face has them, before an italic text face.
            for (int face : {d.math, d.text, d.symbol}) {
                if (GlyphRef r = d.FindIn(face, italic); r.valid()) return r;
            }
            if (GlyphRef r = d.FindIn(d.italic, cp); r.valid()) return r;
        }
    }
    const int mathOrder[] = {d.math, d.text, d.symbol, d.italic};
    const int textOrder[] = {d.text, d.math, d.symbol, d.italic};
    for (int face : role == FontRole::Text ? textOrder : mathOrder) {
        if (GlyphRef r = d.FindIn(face, cp); r.valid()) return r;
    }
    return {};
}

GlyphMetrics TexFonts::Metrics(GlyphRef ref) const {
    if (!ref.valid() || ref.face >= static_cast<int>(m_impl->faces.size())) return {};
    const uint64_t key = (static_cast<uint64_t>(ref.face) << 32) | ref.glyph;
    const auto it = m_impl->metrics.find(key);
    if (it != m_impl->metrics.end()) return it->second;
    const GlyphMetrics m = m_impl->LoadMetrics(ref);
    m_impl->metrics.emplace(key, m);
    return m;
}

StretchedGlyph TexFonts::Stretch(GlyphRef base, double minHeight, StretchKind kind) const {
    StretchedGlyph out;
    if (!base.valid()) return out;
    GlyphRef chosen = base;
    const MathGlyphConstruction* c = m_impl->Construction(base);
    const GlyphMetrics baseMetrics = Metrics(base);
    bool reached = baseMetrics.yMax - baseMetrics.yMin >= minHeight;  // some fonts list no variants
    if (c != nullptr && !reached) {
        for (const MathGlyphVariant& v : c->variants) {
            chosen = {base.face, v.glyph};  // ends on the largest when none is big enough
            if (v.size >= minHeight) {
                reached = true;
                break;
            }
        }
        if (!reached && kind == StretchKind::Delimiter && !c->parts.empty()) {
            return m_impl->Assemble(base.face, c->parts, minHeight);
        }
    }
    const GlyphMetrics m = Metrics(chosen);
    const double ink = m.yMax - m.yMin;
    double xScale = 1, yScale = 1;
    if (!reached && ink > 0 && ink < minHeight) {
        // A delimiter must enclose its contents, so it is stretched; an operator grows in both
        // directions to keep its shape.
        yScale = minHeight / ink;
        if (kind == StretchKind::Operator) xScale = yScale;
    }
    out.pieces.push_back({chosen, 0, xScale, yScale});
    out.advance = m.advance * xScale;
    out.height = m.yMax * yScale;
    out.depth = -m.yMin * yScale;
    out.italic = m.italic * xScale;
    return out;
}

void TexFonts::DrawGlyph(GlyphRef ref, double sizePx, double xScale, double yScale, double x, double y,
                         GreyBitmap& target) const {
    if (!ref.valid() || ref.face >= static_cast<int>(m_impl->faces.size()) || target.empty()) return;
    if (!(sizePx > 0) || !(xScale > 0) || !(yScale > 0)) return;
    if (sizePx * std::max(xScale, yScale) > kMaxGlyphPixels) return;
    // Skip glyphs wholly outside the bitmap before asking FreeType to render them.
    const GlyphMetrics m = Metrics(ref);
    const double left = x + m.xMin * sizePx * xScale - 2, right = x + m.xMax * sizePx * xScale + 2;
    const double top = y - m.yMax * sizePx * yScale - 2, bottom = y - m.yMin * sizePx * yScale + 2;
    if (right < 0 || bottom < 0 || left > target.width || top > target.height) return;

    FaceData& f = m_impl->faces[ref.face];
    const FT_F26Dot6 charSize = std::lround(sizePx * 64);
    if (charSize != f.charSize) {
        if (FT_Set_Char_Size(f.face, 0, charSize, 72, 72) != 0) return;
        f.charSize = charSize;
    }
    const double ix = std::floor(x), iy = std::floor(y);
    FT_Matrix matrix{std::lround(xScale * 65536), 0, 0, std::lround(yScale * 65536)};
    FT_Vector delta{std::lround((x - ix) * 64), -std::lround((y - iy) * 64)};
    FT_Set_Transform(f.face, &matrix, &delta);
    const bool loaded = FT_Load_Glyph(f.face, ref.glyph, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0 &&
                        FT_Render_Glyph(f.face->glyph, FT_RENDER_MODE_NORMAL) == 0;
    FT_Set_Transform(f.face, nullptr, nullptr);
    if (!loaded) return;
    const FT_GlyphSlot slot = f.face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY || bm.buffer == nullptr) return;
    const long originX = static_cast<long>(ix) + slot->bitmap_left;
    const long originY = static_cast<long>(iy) - slot->bitmap_top;
    const long rows = static_cast<long>(bm.rows), cols = static_cast<long>(bm.width);
    const long pitch = std::labs(static_cast<long>(bm.pitch));
    const long firstRow = std::max(0L, -originY), lastRow = std::min(rows, target.height - originY);
    const long firstCol = std::max(0L, -originX), lastCol = std::min(cols, target.width - originX);
    for (long r = firstRow; r < lastRow; ++r) {
        // An upward-flowing bitmap stores its top row last.
        const unsigned char* src = bm.buffer + (bm.pitch >= 0 ? r : rows - 1 - r) * pitch;
        uint8_t* dst = target.pixels.data() + static_cast<size_t>(originY + r) * target.width + originX;
        for (long c = firstCol; c < lastCol; ++c) {
            const unsigned s = src[c];
            if (s == 0) continue;
            dst[c] = static_cast<uint8_t>(s + dst[c] * (255 - s) / 255);
        }
    }
}

}  // namespace tex
