// Timers and delayed calls on the main loop.
//
// All application logic runs on one thread; the keyboards' hold detection (0.4 s), key repeat (0.1 s),
// the display's arrow repeat (0.15 s) and short delayed actions (0.1 s) are scheduled here. A callback always
// runs later from the loop itself, never from inside after() or every(). Apart from postFromAnyThread(),
// every member is called on the loop's own thread.
#pragma once

#include <cstdint>
#include <functional>

class RunLoop {
  public:
    using TimerId = std::uint64_t;  // 0 is never a valid id

    virtual ~RunLoop() = default;

    // Calls fn once, seconds (>= 0) from now. Returns an id for cancel().
    virtual TimerId after(double seconds, std::function<void()> fn) = 0;

    // Calls fn every interval seconds until cancelled; the first call is one interval from now.
    virtual TimerId every(double interval, std::function<void()> fn) = 0;

    // Stops a pending call or a repeating timer. Unknown, finished or already cancelled ids are ignored;
    // a timer may cancel itself from its own callback.
    virtual void cancel(TimerId id) = 0;

    // Seconds since the loop started (monotonic).
    virtual double now() const = 0;

    // The one call that may come from another thread (a platform's helper thread handing back a
    // transfer): fn runs on the loop's thread at its next turn, after the calls already due.
    virtual void postFromAnyThread(std::function<void()> fn) = 0;
};
