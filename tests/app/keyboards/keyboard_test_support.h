// Shared pieces of the keyboard tests: a delegate that records what the keyboards send, and touches.
#pragma once

#include <vector>

#include "app/keyboards/keyboard_model.h"

struct RecordingDelegate : KeyboardDelegate {
    void pressButtonHasKeycode(int code) override { codes.push_back(code); }
    void setCurrentMode(int categoryId) override { modes.push_back(categoryId); }
    std::vector<int> codes;
    std::vector<int> modes;
};

inline void Tap(KeyboardModel& k, int slot) {
    k.touchDown(slot);
    k.pressButton(slot);
}

// Holds the key of slot for seconds on the manual clock, then lets it go.
template <class Loop>
void Hold(Loop& loop, KeyboardModel& k, int slot, double seconds) {
    k.touchDown(slot);
    loop.advance(seconds);
    k.pressButton(slot);
}
