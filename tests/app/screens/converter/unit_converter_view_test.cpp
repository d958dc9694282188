// The converter pages through the screen interface and through the whole application.
#include "app/screens/converter/unit_converter_view.h"

#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"
#include "app/screens/clothing/clothing_view.h"
#include "units/unit_catalog.h"

namespace {

UnitConverterView& Open(AppHarness& h, const char* name) {
    auto* view = dynamic_cast<UnitConverterView*>(h.ctl().screens().open(name));
    EXPECT_NE(view, nullptr);
    return *view;
}

void WriteDoc(AppHarness& h, const std::string& name, const std::string& text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    ASSERT_TRUE(h.storage.writeFileAtomically(DocumentPath(h.storage, name), {bytes, text.size()}));
}

std::string ReadDoc(AppHarness& h, const std::string& name) {
    const auto bytes = h.storage.readFile(DocumentPath(h.storage, name));
    return bytes ? std::string(bytes->begin(), bytes->end()) : "<missing>";
}

int UnitIndex(const UnitConverterView& v, const std::string& symbol) {
    for (std::size_t i = 0; i < v.units().size(); ++i)
        if (v.units()[i].m_sSymbol == symbol) return static_cast<int>(i);
    ADD_FAILURE() << "no unit " << symbol << " in " << v.groupName();
    return 0;
}

// Picks a unit for a box the way a person does: the box's unit button, then the row in the list.
void ChooseUnit(UnitConverterView& v, int box, const std::string& symbol) {
    ASSERT_TRUE(v.tap("unit:" + std::to_string(box)));
    const int row = static_cast<int>(v.favouriteUnits().size()) + UnitIndex(v, symbol);
    ASSERT_TRUE(v.pick("units", row));
}

bool ShowGroup(UnitConverterView& v, const std::string& group) {
    v.tap("group");
    for (std::size_t r = 0; r < v.groupRows().size(); ++r) {
        if (v.groupList()[static_cast<std::size_t>(v.groupRows()[r])] == group)
            return v.pick("groups", static_cast<int>(r));
    }
    return false;
}

// A downloaded table (flag set) with currencies worth very little, for the currency number formats.
void UseTinyCurrencies(AppHarness& h) {
    WriteDoc(h, kUpdatedCurrencyFile,
             "#Date 2024-02-03\n#Begin Currency 0\nEuro EUR !\nTiny TNY 1e-12 0 EUR\nDust DST 1e-25 0 EUR\n"
             "Big BIG 1e11 0 EUR\n#End\n");
    h.storage.setUserDefault(kCurrencyUpdateFlag, "1");
}

TEST(UnitConverter, GroupListStartsWithTheClothingChartsAndLeavesOutHiddenGroups) {
    AppHarness h;
    h.launch(kCatUnitConverter);
    UnitConverterView& v = Open(h, "unit_converter");
    ASSERT_GE(v.groupList().size(), 3u);
    EXPECT_EQ(v.groupList()[0], kClothingGroupName);
    EXPECT_EQ(v.groupList()[1], "Length");
    EXPECT_EQ(std::count(v.groupList().begin(), v.groupList().end(), kCurrencyGroupName), 0);
    EXPECT_EQ(v.groupName(), "Length");
    const nlohmann::json d = v.describe();
    EXPECT_EQ(d["caption"], "Length");
    EXPECT_EQ(d["focus"], 1);
    EXPECT_EQ(d["boxes"][0]["unit"], "metre");
    EXPECT_EQ(d["boxes"][1]["symbol"], "km");
    EXPECT_EQ(d["boxes"][2]["value"], "0.00");
    EXPECT_EQ(d["units"][0]["text"], "metre");
    EXPECT_EQ(d["list"], "");
}

TEST(UnitConverter, StartGroupRules) {
    struct Row {
        const char* lastShown;  // StartUpGroupUnit_v15
        const char* preferred;  // StartUpGroup_v19
        const char* unitGroup;
    };
    const Row rows[] = {
        {"", "", "Length"},         {"Mass", "", "Mass"},         {"Mass", "Energy", "Energy"},
        {"Nonsense", "", "Length"}, {"Mass", "Nonsense", "Mass"}, {"", kClothingGroupName, "Length"},
        {"Currency", "", "Length"},
    };
    for (const Row& r : rows) {
        AppHarness h;
        if (*r.lastShown) h.storage.setUserDefault("StartUpGroupUnit_v15", r.lastShown);
        if (*r.preferred) h.storage.setUserDefault("StartUpGroup_v19", r.preferred);
        h.launch(kCatArithmetic);
        EXPECT_EQ(Open(h, "unit_converter").groupName(), r.unitGroup) << r.lastShown << "/" << r.preferred;
        EXPECT_EQ(Open(h, "currency_converter").groupName(), kCurrencyGroupName);
    }
}

TEST(UnitConverter, UnitNumberFormats) {
    struct Row {
        const char* group;
        const char* from;
        const char* to;
        const char* value;
        const char* shown;
    };
    const Row rows[] = {
        {"Length", "m", "cm", "2", "200.0"},
        {"Length", "ft", "yd", "1", "0.33333333333"},  // 0.333333333333 cut to 13 characters
        {"Length", "yd", "ft", "2.5", "7.50"},
        {"Length", "km", "nm", "1000", "1.000000000000e+15"},
        {"Length", "nm", "km", "1", "1.000000000000e-12"},
        {"Length", "pm", "km", "1e-10", "0.00"},  // below 1e-20
        {"Temperature", "degC", "degF", "-40", "-40.0"},
        {"Temperature", "degC", "K", "100", "373.150"},
        {"Fuel Consumption", "km/L", "L/100km", "0", "0.00"},  // reciprocal of 0
        {"Length", "m", "m", "1234567.5", "1,234,567.50"},
    };
    AppHarness h;
    h.launch(kCatUnitConverter);
    UnitConverterView& v = Open(h, "unit_converter");
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.from) + " -> " + r.to + " " + r.value);
        ASSERT_TRUE(ShowGroup(v, r.group));
        ASSERT_TRUE(v.tap("box:1"));
        ChooseUnit(v, 1, r.from);
        ChooseUnit(v, 3, r.to);
        ASSERT_TRUE(v.setValueInTextBox(r.value));
        EXPECT_EQ(v.describe()["boxes"][2]["value"], r.shown);
        EXPECT_LE(v.box(3).text.size(), 18u);
    }
}

