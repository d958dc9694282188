// The settings screen in the window changes what the calculator does; damaged files give defaults.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "app/controller/orvane_view_controller.h"
#include "app/keys/key_codes.h"
#include "app/settings/input_mode_manager.h"
#include "gui_harness.h"
#include "qt/widgets/keyboard_widget.h"

namespace {

template <class W>
W* Find(QWidget* root, const char* name) {
    W* w = root->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

TEST(SettingsWindow, InputModeSkinAndOutputFormatTakeEffectWhenTheSettingsClose) {
    GuiHarness h;
    h.ctl().selectOptionItem(0);
    h.window->refresh();
    QWidget* settings = h.window->screenWidget();
    ASSERT_NE(settings, nullptr);
    QTest::mouseClick(Find<QPushButton>(settings, "input_mode_2"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(settings, "output_mode_0"), Qt::LeftButton);
    QListWidget* skins = Find<QListWidget>(settings, "skins");
    skins->setCurrentRow(1);
    EXPECT_FALSE(g_pInputMode->isRPNMode(kCatArithmetic)) << "nothing applies before the settings close";
    QTest::mouseClick(Find<QPushButton>(settings, "settingsClose"), Qt::LeftButton);
    h.settle(200);
    EXPECT_EQ(h.window->screenWidget(), nullptr);
    EXPECT_TRUE(g_pInputMode->isRPNMode(kCatArithmetic));
    EXPECT_EQ(g_sOutputMode, "European");
    EXPECT_EQ(g_nstrSkinModel, "Black");
    EXPECT_EQ(h.window->palette().color(QPalette::Window), QColor(137, 137, 137));
    // RPN mode shows the stack lines and the number pad's enter key; European uses the decimal comma.
    EXPECT_TRUE(h.ctl().display().isRPNShown());
    ASSERT_NE(h.window->numberPad(), nullptr);
    EXPECT_NE(h.window->numberPad()->keyAt(20), nullptr) << "the enter key of RPN mode";
    h.ctl().pressButtonHasKeycode(kKey1);
    h.ctl().pressButtonHasKeycode(kKeyDecimal);
    h.ctl().pressButtonHasKeycode(kKey5);
    EXPECT_EQ(h.input(), "1\u00b85");
}

TEST(SettingsWindow, DamagedFilesGiveADefaultCalculator) {
    TempFolder dir;
    for (const char* name : {"setting_v15.dat", "led_v14.dat", "history_v14.dat", "orderview_v15.dat",
                             "InputMode.dat", "UserDefaults.plist"}) {
        std::ofstream f(dir.path() + "/" + name, std::ios::binary);
        f << "\x01\x02garbage\xff\xfe" << std::string(37, '\x7f');
    }
    GuiHarness h;
    h.stop();
    // Run the window on the damaged folder instead of the fresh one.
    std::filesystem::copy(dir.path(), h.dir.path(), std::filesystem::copy_options::overwrite_existing);
    h.start();
    EXPECT_EQ(h.ctl().currentFunction(), kCatArithmetic);
    EXPECT_EQ(g_sOutputMode, "English (US)");
    EXPECT_EQ(g_nstrSkinModel, "Default");
    EXPECT_EQ(h.input(), "");
    EXPECT_TRUE(h.ctl().display().GetCurrentCategoryHistory().count() == 0);
    EXPECT_TRUE(g_pInputMode->isStringMode(kCatArithmetic));
    h.ctl().pressButtonHasKeycode(kKey2);
    h.ctl().pressButtonHasKeycode(kKeyEquals);
    EXPECT_EQ(h.result(), "2");
}

}  // namespace
