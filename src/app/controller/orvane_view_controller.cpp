#include "app/controller/orvane_view_controller.h"

#include <algorithm>
#include <any>

#include "app/keyboards/large_keyboard_view.h"
#include "app/keyboards/mod_view_controller.h"
#include "app/keyboards/mode_land_view.h"
#include "app/keyboards/number_keyboard_land.h"
#include "app/keys/key_codes.h"
#include "app/screens/history_view/history_view.h"
#include "app/screens/tip/tip_calc_view.h"
#include "app/settings/input_mode_manager.h"
#include "app/settings/settings_globals.h"
#include "engine/format/format_state.h"

bool g_bAnswer = false;

namespace {

bool IsNumberEntryKey(int code) {
    return IsDecimalDigitKey(code) || IsHexDigitKey(code) || code == kKeyDecimal || code == kKeyChangeSign;
}

// The keys of digits the display's base does not have, in the Base Conversion category.
bool DroppedInBase(int code, int baseCode) {
    const bool hex = IsHexDigitKey(code);
    switch (baseCode) {
        case kKeyBaseDec:
            return hex;
        case kKeyBaseOct:
            return hex || code == kKey8 || code == kKey9;
        case kKeyBaseBin:
            return hex || (IsDecimalDigitKey(code) && code != kKey0 && code != kKey1);
        default:
            return false;
    }
}

std::string CodeText(int code) {
    return std::to_string(code);
}

// A history row index from a notification: an int, or its decimal text.
int IndexOf(const std::any& object) {
    if (const int* i = std::any_cast<int>(&object)) return *i;
    if (const std::string* s = std::any_cast<std::string>(&object)) {
        try {
            return std::stoi(*s);
        } catch (...) {
            return -1;
        }
    }
    return -1;
}

}  // namespace

OrvaneViewController::OrvaneViewController(Platform& platform, const Canvas* metrics)
    : m_platform(platform),
      m_pLedView(std::make_unique<MyLedView>(platform, metrics)),
      m_screens(std::make_unique<ScreenHost>(ScreenContext{platform, *this, metrics})),
      m_tooltip(std::make_unique<FunctionTooltip>(platform.storage)) {
    Observe("ShowCurrentHistory", [this](const Notification&) { ShowScreen("history_view"); });
    Observe("UpdateNotation", [this](const Notification&) { UpdateNotation(); });
    Observe("ShowFomula", [this](const Notification&) {
        if (formulaViewOpen()) {
            HideScreen("formula_view");
        } else {
            ShowScreen("formula_view");
        }
    });
    Observe("Orvane-open-rpn-stack", [this](const Notification&) { ShowScreen("rpn_stack"); });
    Observe("ClearLedHistory", [this](const Notification&) { ClearLedHistory(); });
    Observe("ForwardHistoryToMail", [this](const Notification&) { display().forwardHisToMail(); });
    Observe("SelectListHistoryIndex", [this](const Notification& n) {
        display().SetHistoryToLED(IndexOf(n.object));
        HideScreen("history_view");
    });
    Observe("SwitchFromMainToLoanCalc", [this](const Notification&) { ShowScreen("loan"); });
    Observe("BackFromLoanCalViewToMainView", [this](const Notification&) { HideScreen("loan"); });
    Observe("SwitchFromMainToMortCalc", [this](const Notification&) { ShowScreen("mortgage"); });
    Observe("BackFromMortCalViewToMainView", [this](const Notification&) { HideScreen("mortgage"); });
    Observe("SwitchFromMainToTVM", [this](const Notification&) { ShowScreen("tvm"); });
    Observe("BackFromTVMViewToMainView", [this](const Notification&) { HideScreen("tvm"); });
    Observe("BackFromStatisticsDataView", [this](const Notification&) { HideScreen("statistics"); });
}

