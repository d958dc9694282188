#include <gtest/gtest.h>

#include <random>

#include "app/keys/key_codes.h"
#include "app/settings/app_settings.h"
#include "app/settings/input_mode_manager.h"
#include "app/settings/setting_model.h"
#include "app/settings/settings_globals.h"
#include "common/folder_storage.h"
#include "common/headless_services.h"
#include "temp_folder.h"

namespace {

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Release();
        g_bHelp = true;
        g_iFixDigits = 4;
        g_nPrecision = 0;
        g_bSound = false;
        g_CurrentFunction = kCatArithmetic;
        g_curLandScapeFunction = 0;
        g_arrOrderView = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    }
    TempFolder dir;
    FolderStorage storage{dir.path() + "/docs", dir.path() + "/res"};
};

std::vector<unsigned char> Le32(std::initializer_list<int> values) {
    std::vector<unsigned char> out;
    for (int v : values) {
        auto u = static_cast<unsigned>(v);
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(u >> (8 * i)));
    }
    return out;
}

}  // namespace

TEST_F(SettingsTest, NoSettingsFileGivesTheDefaults) {
    CountingFeedback fb;
    LoadSettings(storage, &fb);
    EXPECT_TRUE(g_bHelp);
    EXPECT_EQ(g_iFixDigits, 4);
    EXPECT_EQ(g_sOutputMode, "English (US)");
    EXPECT_EQ(g_nPrecision, 0);
    EXPECT_TRUE(g_bSound);
    EXPECT_EQ(g_strSoundFileName, "Sound 01.wav");
    EXPECT_EQ(g_strPrevSoundFileName, "Sound 01.wav");
    EXPECT_EQ(g_nstrSkinModel, "Default");
    ASSERT_TRUE(g_clrBkg.has_value());
    EXPECT_DOUBLE_EQ(g_clrBkg->b, 202 / 255.0);
    EXPECT_EQ(g_nstrAppPath, dir.path() + "/res");
    EXPECT_EQ(fb.clickSound(), dir.path() + "/res/Sounds/Sound 01.wav");
}

