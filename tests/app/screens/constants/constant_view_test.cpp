// The constants panel with the main controller: the lists of keys 170..172 narrowed by the picks, the
// value list, the insertion of key 173, and damaged data files.
#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"
#include "app/screens/constants/constant_view.h"
#include "app/screens/text_format.h"

namespace {

template <size_t N>
std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

class ConstantsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        h.launch(kCatConstants);
        panel = dynamic_cast<ConstantView*>(h.ctl().screens().open("constants"));
        ASSERT_NE(panel, nullptr);
        savedMode = g_sOutputMode;
    }
    void TearDown() override { g_sOutputMode = savedMode; }
    // Taps a field and picks the entry called name in the list it opens.
    void choose(const char* field, const std::string& name) {
        ASSERT_TRUE(panel->tap(field)) << field;
        const auto& captions = h.ctl().openListItems().captions;
        const auto it = std::find(captions.begin(), captions.end(), name);
        ASSERT_NE(it, captions.end()) << name << " not offered by " << field;
        h.ctl().selectItemAtIndex(static_cast<int>(it - captions.begin()), h.ctl().openList());
        h.loop.runPending();
    }
    std::vector<std::string> offered(const char* field) {
        if (!panel->tap(field)) return {"<refused>"};
        auto captions = h.ctl().openListItems().captions;
        h.ctl().closeList();
        return captions;
    }
    void useFiles(const std::string& constants, const std::string& groups) {
        data.writeText("const.dat", constants);
        data.writeText("groupconst.dat", groups);
        panel->setDataFileNames(data.file("const.dat"), data.file("groupconst.dat"));
    }

    AppHarness h;
    TempFolder data;
    ConstantView* panel = nullptr;
    std::string savedMode;
};

TEST_F(ConstantsTest, AOneLevelGroupNarrowsToItsConstantsAndInsertsTheChosenValue) {
    EXPECT_EQ(panel->describe()["group_type"], "1");
    EXPECT_EQ(panel->describe()["fields"], nlohmann::json({"group", "subgroup2", "value"}));
    EXPECT_EQ(offered("group").size(), 7u);
    choose("group", "Universal");
    EXPECT_EQ(offered("subgroup1"), std::vector<std::string>{"<refused>"}) << "hidden in a one-level group";
    choose("subgroup2", "Speed, Planck Constant and Gravitation");
    const auto j = panel->describe();
    EXPECT_EQ(j["value_name"], "speed of light in vacuum (c)") << "the first constant is chosen";
    EXPECT_EQ(j["value"], "299792458 m s^-1 (exact)");
    EXPECT_EQ(j["constants"].size(), 7u);
    ASSERT_TRUE(panel->pick("constants", 1));
    EXPECT_EQ(panel->caption(ConstantView::kValue), "6.62607015e-34 J Hz^-1 (exact)");
    EXPECT_FALSE(panel->pick("constants", 7));
    h.keys({kKey2, kKeyTimes});
    ASSERT_TRUE(panel->tap("value"));
    EXPECT_EQ(h.inputUtf8(), "2×6.62607015exp(−34)");
    h.keys({kKeyEquals});
    EXPECT_NEAR(TextNumericValue(h.result()) / 1.32521403e-33, 1.0, 1e-12) << h.resultUtf8();
}

TEST_F(ConstantsTest, ATwoLevelGroupShowsBothSubGroupFields) {
    choose("group", "Atomic and Nuclear");
    const auto j = panel->describe();
    EXPECT_EQ(j["group_type"], "2");
    EXPECT_TRUE(j["subgroup1_visible"]);
    EXPECT_EQ(j["fields"], nlohmann::json({"group", "subgroup1", "subgroup2", "value"}));
    EXPECT_TRUE(offered("subgroup2").empty()) << "nothing to offer before the first sub-group is chosen";
    choose("subgroup1", "Leptons");
    EXPECT_EQ(offered("subgroup2"), (std::vector<std::string>{"Electron", "Muon", "Tau"}));
    choose("subgroup2", "Electron");
    EXPECT_EQ(panel->caption(ConstantView::kValue), "9.1093837015e-31 kg");
    ASSERT_TRUE(panel->pick("constants", 9));  // electron g factor: no exponent
    ASSERT_TRUE(panel->tap("value"));
    EXPECT_EQ(h.inputUtf8(), "−2.00231930436256");
    // A new group clears what was chosen below it.
    choose("group", "Mathematical");
    EXPECT_EQ(panel->describe()["group_type"], "1");
    EXPECT_EQ(panel->caption(ConstantView::kValue), "");
    h.keys({kKeyClear, kKeyConstantInsert});
    EXPECT_EQ(h.inputUtf8(), "") << "no value chosen: nothing to insert";
}

