#include "app/keys/key_tables.h"

#include <gtest/gtest.h>

#include <set>

#include "app/keys/key_codes.h"
#include "app/keys/static_table_codes.h"

TEST(KeyTables, PortraitLookups) {
    struct Row {
        int page, slot;
        bool shift, rpn;
        int code;
    };
    const Row rows[] = {
        {0, 0, false, false, kKeyMenu},
        {0, 2, false, false, kKeyFunctionList},
        {0, 17, false, false, kKeyCaretRight},
        {0, 2, true, false, kKeyVariable},
        {0, 12, true, false, kKeyNcr},
        {0, 14, true, false, kKeyAbs},
        {1, 6, false, false, kKeySin},
        {1, 6, true, false, kKeyAsin},
        {1, 11, true, false, kKeyReciprocal},
        {2, 2, true, false, kKeyWidthCycle},
        {2, 5, true, false, kKeyMod},
        {3, 5, false, false, kKeySyd},
        {3, 5, true, false, kKeySln},
        {3, 6, true, false, kKeyNpv},
        {4, 4, true, false, kKeyAsin},
        {5, 3, false, false, kKeyDistributionList},
        {5, 4, true, false, kKeyFactorial},
        {5, 17, true, false, kKeyCaretRight},
        {6, 5, false, false, 0},
        {6, 5, true, false, 0},  // the page without keys
        {0, 2, false, true, kKeyNcr},
        {0, 2, true, true, kKeyNpr},
        {0, 14, false, true, kKeyRpnStackList},
        {1, 16, true, true, kKeyRpnSwap},
        {2, 13, false, true, kKeyCloseParen},
        {2, 13, true, true, kKeyOpenParen},
        {3, 5, false, true, kKeySyd},  // pages above 2 have no RPN layout
        {7, 0, false, false, -1},
        {0, 18, false, false, -1},
        {-1, 0, false, true, -1},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(PortraitKeyCode(r.page, r.slot, r.shift, r.rpn), r.code)
            << "page " << r.page << " slot " << r.slot << " shift " << r.shift << " rpn " << r.rpn;
    }
}

TEST(KeyTables, ButtonTypesAndDoubleWidthSlots) {
    struct Row {
        int page, slot;
        bool rpn;
        int type;
        bool covered;
    };
    const Row rows[] = {
        {0, 0, false, 3, false}, {0, 1, false, 2, false}, {0, 2, false, 1, false}, {0, 12, false, 0, false},
        {2, 2, false, 0, false}, {3, 4, false, 1, false}, {5, 3, false, 1, false}, {5, 4, false, 0, false},
        {0, 12, true, 4, false}, {0, 13, true, 0, true},  {1, 2, true, 1, false},  {0, 2, true, 0, false},
        {2, 13, true, 0, true},  {3, 12, true, 0, false}, {3, 4, true, 1, false},  {6, 0, true, 0, false},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(PortraitKeyType(r.page, r.slot, r.rpn), r.type)
            << r.page << "/" << r.slot << " rpn " << r.rpn;
        EXPECT_EQ(IsPortraitSlotCovered(r.page, r.slot, r.rpn), r.covered) << r.page << "/" << r.slot;
    }
    // Every double-width key sits where the next slot exists and carries ENTER.
    for (int page = 0; page < kModePageCount; ++page) {
        for (int slot = 0; slot < kModePageSlots; ++slot) {
            if (PortraitKeyType(page, slot, true) != kButtonDoubleWidth) continue;
            EXPECT_LT(slot, kModePageSlots - 1);
            EXPECT_EQ(PortraitKeyCode(page, slot, false, true), kKeyEnter);
        }
    }
}

TEST(KeyTables, CheckIndexAndPanel) {
    const int expectedPage[18] = {0, 1, -1, 2, 3, -1, -1, -1, 5, -1, -1, -1, -1, 4, -1, -1, -1, -1};
    for (int id = 0; id < 18; ++id) EXPECT_EQ(checkIndex(id), expectedPage[id]) << "id " << id;
    EXPECT_EQ(checkIndex(200), -1);
    EXPECT_EQ(checkIndex(-1), -1);
    const char* labels[12] = {
        "Arithmetic",         "Trigonom",          "Constants", " Base Conversion", "Finance",
        "Currency Converter", "  Unit  Converter", "Tip",       "Business",         "Graph",
        "Statistics",         "Equation Solver"};
    const int ids[12] = {0, 1, 2, 3, 4, 6, 5, 7, 17, 13, 8, 12};
    const int pages[12] = {0, 1, -1, 2, 3, -1, -1, -1, -1, 4, 5, -1};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(PanelLabel(i), labels[i]) << i;
        EXPECT_EQ(PanelCategory(i), ids[i]) << i;
        EXPECT_EQ(checkIndex(PanelCategory(i)), pages[i]) << i;
        EXPECT_EQ(PanelIndexOfCategory(ids[i]), i);
    }
    EXPECT_EQ(PanelIndexOfCategory(9), -1);
    EXPECT_EQ(PanelLabel(12), "");
}

