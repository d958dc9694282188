#include "app/keys/key_tables.h"

#include <array>
#include <cstring>

#include "app/keys/key_codes.h"
#include "app/keys/static_table_codes.h"
#include "engine/format/group_numbers.h"

namespace {

bool InRange(int v, int lo, int hi) {
    return v >= lo && v < hi;
}

// One row per code with a meaning: up to two inserted objects, up to six words per mode. The rows (and the
// captions below) are the key-code table itself, written by number as it is numbered; the code uses the
// names of keys/key_codes.h.
struct MeaningRow {
    int code;
    const char16_t* insert[2];
    const char* basic[6];
    const char* rpn[6];
    bool appendOperand;
};

// clang-format off
const MeaningRow kMeanings[] = {
    // digits and number entry
    {15, {u"0"}, {"0"}, {"0"}, false},
    {10, {u"1"}, {"1"}, {"1"}, false}, {11, {u"2"}, {"2"}, {"2"}, false}, {12, {u"3"}, {"3"}, {"3"}, false},
    {5, {u"4"}, {"4"}, {"4"}, false},  {6, {u"5"}, {"5"}, {"5"}, false},  {7, {u"6"}, {"6"}, {"6"}, false},
    {0, {u"7"}, {"7"}, {"7"}, false},  {1, {u"8"}, {"8"}, {"8"}, false},  {2, {u"9"}, {"9"}, {"9"}, false},
    {72, {u"A"}, {"A"}, {"A"}, false}, {73, {u"B"}, {"B"}, {"B"}, false}, {74, {u"C"}, {"C"}, {"C"}, false},
    {75, {u"D"}, {"D"}, {"D"}, false}, {76, {u"E"}, {"E"}, {"E"}, false}, {77, {u"F"}, {"F"}, {"F"}, false},
    {16, {}, {".."}, {".."}, false},
    {17, {u"(-"}, {"NEG"}, {"NEG"}, false},
    {47, {}, {".", "0"}, {}, false},
    {4, {}, {".", "0"}, {"."}, false},
    {22, {u"[ans]"}, {}, {}, false},
    {25, {u"i"}, {}, {}, false},
    {34, {u"x"}, {}, {}, false},
    {46, {u","}, {}, {}, false},
    // arithmetic
    {18, {u"+"}, {"+"}, {"+"}, false},
    {13, {u"\u2212"}, {"-"}, {"-"}, false},
    {8, {u"\u00d7"}, {"*"}, {"*"}, false},
    {3, {u"\u00f7"}, {"/"}, {"/"}, false},
    {19, {}, {"="}, {")"}, false},
    {44, {u"("}, {"("}, {}, false},
    {45, {u")"}, {")"}, {}, false},
    {43, {u"%"}, {"%"}, {"%"}, false},
    {33, {u"!"}, {"!"}, {"!"}, false},
    {37, {u" mod "}, {"mod"}, {"MOD"}, false},
    // powers and roots
    {30, {u"^"}, {"^"}, {"^"}, false},
    {31, {u"^", u"2"}, {"^", "2"}, {"^", "2"}, false},
    {32, {u"^", u"3"}, {"^", "3"}, {"^", "3"}, false},
    {38, {u"10", u"^"}, {"10", "^"}, {"10", "^"}, true},
    {39, {u"e", u"^"}, {"2.718281828459045235360", "^"}, {"2.718281828459045235360", "^"}, true},
    {41, {u"2", u"\u221a("}, {"sqrt"}, {"sqrt"}, false},
    {42, {u"3", u"\u221a("}, {"^", "(", "1", "/", "3", ")"}, {"^", "(", "1", "/", "3", ")"}, false},
    {40, {u"\u221a("}, {"iroot"}, {"iroot"}, false},
    {131, {u"1", u"\u00f7"}, {"1", "/"}, {"1", "/"}, true},
    {27, {u"exp"}, {"iexp"}, {"iexp"}, false},
    // logarithms and trigonometry
    {28, {u"log("}, {"log"}, {"log"}, false},
    {29, {u"ln("}, {"ln"}, {"ln"}, false},
    {54, {u"sin("}, {"sin"}, {"sin"}, false},   {55, {u"cos("}, {"cos"}, {"cos"}, false},
    {56, {u"tan("}, {"tan"}, {"tan"}, false},   {63, {u"asin("}, {"asin"}, {"asin"}, false},
    {64, {u"acos("}, {"acos"}, {"acos"}, false}, {65, {u"atan("}, {"atan"}, {"atan"}, false},
    {57, {u"csc("}, {"csc"}, {"csc"}, false},   {58, {u"sec("}, {"sec"}, {"sec"}, false},
    {66, {u"acsc("}, {"acsc"}, {"acsc"}, false}, {67, {u"asec("}, {"asec"}, {"asec"}, false},
    {51, {u"sinh("}, {"sinh"}, {"sinh"}, false}, {52, {u"cosh("}, {"cosh"}, {"cosh"}, false},
    {53, {u"tanh("}, {"tanh"}, {"tanh"}, false}, {60, {u"asinh("}, {"asinh"}, {"asinh"}, false},
    {61, {u"acosh("}, {"acosh"}, {"acosh"}, false}, {62, {u"atanh("}, {"atanh"}, {"atanh"}, false},
    {59, {u"pi"}, {"PI"}, {"PI"}, false},
    // integer and logic
    {26, {u"gcd("}, {}, {"GCD"}, false},
    {36, {u"lcm("}, {}, {"LCM"}, false},
    {35, {u"ran("}, {}, {"RAN"}, false},
    {189, {u"abs("}, {"abs"}, {"abs"}, false},
    {87, {u"ncr("}, {"ncr"}, {"ncr"}, false},
    {94, {u"npr("}, {"npr"}, {"npr"}, false},
    {69, {u" and "}, {"and"}, {"and"}, false},   {78, {u" nand "}, {"nand"}, {"nand"}, false},
    {70, {u" or "}, {"or"}, {"or"}, false},      {79, {u" nor "}, {"nor"}, {"nor"}, false},
    {71, {u" xor "}, {"xor"}, {"xor"}, false},   {80, {u" shl "}, {"shl"}, {"shl"}, false},
    {81, {u" shr "}, {"shr"}, {"shr"}, false},   {82, {u" rtl "}, {"rtl"}, {"rtl"}, false},
    {83, {u" rtr "}, {"rtr"}, {"rtr"}, false},
    {84, {u"not("}, {"not"}, {"not"}, false},
    {85, {u"cpl("}, {"cpl"}, {"cpl"}, false},
    // calculus and series
    {119, {u"\u222b("}, {}, {}, false}, {120, {u"\u03b4("}, {}, {}, false}, {121, {u"\u0192("}, {}, {}, false},
    {122, {u"fnRoot("}, {}, {}, false}, {123, {u"\u220f("}, {}, {}, false}, {124, {u"\u2211("}, {}, {}, false},
    {125, {u"fib("}, {}, {}, false},
    // matrix
    {101, {u"det("}, {}, {}, false},  {102, {u"inv("}, {}, {}, false},   {103, {u"eigv("}, {}, {}, false},
    {104, {u"eigl("}, {}, {}, false}, {105, {u"orth("}, {}, {}, false},  {106, {u"rank("}, {}, {}, false},
    {107, {u"trans("}, {}, {}, false}, {108, {u"diag("}, {}, {}, false}, {109, {u"tri("}, {}, {}, false},
    {110, {u"solve("}, {}, {}, false},
    // finance
    {111, {u"syd("}, {}, {}, false}, {112, {u"sln("}, {}, {}, false},  {113, {u"fv("}, {}, {}, false},
    {114, {u"pv("}, {}, {}, false},  {115, {u"nper("}, {}, {}, false}, {116, {u"pmt("}, {}, {}, false},
    {117, {u"rate("}, {}, {}, false}, {118, {u"db("}, {}, {}, false},  {187, {u"IRR("}, {}, {}, false},
    {188, {u"NPV("}, {}, {}, false},
    // statistics of the data set X
    {86, {u"N(X)"}, {}, {}, false},      {88, {u"sum(X)"}, {}, {}, false}, {95, {u"ssq(X)"}, {}, {}, false},
    {89, {u"sdv(X)"}, {}, {}, false},    {96, {u"ssd(X)"}, {}, {}, false}, {90, {u"avg(X)"}, {}, {}, false},
    {97, {u"median(X)"}, {}, {}, false}, {91, {u"avd(X)"}, {}, {}, false}, {98, {u"md(X)"}, {}, {}, false},
    {92, {u"dsq(X)"}, {}, {}, false},    {99, {u"gm(X)"}, {}, {}, false},  {93, {u"min(X)"}, {}, {}, false},
    {100, {u"max(X)"}, {}, {}, false},
    // distributions
    {194, {u"PoissonPDF("}, {}, {}, false}, {195, {u"BinomialPDF("}, {}, {}, false},
    {196, {u"GammaPDF("}, {}, {}, false},   {197, {u"GeoPDF("}, {}, {}, false},
    {198, {u"RayPDF("}, {}, {}, false},     {199, {u"GausPDF("}, {}, {}, false},
    // RPN stack commands
    {178, {}, {}, {"drop"}, false},  {179, {}, {}, {"swap"}, false}, {180, {}, {}, {"depth"}, false},
    {181, {}, {}, {"over"}, false},  {182, {}, {}, {"roll"}, false}, {183, {}, {}, {"pick"}, false},
    {184, {}, {}, {"keep"}, false},  {185, {}, {}, {"last"}, false}, {186, {}, {}, {"clear"}, false},
    {176, {}, {}, {"undo"}, false},  {177, {}, {}, {"redo"}, false},
};

struct CaptionRow {
    int code;
    const char16_t* caption;
};

const CaptionRow kCaptions[] = {
    {0, u"7"}, {1, u"8"}, {2, u"9"}, {3, u"\u00f7"}, {4, u"C"}, {5, u"4"}, {6, u"5"}, {7, u"6"},
    {8, u"\u00d7"}, {9, u"MS"}, {10, u"1"}, {11, u"2"}, {12, u"3"}, {13, u"\u2212"}, {14, u"MR"},
    {15, u"0"}, {16, u"."}, {17, u"(\u2212)"}, {18, u"+"}, {19, u"="}, {20, u"M\u2192"}, {21, u"MC"},
    {22, u"Ans"}, {23, u"SHIFT"}, {24, u"FUNC"}, {25, u"i"}, {26, u"gcd"}, {27, u"EXP"}, {28, u"log"},
    {29, u"ln"}, {30, u"x\u02b8"}, {31, u"x\u00b2"}, {32, u"x\u00b3"}, {33, u"x!"}, {34, u"x"},
    {35, u"ran"}, {36, u"lcm"}, {37, u"mod"}, {38, u"10\u02e3"}, {39, u"e\u02e3"}, {40, u"\u02b8\u221ax"},
    {41, u"\u221a"}, {42, u"\u221b"}, {43, u"%"}, {44, u"("}, {45, u")"}, {46, u","}, {47, u"DEL"},
    {48, u"\u25c0"}, {49, u"\u25b6"}, {50, u"DRG"}, {51, u"sinh"}, {52, u"cosh"}, {53, u"tanh"},
    {54, u"sin"}, {55, u"cos"}, {56, u"tan"}, {57, u"csc"}, {58, u"sec"}, {59, u"\u03c0"},
    {60, u"asinh"}, {61, u"acosh"}, {62, u"atanh"}, {63, u"asin"}, {64, u"acos"}, {65, u"atan"},
    {66, u"acsc"}, {67, u"asec"}, {68, u"BASE"}, {69, u"and"}, {70, u"or"}, {71, u"xor"},
    {72, u"A"}, {73, u"B"}, {74, u"C"}, {75, u"D"}, {76, u"E"}, {77, u"F"}, {78, u"nand"}, {79, u"nor"},
    {80, u"shl"}, {81, u"shr"}, {82, u"rtl"}, {83, u"rtr"}, {84, u"not"}, {85, u"cpl"}, {86, u"N"},
    {87, u"nCr"}, {88, u"\u03a3x"}, {89, u"sdv"}, {90, u"avg"}, {91, u"avd"}, {92, u"dsq"}, {93, u"min"},
    {94, u"nPr"}, {95, u"\u03a3x\u00b2"}, {96, u"ssd"}, {97, u"median"}, {98, u"md"}, {99, u"gm"},
    {100, u"max"}, {101, u"det"}, {102, u"inv"}, {103, u"eigv"}, {104, u"eigl"}, {105, u"orth"},
    {106, u"rank"}, {107, u"trans"}, {108, u"diag"}, {109, u"tri"}, {110, u"solve"}, {111, u"SYD"},
    {112, u"SLN"}, {113, u"FV"}, {114, u"PV"}, {115, u"NPER"}, {116, u"PMT"}, {117, u"RATE"},
    {118, u"DB"}, {119, u"\u222b"}, {120, u"d/dx"}, {121, u"\u0192(x)"}, {122, u"Root"}, {123, u"\u220f"},
    {124, u"\u2211"}, {125, u"fib"}, {126, u"M1"}, {127, u"M2"}, {128, u"M3"}, {129, u"M4"}, {130, u"M5"},
    {131, u"1/x"}, {133, u"NOTN"}, {134, u"FIX"}, {135, u"NORM"}, {136, u"SCI"}, {137, u"BITS"},
    {138, u"8 bit"}, {139, u"16 bit"}, {140, u"32 bit"}, {141, u"64 bit"}, {142, u"DEG"}, {143, u"RAD"},
    {144, u"GRA"}, {145, u"BIN"}, {146, u"OCT"}, {147, u"DEC"}, {148, u"HEX"}, {149, u"E+"},
    {150, u"E\u2212"}, {151, u"E1"}, {152, u"E2"}, {153, u"E3"}, {154, u"E4"}, {155, u"E5"},
    {156, u"\u25c0\u25c0"}, {157, u"\u25b6\u25b6"}, {158, u"-"}, {159, u"FRAC"}, {160, u"SPC"},
    {161, u"/"}, {163, u"DATA"}, {166, u"TVM"}, {167, u"MORT"}, {168, u"LOAN"}, {169, u"MENU"},
    {170, u"GROUP"}, {171, u"SUB"}, {172, u"ITEM"}, {173, u"INS"}, {174, u"STK"}, {175, u"FUNC"},
    {176, u"UNDO"}, {177, u"REDO"}, {178, u"DROP"}, {179, u"SWAP"}, {180, u"DEPTH"}, {181, u"OVER"},
    {182, u"ROLL"}, {183, u"PICK"}, {184, u"KEEP"}, {185, u"LAST"}, {186, u"CLR"}, {187, u"IRR"},
    {188, u"NPV"}, {189, u"abs"}, {190, u"M+"}, {191, u"M\u2212"}, {192, u"STACK"}, {193, u"PDF"},
    {194, u"Poisson"}, {195, u"Binomial"}, {196, u"Gamma"}, {197, u"Geo"}, {198, u"Rayleigh"},
    {199, u"Gauss"},
};
// clang-format on

const MeaningRow* FindMeaning(int code) {
    for (const MeaningRow& r : kMeanings) {
        if (r.code == code) return &r;
    }
    return nullptr;
}

template <size_t N>
std::vector<std::string> Words(const char* const (&words)[N]) {
    std::vector<std::string> out;
    for (const char* w : words) {
        if (w != nullptr) out.emplace_back(w);
    }
    return out;
}

template <size_t N, size_t M>
KeyList MakeList(const int (&codes)[N], const char* const (&captions)[M]) {
    KeyList list;
    list.codes.assign(codes, codes + N);
    for (const char* c : captions) list.captions.emplace_back(c);
    return list;
}

}  // namespace

