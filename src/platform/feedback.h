// Key click and vibration.
#pragma once

#include <string>

class Feedback {
  public:
    virtual ~Feedback() = default;
    // Selects the sound file played by click(); an unreadable file silences the click.
    virtual void setClickSound(const std::string& path) = 0;
    virtual void click() = 0;
    // Plays a sound file once (the settings' "Play" button).
    virtual void playSound(const std::string& path) = 0;
    // Signals an error to the user (the phone vibrates; a desktop may flash or beep).
    virtual void vibrate() = 0;
};
