#include "units/units_reader.h"

#include "units/section_walk.h"
#include "units/unit_text.h"

using namespace unit_text;

namespace {

// Line limits of the readers (characters per line; a longer line is read as several).
constexpr std::size_t kUnitsLine = 255;
constexpr std::size_t kUnits2Line = 511;
constexpr std::size_t kGroupLine = 255;
constexpr std::size_t kChartLine = 2047;

enum class LineKind { Skip, Begin, End, Data, Fail };

struct LineRules {
    bool readType;         // a Begin header carries a type number
    bool hashOnlyAtStart;  // a header's "#" must be the raw line's first character
};

// Classifies one raw piece. On Data, line holds the normalised text; on Begin, name and type the header's.
LineKind classify(const std::string& raw, const LineRules& rules, std::string& line, std::string& name,
                  int& type) {
    line = raw;
    blankAndTrim(line, "\t:\n");
    if (line.empty()) return LineKind::Skip;
    if (line[0] != '#') return LineKind::Data;
    if (rules.hashOnlyAtStart && raw[0] != '#') return LineKind::Skip;
    blankAndTrim(line, "#");
    std::string word;
    if (!findWord(word, line)) return LineKind::Skip;
    if (equalsNoCase(word, "End")) return LineKind::End;
    if (!equalsNoCase(word, "Begin")) return LineKind::Skip;
    if (!findWord(word, line)) return LineKind::Fail;
    name = underscoresToBlanks(word);
    type = 0;
    if (rules.readType) {
        if (!findWord(word, line)) return LineKind::Fail;
        type = parseInt(word);
    }
    return LineKind::Begin;
}

void parseChartRow(std::string line, UNIT_STRUCT& row) {
    std::string word;
    findWord(word, line);
    row.m_sName = underscoresToBlanks(word);
    while (row.m_arrNumer.size() < kMaxChartCells && findWord(word, line)) row.m_arrNumer.push_back(word);
}

// The rows of the first section called `section`, up to `capacity`; reading stops where that section
// ends. `status` receives the reader's status: 0, the failing line or kStatusNoFile. `type`, when given,
// receives the section header's type number.
template <typename ParseRow>
int readFirstSection(LineSource src, int& status, const std::string& section, const LineRules& rules,
                     std::size_t lineLimit, std::size_t capacity, std::vector<UNIT_STRUCT>& rows, int* type,
                     ParseRow parse) {
    rows.clear();
    if (type) *type = 0;
    status = 0;
    if (!src.ok()) return status = kStatusNoFile, 0;
    SectionWalk walk;
    std::string raw, line, name;
    int headerType = 0;
    while (rows.size() < capacity && src.next(raw, lineLimit)) {
        switch (classify(raw, rules, line, name, headerType)) {
            case LineKind::Fail:
                return status = src.lineNumber(), 0;
            case LineKind::Begin:
                if (walk.begin(!walk.found && name == section) && type) *type = headerType;
                break;
            case LineKind::End:
                if (walk.end()) return 1;
                break;
            case LineKind::Data:
                if (walk.inside == 0) break;
                rows.emplace_back();
                if (!parse(line, rows.back())) {
                    rows.pop_back();
                    return status = src.lineNumber(), 0;
                }
                break;
            case LineKind::Skip:
                break;
        }
    }
    return 1;
}

}  // namespace

bool ParseUnitLine(std::string line, UNIT_STRUCT& unit) {
    unit = UNIT_STRUCT{};
    std::string name, symbol, third;
    if (!findWord(name, line) || !findWord(symbol, line) || !findWord(third, line)) return false;
    unit.m_sName = underscoresToBlanks(name);
    unit.m_sSymbol = underscoresToBlanks(symbol);
    if (third == "!") {
        unit.m_dbFactor = 1;
        return true;
    }
    std::string offset, expression;
    if (!findWord(offset, line) || !findWord(expression, line)) return false;
    unit.m_dbFactor = parseDouble(third);
    unit.m_dbOffset = parseDouble(offset);
    CUnits::analyseExpression(unit, expression);
    return true;
}

