#include "app/screens/settings/settings_screen.h"

#include "app/settings/settings_globals.h"

SettingsScreen::SettingsScreen(ScreenContext& context) : m_context(context) {
    m_context.platform.notifications.addObserver(
        "OrvaneCloseSettingNotif", [this](const Notification&) { model().saveSetting(); }, this);
}

SettingsScreen::~SettingsScreen() {
    m_context.platform.notifications.removeObserversOf(this);
}

OrvaneSettingModel& SettingsScreen::model() {
    if (!m_model) {
        m_model =
            std::make_unique<OrvaneSettingModel>(m_context.platform.storage, m_context.platform.notifications,
                                                 g_pInputMode, &m_context.platform.feedback);
        m_model->openTab(m_nTab);
    }
    return *m_model;
}

void SettingsScreen::didShow() {
    // A new showing reads the settings file again, as a newly created settings screen does.
    m_model.reset();
    m_nTab = OrvaneSettingModel::kGeneral;
    model();
    changed();
}

nlohmann::json SettingsScreen::describe() const {
    nlohmann::json j;
    j["tab"] = OrvaneSettingModel::tabTitle(m_nTab);
    if (!m_model) return j;
    const OrvaneSettingModel& m = *m_model;
    j["tooltip"] = m.tooltipEnabled;
    j["fix_digits"] = m.fixDigitsLabel();
    j["input_mode"] = m.inputModeSegment();
    j["output_mode"] = m.outputModeSegment();
    j["fraction"] = m.fractionSegment();
    j["skins"] = OrvaneSettingModel::skins();
    j["skin"] = m.selectedSkin();
    j["sound"] = m.soundEnabled;
    j["sounds"] = m.soundFiles();
    j["selected_sound"] = m.selectedSound();
    j["sound_controls_enabled"] = m.soundControlsEnabled();
    return j;
}

bool SettingsScreen::tap(std::string_view element) {
    OrvaneSettingModel& m = model();
    if (element.rfind("tab:", 0) == 0) {
        const std::string_view tab = element.substr(4);
        const int index = tab == "general" ? 0 : tab == "skin" ? 1 : tab == "sound" ? 2 : -1;
        if (index < 0) return false;
        m_nTab = index;
        m.openTab(index);
    } else if (element == "tooltip") {
        m.openTab(OrvaneSettingModel::kGeneral);
        m.tooltipEnabled = !m.tooltipEnabled;
    } else if (element == "sound") {
        m.openTab(OrvaneSettingModel::kSound);
        m.soundEnabled = !m.soundEnabled;
    } else if (element == "play") {
        if (!m.soundControlsEnabled()) return false;
        m.play();
    } else if (element == "close") {
        m.close();
        return true;  // the screen is gone: nothing more to tell
    } else {
        return false;
    }
    changed();
    return true;
}

bool SettingsScreen::setValue(std::string_view control, double value) {
    OrvaneSettingModel& m = model();
    m.openTab(OrvaneSettingModel::kGeneral);
    const int index = static_cast<int>(value);
    if (control == "fix_digits") {
        m.setFixDigits(static_cast<float>(value));
    } else if (control == "input_mode") {
        m.setInputModeSegment(index);
    } else if (control == "output_mode") {
        m.setOutputModeSegment(index);
    } else if (control == "fraction") {
        m.setFractionSegment(index);
    } else {
        return false;
    }
    changed();
    return true;
}

bool SettingsScreen::pick(std::string_view list, int index) {
    OrvaneSettingModel& m = model();
    if (list == "skins") {
        if (index < 0 || index >= static_cast<int>(OrvaneSettingModel::skins().size())) return false;
        m.openTab(OrvaneSettingModel::kSkin);
        m.selectSkin(index);
    } else if (list == "sounds") {
        if (index < 0 || index >= static_cast<int>(m.soundFiles().size()) || !m.soundControlsEnabled())
            return false;
        m.openTab(OrvaneSettingModel::kSound);
        m.selectSound(index);
    } else {
        return false;
    }
    changed();
    return true;
}
