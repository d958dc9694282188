// The key code a screen notification carries ("EquationSolver-EnterAKeycode", "GraphView_enterACommand"):
// the main controller posts it as decimal text; an int is taken as well.
#pragma once

#include <any>
#include <string>

#include "app/display/line_text.h"
#include "app/keys/key_codes.h"

// The code, or kKeyNone for an object that holds none.
inline int KeyCodeOfObject(const std::any& object) {
    if (const int* i = std::any_cast<int>(&object)) return *i;
    std::string text;
    if (const std::string* s = std::any_cast<std::string>(&object)) text = *s;
    if (const std::u16string* u = std::any_cast<std::u16string>(&object)) text = U16ToUtf8(*u);
    if (text.empty() || text.size() > 9) return kKeyNone;
    size_t used = 0;
    try {
        const int code = std::stoi(text, &used);
        return used == text.size() ? code : kKeyNone;
    } catch (...) {
        return kKeyNone;
    }
}
