// The Unit Converter and Currency Converter pages and the clothing charts, driven by mouse and keys on the
// real widgets and compared with the same actions run headlessly.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>

#include "app/controller/orvane_view_controller.h"
#include "app/keys/key_codes.h"
#include "app/local_http_server.h"
#include "app/screens/clothing/clothing_view.h"
#include "app/screens/converter/currency_samples.h"
#include "app/screens/converter/currency_update.h"
#include "app/screens/converter/unit_converter_view.h"
#include "qt/platform/qt_services.h"
#include "qt/screens/clothing_widget.h"
#include "qt/screens/unit_converter_widget.h"
#include "screen_steps.h"

namespace {

// The calculator on the page of a converter category, with its widget and model.
struct ConverterPage {
    explicit ConverterPage(int category) {
        h.ctl().selectCategoryItem(category);
        h.window->refresh();
        h.settle(350);
        const char* name = category == kCatCurrencyConverter ? "currency_converter" : "unit_converter";
        model = dynamic_cast<UnitConverterView*>(h.ctl().screens().find(name));
        widget = h.window->findChild<UnitConverterWidget*>(name);
    }
    nlohmann::json d() const { return model->describe(); }
    // Opens a list by its button and clicks the row showing text.
    void choose(QPushButton* opener, const char* list, const std::string& text) {
        ClickOn(h, opener);
        ASSERT_TRUE(widget->list()->isVisible()) << text;
        const int row = RowWithText(d()[list], text);
        ASSERT_GE(row, 0) << text;
        ClickListRow(h, widget->list(), row);
    }
    void shoot(const std::string& name) {
        h.window->refresh();
        h.settle(100);
        h.screenshot(name);
    }

