// Run loops without a real clock.
//
// ManualRunLoop: time stands still until advance() moves it; due callbacks then run in deadline order
// (ties in scheduling order), each seeing now() equal to its own deadline. Tests use it to step through
// hold and repeat timers exactly.
// ImmediateRunLoop: the loop of the terminal shell; runPending() runs every delayed call at once, moving
// the clock to each deadline, so that a key sequence needs no waiting.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "platform/run_loop.h"

class ManualRunLoop : public RunLoop {
  public:
    TimerId after(double seconds, std::function<void()> fn) override;
    TimerId every(double interval, std::function<void()> fn) override;
    void cancel(TimerId id) override;
    double now() const override { return m_now; }
    void postFromAnyThread(std::function<void()> fn) override;

    // Blocks the calling (loop) thread until something was posted from another thread or timeout passed;
    // true when a post is waiting. The posted calls run at the next advance() or runPending().
    bool waitForPost(std::chrono::milliseconds timeout);

    // Moves the clock forward by seconds (>= 0), running everything that falls due on the way.
    void advance(double seconds);

    // Number of pending one-shot calls and repeating timers.
    int pendingCount() const { return static_cast<int>(m_timers.size()); }

  protected:
    struct Timer {
        double deadline;
        double interval;  // 0 for a one-shot call
        std::function<void()> fn;
    };
    TimerId schedule(double seconds, double interval, std::function<void()> fn);
    // Runs the earliest timer due at or before limit; false when none is.
    bool runNext(double limit, bool oneShotsOnly);
    // Turns the posts of other threads into calls due now.
    void takePosts();

    std::map<TimerId, Timer> m_timers;
    TimerId m_nextId = 1;
    double m_now = 0;

    std::mutex m_postMutex;
    std::condition_variable m_postArrived;
    std::vector<std::function<void()>> m_posts;
};

class ImmediateRunLoop : public ManualRunLoop {
  public:
    // Runs pending one-shot calls (and those they schedule) until none is left or maxCalls have run;
    // repeating timers fire as the clock passes them. Returns the number of calls run.
    int runPending(int maxCalls = 10000);
};