int checkIndex(int categoryId) {
    switch (categoryId) {
        case kCatArithmetic:
            return 0;
        case kCatTrigonom:
            return 1;
        case kCatBaseConversion:
            return 2;
        case kCatFinance:
            return 3;
        case kCatGraph:
            return 4;
        case kCatStatistics:
            return 5;
        default:
            return -1;
    }
}

int PortraitKeyCode(int page, int slot, bool shift, bool rpn) {
    if (!InRange(page, 0, kModePageCount) || !InRange(slot, 0, kModePageSlots)) return -1;
    if (rpn && page < kRPNPageCount)
        return arrRPNKeyCodeButtons[((shift ? 1 : 0) * kRPNPageCount + page) * kModePageSlots + slot];
    return arrKeyCodeButtons[((shift ? 1 : 0) * kModePageCount + page) * kModePageSlots + slot];
}

int PortraitKeyType(int page, int slot, bool rpn) {
    if (!InRange(page, 0, kModePageCount) || !InRange(slot, 0, kModePageSlots)) return -1;
    return (rpn ? arrRPNTypeButtons : arrTypeButtons)[page * kModePageSlots + slot];
}

bool IsPortraitSlotCovered(int page, int slot, bool rpn) {
    return slot > 0 && PortraitKeyType(page, slot - 1, rpn) == kButtonDoubleWidth;
}

