#include "constants/constant_lines.h"

namespace constant_lines {

Kind classify(const std::string& raw, bool withType, std::string& line, std::string& name, int& type) {
    line = raw;
    unit_text::blankAndTrim(line, "\t:\n");
    if (line.empty()) return Kind::Skip;
    if (line[0] != '#') return Kind::Data;
    unit_text::blankAndTrim(line, "#");
    std::string word;
    if (!findWord(word, line)) return Kind::Skip;
    if (startsWithNoCase(word, "End")) return Kind::End;
    if (!startsWithNoCase(word, "Begin")) return Kind::Skip;
    if (!findWord(word, line)) return Kind::Fail;
    name = underscoresToBlanks(word);
    type = 0;
    if (withType) {
        if (!findWord(word, line)) return Kind::Fail;
        type = unit_text::parseInt(word);
    }
    return Kind::Begin;
}

}  // namespace constant_lines
