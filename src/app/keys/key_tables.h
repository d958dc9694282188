// Reading the key tables, and what each key code means.
//
// Key codes (0..199) are the only currency between keyboards, main controller and display. A code has up
// to three meanings by the input mode of the current category: the display objects it inserts in string
// mode, and the command words it sends in basic and in RPN mode. Codes that only the main controller or
// the dispatcher handle (menus, lists, memory, caret, mode changes, delete and clear) have neither.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Keyboard page of a category id: 0->0, 1->1, 3->2, 4->3, 13->4, 8->5; -1 (no mode keyboard) otherwise.
int checkIndex(int categoryId);

// Code of a portrait mode key; shift is the shifted block. The RPN table is used for pages 0..2 when rpn
// is set (the caller asks whether the category owning the page, id 0, 1 or 3, is in RPN mode). -1 for a
// page outside 0..6 or a slot outside 0..17.
int PortraitKeyCode(int page, int slot, bool shift, bool rpn);
// Button type of a portrait slot (0 ordinary, 1 function list, 2 shift, 3 menu, 4 double width); -1 when
// out of range.
int PortraitKeyType(int page, int slot, bool rpn);
// True for the slot right of a double-width key: it has no key of its own and its code is never read.
bool IsPortraitSlotCovered(int page, int slot, bool rpn);
// Caption image of a portrait page (empty for page 6 or out of range).
std::string PortraitImageText(int page, bool rpn);

// Landscape page of a category id: 0->0, 1->1, 3->2, anything else 0.
int LandscapePage(int categoryId);
// Code of a landscape mode key, page 0..2, slot 0..15; -1 when out of range.
int LandscapeKeyCode(int page, int slot, bool shift, bool rpn);
std::string LandscapeImageText(int page, bool rpn);

// Number pads: portrait slot 0..19, landscape slot 0..18; -1 when out of range.
int NumberPadKeyCode(int slot, bool shift);
int LandscapeNumberPadKeyCode(int slot, bool shift);
// Landscape number pad: true for the keys that repeat while held (backspace and the ten digits).
bool LandscapeNumberPadRepeats(int slot);

// Panel: category id and label of panel index 0..11 (-1 / empty when out of range); the panel index that
// carries a category id (-1 when none does).
int PanelCategory(int panelIndex);
std::string PanelLabel(int panelIndex);
int PanelIndexOfCategory(int categoryId);

// A pop-up list: the codes sent for its entries and the captions it shows.
struct KeyList {
    std::vector<int> codes;
    std::vector<std::string> captions;
};
// The function list that key 24 opens in a category: category 0 gives arrKeyFunctionList, 13 gives
// arrKeyFunctionList2, every other category an empty list.
KeyList FunctionListForCategory(int categoryId);
KeyList RPNFunctionList();  // key 175
KeyList PDFFunctionList();  // key 193
KeyList RPNFStackList();    // key 174

// String-mode insertion of a code: the display objects it inserts, in order (most codes insert one; 31,
// 32, 38, 39, 41, 42 and 131 insert two). Empty for codes without an insertion, and for 16, whose
// object depends on the output format (DecimalKeyText).
std::vector<std::u16string> KeyInsertObjects(int code);

// The object of the decimal key (16): U+00B8 for "European", "." for "English (US)"/"English (UK)"
// (compared without case), nothing for any other format.
std::u16string DecimalKeyText(std::string_view outputMode);

// Command words of a code in basic and RPN mode. When appendOperand is set the dispatcher sends the
// current operand's text after the words (10^x, e^x, 1/x). Empty lists where the mode gives the code no
// word; in RPN mode 44/45 (ENTER), 47 (backspace on the entry) and 16/17 edit the entry instead.
struct KeyWords {
    std::vector<std::string> basic;
    std::vector<std::string> rpn;
    bool appendOperand = false;
};
KeyWords KeyCommandWords(int code);

// Short caption of a key face (UTF-16): "sin", "x²", "nCr", "M+"... Empty for unassigned codes.
std::u16string_view KeyCaption(int code);

// The two captions of a portrait key: its own, and its shifted function's when that differs (drawn small
// above it); shifted is empty when both blocks hold the same code.
struct KeyFace {
    int code = -1;
    int shiftedCode = -1;
    std::u16string_view caption;
    std::u16string_view shiftedCaption;
};
KeyFace PortraitKeyFace(int page, int slot, bool rpn);
KeyFace LandscapeKeyFace(int page, int slot, bool rpn);