std::string PortraitImageText(int page, bool rpn) {
    if (!InRange(page, 0, 6)) return {};
    return rpn ? arrRPNImageTexts[page] : arrImageTexts[page];
}

int LandscapePage(int categoryId) {
    if (categoryId == kCatTrigonom) return 1;
    if (categoryId == kCatBaseConversion) return 2;
    return 0;
}

int LandscapeKeyCode(int page, int slot, bool shift, bool rpn) {
    if (!InRange(page, 0, kLandPageCount) || !InRange(slot, 0, kLandPageSlots)) return -1;
    const int* table = rpn ? arrLandRPNKeyCodeButtons : arrLandKeyCodeButtons;
    return table[(page + kLandPageCount * (shift ? 1 : 0)) * kLandPageSlots + slot];
}

std::string LandscapeImageText(int page, bool rpn) {
    if (!InRange(page, 0, kLandPageCount)) return {};
    return rpn ? arrLandRPNImageTexts[page] : arrLandImageTexts[page];
}

int NumberPadKeyCode(int slot, bool shift) {
    if (!InRange(slot, 0, kNumPadSlots)) return -1;
    return arrKeyCodeLargeKeyBoardButtons[(shift ? kNumPadSlots : 0) + slot];
}

int LandscapeNumberPadKeyCode(int slot, bool shift) {
    if (!InRange(slot, 0, kLandNumPadSlots)) return -1;
    return arrLandKeyCodeLargeKeyBoardButtons[(shift ? kLandNumPadSlots : 0) + slot];
}

