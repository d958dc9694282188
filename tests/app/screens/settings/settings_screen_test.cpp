// The settings screen driven through the screen interface, as the window and the headless runs drive it.
#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"
#include "app/settings/input_mode_manager.h"

namespace {

TEST(SettingsScreen, ChangesTakeEffectWhenTheScreenCloses) {
    AppHarness h;
    h.launch(kCatArithmetic);
    h.ctl().selectOptionItem(0);
    ASSERT_EQ(h.ctl().currentScreen(), "settings");
    ScreenModel* s = h.ctl().screens().find("settings");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->describe()["output_mode"], 1) << "no settings file: US format";
    EXPECT_TRUE(s->setValue("input_mode", 2));
    EXPECT_TRUE(s->setValue("fix_digits", 10.9));
    EXPECT_TRUE(s->pick("skins", 1));
    EXPECT_FALSE(s->pick("skins", 2));
    EXPECT_FALSE(s->setValue("volume", 3));
    EXPECT_FALSE(g_pInputMode->isRPNMode(kCatArithmetic)) << "nothing applies before closing";
    EXPECT_TRUE(s->tap("close"));
    h.loop.runPending();
    EXPECT_EQ(h.ctl().currentScreen(), "");
    EXPECT_TRUE(g_pInputMode->isRPNMode(kCatArithmetic));
    EXPECT_TRUE(g_pInputMode->isRPNMode(kCatBaseConversion));
    EXPECT_TRUE(g_pInputMode->isStringMode(kCatFinance));
    EXPECT_EQ(g_nstrSkinModel, "Black");
    const auto dict = h.storage.readDictionary(DocumentPath(h.storage, "/setting_v15.dat"));
    ASSERT_TRUE(dict.has_value());
    EXPECT_EQ(dict->at("DecimalDigitsInFix"), "10");
    EXPECT_EQ(dict->at("Skin"), "Black");
}

TEST(SettingsScreen, EachShowingStartsFromTheFileAndSoundControlsFollowTheSwitch) {
    AppHarness h;
    h.launch(kCatArithmetic);
    h.ctl().selectOptionItem(0);
    ScreenModel* s = h.ctl().screens().find("settings");
    ASSERT_TRUE(s->tap("tab:sound"));
    ASSERT_TRUE(s->tap("sound"));
    EXPECT_FALSE(s->describe()["sound_controls_enabled"]);
    EXPECT_FALSE(s->tap("play"));
    h.ctl().HideScreen("settings");  // gone without saving
    h.ctl().selectOptionItem(0);
    EXPECT_TRUE(s->describe()["sound"]) << "a new showing reads the file, not the last showing";
    EXPECT_EQ(s->describe()["tab"], "General");
}

}  // namespace
