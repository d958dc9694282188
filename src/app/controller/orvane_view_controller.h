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
#include "app/keyboards/keyboard_delegate.h"
#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"
#include "app/screens/function_help/function_tooltip.h"
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

class ModViewController;
class LargeKeyboardView;
class ModeLandView;
class NumberKeyboardLand;

class OrvaneViewController : public KeyboardDelegate {
  public:
    static constexpr double kShortDelay = 0.1;  // seconds before a menu, list or finance screen opens

    OrvaneViewController(Platform& platform, const Canvas* metrics);
    ~OrvaneViewController() override;
    OrvaneViewController(const OrvaneViewController&) = delete;
    OrvaneViewController& operator=(const OrvaneViewController&) = delete;

    // Builds the display (reads its files) and the keyboards of the current screen mode, and selects the
    // category of that mode (g_CurrentFunction in portrait, g_curLandScapeFunction in landscape).
    void viewDidLoad();

    // The router (see the file comment). Codes that open something do it after kShortDelay through the
    // run loop where the keyboards expect a delay (menu, function list, finance screens).
    void pressButtonHasKeycode(int code) override;
    // The key at the run loop's next turn (a screen's own button acting as a calculator key from inside its
    // handler); cancelled if the controller goes first.
    void pressButtonSoon(int code);
    // A pick in one of the lists (kFunctionList ...); the list closes and the pick re-enters the router
    // as its key code (Graph's function list posts it to the graph screen instead).
    void selectItemAtIndex(int index, const std::string& list);
    // A category from the menu: setCurrentMode, then the mode keyboard's strip scrolls to the position of
    // the panel entry that carries the id (none when no entry does).
    void selectCategoryItem(int categoryId);
    // Closes the open list or menu without a pick (its close button, Escape, a tap beside it).
    void closeList();
    // The screen over the calculator ("" for none): a registered screen model is created on first use and
    // told it shows; HideScreen of a screen that is not the current one does nothing.
    void ShowScreen(const std::string& screen);
    void HideScreen(const std::string& screen);
    // Makes categoryId current: the controller's and (in portrait) the engine's current category, the
    // display's category, the enter key of the number pad. Also the mode keyboard's call when its strip
    // comes to rest on a page.
    void setCurrentMode(int categoryId) override;
    // 0 settings, 1 product introduction, 2 help, 3 about.
    void selectOptionItem(int option);
    void showMenu();
    void showListFunction();
    // The equals key: basic and RPN categories get kKeyEquals; string categories evaluate the line
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
    // screen mode and the category of the new orientation, "UpdateRotation", the keyboards of the new
    // orientation replace the old pair (onKeyboardsRebuilt), the keyboards' shift releases are posted and
    // the lists are dropped.
    void willRotateToInterfaceOrientation(bool landscape);
    // The landscape category buttons (ids 0, 1, 3); the landscape keyboards show the new category.
    void pressCategoryLandButton(int categoryId);

    // The unit converter's owner clears all its text boxes here when C is pressed in its category.
    std::function<void()> onClearUnitConverter;
    // Called after the keyboards were built (viewDidLoad) or replaced (rotation): a shell binds its key
    // widgets to the new models here.
    std::function<void()> onKeyboardsRebuilt;

    // The keyboards, owned by the controller, which is their delegate. In portrait the mode keyboard and
    // the number pad exist and the landscape pair is null; in landscape the other way round. All are null
    // before viewDidLoad().
    ModViewController* modViewController() const { return m_modView.get(); }
    LargeKeyboardView* largeKeyboard() const { return m_largeKeyboard.get(); }
    ModeLandView* modeLandView() const { return m_modeLand.get(); }
    NumberKeyboardLand* numberKeyboardLand() const { return m_numberLand.get(); }

    // The side screens (created on first use).
    ScreenHost& screens() { return *m_screens; }
    const ScreenHost& screens() const { return *m_screens; }

    Alerts& alerts() { return m_platform.alerts; }
    NotificationCenter& notifications() { return m_platform.notifications; }

    MyLedView& display() { return *m_pLedView; }
    const MyLedView& display() const { return *m_pLedView; }
    int currentFunction() const { return m_nCurrentFunction; }
    int prevKeyCode() const { return nPrevKeyCode; }
    bool expResultIsComplex() const { return _bExpResultIsComplex; }
    // Headless state of what a shell shows: the open list (empty when none) with its entries, the screen
    // over the calculator ("" for none: "menu", "statistics", "loan", "mortgage", "tvm", "history_view",
    // "rpn_stack", "formula_view", "settings", "introduction", "help", "about"), whether that is the
    // formula view, the function tooltip of the input line, the strip position of the mode keyboard (-1 in
    // landscape) and whether the number pad shows its enter key (false in landscape).
    const std::string& openList() const { return m_sOpenList; }
    const KeyList& openListItems() const { return m_openListItems; }
    const std::string& currentScreen() const { return m_sCurrentScreen; }
    bool formulaViewOpen() const { return m_sCurrentScreen == "formula_view"; }
    const FunctionTooltip& functionTooltip() const { return *m_tooltip; }
    int modeKeyboardPosition() const;
    bool enterButtonShown() const;

  private:
    // Replaces the keyboards by the pair of the current screen mode; the strip shows the current category.
    void BuildKeyboards();
    void RefreshKeyboards();
    void EntryRules(int code);
    void ShowList(const std::string& name, KeyList items);
    void Later(std::function<void()> fn, double seconds = kShortDelay);
    void Observe(const char* name, std::function<void(const Notification&)> handler);
    // Keys 170..173 of the constants panel and the picks in its lists (constants_browser.cpp).
    void ConstantsKey(int code);
    void PickConstant(const std::string& list, int index);

    Platform& m_platform;
    std::unique_ptr<MyLedView> m_pLedView;
    std::unique_ptr<ScreenHost> m_screens;
    int m_nCurrentFunction = 0;
    int nPrevKeyCode = kKeyNone;
    bool _bExpResultIsComplex = false;
    bool m_bTipResultArmed = true;
    std::vector<CONSTANT_GROUP> m_constantChoices;  // the groups the open constants list offers
    std::string m_sOpenList;
    KeyList m_openListItems;
    int m_nListCategory = -1;  // category the function list was opened in
    std::string m_sCurrentScreen;
    std::unique_ptr<FunctionTooltip> m_tooltip;
    std::unique_ptr<ModViewController> m_modView;
    std::unique_ptr<LargeKeyboardView> m_largeKeyboard;
    std::unique_ptr<ModeLandView> m_modeLand;
    std::unique_ptr<NumberKeyboardLand> m_numberLand;
    std::vector<RunLoop::TimerId> m_pendingCalls;  // Later() calls not yet run, cancelled when the controller goes
};
