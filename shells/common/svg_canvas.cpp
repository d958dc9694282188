#include "common/svg_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/display/line_text.h"

namespace {

constexpr double kAdvance = 0.6;   // estimated width of one UTF-16 unit, in font sizes
constexpr double kBaseline = 0.9;  // baseline below the top of a line, in font sizes

// A coordinate with at most two decimals and no trailing zeros.
std::string Num(double v) {
    if (!std::isfinite(v)) v = 0;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", v);
    std::string s = buffer;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string Colour(const CanvasColor& c) {
    auto channel = [](double v) {
        return std::to_string(static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255)));
    };
    return "rgb(" + channel(c.r) + "," + channel(c.g) + "," + channel(c.b) + ")";
}

// The colour as an attribute pair, with its opacity when it is not opaque.
std::string Paint(const char* name, const CanvasColor& c) {
    std::string s = std::string(name) + "=\"" + Colour(c) + "\"";
    if (c.a < 1) s += std::string(" ") + name + "-opacity=\"" + Num(std::clamp(c.a, 0.0, 1.0)) + "\"";
    return s;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                // Control characters are not allowed in XML 1.0 text.
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n') out += c;
        }
    }
    return out;
}

std::string PathData(const std::vector<PathCanvas::Subpath>& path) {
    std::string d;
    for (const PathCanvas::Subpath& sub : path) {
        for (size_t i = 0; i < sub.points.size(); ++i) {
            if (!d.empty()) d += ' ';
            d += i == 0 ? 'M' : 'L';
            d += Num(sub.points[i].x) + ' ' + Num(sub.points[i].y);
        }
        if (sub.closed) d += " Z";
    }
    return d;
}

}  // namespace

SvgCanvas::SvgCanvas(int width, int height) : m_width(std::max(1, width)), m_height(std::max(1, height)) {}

std::string SvgCanvas::clipAttribute() {
    const std::optional<CanvasRect>& clip = state().clip;
    if (!clip) return "";
    auto same = [&](const CanvasRect& r) {
        return r.x == clip->x && r.y == clip->y && r.width == clip->width && r.height == clip->height;
    };
    auto it = std::find_if(m_clips.begin(), m_clips.end(), same);
    const size_t index = static_cast<size_t>(it - m_clips.begin());
    if (it == m_clips.end()) {
        flushPath();
        m_clips.push_back(*clip);
        m_body += "<clipPath id=\"c" + std::to_string(index) + "\"><rect x=\"" + Num(clip->x) + "\" y=\"" +
                  Num(clip->y) + "\" width=\"" + Num(clip->width) + "\" height=\"" + Num(clip->height) +
                  "\"/></clipPath>\n";
    }
    return " clip-path=\"url(#c" + std::to_string(index) + ")\"";
}

void SvgCanvas::emitPath(const std::vector<Subpath>& path, const std::string& attributes) {
    if (attributes != m_pendingAttributes) flushPath();
    m_pendingAttributes = attributes;
    for (const Subpath& sub : path) {
        // A line that starts where the previous one ended continues it (a curve drawn segment by segment).
        const bool continues = !sub.closed && m_pendingEnd && !sub.points.empty() &&
                               sub.points.front().x == m_pendingEnd->x &&
                               sub.points.front().y == m_pendingEnd->y;
        std::string d = PathData({sub});
        if (d.empty()) continue;
        if (continues) d = d.substr(d.find(' ', d.find(' ') + 1) + 1);  // drop "Mx y "
        if (continues && d.empty()) continue;
        if (!m_pendingD.empty()) m_pendingD += ' ';
        m_pendingD += d;
        m_pendingEnd = sub.closed ? std::nullopt : std::optional<CanvasPoint>(sub.points.back());
    }
}

void SvgCanvas::flushPath() {
    if (!m_pendingD.empty()) m_body += "<path d=\"" + m_pendingD + "\"" + m_pendingAttributes + "/>\n";
    m_pendingD.clear();
    m_pendingAttributes.clear();
    m_pendingEnd.reset();
}

void SvgCanvas::stroke(const std::vector<Subpath>& path) {
    if (PathData(path).empty() || state().lineWidth <= 0) return;
    const std::string clip = clipAttribute();
    emitPath(path, " fill=\"none\" " + Paint("stroke", state().stroke) + " stroke-width=\"" +
                       Num(state().lineWidth) + "\" stroke-linejoin=\"round\"" + clip);
}

void SvgCanvas::fill(const std::vector<Subpath>& path) {
    const std::string d = PathData(path);
    if (d.empty()) return;
    const std::string clip = clipAttribute();
    flushPath();
    m_body += "<path d=\"" + d + "\" " + Paint("fill", state().fill) + clip + "/>\n";
}

void SvgCanvas::drawImage(const std::string& name, const CanvasRect& dest,
                          const std::optional<CanvasRect>& source) {
    const std::string clip = clipAttribute();
    flushPath();
    const std::string box = "x=\"" + Num(dest.x) + "\" y=\"" + Num(dest.y) + "\" width=\"" + Num(dest.width) +
                            "\" height=\"" + Num(dest.height) + "\"";
    if (source) {
        // The crop as a viewport onto the image's own pixels.
        m_body += "<svg " + box + " viewBox=\"" + Num(source->x) + " " + Num(source->y) + " " +
                  Num(source->width) + " " + Num(source->height) + "\" preserveAspectRatio=\"none\"" + clip +
                  "><image href=\"" + Escape(name) + "\"/></svg>\n";
    } else {
        m_body +=
            "<image href=\"" + Escape(name) + "\" " + box + " preserveAspectRatio=\"none\"" + clip + "/>\n";
    }
}

void SvgCanvas::drawText(const std::u16string& text, CanvasPoint origin, const CanvasFont& font) {
    if (text.empty()) return;
    const std::string clip = clipAttribute();
    flushPath();
    const bool bold = font.name.size() >= 5 && font.name.compare(font.name.size() - 5, 5, "-Bold") == 0;
    m_body += "<text x=\"" + Num(origin.x) + "\" y=\"" + Num(origin.y + kBaseline * font.size) +
              "\" font-family=\"Verdana, DejaVu Sans, sans-serif\" font-size=\"" + Num(font.size) + "\"" +
              (bold ? " font-weight=\"bold\" " : " ") + Paint("fill", state().fill) + clip +
              " xml:space=\"preserve\">" + Escape(U16ToUtf8(text)) + "</text>\n";
}

CanvasTextSize SvgCanvas::measureText(const std::u16string& text, const CanvasFont& font) const {
    return CanvasTextSize{kAdvance * font.size * static_cast<double>(text.size()), font.size};
}

std::string SvgCanvas::document() const {
    std::string pending;
    if (!m_pendingD.empty()) pending = "<path d=\"" + m_pendingD + "\"" + m_pendingAttributes + "/>\n";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           std::to_string(m_width) + "\" height=\"" + std::to_string(m_height) + "\" viewBox=\"0 0 " +
           std::to_string(m_width) + " " + std::to_string(m_height) + "\">\n" + m_body + pending + "</svg>\n";
}
