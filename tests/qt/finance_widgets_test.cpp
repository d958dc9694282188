// The loan, mortgage and TVM screens of the desktop calculator driven by mouse and keys on the real
// widgets, compared with the same actions run headlessly through orvcalc --keys; the result table copied
// and saved; screenshots in portrait and landscape.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QTableWidget>

#include "app/controller/orvane_view_controller.h"
#include "app/keyboards/mod_view_controller.h"
#include "app/keys/key_codes.h"
#include "app/screens/finance_form/finance_form.h"
#include "app/screens/finance_form/finance_form_screen.h"
#include "app/screens/tvm/tvm_view.h"
#include "gui_harness.h"
#include "qt/screens/finance_form_widget.h"
#include "qt/screens/finance_parts.h"
#include "qt/screens/tvm_widget.h"
#include "qt/widgets/keyboard_widget.h"
#include "qt/widgets/strip_widget.h"

namespace {

// A mouse click on a key of a pad; the short wait lets the key's face come back.
void Tap(GuiHarness& h, KeyPad* pad, std::initializer_list<int> keys) {
    for (int slot : keys) {
        const QPoint p = pad->slotCentre(slot);
        ASSERT_GE(p.x(), 0) << "no key at slot " << slot;
        QTest::mousePress(pad, Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseRelease(pad, Qt::LeftButton, Qt::NoModifier, p);
        h.settle(15);
    }
}

void Click(GuiHarness& h, QWidget* w) {
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    h.settle(15);
}

// The key of the Finance page that opens a screen, clicked on the strip.
void OpenFromFinancePage(GuiHarness& h, int code) {
    h.ctl().selectCategoryItem(kCatFinance);
    h.window->refresh();
    h.settle(350);
    int slot = -1;
    nlohmann::json page = h.ctl().modViewController()->describe();
    for (const auto& face : page["keys"])
        if (face.value("code", -1) == code) slot = face.value("slot", -1);
    ASSERT_GE(slot, 0) << "the Finance page has no key " << code;
    h.click(h.window->strip()->currentKeys(), slot);
    h.settle(200);
}

// The headless words that open the screen of `code` from the Finance page.
std::string OpenWords(int code) {
    return "category:" + std::to_string(kCatFinance) + " " + std::to_string(code) + " ";
}

template <class W>
W* Shown(GuiHarness& h) {
    return qobject_cast<W*>(h.window->screenWidget());
}

ScreenModel& Model(GuiHarness& h, const char* name) {
    ScreenModel* m = h.ctl().screens().find(name);
    EXPECT_NE(m, nullptr) << name;
    return *m;
}

void Landscape(GuiHarness& h) {
    h.window->resize(900, 520);
    h.settle(350);
}

// The screen pane covers the window and the screen's widget fills it.
void ExpectCoversWindow(GuiHarness& h, QWidget* w, const char* what) {
    ASSERT_NE(w, nullptr) << what;
    EXPECT_GE(w->width(), h.window->width() - 16) << what;
    EXPECT_GE(w->height(), h.window->height() - 60) << what;
}

// The headless words of LoanOf15000Over24.
const char* const kLoanWords =
    "tap:loan/nper keypad:loan/1 keypad:loan/3 keypad:loan/5 tap:loan/amount keypad:loan/14 keypad:loan/14 "
    "keypad:loan/14 keypad:loan/6 keypad:loan/11 keypad:loan/11 keypad:loan/11 keypad:loan/0";

// The loan form filled by mouse (15000 over 24 payments) and calculated; the loan widget.
FinanceFormWidget* LoanOf15000Over24(GuiHarness& h) {
    OpenFromFinancePage(h, kKeyOpenLoan);
    auto* w = Shown<FinanceFormWidget>(h);
    EXPECT_NE(w, nullptr) << "the loan screen shows its form";
    if (!w) return nullptr;
    ExpectCoversWindow(h, w, "loan form");
    h.screenshot("loan_form");
    KeyboardWidget* pad = w->keypad();
    Click(h, w->box("nper"));
    EXPECT_TRUE(w->box("nper")->focused());
    EXPECT_FALSE(w->box("amount")->focused());
    Tap(h, pad, {FinanceKeypad::kClear, FinanceKeypad::kDigit1 + 1, FinanceKeypad::kDigit1 + 3});  // C 2 4
    Click(h, w->box("amount"));
    Tap(h, pad,
        {FinanceKeypad::kBackspace, FinanceKeypad::kBackspace, FinanceKeypad::kBackspace,
         FinanceKeypad::kDigit1 + 4, FinanceKeypad::kDigit0, FinanceKeypad::kDigit0,
         FinanceKeypad::kDigit0});  // 1000 -> 1 -> 15000
    EXPECT_EQ(w->box("amount")->text(), "15000");
    EXPECT_EQ(w->box("nper")->text(), "24");
    Tap(h, pad, {FinanceKeypad::kCalculate});
    h.settle(350);
    return w;
}

TEST(LoanWidget, KeypadByMouseCalcAndTableAsTheHeadlessRun) {
    GuiHarness h;
    FinanceFormWidget* w = LoanOf15000Over24(h);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->table()->rowCount(), 24);
    EXPECT_TRUE(w->resultPage()->isVisible());
    EXPECT_FALSE(w->formPage()->isVisible()) << "the result page has slid over the form";
    EXPECT_EQ(w->table()->horizontalHeaderItem(0)->text(), "Period");
    EXPECT_EQ(w->table()->item(23, 1)->text(), "2.000");
    EXPECT_TRUE(w->table()->item(0, 2)->textAlignment() & Qt::AlignRight) << "numbers are right-aligned";
    ExpectCoversWindow(h, w, "loan result");
    h.screenshot("loan_result");

    ScreenModel& model = Model(h, "loan");
    nlohmann::json headless = RunKeys(OpenWords(kKeyOpenLoan) + kLoanWords);
    ASSERT_TRUE(headless.is_object());
    EXPECT_EQ(model.describe(), headless["screens"]["loan"]);
    nlohmann::json rows = model.describe()["result"]["rows"];
    EXPECT_EQ(w->table()->item(5, 4)->text().toStdString(),
              QString::fromStdString(rows[5][4]).trimmed().toStdString())
        << "the table shows the model's cells";

    Landscape(h);
    ExpectCoversWindow(h, Shown<FinanceFormWidget>(h), "loan result in landscape");
    EXPECT_TRUE(w->table()->isVisible());
    h.screenshot("loan_result_landscape");

    // The window's back button: the result page slides out, the form comes back; then the screen goes.
    auto* back = h.window->findChild<QAbstractButton*>("screenBack");
    ASSERT_NE(back, nullptr);
    Click(h, back);
    h.settle(350);
    EXPECT_EQ(model.describe()["page"], "form");
    EXPECT_EQ(model.describe()["transition"], "push_from_left");
    EXPECT_TRUE(w->formPage()->isVisible());
    EXPECT_FALSE(w->resultPage()->isVisible());
    h.screenshot("loan_form_landscape");
    Click(h, back);
    h.settle(100);
    EXPECT_EQ(h.ctl().currentScreen(), "");
}

TEST(LoanWidget, TableCopiedAsTabSeparatedTextAndSavedAsCsv) {
    GuiHarness h;
    FinanceFormWidget* w = LoanOf15000Over24(h);
    ASSERT_NE(w, nullptr);
    auto& form = static_cast<FinanceFormScreen&>(Model(h, "loan"));
    // Ctrl+C on the table copies the whole table, not the table's current cell.
    QApplication::clipboard()->clear();
    QTest::keyClick(w->table(), Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_EQ(copied.toStdString(), form.resultTabSeparated());
    EXPECT_TRUE(copied.startsWith("Period\tYears\tBalance\tInterest\tPrincipal\n1\t0.083\t15000.00\t"));
    EXPECT_EQ(copied.count('\n'), 25);

    // The context menu copies and saves.
    emit w->table()->customContextMenuRequested(QPoint(20, 20));
    h.settle(50);
    QMenu* menu = w->tableMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), "Copy table");
    EXPECT_EQ(menu->actions()[1]->text(), QString::fromUtf8("Save as CSV\u2026"));
    QApplication::clipboard()->clear();
    menu->actions()[0]->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), copied);
    const std::string path = h.dir.path() + "/loan table.csv";
    w->chooseCsvPath = [&] { return QString::fromStdString(path); };
    menu->actions()[1]->trigger();
    menu->close();
    QFile saved(QString::fromStdString(path));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), form.resultCsv());

    // A folder that does not exist: the alert says so, nothing is written.
    EXPECT_FALSE(w->saveCsv(QString::fromStdString(h.dir.path() + "/missing/loan.csv")));
    h.settle(50);
    QMessageBox* box = h.context->alerts().openBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "Save as CSV");
    box->buttons()[0]->click();
    h.settle(50);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(h.dir.path() + "/missing")));
}

