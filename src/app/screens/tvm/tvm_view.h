// The time-value-of-money calculator of the Finance category: six boxes (number of periods, annual rate in
// percent, present value, payment per period, future value, periods per year), five check buttons naming
// the value to solve for, the payment-type segments and the finance keypad. The calculate key solves the
// checked value from the other four (and the periods per year) and writes it into its box.
//
// Shown by the main controller on "SwitchFromMainToTVM" and hidden on "BackFromTVMViewToMainView", which the
// back button posts after saving. Kept in "orvane-finance-tvm.dat", a property-list array of 9 strings: the
// six box texts, the focused box "1".."6", the checked button "1".."5" (NPER, RATE, PV, PMT, FV) and "1"/"0"
// for payments at the beginning of each period. Defaults: "360", "6.007", "200000", "-1200", "0", "12", the
// NPER box focused, NPER checked, payments at the end of each period. Saved on the back button, on
// "Orvane_Save_Setting_Notif" and at termination.
//
// Screen interface:
//   fields (tap gives the focus; enterText): "nper", "rate", "pv", "pmt", "fv", "ppy"
//   tap: "check:nper" ... "check:fv" (check that button), "caption:nper" ... "caption:fv" (a caption tap
//        checks its field's button; the other captions take no taps), "back", "close" (the same as "back":
//        the window's own back button saves the file too)
//   setValue: "payment_type" 0 ("Begin of period") or 1 ("End of Period")
//   pressKeypad: the finance keypad (app/screens/finance_form/finance_form.h: 0 Calc, 1 C, 2..10 digits
//        1..9, 11 digit 0, 12 ".", 13 sign, 14 backspace, 15 previous box, 16 next box)
// describe() keys:
//   "title"                 "TVM Calculator"
//   "fields"                the six field names in screen order
//   "captions"              field name -> caption (runs of blanks belong to the texts)
//   "boxes"                 field name -> box text
//   "focus"                 field name of the focused box
//   "checkable"             the five field names that have a check button, in order
//   "checked"               field name of the checked button
//   "payment_type_caption"  "Payment type"
//   "segments"              ["Begin of period", "End of Period"]
//   "payment_type"          the selected segment: 0 at the beginning, 1 at the end of each period
//   "keypad"                true (the keypad always takes keys)
// Engine thread only.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/screens/finance_form/finance_form.h"
#include "app/screens/screen_host.h"

class TVMView : public ScreenModel {
  public:
    static constexpr const char* kFileName = "orvane-finance-tvm.dat";
    // Box indices (the box order); the first five are also the check buttons' order.
    enum Field { kNPER = 0, kRATE, kPV, kPMT, kFV, kPPY };
    static constexpr int kBoxCount = 6;
    static constexpr int kCheckCount = 5;

    explicit TVMView(ScreenContext& context);
    ~TVMView() override;
    TVMView(const TVMView&) = delete;
    TVMView& operator=(const TVMView&) = delete;

    const char* name() const override { return "tvm"; }
    nlohmann::json describe() const override;
    bool tap(std::string_view element) override;
    bool enterText(std::string_view field, const std::u16string& text) override;
    bool setValue(std::string_view control, double value) override;
    bool pressKeypad(int index) override;
    void save() override { saveData(); }

    // Solves `field` (kNPER ... kFV) from the six box values (box order) the way the calculate key does:
    // RATE rounded with Format to 3 places and the other values to 2, the matching CTVMCalc operation, its
    // result rounded (NPER to 0 places, RATE to 3, the others to 2). A rejected input gives 0; the code the
    // operation set (0 when it accepted the inputs) goes to *errorCode when given. The engine's error code
    // is left as it was found. Callers: calculate and orvcalc --tvm.
    static double Solve(int field, const std::array<double, kBoxCount>& values, bool paymentAtBeginning,
                        int* errorCode = nullptr);
    // The box text of a solved value: "%.3f" for RATE, "%.2f" for the others.
    static std::string ResultText(int field, double value);

    // The calculate key: solves the checked field and writes it into its box.
    void calculate();
    // Makes button `index` (0 ... 4) the checked one; ignored out of range.
    void pressCheckButton(int index);
    // A caption tap: 0 ... 4 check that field's button; any other number does nothing (false).
    bool pressLabel(int index);
    // The payment-type control: segment 0 payments at the beginning, 1 at the end; false for others.
    bool segmentedChange(int segment);
    // Saves, then posts "BackFromTVMViewToMainView".
    void goBackView();
    // Applies the data file when it holds at least 9 entries whose first six are box texts; an unknown
    // focus or button number leaves that default.
    void loadData();
    // Writes the 9 strings. False when the file could not be written.
    bool saveData();

    const FinanceForm& form() const { return m_form; }
    int checkedButton() const { return m_nChecked; }
    bool paymentAtBeginning() const { return m_bPaymentatBeginning != 0; }
    // The values of the last calculation (rounded inputs, the solved one replaced by its result).

  private:
    std::string filePath() const;

    ScreenContext m_context;
    FinanceForm m_form;
    int m_nChecked = kNPER;
    signed char m_bPaymentatBeginning = 0;
};
