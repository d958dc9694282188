// The desktop's alerts, URL handler and feedback.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/alerts.h"
#include "platform/feedback.h"
#include "platform/run_loop.h"
#include "platform/url_opener.h"

class QMessageBox;
class QSoundEffect;

// Window-modal message boxes over the main window. The answer (index of the button, -1 when the box was
// closed without one) is delivered through the run loop, never from inside show().
class QtAlerts : public Alerts {
  public:
    explicit QtAlerts(RunLoop& loop) : m_loop(loop) {}
    void setParentWidget(QWidget* parent) { m_parent = parent; }
    void show(const AlertRequest& request, std::function<void(int)> onAnswer) override;
    // The box on show, if any (tests answer it).
    QMessageBox* openBox() const;

  private:
    RunLoop& m_loop;
    QPointer<QWidget> m_parent;
    QPointer<QMessageBox> m_box;
};

// Opens URLs (the history's "mailto:") with the desktop's handler.
class QtUrlOpener : public UrlOpener {
  public:
    bool open(const std::string& url) override;
};

// The key click from a sound file; an error "vibration" is a short flash that the main window draws.
class QtFeedback : public Feedback {
  public:
    QtFeedback();
    ~QtFeedback() override;
    void setClickSound(const std::string& path) override;
    void click() override;
    void playSound(const std::string& path) override;
    void vibrate() override;

    // The window flashes its display here.
    std::function<void()> onVibrate;
    // No sound at all (tests, and machines without audio output).
    void setMuted(bool muted) { m_muted = muted; }

  private:
    // The effect for path, loaded when path differs from the one loaded (its file checked then, not at
    // every click); null when muted or when the file is missing.
    QSoundEffect* effectFor(std::unique_ptr<QSoundEffect>& slot, std::string& loaded, const std::string& path);

    std::string m_clickPath, m_loadedClick, m_loadedPlay;
    std::unique_ptr<QSoundEffect> m_click, m_play;
    bool m_muted = false;
};