TEST(LoanWidget, DesktopKeysPressTheKeypad) {
    GuiHarness h;
    OpenFromFinancePage(h, kKeyOpenLoan);
    auto* w = Shown<FinanceFormWidget>(h);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(h.window->focusWidget(), w) << "the opened form takes the window's keys";
    // Tab to the rate, clear it, type 8.5, take the 5 back, Shift+Tab to the amount and make it negative.
    QTest::keyClick(w, Qt::Key_Tab);
    QTest::keyClicks(w, "c8.5");
    QTest::keyClick(w, Qt::Key_Backspace);
    QTest::keyClick(w, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClicks(w, "-");
    QTest::keyClick(w, Qt::Key_Down);
    QTest::keyClick(w, Qt::Key_Delete);
    QTest::keyClicks(w, "x+");  // no keys of the keypad
    h.settle(150);
    ScreenModel& model = Model(h, "loan");
    EXPECT_EQ(model.describe()["boxes"]["rate"], "0");
    EXPECT_EQ(model.describe()["boxes"]["amount"], "-1000");
    EXPECT_EQ(w->box("rate")->text(), "0");
    const std::string words = OpenWords(kKeyOpenLoan) +
                              "keypad:loan/16 keypad:loan/1 keypad:loan/9 keypad:loan/12 keypad:loan/6 "
                              "keypad:loan/14 keypad:loan/15 keypad:loan/13 keypad:loan/16 keypad:loan/1";
    EXPECT_EQ(model.describe(), RunKeys(words)["screens"]["loan"]);
}

TEST(LoanWidget, InputErrorIsAnsweredThroughTheAlertBox) {
    GuiHarness h;
    OpenFromFinancePage(h, kKeyOpenLoan);
    auto* w = Shown<FinanceFormWidget>(h);
    ASSERT_NE(w, nullptr);
    Click(h, w->box("ppy"));
    Tap(h, w->keypad(), {FinanceKeypad::kClear, FinanceKeypad::kCalculate});
    h.settle(100);
    QMessageBox* box = h.context->alerts().openBox();
    ASSERT_NE(box, nullptr) << "periods per year 0 is refused";
    EXPECT_EQ(box->text(), "Input Error");
    EXPECT_EQ(box->informativeText(), "Please check input again!");
    ASSERT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->buttons()[0]->text(), "OK");
    ScreenModel& model = Model(h, "loan");
    EXPECT_FALSE(model.describe()["alert"].is_null());
    EXPECT_FALSE(model.pressKeypad(FinanceKeypad::kDigit0)) << "the alert is modal";
    h.screenshot("loan_input_error");
    h.screenshot("loan_input_error_box", box);
    QTest::mouseClick(box->buttons()[0], Qt::LeftButton);
    h.settle(100);
    EXPECT_EQ(h.context->alerts().openBox(), nullptr);
    EXPECT_TRUE(model.describe()["alert"].is_null());
    EXPECT_TRUE(w->formPage()->isVisible()) << "the form stays";
    const std::string words = OpenWords(kKeyOpenLoan) + "tap:loan/ppy keypad:loan/1 answer:0 keypad:loan/0";
    EXPECT_EQ(model.describe(), RunKeys(words)["screens"]["loan"]);
}

