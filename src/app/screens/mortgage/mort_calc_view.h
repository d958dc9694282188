// The mortgage calculator of the Finance category: a form of three boxes (amount, annual interest rate in
// percent, length in years) over the finance keypad, and its result screen (MortResultView) with the
// monthly payment and the months grouped by year.
//
// Shown by the main controller on "SwitchFromMainToMortCalc" and hidden on "BackFromMortCalViewToMainView",
// which the form's back button posts after saving. The result screen's back button posts
// "BackMortCalView". The box texts are kept in "orvane-finance-mortcalc.dat" (a property-list array of the
// three texts); defaults "10000", "6", "5".
//
// Fields (tap, enterText): "amount", "rate", "years"; elements (tap): "back"; keypad: the finance keypad
// (app/screens/finance_form/finance_form.h: 0 Calc, 1 C, 2..10 digits 1..9, 11 digit 0, 12 ".", 13 sign,
// 14 backspace, 15 previous box, 16 next box). describe() keys: see
// app/screens/finance_form/finance_form_screen.h; the result's columns are "Year", "Month", "Print%" (the
// principal share of the payment in percent), "Interest", "Balance", and "highlighted" lists the rows of
// the year totals.
#pragma once

#include <optional>
#include <vector>

#include "app/screens/finance_form/finance_form_screen.h"

// The three inputs of a mortgage calculation, rounded to 2 places as the form passes them on.
struct MortInputs {
    double amount = 0.0;
    double rate = 0.0;
    double years = 0.0;
};

class MortCalcView : public FinanceFormScreen {
  public:
    static constexpr const char* kFileName = "orvane-finance-mortcalc.dat";

    explicit MortCalcView(ScreenContext& context);

    // The checks of calculateLoan on the three box values: refused (nullopt) when the amount is <= 0, the
    // rate < 0, the length <= 0 or any value is not a finite number; otherwise all three rounded with
    // Format to 2 places.
    static std::optional<MortInputs> CheckInputs(const std::vector<double>& values);

  protected:
    std::unique_ptr<FinanceResultView> makeResult(const std::vector<double>& values) const override;
};
