#include "common/headless_services.h"

void ScriptedAlerts::show(const AlertRequest& request, std::function<void(int)> onAnswer) {
    m_shown.push_back(request);
    int answer = m_defaultAnswer;
    if (!m_script.empty()) {
        answer = m_script.front();
        m_script.pop_front();
    }
    m_answers.push_back(answer);
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

void ScriptedHttpFetch::get(const std::string& url, double timeoutSeconds,
                            std::function<void(const HttpResponse&)> done) {
    m_requests.push_back(Request{url, timeoutSeconds});
    HttpResponse response;
    if (auto it = m_responses.find(url); it != m_responses.end()) {
        response = it->second;
    } else {
        response.error = "no response";
    }
    m_loop.after(0, [done = std::move(done), response] {
        if (done) done(response);
    });
}
