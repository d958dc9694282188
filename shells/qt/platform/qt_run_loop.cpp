#include "qt/platform/qt_run_loop.h"

#include <QMetaObject>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

// Qt timers take whole milliseconds; a repeating timer of 0 ms would spin, so repeats wait at least 1 ms.
int Milliseconds(double seconds, bool repeat) {
    const double ms = std::isfinite(seconds) ? std::clamp(seconds * 1000.0, 0.0, 2.0e9) : 0.0;
    const int whole = static_cast<int>(std::lround(ms));
    return repeat ? std::max(whole, 1) : whole;
}

}  // namespace

QtRunLoop::QtRunLoop() {
    m_clock.start();
}

QtRunLoop::~QtRunLoop() {
    for (auto& [id, e] : m_timers) delete e.timer;
}

RunLoop::TimerId QtRunLoop::after(double seconds, std::function<void()> fn) {
    return start(seconds, false, std::move(fn));
}

RunLoop::TimerId QtRunLoop::every(double interval, std::function<void()> fn) {
    return start(interval, true, std::move(fn));
}

RunLoop::TimerId QtRunLoop::start(double seconds, bool repeat, std::function<void()> fn) {
    const TimerId id = m_nextId++;
    auto* timer = new QTimer(&m_context);
    timer->setSingleShot(!repeat);
    timer->setInterval(Milliseconds(seconds, repeat));
    QObject::connect(timer, &QTimer::timeout, &m_context, [this, id] { fire(id); });
    m_timers.emplace(id, Entry{timer, repeat, std::move(fn)});
    timer->start();
    return id;
}

void QtRunLoop::fire(TimerId id) {
    const auto it = m_timers.find(id);
    if (it == m_timers.end()) return;
    // The callback may cancel this timer or start others: run a copy, and retire a single shot first.
    std::function<void()> fn = it->second.fn;
    if (!it->second.repeat) {
        it->second.timer->deleteLater();
        m_timers.erase(it);
    }
    fn();
    if (m_idleHook) m_idleHook();
}

void QtRunLoop::cancel(TimerId id) {
    const auto it = m_timers.find(id);
    if (it == m_timers.end()) return;
    it->second.timer->stop();
    it->second.timer->deleteLater();
    m_timers.erase(it);
}

double QtRunLoop::now() const {
    return static_cast<double>(m_clock.nsecsElapsed()) / 1e9;
}

void QtRunLoop::postFromAnyThread(std::function<void()> fn) {
    QMetaObject::invokeMethod(
        &m_context,
        [this, fn = std::move(fn)] {
            fn();
            if (m_idleHook) m_idleHook();
        },
        Qt::QueuedConnection);
}
