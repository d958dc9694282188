#include "app/display/line_text.h"

#include <algorithm>

#include "engine/format/group_numbers.h"

namespace {

constexpr char16_t kTimes = 0x00D7, kDivide = 0x00F7, kMinus = 0x2212, kRoot = 0x221A, kComma = 0x00B8;

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool IsHexLetter(char16_t c) {
    return c >= u'A' && c <= u'F';
}
bool IsDecimalMark(char16_t c) {
    return c == u'.' || c == kComma;
}

void ReplaceAll(std::u16string& s, std::u16string_view from, std::u16string_view to) {
    for (size_t pos = s.find(from); pos != std::u16string::npos; pos = s.find(from, pos + to.size())) {
        s.replace(pos, from.size(), to);
    }
}

void InsertLeadingZeros(std::u16string& s) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (IsDecimalMark(s[i]) && (i == 0 || !IsDigit(s[i - 1]))) s.insert(i++, 1, u'0');
    }
}

// Start of a root's index: the matching "(" of a closing bracket, the run of digits and decimal marks,
// or else the start of the previous rewrite.
size_t RootIndexStart(const std::u16string& s, size_t root, size_t lastRewrite) {
    char16_t before = s[root - 1];
    if (before == u')') {
        int depth = 0;
        for (size_t j = root; j-- > 0;) {
            if (s[j] == u')') ++depth;
            if (s[j] == u'(' && --depth == 0) return j;
        }
        return 0;
    }
    if (IsDigit(before)) {
        size_t n = root - 1;
        while (n > 0 && (IsDigit(s[n - 1]) || IsDecimalMark(s[n - 1]))) --n;
        return n;
    }
    return std::min(lastRewrite, root);
}

void RewriteRoots(std::u16string& s) {
    size_t lastRewrite = 0;
    for (size_t i = 1; i < s.size();) {
        if (s[i] != kRoot) {
            ++i;
            continue;
        }
        size_t n = RootIndexStart(s, i, lastRewrite);
        size_t end = (i + 1 < s.size() && s[i + 1] == u'(') ? i + 2 : i + 1;
        std::u16string piece = u"RT(" + s.substr(n, i - n) + u",";
        s.replace(n, end - n, piece);
        lastRewrite = n;
        i = 1;
    }
}

bool FollowsNumberWithoutStar(char16_t c) {
    static const std::u16string_view kSet = u"^\u221a +-*/,.)!%]e\u00b8";
    return kSet.find(c) != std::u16string_view::npos || IsHexLetter(c) || IsDigit(c);
}

bool FollowsBracketWithoutStar(char16_t c) {
    static const std::u16string_view kSet = u"^\u221a +-*/,.)!%\u00b8";
    return kSet.find(c) != std::u16string_view::npos;
}

bool NeedsStar(const std::u16string& s, size_t i) {
    char16_t c = s[i], next = s[i + 1];
    bool beforeIn = next == u'i' && i + 2 < s.size() && s[i + 2] == u'n';
    if (IsDigit(c) || IsHexLetter(c)) {
        // "PDF(" and a following "in..." keep their letters together.
        bool exception = (i > 0 && s[i - 1] == u'D') || beforeIn;
        if (!exception && !FollowsNumberWithoutStar(next)) return true;
        if (exception) return false;
    }
    if (c == u')' && !FollowsBracketWithoutStar(next)) return true;
    if (c == u']' && (next == u'[' || next == u'(')) return true;
    if (next == u'i' && (IsDigit(c) || c == u')' || c == u'!' || c == u'%')) return true;
    if (c == u'i' && (IsDigit(next) || next == u'(' || next == u'i')) return true;
    return false;
}

void InsertImplicitStars(std::u16string& s) {
    for (size_t i = 0; i + 1 < s.size(); ++i) {
        if (NeedsStar(s, i)) s.insert(++i, 1, u'*');
    }
}

}  // namespace

