#include "app/keyboards/number_keyboard_land.h"

#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"
#include "app/keys/static_table_codes.h"
#include "app/settings/settings_globals.h"

using nlohmann::json;

NumberKeyboardLand::NumberKeyboardLand(Platform& platform) : CodeKeyboard(platform, kSlots) {}

NumberKeyboardLand::~NumberKeyboardLand() = default;

int NumberKeyboardLand::CodeOfTouch(int slot) const {
    return keyCode(slot, g_bShiftMode);
}

int NumberKeyboardLand::holdFlag(int slot) {
    return slot >= 0 && slot < kSlots ? arrLandTAHoldButtonTypesNumkey[slot] : 0;
}

int NumberKeyboardLand::keyCode(int slot, bool shift) const {
    if (slot == kEqualsSlot) return IsRPNCategory(LandscapeCategory()) ? kKeyEnter : kKeyEquals;
    return LandscapeNumberPadKeyCode(slot, shift);
}

int NumberKeyboardLand::TakeCode(int slot) {
    const int code = keyCode(slot, g_bShiftMode);
    if (g_bShiftMode) {
        // The landscape mode keys hold the latched shift face; they let it go on this notification.
        m_platform.notifications.post("LandscapeReleaseSHIFTButton");
        g_bShiftMode = false;
    }
    return code;
}

void NumberKeyboardLand::OnRelease(int slot) {
    Send(TakeCode(slot));
    RestoreFaceLater(slot);
}

void NumberKeyboardLand::OnHold(int slot) {
    const int flag = holdFlag(slot);
    const int code = TakeCode(slot);
    if (flag == 2) StartRepeat(code);
    Send(code);
}

json NumberKeyboardLand::describe() const {
    json j = DescribeTouch("numberPadLand");
    const bool rpn = IsRPNCategory(LandscapeCategory());
    j["rpn"] = rpn;
    for (int slot = 0; slot < kSlots; ++slot) {
        json face = KeyFaceJson(slot, keyCode(slot, false), keyCode(slot, true),
                                arrLandTypeLageKeyBoardButons[slot], isFacePressed(slot), rpn);
        face["hold"] = holdFlag(slot);
        j["keys"].push_back(face);
    }
    return j;
}