OrvaneViewController::~OrvaneViewController() {
    // A menu or list opening a moment after its key must not reach a controller that is gone.
    for (RunLoop::TimerId id : m_pendingCalls) m_platform.runLoop.cancel(id);
    m_platform.notifications.removeObserversOf(this);
}

void OrvaneViewController::Observe(const char* name, std::function<void(const Notification&)> handler) {
    m_platform.notifications.addObserver(name, std::move(handler), this);
}

void OrvaneViewController::pressButtonSoon(int code) {
    Later([this, code] { pressButtonHasKeycode(code); }, 0);
}

void OrvaneViewController::Later(std::function<void()> fn, double seconds) {
    auto id = std::make_shared<RunLoop::TimerId>(0);
    *id = m_platform.runLoop.after(seconds, [this, id, fn = std::move(fn)] {
        std::erase(m_pendingCalls, *id);
        fn();
    });
    m_pendingCalls.push_back(*id);
}

void OrvaneViewController::ShowScreen(const std::string& screen) {
    if (m_sCurrentScreen == screen) return;
    if (ScreenModel* old = m_screens->find(m_sCurrentScreen)) old->didHide();
    m_sCurrentScreen = screen;
    if (ScreenModel* s = m_screens->open(screen)) s->didShow();
}

void OrvaneViewController::HideScreen(const std::string& screen) {
    if (m_sCurrentScreen != screen) return;
    m_sCurrentScreen.clear();
    if (ScreenModel* s = m_screens->find(screen)) s->didHide();
}

void OrvaneViewController::viewDidLoad() {
    const int category = g_nCurScreenMode == kScreenPortrait ? g_CurrentFunction : g_curLandScapeFunction;
    m_pLedView->Start(category);
    m_nCurrentFunction = category;
    BuildKeyboards();
    setCurrentMode(category);
}

// ---- keyboards -----------------------------------------------------------------------------------------

void OrvaneViewController::BuildKeyboards() {
    m_modView.reset();
    m_largeKeyboard.reset();
    m_modeLand.reset();
    m_numberLand.reset();
    if (g_nCurScreenMode == 1) {
        m_modView = std::make_unique<ModViewController>(m_platform, m_screens.get());
        m_modView->setDelegate(this);
        m_modView->loadModViewWithIndex(PanelIndexOfCategory(m_nCurrentFunction), true);
        m_largeKeyboard = std::make_unique<LargeKeyboardView>(m_platform);
        m_largeKeyboard->setDelegate(this);
    } else {
        m_modeLand = std::make_unique<ModeLandView>(m_platform);
        m_modeLand->setDelegate(this);
        m_numberLand = std::make_unique<NumberKeyboardLand>(m_platform);
        m_numberLand->setDelegate(this);
    }
    RefreshKeyboards();
    if (onKeyboardsRebuilt) onKeyboardsRebuilt();
}

// The keys read the category, the input mode and the shift at press time; this shows the enter key and
// repaints the faces after any of them changed.
void OrvaneViewController::RefreshKeyboards() {
    if (m_modView) m_modView->updateRPNMode();
    if (m_largeKeyboard) m_largeKeyboard->showHideEnterButton(m_nCurrentFunction);
    if (m_modeLand) m_modeLand->updateButtons();
    if (m_numberLand) m_numberLand->updateButtons();
}

int OrvaneViewController::modeKeyboardPosition() const {
    return m_modView ? m_modView->currentPosition() : -1;
}

bool OrvaneViewController::enterButtonShown() const {
    return m_largeKeyboard && m_largeKeyboard->enterButtonShown();
}

// ---- routing -------------------------------------------------------------------------------------------

