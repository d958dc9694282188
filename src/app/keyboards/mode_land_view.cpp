#include "app/keyboards/mode_land_view.h"

#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"
#include "app/keys/static_table_codes.h"
#include "app/settings/settings_globals.h"

using nlohmann::json;

ModeLandView::ModeLandView(Platform& platform) : CodeKeyboard(platform, kSlots) {
    Observe("LandscapeReleaseSHIFTButton", [this] { releaseShiftButton(); });
}

ModeLandView::~ModeLandView() = default;

int ModeLandView::currentPage() const {
    return LandscapePage(LandscapeCategory());
}

bool ModeLandView::isRPN() const {
    return IsRPNCategory(LandscapeCategory());
}

int ModeLandView::keyCode(int slot, bool shift) const {
    return LandscapeKeyCode(currentPage(), slot, shift, isRPN());
}

bool ModeLandView::StartsHold(int slot) const {
    return keyCode(slot, g_bShiftMode) != kKeyShift;
}

int ModeLandView::CodeOfTouch(int slot) const {
    return keyCode(slot, g_bShiftMode || m_nTouchStatus == 1);
}

void ModeLandView::OnRelease(int slot) {
    ReleaseModeKey(slot, keyCode(slot, g_bShiftMode));
}

void ModeLandView::OnHold(int slot) {
    const int code = keyCode(slot, true);
    if (g_bShiftMode) releaseShiftButton();
    Send(code);
}

json ModeLandView::describe() const {
    json j = DescribeTouch("modeLand");
    const bool rpn = isRPN();
    j["category"] = LandscapeCategory();
    j["page"] = currentPage();
    j["rpn"] = rpn;
    const int* types = rpn ? arrLandRPNTypeButtons : arrLandTypeButtons;
    const int page = currentPage();
    for (int slot = 0; slot < kSlots; ++slot) {
        j["keys"].push_back(KeyFaceJson(slot, keyCode(slot, false), keyCode(slot, true),
                                        types[page * kLandPageSlots + slot], isFacePressed(slot), rpn));
    }
    return j;
}
