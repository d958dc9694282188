// Key codes and category ids by name.
//
// A key code (0..199) names one key, one list entry or one display command; it is the only currency between
// the keyboards, the main controller and the display. The numbers are fixed: they are stored in files (the
// display state keeps its angle, base, width and notation as key codes), posted as decimal text in
// notifications and laid out in the keyboard tables (keys/static_table_codes.h), which stay numeric data.
//
// Plain `constexpr int`s rather than a scoped enum: codes travel as ints through the tables, the files, the
// notification texts and the delegates, they are compared with -1 ("no key"), and the display-state codes are
// shared with the engine's result formatter (kAngleDeg, kRadixHex, kNotationSci ... in
// engine/format/result_format.h), which takes ints. An enum class would need a cast at every one of those
// seams and buy no safety there.
#pragma once

#include "engine/format/result_format.h"

// ---- digits and number entry ---------------------------------------------------------------------------
constexpr int kKey7 = 0;
constexpr int kKey8 = 1;
constexpr int kKey9 = 2;
constexpr int kKey4 = 5;
constexpr int kKey5 = 6;
constexpr int kKey6 = 7;
constexpr int kKey1 = 10;
constexpr int kKey2 = 11;
constexpr int kKey3 = 12;
constexpr int kKey0 = 15;
constexpr int kKeyHexA = 72;  // hexadecimal digits A..F are 72..77
constexpr int kKeyHexB = 73;
constexpr int kKeyHexC = 74;
constexpr int kKeyHexD = 75;
constexpr int kKeyHexE = 76;
constexpr int kKeyHexF = 77;
constexpr int kKeyDecimal = 16;     // the decimal separator of the output format
constexpr int kKeyChangeSign = 17;  // "(-", NEG
constexpr int kKeyDelete = 47;      // backspace
constexpr int kKeyClear = 4;        // C
constexpr int kKeyAnswer = 22;      // [ans]
constexpr int kKeyImaginary = 25;   // i
constexpr int kKeyVariable = 34;    // x
constexpr int kKeyComma = 46;       // argument separator

// ---- operators -----------------------------------------------------------------------------------------
constexpr int kKeyPlus = 18;
constexpr int kKeyMinus = 13;
constexpr int kKeyTimes = 8;
constexpr int kKeyDivide = 3;
constexpr int kKeyEquals = 19;
constexpr int kKeyOpenParen = 44;   // also ENTER in RPN mode
constexpr int kKeyCloseParen = 45;  // also ENTER in RPN mode
constexpr int kKeyEnter = kKeyOpenParen;
constexpr int kKeyPercent = 43;
constexpr int kKeyFactorial = 33;
constexpr int kKeyMod = 37;

// ---- powers, roots, logarithms -------------------------------------------------------------------------
constexpr int kKeyPower = 30;        // x^y
constexpr int kKeySquare = 31;       // x²
constexpr int kKeyCube = 32;         // x³
constexpr int kKeyTenPower = 38;     // 10^x
constexpr int kKeyExpPower = 39;     // e^x
constexpr int kKeyYRoot = 40;        // y-th root
constexpr int kKeySquareRoot = 41;   // √
constexpr int kKeyCubeRoot = 42;     // ∛
constexpr int kKeyReciprocal = 131;  // 1/x
constexpr int kKeyExponent = 27;     // EXP
constexpr int kKeyLog = 28;
constexpr int kKeyLn = 29;

// ---- trigonometric and hyperbolic functions ------------------------------------------------------------
constexpr int kKeySinh = 51;
constexpr int kKeyCosh = 52;
constexpr int kKeyTanh = 53;
constexpr int kKeySin = 54;
constexpr int kKeyCos = 55;
constexpr int kKeyTan = 56;
constexpr int kKeyCsc = 57;
constexpr int kKeySec = 58;
constexpr int kKeyPi = 59;
constexpr int kKeyAsinh = 60;
constexpr int kKeyAcosh = 61;
constexpr int kKeyAtanh = 62;
constexpr int kKeyAsin = 63;
constexpr int kKeyAcos = 64;
constexpr int kKeyAtan = 65;
constexpr int kKeyAcsc = 66;
constexpr int kKeyAsec = 67;

// ---- integer, combinatorial and logic functions --------------------------------------------------------
constexpr int kKeyGcd = 26;
constexpr int kKeyRandom = 35;
constexpr int kKeyLcm = 36;
constexpr int kKeyAnd = 69;
constexpr int kKeyOr = 70;
constexpr int kKeyXor = 71;
constexpr int kKeyNand = 78;
constexpr int kKeyNor = 79;
constexpr int kKeyShl = 80;
constexpr int kKeyShr = 81;
constexpr int kKeyRtl = 82;
constexpr int kKeyRtr = 83;
constexpr int kKeyNot = 84;
constexpr int kKeyCpl = 85;
constexpr int kKeyNcr = 87;
constexpr int kKeyNpr = 94;
constexpr int kKeyAbs = 189;