void CUnits::setFileName(const std::string& path) {
    m_sFileName = path;
    m_bFromText = false;
}

void CUnits::setText(std::string text) {
    m_sText = std::move(text);
    m_bFromText = true;
}

LineSource CUnits::openSource() const {
    return m_bFromText ? LineSource::fromText(m_sText) : LineSource::fromFile(m_sFileName);
}

int CUnits::getUnits(const std::string& section, std::vector<UNIT_STRUCT>& units, std::size_t capacity) {
    units.clear();
    m_iStatus = 0;
    LineSource src = openSource();
    if (!src.ok()) return m_iStatus = kStatusNoFile, 0;
    const LineRules rules{false, false};
    SectionWalk walk;
    std::string raw, line, name;
    int type = 0;
    while (units.size() < capacity && src.next(raw, kUnitsLine)) {
        switch (classify(raw, rules, line, name, type)) {
            case LineKind::Fail:
                return m_iStatus = src.lineNumber(), 0;
            case LineKind::Begin:
                walk.begin(name == section);
                break;
            case LineKind::End:
                walk.end();
                break;
            case LineKind::Data:
                if (walk.inside == 0) break;
                units.emplace_back();
                if (!ParseUnitLine(line, units.back())) {
                    units.pop_back();
                    return m_iStatus = src.lineNumber(), 0;
                }
                break;
            case LineKind::Skip:
                break;
        }
    }
    return 1;
}

int CUnits::getUnits2(const std::string& section, std::vector<UNIT_STRUCT>& units, int& type,
                      std::size_t capacity) {
    return readFirstSection(
        openSource(), m_iStatus, section, LineRules{true, true}, kUnits2Line, capacity, units, &type,
        [](const std::string& line, UNIT_STRUCT& unit) { return ParseUnitLine(line, unit); });
}

int CUnits::getGroupConvertNew(std::vector<UNIT_GROUP>& groups, const std::string& path) {
    setFileName(path);
    return getGroupConvertNew(groups);
}

int CUnits::getGroupConvertNew(std::vector<UNIT_GROUP>& groups) {
    groups.clear();
    m_iStatus = 0;
    LineSource src = openSource();
    if (!src.ok()) return m_iStatus = kStatusNoFile, 0;
    const LineRules rules{true, false};
    int depth = 0;
    UNIT_GROUP top;  // the open depth-1 section
    std::string raw, line, name;
    int type = 0;
    while (groups.size() < kMaxGroups && src.next(raw, kGroupLine)) {
        switch (classify(raw, rules, line, name, type)) {
            case LineKind::Fail:
                return m_iStatus = src.lineNumber(), 0;
            case LineKind::Begin:
                if (++depth == 1) {
                    top.m_sName = name;
                    top.m_iType = type;
                    top.m_bType1 = type == 1;
                    top.m_bType2 = type == 2;
                }
                break;
            case LineKind::End:
                if (depth == 0) break;
                if (depth-- == 1 && !startsWithNoCase(top.m_sName, "Constant")) groups.push_back(top);
                break;
            case LineKind::Data:
            case LineKind::Skip:
                break;
        }
    }
    return 1;
}

int CUnits::getSpecialUnits(const std::string& section, std::vector<UNIT_STRUCT>& rows) {
    return readFirstSection(openSource(), m_iStatus, section, LineRules{false, false}, kChartLine,
                            kMaxListUnits, rows, nullptr, [](const std::string& line, UNIT_STRUCT& row) {
                                parseChartRow(line, row);
                                return true;
                            });
}

void CUnits::analyseExpression(UNIT_STRUCT& record, const std::string& word) {
    record.m_arrNumer.assign(1, underscoresToBlanks(word));
    record.m_arrDenom.clear();
}

int CUnits::findWord(std::string& word, std::string& line) {
    return unit_text::findWord(word, line);
}
void CUnits::trimLeft(std::string& text) {
    unit_text::trimLeft(text);
}
void CUnits::trimRight(std::string& text) {
    unit_text::trimRight(text);
}
