// The main controller's routing: delayed openings, lists, side categories, rotation and the start-up
// and termination of the whole application.
#include <gtest/gtest.h>

#include "app/settings/input_mode_manager.h"
#include "app_harness.h"

TEST(Controller, DelayedOpenings) {
    struct Row {
        int code;
        const char* notification;  // posted after the delay, or null
        const char* list;          // opened after the delay, or empty
        const char* screen;
    };
    const Row rows[] = {
        {kKeyOpenLoan, "SwitchFromMainToLoanCalc", "", "loan"},
        {kKeyOpenMortgage, "SwitchFromMainToMortCalc", "", "mortgage"},
        {kKeyOpenTvm, "SwitchFromMainToTVM", "", "tvm"},
        {kKeyFunctionList, nullptr, "functions", ""},
        {kKeyMenu, nullptr, "menu", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        AppHarness h;
        h.launch();
        h.ctl().pressButtonHasKeycode(row.code);
        if (row.notification) {
            EXPECT_EQ(h.postedCount(row.notification), 0);
        }
        EXPECT_EQ(h.ctl().openList(), "");
        h.loop.advance(0.09);
        EXPECT_EQ(h.ctl().openList(), "");
        h.loop.advance(0.02);
        if (row.notification) {
            EXPECT_EQ(h.postedCount(row.notification), 1);
        }
        EXPECT_EQ(h.ctl().openList(), row.list);
        EXPECT_EQ(h.ctl().currentScreen(), row.screen);
    }
}

TEST(Controller, ListPicksAreKeyCodes) {
    AppHarness h;
    h.launch(kCatArithmetic, "Basic-RPN");
    h.keys({kKey1, kKeyEnter, kKeyRpnStackList});
    EXPECT_EQ(h.ctl().openList(), "rpnStack");
    EXPECT_EQ(h.ctl().openListItems().captions.size(), 8u);
    h.ctl().selectItemAtIndex(2, "rpnStack");  // "Depth"
    EXPECT_EQ(h.ctl().openList(), "");
    EXPECT_EQ(U16ToUtf8(h.led().stackLine(1).line().GetRawInputString()), "1");
    EXPECT_EQ(h.ctl().prevKeyCode(), kKeyRpnDepth);
    h.keys({kKeyRpnStackList});
    h.ctl().selectItemAtIndex(8, "rpnStack");  // the ninth code has no row
    EXPECT_EQ(h.ctl().prevKeyCode(), kKeyRpnDepth);

    AppHarness s;
    s.launch();
    s.keys({kKeyFunctionList});
    ASSERT_EQ(s.ctl().openListItems().codes.size(), 7u);
    s.ctl().selectItemAtIndex(6, "functions");  // "Fibonaci"
    EXPECT_EQ(s.inputUtf8(), "fib(");
    s.ctl().selectCategoryItem(kCatFinance);
    s.keys({kKeyFunctionList});
    EXPECT_TRUE(s.ctl().openListItems().codes.empty());  // nothing to offer outside Arithmetic and Graph
    s.keys({kKeyMenu});
    s.ctl().selectItemAtIndex(3, "menu");  // panel entry 3 is Base Conversion
    EXPECT_EQ(s.ctl().currentFunction(), kCatBaseConversion);
    EXPECT_EQ(s.ctl().modeKeyboardPosition(), 3);
}

TEST(Controller, SideCategoriesGetTheirKeysByNotification) {
    struct Row {
        int category;
        const char* name;
        std::vector<std::string> texts;  // the key codes as decimal text
    };
    const Row rows[] = {
        {kCatBusiness, "BusinessCalc-EnterAKeycode", {std::to_string(kKey5), std::to_string(kKeyEquals)}},
        {kCatEquationSolver,
         "EquationSolver-EnterAKeycode",
         {std::to_string(kKey5), std::to_string(kKeyEquals)}},
        {kCatGraph, "GraphView_enterACommand", {std::to_string(kKey5)}}};  // Graph's "=" is the calculator's
    for (const Row& row : rows) {
        SCOPED_TRACE(row.category);
        AppHarness h;
        h.launch();
        h.ctl().selectCategoryItem(row.category);
        std::vector<std::string> texts;
        h.notes.addObserver(
            row.name, [&](const Notification& n) { texts.push_back(std::any_cast<std::string>(n.object)); });
        h.keys({kKey5, kKeyEquals});
        EXPECT_EQ(texts, row.texts);
        EXPECT_EQ(h.inputUtf8(), "");
    }
}

TEST(Controller, ResultsArePostedToTheConverterScreens) {
    struct Row {
        int category;
        const char* name;
    };
    const Row rows[] = {{kCatTip, "PostResultStringToModview"},
                        {kCatCurrencyConverter, "PostResultStringToCurrency"},
                        {kCatUnitConverter, "PostResultStringToUnitConverter"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.category);
        AppHarness h;
        h.launch();
        h.ctl().selectCategoryItem(row.category);
        std::u16string posted;
        h.notes.addObserver(row.name,
                            [&](const Notification& n) { posted = std::any_cast<std::u16string>(n.object); });
        h.keys({kKey1, kKey0, kKey0, kKey0, kKey0, kKeyEquals});
        EXPECT_EQ(posted, u"10000");  // no grouping in these categories
    }
}

TEST(Controller, RPNStackScreenAndCategoryIds) {
    AppHarness h;
    h.launch();
    h.keys({kKeyOpenRpnStack});
    EXPECT_EQ(h.postedCount("Orvane-open-rpn-stack"), 1);
    h.keys({kKeyStatisticsData});
    EXPECT_EQ(h.ctl().currentScreen(), "statistics");
    h.keys({kKeyConstantGroups, kKeyConstantSubgroups, kKeyConstantItems,
            kKeyConstantInsert});  // the constants browser is not there
    EXPECT_EQ(h.inputUtf8(), "");
}

TEST(Controller, FormulaViewClosesOnDigits) {
    AppHarness h;
    h.launch();
    h.post("ShowFomula");
    EXPECT_TRUE(h.ctl().formulaViewOpen());
    h.keys({kKeySin});  // a function key leaves it open
    EXPECT_TRUE(h.ctl().formulaViewOpen());
    h.keys({kKey1});
    EXPECT_FALSE(h.ctl().formulaViewOpen());
}

TEST(Controller, NewNumberAfterMemoryPlus) {
    AppHarness h;
    h.launch();
    h.keys({kKey5, kKeyPlus, kKey2, kKeyMemoryAdd, kKey3});
    EXPECT_EQ(h.inputUtf8(), "3");
}

TEST(Controller, NotationIndicatorReformatsTheResult) {
    AppHarness h;
    h.launch();
    h.keys({kKey1, kKeyDivide, kKey3, kKeyEquals});  // 1/3
    EXPECT_EQ(h.resultUtf8(), "0.333333333333333333333333333333333");
    h.led().touchDown({h.led().regions().notation.x + 2, h.led().regions().notation.y + 2});
    h.led().touchUp({0, 0});
    h.loop.runPending();
    EXPECT_EQ(h.led().GetNotation(), kKeyNotationFix);
    EXPECT_EQ(h.resultUtf8(), "0.3333");
    h.led().touchDown({h.led().regions().notation.x + 2, h.led().regions().notation.y + 2});
    h.led().touchUp({0, 0});
    EXPECT_EQ(h.resultUtf8().substr(0, 7), "3.33333");
    h.led().touchDown({h.led().regions().notation.x + 2, h.led().regions().notation.y + 2});
    h.led().touchUp({0, 0});
    EXPECT_EQ(h.led().GetNotation(), kKeyNotationFrac);
    EXPECT_EQ(h.resultUtf8(), "1/3");
}

TEST(Controller, RotationSwitchesCategories) {
    AppHarness h;
    h.launch(kCatFinance);
    g_curLandScapeFunction = kCatBaseConversion;
    const int rotations = h.postedCount("UpdateRotation");
    h.ctl().willRotateToInterfaceOrientation(false);  // already portrait: nothing
    EXPECT_EQ(h.postedCount("UpdateRotation"), rotations);
    h.ctl().willRotateToInterfaceOrientation(true);
    EXPECT_EQ(h.postedCount("UpdateRotation"), rotations + 1);
    EXPECT_EQ(g_nCurScreenMode, kScreenLandscape);
    EXPECT_EQ(h.ctl().currentFunction(), kCatBaseConversion);
    EXPECT_EQ(h.led().GetCurCategory(), kCatBaseConversion);
    EXPECT_EQ(h.led().regions().frame.width, 480);
    h.ctl().pressCategoryLandButton(kCatTrigonom);
    EXPECT_EQ(h.led().GetCurCategory(), kCatArithmetic);
    EXPECT_EQ(g_CurrentFunction, kCatFinance);  // the portrait category is kept
    h.ctl().willRotateToInterfaceOrientation(false);
    EXPECT_EQ(h.led().GetCurCategory(), kCatFinance);
    EXPECT_EQ(g_curLandScapeFunction, kCatTrigonom);
}

TEST(Controller, StartUpAndTerminationKeepTheApplicationState) {
    AppHarness h;
    h.launch(kCatBaseConversion, "Basic-RPN");
    EXPECT_TRUE(g_pInputMode->isRPNMode(kCatBaseConversion));
    h.terminate();
    EXPECT_EQ(g_pInputMode, nullptr);
    EXPECT_EQ(h.storage.userDefault("startupFunction"),
              std::optional<std::string>(std::to_string(kCatBaseConversion)));
    h.restart();
    EXPECT_EQ(h.ctl().currentFunction(), kCatBaseConversion);
    EXPECT_TRUE(h.led().isRPNShown());
    // A settings change re-applies the category and clears the entry.
    h.keys({kKey1});
    g_pInputMode->setInputMode("String-Standard");
    h.post("UpdateSettingChanges");
    EXPECT_FALSE(h.led().isRPNShown());
    EXPECT_EQ(h.inputUtf8(), "");
}

TEST(Controller, StartingInACategoryOfItsOwnScreen) {
    AppHarness h;
    h.storage.setUserDefault("startupFunction",
                             std::to_string(kCatGraph));  // Graph: the display has no category for it
    h.launch(kCatGraph);
    EXPECT_EQ(h.ctl().currentFunction(), kCatGraph);
    EXPECT_EQ(h.led().GetCurCategory(), -1);
    h.keys({kKey1, kKeyPlus, kKey2, kKeyEquals});
    EXPECT_EQ(h.postedCount("GraphView_enterACommand"), 3);
    h.ctl().selectCategoryItem(kCatArithmetic);
    h.keys({kKey1, kKeyPlus, kKey2, kKeyEquals});
    EXPECT_EQ(h.resultUtf8(), "3");
    EXPECT_EQ(h.led().GetParsedInput(), "1+2");
    h.restart();
    EXPECT_EQ(h.ctl().currentFunction(), kCatArithmetic);
    EXPECT_EQ(h.inputUtf8(), "1+2");
}