// ---- statistics of the data set X (string mode) --------------------------------------------------------
constexpr int kKeyStatN = 86;
constexpr int kKeyStatSum = 88;
constexpr int kKeyStatSdv = 89;
constexpr int kKeyStatAvg = 90;
constexpr int kKeyStatAvd = 91;
constexpr int kKeyStatDsq = 92;
constexpr int kKeyStatMin = 93;
constexpr int kKeyStatSsq = 95;
constexpr int kKeyStatSsd = 96;
constexpr int kKeyStatMedian = 97;
constexpr int kKeyStatMd = 98;
constexpr int kKeyStatGm = 99;
constexpr int kKeyStatMax = 100;

// ---- matrix functions (string mode) --------------------------------------------------------------------
constexpr int kKeyDet = 101;
constexpr int kKeyInv = 102;
constexpr int kKeyEigv = 103;
constexpr int kKeyEigl = 104;
constexpr int kKeyOrth = 105;
constexpr int kKeyRank = 106;
constexpr int kKeyTrans = 107;
constexpr int kKeyDiag = 108;
constexpr int kKeyTri = 109;
constexpr int kKeySolve = 110;

// ---- finance functions (string mode) -------------------------------------------------------------------
constexpr int kKeySyd = 111;
constexpr int kKeySln = 112;
constexpr int kKeyFv = 113;
constexpr int kKeyPv = 114;
constexpr int kKeyNper = 115;
constexpr int kKeyPmt = 116;
constexpr int kKeyRate = 117;
constexpr int kKeyDb = 118;
constexpr int kKeyIrr = 187;
constexpr int kKeyNpv = 188;

// ---- calculus and series (string mode) -----------------------------------------------------------------
constexpr int kKeyIntegral = 119;
constexpr int kKeyDerivative = 120;
constexpr int kKeyEvaluation = 121;
constexpr int kKeyFnRoot = 122;
constexpr int kKeyProduct = 123;
constexpr int kKeySummation = 124;
constexpr int kKeyFibonacci = 125;

// ---- distributions (string mode) -----------------------------------------------------------------------
constexpr int kKeyPoissonPdf = 194;
constexpr int kKeyBinomialPdf = 195;
constexpr int kKeyGammaPdf = 196;
constexpr int kKeyGeometricPdf = 197;
constexpr int kKeyRayleighPdf = 198;
constexpr int kKeyGaussianPdf = 199;

// ---- memories and stored expressions -------------------------------------------------------------------
constexpr int kKeyMemoryStore = 9;       // MS
constexpr int kKeyMemoryRecall = 14;     // MR
constexpr int kKeyMemoryNext = 20;       // M1 -> M2 -> ... -> M5 -> M1
constexpr int kKeyMemoryClear = 21;      // MC
constexpr int kKeyMemoryAdd = 190;       // M+
constexpr int kKeyMemorySubtract = 191;  // M-
constexpr int kKeyMemory1 = 126;         // M1..M5 are 126..130
constexpr int kKeyMemory2 = 127;
constexpr int kKeyMemory3 = 128;
constexpr int kKeyMemory4 = 129;
constexpr int kKeyMemory5 = 130;
constexpr int kKeyExpressionNext = 149;
constexpr int kKeyExpressionPrevious = 150;
constexpr int kKeyExpression1 = 151;  // E1..E5 are 151..155
constexpr int kKeyExpression2 = 152;
constexpr int kKeyExpression3 = 153;
constexpr int kKeyExpression4 = 154;
constexpr int kKeyExpression5 = 155;

// ---- caret, shift, indicators and modes ----------------------------------------------------------------
constexpr int kKeyShift = 23;
constexpr int kKeyCaretLeft = 48;
constexpr int kKeyCaretRight = 49;
constexpr int kKeyCaretLeft10 = 156;
constexpr int kKeyCaretRight10 = 157;
constexpr int kKeyAngleCycle = 50;  // DEG -> RAD -> GRA
constexpr int kKeyAngleDeg = kAngleDeg;
constexpr int kKeyAngleRad = kAngleRad;
constexpr int kKeyAngleGra = kAngleGra;
constexpr int kKeyBaseCycle = 68;
constexpr int kKeyBaseBin = kRadixBin;
constexpr int kKeyBaseOct = kRadixOct;
constexpr int kKeyBaseDec = kRadixDec;
constexpr int kKeyBaseHex = kRadixHex;
constexpr int kKeyWidthCycle = 137;
constexpr int kKeyWidth8 = kWidth8;
constexpr int kKeyWidth16 = kWidth16;
constexpr int kKeyWidth32 = kWidth32;
constexpr int kKeyWidth64 = kWidth64;  // only in the width mapping of the equals bridge
constexpr int kKeyNotationCycle = 133;
constexpr int kKeyNotationFix = kNotationFix;
constexpr int kKeyNotationNorm = kNotationNorm;
constexpr int kKeyNotationSci = kNotationSci;
constexpr int kKeyNotationFrac = kNotationFrac;

