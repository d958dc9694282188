#include "common/headless_services.h"

void ScriptedAlerts::show(const AlertRequest& request, std::function<void(int)> onAnswer) {
    m_shown.push_back(request);
    int answer = m_defaultAnswer;
    if (!m_script.empty()) {
        answer = m_script.front();
        m_script.pop_front();
    }
    if (m_echo != nullptr) {
        *m_echo << "[alert] " << request.title << ": " << request.message << " [";
        for (size_t i = 0; i < request.buttons.size(); ++i) *m_echo << (i ? " | " : "") << request.buttons[i];
        *m_echo << "] -> " << answer << '\n';
    }
    m_loop.after(0, [onAnswer = std::move(onAnswer), answer] {
        if (onAnswer) onAnswer(answer);
    });
}

bool PrintingUrlOpener::open(const std::string& url) {
    m_opened.push_back(url);
    if (m_echo != nullptr) *m_echo << "[open] " << url << '\n';
    return true;
}
