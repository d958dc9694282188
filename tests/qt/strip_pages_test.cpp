// The tip and business pages of the strip driven by mouse and keys on the real widgets, compared with the
// same actions run headlessly through orvcalc --keys, and their screenshots.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "app/controller/orvane_view_controller.h"
#include "app/keys/key_codes.h"
#include "gui_harness.h"
#include "qt/screens/business_widget.h"
#include "qt/screens/finance_parts.h"
#include "qt/screens/tip_widget.h"
#include "qt/widgets/strip_widget.h"

namespace {

template <class W>
W* OnStrip(GuiHarness& h, int category) {
    h.ctl().selectCategoryItem(category);
    h.window->refresh();
    h.settle(350);
    W* w = h.window->strip()->findChild<W*>();
    EXPECT_NE(w, nullptr);
    EXPECT_TRUE(w && w->isVisible()) << "the page is in view";
    return w;
}

void Click(GuiHarness& h, QWidget* w) {
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    h.settle(20);
}

// Characters typed into the window go to the calculator's keys.
void Type(GuiHarness& h, const char* text) {
    QTest::keyClicks(h.window.get(), text);
    h.settle(150);
}

nlohmann::json ModelOf(GuiHarness& h, const char* name) {
    ScreenModel* m = h.ctl().screens().find(name);
    EXPECT_NE(m, nullptr) << name;
    return m ? m->describe() : nlohmann::json();
}

TEST(TipPage, BillFromTheDisplaySlidersAndThePanel) {
    GuiHarness h;
    auto* w = OnStrip<TipWidget>(h, kCatTip);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->resultPanel()->isVisible()) << "no bill yet";
    EXPECT_TRUE(w->findChild<QLabel*>("tipHint")->isVisible());
    h.screenshot("tip_page_empty");
    Type(h, "1234.5=");
    EXPECT_TRUE(w->resultPanel()->isVisible());
    // A click on the groove moves the slider a page, as dragging it would move it to a value.
    w->tipSlider()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    w->peopleSlider()->setValue(3);
    h.settle(50);
    nlohmann::json d = ModelOf(h, "tip");
    EXPECT_EQ(d["tip_percent"], 20.0);
    EXPECT_EQ(w->label("tip_percent_label")->text(), "20");
    EXPECT_EQ(w->label("people_label")->text(), "3");
    EXPECT_EQ(w->label("total")->text().toStdString(), d["total"]);
    EXPECT_EQ(w->label("total_per_person")->text().toStdString(), d["total_per_person"]);
    EXPECT_EQ(w->label("bill_amount")->text(), "1,234.50");
    h.screenshot("tip_page");
    const std::string words =
        "category:" + std::to_string(kCatTip) + " type:1234.5= value:tip/tip_percent=20 value:tip/people=3";
    EXPECT_EQ(d, RunKeys(words)["screens"]["tip"]);

    Type(h, "7");  // the first key after the result hides the panel
    EXPECT_FALSE(w->resultPanel()->isVisible());
    EXPECT_FALSE(ModelOf(h, "tip")["result_shown"]);
    Click(h, w->menuButton());
    h.settle(150);
    EXPECT_EQ(h.ctl().openList(), kCategoryMenu) << "the menu button opens the category menu";
}

TEST(BusinessPage, FormsFieldStatesAndTheEqualSign) {
    GuiHarness h;
    auto* w = OnStrip<BusinessWidget>(h, kCatBusiness);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->caption(0)->text(), "Percent (%)");
    EXPECT_TRUE(w->equal(2)->isVisible());
    EXPECT_FALSE(w->equal(0)->isVisible());
    Type(h, "15");
    Click(h, w->field(1));
    Type(h, "80");
    EXPECT_EQ(w->field(2)->text(), "12.00");
    EXPECT_TRUE(w->field(1)->font().bold()) << "the focused field is bold";
    EXPECT_FALSE(w->field(0)->font().bold());
    EXPECT_TRUE(w->field(1)->styleSheet().contains("#ff0080")) << "the focused field's text is red";
    h.screenshot("business_page");

    Click(h, w->modeButton(2));
    EXPECT_EQ(w->caption(2)->text(), "Change (%)");
    Click(h, w->field(2));  // the result: it is focused, the former input field becomes the result
    Type(h, "25");
    nlohmann::json d = ModelOf(h, "business");
    EXPECT_EQ(d["result"], "f0");
    EXPECT_TRUE(w->equal(0)->isVisible());
    EXPECT_FALSE(w->equal(2)->isVisible());
    EXPECT_EQ(w->field(0)->text().toStdString(), d["fields"][0]["text"]);
    EXPECT_EQ(w->field(0)->text(), "64.00") << "80 is 25 % more than 64";
    h.screenshot("business_page_change");
    const std::string words = "category:" + std::to_string(kCatBusiness) +
                              " type:15 tap:business/f1 type:80 tap:business/mode2 tap:business/f2 type:25";
    EXPECT_EQ(d, RunKeys(words)["screens"]["business"]);

    Click(h, w->field(1));  // an input field swaps with the focused one
    EXPECT_EQ(ModelOf(h, "business")["focused"], "f1");
    Click(h, w->modeButton(1));
    EXPECT_EQ(w->caption(2)->text(), "Part");
    EXPECT_EQ(w->field(0)->text(), "31.25") << "25 is 31.25 % of 80";
    QTest::keyClick(h.window.get(), Qt::Key_Escape);  // the clear key: the base becomes 0
    h.settle(100);
    EXPECT_EQ(w->field(1)->text(), "0");
    EXPECT_EQ(w->field(0)->text(), "inf");
}

TEST(StripPages, ReadableInTheBlackSkin) {
    GuiHarness h;
    h.ctl().selectOptionItem(0);
    ScreenModel* settings = h.ctl().screens().find("settings");
    ASSERT_NE(settings, nullptr);
    settings->pick("skins", 1);
    settings->tap("close");
    h.settle(100);
    auto* tip = OnStrip<TipWidget>(h, kCatTip);
    ASSERT_NE(tip, nullptr);
    Type(h, "86.4=");
    EXPECT_EQ(tip->label("total")->text(), "95.04");
    h.screenshot("tip_page_black");
    auto* business = OnStrip<BusinessWidget>(h, kCatBusiness);
    ASSERT_NE(business, nullptr);
    Type(h, "12.5");
    h.screenshot("business_page_black");
}

}  // namespace
