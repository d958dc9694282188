// The touch mechanics every keyboard shares: key faces, the click, the hold and repeat timers.
//
// A keyboard is a row of slots (0 .. slotCount()-1), one key each. Its widget draws the faces that
// describe() lists and feeds touches by slot:
//
//   touchDown(slot)    the finger went down on the key of slot
//   pressButton(slot)  the finger came up inside that key (the key acts, unless a hold already did)
//   touchCancel(slot)  the touch ended without acting (the finger left the key, a scroll took it over,
//                      the window went away)
//
// Between those calls, time passes on the platform's run loop: a hold fires 0.4 s after the touch went
// down (kHoldDelay), a held key repeats every 0.1 s (kRepeatInterval), and a face shown pressed returns to
// normal 0.1 s after its key acted (kFaceRestoreDelay). One key is touched at a time: a touch-down while
// another key is down is ignored, as are releases and cancels of a slot that is not the touched one.
//
// m_nTouchStatus follows one touch: 0 idle (set at touch-down), 1 the hold acted, 2 the key was released
// before the hold. Every timer belongs to the keyboard and is cancelled when it is destroyed, so a keyboard
// may go (rotation, window closed) in the middle of a hold. Engine thread only.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/keyboards/keyboard_delegate.h"
#include "platform/platform.h"

class KeyboardModel {
  public:
    static constexpr double kHoldDelay = 0.4;         // seconds from touch-down to the hold
    static constexpr double kRepeatInterval = 0.1;    // seconds between repeats of a held key
    static constexpr double kFaceRestoreDelay = 0.1;  // seconds a pressed face stays after its key acted

    virtual ~KeyboardModel();
    KeyboardModel(const KeyboardModel&) = delete;
    KeyboardModel& operator=(const KeyboardModel&) = delete;

    // The touch calls (see the file comment). touchDown() returns false and changes nothing for a slot
    // without a key (out of range, covered by a double-width key, a hidden key) or while another key is
    // down; otherwise it plays the click when g_bSound is set and shows the key pressed.
    bool touchDown(int slot);
    void pressButton(int slot);
    void touchCancel(int slot);

    int slotCount() const { return static_cast<int>(m_pressed.size()); }
    // 0 idle, 1 the hold acted, 2 released before the hold (see the file comment).
    int touchStatus() const { return m_nTouchStatus; }
    // The slot under the finger, -1 when no key is down.
    int touchedSlot() const { return m_nTouchSlot; }
    // True while the key's face shows pressed: touched, within kFaceRestoreDelay after it acted, or the
    // latched shift key.
    bool isFacePressed(int slot) const;
    // The slot whose face shows the latched shift, -1 when none does.
    int shiftSlot() const { return m_nShiftSlot; }
    // The code a held key repeats, -1 when nothing repeats.
    int repeatedCode() const { return m_nRepeatTimer != 0 ? m_nKeyCodeOfRepeatedButton : -1; }
    bool holdPending() const { return m_nTapTimer != 0; }

    // The shift latch is released: the latched shift face returns to normal after kFaceRestoreDelay and
    // g_bShiftMode is cleared. Called on the release notifications and by any non-shift key.
    void releaseShiftButton();

    // What the keyboard shows, for the widget and the headless runs alike (each keyboard's header lists
    // its keys). Every description carries "keyboard" (its name), "shift" (g_bShiftMode), "shiftSlot",
    // "touchStatus", "pressedSlot", "pressedCode" (what the touched key sends if released now, -1 when
    // none is down), "repeating" (the repeated code or -1) and "keys" (one object per slot).
    virtual nlohmann::json describe() const = 0;

    // Called after every change a widget must repaint (faces, page, shift, buttons shown).
    void setChangeListener(std::function<void()> listener) { m_onChanged = std::move(listener); }

  protected:
    KeyboardModel(Platform& platform, int slotCount);

    // The keyboard's rules. HasKey: the slot has a key that takes touches now. StartsHold: a touch-down on
    // the slot starts the hold timer. OnRelease: the key acts (released before any hold). OnHold: the
    // hold fired while the key is still down. CodeOfTouch: what the touched key sends now (describe()).
    virtual bool HasKey(int slot) const;
    virtual bool StartsHold(int slot) const { return (void)slot, false; }
    virtual void OnRelease(int slot) = 0;
    virtual void OnHold(int slot) { (void)slot; }
    virtual int CodeOfTouch(int slot) const { return (void)slot, -1; }

    // Shows the face of slot normal again now / after kFaceRestoreDelay. The latched shift face and the
    // face under the finger stay pressed.
    void RestoreFace(int slot);
    void RestoreFaceLater(int slot);
    // Latches the shift on the key of slot (its face stays pressed until releaseShiftButton()), or, for
    // -1, forgets the latched key without touching its face.
    void SetShiftSlot(int slot) { m_nShiftSlot = slot; }
    // Repeats code every kRepeatInterval (through OnRepeat) until the key is released or cancelled.
    void StartRepeat(int code);
    void StopRepeat();
    virtual void OnRepeat() {}
    // Observes a notification for as long as the keyboard lives.
    void Observe(const char* name, std::function<void()> handler);
    void Changed();
    // The shared part of describe() (see above); keys is left for the keyboard to fill.
    nlohmann::json DescribeTouch(const char* name) const;

    Platform& m_platform;
    int m_nTouchStatus = 0;
    int m_nKeyCodeOfRepeatedButton = -1;

  private:
    void tapAndHoldButton(int slot);
    void StopHold();

    int m_nTouchSlot = -1;
    int m_nShiftSlot = -1;
    RunLoop::TimerId m_nTapTimer = 0;
    RunLoop::TimerId m_nRepeatTimer = 0;
    std::vector<bool> m_pressed;
    std::vector<RunLoop::TimerId> m_restoreTimers;
    std::function<void()> m_onChanged;
};

// A keyboard that sends key codes to a KeyboardDelegate (the main controller).
class CodeKeyboard : public KeyboardModel {
  public:
    // delegate is not owned and may be null (the codes are then dropped); it must outlive the keyboard
    // or be reset first.
    void setDelegate(KeyboardDelegate* delegate) { m_delegate = delegate; }
    KeyboardDelegate* delegate() const { return m_delegate; }

  protected:
    using KeyboardModel::KeyboardModel;
    void Send(int code);
    // The release of a mode key (portrait and landscape): 23 toggles the latch (its face stays pressed
    // while latched, and returns after kFaceRestoreDelay when the latch goes off); any other code releases
    // the latch first and its face returns after kFaceRestoreDelay. The code goes to the delegate.
    void ReleaseModeKey(int slot, int code);
    void OnRepeat() override { Send(m_nKeyCodeOfRepeatedButton); }

    KeyboardDelegate* m_delegate = nullptr;
};

// One key's face in a description: its slot, code, caption, the shifted function's code and caption when
// it differs (shiftedCode -1 and an empty shiftedCaption otherwise), its button type and whether it shows
// pressed. In RPN layouts 44 and 45 are the ENTER key and are captioned so.
nlohmann::json KeyFaceJson(int slot, int code, int shiftedCode, int type, bool pressed, bool rpn = false);

// The category the landscape keyboards serve: g_curLandScapeFunction when it is 0, 1 or 3, else 0.
int LandscapeCategory();
// True when categoryId is in RPN mode (false while no input-mode store exists).
bool IsRPNCategory(int categoryId);
