// The converter's remembered state as text: exact formats, and damaged files giving defaults.
#include "app/screens/converter/converter_files.h"

#include <gtest/gtest.h>

#include "app/screens/text_format.h"

namespace {

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

TEST(ConverterFiles, ExactTextFormatsRoundTrip) {
    BoxHistory h = DefaultBoxHistory();
    EXPECT_EQ(EncodeBoxHistory(h), Repeat("0 1 2 ", kGroupSlots));
    h[1] = {4, 0, 9};
    const std::string text = EncodeBoxHistory(h);
    EXPECT_EQ(text.substr(0, 12), "0 1 2 4 0 9 ");
    EXPECT_EQ(DecodeBoxHistory(text), h);
    EXPECT_EQ(EncodeBoxHistory(DecodeBoxHistory(text)), text);

    FavouriteTable f;
    EXPECT_EQ(EncodeFavouriteTable(f), Repeat("0 ", kGroupSlots));
    f[1] = {7, 3};
    f[199] = {0};
    const std::string favs = EncodeFavouriteTable(f);
    EXPECT_EQ(favs.substr(0, 10), "0 2 7 3 0 ");
    EXPECT_EQ(favs.substr(favs.size() - 4), "1 0 ");
    EXPECT_EQ(DecodeFavouriteTable(favs), f);
    EXPECT_EQ(EncodeFavouriteTable(DecodeFavouriteTable(favs)), favs);

    EXPECT_EQ(EncodeFavouriteList({5, 1, 0}), "3 5 1 0 ");
    EXPECT_EQ(DecodeFavouriteList("3 5 1 0 "), (std::vector<int>{5, 1, 0}));
    EXPECT_EQ(EncodeFavouriteList({}), "0 ");
}

TEST(ConverterFiles, DamagedHistoryGivesDefaultsPlaceByPlace) {
    struct Row {
        const char* note;
        std::string text;
        BoxUnits first;
        BoxUnits second;
    };
    const Row rows[] = {
        {"empty", "", {0, 1, 2}, {0, 1, 2}},
        {"short", "5 6", {5, 6, 2}, {0, 1, 2}},
        {"negative", "-1 -5 3 -7 1 1", {0, 1, 3}, {0, 1, 1}},
        {"huge", "99999999999 2147483647 609 610 4 4", {0, 1, 609}, {0, 4, 4}},
        {"not numbers", "a 3 b\n7\t8 9x", {0, 3, 2}, {7, 8, 2}},
        {"long", Repeat("3 4 5 ", 1000), {3, 4, 5}, {3, 4, 5}},
        {"binary", std::string("\x00\xff\x01 2", 5), {0, 2, 2}, {0, 1, 2}},
    };
    for (const Row& r : rows) {
        const BoxHistory h = DecodeBoxHistory(r.text);
        EXPECT_EQ(h[0], r.first) << r.note;
        EXPECT_EQ(h[1], r.second) << r.note;
        EXPECT_EQ(h[kGroupSlots - 1], (r.note == std::string("long") ? BoxUnits{3, 4, 5} : BoxUnits{0, 1, 2}))
            << r.note;
    }
}

TEST(ConverterFiles, DamagedFavouritesGiveWhatCanBeRead) {
    struct Row {
        const char* note;
        std::string text;
        std::vector<int> first;
        std::vector<int> second;
    };
    const Row rows[] = {
        {"empty", "", {}, {}},
        {"short", "3 1 2", {1, 2}, {}},
        {"bad indices", "4 -1 700 5 5 1 9", {5}, {9}},
        {"huge count", "99999999999 1 2", {}, {}},
        {"count over ten", "11 0 1 2 3 4 5 6 7 8 9 10", {}, {}},
        {"negative count", "-3 1 2 3", {}, {}},
        {"not a number", "x 1", {}, {}},
        {"long", "1 4 1 5 " + Repeat("0 ", 5000), {4}, {5}},
    };
    for (const Row& r : rows) {
        const FavouriteTable t = DecodeFavouriteTable(r.text);
        EXPECT_EQ(t[0], r.first) << r.note;
        EXPECT_EQ(t[1], r.second) << r.note;
    }
    EXPECT_EQ(DecodeFavouriteList("2 199 200"), (std::vector<int>{199}));
    EXPECT_EQ(DecodeFavouriteList("-1 4"), std::vector<int>{});
    EXPECT_EQ(DecodeFavouriteList("12 1 2 3 4 5 6 7 8 9 10 11 12"), std::vector<int>{});
}

TEST(ConverterFiles, FavouritesGoToTheFrontAndTheEleventhDropsTheOldest) {
    std::vector<int> f;
    for (int u = 0; u < 11; ++u) AddFavourite(f, u);
    EXPECT_EQ(f, (std::vector<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
    AddFavourite(f, 4);  // present: moves to the front, nothing drops
    EXPECT_EQ(f, (std::vector<int>{4, 10, 9, 8, 7, 6, 5, 3, 2, 1}));
    EXPECT_TRUE(RemoveFavouriteAt(f, 0));
    EXPECT_FALSE(RemoveFavouriteAt(f, 9));
    EXPECT_FALSE(RemoveFavouriteAt(f, -1));
    EXPECT_EQ(f.size(), 9u);
    EXPECT_EQ(f.front(), 10);
}

TEST(FixTextDisplay, GroupsTheIntegerPartForTheOutputFormat) {
    struct Row {
        const char* in;
        const char* mode;
        const char* out;
    };
    const Row rows[] = {
        {"-1234.50", "English (US)", "-1,234.50"},
        {"-123.00", "English (US)", "-123.00"},
        {"0.00", "English (US)", "0.00"},
        {"1234567.5", "English (UK)", "1,234,567.5"},
        {"123456", "English (US)", "123,456"},
        {"1234.5", "European", "1.234,5"},
        {"-1234567", "European", "-1.234.567"},
        {"1.0000000000e-12", "European", "1,0000000000e-12"},
        {"", "English (US)", ""},
        {"-", "English (US)", "-"},
    };
    for (const Row& r : rows) EXPECT_EQ(fixTextDisplay(r.in, r.mode), r.out) << r.in << " " << r.mode;
}

}  // namespace
