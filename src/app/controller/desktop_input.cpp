#include "app/controller/desktop_input.h"

#include <cctype>

#include "app/controller/orvane_view_controller.h"
#include "app/display/line_text.h"
#include "app/keys/key_codes.h"
#include "app/settings/settings_globals.h"
#include "engine/parse/tables.h"

namespace {

constexpr int kStringMode = 0;
constexpr int kRpnMode = 2;

int InputMode(const OrvaneViewController& c) {
    return c.display().CurrentInputMode();
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

std::u16string Trimmed(const std::u16string& s) {
    size_t a = 0, b = s.size();
    while (a < b && IsBlank(s[a])) ++a;
    while (b > a && IsBlank(s[b - 1])) --b;
    return s.substr(a, b - a);
}

// A name the engine reads: a tokenizer word, a register, a function call, or a constant or variable.
bool IsKnownName(const std::string& run) {
    std::string upper = run;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "X" || upper == "PI" || upper == "E" || upper == "I") return true;
    if (IsFunctionWord(upper.c_str()) || FindReg(upper.c_str()) >= 0) return true;
    for (const char* name : fnName) {
        std::string n = name;
        for (char& c : n) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (n == upper) return true;
    }
    return false;
}

// Text the input line can take: characters of expressions only, and every word a name the engine knows
// ("2sin(30)" and "3+" pass; "hello" and "2 @ 3" do not). Numbers such as "1E5" pass as number and "E".
bool IsExpressionText(const std::u16string& text) {
    const std::string engine = OutputParsedString(text, g_sOutputMode);
    std::string run;
    for (size_t i = 0; i <= engine.size(); ++i) {
        const char c = i < engine.size() ? engine[i] : ' ';
        if (std::isalpha(static_cast<unsigned char>(c)) || (c == '_' && !run.empty())) {
            run += c;
            continue;
        }
        if (!run.empty() && !IsKnownName(run)) return false;
        run.clear();
        if (std::isalpha(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c)))
            continue;
        if (std::string_view(" .,+-*/^()!%[]").find(c) == std::string_view::npos) return false;
    }
    return true;
}

}  // namespace

int KeyCodeOfCharacter(char32_t c, const OrvaneViewController& controller) {
    static constexpr int kDigits[10] = {kKey0, kKey1, kKey2, kKey3, kKey4, kKey5, kKey6, kKey7, kKey8, kKey9};
    if (c >= U'0' && c <= U'9') return kDigits[c - U'0'];
    const bool base = controller.currentFunction() == kCatBaseConversion;
    if (base && c >= U'a' && c <= U'f') return kKeyHexA + static_cast<int>(c - U'a');
    if (base && c >= U'A' && c <= U'F') return kKeyHexA + static_cast<int>(c - U'A');
    switch (c) {
        case U'.':
        case U',':
            return kKeyDecimal;
        case U'+':
            return kKeyPlus;
        case U'-':
        case U'\u2212':
            return kKeyMinus;
        case U'*':
        case U'\u00d7':
            return kKeyTimes;
        case U'/':
        case U'\u00f7':
            return kKeyDivide;
        case U'^':
            return kKeyPower;
        case U'(':
            return kKeyOpenParen;
        case U')':
            return kKeyCloseParen;
        case U'=':
            return kKeyEquals;
        case U'%':
            return kKeyPercent;
        case U'!':
            return kKeyFactorial;
        case U'i':
            return kKeyImaginary;
        case U'x':
            return kKeyVariable;
        default:
            return kKeyNone;
    }
}

int KeyCodeOfNamedKey(DesktopKey key, const OrvaneViewController& controller) {
    switch (key) {
        case DesktopKey::Enter:
            return InputMode(controller) == kRpnMode ? kKeyEnter : kKeyEquals;
        case DesktopKey::Backspace:
        case DesktopKey::Delete:
            return kKeyDelete;
        case DesktopKey::Left:
            return kKeyCaretLeft;
        case DesktopKey::Right:
            return kKeyCaretRight;
        case DesktopKey::Home:
            return kKeyCaretLeft10;
        case DesktopKey::End:
            return kKeyCaretRight10;
        case DesktopKey::Escape:
            return kKeyClear;
    }
    return kKeyNone;
}

int UndoKeyCode(bool redo, const OrvaneViewController& controller) {
    if (InputMode(controller) != kRpnMode) return kKeyNone;
    return redo ? kKeyRpnRedo : kKeyRpnUndo;
}

int TypeText(OrvaneViewController& controller, const std::u16string& text) {
    int sent = 0;
    for (char16_t c : text) {
        const int code = KeyCodeOfCharacter(c, controller);
        if (code == kKeyNone) continue;
        controller.pressButtonHasKeycode(code);
        ++sent;
    }
    return sent;
}

bool PasteText(OrvaneViewController& controller, const std::u16string& pasted) {
    const std::u16string text = Trimmed(pasted);
    bool taken = !text.empty();
    if (taken && InputMode(controller) == kStringMode) {
        taken = IsExpressionText(text) && controller.display().InsertString(text, false);
    } else if (taken) {
        for (char16_t c : text) taken = taken && KeyCodeOfCharacter(c, controller) != kKeyNone;
        if (taken) TypeText(controller, text);
    }
    if (!taken) {
        controller.alerts().show({"Paste", "The clipboard text cannot be put into the input line.", {"OK"}},
                                 [](int) {});
    }
    return taken;
}

std::u16string CopyText(const OrvaneViewController& controller) {
    const MyLedView& d = controller.display();
    if (!d.GetResult().empty()) return d.GetResult();
    return d.line().GetRawInputString();
}
