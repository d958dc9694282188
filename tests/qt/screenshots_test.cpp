// Pictures of every screen of the desktop calculator, written under the build tree (screenshots/), so
// that a person can look at them; the test checks that each picture has content.
#include <gtest/gtest.h>

#include <set>

#include "app/controller/orvane_view_controller.h"
#include "app/keys/key_codes.h"
#include "gui_harness.h"
#include "qt/widgets/list_panel.h"

namespace {

void Shoot(GuiHarness& h, const std::string& name) {
    h.window->refresh();
    h.settle(150);
    h.screenshot(name);
    const QImage image = h.window->grab().toImage();
    EXPECT_GT(image.width(), 100) << name;
    // A drawn window has many colours (keys, text, gradients); an empty one a handful.
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 50u) << name << " looks empty";
}

TEST(Screenshots, PortraitAndLandscapeInBothSkins) {
    for (const char* skin : {"Default", "Black"}) {
        GuiHarness h;
        if (std::string(skin) == "Black") {
            h.ctl().selectOptionItem(0);
            ScreenModel* s = h.ctl().screens().find("settings");
            ASSERT_NE(s, nullptr);
            ASSERT_TRUE(s->tap("tab:skin"));
            s->pick("skins", 1);
            Shoot(h, "settings_skin");
            s->tap("close");
            h.settle(200);
        }
        for (int code : {kKey1, kKey2, kKeyPlus, kKey3, kKeyTimes, kKey4, kKeyEquals}) {
            h.ctl().pressButtonHasKeycode(code);
            h.settle(20);
        }
        h.window->refresh();
        Shoot(h, std::string("portrait_") + skin);
        h.window->resize(900, 520);
        h.settle(200);
        Shoot(h, std::string("landscape_") + skin);
    }
}

TEST(Screenshots, MenuListsAndSettings) {
    GuiHarness h;
    h.ctl().pressButtonHasKeycode(kKeyMenu);
    h.settle(300);
    Shoot(h, "menu");
    h.ctl().closeList();
    h.ctl().pressButtonHasKeycode(kKeyFunctionList);
    h.settle(300);
    Shoot(h, "function_list");
    h.ctl().closeList();
    h.ctl().selectOptionItem(0);
    h.settle(100);
    Shoot(h, "settings");
}

TEST(Screenshots, StripPages) {
    GuiHarness h;
    for (int category : {kCatGraph, kCatTip, kCatStatistics}) {
        h.ctl().selectCategoryItem(category);
        h.settle(350);
        Shoot(h, "page_" + std::to_string(category));
    }
}

}  // namespace
