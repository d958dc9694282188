// The plot on the exporting canvases: pixels of the PNG canvas, elements of the SVG document.
#include <string>

#include "common/png_canvas.h"
#include "common/svg_canvas.h"
#include "plot_fixture.h"
#include "tex/png_writer.h"
#include "tex/tex_fonts.h"

namespace {

using PlotExport = PlotTest;

template <typename C>
void DrawOnBlack(C& canvas) {
    canvas.setFillColor({0, 0, 0, 1});
    canvas.fillRect({0, 0, 320, 380});
    DrawGraphs(canvas);
}

TEST_F(PlotExport, PngPixels) {
    ASSERT_EQ(AddGraph("x", "x", 255, 0, 0), kErrNone);
    ASSERT_EQ(AddGraph("3*x", "x", 0, 0, 255), kErrNone);
    PngCanvas png(320, 380);
    DrawOnBlack(png);
    // y = x passes pixel (209, 140) (x = 4.95: 160 + 49.5 across, 190 - 49.5 down), in red only.
    const PngCanvas::Pixel on = png.pixel(209, 140);
    EXPECT_GT(on.r, 200);
    EXPECT_EQ(on.g, 0);
    EXPECT_EQ(on.a, 255);
    // The frame at x = 5 covers half of columns 4 and 5.
    EXPECT_NEAR(png.pixel(5, 100).g, 128, 1);
    EXPECT_NEAR(png.pixel(4, 100).g, 128, 1);
    // Above the frame nothing shows: y = 3x leaves the rectangle at the top, the crosshair starts at y = 0.
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 320; ++x) {
            const PngCanvas::Pixel p = png.pixel(x, y);
            ASSERT_TRUE(p.r == 0 && p.g == 0 && p.b == 0 && p.a == 255) << x << "," << y;
        }
    }
    // The label "+5" in white, with the text face when one is installed.
    if (!tex::TexFonts::Shared().empty()) {
        int white = 0;
        for (int y = 170; y < 184; ++y)
            for (int x = 201; x < 216; ++x) white += png.pixel(x, y).g > 128 && png.pixel(x, y).r > 128;
        EXPECT_GE(white, 5);
    }
    const tex::GreyBitmap back = tex::DecodePng(png.encodePng());
    EXPECT_EQ(back.width, 320);
    EXPECT_EQ(back.height, 380);
}

TEST_F(PlotExport, SvgDocument) {
    ASSERT_EQ(AddGraph("1/x", "x", 255, 0, 0), kErrNone);
    SvgCanvas svg(320, 380);
    DrawOnBlack(svg);
    RecordingCanvas recorded;
    DrawGraphs(recorded);
    const std::string doc = svg.document();
    auto count = [&](const std::string& what) {
        size_t n = 0;
        for (size_t at = doc.find(what); at != std::string::npos; at = doc.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("<clipPath "), 1u);
    EXPECT_EQ(count("<text "), recorded.callsOf(CanvasOp::DrawText).size());
    // The two branches of 1/x: each one polyline, the segments joined end to end.
    EXPECT_EQ(count("stroke=\"rgb(255,0,0)\""), 1u);
    const size_t red = doc.find("stroke=\"rgb(255,0,0)\"");
    const size_t start = doc.rfind("<path d=\"", red);
    EXPECT_EQ(std::count(doc.begin() + static_cast<long>(start), doc.begin() + static_cast<long>(red), 'M'),
              2);
    EXPECT_NE(doc.find(">X=-7.80</text>"), std::string::npos);
    svg.drawText(u"a<&>\"'\u00e9", {0, 0}, {"Verdana-Bold", 10});
    EXPECT_NE(svg.document().find("font-weight=\"bold\" fill=\"rgb(0,0,0)\" xml:space=\"preserve\">"
                                  "a&lt;&amp;&gt;&quot;&apos;\xc3\xa9</text>"),
              std::string::npos);
}

}  // namespace
