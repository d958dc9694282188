#include "units/line_source.h"

#include <climits>

LineSource LineSource::fromFile(const std::string& path) {
    LineSource src;
    src.m_file.reset(std::fopen(path.c_str(), "rt"));
    src.m_bOk = src.m_file != nullptr;
    return src;
}

LineSource LineSource::fromText(std::string text) {
    LineSource src;
    src.m_sText = std::move(text);
    src.m_bOk = true;
    return src;
}

int LineSource::get() {
    if (m_file) return std::getc(m_file.get());
    if (m_nPos >= m_sText.size()) return EOF;
    return static_cast<unsigned char>(m_sText[m_nPos++]);
}

bool LineSource::next(std::string& piece, std::size_t maxChars) {
    piece.clear();
    if (!m_bOk || maxChars == 0) return false;
    bool nulSeen = false;
    std::size_t taken = 0;
    while (taken < maxChars) {
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
