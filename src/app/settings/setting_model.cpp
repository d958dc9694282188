#include "app/settings/setting_model.h"

#include <algorithm>
#include <cmath>

#include "app/settings/app_settings.h"
#include "app/settings/settings_globals.h"

OrvaneSettingModel::OrvaneSettingModel(Storage& storage, NotificationCenter& center,
                                       CCategoryInputModeManager* inputModes, Feedback* feedback)
    : m_storage(storage),
      m_center(center),
      m_inputModes(inputModes),
      m_feedback(feedback),
      m_dict(ReadSettingsDictionary(storage)) {}

const char* OrvaneSettingModel::tabTitle(int tab) {
    static const char* const kTitles[3] = {"General", "Skin", "Sound"};
    return (tab >= 0 && tab < 3) ? kTitles[tab] : "";
}

int OrvaneSettingModel::segmentValue(const char* key, int count) const {
    auto v = ParseDecimal(m_dict.at(key));
    return (v && *v >= 0 && *v < count) ? *v : 0;
}

void OrvaneSettingModel::openTab(int tab) {
    if (tab < 0 || tab > 2 || m_open[tab]) return;
    m_open[tab] = true;
    if (tab == kGeneral) {
        tooltipEnabled = m_dict.at("EnableFunctionTooltip") != "0";
        m_fFixDigits = static_cast<float>(ParseDecimal(m_dict.at("DecimalDigitsInFix")).value_or(4));
        m_nInputMode = segmentValue("InputMode", 3);
        m_nOutputMode = ParseDecimal(m_dict.at("OutputMode")).value_or(1) != 0 ? 1 : 0;
        m_nFraction = segmentValue("FractionDenominaor", 3);
    } else if (tab == kSkin) {
        m_nSkin = m_dict.at("Skin") == "Black" ? 1 : 0;
    } else {
        soundEnabled = m_dict.at("EnablePlaySound") != "0";
        m_soundFiles = m_storage.listFolder(ResourcePath(m_storage, "Sounds"));
        auto it = std::find(m_soundFiles.begin(), m_soundFiles.end(), m_dict.at("SoundFileName"));
        m_nSound = it == m_soundFiles.end() ? -1 : static_cast<int>(it - m_soundFiles.begin());
    }
}

bool OrvaneSettingModel::isTabOpen(int tab) const {
    return tab >= 0 && tab < 3 && m_open[tab];
}

void OrvaneSettingModel::setFixDigits(float value) {
    if (std::isnan(value)) return;
    m_fFixDigits = std::clamp(value, 0.0f, 10.0f);
}

std::string OrvaneSettingModel::fixDigitsLabel() const {
    return std::to_string(static_cast<int>(m_fFixDigits));
}

void OrvaneSettingModel::setInputModeSegment(int index) {
    if (index >= 0 && index < 3) m_nInputMode = index;
}
void OrvaneSettingModel::setOutputModeSegment(int index) {
    if (index >= 0 && index < 2) m_nOutputMode = index;
}
void OrvaneSettingModel::setFractionSegment(int index) {
    if (index >= 0 && index < 3) m_nFraction = index;
}

std::vector<std::string> OrvaneSettingModel::skins() {
    return {"Default", "Black"};
}

void OrvaneSettingModel::selectSkin(int row) {
    if (row >= 0 && row < 2) m_nSkin = row;
}

std::string OrvaneSettingModel::skinPreviewImage(int row) const {
    if (row < 0 || row >= 2) return {};
    return m_storage.resourceFolder() + "/images/" + skins()[row] + "/Skin preview.png";
}

void OrvaneSettingModel::selectSound(int row) {
    if (soundEnabled && row >= 0 && row < static_cast<int>(m_soundFiles.size())) m_nSound = row;
}

void OrvaneSettingModel::play() {
    if (!soundEnabled || m_feedback == nullptr || m_nSound < 0) return;
    m_feedback->playSound(ResourcePath(m_storage, "Sounds/" + m_soundFiles[m_nSound]));
}

void OrvaneSettingModel::close() {
    m_center.post("OrvaneCloseSettingNotif");
}

void OrvaneSettingModel::saveSetting() {
    if (m_open[kGeneral]) {
        m_dict["EnableFunctionTooltip"] = std::string(1, tooltipEnabled ? '1' : '0');
        m_dict["DecimalDigitsInFix"] = std::to_string(static_cast<int>(m_fFixDigits));
        m_dict["InputMode"] = std::to_string(m_nInputMode);
        m_dict["OutputMode"] = std::to_string(m_nOutputMode);
        m_dict["FractionDenominaor"] = std::to_string(m_nFraction);
    }
    if (m_open[kSkin]) m_dict["Skin"] = skins()[m_nSkin];
    if (m_open[kSound]) {
        m_dict["EnablePlaySound"] = std::string(1, soundEnabled ? '1' : '0');
        if (m_nSound >= 0) m_dict["SoundFileName"] = m_soundFiles[m_nSound];
    }
    g_strPrevSoundFileName = g_strSoundFileName;
    g_nstrPrevSkinModel = g_nstrSkinModel;
    ApplySettingsDictionary(m_dict);
    if (m_inputModes != nullptr) {
        const std::string& mode = m_dict["InputMode"];
        m_inputModes->setInputMode(mode == "1"   ? "Basic-Standard"
                                   : mode == "2" ? "Basic-RPN"
                                                 : "String-Standard");
    }
    m_storage.writeDictionary(DocumentPath(m_storage, kSettingsFileName), m_dict);
    m_center.post("UpdateSettingChanges");
}
