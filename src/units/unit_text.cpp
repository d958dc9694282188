#include "units/unit_text.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace unit_text {

// isspace and tolower take an unsigned char value: bytes above 0x7F (UTF-8 text, binary junk) are negative
// as plain char and would be undefined behaviour.
static bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}
static char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

void trimLeft(std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    text.erase(0, i);
}

void trimRight(std::string& text) {
    std::size_t n = text.size();
    while (n > 0 && isSpace(text[n - 1])) --n;
    text.resize(n);
}

int findWord(std::string& word, std::string& line) {
    std::size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos) {
        word.clear();
        line.clear();
        return 0;
    }
    std::size_t end = line.find(' ', start);
    if (end == std::string::npos) end = line.size();
    word.assign(line, start, end - start);
    std::size_t rest = line.find_first_not_of(' ', end);
    line.erase(0, rest == std::string::npos ? line.size() : rest);
    return 1;
}

std::string underscoresToBlanks(std::string text) {
    for (char& c : text)
        if (c == '_') c = ' ';
    return text;
}

void blankAndTrim(std::string& text, const char* from) {
    for (char& c : text)
        if (c != '\0' && std::strchr(from, c) != nullptr) c = ' ';
    trimRight(text);
    trimLeft(text);
}

bool equalsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

bool startsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

int parseInt(const std::string& word) {
    long v = std::strtol(word.c_str(), nullptr, 10);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

double parseDouble(const std::string& word) {
    return std::strtod(word.c_str(), nullptr);
}

}  // namespace unit_text