TEST(UnitConverter, CurrencyNumberFormatsAndRows) {
    struct Row {
        const char* from;
        const char* to;
        const char* value;
        const char* shown;
    };
    const Row rows[] = {
        {"TNY", "EUR", "1", "1.0000000000e-12"},    {"DST", "EUR", "1", "0.00"},
        {"EUR", "TNY", "1", "1.0000000000e+12"},    {"EUR", "EUR", "2.5", "2.50"},
        {"BIG", "EUR", "0.01", "1,000,000,000.00"},
    };
    AppHarness h;
    UseTinyCurrencies(h);
    h.launch(kCatCurrencyConverter);
    UnitConverterView& v = Open(h, "currency_converter");
    EXPECT_EQ(v.caption(), "Currency (2024-02-03)");
    EXPECT_EQ(v.describe()["units"][1]["text"], "Tiny - TNY");
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.from) + " -> " + r.to);
        ChooseUnit(v, 1, r.from);
        ChooseUnit(v, 2, r.to);
        ASSERT_TRUE(v.setValueInTextBox(r.value));
        EXPECT_EQ(v.describe()["boxes"][1]["value"], r.shown);
    }
}

TEST(UnitConverter, ShippedCurrencyTableWithItsDate) {
    AppHarness h;
    h.launch(kCatCurrencyConverter);
    UnitConverterView& v = Open(h, "currency_converter");
    const nlohmann::json d = v.describe();
    EXPECT_EQ(d["caption"], "Currency (2023-12-29)");
    EXPECT_EQ(d["units"][0]["text"], "Euro - EUR");
    EXPECT_EQ(d["units"][1]["text"], "US dollar - USD");
    EXPECT_EQ(d["groups"].size(), 1u);
    EXPECT_TRUE(d["update_enabled"]);
    ASSERT_TRUE(v.setValueInTextBox("1000"));  // EUR -> USD at 1.1050
    EXPECT_EQ(v.describe()["boxes"][1]["value"], "1,105.00");
}

