// The application delegate: start-up and termination of the whole calculator over a set of platform
// services, with or without a toolkit.
#pragma once

#include <memory>

#include "app/controller/orvane_view_controller.h"
#include "app/settings/input_mode_manager.h"
#include "platform/platform.h"

class OrvaneApplication {
  public:
    // metrics measures the display's text (not owned, may be null).
    OrvaneApplication(Platform& platform, const Canvas* metrics);
    // Terminates first when the application is still running.
    ~OrvaneApplication();
    OrvaneApplication(const OrvaneApplication&) = delete;
    OrvaneApplication& operator=(const OrvaneApplication&) = delete;

    // Start-up: the settings and the application status, the input modes ("InputMode.dat", kept in
    // g_pInputMode), the main controller with the display and its files, and the observer of
    // "UpdateSettingChanges". g_nCurScreenMode chooses the orientation to start in.
    void didFinishLaunching();
    // Termination: the controller saves (display state and history, the side screens), then the
    // application status, then the input modes, then the graph and statistics screens; g_pInputMode is
    // null afterwards. Does nothing when not running.
    void willTerminate();

    bool running() const { return m_controller != nullptr; }
    OrvaneViewController& controller() { return *m_controller; }

  private:
    Platform& m_platform;
    const Canvas* m_pMetrics;
    std::unique_ptr<CCategoryInputModeManager> m_inputModes;
    std::unique_ptr<OrvaneViewController> m_controller;
};