TEST_F(ConstantsTest, FormulasGoInAsWrittenAndNumbersInTheDisplaysFormat) {
    useFiles("#Begin Area_Formula 0\n#Begin Odd 0\nwith_e 2*e*r_(note)\n#End\n#End\n",
             "#Begin Area_Formula 0\n#End\n");
    choose("group", "Area Formula");
    choose("subgroup2", "Odd");
    ASSERT_TRUE(panel->tap("value"));
    EXPECT_EQ(h.inputUtf8(), "2×e×r") << "formula groups keep their e, and the note is dropped";
    // The European format: the inserted number carries the display's decimal mark and evaluates as such.
    g_sOutputMode = "European";
    useFiles("#Begin G 0\n#Begin S 0\nk 1.5e+3_unit\n#End\n#End\n", "#Begin G 0\n#End\n");
    h.keys({kKeyClear});
    choose("group", "G");
    choose("subgroup2", "S");
    ASSERT_TRUE(panel->tap("value"));
    EXPECT_EQ(h.inputUtf8(), "1\u00B85exp(3)");
    h.keys({kKeyEquals});
    EXPECT_EQ(h.resultUtf8(), "1.500") << "1500, grouped in the European way";
}

TEST_F(ConstantsTest, DamagedDataFilesGiveShortOrEmptyLists) {
    const struct {
        const char* name;
        std::string constants, groups;
        std::vector<std::string> groupList, subGroupList;  // the groups, the sub-groups of the first
        size_t constantCount;                              // of the first sub-group
    } rows[] = {
        {"empty files", "", "", {}, {}, 0},
        {"truncated group file",
         "#Begin A 0\n#Begin S 0\nx 1\ny 2\n#End\n#End\n",
         "#Begin A 0\n#End\n#Begin B",
         {"A"},
         {"S"},
         2},
        {"truncated constants file", "#Begin A 0\n#Begin S 0\nx 1\ny", "#Begin A 0\n#End\n", {"A"}, {}, 0},
        {"random bytes",
         Bytes("\xff\x00#B\x8e\n\x01\x02\r\r#\n"),
         Bytes("#Begin \xc3\x28 0\n#End\n"),
         {"\xef\xbf\xbd("},
         {},
         0},
    };
    for (const auto& r : rows) {
        useFiles(r.constants, r.groups);
        EXPECT_EQ(offered("group"), r.groupList) << r.name;
        if (r.groupList.empty()) continue;
        h.ctl().pressButtonHasKeycode(kKeyConstantGroups);
        h.ctl().selectItemAtIndex(0, h.ctl().openList());
        EXPECT_EQ(offered("subgroup2"), r.subGroupList) << r.name;
        EXPECT_NO_THROW((void)panel->describe().dump()) << r.name;
        if (r.subGroupList.empty()) continue;
        choose("subgroup2", r.subGroupList[0]);
        EXPECT_EQ(panel->constants().size(), r.constantCount) << r.name;
    }
    panel->setDataFileNames(data.file("missing.dat"), data.file("missing2.dat"));
    EXPECT_TRUE(offered("group").empty());
}

TEST(ConstantsWithoutPanel, KeysAreIgnoredWhileThePanelDoesNotExist) {
    AppHarness h;
    h.launch(kCatArithmetic);
    h.keys({kKey1, kKeyConstantGroups, kKeyConstantSubgroups, kKeyConstantItems, kKeyConstantInsert});
    EXPECT_EQ(h.ctl().openList(), "");
    EXPECT_EQ(h.inputUtf8(), "1");
    EXPECT_EQ(h.ctl().screens().find("constants"), nullptr);
}

}  // namespace
