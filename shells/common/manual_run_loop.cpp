#include "common/manual_run_loop.h"

#include <algorithm>

namespace {
// A repeating timer of interval 0 would run forever within one advance().
constexpr double kMinInterval = 0.001;
}  // namespace

RunLoop::TimerId ManualRunLoop::schedule(double seconds, double interval, std::function<void()> fn) {
    TimerId id = m_nextId++;
    m_timers.emplace(id, Timer{m_now + std::max(0.0, seconds), interval, std::move(fn)});
    return id;
}

RunLoop::TimerId ManualRunLoop::after(double seconds, std::function<void()> fn) {
    return schedule(seconds, 0, std::move(fn));
}

RunLoop::TimerId ManualRunLoop::every(double interval, std::function<void()> fn) {
    interval = std::max(interval, kMinInterval);
    return schedule(interval, interval, std::move(fn));
}

void ManualRunLoop::cancel(TimerId id) {
    m_timers.erase(id);
}

bool ManualRunLoop::runNext(double limit, bool oneShotsOnly) {
    auto best = m_timers.end();
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        if (oneShotsOnly && it->second.interval > 0) continue;
        if (best == m_timers.end() || it->second.deadline < best->second.deadline) best = it;
    }
    if (best == m_timers.end() || best->second.deadline > limit) return false;
    // Repeating timers that fall due before the chosen one-shot call still run first.
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        if (it->second.deadline < best->second.deadline) best = it;
    }
    m_now = std::max(m_now, best->second.deadline);
    std::function<void()> fn = best->second.fn;
    if (best->second.interval > 0) {
        best->second.deadline += best->second.interval;
    } else {
        m_timers.erase(best);
    }
    fn();  // may schedule or cancel anything, itself included
    return true;
}

void ManualRunLoop::postFromAnyThread(std::function<void()> fn) {
    {
        std::lock_guard<std::mutex> lock(m_postMutex);
        m_posts.push_back(std::move(fn));
    }
    m_postArrived.notify_all();
}

bool ManualRunLoop::waitForPost(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(m_postMutex);
    return m_postArrived.wait_for(lock, timeout, [this] { return !m_posts.empty(); });
}

void ManualRunLoop::takePosts() {
    std::vector<std::function<void()>> posts;
    {
        std::lock_guard<std::mutex> lock(m_postMutex);
        posts.swap(m_posts);
    }
    for (auto& fn : posts) schedule(0, 0, std::move(fn));
}

void ManualRunLoop::advance(double seconds) {
    takePosts();
    double target = m_now + std::max(0.0, seconds);
    while (runNext(target, false)) {
    }
    m_now = target;
}

int ImmediateRunLoop::runPending(int maxCalls) {
    takePosts();
    int calls = 0;
    while (calls < maxCalls && runNext(1e300, true)) ++calls;
    return calls;
}
