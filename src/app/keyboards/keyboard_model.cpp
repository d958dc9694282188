#include "app/keyboards/keyboard_model.h"

#include "app/display/line_text.h"
#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"
#include "app/settings/input_mode_manager.h"
#include "app/settings/settings_globals.h"

using nlohmann::json;

KeyboardModel::KeyboardModel(Platform& platform, int slotCount)
    : m_platform(platform), m_pressed(slotCount, false), m_restoreTimers(slotCount, 0) {}

KeyboardModel::~KeyboardModel() {
    RunLoop& loop = m_platform.runLoop;
    if (m_nTapTimer != 0) loop.cancel(m_nTapTimer);
    if (m_nRepeatTimer != 0) loop.cancel(m_nRepeatTimer);
    for (RunLoop::TimerId id : m_restoreTimers) {
        if (id != 0) loop.cancel(id);
    }
    m_platform.notifications.removeObserversOf(this);
}

bool KeyboardModel::HasKey(int slot) const {
    return slot >= 0 && slot < slotCount();
}

bool KeyboardModel::isFacePressed(int slot) const {
    return slot >= 0 && slot < slotCount() && m_pressed[slot];
}

bool KeyboardModel::touchDown(int slot) {
    if (m_nTouchSlot >= 0 || !HasKey(slot) || slot >= slotCount()) return false;
    if (g_bSound) m_platform.feedback.click();
    m_nTouchSlot = slot;
    m_nTouchStatus = 0;
    if (m_restoreTimers[slot] != 0) {
        m_platform.runLoop.cancel(m_restoreTimers[slot]);
        m_restoreTimers[slot] = 0;
    }
    m_pressed[slot] = true;
    if (m_nTapTimer == 0 && StartsHold(slot)) {
        m_nTapTimer = m_platform.runLoop.after(kHoldDelay, [this, slot] {
            m_nTapTimer = 0;
            tapAndHoldButton(slot);
        });
    }
    Changed();
    return true;
}

void KeyboardModel::pressButton(int slot) {
    if (slot < 0 || slot != m_nTouchSlot) return;
    m_nTouchSlot = -1;
    StopRepeat();
    if (m_nTouchStatus == 1) {
        // The hold already acted; the release only lets the key go.
        RestoreFace(slot);
        m_nTouchStatus = 0;
        Changed();
        return;
    }
    StopHold();
    m_nTouchStatus = 2;
    OnRelease(slot);
    Changed();
}

void KeyboardModel::touchCancel(int slot) {
    if (slot < 0 || slot != m_nTouchSlot) return;
    m_nTouchSlot = -1;
    StopRepeat();
    StopHold();
    m_nTouchStatus = 0;
    RestoreFace(slot);
    Changed();
}

void KeyboardModel::tapAndHoldButton(int slot) {
    if (m_nTouchStatus == 2) {
        m_nTouchStatus = 0;
        return;
    }
    m_nTouchStatus = 1;
    OnHold(slot);
    Changed();
}

void KeyboardModel::StopHold() {
    if (m_nTapTimer == 0) return;
    m_platform.runLoop.cancel(m_nTapTimer);
    m_nTapTimer = 0;
}

void KeyboardModel::StartRepeat(int code) {
    StopRepeat();
    m_nKeyCodeOfRepeatedButton = code;
    m_nRepeatTimer = m_platform.runLoop.every(kRepeatInterval, [this] { OnRepeat(); });
}

void KeyboardModel::StopRepeat() {
    if (m_nRepeatTimer == 0) return;
    m_platform.runLoop.cancel(m_nRepeatTimer);
    m_nRepeatTimer = 0;
}

void KeyboardModel::RestoreFace(int slot) {
    if (slot < 0 || slot >= slotCount()) return;
    if (m_restoreTimers[slot] != 0) {
        m_platform.runLoop.cancel(m_restoreTimers[slot]);
        m_restoreTimers[slot] = 0;
    }
    if (slot != m_nShiftSlot && slot != m_nTouchSlot) m_pressed[slot] = false;
}

void KeyboardModel::RestoreFaceLater(int slot) {
    if (slot < 0 || slot >= slotCount()) return;
    if (m_restoreTimers[slot] != 0) m_platform.runLoop.cancel(m_restoreTimers[slot]);
    m_restoreTimers[slot] = m_platform.runLoop.after(kFaceRestoreDelay, [this, slot] {
        m_restoreTimers[slot] = 0;
        if (slot == m_nShiftSlot || slot == m_nTouchSlot) return;
        m_pressed[slot] = false;
        Changed();
    });
}

void KeyboardModel::releaseShiftButton() {
    const int slot = m_nShiftSlot;
    const bool wasLatched = g_bShiftMode;
    m_nShiftSlot = -1;
    g_bShiftMode = false;
    if (slot >= 0) RestoreFaceLater(slot);
    if (slot >= 0 || wasLatched) Changed();
}

void KeyboardModel::Observe(const char* name, std::function<void()> handler) {
    m_platform.notifications.addObserver(
        name, [handler](const Notification&) { handler(); }, this);
}

void KeyboardModel::Changed() {
    if (m_onChanged) m_onChanged();
}

json KeyboardModel::DescribeTouch(const char* name) const {
    json j;
    j["keyboard"] = name;
    j["shift"] = g_bShiftMode;
    j["shiftSlot"] = m_nShiftSlot;
    j["touchStatus"] = m_nTouchStatus;
    j["pressedSlot"] = m_nTouchSlot;
    j["pressedCode"] = m_nTouchSlot >= 0 ? CodeOfTouch(m_nTouchSlot) : -1;
    j["repeating"] = repeatedCode();
    j["keys"] = json::array();
    return j;
}

void CodeKeyboard::Send(int code) {
    if (m_delegate != nullptr) m_delegate->pressButtonHasKeycode(code);
}

void CodeKeyboard::ReleaseModeKey(int slot, int code) {
    if (code == kKeyShift) {
        g_bShiftMode = !g_bShiftMode;
        if (g_bShiftMode) {
            SetShiftSlot(slot);
        } else {
            SetShiftSlot(-1);
            RestoreFaceLater(slot);
        }
        Send(kKeyShift);
        return;
    }
    if (g_bShiftMode) releaseShiftButton();
    Send(code);
    RestoreFaceLater(slot);
}

json KeyFaceJson(int slot, int code, int shiftedCode, int type, bool pressed, bool rpn) {
    auto caption = [rpn](int c) -> std::string {
        if (rpn && (c == kKeyOpenParen || c == kKeyCloseParen)) return "ENTER";
        return U16ToUtf8(KeyCaption(c));
    };
    const bool differs = shiftedCode >= 0 && shiftedCode != code;
    return json{{"slot", slot},
                {"code", code},
                {"caption", code >= 0 ? caption(code) : std::string()},
                {"shiftedCode", differs ? shiftedCode : -1},
                {"shiftedCaption", differs ? caption(shiftedCode) : std::string()},
                {"type", type},
                {"pressed", pressed}};
}

int LandscapeCategory() {
    switch (g_curLandScapeFunction) {
        case kCatTrigonom:
        case kCatBaseConversion:
            return g_curLandScapeFunction;
        default:
            return kCatArithmetic;
    }
}

bool IsRPNCategory(int categoryId) {
    // Only display categories (0..11) can be in RPN mode; the input-mode store reads any other id as
    // "the current category", which is not what a keyboard asks.
    if (categoryId < 0 || categoryId >= kDisplayCategoryCount) return false;
    return g_pInputMode != nullptr && g_pInputMode->isRPNMode(categoryId);
}