bool LandscapeNumberPadRepeats(int slot) {
    return InRange(slot, 0, kLandNumPadSlots) && arrLandTAHoldButtonTypesNumkey[slot] == kHoldRepeats;
}

int PanelCategory(int panelIndex) {
    return InRange(panelIndex, 0, kPanelCount) ? arrPanelCategories[panelIndex] : -1;
}

std::string PanelLabel(int panelIndex) {
    if (!InRange(panelIndex, 0, kPanelCount)) return {};
    return std::string(arrPanelItemText[panelIndex], strnlen(arrPanelItemText[panelIndex], kPanelTextSlot));
}

int PanelIndexOfCategory(int categoryId) {
    for (int i = 0; i < kPanelCount; ++i) {
        if (arrPanelCategories[i] == categoryId) return i;
    }
    return -1;
}

KeyList FunctionListForCategory(int categoryId) {
    if (categoryId == kCatArithmetic) return MakeList(arrKeyFunctionList, arrKeyFunctionListCaptions);
    if (categoryId == kCatGraph) return MakeList(arrKeyFunctionList2, arrKeyFunctionList2Captions);
    return {};
}

KeyList RPNFunctionList() {
    return MakeList(arrRPNFunctionList, arrRPNFunctionListCaptions);
}
KeyList PDFFunctionList() {
    return MakeList(arrPDFFunctionList, arrPDFFunctionListCaptions);
}
KeyList RPNFStackList() {
    return MakeList(arrRPNFStackList, arrRPNFStackListCaptions);
}

