#include "app/keys/key_tables.h"

#include <gtest/gtest.h>

#include <set>

#include "app/keys/static_table_codes.h"

TEST(KeyTables, PortraitLookups) {
    struct Row {
        int page, slot;
        bool shift, rpn;
        int code;
    };
    const Row rows[] = {
        {0, 0, false, false, 169}, {0, 2, false, false, 24},  {0, 17, false, false, 49},
        {0, 2, true, false, 34},   {0, 12, true, false, 87},  {0, 14, true, false, 189},
        {1, 6, false, false, 54},  {1, 6, true, false, 63},   {1, 11, true, false, 131},
        {2, 2, true, false, 137},  {2, 5, true, false, 37},   {3, 5, false, false, 111},
        {3, 5, true, false, 112},  {3, 6, true, false, 188},  {4, 4, true, false, 63},
        {5, 3, false, false, 193}, {5, 4, true, false, 33},   {5, 17, true, false, 49},
        {6, 5, false, false, 0},   {6, 5, true, false, 0},  // the page without keys
        {0, 2, false, true, 87},   {0, 2, true, true, 94},    {0, 14, false, true, 174},
        {1, 16, true, true, 179},  {2, 13, false, true, 45},  {2, 13, true, true, 44},
        {3, 5, false, true, 111},  // pages above 2 have no RPN layout
        {7, 0, false, false, -1},  {0, 18, false, false, -1}, {-1, 0, false, true, -1},
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
            if (PortraitKeyType(page, slot, true) != 4) continue;
            EXPECT_LT(slot, kModePageSlots - 1);
            EXPECT_EQ(PortraitKeyCode(page, slot, false, true), 44);
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
        {0, 0, false, false, 23},  {0, 7, false, false, 190},
        {0, 7, true, false, 191},  {0, 4, false, false, 24},
        {0, 4, true, false, 34},   {1, 4, false, false, 50},
        {1, 15, true, false, 131}, {3, 4, true, false, 137},
        {3, 11, false, false, 14}, {3, 11, true, false, 21},
        {0, 1, false, true, 192},  {0, 3, true, true, 178},
        {0, 4, false, true, 87},   {0, 4, true, true, 94},
        {1, 4, false, true, 50},   {3, 2, true, true, 174},
        {3, 4, true, true, 137},   {5, 4, false, false, 24},  // unknown category: Arithmetic page
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
    const int unshifted[20] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 190, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    for (int s = 0; s < 20; ++s) {
        EXPECT_EQ(NumberPadKeyCode(s, false), unshifted[s]) << s;
        int shifted = s == 9 ? 191 : s == 14 ? 21 : s == 19 ? 22 : unshifted[s];
        EXPECT_EQ(NumberPadKeyCode(s, true), shifted) << s;
    }
    EXPECT_EQ(NumberPadKeyCode(20, false), -1);
    EXPECT_EQ(LandscapeNumberPadKeyCode(15, false), 19);  // the equals key
    EXPECT_EQ(LandscapeNumberPadKeyCode(18, true), 17);
    EXPECT_EQ(LandscapeNumberPadKeyCode(19, false), -1);
    std::set<int> repeating;
    for (int s = 0; s < 19; ++s) {
        if (LandscapeNumberPadRepeats(s)) repeating.insert(LandscapeNumberPadKeyCode(s, false));
    }
    EXPECT_EQ(repeating, (std::set<int>{47, 0, 1, 2, 5, 6, 7, 10, 11, 12, 15}));  // backspace and the digits
}

TEST(KeyTables, InsertTextsAndWords) {
    struct Row {
        int code;
        std::vector<std::u16string> insert;
        std::vector<std::string> basic, rpn;
        bool operand;
    };
    const Row rows[] = {
        {15, {u"0"}, {"0"}, {"0"}, false},
        {1, {u"8"}, {"8"}, {"8"}, false},
        {77, {u"F"}, {"F"}, {"F"}, false},
        {13, {u"\u2212"}, {"-"}, {"-"}, false},
        {37, {u" mod "}, {"mod"}, {"MOD"}, false},
        {41, {u"2", u"\u221a("}, {"sqrt"}, {"sqrt"}, false},
        {42, {u"3", u"\u221a("}, {"^", "(", "1", "/", "3", ")"}, {"^", "(", "1", "/", "3", ")"}, false},
        {39, {u"e", u"^"}, {"2.718281828459045235360", "^"}, {"2.718281828459045235360", "^"}, true},
        {131, {u"1", u"\u00f7"}, {"1", "/"}, {"1", "/"}, true},
        {26, {u"gcd("}, {}, {"GCD"}, false},
        {59, {u"pi"}, {"PI"}, {"PI"}, false},
        {119, {u"\u222b("}, {}, {}, false},
        {124, {u"\u2211("}, {}, {}, false},
        {199, {u"GausPDF("}, {}, {}, false},
        {22, {u"[ans]"}, {}, {}, false},
        {47, {}, {".", "0"}, {}, false},
        {4, {}, {".", "0"}, {"."}, false},
        {19, {}, {"="}, {")"}, false},
        {180, {}, {}, {"depth"}, false},
        {16, {}, {".."}, {".."}, false},
        {23, {}, {}, {}, false},
        {132, {}, {}, {}, false},
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
    KeyList f = FunctionListForCategory(0);
    EXPECT_EQ(f.codes, (std::vector<int>{120, 119, 121, 122, 123, 124, 125}));
    EXPECT_EQ(f.captions.at(2), "Evalution");
    EXPECT_EQ(FunctionListForCategory(13).codes.at(1), 60);
    EXPECT_TRUE(FunctionListForCategory(1).codes.empty());
    EXPECT_EQ(PDFFunctionList().codes, (std::vector<int>{195, 196, 199, 197, 194, 198}));
    KeyList stack = RPNFStackList();
    EXPECT_EQ(stack.codes.size(), 9u);
    EXPECT_EQ(stack.captions.size(), 8u);
    EXPECT_EQ(stack.codes.at(2), 180);
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