TEST_F(SettingsTest, StoredValuesAreAppliedAndBadOnesFallBackPerKey) {
    struct Row {
        StringDictionary stored;
        bool help;
        int digits;
        const char* output;
        int precision;
        bool sound;
        const char* skin;
        const char* soundFile;
    };
    const Row rows[] = {
        {{{"EnableFunctionTooltip", "0"},
          {"DecimalDigitsInFix", "10"},
          {"OutputMode", "0"},
          {"FractionDenominaor", "2"},
          {"EnablePlaySound", "0"},
          {"Skin", "Black"},
          {"SoundFileName", "b.wav"}},
         false,
         10,
         "European",
         2,
         false,
         "Black",
         "b.wav"},
        {{{"EnableFunctionTooltip", "yes"},
          {"DecimalDigitsInFix", "11"},
          {"OutputMode", "7"},
          {"FractionDenominaor", "3"},
          {"Skin", "Pink"},
          {"SoundFileName", "../../etc/passwd"}},
         true,
         4,
         "English (US)",
         0,
         true,
         "Default",
         "Sound 01.wav"},
        {{{"DecimalDigitsInFix", "-1"}, {"OutputMode", "x"}},
         true,
         4,
         "English (US)",
         0,
         true,
         "Default",
         "Sound 01.wav"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        ASSERT_TRUE(storage.writeDictionary(DocumentPath(storage, kSettingsFileName), rows[i].stored));
        LoadSettings(storage);
        EXPECT_EQ(g_bHelp, rows[i].help) << "row " << i;
        EXPECT_EQ(g_iFixDigits, rows[i].digits) << "row " << i;
        EXPECT_EQ(g_sOutputMode, rows[i].output) << "row " << i;
        EXPECT_EQ(g_nPrecision, rows[i].precision) << "row " << i;
        EXPECT_EQ(g_bSound, rows[i].sound) << "row " << i;
        EXPECT_EQ(g_nstrSkinModel, rows[i].skin) << "row " << i;
        EXPECT_EQ(g_strSoundFileName, rows[i].soundFile) << "row " << i;
    }
    EXPECT_DOUBLE_EQ(g_clrBkg->r, 131 / 255.0);
}

TEST_F(SettingsTest, UnreadableSettingsFileGivesAllDefaults) {
    std::mt19937 rng(7);
    std::vector<unsigned char> junk(300);
    for (auto& b : junk) b = static_cast<unsigned char>(rng());
    std::filesystem::create_directories(dir.path() + "/docs");
    dir.write("docs/setting_v15.dat", junk);
    EXPECT_EQ(ReadSettingsDictionary(storage), DefaultSettings());
    dir.writeText("docs/setting_v15.dat",
                  "<?xml version=\"1.0\"?><plist><array><string>1</string></array></plist>");
    EXPECT_EQ(ReadSettingsDictionary(storage), DefaultSettings());
}

TEST_F(SettingsTest, SettingModelSavesWritesAndNotifies) {
    NotificationCenter nc;
    CCategoryInputModeManager modes(storage);
    g_pInputMode = &modes;
    int updates = 0, closes = 0;
    nc.addObserver("UpdateSettingChanges", [&](const Notification&) { ++updates; });
    nc.addObserver("OrvaneCloseSettingNotif", [&](const Notification&) { ++closes; });
    std::filesystem::create_directories(dir.path() + "/res/Sounds");
    dir.writeText("res/Sounds/Sound 02.wav", "x");
    dir.writeText("res/Sounds/Sound 01.wav", "x");
    LoadSettings(storage);
    CountingFeedback fb;
    OrvaneSettingModel model(storage, nc, &modes, &fb);
    model.openTab(OrvaneSettingModel::kGeneral);
    EXPECT_EQ(model.outputModeSegment(), 1);
    model.setFixDigits(12.7f);  // the slider's far end
    EXPECT_EQ(model.fixDigitsLabel(), "10");
    model.setInputModeSegment(2);
    model.setInputModeSegment(5);  // ignored
    model.setOutputModeSegment(0);
    model.setFractionSegment(1);
    model.tooltipEnabled = false;
    model.openTab(OrvaneSettingModel::kSound);
    EXPECT_EQ(model.soundFiles(), (std::vector<std::string>{"Sound 01.wav", "Sound 02.wav"}));
    EXPECT_EQ(model.selectedSound(), 0);
    model.selectSound(1);
    model.play();
    EXPECT_EQ(fb.played().at(0), dir.path() + "/res/Sounds/Sound 02.wav");
    model.saveSetting();
    model.close();
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(closes, 1);
    StringDictionary written = storage.readDictionary(DocumentPath(storage, kSettingsFileName)).value();
    EXPECT_EQ(written.at("DecimalDigitsInFix"), "10");
    EXPECT_EQ(written.at("InputMode"), "2");
    EXPECT_EQ(written.at("OutputMode"), "0");
    EXPECT_EQ(written.at("FractionDenominaor"), "1");
    EXPECT_EQ(written.at("EnableFunctionTooltip"), "0");
    EXPECT_EQ(written.at("SoundFileName"), "Sound 02.wav");
    EXPECT_EQ(written.at("Skin"), "Default");  // the skin tab was never opened
    EXPECT_EQ(g_sOutputMode, "European");
    EXPECT_EQ(g_iFixDigits, 10);
    EXPECT_EQ(g_strSoundFileName, "Sound 02.wav");
    EXPECT_EQ(g_strPrevSoundFileName, "Sound 01.wav");
    // RPN applies to Arithmetic, Trigonom and Base Conversion only.
    for (int id : {kCatArithmetic, kCatTrigonom, kCatBaseConversion}) EXPECT_TRUE(modes.isRPNMode(id)) << id;
    for (int id : {kCatConstants, kCatFinance, kCatUnitConverter, kCatCurrencyConverter, kCatTip,
                   kCatStatistics, kCatEquationSolver, kCatGraph, kCatBusiness})
        EXPECT_EQ(modes.getInputMode(id), kInputModeString) << id;
    EXPECT_TRUE(modes.isInputModeChanged());
    g_pInputMode = nullptr;
}

TEST_F(SettingsTest, SoundControlsFollowTheSwitch) {
    NotificationCenter nc;
    CountingFeedback fb;
    std::filesystem::create_directories(dir.path() + "/res/Sounds");
    dir.writeText("res/Sounds/a.wav", "x");
    dir.writeText("res/Sounds/b.wav", "x");
    OrvaneSettingModel model(storage, nc, nullptr, &fb);
    model.openTab(OrvaneSettingModel::kSound);
    EXPECT_EQ(model.selectedSound(), -1);  // "Sound 01.wav" is not in this folder
    model.selectSound(0);
    model.soundEnabled = false;
    EXPECT_FALSE(model.soundControlsEnabled());
    model.selectSound(1);
    model.play();
    EXPECT_EQ(model.selectedSound(), 0);
    EXPECT_TRUE(fb.played().empty());
    EXPECT_EQ(model.skinPreviewImage(1), dir.path() + "/res/images/Black/Skin preview.png");
    EXPECT_STREQ(OrvaneSettingModel::tabTitle(2), "Sound");
}

TEST_F(SettingsTest, AppStatusRoundTripAndDamagedOrderFiles) {
    g_CurrentFunction = kCatGraph;
    g_curLandScapeFunction = kCatBaseConversion;
    SaveAppStatus(storage);
    auto bytes = storage.readFile(DocumentPath(storage, kOrderViewFileName)).value();
    EXPECT_EQ(bytes, Le32({11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    g_CurrentFunction = kCatArithmetic;
    g_curLandScapeFunction = kCatArithmetic;
    g_arrOrderView = {};
    LoadAppStatus(storage);
    EXPECT_EQ(g_CurrentFunction, kCatGraph);
    EXPECT_EQ(g_curLandScapeFunction, kCatBaseConversion);
    EXPECT_EQ(g_arrOrderView, (std::array<int, 12>{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));

    const std::array<int, 12> identity{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    std::vector<unsigned char> good = Le32({1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    struct Row {
        const char* note;
        std::vector<unsigned char> file;
        bool accepted;
    };
    std::vector<unsigned char> longer = good;
    longer.push_back(0);
    const Row rows[] = {
        {"valid", good, true},
        {"short", std::vector<unsigned char>(good.begin(), good.end() - 1), false},
        {"long", longer, false},
        {"repeat", Le32({0, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}), false},
        {"out of range", Le32({12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0}), false},
        {"negative", Le32({-1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0}), false},
        {"empty", {}, false},
    };
    for (const Row& r : rows) {
        dir.write("docs/orderview_v15.dat", r.file);
        LoadAppStatus(storage);
        EXPECT_EQ(g_arrOrderView == identity, !r.accepted) << r.note;
    }
    storage.setUserDefault("startupFunction", "9x");
    storage.setUserDefault("startupLandFunction", std::to_string(kCatFinance));  // no landscape category
    g_CurrentFunction = kCatStatistics;
    g_curLandScapeFunction = kCatTrigonom;
    LoadAppStatus(storage);
    EXPECT_EQ(g_CurrentFunction, kCatStatistics);  // unusable values keep what was there
    EXPECT_EQ(g_curLandScapeFunction, kCatTrigonom);
}

TEST_F(SettingsTest, InputModeFileLayoutMatchesFixtureByteForByte) {
    // ids in panel order, modes, flags: Arithmetic, Trigonom, Base Conversion in RPN.
    std::vector<unsigned char> fixture = {
        0, 0, 0, 0, 1, 0, 0, 0, 2,  0, 0, 0, 3,  0, 0, 0, 4, 0, 0, 0, 6,  0, 0, 0,  // ids 0 1 2 3 4 6
        5, 0, 0, 0, 7, 0, 0, 0, 17, 0, 0, 0, 13, 0, 0, 0, 8, 0, 0, 0, 12, 0, 0, 0,  // ids 5 7 17 13 8 12
        2, 0, 0, 0, 2, 0, 0, 0, 0,  0, 0, 0, 2,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0,  // modes
        0, 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0,
        1, 1, 0, 1, 0, 0, 0, 0, 0,  0, 0, 0,  // flags
    };
    ASSERT_EQ(fixture.size(), 108u);
    CCategoryInputModeManager m(storage);
    m.setInputMode("Basic-RPN");
    EXPECT_EQ(m.serialize(), fixture);
    ASSERT_TRUE(m.saveToFile());
    EXPECT_EQ(storage.readFile(dir.path() + "/docs/InputMode.dat").value(), fixture);

    CCategoryInputModeManager back(storage);
    ASSERT_TRUE(back.loadFromFile());
    EXPECT_TRUE(back.isRPNMode(kCatBaseConversion));
    EXPECT_FALSE(back.isInputModeChanged());  // the previous mode is the loaded mode[0]
    EXPECT_EQ(back.previousMode(), kInputModeRPN);
}

TEST_F(SettingsTest, DamagedInputModeFilesGiveTheDefaults) {
    CCategoryInputModeManager ref(storage);
    ref.setInputMode("Basic-Standard");
    std::vector<std::uint8_t> valid = ref.serialize();
    auto with = [&](size_t offset, std::uint8_t value) {
        auto v = valid;
        v[offset] = value;
        return v;
    };
    std::vector<std::uint8_t> longer = valid;
    longer.push_back(0);
    std::mt19937 rng(3);
    std::vector<std::uint8_t> random(108);
    for (auto& b : random) b = static_cast<std::uint8_t>(rng());
    struct Row {
        const char* note;
        std::vector<std::uint8_t> file;
    };
    const Row rows[] = {
        {"mode 7", with(48, 7)},
        {"negative mode", with(51, 0x80)},
        {"flag 2", with(96, 2)},
        {"id 99", with(0, 99)},
        {"duplicate id", with(4, 0)},
        {"short", std::vector<std::uint8_t>(valid.begin(), valid.begin() + 107)},
        {"long", longer},
        {"random", random},
    };
    for (const Row& r : rows) {
        CCategoryInputModeManager m(storage);
        storage.writeFileAtomically(DocumentPath(storage, "bad.dat"), r.file);
        EXPECT_FALSE(m.loadFromFile("bad.dat")) << r.note;
        EXPECT_EQ(m.inputModes(), (std::array<std::int32_t, 12>{})) << r.note;
        EXPECT_EQ(m.switchableFlags(), (std::array<std::uint8_t, 12>{1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}))
            << r.note;
        EXPECT_EQ(m.categoryIds()[5], kCatCurrencyConverter) << r.note;
    }
    CCategoryInputModeManager m(storage);
    storage.writeFileAtomically(DocumentPath(storage, "good.dat"), valid);
    EXPECT_TRUE(m.loadFromFile("good.dat"));
    EXPECT_TRUE(m.isBasicMode(kCatTrigonom));
}

TEST_F(SettingsTest, InputModeQueries) {
    CCategoryInputModeManager m(storage);
    m.setInputMode("String-Standard");
    EXPECT_FALSE(m.isInputModeChanged());
    m.setInputMode("Basic-Standard");
    EXPECT_TRUE(m.isInputModeChanged());
    EXPECT_EQ(m.previousMode(), kInputModeString);
    m.setInputMode("anything else");
    EXPECT_EQ(m.getInputMode(kCatArithmetic), kInputModeRPN);
    EXPECT_EQ(m.previousMode(), kInputModeBasic);
    EXPECT_EQ(m.getInputMode(kCatUnlisted9), kInputModeString);  // not in the table
    struct Row {
        int id, current;
        bool rpn, basic, str;
    };
    const Row rows[] = {
        {kCatTrigonom, kCatFinance, true, false, false},
        {kCatFinance, kCatArithmetic, false, false, true},
        {kCatUnlisted9, kCatArithmetic, false, false, true},
        {kCatUnlisted10, kCatBaseConversion, false, false, true},
        {-1, kCatBaseConversion, true, false, false},
        {-1, kCatFinance, false, false, true},
        {kCatGraph, kCatTrigonom, true, false, false},  // ids above 11 stand for the current category
        {-1, kCatUnlisted11, false, false, true},
    };
    for (const Row& r : rows) {
        g_CurrentFunction = r.current;
        EXPECT_EQ(m.isRPNMode(r.id), r.rpn) << r.id << " current " << r.current;
        EXPECT_EQ(m.isBasicMode(r.id), r.basic) << r.id << " current " << r.current;
        EXPECT_EQ(m.isStringMode(r.id), r.str) << r.id << " current " << r.current;
    }
}

TEST_F(SettingsTest, InputModeManagerSavesWhenDestroyed) {
    {
        CCategoryInputModeManager m(storage);
        m.setInputMode("Basic-Standard");
    }
    CCategoryInputModeManager again(storage);
    ASSERT_TRUE(again.loadFromFile());
    EXPECT_TRUE(again.isBasicMode(kCatArithmetic));
    EXPECT_TRUE(again.isStringMode(kCatConstants));
}