std::vector<std::u16string> KeyInsertObjects(int code) {
    std::vector<std::u16string> out;
    if (const MeaningRow* r = FindMeaning(code)) {
        for (const char16_t* o : r->insert) {
            if (o != nullptr) out.emplace_back(o);
        }
    }
    return out;
}

std::u16string DecimalKeyText(std::string_view outputMode) {
    if (IsEuropeanOutputMode(outputMode)) return u"\u00b8";
    if (IsEnglishOutputMode(outputMode)) return u".";
    return {};
}

KeyWords KeyCommandWords(int code) {
    const MeaningRow* r = FindMeaning(code);
    if (r == nullptr) return {};
    return KeyWords{Words(r->basic), Words(r->rpn), r->appendOperand};
}

std::u16string_view KeyCaption(int code) {
    for (const CaptionRow& r : kCaptions) {
        if (r.code == code) return r.caption;
    }
    return {};
}

namespace {
KeyFace MakeFace(int code, int shifted) {
    KeyFace face;
    face.code = code;
    face.caption = KeyCaption(code);
    if (shifted != code) {
        face.shiftedCode = shifted;
        face.shiftedCaption = KeyCaption(shifted);
    }
    return face;
}
}  // namespace

KeyFace PortraitKeyFace(int page, int slot, bool rpn) {
    return MakeFace(PortraitKeyCode(page, slot, false, rpn), PortraitKeyCode(page, slot, true, rpn));
}

KeyFace LandscapeKeyFace(int page, int slot, bool rpn) {
    return MakeFace(LandscapeKeyCode(page, slot, false, rpn), LandscapeKeyCode(page, slot, true, rpn));
}
