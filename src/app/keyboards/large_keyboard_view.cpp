#include "app/keyboards/large_keyboard_view.h"

#include "app/display/line_text.h"
#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"
#include "app/keys/static_table_codes.h"
#include "app/settings/settings_globals.h"

using nlohmann::json;

LargeKeyboardView::LargeKeyboardView(Platform& platform) : CodeKeyboard(platform, kKeySlots + 1) {}

LargeKeyboardView::~LargeKeyboardView() = default;

int LargeKeyboardView::keyCode(int slot, bool shift) const {
    return NumberPadKeyCode(slot, shift);
}

bool LargeKeyboardView::HasKey(int slot) const {
    if (slot == kEnterSlot) return m_bEnterShown;
    return keyCode(slot, false) >= 0;
}

int LargeKeyboardView::CodeOfTouch(int slot) const {
    return slot == kEnterSlot ? -1 : keyCode(slot, g_bShiftMode);
}

void LargeKeyboardView::showHideEnterButton(int categoryId) {
    const bool shown = IsRPNCategory(categoryId);
    if (shown == m_bEnterShown) return;
    m_bEnterShown = shown;
    if (!shown) touchCancel(kEnterSlot);
    Changed();
}

void LargeKeyboardView::OnRelease(int slot) {
    if (slot == kEnterSlot) {
        m_platform.notifications.post("Orvane-open-rpn-stack");
        RestoreFaceLater(slot);
        return;
    }
    const int code = keyCode(slot, g_bShiftMode);
    if (g_bShiftMode) {
        // The mode keyboard holds the latched shift face; it lets it go on this notification.
        m_platform.notifications.post("ReleaseSHIFTButon");
        g_bShiftMode = false;
    }
    Send(code);
    RestoreFaceLater(slot);
}

json LargeKeyboardView::describe() const {
    json j = DescribeTouch("numberPad");
    for (int slot = 0; slot < kKeySlots; ++slot) {
        j["keys"].push_back(KeyFaceJson(slot, keyCode(slot, false), keyCode(slot, true),
                                        arrTypeLageKeyBoardButons[slot], isFacePressed(slot)));
    }
    j["enterButton"] = {{"shown", m_bEnterShown},
                        {"pressed", isFacePressed(kEnterSlot)},
                        {"caption", U16ToUtf8(KeyCaption(kKeyOpenRpnStack))}};
    return j;
}
