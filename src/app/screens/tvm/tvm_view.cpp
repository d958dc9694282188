#include "app/screens/tvm/tvm_view.h"

#include "finance/tvm.h"
#include "numeric/errors.h"

namespace {

const char* const kFieldNames[TVMView::kBoxCount] = {"nper", "rate", "pv", "pmt", "fv", "ppy"};
const char* const kSegments[] = {"Begin of period", "End of Period"};
constexpr const char* kPaymentTypeCaption = "Payment type";

std::vector<FinanceForm::Box> TVMBoxes() {
    return {
        {kFieldNames[TVMView::kNPER], "Total periods  (NPER)", "360"},
        {kFieldNames[TVMView::kRATE], "Annual interest rate (RATE)", "6.007"},
        {kFieldNames[TVMView::kPV], "Present value     (PV)", "200000"},
        {kFieldNames[TVMView::kPMT], "Payment/Period (PMT)", "-1200"},
        {kFieldNames[TVMView::kFV], "Future Value       (FV)", "0"},
        {kFieldNames[TVMView::kPPY], "Period per year", "12"},
    };
}

// The index of `name` among the first `count` field names, -1 when absent.
int FieldIndex(std::string_view name, int count) {
    for (int k = 0; k < count; ++k)
        if (name == kFieldNames[k]) return k;
    return -1;
}

// "1" ... "<count>" as 0 ... count - 1; -1 for any other text.
int StoredIndex(const std::string& text, int count) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '0' + count) return -1;
    return text[0] - '1';
}

}  // namespace

TVMView::TVMView(ScreenContext& context) : m_context(context), m_form(TVMBoxes()) {
    m_context.platform.notifications.addObserver(
        "Orvane_Save_Setting_Notif", [this](const Notification&) { saveData(); }, this);
    loadData();
}

TVMView::~TVMView() {
    m_context.platform.notifications.removeObserversOf(this);
}

// ---- calculation ---------------------------------------------------------------------------------------

double TVMView::Solve(int field, const std::array<double, kBoxCount>& values, bool paymentAtBeginning,
                      int* errorCode) {
    const double nper = CTVMCalc::Format(values[kNPER], 2);
    const double rate = CTVMCalc::Format(values[kRATE], 3);
    const double pv = CTVMCalc::Format(values[kPV], 2);
    const double pmt = CTVMCalc::Format(values[kPMT], 2);
    const double fv = CTVMCalc::Format(values[kFV], 2);
    const double ppy = CTVMCalc::Format(values[kPPY], 2);
    const int type = paymentAtBeginning ? 1 : 0;

    // The screen shows 0 for a rejected input and never reads the error code; the code the operations set
    // must not stay behind for the calculator's next evaluation, nor may an earlier one stop them.
    const int prior = GetErrorCode();
    SetErrorCode(0);
    double result = 0.0;
    int places = 2;
    switch (field) {
        case kNPER:
            result = CTVMCalc::NPERcalc(rate, pmt, pv, fv, ppy, type);
            places = 0;
            break;
        case kRATE:
            result = CTVMCalc::YRATECalc(nper, pmt, pv, fv, ppy, type);
            places = 3;
            break;
        case kPV:
            result = CTVMCalc::PVcalc(rate, nper, pmt, fv, ppy, type);
            break;
        case kPMT:
            result = CTVMCalc::PMTcalc(rate, nper, pv, fv, ppy, type);
            break;
        case kFV:
            result = CTVMCalc::FVcalc(rate, nper, pmt, pv, ppy, type);
            break;
        default:
            break;
    }
    if (errorCode) *errorCode = GetErrorCode();
    SetErrorCode(prior);
    return CTVMCalc::Format(result, places);
}

std::string TVMView::ResultText(int field, double value) {
    return FinanceFixed(value, field == kRATE ? 3 : 2);
}