TEST(UnitConverter, ResultsOfTheCalculatorAndTheClearKey) {
    AppHarness h;
    h.launch(kCatUnitConverter);
    UnitConverterView& units = Open(h, "unit_converter");
    UnitConverterView& money = Open(h, "currency_converter");
    h.keys({kKeyClear});
    h.keys({kKey2, kKeyTimes, kKey1, kKeyDecimal, kKey5, kKeyEquals});
    EXPECT_EQ(h.postedCount("PostResultStringToUnitConverter"), 1);
    EXPECT_EQ(h.resultUtf8(), "3");
    EXPECT_EQ(units.box(1).text, "3");
    EXPECT_EQ(units.describe()["boxes"][1]["value"], "0.0030");  // metre -> kilometre
    EXPECT_EQ(money.box(1).text, "0.00") << "the currency page gets its own category's results";
    h.keys({kKeyClear});
    for (int b = 1; b <= 3; ++b) EXPECT_EQ(units.describe()["boxes"][b - 1]["value"], "0.00");

    h.ctl().selectCategoryItem(kCatCurrencyConverter);
    h.keys({kKey2, kKeyEquals});
    EXPECT_EQ(money.box(1).text, "2");
    h.keys({kKeyClear});
    EXPECT_EQ(money.box(1).text, "2") << "C clears the boxes in the Unit Converter category only";

    // Texts that are no real number leave the boxes alone; fractions count.
    struct Row {
        const char* posted;
        bool taken;
        double value;
    };
    const Row rows[] = {
        {"", false, 0},
        {"Division by zero", false, 0},
        {"3+4i", false, 0},
        {"1/3", true, 1.0 / 3},
        {"-2 1/2", true, -2.5},
        {"1.5E3", true, 1500},
        {"2\xC2\xB8"
         "5",
         true, 2.5},
        {"1/0", false, 0},
        {"\xE2\x88\x92"
         "4",
         true, -4},
    };
    for (const Row& r : rows) {
        units.clearAllTextBoxValue();
        h.post("PostResultStringToUnitConverter", std::u16string(Utf8ToU16(r.posted)));
        double v = 0;
        std::string normalised;
        EXPECT_EQ(ParseResultValue(r.posted, v, normalised), r.taken) << r.posted;
        EXPECT_EQ(units.box(1).text != "0.00", r.taken) << r.posted;
        if (r.taken) {
            EXPECT_DOUBLE_EQ(v, r.value) << r.posted;
        }
    }
}

