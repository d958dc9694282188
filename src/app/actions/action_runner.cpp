#include "app/actions/action_runner.h"

#include "app/controller/desktop_input.h"
#include "app/controller/orvane_view_controller.h"
#include "app/display/line_text.h"
#include "app/keyboards/large_keyboard_view.h"
#include "app/keyboards/mod_view_controller.h"
#include "app/keyboards/mode_land_view.h"
#include "app/keyboards/number_keyboard_land.h"
#include "app/screens/function_help/function_tooltip.h"
#include "app/screens/screen_host.h"

using nlohmann::json;

ActionRunner::ActionRunner(OrvaneViewController& controller, Hooks hooks)
    : m_controller(controller), m_hooks(std::move(hooks)) {}

bool ActionRunner::fingerDown() const {
    for (const KeyboardModel* k : std::initializer_list<const KeyboardModel*>{
             m_controller.modViewController(), m_controller.largeKeyboard(), m_controller.modeLandView(),
             m_controller.numberKeyboardLand()})
        if (k && k->touchedSlot() >= 0) return true;
    return false;
}

void ActionRunner::settle() {
    if (m_hooks.advance) m_hooks.advance(fingerDown() ? 0.0 : kSettle);
}

KeyboardModel* ActionRunner::keyboard(const std::string& name) const {
    if (name == "mode") return m_controller.modViewController();
    if (name == "pad") return m_controller.largeKeyboard();
    if (name == "land") return m_controller.modeLandView();
    if (name == "landpad") return m_controller.numberKeyboardLand();
    return nullptr;
}

ScreenModel* ActionRunner::screen(const std::string& name, std::string& error) const {
    std::string target = name;
    if (target.empty()) target = m_controller.currentScreen();
    if (target.empty() && m_controller.modViewController())
        target = m_controller.modViewController()->visibleScreen();
    if (target.empty()) {
        error = "no screen is open";
        return nullptr;
    }
    ScreenModel* s = m_controller.screens().find(target);
    if (!s && ScreenHost::known(target)) s = m_controller.screens().open(target);
    if (!s) error = "no screen '" + target + "'";
    return s;
}

bool ActionRunner::displayTap(const std::string& area, std::string& error) {
    const LedRegions& r = m_controller.display().regions();
    const std::pair<const char*, const CanvasRect*> areas[] = {
        {"bitwidth", &r.bitWidth}, {"expression", &r.expression}, {"history", &r.history},
        {"shift", &r.shift},       {"memory", &r.memory},         {"base", &r.base},
        {"mode", &r.mode},         {"notation", &r.notation},     {"left", &r.leftArrow},
        {"right", &r.rightArrow},  {"input", &r.input},           {"result", &r.result}};
    for (const auto& [name, rect] : areas) {
        if (area != name) continue;
        const CanvasPoint p{rect->x + rect->width / 2, rect->y + rect->height / 2};
        m_controller.display().touchDown(p);
        m_controller.display().touchUp(p);
        return true;
    }
    error = "no display area '" + area + "'";
    return false;
}

bool ActionRunner::run(const Action& a, std::string& error) {
    OrvaneViewController& c = m_controller;
    bool ok = true;
    switch (a.kind) {
        case Action::Key:
            c.pressButtonHasKeycode(a.number);
            break;
        case Action::Pick:
            c.selectItemAtIndex(a.number, c.openList());
            break;
        case Action::Post:
            if (a.hasNumber) {
                c.notifications().post(a.name, a.number);
            } else {
                c.notifications().post(a.name);
            }
            break;
        case Action::Down:
        case Action::Up:
        case Action::Cancel:
        case Action::Touch:
        case Action::Hold: {
            const int slot = a.number;
            KeyboardModel* k = keyboard(a.keyboard);
            if (!k) {
                error = "no keyboard '" + a.keyboard + "' in this orientation";
                return false;
            }
            if (a.kind == Action::Down || a.kind == Action::Touch || a.kind == Action::Hold) {
                if (!k->touchDown(slot)) {
                    error = "no key at " + a.keyboard + ":" + std::to_string(slot);
                    return false;
                }
            }
            if (a.kind == Action::Hold && m_hooks.advance) m_hooks.advance(a.seconds);
            if (a.kind == Action::Up || a.kind == Action::Touch || a.kind == Action::Hold)
                k->pressButton(slot);
            if (a.kind == Action::Cancel) k->touchCancel(slot);
            break;
        }
        case Action::Swipe:
            if (!c.modViewController()) {
                error = "no strip in landscape";
                return false;
            }
            c.modViewController()->scrollToPosition(a.number);
            break;
        case Action::Tap:
            if (a.screen == "display") {
                ok = displayTap(a.name, error);
                break;
            }
            [[fallthrough]];
        case Action::Text:
        case Action::Value:
        case Action::List:
        case Action::Keypad: {
            ScreenModel* s = screen(a.screen, error);
            if (!s) return false;
            const bool taken = a.kind == Action::Tap     ? s->tap(a.name)
                               : a.kind == Action::Text  ? s->enterText(a.name, Utf8ToU16(a.text))
                               : a.kind == Action::Value ? s->setValue(a.name, a.seconds)
                               : a.kind == Action::List  ? s->pick(a.name, a.number)
                                                         : s->pressKeypad(a.number);
            if (!taken) {
                error = std::string("the screen '") + s->name() + "' did not take it";
                ok = false;
            }
            break;
        }
        case Action::Answer:
            if (m_hooks.answerNext) m_hooks.answerNext(a.number);
            break;
        case Action::Rotate:
            c.willRotateToInterfaceOrientation(a.text == "landscape");
            break;
        case Action::Wait:
            if (m_hooks.advance) m_hooks.advance(a.seconds);
            break;
        case Action::Category:
            c.selectCategoryItem(a.number);
            break;
        case Action::Option:
            c.selectOptionItem(a.number);
            break;
        case Action::Type:
            TypeText(c, Utf8ToU16(a.text));
            break;
        case Action::Paste:
            PasteText(c, Utf8ToU16(a.text));
            break;
        case Action::Close:
            c.closeList();
            break;
        case Action::Back: {
            const std::string current = c.currentScreen();
            if (current.empty()) {
                error = "no screen is open";
                return false;
            }
            ScreenModel* s = c.screens().find(current);
            if (!s || !s->tap("close")) c.HideScreen(current);
            break;
        }
    }
    settle();
    return ok;
}

