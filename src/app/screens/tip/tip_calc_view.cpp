#include "app/screens/tip/tip_calc_view.h"

#include <algorithm>
#include <cmath>

#include "app/controller/orvane_view_controller.h"
#include "app/display/line_text.h"
#include "app/keys/key_codes.h"
#include "app/screens/text_format.h"

namespace {

// The text a notification carries: UTF-16 from the controller, UTF-8 or a number from a headless post.
std::u16string ObjectText(const std::any& object) {
    if (const auto* s = std::any_cast<std::u16string>(&object)) return *s;
    if (const auto* s = std::any_cast<std::string>(&object)) return Utf8ToU16(*s);
    if (const auto* i = std::any_cast<int>(&object)) return Latin1ToU16(std::to_string(*i));
    return {};
}

std::string Label(double value, int decimals) {
    return U16ToUtf8(fixTextDisplay(Latin1ToU16(FormatFixed(value, decimals))));
}

}  // namespace

TipCalcView::TipCalcView(ScreenContext& context) : m_context(context) {
    m_context.platform.notifications.addObserver(
        "PostResultStringToModview",
        [this](const Notification& n) {
            setBillAmount(TextNumericValue(ObjectText(n.object)));
            showResultView();
        },
        this);
    calcTip();
}

TipCalcView::~TipCalcView() {
    m_context.platform.notifications.removeObserversOf(this);
}

void TipCalcView::setBillAmount(double amount) {
    m_dBillAmountMoney = amount;
    calcTip();
}

void TipCalcView::calcTip() {
    const float p = std::round(m_fTipSlider);
    const float n = std::round(m_fPeopleSlider);
    const double w = p / 100.0;
    const double bill = m_dBillAmountMoney;
    const double tip = bill * w;
    const double total = bill * (1 + w);
    m_labels.billAmountValue = Label(bill, 2);
    m_labels.tipValue = Label(tip, 2);
    m_labels.totalValue = Label(total, 2);
    // The shares are worked in single precision, as the page always did: a share of a large bill shows
    // the rounding of a float.
    m_labels.tipPerPeopleValue = Label(static_cast<float>(tip) / n, 2);
    m_labels.totalPerPeopleValue = Label(static_cast<float>(total) / n, 2);
    m_labels.tipSliderVal = Label(p, 0);
    m_labels.peopleSliderVal = Label(n, 0);
    m_labels.salesTaxSliderVal.clear();
    changed();
}

void TipCalcView::showResultView() {
    m_bResultShown = true;
    changed();
}

void TipCalcView::hideResultView() {
    m_bResultShown = false;
    changed();
}

void TipCalcView::pressedMenu() {
    m_context.controller.pressButtonSoon(kKeyMenu);
}

void TipCalcView::didShow() {
    m_bVisible = true;
    if (m_bShownWhenLeft) showResultView();
    m_bShownWhenLeft = false;
    changed();
}

void TipCalcView::didHide() {
    // A second "hidden" (the page left, then the strip stopping elsewhere) keeps what the first one saw.
    if (!m_bVisible) return;
    m_bVisible = false;
    m_bShownWhenLeft = m_bResultShown;
    hideResultView();
}

bool TipCalcView::tap(std::string_view element) {
    if (element != "menu") return false;
    pressedMenu();
    return true;
}

bool TipCalcView::setValue(std::string_view control, double value) {
    if (std::isnan(value)) return false;
    if (control == "tip_percent") {
        m_fTipSlider = static_cast<float>(std::clamp(value, double{kTipMin}, double{kTipMax}));
    } else if (control == "people") {
        m_fPeopleSlider = static_cast<float>(std::clamp(value, double{kPeopleMin}, double{kPeopleMax}));
    } else {
        return false;
    }
    calcTip();
    return true;
}

nlohmann::json TipCalcView::describe() const {
    nlohmann::json j;
    j["bill_caption"] = "Bill Amount";
    j["tip_caption"] = "Percent to tip";
    j["people_caption"] = "# of people";
    j["bill_amount"] = m_labels.billAmountValue;
    j["tip"] = m_labels.tipValue;
    j["total"] = m_labels.totalValue;
    j["tip_per_person"] = m_labels.tipPerPeopleValue;
    j["total_per_person"] = m_labels.totalPerPeopleValue;
    j["tip_percent_label"] = m_labels.tipSliderVal;
    j["people_label"] = m_labels.peopleSliderVal;
    j["sales_tax_label"] = m_labels.salesTaxSliderVal;
    j["tip_percent"] = m_fTipSlider;
    j["people"] = m_fPeopleSlider;
    j["tip_percent_range"] = {kTipMin, kTipMax};
    j["people_range"] = {kPeopleMin, kPeopleMax};
    j["bill"] = m_dBillAmountMoney;
    j["result_shown"] = m_bResultShown;
    j["visible"] = m_bVisible;
    j["result_captions"] = {{"bill_amount", "Bill Amount"},
                            {"tip", "Tip"},
                            {"total", "Total"},
                            {"tip_per_person", "Tip per person"},
                            {"total_per_person", "Total per person"}};
    j["hint"] = "Work out the bill on the calculator and press = to split it.";
    return j;
}
