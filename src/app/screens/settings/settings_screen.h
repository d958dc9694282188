// The settings screen as the shells and the headless runs drive it: the three tabs "General", "Skin" and
// "Sound" of OrvaneSettingModel behind the screen interface.
//
// Each showing starts from the settings file (a new settings model reads it, as a newly created settings
// screen does); the close button posts "OrvaneCloseSettingNotif", on which the settings are saved
// ("UpdateSettingChanges" follows and the main controller hides the screen).
//
// Elements (tap): "tab:general", "tab:skin", "tab:sound" (opens a tab's controls), "tooltip" (switch),
// "sound" (switch), "play", "close". Controls (setValue): "fix_digits" (0..10), "input_mode" (0 String,
// 1 Standard, 2 RPN), "output_mode" (0 European, 1 US), "fraction" (0..2). Lists (pick): "skins", "sounds".
#pragma once

#include <memory>

#include "app/screens/screen_host.h"
#include "app/settings/setting_model.h"

class SettingsScreen : public ScreenModel {
  public:
    explicit SettingsScreen(ScreenContext& context);
    ~SettingsScreen() override;

    const char* name() const override { return "settings"; }
    nlohmann::json describe() const override;
    bool tap(std::string_view element) override;
    bool setValue(std::string_view control, double value) override;
    bool pick(std::string_view list, int index) override;
    void didShow() override;

    // The settings model of this showing (created on the first showing).
    OrvaneSettingModel& model();
    int currentTab() const { return m_nTab; }

  private:
    ScreenContext m_context;
    std::unique_ptr<OrvaneSettingModel> m_model;
    int m_nTab = OrvaneSettingModel::kGeneral;
};