namespace {

json Indicator(bool shown, const std::u16string& text) {
    return shown ? json(U16ToUtf8(text)) : json(nullptr);
}

}  // namespace

json DescribeApplication(OrvaneViewController& ctl) {
    MyLedView& d = ctl.display();
    const LedIndicators& f = d.indicators();
    static const char* const kModes[] = {"string", "basic", "rpn"};
    json state;
    state["category"] = ctl.currentFunction();
    state["inputMode"] = kModes[d.CurrentInputMode()];
    state["input"] = U16ToUtf8(d.line().GetRawInputString());
    state["caret"] = d.line().caret();
    state["result"] = U16ToUtf8(d.GetResult());
    state["indicators"] = {
        {"shift", d.IsShiftEnable()},
        {"mode", Indicator(f.mode, ModeIndicatorText(d.GetMode()))},
        {"base", Indicator(f.base, BaseIndicatorText(d.GetBase()))},
        {"notation", Indicator(f.notation, NotationIndicatorText(d.GetNotation()))},
        {"memory", Indicator(f.memory, MemoryIndicatorText(d.GetMemory()))},
        {"expression", Indicator(f.expression, Utf8ToU16("E" + std::to_string(d.GetExpressionIndex() + 1)))},
        {"bitWidth", Indicator(f.bitWidth, BitWidthIndicatorText(d.GetBitWidth()))},
        {"equal", d.IsEqual()},
    };
    state["operator"] = U16ToUtf8(d.GetCurOperator());
    json stack = json::array();
    for (int k = 0; k < 2; ++k)
        stack.push_back(d.isRPNShown() ? U16ToUtf8(d.stackLine(k).line().GetRawInputString()) : "");
    state["stack"] = stack;
    json history = json::array();
    const LedHistory& h = d.GetCurrentCategoryHistory();
    for (int k = 0; k < h.count(); ++k)
        history.push_back(U16ToUtf8(h.entry(k)->text() + u" = " + h.entry(k)->result()));
    state["history"] = history;
    json memories = json::array();
    for (int m = 0; m < MyLedView::kMemories; ++m) {
        const _RAW_MEMORY* rec = d.memory(m, d.GetCurCategory() < 0 ? 0 : d.GetCurCategory());
        memories.push_back(rec ? U16ToUtf8(rec->text()) : "");
    }
    state["memories"] = memories;
    state["screen"] = ctl.currentScreen();
    state["list"] = ctl.openList();
    state["tooltip"] = ctl.functionTooltip().describe(d);
    json keyboards = json::object();
    if (ctl.modViewController()) keyboards["mode"] = ctl.modViewController()->describe();
    if (ctl.largeKeyboard()) keyboards["pad"] = ctl.largeKeyboard()->describe();
    if (ctl.modeLandView()) keyboards["land"] = ctl.modeLandView()->describe();
    if (ctl.numberKeyboardLand()) keyboards["landpad"] = ctl.numberKeyboardLand()->describe();
    state["keyboards"] = keyboards;
    json screens = json::object();
    ctl.screens().forEach([&](ScreenModel& s) { screens[s.name()] = s.describe(); });
    state["screens"] = screens;
    return state;
}
