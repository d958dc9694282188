// The settings screen without its drawing: the controls of the three tabs "General", "Skin" and "Sound",
// their ranges, and saving.
//
// The model reads the settings file into its own dictionary when created (or the defaults). A tab's
// controls exist once the tab has been opened; only those write their values back when the settings are
// saved. The GUI binds its widgets to the accessors below.
#pragma once

#include <string>
#include <vector>

#include "app/settings/input_mode_manager.h"
#include "platform/feedback.h"
#include "platform/notification_center.h"
#include "platform/storage.h"

class OrvaneSettingModel {
  public:
    enum Tab { kGeneral = 0, kSkin = 1, kSound = 2 };

    // inputModes and feedback may be null (no input-mode change / no sound playing).
    OrvaneSettingModel(Storage& storage, NotificationCenter& center, CCategoryInputModeManager* inputModes,
                       Feedback* feedback);

    static const char* tabTitle(int tab);  // "General", "Skin", "Sound"; "" out of range

    // Creates a tab's controls from the dictionary (once; a second call keeps the current values).
    void openTab(int tab);
    bool isTabOpen(int tab) const;

    // "General": switch "Enable function's tooltip"; slider "Decimal digits in fix mode" 0..10 (clamped),
    // shown truncated with "%d"; segments "Input Mode" (String, Standard, RPN), "Output Mode" (European,
    // US), "Fraction denominator" (1/10^3, 1/10^6, 1/10^9). Out-of-range segment indices are ignored.
    bool tooltipEnabled = true;
    float fixDigits() const { return m_fFixDigits; }
    void setFixDigits(float value);
    std::string fixDigitsLabel() const;
    int inputModeSegment() const { return m_nInputMode; }
    void setInputModeSegment(int index);
    int outputModeSegment() const { return m_nOutputMode; }
    void setOutputModeSegment(int index);
    int fractionSegment() const { return m_nFraction; }
    void setFractionSegment(int index);

    // "Skin": rows "Default" and "Black"; the preview image of a row under the resource folder.
    static std::vector<std::string> skins();
    int selectedSkin() const { return m_nSkin; }
    void selectSkin(int row);
    std::string skinPreviewImage(int row) const;

    // "Sound": switch "Enable play sound"; the files of the resource folder's "Sounds" (empty when it is
    // missing); the list and the "Play" button work only while the switch is on.
    bool soundEnabled = true;
    const std::vector<std::string>& soundFiles() const { return m_soundFiles; }
    int selectedSound() const { return m_nSound; }  // -1 when the chosen file is not in the folder
    void selectSound(int row);
    bool soundControlsEnabled() const { return soundEnabled; }
    void play();

    // The close button of every tab: posts "OrvaneCloseSettingNotif".
    void close();

    // Writes the open tabs' values into the dictionary, updates the globals (previous sound and skin
    // names first take the old ones; the input mode goes to the input-mode manager), writes the settings
    // file and posts "UpdateSettingChanges".
    void saveSetting();

    const StringDictionary& dictionary() const { return m_dict; }

  private:
    int segmentValue(const char* key, int count) const;

    Storage& m_storage;
    NotificationCenter& m_center;
    CCategoryInputModeManager* m_inputModes;
    Feedback* m_feedback;
    StringDictionary m_dict;
    bool m_open[3] = {false, false, false};
    float m_fFixDigits = 4;
    int m_nInputMode = 0, m_nOutputMode = 1, m_nFraction = 0;
    int m_nSkin = 0;
    std::vector<std::string> m_soundFiles;
    int m_nSound = -1;
};
