// The tip calculator page of the mode keyboard (category Tip).
//
// It has no keypad of its own: the bill is the main display's result. Each "=" in the Tip category posts
// "PostResultStringToModview" with the result text; the page takes its numeric value as the bill
// (setBillAmount) and shows its result panel (showResultView). The main controller hides the panel at the
// first key other than "=" after a result (hideResultView); the panel also hides while the strip shows
// another page and comes back with the page if it was showing when the page was left.
//
// Elements (tap): "menu" (key 169 to the main controller, on the next turn of the run loop).
// Controls (setValue): "tip_percent" (tipSlider, 0..50, initially 10), "people" (peopleSlider, 1..30,
// initially 1); a value outside the range is taken as the nearest end, a value that is not a number is
// refused. Slider values are kept as the slider keeps them (single precision); the sums use them rounded
// to the nearest integer.
// describe(): "bill_caption" "Bill Amount", "tip_caption" "Percent to tip", "people_caption"
// "# of people"; the labels, each localised by fixTextDisplay: "bill_amount" (billAmountValue), "tip"
// (tipValue), "total" (totalValue), "tip_per_person" (tipPerPeopleValue), "total_per_person"
// (totalPerPeopleValue), "tip_percent_label" (tipSliderVal), "people_label" (peopleSliderVal),
// "sales_tax_label" (salesTaxSliderVal, always ""); the slider positions "tip_percent" and "people" with
// their ranges "tip_percent_range" [0, 50] and "people_range" [1, 30]; "bill" (the amount as a number);
// "result_shown" (the result panel); "visible" (the page is the strip's current page); "result_captions"
// (label name -> its caption in the result panel: "Bill Amount", "Tip", "Total", "Tip per person",
// "Total per person"); "hint" (what the page says while the panel is hidden).
#pragma once

#include "app/screens/screen_host.h"

class TipCalcView : public ScreenModel {
  public:
    static constexpr float kTipMin = 0, kTipMax = 50, kTipInitial = 10;
    static constexpr float kPeopleMin = 1, kPeopleMax = 30, kPeopleInitial = 1;

    explicit TipCalcView(ScreenContext& context);
    ~TipCalcView() override;

    const char* name() const override { return "tip"; }
    nlohmann::json describe() const override;
    bool tap(std::string_view element) override;
    bool setValue(std::string_view control, double value) override;
    void didShow() override;
    void didHide() override;

    // Stores the amount and recomputes the labels (calcTip).
    void setBillAmount(double amount);
    // Recomputes every label from the bill and the two sliders; also runs when a slider moves.
    void calcTip();
    void showResultView();
    void hideResultView();
    // The menu button: key 169 to the main controller on the next turn of the run loop.
    void pressedMenu();

    double billAmountMoney() const { return m_dBillAmountMoney; }
    bool resultViewShown() const { return m_bResultShown; }
    float tipSliderValue() const { return m_fTipSlider; }
    float peopleSliderValue() const { return m_fPeopleSlider; }

    // The label texts (already localised).
    struct Labels {
        std::string billAmountValue, tipValue, totalValue, tipPerPeopleValue, totalPerPeopleValue,
            tipSliderVal, peopleSliderVal, salesTaxSliderVal;
    };
    const Labels& labels() const { return m_labels; }

  private:
    ScreenContext m_context;
    double m_dBillAmountMoney = 0;
    float m_fTipSlider = kTipInitial;
    float m_fPeopleSlider = kPeopleInitial;
    Labels m_labels;
    bool m_bResultShown = false;
    bool m_bVisible = false;
    bool m_bShownWhenLeft = false;
};
