#include "platform/notification_center.h"

#include <algorithm>

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter center;
    return center;
}

NotificationCenter::Token NotificationCenter::addObserver(const std::string& name, Handler handler,
                                                          const void* owner) {
    Token token = m_nextToken++;
    m_entries.push_back(Entry{token, name, std::move(handler), owner, true});
    return token;
}

void NotificationCenter::removeObserver(Token token) {
    for (Entry& e : m_entries) {
        if (e.token == token) e.alive = false;
    }
    compact();
}

void NotificationCenter::removeObserversOf(const void* owner) {
    if (owner == nullptr) return;
    for (Entry& e : m_entries) {
        if (e.owner == owner) e.alive = false;
    }
    compact();
}

const NotificationCenter::Entry* NotificationCenter::find(Token token) const {
    for (const Entry& e : m_entries) {
        if (e.token == token) return e.alive ? &e : nullptr;
    }
    return nullptr;
}

void NotificationCenter::post(const std::string& name, std::any object) {
    Notification note{name, std::move(object)};
    if (m_monitor) {
        Handler monitor = m_monitor;
        monitor(note);
    }
    // Snapshot the tokens: handlers may add or remove observers, which may reallocate m_entries, so
    // every call looks its entry up again and copies the handler before calling it.
    std::vector<Token> tokens;
    for (const Entry& e : m_entries) {
        if (e.alive && e.name == name) tokens.push_back(e.token);
    }
    ++m_postDepth;
    for (Token t : tokens) {
        const Entry* e = find(t);
        if (e == nullptr) continue;
        Handler h = e->handler;
        h(note);
    }
    --m_postDepth;
    compact();
}

int NotificationCenter::observerCount(const std::string& name) const {
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(),
                                          [&](const Entry& e) { return e.alive && e.name == name; }));
}

void NotificationCenter::compact() {
    // Entries are only erased when no post is walking them.
    if (m_postDepth > 0) return;
    std::erase_if(m_entries, [](const Entry& e) { return !e.alive; });
}