void OrvaneViewController::pressButtonHasKeycode(int code) {
    switch (code) {
        case kKeyStatisticsData:
            ShowScreen("statistics");
            if (m_modView) m_modView->openStatisticDataView();
            return;
        case kKeyOpenLoan:
            Later([this] { m_platform.notifications.post("SwitchFromMainToLoanCalc"); });
            return;
        case kKeyOpenMortgage:
            Later([this] { m_platform.notifications.post("SwitchFromMainToMortCalc"); });
            return;
        case kKeyOpenTvm:
            Later([this] { m_platform.notifications.post("SwitchFromMainToTVM"); });
            return;
        case kKeyFunctionList:
            Later([this] { showListFunction(); });
            return;
        case kKeyMenu:
            Later([this] { showMenu(); });
            return;
        default:
            break;
    }
    // The tip screen hides its result panel at the first key after a result; "=" shows it again.
    if (m_nCurrentFunction == kCatTip) {
        if (code == kKeyEquals) {
            m_bTipResultArmed = true;
        } else if (m_bTipResultArmed) {
            m_bTipResultArmed = false;
            if (auto* tip = dynamic_cast<TipCalcView*>(m_screens->find("tip"))) tip->hideResultView();
        }
    } else {
        m_bTipResultArmed = true;
    }
    if (m_nCurrentFunction == kCatBusiness) {
        m_platform.notifications.post("BusinessCalc-EnterAKeycode", CodeText(code));
        return;
    }
    if (m_nCurrentFunction == kCatEquationSolver) {
        m_platform.notifications.post("EquationSolver-EnterAKeycode", CodeText(code));
        return;
    }
    switch (code) {
        case kKeyConstantGroups:
        case kKeyConstantSubgroups:
        case kKeyConstantItems:
        case kKeyConstantInsert:
            ConstantsKey(code);
            return;
        case kKeyRpnStackList:
            ShowList(kRPNStackList, RPNFStackList());
            return;
        case kKeyRpnFunctionList:
            ShowList(kRPNFunctionList, RPNFunctionList());
            return;
        case kKeyDistributionList:
            ShowList(kDistributionList, PDFFunctionList());
            return;
        case kKeyOpenRpnStack:
            m_platform.notifications.post("Orvane-open-rpn-stack");
            return;
        case kKeyEquals:
            calculateValue();
            return;
        default:
            EntryRules(code);
            return;
    }
}

void OrvaneViewController::EntryRules(int code) {
    MyLedView& d = display();
    const bool newNumber = g_bAnswer || nPrevKeyCode == kKeyMemoryAdd || nPrevKeyCode == kKeyMemorySubtract;
    if (newNumber && IsNumberEntryKey(code)) d.InputCommand(kKeyClear);
    g_bAnswer = false;
    int routed = code;
    if (m_nCurrentFunction == kCatBaseConversion && DroppedInBase(code, d.GetBase())) routed = kKeyNone;
    if (m_nCurrentFunction == kCatGraph) {
        m_platform.notifications.post("GraphView_enterACommand", CodeText(routed));
    } else {
        d.InputCommand(routed);
        if (m_nCurrentFunction == kCatUnitConverter && routed == kKeyClear && onClearUnitConverter)
            onClearUnitConverter();
    }
    // A key of the number pad (the codes up to "=") closes the formula view.
    if (formulaViewOpen() && code <= kKeyEquals) HideScreen("formula_view");
    nPrevKeyCode = code;
}

// ---- lists, menus and categories ------------------------------------------------------------------------

void OrvaneViewController::ShowList(const std::string& name, KeyList items) {
    m_sOpenList = name;
    m_openListItems = std::move(items);
    m_nListCategory = m_nCurrentFunction;
}

void OrvaneViewController::closeList() {
    m_sOpenList.clear();
    m_openListItems = {};
}

void OrvaneViewController::showListFunction() {
    ShowList(kFunctionList, FunctionListForCategory(m_nCurrentFunction));
}

void OrvaneViewController::showMenu() {
    KeyList panel;
    for (int i = 0; i < 12; ++i) {
        panel.codes.push_back(PanelCategory(i));
        panel.captions.push_back(PanelLabel(i));
    }
    ShowList(kCategoryMenu, std::move(panel));
}