// ---- RPN stack words -----------------------------------------------------------------------------------
constexpr int kKeyRpnUndo = 176;
constexpr int kKeyRpnRedo = 177;
constexpr int kKeyRpnDrop = 178;
constexpr int kKeyRpnSwap = 179;
constexpr int kKeyRpnDepth = 180;
constexpr int kKeyRpnOver = 181;
constexpr int kKeyRpnRoll = 182;
constexpr int kKeyRpnPick = 183;
constexpr int kKeyRpnKeep = 184;
constexpr int kKeyRpnLast = 185;
constexpr int kKeyRpnClear = 186;

// ---- lists, screens and application commands (consumed by the main controller) -------------------------
constexpr int kKeyFunctionList = 24;
constexpr int kKeyStatisticsData = 163;
constexpr int kKeyOpenTvm = 166;
constexpr int kKeyOpenMortgage = 167;
constexpr int kKeyOpenLoan = 168;
constexpr int kKeyMenu = 169;
constexpr int kKeyConstantGroups = 170;
constexpr int kKeyConstantSubgroups = 171;
constexpr int kKeyConstantItems = 172;
constexpr int kKeyConstantInsert = 173;
constexpr int kKeyRpnStackList = 174;
constexpr int kKeyRpnFunctionList = 175;
constexpr int kKeyOpenRpnStack = 192;
constexpr int kKeyDistributionList = 193;

// ---- the reduced input line's own keys -----------------------------------------------------------------
constexpr int kKeyLiteMinus = 158;     // "-"
constexpr int kKeyLiteBlank = 160;     // " "
constexpr int kKeyLiteDivide = 161;    // "/"
constexpr int kKeySolverEnter = 7282;  // the enter key of the N-equation (simultaneous) solver

// The key codes run 0 .. kLastKeyCode.
constexpr int kLastKeyCode = 199;

// No key: a key the digit filter dropped, or a lookup outside a table. The dispatcher ignores it.
constexpr int kKeyNone = -1;

// ---- categories ----------------------------------------------------------------------------------------
// The ids of the category panel; the display knows ids 0..11 (9, 10 and 11 have no panel entry).
constexpr int kCatArithmetic = 0;
constexpr int kCatTrigonom = 1;
constexpr int kCatConstants = 2;
constexpr int kCatBaseConversion = 3;
constexpr int kCatFinance = 4;
constexpr int kCatUnitConverter = 5;
constexpr int kCatCurrencyConverter = 6;
constexpr int kCatTip = 7;
constexpr int kCatStatistics = 8;
constexpr int kCatEquationSolver = 12;
constexpr int kCatGraph = 13;
constexpr int kCatBusiness = 17;
// Display categories that no panel entry selects (the display knows them all the same).
constexpr int kCatUnlisted9 = 9;
constexpr int kCatUnlisted10 = 10;
constexpr int kCatUnlisted11 = 11;
constexpr int kDisplayCategoryCount = 12;  // display categories 0..11

// Digit keys: true for the ten decimal digits.
constexpr bool IsDecimalDigitKey(int code) {
    return code == kKey0 || code == kKey1 || code == kKey2 || code == kKey3 || code == kKey4 ||
           code == kKey5 || code == kKey6 || code == kKey7 || code == kKey8 || code == kKey9;
}
// The digit character '0'..'9' of a decimal digit key, '\0' for any other code.
constexpr char DecimalDigitOfKey(int code) {
    constexpr int kDigits[10] = {kKey0, kKey1, kKey2, kKey3, kKey4, kKey5, kKey6, kKey7, kKey8, kKey9};
    for (int d = 0; d < 10; ++d)
        if (kDigits[d] == code) return static_cast<char>('0' + d);
    return '\0';
}
constexpr bool IsHexDigitKey(int code) {
    return code >= kKeyHexA && code <= kKeyHexF;
}
// Memory keys M1..M5.
constexpr bool IsMemoryKey(int code) {
    return code >= kKeyMemory1 && code <= kKeyMemory5;
}
