// Headless stand-ins for the interactive platform services: alerts answered from a script, URLs and
// feedback recorded (and optionally printed) instead of handed to the desktop.
#pragma once

#include <deque>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/alerts.h"
#include "platform/feedback.h"
#include "platform/http_fetch.h"
#include "platform/run_loop.h"
#include "platform/url_opener.h"

// Answers each alert with the next scripted button index (or defaultAnswer once the script is used up),
// delivered through the run loop as a real alert would be. Every request is kept; when echo is given the
// alert and its answer are printed there too.
class ScriptedAlerts : public Alerts {
  public:
    explicit ScriptedAlerts(RunLoop& loop, std::ostream* echo = nullptr) : m_loop(loop), m_echo(echo) {}

    void show(const AlertRequest& request, std::function<void(int)> onAnswer) override;

    void scriptAnswer(int buttonIndex) { m_script.push_back(buttonIndex); }
    void setDefaultAnswer(int buttonIndex) { m_defaultAnswer = buttonIndex; }
    const std::vector<AlertRequest>& shown() const { return m_shown; }
    // The answer each shown alert got, in the same order.
    const std::vector<int>& answers() const { return m_answers; }

  private:
    RunLoop& m_loop;
    std::ostream* m_echo;
    std::deque<int> m_script;
    std::vector<int> m_answers;
    int m_defaultAnswer = 0;
    std::vector<AlertRequest> m_shown;
};

// Keeps every URL it is asked to open and prints it when echo is given. Always succeeds.
class PrintingUrlOpener : public UrlOpener {
  public:
    explicit PrintingUrlOpener(std::ostream* echo = nullptr) : m_echo(echo) {}
    bool open(const std::string& url) override;
    const std::vector<std::string>& opened() const { return m_opened; }

  private:
    std::ostream* m_echo;
    std::vector<std::string> m_opened;
};

// Makes no sound; counts what was asked so that tests can check that an error vibrates.
class CountingFeedback : public Feedback {
  public:
    void setClickSound(const std::string& path) override { m_clickSound = path; }
    void click() override { ++m_clicks; }
    void playSound(const std::string& path) override { m_played.push_back(path); }
    void vibrate() override { ++m_vibrations; }

    const std::string& clickSound() const { return m_clickSound; }
    int clicks() const { return m_clicks; }
    int vibrations() const { return m_vibrations; }
    const std::vector<std::string>& played() const { return m_played; }

  private:
    std::string m_clickSound;
    int m_clicks = 0;
    int m_vibrations = 0;
    std::vector<std::string> m_played;
};

// Serves scripted responses by URL instead of going to the network (the terminal shell and tests run
// offline). A URL without a script fails as a transfer without a response would. Responses arrive
// through the run loop, never from inside get(); every request is kept.
class ScriptedHttpFetch : public HttpFetch {
  public:
    explicit ScriptedHttpFetch(RunLoop& loop) : m_loop(loop) {}

    void get(const std::string& url, double timeoutSeconds,
             std::function<void(const HttpResponse&)> done) override;

    void scriptResponse(const std::string& url, HttpResponse response) {
        m_responses[url] = std::move(response);
    }
    struct Request {
        std::string url;
        double timeoutSeconds;
    };
    const std::vector<Request>& requests() const { return m_requests; }

  private:
    RunLoop& m_loop;
    std::map<std::string, HttpResponse> m_responses;
    std::vector<Request> m_requests;
};
