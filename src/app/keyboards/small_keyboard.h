// The finance keypad of the loan, mortgage and time-value-of-money forms: 17 keys that report their index
// to the form (SmallKeyboardDelegate::pressButtonWithIndex) when released. The click plays on touch-down
// (when g_bSound is set); there is no hold or repeat; faces return 0.1 s after the key acted.
//
// Indices 0..13 are the ones the forms have always taken; 14..16 add editing and moving between fields:
//
//   index  caption  the form ...
//   0      "Calc"   computes the missing value (the keypad's done key)
//   1      "C"      clears the focused box (inserts "D")
//   2..10  "1".."9" appends the digit index - 1
//   11     "0"      appends 0
//   12     "."      appends the decimal point (once)
//   13     "±"      toggles the leading "-" (inserts "-")
//   14     "⌫"      removes the last character of the focused box
//   15     "Prev"   moves the focus to the previous box
//   16     "Next"   moves the focus to the next box
//
// Layout, four columns, rows top to bottom (index in brackets):
//
//   7 [8]   8 [9]   9 [10]  ⌫ [14]
//   4 [5]   5 [6]   6 [7]   C [1]
//   1 [2]   2 [3]   3 [4]   ± [13]
//   0 [11]  . [12]  Prev [15]  Next [16]
//   Calc [0] across all four columns
//
// Engine thread only.
#pragma once

#include <string>

#include "app/keyboards/keyboard_model.h"

class SmallKeyboard : public KeyboardModel {
  public:
    static constexpr int kCalculate = 0;
    static constexpr int kClear = 1;
    static constexpr int kDigit1 = 2;  // digits 1..9 are indices 2..10
    static constexpr int kDigit0 = 11;
    static constexpr int kPoint = 12;
    static constexpr int kSign = 13;
    static constexpr int kBackspace = 14;
    static constexpr int kPreviousField = 15;
    static constexpr int kNextField = 16;
    static constexpr int kKeyCount = 17;
    static constexpr int kColumns = 4;
    static constexpr int kRows = 5;

    explicit SmallKeyboard(Platform& platform);
    ~SmallKeyboard() override;

    // The form that gets the indices (not owned, may be null).
    void setDelegate(SmallKeyboardDelegate* delegate) { m_delegate = delegate; }

    // The caption of a key (UTF-8), empty out of range.
    static std::string caption(int index);
    // The text a form's insertText takes for the key: "D" (clear), "0".."9", ".", "-" (sign); empty for
    // the keys that are commands of the form (calculate, backspace, previous and next field).
    static std::string insertText(int index);
    // Where the key sits: row 0..4, column 0..3, width in columns.
    struct Place {
        int row;
        int column;
        int span;
    };
    static Place place(int index);

    // "keyboard": "finance", the shared touch fields ("pressedCode" is the touched index) and per key
    // "slot" (the index), "caption", "text", "row", "column", "span", "pressed".
    nlohmann::json describe() const override;

  protected:
    void OnRelease(int slot) override;
    int CodeOfTouch(int slot) const override { return slot; }

  private:
    SmallKeyboardDelegate* m_delegate = nullptr;
};