TEST(KeyTables, LandscapeLookups) {
    struct Row {
        int category, slot;
        bool shift, rpn;
        int code;
    };
    const Row rows[] = {
        {0, 0, false, false, kKeyShift},
        {0, 7, false, false, kKeyMemoryAdd},
        {0, 7, true, false, kKeyMemorySubtract},
        {0, 4, false, false, kKeyFunctionList},
        {0, 4, true, false, kKeyVariable},
        {1, 4, false, false, kKeyAngleCycle},
        {1, 15, true, false, kKeyReciprocal},
        {3, 4, true, false, kKeyWidthCycle},
        {3, 11, false, false, kKeyMemoryRecall},
        {3, 11, true, false, kKeyMemoryClear},
        {0, 1, false, true, kKeyOpenRpnStack},
        {0, 3, true, true, kKeyRpnDrop},
        {0, 4, false, true, kKeyNcr},
        {0, 4, true, true, kKeyNpr},
        {1, 4, false, true, kKeyAngleCycle},
        {3, 2, true, true, kKeyRpnStackList},
        {3, 4, true, true, kKeyWidthCycle},
        {5, 4, false, false, kKeyFunctionList},  // unknown category: Arithmetic page
        {0, 16, false, false, -1},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(LandscapeKeyCode(LandscapePage(r.category), r.slot, r.shift, r.rpn), r.code)
            << "category " << r.category << " slot " << r.slot << " shift " << r.shift << " rpn " << r.rpn;
    }
    // RPN tables differ from the others only in slots 1..4.
    for (int block = 0; block < 6; ++block) {
        for (int slot = 5; slot < 16; ++slot) {
            EXPECT_EQ(arrLandRPNKeyCodeButtons[block * 16 + slot], arrLandKeyCodeButtons[block * 16 + slot]);
        }
    }
    EXPECT_EQ(LandscapeImageText(2, true), "BaseConversion_RPN_text.png");
    EXPECT_EQ(PortraitImageText(2, false), "base_conversation_text.png");
    EXPECT_EQ(PortraitImageText(3, true), "finance_text.png");
    EXPECT_EQ(PortraitImageText(6, false), "");
}

TEST(KeyTables, NumberPads) {
    const int unshifted[20] = {kKey7, kKey8,       kKey9,          kKeyDivide, kKeyClear,
                               kKey4, kKey5,       kKey6,          kKeyTimes,  kKeyMemoryAdd,
                               kKey1, kKey2,       kKey3,          kKeyMinus,  kKeyMemoryRecall,
                               kKey0, kKeyDecimal, kKeyChangeSign, kKeyPlus,   kKeyEquals};
    for (int s = 0; s < 20; ++s) {
        EXPECT_EQ(NumberPadKeyCode(s, false), unshifted[s]) << s;
        int shifted = s == 9    ? kKeyMemorySubtract
                      : s == 14 ? kKeyMemoryClear
                      : s == 19 ? kKeyAnswer
                                : unshifted[s];
        EXPECT_EQ(NumberPadKeyCode(s, true), shifted) << s;
    }
    EXPECT_EQ(NumberPadKeyCode(20, false), -1);
    EXPECT_EQ(LandscapeNumberPadKeyCode(15, false), kKeyEquals);
    EXPECT_EQ(LandscapeNumberPadKeyCode(18, true), kKeyChangeSign);
    EXPECT_EQ(LandscapeNumberPadKeyCode(19, false), -1);
    std::set<int> repeating;
    for (int s = 0; s < 19; ++s) {
        if (LandscapeNumberPadRepeats(s)) repeating.insert(LandscapeNumberPadKeyCode(s, false));
    }
    EXPECT_EQ(repeating, (std::set<int>{kKeyDelete, kKey7, kKey8, kKey9, kKey4, kKey5, kKey6, kKey1, kKey2,
                                        kKey3, kKey0}));  // backspace and the digits
}