TEST(UnitConverter, FavouritesAndBoxUnitsSurviveARestart) {
    AppHarness h;
    h.launch(kCatUnitConverter);
    {
        UnitConverterView& v = Open(h, "unit_converter");
        ASSERT_TRUE(v.tap("unit:1"));
        for (int row = 0; row < 11; ++row) {
            // Row 0 .. 10 of the units below the favourites: units 0 .. 10.
            ASSERT_TRUE(
                v.tap("add_favourite:" + std::to_string(static_cast<int>(v.favouriteUnits().size()) + row)));
        }
        EXPECT_EQ(v.favouriteUnits(), (std::vector<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
        EXPECT_TRUE(v.tap("delete_favourite:1"));
        EXPECT_FALSE(v.tap("delete_favourite:9")) << "only favourite rows";
        EXPECT_TRUE(v.describe()["units"][0]["favourite"]);
        EXPECT_EQ(v.describe()["units"][0]["text"], v.units()[10].m_sName);
        v.tap("close_list");
        ChooseUnit(v, 2, "mi");
        ChooseUnit(v, 3, "ft");
        ASSERT_TRUE(ShowGroup(v, "Mass"));
        ChooseUnit(v, 1, "lb");
        v.tap("group");
        ASSERT_TRUE(v.tap("add_favourite:" + std::to_string(v.groupRows().size() - 1)));  // the last group
        // Below the one favourite: clothing, Length, Area, Volume, Mass.
        ASSERT_TRUE(v.tap("add_favourite:5"));
        v.tap("close_list");
    }
    h.restart();
    h.ctl().selectCategoryItem(kCatUnitConverter);
    UnitConverterView& v = Open(h, "unit_converter");
    EXPECT_EQ(v.groupName(), "Mass") << "the group shown at termination";
    EXPECT_EQ(v.box(1).unit, UnitIndex(v, "lb"));
    ASSERT_TRUE(ShowGroup(v, "Length"));
    EXPECT_EQ(v.favouriteUnits(), (std::vector<int>{10, 8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(v.box(2).unit, UnitIndex(v, "mi"));
    EXPECT_EQ(v.box(3).unit, UnitIndex(v, "ft"));
    EXPECT_EQ(v.favouriteGroups().size(), 2u);
    EXPECT_EQ(v.groupList()[static_cast<std::size_t>(v.favouriteGroups()[0])], "Mass");
    EXPECT_EQ(v.describe()["groups"][0]["text"], "Mass");
    // The files in their text formats.
    const std::string history = ReadDoc(h, "/unitConverterHistory_v15.dat");
    const std::string lengthTriple =
        "0 1 2 0 " + std::to_string(UnitIndex(v, "mi")) + " " + std::to_string(UnitIndex(v, "ft")) + " ";
    EXPECT_EQ(history.substr(0, lengthTriple.size()), lengthTriple);
    EXPECT_EQ(ReadDoc(h, "/favoriteUnits_v19.txt").substr(0, 22), "0 9 10 8 7 6 5 4 3 2 1");
    EXPECT_EQ(ReadDoc(h, "/favoriteGroups_v19.txt").substr(0, 2), "2 ");
    EXPECT_EQ(h.storage.userDefault("HistoryGroupUnitFlag_v15"), "1");
    EXPECT_EQ(h.storage.userDefault("StartUpGroupUnit_v15"), "Mass") << "written at termination only";
}

TEST(UnitConverter, DamagedFilesGiveDefaults) {
    const std::string files[] = {"/unitConverterHistory_v15.dat", "/favoriteUnits_v19.txt",
                                 "/favoriteGroups_v19.txt", "/currencyHistory_v15.dat",
                                 "/favoriteCurrency_v19.txt"};
    // Short, negative, beyond every list, not numbers, long (the decoding itself is tested row by row
    // with the file formats).
    const std::string contents[] = {"7",
                                    "-1 -2 -3 -4 -5 -6 -7 -8",
                                    "99999999999 2147483647 -2147483648 500 600 609 3",
                                    "abc def\n\x01\x02",
                                    std::string(100000, '9'),
                                    "3 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25"};
    for (const std::string& content : contents) {
        AppHarness h;
        for (const std::string& f : files) WriteDoc(h, f, content);
        h.storage.setUserDefault("HistoryGroupUnitFlag_v15", "1");
        h.storage.setUserDefault("HistoryGroupCurrencyFlag_v15", "1");
        h.launch(kCatUnitConverter);
        for (const char* name : {"unit_converter", "currency_converter"}) {
            UnitConverterView& v = Open(h, name);
            const int count = static_cast<int>(v.units().size());
            for (int b = 1; b <= 3; ++b) {
                EXPECT_GE(v.box(b).unit, 0) << content.substr(0, 20);
                EXPECT_LT(v.box(b).unit, count) << content.substr(0, 20);
            }
            for (int u : v.favouriteUnits()) EXPECT_LT(u, count);
            for (int g : v.favouriteGroups()) EXPECT_LT(g, static_cast<int>(v.groupList().size()));
            ASSERT_TRUE(v.setValueInTextBox("1"));
            v.describe();
        }
        h.terminate();  // writes sound files again
        EXPECT_EQ(DecodeBoxHistory(ReadDoc(h, files[0])).size(), static_cast<std::size_t>(kGroupSlots));
    }
}

TEST(UnitConverter, ListsOpenForABoxAndCloseOnAPick) {
    AppHarness h;
    h.launch(kCatUnitConverter);
    UnitConverterView& v = Open(h, "unit_converter");
    EXPECT_FALSE(v.tap("unit:4"));
    EXPECT_FALSE(v.tap("box:0"));
    EXPECT_FALSE(v.tap("close_list"));
    EXPECT_FALSE(v.tap("update")) << "no download in the unit converter";
    ASSERT_TRUE(v.tap("unit:2"));
    EXPECT_EQ(v.describe()["list"], "units");
    EXPECT_EQ(v.describe()["list_box"], 2);
    EXPECT_FALSE(v.pick("units", 1000));
    ASSERT_TRUE(v.pick("units", 4));
    EXPECT_EQ(v.box(2).unit, 4);
    EXPECT_EQ(v.box(1).unit, 0) << "only the box whose list was open";
    EXPECT_EQ(v.describe()["list"], "");
    EXPECT_TRUE(v.tap("box:3"));
    EXPECT_TRUE(v.enterText("value", u"10"));
    EXPECT_FALSE(v.enterText("other", u"10"));
    EXPECT_EQ(v.describe()["focus"], 3);
    EXPECT_EQ(v.box(3).text, "10");
    EXPECT_FALSE(v.pick("groups", -1));
    EXPECT_FALSE(v.pick("shelves", 0));
}

TEST(ClothingCharts, OpenedFromTheFirstGroupWithOneColumnForAllRows) {
    AppHarness h;
    h.launch(kCatUnitConverter);
    UnitConverterView& v = Open(h, "unit_converter");
    ASSERT_TRUE(ShowGroup(v, kClothingGroupName));
    EXPECT_EQ(h.ctl().currentScreen(), "clothing");
    EXPECT_EQ(v.groupName(), "Length") << "the converter keeps its group";
    auto* c = dynamic_cast<ClothingView*>(h.ctl().screens().find("clothing"));
    ASSERT_NE(c, nullptr);
    nlohmann::json d = c->describe();
    EXPECT_EQ(d["chart"], "Shoes - Men");
    EXPECT_EQ(d["rows"][0]["label"], "US");
    EXPECT_EQ(d["rows"][0]["text"], "6");
    EXPECT_FALSE(d["rows"][7]["enabled"]);
    EXPECT_FALSE(c->tap("row:7"));
    ASSERT_TRUE(c->tap("row:2"));
    EXPECT_EQ(c->describe()["cells"][4], "41");
    ASSERT_TRUE(c->pick("cells", 4));
    d = c->describe();
    EXPECT_EQ(d["rows"][0]["text"], "8");
    EXPECT_EQ(d["rows"][1]["text"], "7.5");
    EXPECT_EQ(d["rows"][2]["text"], "41");
    EXPECT_EQ(d["list"], "");
    EXPECT_TRUE(c->tap("chart"));
    ASSERT_TRUE(c->pick("charts", 7));
    EXPECT_EQ(c->chartName(), "Rings");
    EXPECT_EQ(c->column(), 0);
    EXPECT_TRUE(c->tap("close"));
    EXPECT_EQ(h.ctl().currentScreen(), "");
}

// A chart whose rows differ in length, and one with more rows than the screen shows.
TEST(ClothingCharts, ShortRowsShowNotAvailableAndRowsBeyondTheChartAreDisabled) {
    AppHarness h;
    h.launch(kCatUnitConverter);
    TempFolder resources;
    std::ofstream(resources.file("groupclothing.dat")) << "#Begin Odd 0\n#End\n#Begin Tall 0\n#End\n";
    std::string tall;
    for (char r = '0'; r <= '9'; ++r) tall += std::string("R") + r + " a b\n";
    std::ofstream(resources.file("clothing.dat"))
        << "#Begin Odd\nUS 1 2 3 4\nEU 30 31\nJP_(cm) 20\n#End\n#Begin Tall\n"
        << tall << "#End\n";
    FolderStorage storage(h.dir.path(), resources.path());
    Platform platform{h.notes, h.loop, storage, h.alerts, h.http, h.urls, h.feedback};
    ScreenContext context{platform, h.ctl(), nullptr};
    ClothingView c(context);
    c.didShow();
    EXPECT_EQ(c.chartName(), "Odd");
    EXPECT_EQ(c.describe()["rows"][2]["label"], "JP (cm)");
    EXPECT_TRUE(c.selectColumn(3));
    EXPECT_FALSE(c.selectColumn(4));
    const nlohmann::json d = c.describe();
    EXPECT_EQ(d["rows"][0]["text"], "4");
    EXPECT_EQ(d["rows"][1]["text"], "N/A");
    EXPECT_EQ(d["rows"][2]["text"], "N/A");
    EXPECT_EQ(d["rows"][3]["text"], "");
    EXPECT_FALSE(d["rows"][3]["enabled"]);
    ASSERT_TRUE(c.showChart("Tall"));
    EXPECT_EQ(c.rows().size(), 8u);
    EXPECT_TRUE(c.describe()["rows"][7]["enabled"]);
    EXPECT_FALSE(c.showChart("Missing"));
}

}  // namespace