TEST(MortgageWidget, PartialYearTableWithHighlightedTotalsScrolls) {
    GuiHarness h;
    OpenFromFinancePage(h, kKeyOpenMortgage);
    auto* w = Shown<FinanceFormWidget>(h);
    ASSERT_NE(w, nullptr);
    h.screenshot("mortgage_form");
    Click(h, w->box("years"));
    Tap(h, w->keypad(),
        {FinanceKeypad::kClear, FinanceKeypad::kDigit1 + 1, FinanceKeypad::kPoint, FinanceKeypad::kDigit1 + 4,
         FinanceKeypad::kCalculate});  // 2.5 years
    // The result page slides in from the right over the form leaving to the left.
    EXPECT_TRUE(w->sliding());
    EXPECT_GT(w->resultPage()->x(), 0);
    EXPECT_LE(w->formPage()->x(), 0);
    EXPECT_EQ(w->resultPage()->x() - w->formPage()->x(), w->width());
    h.settle(350);
    EXPECT_FALSE(w->sliding());
    EXPECT_EQ(w->resultPage()->geometry(), w->rect());
    QTableWidget* t = w->table();
    ASSERT_EQ(t->rowCount(), 32) << "30 months and the totals of years 1 and 2";
    EXPECT_EQ(t->item(12, 1)->text(), "Total");
    EXPECT_EQ(t->item(31, 1)->text(), "Jun");
    EXPECT_NE(t->item(12, 3)->background(), t->item(11, 3)->background()) << "total rows are highlighted";
    EXPECT_TRUE(t->item(12, 3)->font().bold());
    EXPECT_FALSE(t->item(13, 3)->font().bold());
    EXPECT_TRUE(t->item(3, 4)->textAlignment() & Qt::AlignRight);
    EXPECT_GT(t->verticalScrollBar()->maximum(), 0) << "a long table scrolls";
    h.screenshot("mortgage_result");
    const std::string words = OpenWords(kKeyOpenMortgage) +
                              "tap:mortgage/years keypad:mortgage/1 keypad:mortgage/3 keypad:mortgage/12 "
                              "keypad:mortgage/6 keypad:mortgage/0";
    ScreenModel& model = Model(h, "mortgage");
    EXPECT_EQ(model.describe(), RunKeys(words)["screens"]["mortgage"]);
    Landscape(h);
    ExpectCoversWindow(h, Shown<FinanceFormWidget>(h), "mortgage result in landscape");
    h.screenshot("mortgage_result_landscape");
    // Escape on the table (which holds the keys on the result page) goes back as the back button does.
    EXPECT_EQ(h.window->focusWidget(), t);
    QTest::keyClick(t, Qt::Key_Escape);
    h.settle(350);
    EXPECT_EQ(model.describe()["page"], "form");
    EXPECT_EQ(h.window->focusWidget(), w) << "the form takes the keys again";
    h.screenshot("mortgage_form_landscape");
    QTest::keyClick(w, Qt::Key_Escape);
    h.settle(100);
    EXPECT_EQ(h.ctl().currentScreen(), "");
    EXPECT_EQ(h.context->storage().readStringArray(h.dir.file("orvane-finance-mortcalc.dat")),
              (std::vector<std::string>{"10000", "6", "2.5"}))
        << "leaving the form saves it";
}

