// The desktop's keyboard and clipboard: which key code a typed character or a named key sends, and how
// pasted text enters the calculator. The GUI only forwards its key events here, so that a headless run
// (orvcalc --keys "type:..." / "paste:...") does exactly what typing in the window does.
#pragma once

#include <string>

class OrvaneViewController;

// Keys of a desktop keyboard that carry no character of their own.
enum class DesktopKey { Enter, Backspace, Delete, Left, Right, Home, End, Escape };

// The key code a typed character sends in the current category and input mode, or -1 (kKeyNone) for a
// character the calculator has no key for: digits, "." and "," (the decimal key), + - * / ^ ( ) = % !,
// "×" and "÷", "i", "x"; the letters a-f (either case) only in the Base Conversion category.
int KeyCodeOfCharacter(char32_t c, const OrvaneViewController& controller);
// The key code of a named key: Enter is "=" (ENTER in RPN mode), Backspace and Delete the delete key,
// Left/Right the caret keys, Home/End ten objects left/right, Escape the clear key.
int KeyCodeOfNamedKey(DesktopKey key, const OrvaneViewController& controller);
// Ctrl+Z / Ctrl+Y: undo / redo of the RPN stack in RPN mode; -1 in other modes.
int UndoKeyCode(bool redo, const OrvaneViewController& controller);

// Types text as if each character's key were pressed (characters without a key are skipped). Returns the
// number of keys sent.
int TypeText(OrvaneViewController& controller, const std::u16string& text);

// Pastes text (surrounding white space ignored): in string mode it is inserted at the caret through the
// input line's insertion rules; in basic and RPN mode it is typed key by key and must consist of
// characters that have keys. Text that cannot be taken as a whole changes nothing and shows the alert
// "Paste" / "The clipboard text cannot be put into the input line." with "OK". Returns true when taken.
bool PasteText(OrvaneViewController& controller, const std::u16string& text);

// What Ctrl+C copies: the result line when it shows something, else the input line's text.
std::u16string CopyText(const OrvaneViewController& controller);
