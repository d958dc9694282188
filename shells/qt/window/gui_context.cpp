#include "qt/window/gui_context.h"

#include "app/settings/settings_globals.h"
#include "units/data_path.h"

namespace {

std::string ResourcesOf(const GuiOptions& o) {
    if (!o.resources.empty()) return o.resources;
    const std::string data = DataDirectory();
    return data.empty() ? std::string("data") : data;
}

}  // namespace

GuiContext::GuiContext(const GuiOptions& options)
    : m_resources(ResourcesOf(options)),
      m_storage(options.home.empty() ? DefaultDocumentsFolder() : options.home, m_resources),
      m_alerts(m_loop),
      m_http(m_loop),
      m_metrics(nullptr, m_resources) {
    m_feedback.setMuted(options.mute);
    m_platform = std::make_unique<Platform>(
        Platform{m_notes, m_loop, m_storage, m_alerts, m_http, m_urls, m_feedback});
    g_nCurScreenMode = options.landscape ? 2 : 1;
    m_app = std::make_unique<OrvaneApplication>(*m_platform, &m_metrics);
    m_app->didFinishLaunching();
}

GuiContext::~GuiContext() {
    terminate();
    m_app.reset();
}

void GuiContext::terminate() {
    if (m_app) m_app->willTerminate();
}