    GuiHarness h;
    UnitConverterView* model = nullptr;
    UnitConverterWidget* widget = nullptr;
};

TEST(UnitConverterWidget, TwoMetresInCentimetresThroughTheListsAndTheBox) {
    ConverterPage p(kCatUnitConverter);
    ASSERT_NE(p.model, nullptr);
    ASSERT_NE(p.widget, nullptr);
    const int length = RowWithText(p.d()["groups"], "Length");
    p.choose(p.widget->groupButton(), "groups", "Length");
    EXPECT_FALSE(p.widget->list()->isVisible()) << "a pick closes the list";
    EXPECT_EQ(p.h.window->focusWidget(), p.h.window.get()) << "typing goes to the calculator again";
    p.choose(p.widget->unitButton(1), "units", "metre");
    p.choose(p.widget->unitButton(2), "units", "centimetre");
    ClickOn(p.h, p.widget->valueButton(2));
    ClickOn(p.h, p.widget->valueButton(1));
    ClickCodes(p.h, {kKey2, kKeyEquals});
    nlohmann::json d = p.d();
    EXPECT_EQ(d["focus"], 1);
    EXPECT_EQ(d["boxes"][1]["value"], "200.0");
    EXPECT_EQ(p.widget->valueButton(2)->text(), "200.0");
    EXPECT_TRUE(p.widget->unitButton(2)->text().startsWith("centimetre (cm)"));
    p.shoot("unit_converter");

    const int metre = RowWithText(d["units"], "metre"), centimetre = RowWithText(d["units"], "centimetre");
    nlohmann::json headless =
        Headless("category:5 tap:unit_converter/group list:unit_converter/groups:" + std::to_string(length) +
                 " tap:unit_converter/unit:1 list:unit_converter/units:" + std::to_string(metre) +
                 " tap:unit_converter/unit:2 list:unit_converter/units:" + std::to_string(centimetre) +
                 " tap:unit_converter/box:2 tap:unit_converter/box:1 " + std::to_string(kKey2) + " =");
    EXPECT_EQ(headless["screens"]["unit_converter"], d);

    // C clears the boxes (the model's rule), and the page shows it.
    ClickCodes(p.h, {kKeyClear});
    EXPECT_EQ(p.widget->valueButton(2)->text(), "0.00");
}

TEST(UnitConverterWidget, FavouritesAreAddedAndDeletedByMouseAndKeys) {
    ConverterPage p(kCatUnitConverter);
    ClickOn(p.h, p.widget->unitButton(1));
    OverlayList* list = p.widget->list();
    ASSERT_TRUE(list->isVisible());
    const int inch = RowWithText(p.d()["units"], "inch");
    const int centimetre = RowWithText(p.d()["units"], "centimetre");
    ClickListAction(p.h, list, centimetre);
    ClickListAction(p.h, list, inch + 1);  // below the new favourite row
    nlohmann::json d = p.d();
    ASSERT_GE(d["units"].size(), 2u);
    EXPECT_EQ(d["units"][0]["text"], "inch") << "the newest favourite comes first";
    EXPECT_EQ(d["units"][1]["text"], "centimetre");
    EXPECT_TRUE(d["units"][1]["favourite"]);
    EXPECT_EQ(list->rows()->item(0)->text(), QString::fromUtf8("\u2605 inch"));
    EXPECT_TRUE(list->isVisible()) << "the list stays open for more favourites";
    list->showRow(0);
    p.shoot("unit_converter_units");

    ClickListAction(p.h, list, 0);  // the favourite row's action deletes it
    EXPECT_EQ(p.d()["units"][0]["text"], "centimetre");
    // Keys: Insert adds the current row, Delete removes a favourite row, Escape closes the list.
    const int metre = RowWithText(p.d()["units"], "metre");
    list->showRow(metre);
    QTest::keyClick(list->rows(), Qt::Key_Insert);
    EXPECT_EQ(p.d()["units"][0]["text"], "metre");
    list->showRow(1);
    QTest::keyClick(list->rows(), Qt::Key_Delete);
    QTest::keyClick(list->rows(), Qt::Key_Escape);
    p.h.settle(60);
    d = p.d();
    EXPECT_EQ(d["list"], "");
    EXPECT_FALSE(list->isVisible());
    const std::string u = "tap:unit_converter/";
    nlohmann::json headless = Headless(
        "category:5 " + u + "unit:1 " + u + "add_favourite:" + std::to_string(centimetre) + " " + u +
        "add_favourite:" + std::to_string(inch + 1) + " " + u + "delete_favourite:0 " + u +
        "add_favourite:" + std::to_string(metre) + " " + u + "delete_favourite:1 " + u + "close_list");
    EXPECT_EQ(headless["screens"]["unit_converter"], d);
    ASSERT_EQ(d["units"][0]["text"], "metre");
    EXPECT_FALSE(d["units"][1]["favourite"]) << "one favourite left";
}

TEST(UnitConverterWidget, ClothingChartsOpenFromTheGroupListAndPickAColumn) {
    ConverterPage p(kCatUnitConverter);
    p.choose(p.widget->groupButton(), "groups", "Clothing - Shoe Size & Other Charts");
    EXPECT_EQ(p.h.ctl().currentScreen(), "clothing");
    auto* clothing = qobject_cast<ClothingWidget*>(p.h.window->screenWidget());
    ASSERT_NE(clothing, nullptr);
    auto* model = dynamic_cast<ClothingView*>(p.h.ctl().screens().find("clothing"));
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(clothing->rowLabel(0)->text(), "US");
    ClickOn(p.h, clothing->rowButton(1));
    ASSERT_TRUE(clothing->list()->isVisible());
    p.shoot("clothing_cells");
    ClickListRow(p.h, clothing->list(), 3);
    nlohmann::json d = model->describe();
    EXPECT_EQ(d["column"], 3);
    EXPECT_FALSE(clothing->list()->isVisible());
    for (int r = 0; r < ClothingWidget::kRows; ++r) {
        EXPECT_EQ(clothing->rowButton(r)->text().toStdString(), d["rows"][r]["text"]) << r;
        EXPECT_EQ(clothing->rowButton(r)->isEnabled(), d["rows"][r]["enabled"]) << r;
    }
    EXPECT_FALSE(clothing->rowButton(ClothingWidget::kRows - 1)->isEnabled()) << "beyond the chart";
    p.shoot("clothing");
    nlohmann::json headless = Headless(
        "category:5 tap:unit_converter/group list:unit_converter/groups:0 tap:clothing/row:1 "
        "list:clothing/cells:3");
    EXPECT_EQ(headless["screen"], "clothing");
    EXPECT_EQ(headless["screens"]["clothing"], d);

    // Another chart through the chart list; Back returns to the converter.
    ClickOn(p.h, clothing->chartButton());
    ClickListRow(p.h, clothing->list(), 7);
    d = model->describe();
    EXPECT_EQ(clothing->chartButton()->text().toStdString().rfind(d["chart"].get<std::string>(), 0), 0u);
    EXPECT_EQ(d["column"], 0);
    p.shoot("clothing_chart7");
    p.h.window->resize(900, 520);
    p.h.settle(200);
    ASSERT_EQ(p.h.window->screenWidget(), clothing);
    p.h.screenshot("clothing_landscape");
    ClickOn(p.h, p.h.window->findChild<QPushButton*>("screenBack"));
    EXPECT_EQ(p.h.ctl().currentScreen(), "");
    EXPECT_EQ(p.h.window->screenWidget(), nullptr);
}

TEST(UnitConverterWidget, ReadableInTheBlackSkin) {
    ConverterPage p(kCatUnitConverter);
    UseBlackSkin(p.h);
    p.h.ctl().selectCategoryItem(kCatUnitConverter);
    ClickCodes(p.h, {kKey1, kKeyDivide, kKey3, kKeyEquals});
    const std::string third = p.d()["boxes"][0]["value"];
    EXPECT_EQ(third.substr(0, 3), "0.3") << third;
    EXPECT_EQ(p.widget->valueButton(1)->toolTip().toStdString(), third);
    EXPECT_TRUE(p.widget->valueButton(1)->text().startsWith("0.333")) << "the start of a long value shows";
    p.shoot("unit_converter_black");
    ClickOn(p.h, p.widget->groupButton());
    ClickListAction(p.h, p.widget->list(), 3);
    p.widget->list()->showRow(0);
    p.shoot("unit_converter_groups_black");
    EXPECT_TRUE(p.d()["groups"][0]["favourite"]) << "a favourite group";
}

TEST(CurrencyConverterWidget, CaptionUpdateAndBusyIndicator) {
    LocalHttpServer server(LocalHttpServer::Reply(200, "OK", kReferenceRatesXml, "text/xml"));
    g_sCurrencyFeedURL = server.url();
    {
        ConverterPage p(kCatCurrencyConverter);
        ASSERT_NE(p.widget, nullptr);
        ASSERT_NE(p.widget->updateButton(), nullptr);
        const std::string shipped = p.d()["caption"];
        EXPECT_EQ(p.widget->groupButton()->text().toStdString().rfind(shipped, 0), 0u);
        EXPECT_FALSE(p.widget->busyIndicator()->isVisible());
        p.choose(p.widget->unitButton(2), "units", "US dollar - USD");
        ClickCodes(p.h, {kKey1, kKey0, kKey0, kKeyEquals});
        EXPECT_EQ(p.widget->valueButton(1)->text(), p.d()["boxes"][0]["value"].get<std::string>().c_str());
        p.shoot("currency_converter");
        // Nothing of the transfer can arrive before the events run: the indicator shows at once.
        QTest::mouseClick(p.widget->updateButton(), Qt::LeftButton);
        p.h.screenshot("currency_converter_busy");
        EXPECT_TRUE(p.d()["busy"]);
        EXPECT_TRUE(p.widget->busyIndicator()->isVisible());
        EXPECT_FALSE(p.widget->updateButton()->isEnabled()) << "one download at a time";
        for (int i = 0; i < 100 && p.model->downloading(); ++i) p.h.settle(50);
        p.h.settle(100);
        QMessageBox* box = p.h.context->alerts().openBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->informativeText(), "Updated successfully!");
        p.shoot("currency_converter_updated");
        ClickOn(p.h, box->buttons().front());
        p.h.settle(50);
        EXPECT_EQ(p.d()["caption"], "Currency (2024-05-17)");
        EXPECT_EQ(p.widget->groupButton()->text().toStdString().rfind("Currency (2024-05-17)", 0), 0u);
        EXPECT_FALSE(p.widget->busyIndicator()->isVisible());
        EXPECT_TRUE(p.widget->updateButton()->isEnabled());
    }
    g_sCurrencyFeedURL.clear();
}

}  // namespace
