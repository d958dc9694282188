// The constant tables that place key codes on the keyboard pages, and the category panel.
//
// Data only; the lookups that read them are in keys/key_tables.h. Index formulas:
//   portrait mode keys  arrKeyCodeButtons[(shift * 7 + page) * 18 + slot]
//                       arrRPNKeyCodeButtons[(shift * 3 + page) * 18 + slot]   (pages 0..2 in RPN mode)
//   landscape mode keys arrLandKeyCodeButtons[(page + 3 * shift) * 16 + slot]
//   number pads         arrKeyCodeLargeKeyBoardButtons[shift * 20 + slot],
//                       arrLandKeyCodeLargeKeyBoardButtons[shift * 19 + slot]
// Button types: 0 ordinary, 1 function list, 2 shift, 3 menu, 4 double width (covers the next slot too).
#pragma once

// The button types of the type tables.
enum ButtonType : int {
    kButtonOrdinary = 0,
    kButtonFunctionList = 1,
    kButtonShift = 2,
    kButtonMenu = 3,
    kButtonDoubleWidth = 4,  // covers its own slot and the next one
};
// arrLandTAHoldButtonTypesNumkey: a key that repeats while held (0: a single press).
constexpr int kHoldRepeats = 2;

constexpr int kModePageCount = 7;   // portrait pages; page 6 carries no keys
constexpr int kModePageSlots = 18;  // 3 rows of 6
constexpr int kRPNPageCount = 3;
constexpr int kLandPageCount = 3;  // Arithmetic, Trigonom, Base conversion
constexpr int kLandPageSlots = 16;
constexpr int kNumPadSlots = 20;
constexpr int kLandNumPadSlots = 19;
constexpr int kPanelCount = 12;
constexpr int kPanelTextSlot = 100;
constexpr int kImageTextSlot = 255;

extern const int arrKeyCodeButtons[2 * kModePageCount * kModePageSlots];
extern const int arrTypeButtons[kModePageCount * kModePageSlots];
extern const int arrRPNKeyCodeButtons[2 * kRPNPageCount * kModePageSlots];
extern const int arrRPNTypeButtons[kModePageCount * kModePageSlots];
extern const char arrImageTexts[6][kImageTextSlot];
extern const char arrRPNImageTexts[6][kImageTextSlot];

extern const int arrKeyCodeLargeKeyBoardButtons[2 * kNumPadSlots];
extern const int arrTypeLageKeyBoardButons[kNumPadSlots];
extern const int arrTextLargeKeyBoard[kNumPadSlots];

extern const int arrLandKeyCodeButtons[2 * kLandPageCount * kLandPageSlots];
extern const int arrLandRPNKeyCodeButtons[2 * kLandPageCount * kLandPageSlots];
extern const int arrLandTypeButtons[2 * kLandPageCount * kLandPageSlots];
extern const int arrLandRPNTypeButtons[2 * kLandPageCount * kLandPageSlots];
extern const char arrLandImageTexts[kLandPageCount][kImageTextSlot];
extern const char arrLandRPNImageTexts[kLandPageCount][kImageTextSlot];

extern const int arrLandKeyCodeLargeKeyBoardButtons[2 * kLandNumPadSlots];
extern const int arrLandTypeLageKeyBoardButons[kLandNumPadSlots];
extern const int arrLandTAHoldButtonTypesNumkey[kLandNumPadSlots];

extern const int arrPanelCategories[kPanelCount];
extern const char arrPanelItemText[kPanelCount][kPanelTextSlot];

// Pop-up lists: the codes sent when an entry is chosen, and the captions shown (arrRPNFStackList has nine
// codes but eight captions; its last code has no entry in the list).
extern const int arrKeyFunctionList[7];
extern const char* const arrKeyFunctionListCaptions[7];
extern const int arrKeyFunctionList2[10];
extern const char* const arrKeyFunctionList2Captions[10];
extern const int arrRPNFunctionList[3];
extern const char* const arrRPNFunctionListCaptions[3];
extern const int arrPDFFunctionList[6];
extern const char* const arrPDFFunctionListCaptions[6];
extern const int arrRPNFStackList[9];
extern const char* const arrRPNFStackListCaptions[8];
