// The loan calculator of the Finance category: a form of five boxes (loan amount, annual interest rate in
// percent, periods per year, number of payments, payment per period; a payment of -1 asks for the payment
// to be computed) over the finance keypad, and its result screen (LoanResultView).
//
// Shown by the main controller on "SwitchFromMainToLoanCalc" and hidden on "BackFromLoanCalViewToMainView",
// which the form's back button posts after saving. The result screen's back button posts
// "BackLoanCalcView". The box texts are kept in "orvane-finance-loancalc.dat" (a property-list array of the
// five texts); defaults "1000", "7", "12", "12", "-1".
//
// Fields (tap, enterText): "amount", "rate", "ppy", "nper", "pmt"; elements (tap): "back"; keypad: the
// finance keypad (app/screens/finance_form/finance_form.h: 0 Calc, 1 C, 2..10 digits 1..9, 11 digit 0,
// 12 ".", 13 sign, 14 backspace, 15 previous box, 16 next box). describe() keys: see
// app/screens/finance_form/finance_form_screen.h; the result's columns are "Period", "Years", "Balance",
// "Interest", "Principal" and nothing is highlighted.
#pragma once

#include <optional>
#include <vector>

#include "app/screens/finance_form/finance_form_screen.h"

// The five inputs of a loan calculation, rounded to 2 places as the form passes them on.
struct LoanInputs {
    double amount = 0.0;
    double rate = 0.0;
    double ppy = 0.0;
    double nper = 0.0;
    double pmt = 0.0;
};

class LoanCalcView : public FinanceFormScreen {
  public:
    static constexpr const char* kFileName = "orvane-finance-loancalc.dat";

    explicit LoanCalcView(ScreenContext& context);

    // The checks of calculateLoan on the five box values (box order): refused (nullopt) when the amount
    // is <= 0, the rate < 0, the periods per year <= 0, the number of payments <= 0, the payment < 0 but not
    // -1, or any value is not a finite number; otherwise all five rounded with Format to 2 places.
    static std::optional<LoanInputs> CheckInputs(const std::vector<double>& values);

  protected:
    std::unique_ptr<FinanceResultView> makeResult(const std::vector<double>& values) const override;
};
