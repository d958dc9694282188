// Coverage masks (rasterised formulas) on the exporting canvases: painted in the fill colour, each byte's
// coverage as opacity, scaled into the destination; a mask of the wrong size is ignored.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/png_canvas.h"
#include "common/svg_canvas.h"

namespace {

// 2 x 2: transparent, opaque / half, transparent.
const std::vector<std::uint8_t> kMask = {0, 255, 128, 0};

TEST(CoverageExport, PngPaintsEachPixelAtItsCoverage) {
    PngCanvas png(8, 8);
    png.setFillColor({0, 0, 0, 1});
    png.fillRect({0, 0, 8, 8});
    png.setFillColor({1, 0, 0, 1});
    png.drawCoverage(kMask, 2, 2, {2, 2, 4, 4});  // each mask pixel becomes 2 x 2
    EXPECT_EQ(png.pixel(2, 2).r, 0) << "no coverage";
    EXPECT_GT(png.pixel(4, 2).r, 250);
    EXPECT_GT(png.pixel(5, 3).r, 250);
    EXPECT_NEAR(png.pixel(2, 4).r, 128, 2);
    EXPECT_EQ(png.pixel(4, 4).r, 0);
    EXPECT_EQ(png.pixel(7, 7).r, 0) << "outside the destination";
    png.drawCoverage(kMask, 3, 2, {0, 0, 8, 8});  // 6 bytes expected, 4 given
    EXPECT_EQ(png.pixel(0, 0).r, 0);
}

TEST(CoverageExport, SvgFillsRunsWithTheirOpacity) {
    SvgCanvas svg(8, 8);
    svg.setFillColor({0, 0, 1, 1});
    svg.drawCoverage(kMask, 2, 2, {0, 0, 2, 2});
    const std::string doc = svg.document();
    size_t paths = 0;
    for (size_t k = doc.find("<path"); k != std::string::npos; k = doc.find("<path", k + 1)) ++paths;
    EXPECT_EQ(paths, 2u) << doc;
    EXPECT_NE(doc.find("fill-opacity"), std::string::npos) << "the half-covered pixel" << doc;
}

}  // namespace
