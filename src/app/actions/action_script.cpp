#include "app/actions/action_script.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "app/display/line_text.h"
#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"

namespace {

bool ParseInt(const std::string& s, int lo, int hi, int& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || v < lo || v > hi) return false;
    out = static_cast<int>(v);
    return true;
}

bool ParseSeconds(const std::string& s, double& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v) || v < 0 || v > 3600) return false;
    out = v;
    return true;
}

bool ParseNumber(const std::string& s, double& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v)) return false;
    out = v;
    return true;
}

// Splits the script into words; "..." quotes (with "" for a quote inside) may appear anywhere in a word.
bool Words(const std::string& script, std::vector<std::string>& words, std::string& error) {
    std::string word;
    bool inWord = false, quoted = false;
    for (size_t i = 0; i < script.size(); ++i) {
        const char c = script[i];
        if (quoted) {
            if (c == '"' && i + 1 < script.size() && script[i + 1] == '"') {
                word += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                word += c;
            }
        } else if (c == '"') {
            quoted = inWord = true;
        } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) return error = "unterminated quote in the key list", false;
    if (inWord) words.push_back(word);
    return true;
}

// "SCREEN/REST" into screen and rest (no slash: screen stays empty).
void SplitScreen(const std::string& arg, std::string& screen, std::string& rest) {
    const size_t slash = arg.find('/');
    if (slash == std::string::npos || arg.find('=') < slash) {
        rest = arg;
        return;
    }
    screen = arg.substr(0, slash);
    rest = arg.substr(slash + 1);
}

bool IsKeyboard(const std::string& k) {
    return k == "mode" || k == "pad" || k == "land" || k == "landpad";
}

bool ParseWord(const std::string& w, Action& a, std::string& error) {
    const size_t colon = w.find(':');
    const std::string verb = colon == std::string::npos ? w : w.substr(0, colon);
    const std::string arg = colon == std::string::npos ? std::string() : w.substr(colon + 1);
    auto bad = [&](const char* what) { return error = std::string(what) + " '" + w + "'", false; };
    if (colon == std::string::npos) {
        if (w == "close") return a.kind = Action::Close, true;
        if (w == "back") return a.kind = Action::Back, true;
        if (ParseInt(w, -1000000, 1000000, a.number)) return a.kind = Action::Key, true;
        a.number = KeyCodeOfName(w);
        if (a.number < 0) return bad("unknown key");
        return a.kind = Action::Key, true;
    }
    if (verb == "pick") {
        a.kind = Action::Pick;
        return ParseInt(arg, -1000000, 1000000, a.number) || bad("invalid pick");
    }
    if (verb == "post") {
        a.kind = Action::Post;
        a.name = arg;
        const size_t c2 = arg.find(':');
        if (c2 != std::string::npos) {
            if (!ParseInt(arg.substr(c2 + 1), -1000000, 1000000, a.number))
                return bad("invalid notification object in");
            a.hasNumber = true;
            a.name = arg.substr(0, c2);
        }
        return !a.name.empty() || bad("missing notification name in");
    }
    if (verb == "down" || verb == "up" || verb == "cancel" || verb == "touch" || verb == "hold") {
        a.kind = verb == "down"     ? Action::Down
                 : verb == "up"     ? Action::Up
                 : verb == "cancel" ? Action::Cancel
                 : verb == "touch"  ? Action::Touch
                                    : Action::Hold;
        const size_t c2 = arg.find(':');
        if (c2 == std::string::npos) return bad("missing slot in");
        a.keyboard = arg.substr(0, c2);
        if (!IsKeyboard(a.keyboard)) return bad("unknown keyboard in");
        std::string slot = arg.substr(c2 + 1);
        if (a.kind == Action::Hold) {
            const size_t c3 = slot.find(':');
            if (c3 == std::string::npos || !ParseSeconds(slot.substr(c3 + 1), a.seconds))
                return bad("missing or invalid seconds in");
            slot = slot.substr(0, c3);
        }
        return ParseInt(slot, 0, 64, a.number) || bad("invalid slot in");
    }
    if (verb == "swipe") {
        a.kind = Action::Swipe;
        return ParseInt(arg, 0, 11, a.number) || bad("invalid strip position in");
    }
    if (verb == "tap") {
        a.kind = Action::Tap;
        SplitScreen(arg, a.screen, a.name);
        return !a.name.empty() || bad("missing element in");
    }
    if (verb == "text" || verb == "value") {
        a.kind = verb == "text" ? Action::Text : Action::Value;
        std::string rest;
        SplitScreen(arg, a.screen, rest);
        const size_t eq = rest.find('=');
        if (eq == std::string::npos || eq == 0) return bad("expected NAME=VALUE in");
        a.name = rest.substr(0, eq);
        a.text = rest.substr(eq + 1);
        if (a.kind == Action::Value && !ParseNumber(a.text, a.seconds)) return bad("invalid number in");
        return true;
    }
    if (verb == "list") {
        a.kind = Action::List;
        std::string rest;
        SplitScreen(arg, a.screen, rest);
        const size_t c2 = rest.rfind(':');
        if (c2 == std::string::npos || c2 == 0) return bad("expected LIST:ROW in");
        a.name = rest.substr(0, c2);
        return ParseInt(rest.substr(c2 + 1), -1000000, 1000000, a.number) || bad("invalid row in");
    }
    if (verb == "keypad") {
        a.kind = Action::Keypad;
        std::string rest;
        SplitScreen(arg, a.screen, rest);
        return ParseInt(rest, -1000000, 1000000, a.number) || bad("invalid keypad index in");
    }
    if (verb == "answer") {
        a.kind = Action::Answer;
        return ParseInt(arg, -1, 100, a.number) || bad("invalid answer in");
    }
    if (verb == "rotate") {
        a.kind = Action::Rotate;
        a.text = arg;
        return arg == "portrait" || arg == "landscape" || bad("rotate takes portrait or landscape:");
    }
    if (verb == "wait") {
        a.kind = Action::Wait;
        return ParseSeconds(arg, a.seconds) || bad("invalid seconds in");
    }
    if (verb == "category") {
        a.kind = Action::Category;
        return ParseInt(arg, 0, 199, a.number) || bad("invalid category in");
    }
    if (verb == "option") {
        a.kind = Action::Option;
        return ParseInt(arg, 0, 3, a.number) || bad("invalid menu option in");
    }
    if (verb == "type" || verb == "paste") {
        a.kind = verb == "type" ? Action::Type : Action::Paste;
        a.text = arg;
        return true;
    }
    // A caption that holds a colon is still a key name.
    a.number = KeyCodeOfName(w);
    if (a.number >= 0) return a.kind = Action::Key, true;
    return bad("unknown action");
}

}  // namespace

int KeyCodeOfName(const std::string& name) {
    if (name == "*") return kKeyTimes;
    if (name == "/") return kKeyDivide;
    if (name == "-") return kKeyMinus;
    if (name == "ENTER") return kKeyEnter;
    for (int code = 0; code < 200; ++code) {
        const std::u16string_view caption = KeyCaption(code);
        if (!caption.empty() && U16ToUtf8(caption) == name) return code;
    }
    return kKeyNone;
}

bool ParseActions(const std::string& script, std::vector<Action>& out, std::string& error) {
    std::vector<std::string> words;
    if (!Words(script, words, error)) return false;
    for (const std::string& w : words) {
        Action a;
        if (!ParseWord(w, a, error)) return false;
        out.push_back(a);
    }
    return true;
}
