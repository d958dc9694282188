// RunLoop over Qt's event loop: delayed calls and repeating timers are QTimers on the GUI thread.
//
// After every callback the loop calls its idle hook (the main window re-reads the models there), so that a
// list that opens 0.1 s after a key, a held key's repeat or an alert's answer shows at once.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <map>

#include "platform/run_loop.h"

class QTimer;

class QtRunLoop : public RunLoop {
  public:
    QtRunLoop();
    ~QtRunLoop() override;
    QtRunLoop(const QtRunLoop&) = delete;
    QtRunLoop& operator=(const QtRunLoop&) = delete;

    TimerId after(double seconds, std::function<void()> fn) override;
    TimerId every(double interval, std::function<void()> fn) override;
    void cancel(TimerId id) override;
    double now() const override;
    void postFromAnyThread(std::function<void()> fn) override;

    // Called after each callback of this loop (may be empty).
    void setIdleHook(std::function<void()> hook) { m_idleHook = std::move(hook); }
    // Timers still pending (tests).

  private:
    TimerId start(double seconds, bool repeat, std::function<void()> fn);
    void fire(TimerId id);

    struct Entry {
        QTimer* timer;
        bool repeat;
        std::function<void()> fn;
    };
    QObject m_context;
    QElapsedTimer m_clock;
    std::map<TimerId, Entry> m_timers;
    TimerId m_nextId = 1;
    std::function<void()> m_idleHook;
};