TEST(KeyTables, InsertTextsAndWords) {
    struct Row {
        int code;
        std::vector<std::u16string> insert;
        std::vector<std::string> basic, rpn;
        bool operand;
    };
    const Row rows[] = {
        {kKey0, {u"0"}, {"0"}, {"0"}, false},
        {kKey8, {u"8"}, {"8"}, {"8"}, false},
        {kKeyHexF, {u"F"}, {"F"}, {"F"}, false},
        {kKeyMinus, {u"\u2212"}, {"-"}, {"-"}, false},
        {kKeyMod, {u" mod "}, {"mod"}, {"MOD"}, false},
        {kKeySquareRoot, {u"2", u"\u221a("}, {"sqrt"}, {"sqrt"}, false},
        {kKeyCubeRoot,
         {u"3", u"\u221a("},
         {"^", "(", "1", "/", "3", ")"},
         {"^", "(", "1", "/", "3", ")"},
         false},
        {kKeyExpPower,
         {u"e", u"^"},
         {"2.718281828459045235360", "^"},
         {"2.718281828459045235360", "^"},
         true},
        {kKeyReciprocal, {u"1", u"\u00f7"}, {"1", "/"}, {"1", "/"}, true},
        {kKeyGcd, {u"gcd("}, {}, {"GCD"}, false},
        {kKeyPi, {u"pi"}, {"PI"}, {"PI"}, false},
        {kKeyIntegral, {u"\u222b("}, {}, {}, false},
        {kKeySummation, {u"\u2211("}, {}, {}, false},
        {kKeyGaussianPdf, {u"GausPDF("}, {}, {}, false},
        {kKeyAnswer, {u"[ans]"}, {}, {}, false},
        {kKeyDelete, {}, {".", "0"}, {}, false},
        {kKeyClear, {}, {".", "0"}, {"."}, false},
        {kKeyEquals, {}, {"="}, {")"}, false},
        {kKeyRpnDepth, {}, {}, {"depth"}, false},
        {kKeyDecimal, {}, {".."}, {".."}, false},
        {kKeyShift, {}, {}, {}, false},
        {132, {}, {}, {}, false},  // no key
    };
    for (const Row& r : rows) {
        EXPECT_EQ(KeyInsertObjects(r.code), r.insert) << "code " << r.code;
        KeyWords w = KeyCommandWords(r.code);
        EXPECT_EQ(w.basic, r.basic) << "code " << r.code;
        EXPECT_EQ(w.rpn, r.rpn) << "code " << r.code;
        EXPECT_EQ(w.appendOperand, r.operand) << "code " << r.code;
    }
    EXPECT_EQ(DecimalKeyText("European"), u"\u00b8");
    EXPECT_EQ(DecimalKeyText("english (uk)"), u".");
    EXPECT_EQ(DecimalKeyText("Other"), u"");
}

TEST(KeyTables, PopUpLists) {
    KeyList f = FunctionListForCategory(kCatArithmetic);
    EXPECT_EQ(f.codes, (std::vector<int>{kKeyDerivative, kKeyIntegral, kKeyEvaluation, kKeyFnRoot,
                                         kKeyProduct, kKeySummation, kKeyFibonacci}));
    EXPECT_EQ(f.captions.at(2), "Evalution");
    EXPECT_EQ(FunctionListForCategory(kCatGraph).codes.at(1), kKeyAsinh);
    EXPECT_TRUE(FunctionListForCategory(kCatTrigonom).codes.empty());
    EXPECT_EQ(PDFFunctionList().codes, (std::vector<int>{kKeyBinomialPdf, kKeyGammaPdf, kKeyGaussianPdf,
                                                         kKeyGeometricPdf, kKeyPoissonPdf, kKeyRayleighPdf}));
    KeyList stack = RPNFStackList();
    EXPECT_EQ(stack.codes.size(), 9u);
    EXPECT_EQ(stack.captions.size(), 8u);
    EXPECT_EQ(stack.codes.at(2), kKeyRpnDepth);
    EXPECT_EQ(stack.captions.at(2), "Depth");
    EXPECT_EQ(RPNFunctionList().captions.at(2), "Abs");
}

TEST(KeyTables, EveryKeyOnEveryKeyboardHasACaptionAndBothFaces) {
    std::set<int> codes;
    for (int v : arrKeyCodeButtons) codes.insert(v);
    for (int v : arrRPNKeyCodeButtons) codes.insert(v);
    for (int v : arrLandKeyCodeButtons) codes.insert(v);
    for (int v : arrLandRPNKeyCodeButtons) codes.insert(v);
    for (int v : arrKeyCodeLargeKeyBoardButtons) codes.insert(v);
    for (int v : arrLandKeyCodeLargeKeyBoardButtons) codes.insert(v);
    for (int v : arrKeyFunctionList) codes.insert(v);
    for (int v : arrPDFFunctionList) codes.insert(v);
    for (int c : codes) EXPECT_FALSE(KeyCaption(c).empty()) << "code " << c;
    KeyFace sin = PortraitKeyFace(1, 6, false);
    EXPECT_EQ(sin.caption, u"sin");
    EXPECT_EQ(sin.shiftedCaption, u"asin");
    KeyFace del = PortraitKeyFace(0, 15, false);
    EXPECT_EQ(del.caption, u"DEL");
    EXPECT_TRUE(del.shiftedCaption.empty());
    EXPECT_EQ(PortraitKeyFace(0, 9, false).shiftedCaption, u"\u221a");
    EXPECT_EQ(LandscapeKeyFace(0, 7, false).shiftedCaption, u"M\u2212");
}
