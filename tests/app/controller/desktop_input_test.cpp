// The desktop keyboard and clipboard go through the same key codes as the keyboards.
#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "app/controller/desktop_input.h"
#include "app/keys/key_codes.h"

namespace {

TEST(DesktopInput, CharactersAndNamedKeysSendTheirKeys) {
    AppHarness h;
    h.launch(kCatArithmetic);
    const struct {
        char32_t c;
        int code;
    } rows[] = {{U'7', kKey7},         {U'0', kKey0},           {U'.', kKeyDecimal},    {U',', kKeyDecimal},
                {U'+', kKeyPlus},      {U'-', kKeyMinus},       {U'*', kKeyTimes},      {U'/', kKeyDivide},
                {U'^', kKeyPower},     {U'(', kKeyOpenParen},   {U')', kKeyCloseParen}, {U'=', kKeyEquals},
                {U'!', kKeyFactorial}, {U'\u00f7', kKeyDivide}, {U'a', kKeyNone},       {U'@', kKeyNone},
                {U'x', kKeyVariable}};
    for (const auto& r : rows) EXPECT_EQ(KeyCodeOfCharacter(r.c, h.ctl()), r.code) << static_cast<int>(r.c);
    EXPECT_EQ(KeyCodeOfNamedKey(DesktopKey::Enter, h.ctl()), kKeyEquals);
    EXPECT_EQ(KeyCodeOfNamedKey(DesktopKey::Backspace, h.ctl()), kKeyDelete);
    EXPECT_EQ(KeyCodeOfNamedKey(DesktopKey::Escape, h.ctl()), kKeyClear);
    EXPECT_EQ(UndoKeyCode(false, h.ctl()), kKeyNone) << "undo belongs to RPN mode";
}

TEST(DesktopInput, HexLettersOnlyInBaseConversionAndEnterIsEnterInRpn) {
    AppHarness h;
    h.launch(kCatBaseConversion, "Basic-RPN");
    EXPECT_EQ(KeyCodeOfCharacter(U'f', h.ctl()), kKeyHexF);
    EXPECT_EQ(KeyCodeOfCharacter(U'B', h.ctl()), kKeyHexB);
    EXPECT_EQ(KeyCodeOfNamedKey(DesktopKey::Enter, h.ctl()), kKeyEnter);
    EXPECT_EQ(UndoKeyCode(true, h.ctl()), kKeyRpnRedo);
}

TEST(DesktopInput, TypingEvaluatesLikeTheKeys) {
    AppHarness h;
    h.launch(kCatArithmetic);
    EXPECT_EQ(TypeText(h.ctl(), u"12+3*2="), 7);
    EXPECT_EQ(h.resultUtf8(), "18");
}

TEST(DesktopInput, PasteTakesExpressionsAndRefusesOtherText) {
    AppHarness h;
    h.launch(kCatArithmetic);
    EXPECT_TRUE(PasteText(h.ctl(), u"  2*sin(30) "));
    h.keys({kKeyEquals});
    EXPECT_EQ(h.resultUtf8(), "1");
    h.keys({kKeyClear});
    for (const char16_t* bad : {u"hello", u"2 @ 3", u"", u"   "}) {
        const size_t before = h.alerts.shown().size();
        EXPECT_FALSE(PasteText(h.ctl(), bad)) << U16ToUtf8(bad);
        EXPECT_EQ(h.inputUtf8(), "");
        ASSERT_EQ(h.alerts.shown().size(), before + 1);
        EXPECT_EQ(h.alerts.shown().back().title, "Paste");
    }
}

TEST(DesktopInput, PasteInRpnModeTypesTheKeysAndCopyTakesTheResult) {
    AppHarness h;
    h.launch(kCatArithmetic, "Basic-RPN");
    EXPECT_TRUE(PasteText(h.ctl(), u"42"));
    EXPECT_FALSE(PasteText(h.ctl(), u"sin(1)")) << "RPN entry takes only keyed characters";
    EXPECT_EQ(U16ToUtf8(CopyText(h.ctl())), "42");
}

}  // namespace
