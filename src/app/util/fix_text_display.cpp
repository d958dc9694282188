#include "app/util/fix_text_display.h"

#include "engine/format/group_numbers.h"

std::string fixTextDisplay(std::string_view text, std::string_view outputMode) {
    const bool european = IsEuropeanOutputMode(outputMode);
    const char decimalMark = european ? ',' : '.';
    const char groupMark = european ? '.' : ',';
    std::string s(text);
    if (european) {
        for (char& c : s)
            if (c == '.') c = ',';
    }
    const std::size_t point = s.find(decimalMark);
    const std::size_t end = point == std::string::npos ? s.size() : point;
    const std::size_t first = !s.empty() && s[0] == '-' ? 1 : 0;
    // Marks go in from the right so that the positions still to be visited do not move.
    for (std::size_t i = end; i > first + 3;) {
        i -= 3;
        s.insert(i, 1, groupMark);
    }
    return s;
}