void TVMView::calculate() {
    std::array<double, kBoxCount> values{};
    const std::vector<double> read = m_form.values();
    std::copy(read.begin(), read.end(), values.begin());
    const double result = Solve(m_nChecked, values, m_bPaymentatBeginning != 0);
    m_form.setText(m_nChecked, ResultText(m_nChecked, result));
    changed();
}

// ---- controls --------------------------------------------------------------------------------------------

void TVMView::pressCheckButton(int index) {
    if (index < 0 || index >= kCheckCount) return;
    m_nChecked = index;
    changed();
}

bool TVMView::pressLabel(int index) {
    if (index < 0 || index >= kCheckCount) return false;
    pressCheckButton(index);
    return true;
}

bool TVMView::segmentedChange(int segment) {
    if (segment != 0 && segment != 1) return false;
    m_bPaymentatBeginning = segment == 0 ? 1 : 0;
    changed();
    return true;
}

void TVMView::goBackView() {
    saveData();
    m_context.platform.notifications.post("BackFromTVMViewToMainView");
}

bool TVMView::tap(std::string_view element) {
    if (element == "back" || element == "close") {
        goBackView();
        return true;
    }
    if (element.rfind("check:", 0) == 0) {
        const int index = FieldIndex(element.substr(6), kCheckCount);
        if (index < 0) return false;
        pressCheckButton(index);
        return true;
    }
    if (element.rfind("caption:", 0) == 0) return pressLabel(FieldIndex(element.substr(8), kCheckCount));
    const int index = m_form.indexOf(element);
    if (index < 0) return false;
    m_form.selectTextBox(index);
    changed();
    return true;
}

bool TVMView::enterText(std::string_view field, const std::u16string& text) {
    if (!m_form.enterText(field, text)) return false;
    changed();
    return true;
}

bool TVMView::setValue(std::string_view control, double value) {
    if (control != "payment_type" || !(value == 0.0 || value == 1.0)) return false;
    return segmentedChange(static_cast<int>(value));
}

bool TVMView::pressKeypad(int index) {
    if (index == FinanceKeypad::kCalculate) {
        calculate();
        return true;
    }
    if (!m_form.pressEditKey(index)) return false;
    changed();
    return true;
}

// ---- file
// --------------------------------------------------------------------------------------------------

std::string TVMView::filePath() const {
    return DocumentPath(m_context.platform.storage, kFileName);
}

void TVMView::loadData() {
    const auto entries = m_context.platform.storage.readStringArray(filePath());
    if (!entries || entries->size() < 9 || !m_form.applyTexts(*entries)) return;
    const int focus = StoredIndex((*entries)[6], kBoxCount);
    if (focus >= 0) m_form.selectTextBox(focus);
    const int checked = StoredIndex((*entries)[7], kCheckCount);
    if (checked >= 0) m_nChecked = checked;
    m_bPaymentatBeginning = (*entries)[8] == "1" ? 1 : 0;
    changed();
}

bool TVMView::saveData() {
    std::vector<std::string> entries = m_form.texts();
    entries.push_back(std::to_string(m_form.focus() + 1));
    entries.push_back(std::to_string(m_nChecked + 1));
    entries.emplace_back(m_bPaymentatBeginning ? "1" : "0");
    return m_context.platform.storage.writeStringArray(filePath(), entries);
}

// ---- description
// ---------------------------------------------------------------------------------------------

nlohmann::json TVMView::describe() const {
    nlohmann::json j;
    j["title"] = "TVM Calculator";
    j["fields"] = m_form.fieldsJson();
    j["captions"] = m_form.labelsJson();
    j["boxes"] = m_form.textsJson();
    j["focus"] = kFieldNames[m_form.focus()];
    j["checkable"] = std::vector<std::string>(kFieldNames, kFieldNames + kCheckCount);
    j["checked"] = kFieldNames[m_nChecked];
    j["payment_type_caption"] = kPaymentTypeCaption;
    j["segments"] = {kSegments[0], kSegments[1]};
    j["payment_type"] = m_bPaymentatBeginning ? 0 : 1;
    j["keypad"] = true;
    return j;
}
