#include "app/keys/static_table_codes.h"

// clang-format off
const int arrKeyCodeButtons[2 * kModePageCount * kModePageSlots] = {
    // unshifted
    169, 23,  24,  25,  26,  27,  28,  29,  30,  31,  32,  43,  44, 45, 46, 47, 48, 49,  // Arithmetic
    169, 23,  50,  51,  52,  53,  54,  55,  56,  57,  58,  59,  44, 45, 46, 47, 48, 49,  // Trigonom
    169, 23,  68,  69,  70,  71,  72,  73,  74,  75,  76,  77,  44, 45, 46, 47, 48, 49,  // Base conversion
    169, 23, 166, 167, 168, 111, 187, 113, 114, 115, 116, 117,  44, 45, 46, 47, 48, 49,  // Finance
    169, 23,  24,  34,  54,  55,  56,  28,  29,  30,  31,  59,  44, 45, 46, 47, 48, 49,  // Graph
    169, 23, 163, 193,  86,  87,  88,  89,  90,  91,  92,  93,  44, 45, 46, 47, 48, 49,  // Statistics
      0,  0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,  0,  0,  0,  0,  0,
    // shifted
    169, 23,  34,  35,  36,  37,  38,  39,  40,  41,  42,  33,  87, 94, 189, 47, 48, 49,
    169, 23,  50,  60,  61,  62,  63,  64,  65,  66,  67, 131,  44, 45, 46, 47, 48, 49,
    169, 23, 137,  78,  79,  37,  80,  81,  82,  83,  84,  85,  44, 45, 46, 47, 48, 49,
    169, 23, 166, 167, 168, 112, 188, 118, 114, 115, 116, 117,  44, 45, 46, 47, 48, 49,
    169, 23,  24,  34,  63,  64,  65,  38,  39,  40,  41, 131,  44, 45, 46, 47, 48, 49,
    169, 23, 163, 193,  33,  94,  95,  96,  97,  98,  99, 100,  44, 45, 46, 47, 48, 49,
      0,  0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,  0,  0,  0,  0,  0,
};

const int arrTypeButtons[kModePageCount * kModePageSlots] = {
    3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    3, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    3, 2, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    3, 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};

const int arrRPNKeyCodeButtons[2 * kRPNPageCount * kModePageSlots] = {
    169, 23,  87, 189, 26, 27, 28, 29, 30, 31, 32,  43, 44, 44, 174, 178, 179, 47,
    169, 23,  50,  51, 52, 53, 54, 55, 56, 57, 58,  59, 44, 44, 174, 178, 179, 47,
    169, 23,  68,  69, 70, 71, 72, 73, 74, 75, 76,  77, 44, 45, 174, 178, 179, 47,
    169, 23,  94,  35, 36, 37, 38, 39, 40, 41, 42,  33, 44, 44, 174, 178, 179, 47,
    169, 23,  50,  60, 61, 62, 63, 64, 65, 66, 67, 131, 44, 44, 174, 178, 179, 47,
    169, 23, 137,  78, 79, 37, 80, 81, 82, 83, 84,  85, 44, 44, 174, 178, 179, 47,
};

const int arrRPNTypeButtons[kModePageCount * kModePageSlots] = {
    3, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0,
    3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0,
    3, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0,
    3, 2, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    3, 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};

const char arrImageTexts[6][kImageTextSlot] = {
    "arithmetic_text.png", "trigonom_text.png", "base_conversation_text.png",
    "finance_text.png",    "graph_text.png",    "statistics_text.png",
};

const char arrRPNImageTexts[6][kImageTextSlot] = {
    "arithmetic_rpn_text.png", "trigonom_rpn_text.png", "base_conversation_rpn_text.png",
    "finance_text.png",        "graph_text.png",        "statistics_text.png",
};

const int arrKeyCodeLargeKeyBoardButtons[2 * kNumPadSlots] = {
     0,  1,  2,  3,   4,
     5,  6,  7,  8, 190,
    10, 11, 12, 13,  14,
    15, 16, 17, 18,  19,
     0,  1,  2,  3,   4,
     5,  6,  7,  8, 191,
    10, 11, 12, 13,  21,
    15, 16, 17, 18,  22,
};

const int arrTypeLageKeyBoardButons[kNumPadSlots] = {
    0, 0, 0, 1, 2,
    0, 0, 0, 1, 1,
    0, 0, 0, 1, 1,
    0, 0, 0, 1, 1,
};

const int arrTextLargeKeyBoard[kNumPadSlots] = {
    7, 8, 9, 15, 19,
    4, 5, 6, 14, 18,
    1, 2, 3, 13, 17,
    0, 10, 11, 12, 16,
};

