#include "app/screens/finance_form/finance_form_screen.h"

namespace {

const char* TransitionName(FinanceFormScreen::Transition t) {
    switch (t) {
        case FinanceFormScreen::Transition::kPushFromRight:
            return "push_from_right";
        case FinanceFormScreen::Transition::kPushFromLeft:
            return "push_from_left";
        default:
            return "none";
    }
}

}  // namespace

FinanceFormScreen::FinanceFormScreen(ScreenContext& context, Names names, std::vector<FinanceForm::Box> boxes)
    : m_context(context), m_names(names), m_form(std::move(boxes)) {
    NotificationCenter& notes = m_context.platform.notifications;
    notes.addObserver(
        m_names.backToForm, [this](const Notification&) { hideResult(); }, this);
    notes.addObserver(
        "Orvane_Save_Setting_Notif", [this](const Notification&) { saveData(); }, this);
    loadData();
}

FinanceFormScreen::~FinanceFormScreen() {
    m_context.platform.notifications.removeObserversOf(this);
}

std::string FinanceFormScreen::filePath() const {
    return DocumentPath(m_context.platform.storage, m_names.fileName);
}

void FinanceFormScreen::loadData() {
    const auto entries = m_context.platform.storage.readStringArray(filePath());
    if (entries && m_form.applyTexts(*entries)) changed();
}

bool FinanceFormScreen::saveData() {
    return m_context.platform.storage.writeStringArray(filePath(), m_form.texts());
}

void FinanceFormScreen::calculateLoan() {
    std::unique_ptr<FinanceResultView> result = makeResult(m_form.values());
    if (!result) {
        m_alert = AlertRequest{kInputErrorTitle, kInputErrorMessage, {kInputErrorButton}};
        std::weak_ptr<bool> alive = m_alive;
        m_context.platform.alerts.show(*m_alert, [this, alive](int) {
            if (alive.expired()) return;
            m_alert.reset();
            changed();
        });
        changed();
        return;
    }
    m_pResult = std::move(result);
    m_transition = Transition::kPushFromRight;
    changed();
}

void FinanceFormScreen::hideResult() {
    if (!m_pResult) return;
    m_pResult.reset();
    m_transition = Transition::kPushFromLeft;
    changed();
}

void FinanceFormScreen::goBackView() {
    saveData();
    m_context.platform.notifications.post(m_names.backToMain);
}

std::string FinanceFormScreen::resultTabSeparated() const {
    return m_pResult ? m_pResult->table().tabSeparated() : std::string();
}

std::string FinanceFormScreen::resultCsv() const {
    return m_pResult ? m_pResult->table().csv() : std::string();
}

nlohmann::json FinanceFormScreen::describe() const {
    nlohmann::json j;
    j["title"] = m_names.title;
    j["page"] = page() == Page::kForm ? "form" : "result";
    j["transition"] = TransitionName(m_transition);
    j["fields"] = m_form.fieldsJson();
    j["labels"] = m_form.labelsJson();
    j["boxes"] = m_form.textsJson();
    j["focus"] = m_form.box(m_form.focus()).name;
    j["keypad"] = takesInput();
    j["alert"] = nullptr;
    if (m_alert)
        j["alert"] = {
            {"title", m_alert->title}, {"message", m_alert->message}, {"buttons", m_alert->buttons}};
    j["result"] = m_pResult ? m_pResult->describe() : nlohmann::json(nullptr);
    return j;
}

bool FinanceFormScreen::tap(std::string_view element) {
    if (m_alert) return false;
    if (element == "back" || element == "close") {
        // The result screen's back button and the form's lead to different places.
        if (m_pResult) {
            m_context.platform.notifications.post(m_names.backToForm);
        } else {
            goBackView();
        }
        return true;
    }
    const int index = m_form.indexOf(element);
    if (index < 0 || !takesInput()) return false;
    m_form.selectTextBox(index);
    changed();
    return true;
}

bool FinanceFormScreen::enterText(std::string_view field, const std::u16string& text) {
    if (!takesInput() || !m_form.enterText(field, text)) return false;
    changed();
    return true;
}

bool FinanceFormScreen::pressKeypad(int index) {
    if (!takesInput()) return false;
    if (index == FinanceKeypad::kCalculate) {
        calculateLoan();
        return true;
    }
    if (!m_form.pressEditKey(index)) return false;
    changed();
    return true;
}
