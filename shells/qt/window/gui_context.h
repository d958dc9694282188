// The desktop application's services and the calculator application they run.
//
// One object owns the Qt implementations of the platform interfaces (run loop, alerts, URL opener,
// feedback), the folder storage (documents in the XDG data folder or a given home, resources in the data
// folder), the libcurl HTTP fetch, the text metrics, and the calculator application itself, started on
// construction and terminated (saving every file) by terminate() or the destructor.
#pragma once

#include <memory>
#include <string>

#include "app/controller/orvane_application.h"
#include "common/curl_http_fetch.h"
#include "common/folder_storage.h"
#include "platform/notification_center.h"
#include "qt/platform/qt_canvas.h"
#include "qt/platform/qt_run_loop.h"
#include "qt/platform/qt_services.h"

struct GuiOptions {
    std::string home;        // documents folder; empty: $ORVCALC_HOME, else the XDG data folder
    std::string resources;   // data folder; empty: the installed or source-tree data folder
    bool landscape = false;  // start in landscape (else what the window size says)
    bool mute = false;       // no sounds (tests)
};

class GuiContext {
  public:
    explicit GuiContext(const GuiOptions& options);
    ~GuiContext();
    GuiContext(const GuiContext&) = delete;
    GuiContext& operator=(const GuiContext&) = delete;

    // Saves everything the application keeps across runs; the application stops. Safe to call twice.
    void terminate();
    bool running() const { return m_app && m_app->running(); }

    OrvaneViewController& controller() { return m_app->controller(); }
    Platform& platform() { return *m_platform; }
    QtRunLoop& runLoop() { return m_loop; }
    QtAlerts& alerts() { return m_alerts; }
    QtFeedback& feedback() { return m_feedback; }
    FolderStorage& storage() { return m_storage; }
    const std::string& resourceFolder() const { return m_resources; }

  private:
    std::string m_resources;
    QtRunLoop m_loop;
    NotificationCenter m_notes;
    FolderStorage m_storage;
    QtAlerts m_alerts;
    CurlHttpFetch m_http;
    QtUrlOpener m_urls;
    QtFeedback m_feedback;
    QtCanvas m_metrics;
    std::unique_ptr<Platform> m_platform;
    std::unique_ptr<OrvaneApplication> m_app;
};
