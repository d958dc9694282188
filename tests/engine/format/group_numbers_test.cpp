#include "engine/format/group_numbers.h"

#include <gtest/gtest.h>

namespace {

constexpr char16_t C = 0x00B8;  // the display's comma

struct Row {
    const char* note;
    std::u16string in;
    const char* mode;
    int base;
    int category;
    std::u16string expected;
};

std::string Show(const std::u16string& s) {
    std::string out;
    for (char16_t c : s) out += c == C ? std::string("<B8>") : std::string(1, static_cast<char>(c));
    return out;
}

}  // namespace

TEST(GroupNumbers, Table) {
    // English marks: decimal ".", group U+00B8; European: decimal U+00B8, group ".".
    const std::u16string g1 = std::u16string(u"1") + C + u"234" + C + u"567.891";
    const Row rows[] = {
        {"english integer and fraction", u"1234567.891", "English (US)", 147, 0, g1},
        {"english UK, any case", u"1234567.891", "english (uk)", 147, 0, g1},
        {"no mark after minus", u"-123456", "English (US)", 147, 0, std::u16string(u"-123") + C + u"456"},
        {"short numbers untouched", u"999", "English (US)", 147, 0, u"999"},
        {"exponent not grouped", u"1.5e+123456", "English (US)", 147, 0, u"1.5e+123456"},
        {"scientific mantissa loses its blank", u" 1.2345E", "English (US)", 147, 0, u"1.2345E"},
        {"exponent letter blocks a mark", u"1E123456", "English (US)", 147, 0,
         std::u16string(u"1E123") + C + u"456"},
        {"old marks removed, regrouped", std::u16string(u"12") + C + u"34" + C + u"5", "English (US)", 147, 0,
         std::u16string(u"12") + C + u"345"},
        {"european point becomes comma", u"1234567.891", "European", 147, 0, u"1.234.567\u00b8891"},
        {"european comma input", std::u16string(u"1234") + C + u"5", "European", 147, 0, u"1.234\u00b85"},
        {"hex digits unchanged", u"ABCD", "English (US)", 147, 0, u"ABCD"},
        {"function names unchanged", u"sin(1234567)", "English (US)", 147, 0, u"sin(1234567)"},
        {"not decimal base", u"1234567", "English (US)", 148, 0, u"1234567"},
        {"unit converter category", u"1234567", "English (US)", 147, 5, u"1234567"},
        {"tip category", u"1234567", "English (US)", 147, 7, u"1234567"},
        {"statistics category groups", u"1234567", "English (US)", 147, 8,
         std::u16string(u"1") + C + u"234" + C + u"567"},
        {"leading group mark dropped", u" ,123", "English (US)", 147, 0, u"123"},
        {"other format: the point is just a character", u"1234.5", "Klingon", 147, 0, u"123,4.5"},
        {"empty", u"", "English (US)", 147, 0, u""},
    };
    for (const Row& r : rows) {
        // The display's pairs; the two rows with "," as group mark take the English decimal mark.
        bool european = std::string(r.mode) == "European";
        bool comma = r.in.find(u',') != std::u16string::npos || std::string(r.mode) == "Klingon";
        char16_t d = european ? C : u'.';
        char16_t g = comma ? u',' : (european ? u'.' : C);
        EXPECT_EQ(Show(GroupNumbers(r.in, d, g, r.base, r.category, r.mode)), Show(r.expected)) << r.note;
    }
}

TEST(GroupNumbers, EngineTextOverloadUsesLatin1Marks) {
    // The formatter passes 46 and 184 for the English formats, 184 and 46 for "European".
    EXPECT_EQ(GroupNumbers(std::string("-1234567.5"), 46, 184, 147, 0, "English (US)"), std::string("-1\xb8"
                                                                                                    "234\xb8"
                                                                                                    "567.5"));
    EXPECT_EQ(GroupNumbers(std::string("1234567.5"), 184, 46, 147, 0, "European"), std::string("1.234.567\xb8"
                                                                                               "5"));
}

TEST(OutputModes, CompareWithoutCase) {
    EXPECT_TRUE(IsEuropeanOutputMode("european"));
    EXPECT_FALSE(IsEuropeanOutputMode("English (US)"));
    EXPECT_TRUE(IsEnglishOutputMode("ENGLISH (UK)"));
    EXPECT_FALSE(IsEnglishOutputMode("English"));
}
