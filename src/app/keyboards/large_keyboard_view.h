// The portrait number pad: 20 keys (slots 0..19, four rows of five in reading order) and the enter key of
// RPN mode (kEnterSlot).
//
//   7 8 9 ÷ C
//   4 5 6 × M+        (shifted: M-)
//   1 2 3 − MR        (shifted: MC)
//   0 . ± + =         (shifted: Ans)
//
// Release sends the slot's code, from the shifted block while g_bShiftMode is set; a shifted key also
// posts "ReleaseSHIFTButon" (the mode keyboard lets its shift face go) and clears the latch. Faces return
// 0.1 s after the key acted. The pad has no hold or repeat.
//
// The enter key takes touches only while shown; it is shown while the current category is in RPN mode
// (showHideEnterButton). Its release posts "Orvane-open-rpn-stack" (the main controller opens the RPN
// stack screen) and sends no code. Created by the main controller in portrait, which is its delegate.
// Engine thread only.
#pragma once

#include "app/keyboards/keyboard_model.h"

class LargeKeyboardView : public CodeKeyboard {
  public:
    static constexpr int kKeySlots = 20;
    static constexpr int kEnterSlot = 20;  // the slot a widget reports for the enter key

    explicit LargeKeyboardView(Platform& platform);
    ~LargeKeyboardView() override;

    // The code of a key slot (0..19), shifted block when shift is set; -1 otherwise.
    int keyCode(int slot, bool shift) const;

    // Shows the enter key when categoryId is in RPN mode, hides it otherwise (a touch on it ends without
    // acting). Called by the main controller whenever the category or the input mode changes.
    void showHideEnterButton(int categoryId);
    bool enterButtonShown() const { return m_bEnterShown; }

    // "keyboard": "numberPad", the shared touch fields, "keys" (20 faces) and "enterButton" ("shown",
    // "pressed", "caption").
    nlohmann::json describe() const override;

  protected:
    bool HasKey(int slot) const override;
    void OnRelease(int slot) override;
    int CodeOfTouch(int slot) const override;

  private:
    bool m_bEnterShown = false;
};
