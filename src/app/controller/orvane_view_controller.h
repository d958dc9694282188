// The main controller: routes every key code of every keyboard, runs the equals key, and stands between
// the display and the screens and lists around it.
//
// pressButtonHasKeycode() decides per code whether it opens a screen or a list, goes to a side screen by
// notification ("BusinessCalc-EnterAKeycode", "EquationSolver-EnterAKeycode", "GraphView_enterACommand"),
// or goes to the display's InputCommand(). Screens that a toolkit shell draws (the lists, the category
// menu, the history view, the formula view, the finance and statistics screens) are kept here as plain
// state (openList(), currentScreen()), so that a shell shows what the controller asks for and hands the
// picks back through selectItemAtIndex() and selectCategoryItem(). Engine thread only.
#pragma once

#include <memory>
#include <string>

#include "app/display/led_view.h"
#include "app/keys/key_tables.h"
#include "app/screens/screen_host.h"
#include "constants/constant_types.h"
#include "platform/platform.h"

// An "=" result is on display: the next number key starts a new entry.
extern bool g_bAnswer;

// List names of openList().
inline constexpr const char* kFunctionList = "functions";
inline constexpr const char* kRPNStackList = "rpnStack";
inline constexpr const char* kRPNFunctionList = "rpnFunctions";
inline constexpr const char* kDistributionList = "distributions";
inline constexpr const char* kCategoryMenu = "menu";
// The constants panel's lists (keys 170, 171, 172): groups, first and second sub-groups.
inline constexpr const char* kConstantGroupList = "constantGroups";
inline constexpr const char* kConstantSubGroupList1 = "constantSubGroups1";
inline constexpr const char* kConstantSubGroupList2 = "constantSubGroups2";

class OrvaneViewController {
  public:
    static constexpr double kShortDelay = 0.1;  // seconds before a menu, list or finance screen opens

    OrvaneViewController(Platform& platform, const Canvas* metrics);
    ~OrvaneViewController();
    OrvaneViewController(const OrvaneViewController&) = delete;
    OrvaneViewController& operator=(const OrvaneViewController&) = delete;

    // Builds the display (reads its files) and selects the category of the current screen mode
    // (g_CurrentFunction in portrait, g_curLandScapeFunction in landscape).
    void viewDidLoad();

    // The router (see the file comment). Codes that open something do it after kShortDelay through the
    // run loop where the keyboards expect a delay (menu, function list, finance screens).
    void pressButtonHasKeycode(int code);
    // A pick in one of the lists (kFunctionList ...); the list closes and the pick re-enters the router
    // as its key code (Graph's function list posts it to the graph screen instead).
    void selectItemAtIndex(int index, const std::string& list);
    // A category from the menu: setCurrentMode, then the mode keyboard shows that panel entry.
    void selectCategoryItem(int categoryId);
    // Closes the open list or menu without a pick (its close button, Escape, a tap beside it).
    void closeList();
    // The screen over the calculator ("" for none): a registered screen model is created on first use and
    // told it shows; HideScreen of a screen that is not the current one does nothing.
    void ShowScreen(const std::string& screen);
    void HideScreen(const std::string& screen);
    // Makes categoryId current: the controller's and (in portrait) the engine's current category, the
    // display's category, the enter key of the number pad.
    void setCurrentMode(int categoryId);
    // 0 settings, 1 product introduction, 2 help, 3 about.
    void selectOptionItem(int option);
    void showMenu();
    void showListFunction();
    // The equals key: basic and RPN categories get key 19; string categories evaluate the line
    // (EvaluateForDisplay) and show the result, push the history and post the result to the tip,
    // currency and unit screens in their categories.
    void calculateValue();
    // The notation indicator was touched: the last result again in the display's new notation.
    void UpdateNotation();
    // Asks before clearing a history that is not empty ("Warning!", "YES"/"NO").
    void ClearLedHistory();
    // After the settings closed: the settings screen goes, the display re-reads the settings.
    void UpdateSettingChanges();
    // Saves the display's state and history.
    void appWillTerminate();
    // Rotation to landscape (true) or portrait: nothing when the orientation class stays; otherwise the
    // screen mode and the category of the new orientation, "UpdateRotation" and the keyboards' shift
    // releases are posted and the lists are dropped.
    void willRotateToInterfaceOrientation(bool landscape);
    // The landscape category buttons (ids 0, 1, 3).
    void pressCategoryLandButton(int categoryId);

    // The unit converter's owner clears all its text boxes here when C is pressed in its category.
    std::function<void()> onClearUnitConverter;

    // The side screens (created on first use).
    ScreenHost& screens() { return *m_screens; }
    const ScreenHost& screens() const { return *m_screens; }

    Alerts& alerts() { return m_platform.alerts; }

    MyLedView& display() { return *m_pLedView; }
    const MyLedView& display() const { return *m_pLedView; }
    int currentFunction() const { return m_nCurrentFunction; }
    int prevKeyCode() const { return nPrevKeyCode; }
    bool expResultIsComplex() const { return _bExpResultIsComplex; }
    // Headless state of what a shell shows: the open list (empty when none) with its entries, the screen
    // over the calculator ("" for none: "menu", "statistics", "loan", "mortgage", "tvm", "history",
    // "settings", "introduction", "help", "about"), the formula view, the strip position of the mode
    // keyboard and whether the number pad shows its enter key.
    const std::string& openList() const { return m_sOpenList; }
    const KeyList& openListItems() const { return m_openListItems; }
    const std::string& currentScreen() const { return m_sCurrentScreen; }
    bool formulaViewOpen() const { return m_bFormulaOpen; }
    int modeKeyboardPosition() const { return m_nModePosition; }
    bool enterButtonShown() const { return m_bEnterButton; }

  private:
    void EntryRules(int code);
    void ShowList(const std::string& name, KeyList items);
    void Later(std::function<void()> fn);
    void Observe(const char* name, std::function<void(const Notification&)> handler);
    // Keys 170..173 of the constants panel and the picks in its lists (constants_browser.cpp).
    void ConstantsKey(int code);
    void PickConstant(const std::string& list, int index);

    Platform& m_platform;
    std::unique_ptr<MyLedView> m_pLedView;
    std::unique_ptr<ScreenHost> m_screens;
    int m_nCurrentFunction = 0;
    int nPrevKeyCode = -1;
    bool _bExpResultIsComplex = false;
    bool m_bTipResultArmed = true;
    std::vector<CONSTANT_GROUP> m_constantChoices;  // the groups the open constants list offers
    std::string m_sOpenList;
    KeyList m_openListItems;
    int m_nListCategory = -1;  // category the function list was opened in
    std::string m_sCurrentScreen;
    bool m_bFormulaOpen = false;
    int m_nModePosition = 0;
    bool m_bEnterButton = false;
};
