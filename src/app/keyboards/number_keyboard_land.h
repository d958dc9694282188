// The landscape number pad: 19 keys (slots 0..18, rows of four in reading order, the last row of three).
//
//   DEL C ÷ ×
//   7   8 9 −
//   4   5 6 +
//   1   2 3 =
//   0   . ±
//
// Release sends the slot's code (both blocks of the table are equal; while g_bShiftMode is set the
// shifted block is read, "LandscapeReleaseSHIFTButton" is posted and the latch cleared). The equals key
// (slot 15) sends ENTER (44) while the landscape category is in RPN mode, else 19.
//
// Hold flags (holdFlag(), from the table): a touch-down starts the 0.4 s hold timer only on a key whose
// flag is nonzero. When the hold fires, a key of flag 2 (backspace and the ten digits) sends its code and
// repeats it every 0.1 s until release; a key of flag 1 sends its code once. The release after a hold sends
// nothing. Faces return 0.1 s after the key acted (at once after a hold). Created by the main controller in
// landscape, which is its delegate. Engine thread only.
#pragma once

#include "app/keyboards/keyboard_model.h"

class NumberKeyboardLand : public CodeKeyboard {
  public:
    static constexpr int kSlots = 19;
    static constexpr int kEqualsSlot = 15;

    explicit NumberKeyboardLand(Platform& platform);
    ~NumberKeyboardLand() override;

    // What slot sends now (the equals key by the landscape category's input mode); -1 out of range.
    int keyCode(int slot, bool shift) const;
    // 0 single press, 1 acts once when held, 2 repeats while held; 0 out of range.
    static int holdFlag(int slot);

    // The landscape category or its input mode changed: repaint (the equals key's face).
    void updateButtons() { Changed(); }

    // "keyboard": "numberPadLand", the shared touch fields, "rpn", and per slot the face with its "hold"
    // flag.
    nlohmann::json describe() const override;

  protected:
    bool StartsHold(int slot) const override { return holdFlag(slot) != 0; }
    void OnRelease(int slot) override;
    void OnHold(int slot) override;
    int CodeOfTouch(int slot) const override;

  private:
    // Reads the code for a key that acts now and lets a latched shift go.
    int TakeCode(int slot);
};
