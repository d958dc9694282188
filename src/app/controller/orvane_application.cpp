#include "app/controller/orvane_application.h"

#include "app/settings/app_settings.h"
#include "app/settings/settings_globals.h"

OrvaneApplication::OrvaneApplication(Platform& platform, const Canvas* metrics)
    : m_platform(platform), m_pMetrics(metrics) {}

OrvaneApplication::~OrvaneApplication() {
    willTerminate();
}

void OrvaneApplication::didFinishLaunching() {
    if (running()) return;
    LoadSettings(m_platform.storage, &m_platform.feedback);
    LoadAppStatus(m_platform.storage);
    m_inputModes = std::make_unique<CCategoryInputModeManager>(m_platform.storage);
    m_inputModes->loadFromFile();
    g_pInputMode = m_inputModes.get();
    m_controller = std::make_unique<OrvaneViewController>(m_platform, m_pMetrics);
    m_controller->viewDidLoad();
    // The statistics data set is the engine's list register: its screen reads the file now, so that the
    // statistics functions work on the saved data before the screen is first opened.
    m_controller->screens().open("statistics");
    m_platform.notifications.addObserver(
        "UpdateSettingChanges",
        [this](const Notification&) {
            MyLedView& d = m_controller->display();
            d.switchToRPNMode(g_pInputMode->isRPNMode(m_controller->currentFunction()));
            m_controller->UpdateSettingChanges();
        },
        this);
}

void OrvaneApplication::willTerminate() {
    if (!running()) return;
    m_platform.notifications.removeObserversOf(this);
    m_controller->appWillTerminate();
    SaveAppStatus(m_platform.storage);
    g_pInputMode = nullptr;
    m_inputModes.reset();                // writes "InputMode.dat"
    m_controller->screens().saveLate();  // the plotter's lines and the statistics data come last
    m_controller.reset();
}
