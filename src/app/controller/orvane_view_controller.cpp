#include "app/controller/orvane_view_controller.h"

#include <algorithm>
#include <any>

#include "app/screens/tip/tip_calc_view.h"
#include "app/settings/input_mode_manager.h"
#include "app/settings/settings_globals.h"
#include "engine/format/format_state.h"

bool g_bAnswer = false;

namespace {

bool IsNumberEntryKey(int code) {
    switch (code) {
        case 0:
        case 1:
        case 2:
        case 5:
        case 6:
        case 7:
        case 10:
        case 11:
        case 12:
        case 15:
        case 16:
        case 17:
            return true;
        default:
            return code >= 72 && code <= 77;
    }
}

// The keys of digits the display's base does not have, in the Base Conversion category.
bool DroppedInBase(int code, int baseCode) {
    const bool hex = code >= 72 && code <= 77;
    switch (baseCode) {
        case 147:
            return hex;
        case 146:
            return hex || code == 1 || code == 2;
        case 145:
            return hex || code == 11 || code == 12 || code == 0 || code == 1 || code == 2 || code == 5 ||
                   code == 6 || code == 7;
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
      m_screens(std::make_unique<ScreenHost>(ScreenContext{platform, *this, metrics})) {
    Observe("ShowCurrentHistory", [this](const Notification&) { ShowScreen("history"); });
    Observe("UpdateNotation", [this](const Notification&) { UpdateNotation(); });
    Observe("ShowFomula", [this](const Notification&) { m_bFormulaOpen = !m_bFormulaOpen; });
    Observe("ClearLedHistory", [this](const Notification&) { ClearLedHistory(); });
    Observe("ForwardHistoryToMail", [this](const Notification&) { display().forwardHisToMail(); });
    Observe("SelectListHistoryIndex", [this](const Notification& n) {
        display().SetHistoryToLED(IndexOf(n.object));
        HideScreen("history");
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
    m_platform.notifications.removeObserversOf(this);
}

void OrvaneViewController::Observe(const char* name, std::function<void(const Notification&)> handler) {
    m_platform.notifications.addObserver(name, std::move(handler), this);
}

void OrvaneViewController::Later(std::function<void()> fn) {
    m_platform.runLoop.after(kShortDelay, std::move(fn));
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
    const int category = g_nCurScreenMode == 1 ? g_CurrentFunction : g_curLandScapeFunction;
    m_pLedView->Start(category);
    setCurrentMode(category);
}

// ---- routing -------------------------------------------------------------------------------------------

void OrvaneViewController::pressButtonHasKeycode(int code) {
    switch (code) {
        case 163:
            ShowScreen("statistics");
            return;
        case 168:
            Later([this] { m_platform.notifications.post("SwitchFromMainToLoanCalc"); });
            return;
        case 167:
            Later([this] { m_platform.notifications.post("SwitchFromMainToMortCalc"); });
            return;
        case 166:
            Later([this] { m_platform.notifications.post("SwitchFromMainToTVM"); });
            return;
        case 24:
            Later([this] { showListFunction(); });
            return;
        case 169:
            Later([this] { showMenu(); });
            return;
        default:
            break;
    }
    // The tip screen hides its result panel at the first key after a result; "=" shows it again.
    if (m_nCurrentFunction == 7) {
        if (code == 19) {
            m_bTipResultArmed = true;
        } else if (m_bTipResultArmed) {
            m_bTipResultArmed = false;
            if (auto* tip = dynamic_cast<TipCalcView*>(m_screens->find("tip"))) tip->hideResultView();
        }
    } else {
        m_bTipResultArmed = true;
    }
    if (m_nCurrentFunction == 17) {
        m_platform.notifications.post("BusinessCalc-EnterAKeycode", CodeText(code));
        return;
    }
    if (m_nCurrentFunction == 12) {
        m_platform.notifications.post("EquationSolver-EnterAKeycode", CodeText(code));
        return;
    }
    switch (code) {
        case 170:
        case 171:
        case 172:
        case 173:
            ConstantsKey(code);
            return;
        case 174:
            ShowList(kRPNStackList, RPNFStackList());
            return;
        case 175:
            ShowList(kRPNFunctionList, RPNFunctionList());
            return;
        case 193:
            ShowList(kDistributionList, PDFFunctionList());
            return;
        case 192:
            m_platform.notifications.post("Orvane-open-rpn-stack");
            return;
        case 19:
            calculateValue();
            return;
        default:
            EntryRules(code);
            return;
    }
}

void OrvaneViewController::EntryRules(int code) {
    MyLedView& d = display();
    const bool newNumber = g_bAnswer || nPrevKeyCode == 190 || nPrevKeyCode == 191;
    if (newNumber && IsNumberEntryKey(code)) d.InputCommand(4);
    g_bAnswer = false;
    int routed = code;
    if (m_nCurrentFunction == 3 && DroppedInBase(code, d.GetBase())) routed = -1;
    if (m_nCurrentFunction == 13) {
        m_platform.notifications.post("GraphView_enterACommand", CodeText(routed));
    } else {
        d.InputCommand(routed);
        if (m_nCurrentFunction == 5 && routed == 4 && onClearUnitConverter) onClearUnitConverter();
    }
    if (m_bFormulaOpen && code < 20) m_bFormulaOpen = false;
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
    } else if (list == kFunctionList && category == 13) {
        m_platform.notifications.post("GraphView_enterACommand", CodeText(code));
    } else {
        pressButtonHasKeycode(code);
    }
}

void OrvaneViewController::selectCategoryItem(int categoryId) {
    setCurrentMode(categoryId);
    const int panel = PanelIndexOfCategory(categoryId);
    if (panel < 0) return;
    const auto it = std::find(g_arrOrderView.begin(), g_arrOrderView.end(), panel);
    if (it != g_arrOrderView.end()) m_nModePosition = static_cast<int>(it - g_arrOrderView.begin());
}

void OrvaneViewController::setCurrentMode(int categoryId) {
    m_nCurrentFunction = categoryId;
    // The portrait category is the one kept across runs; landscape keeps its own.
    if (g_nCurScreenMode == 1) g_CurrentFunction = categoryId;
    display().SwitchToCategory(categoryId);
    m_bEnterButton = g_pInputMode != nullptr && g_pInputMode->isRPNMode(categoryId);
}

void OrvaneViewController::selectOptionItem(int option) {
    static const char* const kScreens[] = {"settings", "introduction", "help", "about"};
    if (option >= 0 && option < 4) ShowScreen(kScreens[option]);
}

void OrvaneViewController::pressCategoryLandButton(int categoryId) {
    if (categoryId != 0 && categoryId != 1 && categoryId != 3) return;
    if (categoryId == m_nCurrentFunction) return;
    g_curLandScapeFunction = categoryId;
    m_nCurrentFunction = categoryId;
    display().SwitchToCategory(categoryId);
}

// ---- notifications and life cycle ------------------------------------------------------------------------

void OrvaneViewController::ClearLedHistory() {
    if (display().GetCurrentCategoryHistory().empty()) return;
    AlertRequest request{"Warning!", "Do you want to clear history ?", {"YES", "NO"}};
    m_platform.alerts.show(request, [this](int answer) {
        if (answer == 0) display().clearHistory();
    });
}

void OrvaneViewController::UpdateSettingChanges() {
    HideScreen("settings");
    display().UpdateSettingChanges();
}

void OrvaneViewController::appWillTerminate() {
    display().appWillTerminate();
    m_screens->saveAll();
}

void OrvaneViewController::willRotateToInterfaceOrientation(bool landscape) {
    const int mode = landscape ? 2 : 1;
    if (mode == g_nCurScreenMode) return;
    g_nCurScreenMode = mode;
    m_nCurrentFunction = landscape ? g_curLandScapeFunction : g_CurrentFunction;
    m_sOpenList.clear();
    m_openListItems = {};
    HideScreen("history");
    m_platform.notifications.post("UpdateRotation");
    m_platform.notifications.post("ReleaseSHIFTButon");
    m_platform.notifications.post("LandscapeReleaseSHIFTButton");
    g_bShiftMode = false;
    m_bEnterButton = g_pInputMode != nullptr && g_pInputMode->isRPNMode(m_nCurrentFunction);
}
