#include "app/screens/business/business_calc_view.h"

#include "app/controller/orvane_view_controller.h"
#include "app/keys/key_codes.h"
#include "app/screens/key_code_object.h"
#include "app/screens/text_format.h"

namespace {

const char* StateName(int state) {
    switch (state) {
        case BusinessCalcView::kFocused:
            return "focused";
        case BusinessCalcView::kInput:
            return "input";
        default:
            return "result";
    }
}

const char* const kFieldNames[BusinessCalcView::kFields] = {"f0", "f1", "f2"};
// What the fields mean in each form, and the form buttons.
const char* const kCaptions[2][BusinessCalcView::kFields] = {{"Percent (%)", "Of value", "Part"},
                                                             {"Old value", "New value", "Change (%)"}};
const char* const kModeCaptions[2] = {"% of value", "% change"};

}  // namespace

BusinessCalcView::BusinessCalcView(ScreenContext& context) : m_context(context) {
    m_fields[0].tag = kFocused;
    m_fields[1].tag = kInput;
    m_fields[2].tag = kResult;
    m_context.platform.notifications.addObserver(
        "BusinessCalc-EnterAKeycode", [this](const Notification& n) { enterAKeycode(KeyCodeOfObject(n.object)); },
        this);
}

BusinessCalcView::~BusinessCalcView() {
    m_context.platform.notifications.removeObserversOf(this);
}

int BusinessCalcView::fieldIn(int state) const {
    for (int f = 0; f < kFields; ++f)
        if (m_fields[f].tag == state) return f;
    return -1;
}

std::array<double, 3> BusinessCalcView::colourOf(int state) {
    if (state == kFocused) return {1.0, 0.0, 0.502};
    return {0.0, 0.0, 0.0};
}

double BusinessCalcView::valueOf(int field) const {
    return TextNumericValue(m_fields[field].text);
}

void BusinessCalcView::enterAKeycode(int code) {
    const int f = fieldIn(kFocused);
    if (f >= 0) {
        std::string& t = m_fields[f].text;
        const char digit = DecimalDigitOfKey(code);
        const bool edits = digit != 0 || code == kKeyClear || code == kKeyDecimal || code == kKeyChangeSign;
        // A field reading 0 starts afresh: "." gives "0.", another edit replaces the text unless a
        // decimal point is already being typed ("0." then 5 gives "0.5").
        bool done = false;
        if (edits && valueOf(f) == 0) {
            if (code == kKeyDecimal) {
                t = "0.";
                done = true;
            } else if (t.find('.') == std::string::npos) {
                t.clear();
            }
        }
        if (done) {
        } else if (digit != 0) {
            t += digit;
        } else if (code == kKeyClear) {
            t.assign(1, '0');
        } else if (code == kKeyDecimal) {
            if (t.find('.') == std::string::npos) t += '.';
        } else if (code == kKeyChangeSign) {
            if (!t.empty() && t[0] == '-')
                t.erase(0, 1);
            else
                t.insert(0, 1, '-');
        }
    }
    calculate();
}

void BusinessCalcView::focusInputText(int field) {
    if (field < 0 || field >= kFields) return;
    Field& tapped = m_fields[field];
    const int focused = fieldIn(kFocused);
    const int input = fieldIn(kInput);
    if (tapped.tag == kInput) {
        if (focused >= 0) m_fields[focused].tag = kInput;
        tapped.tag = kFocused;
    } else if (tapped.tag == kResult) {
        tapped.text.assign(1, '0');
        tapped.tag = kFocused;
        if (input >= 0) {
            m_fields[input].tag = kResult;
            m_fields[input].text.assign(1, '0');
        }
        if (focused >= 0) m_fields[focused].tag = kInput;
    } else {
        tapped.tag = kFocused;
    }
    changed();
}

void BusinessCalcView::SetMode(int mode) {
    if (m_nBusinessMode == mode) return;
    m_nBusinessMode = mode;
    calculate();
}

void BusinessCalcView::setFirstMode() {
    SetMode(1);
}

void BusinessCalcView::setSecondMode() {
    SetMode(2);
}

void BusinessCalcView::setValue(double value) {
    const int f = fieldIn(kFocused);
    if (f >= 0) m_fields[f].text = FormatFixed(value, 6);
    calculate();
}

void BusinessCalcView::calculate() {
    const int r = fieldIn(kResult);
    if (r < 0) return;
    const double f0 = valueOf(0), f1 = valueOf(1), f2 = valueOf(2);
    double value = 0;
    bool infinite = false;
    if (m_nBusinessMode == 1) {
        if (r == 0) {
            infinite = f1 == 0;
            if (!infinite) value = f2 / f1 * 100;
        } else if (r == 1) {
            infinite = f0 == 0;
            if (!infinite) value = f2 * 100 / f0;
        } else {
            value = f0 * f1 / 100;
        }
    } else {
        if (r == 0) {
            value = f1 / (f2 / 100 + 1);
        } else if (r == 1) {
            value = f0 * (f2 / 100 + 1);
        } else {
            infinite = f0 == 0;
            if (!infinite) value = (f1 / f0 - 1) * 100;
        }
    }
    m_fields[r].text = infinite ? "inf" : FormatFixed(value, 2);
    changed();
}

void BusinessCalcView::pressedMenu() {
    m_context.controller.pressButtonSoon(kKeyMenu);
}

bool BusinessCalcView::tap(std::string_view element) {
    for (int f = 0; f < kFields; ++f) {
        if (element == kFieldNames[f]) {
            focusInputText(f);
            return true;
        }
    }
    if (element == "mode1") {
        setFirstMode();
    } else if (element == "mode2") {
        setSecondMode();
    } else if (element == "menu") {
        pressedMenu();
    } else {
        return false;
    }
    return true;
}

bool BusinessCalcView::setValue(std::string_view control, double value) {
    if (control != "value") return false;
    setValue(value);
    return true;
}

nlohmann::json BusinessCalcView::describe() const {
    nlohmann::json j;
    j["mode"] = m_nBusinessMode;
    nlohmann::json fields = nlohmann::json::array();
    for (const Field& f : m_fields) {
        const auto c = colourOf(f.tag);
        fields.push_back({{"text", f.text}, {"state", StateName(f.tag)}, {"tag", f.tag}, {"colour", c}});
    }
    j["fields"] = fields;
    const int focused = fieldIn(kFocused);
    const int result = fieldIn(kResult);
    j["focused"] = focused >= 0 ? kFieldNames[focused] : "";
    j["result"] = result >= 0 ? kFieldNames[result] : "";
    j["equal_beside"] = j["result"];
    j["equal_text"] = "=";
    const auto& captions = kCaptions[m_nBusinessMode == 2 ? 1 : 0];
    j["captions"] = {captions[0], captions[1], captions[2]};
    j["mode_captions"] = {kModeCaptions[0], kModeCaptions[1]};
    return j;
}
