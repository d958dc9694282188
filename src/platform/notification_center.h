// Named notifications between screens.
//
// Screens never hold pointers to one another; they post a notification by name ("UpdateSettingChanges",
// "ReleaseSHIFTButon", ...) with an optional object, and every observer registered for that name is called
// synchronously, in registration order, on the calling (main) thread. This class is ours and needs no
// toolkit; every shell uses it as it is.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Notification {
    std::string name;
    std::any object;  // empty, or what the poster attached (texts are std::string or std::u16string)
};

class NotificationCenter {
  public:
    using Token = std::uint64_t;
    using Handler = std::function<void(const Notification&)>;

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // The process-wide centre used by the screens (one per process, like the phone's default centre).
    static NotificationCenter& defaultCenter();

    // Registers handler for the notifications called name. owner (may be null) groups registrations so
    // that removeObserversOf() can drop all of one screen's at once. Returns a token for removeObserver().
    Token addObserver(const std::string& name, Handler handler, const void* owner = nullptr);

    // Drops one registration / every registration of owner. Safe at any time, including from inside a
    // handler while a post is running: a removed observer is not called again, not even by that post.
    void removeObserver(Token token);
    void removeObserversOf(const void* owner);

    // Calls every observer of name that was registered when the post began and is still registered when
    // its turn comes. Observers added during the post are first called by the next post. Posts may nest.
    void post(const std::string& name, std::any object = {});

    // Number of live registrations for name (for tests and diagnostics).
    int observerCount(const std::string& name) const;

    // A tap called at the start of every post, before the observers, whatever the name (the headless
    // shell lists what was posted). An empty function removes it.
    void setPostMonitor(Handler monitor) { m_monitor = std::move(monitor); }

  private:
    struct Entry {
        Token token;
        std::string name;
        Handler handler;
        const void* owner;
        bool alive;
    };
    const Entry* find(Token token) const;
    void compact();

    std::vector<Entry> m_entries;
    Token m_nextToken = 1;
    int m_postDepth = 0;
    Handler m_monitor;
};