const int arrLandKeyCodeButtons[2 * kLandPageCount * kLandPageSlots] = {
    23, 44, 45,  46,  24, 25, 26, 190, 27, 28, 29, 14, 30, 31, 32,  43,
    23, 44, 45,  46,  50, 51, 52, 190, 53, 54, 55, 14, 56, 57, 58,  59,
    23, 44, 45,  46,  68, 69, 70, 190, 71, 72, 73, 14, 74, 75, 76,  77,
    23, 87, 94, 189,  34, 35, 36, 191, 37, 38, 39, 21, 40, 41, 42,  33,
    23, 44, 45,  46,  50, 60, 61, 191, 62, 63, 64, 21, 65, 66, 67, 131,
    23, 44, 45,  46, 137, 78, 79, 191, 37, 80, 81, 21, 82, 83, 84,  85,
};

const int arrLandRPNKeyCodeButtons[2 * kLandPageCount * kLandPageSlots] = {
    23, 192, 174, 178,  87, 25, 26, 190, 27, 28, 29, 14, 30, 31, 32,  43,
    23, 192, 174, 178,  50, 51, 52, 190, 53, 54, 55, 14, 56, 57, 58,  59,
    23, 192, 174, 178,  68, 69, 70, 190, 71, 72, 73, 14, 74, 75, 76,  77,
    23, 192, 174, 178,  94, 35, 36, 191, 37, 38, 39, 21, 40, 41, 42,  33,
    23, 192, 174, 178,  50, 60, 61, 191, 62, 63, 64, 21, 65, 66, 67, 131,
    23, 192, 174, 178, 137, 78, 79, 191, 37, 80, 81, 21, 82, 83, 84,  85,
};

const int arrLandTypeButtons[2 * kLandPageCount * kLandPageSlots] = {};
const int arrLandRPNTypeButtons[2 * kLandPageCount * kLandPageSlots] = {};

const char arrLandImageTexts[kLandPageCount][kImageTextSlot] = {
    "Arithmetic_text.png", "Trigonom_text.png", "BaseConversion_text.png",
};

const char arrLandRPNImageTexts[kLandPageCount][kImageTextSlot] = {
    "Arithmetic_RPN_text.png", "Trigonom_RPN_text.png", "BaseConversion_RPN_text.png",
};

const int arrLandKeyCodeLargeKeyBoardButtons[2 * kLandNumPadSlots] = {
    47,  4,  3,  8,
     0,  1,  2, 13,
     5,  6,  7, 18,
    10, 11, 12, 19,
    15, 16, 17,
    47,  4,  3,  8,
     0,  1,  2, 13,
     5,  6,  7, 18,
    10, 11, 12, 19,
    15, 16, 17,
};

const int arrLandTypeLageKeyBoardButons[kLandNumPadSlots] = {
    0, 0, 1, 1,
    2, 2, 2, 1,
    2, 2, 2, 1,
    2, 2, 2, 1,
    2, 2, 2,
};

const int arrLandTAHoldButtonTypesNumkey[kLandNumPadSlots] = {
    2, 0, 0, 0,
    2, 2, 2, 0,
    2, 2, 2, 0,
    2, 2, 2, 0,
    2, 0, 0,
};

const int arrPanelCategories[kPanelCount] = {0, 1, 2, 3, 4, 6, 5, 7, 17, 13, 8, 12};

const char arrPanelItemText[kPanelCount][kPanelTextSlot] = {
    "Arithmetic", "Trigonom", "Constants", " Base Conversion", "Finance", "Currency Converter",
    "  Unit  Converter", "Tip", "Business", "Graph", "Statistics", "Equation Solver",
};

const int arrKeyFunctionList[7] = {120, 119, 121, 122, 123, 124, 125};
const char* const arrKeyFunctionListCaptions[7] = {
    "Differentiation", "Integration", "Evalution", "Root", "Product", "Summation", "Fibonaci",
};

const int arrKeyFunctionList2[10] = {51, 60, 52, 61, 53, 62, 57, 66, 58, 67};
const char* const arrKeyFunctionList2Captions[10] = {
    "sinh", "asinh", "cosh", "acosh", "tanh", "atanh", "csc", "acsc", "sec", "asec",
};

const int arrRPNFunctionList[3] = {87, 94, 189};
const char* const arrRPNFunctionListCaptions[3] = {"nCr", "nPr", "Abs"};

const int arrPDFFunctionList[6] = {195, 196, 199, 197, 194, 198};
const char* const arrPDFFunctionListCaptions[6] = {
    "Binomial PDF", "Gamma PDF", "Gaussian PDF", "Geometric PDF", "Poisson PDF", "Rayleigh PDF",
};

const int arrRPNFStackList[9] = {178, 179, 180, 181, 182, 183, 184, 185, 186};
const char* const arrRPNFStackListCaptions[8] = {"Drop", "Swap", "Depth", "Over", "Roll", "Pick", "Keep", "Last"};
// clang-format on
