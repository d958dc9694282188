#include "cli_plot.h"

#include <sys/stat.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/screens/graph/graph_colors.h"  // the plot screen's default colours of functions 1, 2 and 3
#include "cli_calculator.h"
#include "common/folder_storage.h"
#include "common/png_canvas.h"
#include "common/svg_canvas.h"
#include "numeric/errors.h"
#include "plot/plot.h"

namespace {

constexpr int kMinSide = 64;
constexpr int kMaxSide = PngCanvas::kMaxSide;
constexpr int kInset = 5;  // the plot rectangle inside the picture, as on the plot screen
constexpr int kMaxFunctions = 3;


struct PlotOptions {
    std::string file;
    bool svg = false;
    std::vector<std::string> functions;
    int width = 640, height = 480;
    int scale = kGraphDefaultPixels;
    double centerX = 0, centerY = 0;
};

bool EndsWith(const std::string& s, const char* suffix) {
    const size_t n = std::strlen(suffix);
    if (s.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - n + i])) != suffix[i]) return false;
    return true;
}

bool ParseInt(const std::string& s, int lo, int hi, int& out) {
    if (s.empty() || s.find_first_not_of("0123456789") != std::string::npos || s.size() > 9) return false;
    const long v = std::strtol(s.c_str(), nullptr, 10);
    if (v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}

bool ParseCoordinate(const std::string& s, double& out) {
    if (s.empty() || std::isspace(static_cast<unsigned char>(s[0]))) return false;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v) || std::fabs(v) > kGraphMaxGoto) return false;
    out = v;
    return true;
}

// Reads "A<sep>B" into two strings.
bool Split(const std::string& s, char sep, std::string& a, std::string& b) {
    const size_t at = s.find(sep);
    if (at == std::string::npos) return false;
    a = s.substr(0, at);
    b = s.substr(at + 1);
    return true;
}

bool ParseOption(const std::string& name, const std::string& value, PlotOptions& o, std::string& error) {
    std::string a, b;
    if (name == "--size") {
        if (Split(value, 'x', a, b) && ParseInt(a, kMinSide, kMaxSide, o.width) &&
            ParseInt(b, kMinSide, kMaxSide, o.height))
            return true;
        error =
            "--size needs WIDTHxHEIGHT, each " + std::to_string(kMinSide) + " to " + std::to_string(kMaxSide);
    } else if (name == "--scale") {
        if (ParseInt(value, kGraphMinPixels, kGraphMaxPixels, o.scale)) return true;
        error = "--scale needs pixels per unit from " + std::to_string(kGraphMinPixels) + " to " +
                std::to_string(kGraphMaxPixels);
    } else if (name == "--center") {
        if (Split(value, ',', a, b) && ParseCoordinate(a, o.centerX) && ParseCoordinate(b, o.centerY))
            return true;
        error = "--center needs X,Y, each a number within -65535 to 65535";
    }
    return false;
}

bool ParsePlotOptions(int argc, char** argv, PlotOptions& o, std::string& error) {
    bool haveFile = false, positionalOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (positionalOnly || a.rfind("--", 0) != 0) {
            o.functions.push_back(a);
        } else if (a == "--") {
            positionalOnly = true;
        } else if (a == "--plot" || a == "--size" || a == "--scale" || a == "--center") {
            if (i + 1 >= argc) {
                error = "missing value for " + a;
                return false;
            }
            const std::string value = argv[++i];
            if (a != "--plot") {
                if (!ParseOption(a, value, o, error)) return false;
            } else if (haveFile) {
                error = "--plot given twice";
                return false;
            } else {
                haveFile = true;
                o.file = value;
            }
        } else {
            error = "unknown option " + a + " for --plot";
            return false;
        }
    }
    o.svg = EndsWith(o.file, ".svg");
    if (!o.svg && !EndsWith(o.file, ".png")) {
        error = "--plot needs a file name ending in .png or .svg";
    } else if (o.functions.empty()) {
        error = "--plot needs one to three functions of x";
    } else if (o.functions.size() > static_cast<size_t>(kMaxFunctions)) {
        error = "--plot draws at most three functions";
    } else {
        return true;
    }
    return false;
}

// Sets the plot up as the options ask, through the engine's own zoom and pan, and adds the functions.
// Returns false when any function could not be plotted (reported on err).
bool BuildPlot(const PlotOptions& o, std::ostream& err) {
    CreateGraphic(kInset, kInset, o.width - 2 * kInset, o.height - 2 * kInset);
    const GRAPHIC_STATE& s = GetGraphicState();
    Zoom(o.scale - s.m_nPixelsX, o.scale - s.m_nPixelsY);
    const int offsetX = -static_cast<int>(std::lround(o.centerX * o.scale));
    const int offsetY = static_cast<int>(std::lround(o.centerY * o.scale));
    Move(offsetX - s.m_nOffsetX, offsetY - s.m_nOffsetY);
    bool allPlotted = true;
    for (size_t i = 0; i < o.functions.size(); ++i) {
        const std::string text = EngineTextOf(o.functions[i], CliOptions{});
        const int code = AddGraph(text.c_str(), "x", kDefaultGraphColors[i].red, kDefaultGraphColors[i].green,
                                  kDefaultGraphColors[i].blue);
        if (code != kErrNone) {
            err << "orvcalc: function " << i + 1 << " \"" << o.functions[i] << "\": " << ErrorMessage(code)
                << "\n";
            allPlotted = false;
        }
    }
    return allPlotted;
}

// Draws the plot on a black picture of the canvas's kind and returns the file's bytes.
template <typename PictureCanvas, typename Encode>
std::vector<uint8_t> Picture(const PlotOptions& o, Encode encode) {
    PictureCanvas canvas(o.width, o.height);
    canvas.setFillColor({0, 0, 0, 1});
    canvas.fillRect({0, 0, static_cast<double>(o.width), static_cast<double>(o.height)});
    DrawGraphs(canvas);
    return encode(canvas);
}

// Replaces the file atomically. The storage's atomic write makes a private file; a picture gets the
// permissions any new file of the user gets.
bool WritePicture(const std::string& path, const std::vector<uint8_t>& bytes) {
    FolderStorage files("", "");
    if (bytes.empty() || !files.writeFileAtomically(path, bytes)) return false;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(path.c_str(), 0666 & ~mask);
    return true;
}

}  // namespace

bool IsPlotInvocation(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) return false;
        if (std::strcmp(argv[i], "--plot") == 0) return true;
    }
    return false;
}

int RunPlot(int argc, char** argv, std::ostream&, std::ostream& err) {
    PlotOptions o;
    std::string error;
    if (!ParsePlotOptions(argc, argv, o, error)) {
        err << "orvcalc: " << error << "\n"
            << "usage: orvcalc --plot OUT.png|OUT.svg \"F1\" [\"F2\" [\"F3\"]] [--size WxH] [--scale PIXELS] "
               "[--center X,Y]\n";
        return 2;
    }
    const bool allPlotted = BuildPlot(o, err);
    const std::vector<uint8_t> bytes =
        o.svg ? Picture<SvgCanvas>(o,
                                   [](const SvgCanvas& c) {
                                       const std::string d = c.document();
                                       return std::vector<uint8_t>(d.begin(), d.end());
                                   })
              : Picture<PngCanvas>(o, [](const PngCanvas& c) { return c.encodePng(); });
    RemoveAllGraph();
    if (!WritePicture(o.file, bytes)) {
        err << "orvcalc: cannot write " << o.file << "\n";
        return 1;
    }
    return allPlotted ? 0 : 1;
}