void OrvaneViewController::selectItemAtIndex(int index, const std::string& listName) {
    if (listName != m_sOpenList) return;
    const std::string list = listName;  // the caller may pass openList() itself, emptied below
    const KeyList items = m_openListItems;
    const int category = m_nListCategory;
    m_sOpenList.clear();
    m_openListItems = {};
    // Only the rows a list shows can be picked (the stack list holds one code more than it shows).
    if (index < 0 || index >= static_cast<int>(items.captions.size()) ||
        index >= static_cast<int>(items.codes.size()))
        return;
    const int code = items.codes[index];
    if (list == kCategoryMenu) {
        selectCategoryItem(code);
    } else if (list == kConstantGroupList || list == kConstantSubGroupList1 ||
               list == kConstantSubGroupList2) {
        PickConstant(list, index);
    } else if (list == kFunctionList && category == kCatGraph) {
        m_platform.notifications.post("GraphView_enterACommand", CodeText(code));
    } else {
        pressButtonHasKeycode(code);
    }
}

void OrvaneViewController::selectCategoryItem(int categoryId) {
    setCurrentMode(categoryId);
    if (m_modView) m_modView->loadModViewWithIndex(PanelIndexOfCategory(categoryId), true);
}

void OrvaneViewController::setCurrentMode(int categoryId) {
    m_nCurrentFunction = categoryId;
    // The portrait category is the one kept across runs; landscape keeps its own.
    if (g_nCurScreenMode == kScreenPortrait) g_CurrentFunction = categoryId;
    display().SwitchToCategory(categoryId);
    if (m_largeKeyboard) m_largeKeyboard->showHideEnterButton(categoryId);
}

void OrvaneViewController::selectOptionItem(int option) {
    static const char* const kScreens[] = {"settings", "introduction", "help", "about"};
    if (option >= 0 && option < 4) ShowScreen(kScreens[option]);
}

void OrvaneViewController::pressCategoryLandButton(int categoryId) {
    if (categoryId != kCatArithmetic && categoryId != kCatTrigonom && categoryId != kCatBaseConversion)
        return;
    if (categoryId == m_nCurrentFunction) return;
    g_curLandScapeFunction = categoryId;
    m_nCurrentFunction = categoryId;
    RefreshKeyboards();
    display().SwitchToCategory(categoryId);
}

// ---- notifications and life cycle ------------------------------------------------------------------------

void OrvaneViewController::ClearLedHistory() {
    if (display().GetCurrentCategoryHistory().empty()) return;
    AlertRequest request{"Warning!", "Do you want to clear history ?", {"YES", "NO"}};
    m_platform.alerts.show(request, [this](int answer) {
        if (answer != 0) return;
        display().clearHistory();
        if (auto* view = dynamic_cast<HistoryView*>(m_screens->find("history_view"))) view->reload();
    });
}

void OrvaneViewController::UpdateSettingChanges() {
    HideScreen("settings");
    display().UpdateSettingChanges();
    RefreshKeyboards();
}

void OrvaneViewController::appWillTerminate() {
    display().appWillTerminate();
    m_screens->saveAll();
}

void OrvaneViewController::willRotateToInterfaceOrientation(bool landscape) {
    const int mode = landscape ? kScreenLandscape : kScreenPortrait;
    if (mode == g_nCurScreenMode) return;
    g_nCurScreenMode = mode;
    m_nCurrentFunction = landscape ? g_curLandScapeFunction : g_CurrentFunction;
    m_sOpenList.clear();
    m_openListItems = {};
    HideScreen("history_view");
    m_platform.notifications.post("UpdateRotation");
    BuildKeyboards();
    m_platform.notifications.post("ReleaseSHIFTButon");
    m_platform.notifications.post("LandscapeReleaseSHIFTButton");
    g_bShiftMode = false;
}
