// What a keyboard tells its owner.
//
// The keyboards turn touches into key codes and hand them on; they never act on a code themselves. The
// main controller is the delegate of the four calculator keyboards; a finance form is the delegate of its
// keypad. Calls arrive on the engine thread, from inside a touch call or a hold/repeat timer of the
// keyboard.
#pragma once

class KeyboardDelegate {
  public:
    virtual ~KeyboardDelegate() = default;

    // A key was pressed (released inside the key, held, or repeated while held): its key code (0..199).
    virtual void pressButtonHasKeycode(int code) = 0;

    // Only the mode keyboard calls this: its strip came to rest on the page of categoryId (an id of the
    // category panel), which becomes the current category.
    virtual void setCurrentMode(int categoryId) { (void)categoryId; }
};

// The finance keypad reports the index of the key pressed (small_keyboard.h lists the indices).
class SmallKeyboardDelegate {
  public:
    virtual ~SmallKeyboardDelegate() = default;
    virtual void pressButtonWithIndex(int index) = 0;
};
