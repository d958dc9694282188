#include "constants/constant_lines.h"

#include <cctype>
#include <climits>
#include <cstdlib>

namespace constant_lines {

namespace {

constexpr std::size_t kLine = 255;

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

void blankOut(std::string& text, const char* chars) {
    for (char& c : text)
        for (const char* p = chars; *p != '\0'; ++p)
            if (c == *p) c = ' ';
    trimRight(text);
    trimLeft(text);
}

}  // namespace

Source Source::fromFile(const std::string& path) {
    Source src;
    src.m_file.reset(std::fopen(path.c_str(), "rt"));
    src.m_bOk = src.m_file != nullptr;
    return src;
}

Source Source::fromText(std::string text) {
    Source src;
    src.m_sText = std::move(text);
    src.m_bOk = true;
    return src;
}

int Source::get() {
    if (m_file) return std::getc(m_file.get());
    if (m_nPos >= m_sText.size()) return EOF;
    return static_cast<unsigned char>(m_sText[m_nPos++]);
}

bool Source::next(std::string& piece) {
    piece.clear();
    if (!m_bOk) return false;
    bool nulSeen = false;
    std::size_t taken = 0;
    while (taken < kLine) {
        int c = get();
        if (c == EOF) break;
        ++taken;
        if (c == '\0') nulSeen = true;
        if (!nulSeen) piece.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    if (taken == 0) return false;
    if (m_iLine < INT_MAX) ++m_iLine;
    return true;
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

bool startsWithNoCase(const std::string& text, const char* prefix) {
    std::size_t i = 0;
    for (; prefix[i] != '\0'; ++i) {
        if (i >= text.size()) return false;
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

Kind classify(const std::string& raw, bool withType, std::string& line, std::string& name, int& type) {
    line = raw;
    blankOut(line, "\t:\n");
    if (line.empty()) return Kind::Skip;
    if (line[0] != '#') return Kind::Data;
    blankOut(line, "#");
    std::string word;
    if (!findWord(word, line)) return Kind::Skip;
    if (startsWithNoCase(word, "End")) return Kind::End;
    if (!startsWithNoCase(word, "Begin")) return Kind::Skip;
    if (!findWord(word, line)) return Kind::Fail;
    name = underscoresToBlanks(word);
    type = 0;
    if (withType) {
        if (!findWord(word, line)) return Kind::Fail;
        long v = std::strtol(word.c_str(), nullptr, 10);
        type = v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
    }
    return Kind::Begin;
}

}  // namespace constant_lines