TEST(TVMWidget, SolveForThePaymentChecksCaptionsAndPaymentType) {
    GuiHarness h;
    OpenFromFinancePage(h, kKeyOpenTvm);
    auto* w = Shown<TVMWidget>(h);
    ASSERT_NE(w, nullptr) << "the TVM screen shows its form";
    ExpectCoversWindow(h, w, "tvm");
    h.screenshot("tvm");
    Click(h, w->checkButton("pmt"));
    EXPECT_TRUE(w->checkButton("pmt")->isChecked());
    EXPECT_FALSE(w->checkButton("nper")->isChecked());
    Tap(h, w->keypad(), {FinanceKeypad::kCalculate});
    EXPECT_EQ(w->box("pmt")->text(), "-1200.01");
    Click(h, w->caption("pv"));  // a caption checks its field's button
    EXPECT_TRUE(w->checkButton("pv")->isChecked());
    Click(h, w->caption("ppy"));  // the periods per year have no button
    EXPECT_TRUE(w->checkButton("pv")->isChecked());
    Click(h, w->checkButton("pv"));  // a second click keeps the one checked button
    EXPECT_TRUE(w->checkButton("pv")->isChecked());
    Click(h, w->segment(0));
    EXPECT_TRUE(w->segment(0)->isChecked());
    Click(h, w->box("fv"));
    QTest::keyClicks(w, "c5");
    QTest::keyClick(w, Qt::Key_Return);  // Enter solves
    h.settle(50);
    ScreenModel& model = Model(h, "tvm");
    EXPECT_EQ(model.describe()["payment_type"], 0);
    EXPECT_EQ(model.describe()["checked"], "pv");
    EXPECT_EQ(w->box("pv")->text().toStdString(), model.describe()["boxes"]["pv"]);
    const std::string words =
        OpenWords(kKeyOpenTvm) +
        "tap:tvm/check:pmt keypad:tvm/0 tap:tvm/caption:pv tap:tvm/caption:ppy "
        "tap:tvm/check:pv value:tvm/payment_type=0 tap:tvm/fv keypad:tvm/1 keypad:tvm/6 "
        "keypad:tvm/0";
    EXPECT_EQ(model.describe(), RunKeys(words)["screens"]["tvm"]);
    h.screenshot("tvm_solved");
    Landscape(h);
    ExpectCoversWindow(h, Shown<TVMWidget>(h), "tvm in landscape");
    h.screenshot("tvm_landscape");
}

}  // namespace
