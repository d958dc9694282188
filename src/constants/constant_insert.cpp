#include "constants/constant_insert.h"

#include <algorithm>
#include <cctype>

#include "constants/constant_lines.h"

namespace {

bool sameNoCase(const std::string& a, const char* b) {
    std::string lower = a;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower == b;
}

}  // namespace

std::string ConstantInsertText(const std::string& groupCaption, const std::string& valueCaption) {
    std::string text = valueCaption;
    constant_lines::trimLeft(text);
    constant_lines::trimRight(text);
    if (std::size_t blank = text.find(' '); blank != std::string::npos) text.resize(blank);

    std::string group = groupCaption;
    constant_lines::trimLeft(group);
    constant_lines::trimRight(group);
    if (sameNoCase(group, "area formula") || sameNoCase(group, "volume formula")) return text;

    std::size_t lastE = text.rfind('e');
    if (lastE == std::string::npos) return text;
    text.insert(lastE + 1, 1, '(');
    std::string out;
    for (char c : text) {
        if (c == 'e')
            out += "exp";
        else if (c != '+')
            out += c;
    }
    out += ')';
    return out;
}
