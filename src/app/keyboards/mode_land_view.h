// The landscape mode keys: 16 keys (slots 0..15, four rows of four in reading order) for the category
// shown in landscape.
//
// The page is that of g_curLandScapeFunction (Arithmetic 0, Trigonom 1, Base Conversion 3; any other id
// counts as Arithmetic); the codes come from the landscape RPN table while that category is in RPN mode,
// from the shifted block while g_bShiftMode is set. Codes are looked up at press time, so a change of
// category, input mode or shift needs no rebuild (updateButtons() only repaints).
//
// Touches follow KeyboardModel. Release: as on the portrait mode keyboard (23 toggles the latch, any
// other code releases it; faces return after 0.1 s). Hold (0.4 s): the shifted code is sent once (no
// repeat) and the latch is released; the release after it sends nothing. The shift key starts no hold:
// holding it latches the shift when released, as a tap does (a hold would toggle the display's shift
// without latching the keys).
//
// Observes "LandscapeReleaseSHIFTButton" (releaseShiftButton). Created by the main controller in
// landscape, which is its delegate. Engine thread only.
#pragma once

#include "app/keyboards/keyboard_model.h"

class ModeLandView : public CodeKeyboard {
  public:
    static constexpr int kSlots = 16;

    explicit ModeLandView(Platform& platform);
    ~ModeLandView() override;

    // The code of slot for the landscape category now (shifted block when shift is set); -1 out of range.
    int keyCode(int slot, bool shift) const;
    // The landscape page (0..2) and whether its codes come from the RPN table.
    int currentPage() const;
    bool isRPN() const;

    // The landscape category or its input mode changed: repaint the faces.
    void updateButtons() { Changed(); }

    // "keyboard": "modeLand", the shared touch fields, "category", "page", "rpn" and per slot the face.
    nlohmann::json describe() const override;

  protected:
    bool StartsHold(int slot) const override;
    void OnRelease(int slot) override;
    void OnHold(int slot) override;
    int CodeOfTouch(int slot) const override;
};
