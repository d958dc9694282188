// PNG output of rendered formulas: both ink forms survive a round trip, files are replaced whole.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/temp_folder.h"
#include "tex/png_writer.h"

namespace {

tex::GreyBitmap Gradient(int w, int h) {
    tex::GreyBitmap bm{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h)};
    for (size_t i = 0; i < bm.pixels.size(); ++i) bm.pixels[i] = static_cast<uint8_t>(i * 37 % 256);
    return bm;
}

TEST(PngWriter, BothInkFormsRoundTrip) {
    const tex::GreyBitmap bm = Gradient(13, 7);
    for (tex::PngInk ink : {tex::PngInk::BlackOnWhite, tex::PngInk::BlackAlpha}) {
        const std::vector<uint8_t> png = tex::EncodePng(bm, ink);
        ASSERT_GT(png.size(), 8u);
        EXPECT_EQ(png[1], 'P');
        const tex::GreyBitmap back = tex::DecodePng(png);
        EXPECT_EQ(back.width, 13);
        EXPECT_EQ(back.height, 7);
        EXPECT_EQ(back.pixels, bm.pixels) << static_cast<int>(ink);
    }
}

TEST(PngWriter, EmptyOrInconsistentBitmapsAreRefused) {
    TempFolder dir;
    const std::string path = dir.file("f.png");
    EXPECT_FALSE(tex::WritePng(tex::GreyBitmap{}, path));
    EXPECT_FALSE(tex::WritePng(tex::GreyBitmap{4, 4, std::vector<uint8_t>(3)}, path));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(tex::DecodePng({}).empty());
    EXPECT_TRUE(tex::DecodePng({1, 2, 3, 4, 5}).empty());
}

TEST(PngWriter, WritesAndReplacesFilesWhole) {
    TempFolder dir;
    const std::string path = dir.file("formula.png");
    ASSERT_TRUE(tex::WritePng(Gradient(5, 5), path));
    ASSERT_TRUE(tex::WritePng(Gradient(9, 3), path));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const tex::GreyBitmap back = tex::DecodePng(bytes);
    EXPECT_EQ(back.width, 9);
    EXPECT_EQ(back.pixels, Gradient(9, 3).pixels);
    EXPECT_FALSE(tex::WritePng(Gradient(2, 2), dir.file("missing-folder/f.png")));
}

}  // namespace