std::u16string ParseRawString(const std::u16string& display) {
    std::u16string s = display;
    std::replace(s.begin(), s.end(), kTimes, u'*');
    std::replace(s.begin(), s.end(), kDivide, u'/');
    std::replace(s.begin(), s.end(), kMinus, u'-');
    ReplaceAll(s, u"exp", u" exp ");
    InsertLeadingZeros(s);
    RewriteRoots(s);
    InsertImplicitStars(s);
    ReplaceAll(s, u"\u222b", u"fnInt");
    ReplaceAll(s, u"\u03b4", u"fnDeriv");
    ReplaceAll(s, u"\u220f", u"fnProduct");
    ReplaceAll(s, u"\u2211", u"fnSum");
    ReplaceAll(s, u"\u0192", u"fnEval");
    ReplaceAll(s, u"[ans]", u"[VRE]");
    return s;
}

std::string OutputParsedString(const std::u16string& display, std::string_view outputMode) {
    std::u16string s = ParseRawString(display);
    if (IsEuropeanOutputMode(outputMode)) {
        std::erase(s, u'.');
    } else if (IsEnglishOutputMode(outputMode)) {
        std::erase(s, kComma);
    }
    std::replace(s.begin(), s.end(), kComma, u'.');
    std::string out;
    out.reserve(s.size());
    for (char16_t c : s) out.push_back(c < 256 ? static_cast<char>(c) : '?');
    return out;
}

std::u16string PrepareInsertText(const std::u16string& text, const LineTextFormat& format,
                                 const std::u16string& exclude) {
    std::u16string s = text;
    auto sign = [&](char16_t from, char16_t to) {
        if (exclude.find(from) == std::u16string::npos) std::replace(s.begin(), s.end(), from, to);
    };
    sign(u'*', kTimes);
    sign(u'/', kDivide);
    sign(u'-', kMinus);
    ReplaceAll(s, u"[VRE]", u"[ans]");
    if (IsEuropeanOutputMode(format.outputMode)) {
        s = GroupNumbers(s, kComma, u'.', format.baseCode, format.categoryId, format.outputMode);
        std::erase(s, u'.');
    } else if (IsEnglishOutputMode(format.outputMode)) {
        s = GroupNumbers(s, u'.', kComma, format.baseCode, format.categoryId, format.outputMode);
        std::erase(s, kComma);
    }
    return s;
}

std::u16string AUniCharToNSString(char16_t unit) {
    return std::u16string(1, unit);
}

std::u16string Latin1ToU16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) out.push_back(static_cast<unsigned char>(c));
    return out;
}

std::u16string Utf8ToU16(std::string_view text) {
    std::u16string out;
    size_t i = 0;
    auto cont = [&](size_t k) {
        return k < text.size() && (static_cast<unsigned char>(text[k]) & 0xC0) == 0x80;
    };
    while (i < text.size()) {
        auto b = static_cast<unsigned char>(text[i]);
        char32_t cp = 0xFFFD;
        size_t len = 1;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0 && cont(i + 1)) {
            cp = ((b & 0x1F) << 6) | (text[i + 1] & 0x3F);
            len = 2;
        } else if ((b & 0xF0) == 0xE0 && cont(i + 1) && cont(i + 2)) {
            cp = ((b & 0x0F) << 12) | ((text[i + 1] & 0x3F) << 6) | (text[i + 2] & 0x3F);
            len = 3;
        } else if ((b & 0xF8) == 0xF0 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
            cp = ((b & 0x07) << 18) | ((text[i + 1] & 0x3F) << 12) | ((text[i + 2] & 0x3F) << 6) |
                 (text[i + 3] & 0x3F);
            len = 4;
        }
        if (cp >= 0x10000 && cp <= 0x10FFFF) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp > 0xFFFF ? 0xFFFD : cp));
        }
        i += len;
    }
    return out;
}

std::string U16ToUtf8(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}
