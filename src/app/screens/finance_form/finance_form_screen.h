// The two-page finance forms (loan and mortgage): a form of text boxes over the finance keypad and, after
// a successful calculation, a result screen pushed in from the right; its back button pushes it out to the
// left again and releases it. LoanCalcView and MortCalcView supply the boxes, the checks of the inputs and
// the result screen.
//
// Life cycle: created (boxes with their defaults, then the data file applied when it holds a text for
// every box) when the main controller first shows the screen; lives until termination. The form saves its
// box texts when its back button is tapped, on "Orvane_Save_Setting_Notif" and at termination (save()).
//
// Screen interface (loan fields "amount", "rate", "ppy", "nper", "pmt"; mortgage fields "amount", "rate",
// "years"):
//   tap: a field name (the box takes the focus; form page only), "back" (form page: save the file and post
//        the screen's back-to-main notification; result page: post the back-to-form notification, on which
//        the result screen goes), "close" (the same as "back": the window's own back button and Escape
//        go where the screen's back button goes, so the file is saved and the result page returns to the
//        form first).
//   enterText: a field name; the text is rebuilt through the keypad's insertion rules (form page only).
//   pressKeypad: the finance keypad's indices (app/screens/finance_form/finance_form.h); form page only.
//   While the "Input Error" alert waits for its answer every input is refused (the alert is modal).
//
// describe() keys:
//   "title"       the form's title ("Loan Calculator", "Mortgage Calculator")
//   "page"        "form" or "result" (the page that shows)
//   "transition"  how that page came in: "none" (the form as first shown), "push_from_right" (the result
//                 screen sliding in), "push_from_left" (the form coming back)
//   "fields"      the field names in screen order
//   "labels"      field name -> caption (line breaks and trailing blanks belong to the texts)
//   "boxes"       field name -> box text
//   "focus"       the field name of the focused box
//   "keypad"      true while the keypad takes keys (form page, no alert)
//   "alert"       null, or {"title", "message", "buttons"} of the alert waiting for its answer
//   "result"      null, or the result screen: {"title", "summary": [lines], "columns": [captions],
//                 "rows": [[cells]], "highlighted": [row indices of total rows]}
// Engine thread only.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/screens/finance_form/finance_form.h"
#include "app/screens/finance_form/finance_result.h"
#include "app/screens/screen_host.h"

class FinanceFormScreen : public ScreenModel {
  public:
    enum class Page { kForm, kResult };
    enum class Transition { kNone, kPushFromRight, kPushFromLeft };

    // The names that differ between the loan and the mortgage form.
    struct Names {
        const char* screen;      // screen name ("loan", "mortgage")
        const char* title;       // form title
        const char* fileName;    // data file in the documents folder
        const char* backToForm;  // posted by the result screen's back button, observed by the form
        const char* backToMain;  // posted by the form's back button, observed by the main controller
    };

    // Alert of a refused calculation.
    static constexpr const char* kInputErrorTitle = "Input Error";
    static constexpr const char* kInputErrorMessage = "Please check input again!";
    static constexpr const char* kInputErrorButton = "OK";

    FinanceFormScreen(ScreenContext& context, Names names, std::vector<FinanceForm::Box> boxes);
    ~FinanceFormScreen() override;
    FinanceFormScreen(const FinanceFormScreen&) = delete;
    FinanceFormScreen& operator=(const FinanceFormScreen&) = delete;

    const char* name() const override { return m_names.screen; }
    nlohmann::json describe() const override;
    bool tap(std::string_view element) override;
    bool enterText(std::string_view field, const std::u16string& text) override;
    bool pressKeypad(int index) override;
    void save() override { saveData(); }

    // The form's calculate key: reads the boxes; when the inputs are refused shows the "Input Error"
    // alert and changes nothing else; otherwise builds a new result screen and pushes it in.
    void calculateLoan();
    // Releases the result screen and pushes the form back in (hideLoanResult / hideMortResult; the
    // reaction to the back-to-form notification). Nothing when no result screen shows.
    void hideResult();
    // The form's back button: saves the file, then posts the back-to-main notification.
    void goBackView();
    // Applies the data file to the boxes when it holds a valid text for every box; else nothing changes.
    void loadData();
    // Writes the box texts as a property-list array of strings. False when the file could not be written.
    bool saveData();

    const FinanceForm& form() const { return m_form; }
    Page page() const { return m_pResult ? Page::kResult : Page::kForm; }
    Transition transition() const { return m_transition; }
    // The result screen while it shows, else null.
    const FinanceResultView* result() const { return m_pResult.get(); }
    // The result table as tab-separated text (copy) and as CSV (save); empty when no result shows.
    std::string resultTabSeparated() const;
    std::string resultCsv() const;

  protected:
    // The result screen of the box values (in box order), or null when the form refuses them.
    virtual std::unique_ptr<FinanceResultView> makeResult(const std::vector<double>& values) const = 0;

  private:
    bool takesInput() const { return page() == Page::kForm && !m_alert; }
    std::string filePath() const;

    ScreenContext m_context;
    Names m_names;
    FinanceForm m_form;
    std::unique_ptr<FinanceResultView> m_pResult;
    Transition m_transition = Transition::kNone;
    std::optional<AlertRequest> m_alert;
    // Lets an alert answer that arrives after the screen is gone do nothing.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
