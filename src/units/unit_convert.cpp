#include "units/unit_convert.h"

#include <algorithm>
#include <cmath>

#include "units/line_source.h"
#include "units/unit_text.h"
#include "units/units_reader.h"

namespace {

constexpr std::size_t kFlatLine = 254;
constexpr std::size_t kDateLine = 255;
// Expansion limits: nesting of definitions, and items of one record. Files define each unit by one item,
// so neither is reached by real data; they bound what a damaged or circular definition can cost.
constexpr std::size_t kMaxExpansionDepth = 64;
constexpr std::size_t kMaxItems = 4096;

bool namesUnit(const UNIT_STRUCT& u, const std::string& text) {
    return u.m_sName == text || u.m_sSymbol == text;
}

bool isBase(const UNIT_STRUCT& u) {
    return u.m_arrNumer.empty() && u.m_arrDenom.empty();
}

// The record is a single numerator item equal to one of the given texts, with no denominators.
bool isSingleItem(const UNIT_STRUCT& u, const std::string& a, const std::string& b) {
    return u.m_arrDenom.empty() && u.m_arrNumer.size() == 1 && (u.m_arrNumer[0] == a || u.m_arrNumer[0] == b);
}

bool sameMultiset(std::vector<std::string> a, std::vector<std::string> b) {
    if (a.size() != b.size()) return false;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

bool finiteResult(double factor, double offset) {
    return std::isfinite(factor) && std::isfinite(offset);
}

}  // namespace

CUnitConvert::CUnitConvert() {
    m_arrUnits.reserve(64);
}

void CUnitConvert::loadFlat(LineSource& src) {
    m_arrUnits.clear();
    m_iType = 0;
    m_iStatus = 0;
    if (!src.ok()) {
        m_iStatus = kStatusNoFile;
        return;
    }
    std::string line;
    while (m_arrUnits.size() < kMaxLoadedUnits && src.next(line, kFlatLine)) {
        unit_text::blankAndTrim(line, "\t\n");
        if (line.empty() || line[0] == '#' || line[0] == '@') continue;
        UNIT_STRUCT unit;
        if (!ParseUnitLine(line, unit)) {
            m_iStatus = src.lineNumber();
            return;
        }
        m_arrUnits.push_back(std::move(unit));
    }
}

void CUnitConvert::openFile(const std::string& path) {
    LineSource src = LineSource::fromFile(path);
    loadFlat(src);
}

void CUnitConvert::openFileText(const std::string& text) {
    LineSource src = LineSource::fromText(text);
    loadFlat(src);
}

void CUnitConvert::openGroup(const std::string& section, const std::string& path) {
    CUnits reader;
    reader.setFileName(path);
    reader.getUnits2(section, m_arrUnits, m_iType, kMaxLoadedUnits);
    m_iStatus = reader.getStatus();
}

void CUnitConvert::openGroupText(const std::string& section, const std::string& text) {
    CUnits reader;
    reader.setText(text);
    reader.getUnits2(section, m_arrUnits, m_iType, kMaxLoadedUnits);
    m_iStatus = reader.getStatus();
}

int CUnitConvert::findUnits(const std::string& text) const {
    for (std::size_t i = 0; i < m_arrUnits.size(); ++i)
        if (namesUnit(m_arrUnits[i], text)) return static_cast<int>(i) + 1;
    return 0;
}

int CUnitConvert::inStandard(const std::string& text) const {
    for (const UNIT_STRUCT& u : m_arrUnits)
        if (namesUnit(u, text) && isBase(u)) return 1;
    return 0;
}

void CUnitConvert::copyUnits(UNIT_STRUCT& to, const UNIT_STRUCT& from) {
    to = from;
}

void CUnitConvert::deleteUnits(UNIT_STRUCT& record) {
    record = UNIT_STRUCT{};
}

// 1-based index of the loaded unit an item is to be replaced by, 0 when the item stays as it is.
int CUnitConvert::expandableUnit(const std::string& item, const std::vector<int>& active) const {
    if (active.size() >= kMaxExpansionDepth || inStandard(item)) return 0;
    int index = findUnits(item);
    if (index == 0 || m_arrUnits[index - 1].m_dbOffset != 0) return 0;
    if (std::find(active.begin(), active.end(), index) != active.end()) return 0;
    return index;
}

// The offset scales with the factor: v * f + o in units worth k each is v * f * k + o * k. (Keeping it at 0
// would lose the offset of a unit defined through a scaled unit, such as a temperature scale in millikelvin.)
void CUnitConvert::expand(UNIT_STRUCT& record, std::vector<int>& active) const {
    auto& numer = record.m_arrNumer;
    auto& denom = record.m_arrDenom;
    for (std::size_t i = 0; i < numer.size() && numer.size() + denom.size() < kMaxItems;) {
        int index = expandableUnit(numer[i], active);
        if (index == 0) {
            ++i;
            continue;
        }
        UNIT_STRUCT u = m_arrUnits[index - 1];
        active.push_back(index);
        expand(u, active);
        active.pop_back();
        record.m_dbFactor *= u.m_dbFactor;
        record.m_dbOffset *= u.m_dbFactor;
        numer.erase(numer.begin() + static_cast<std::ptrdiff_t>(i));
        numer.insert(numer.begin() + static_cast<std::ptrdiff_t>(i), u.m_arrNumer.begin(),
                     u.m_arrNumer.end());
        denom.insert(denom.end(), u.m_arrDenom.begin(), u.m_arrDenom.end());
        i += u.m_arrNumer.size();
    }
    for (std::size_t i = 0; i < denom.size() && numer.size() + denom.size() < kMaxItems;) {
        int index = expandableUnit(denom[i], active);
        if (index == 0) {
            ++i;
            continue;
        }
        UNIT_STRUCT u = m_arrUnits[index - 1];
        active.push_back(index);
        expand(u, active);
        active.pop_back();
        record.m_dbFactor /= u.m_dbFactor;
        record.m_dbOffset /= u.m_dbFactor;
        numer.insert(numer.end(), u.m_arrDenom.begin(), u.m_arrDenom.end());
        denom.erase(denom.begin() + static_cast<std::ptrdiff_t>(i));
        denom.insert(denom.begin() + static_cast<std::ptrdiff_t>(i), u.m_arrNumer.begin(),
                     u.m_arrNumer.end());
        i += u.m_arrNumer.size();
    }
}

void CUnitConvert::standardizeUnits(UNIT_STRUCT& record) const {
    std::vector<int> active;
    expand(record, active);
}

void CUnitConvert::reduceUnits(UNIT_STRUCT& record) {
    auto& numer = record.m_arrNumer;
    auto& denom = record.m_arrDenom;
    for (std::size_t i = 0; i < numer.size();) {
        auto match = std::find(denom.begin(), denom.end(), numer[i]);
        if (match == denom.end()) {
            ++i;
            continue;
        }
        denom.erase(match);
        numer.erase(numer.begin() + static_cast<std::ptrdiff_t>(i));
    }
    std::erase(numer, std::string("1"));
    std::erase(denom, std::string("1"));
}

int CUnitConvert::isSameNumer(const UNIT_STRUCT& a, const UNIT_STRUCT& b) {
    return sameMultiset(a.m_arrNumer, b.m_arrNumer) ? 1 : 0;
}

int CUnitConvert::isSameDenom(const UNIT_STRUCT& a, const UNIT_STRUCT& b) {
    return sameMultiset(a.m_arrDenom, b.m_arrDenom) ? 1 : 0;
}

int CUnitConvert::compareUnits(UNIT_STRUCT from, UNIT_STRUCT to, double& factor, double& offset) const {
    const bool fromBase = inStandard(from.m_sSymbol) != 0;
    const bool toBase = inStandard(to.m_sSymbol) != 0;
    double f = 0, o = 0;
    if (fromBase && toBase) {
        if (from.m_sSymbol != to.m_sSymbol) return 0;
        f = 1;
    } else if (fromBase) {
        standardizeUnits(to);
        reduceUnits(to);
        if (!isSingleItem(to, from.m_sName, from.m_sSymbol) || to.m_dbFactor == 0) return 0;
        f = 1 / to.m_dbFactor;
        o = -to.m_dbOffset / to.m_dbFactor;
    } else if (toBase) {
        standardizeUnits(from);
        reduceUnits(from);
        if (!isSingleItem(from, to.m_sName, to.m_sSymbol)) return 0;
        f = from.m_dbFactor;
        o = from.m_dbOffset;
    } else if (isSingleItem(from, to.m_sSymbol, to.m_sSymbol)) {
        f = from.m_dbFactor;
        o = from.m_dbOffset;
    } else if (isSingleItem(to, from.m_sSymbol, from.m_sSymbol)) {
        if (to.m_dbFactor == 0) return 0;
        f = 1 / to.m_dbFactor;
        o = -to.m_dbOffset / to.m_dbFactor;
    } else {
        standardizeUnits(from);
        standardizeUnits(to);
        reduceUnits(from);
        reduceUnits(to);
        if (!isSameNumer(from, to) || !isSameDenom(from, to) || to.m_dbFactor == 0) return 0;
        f = from.m_dbFactor / to.m_dbFactor;
        o = (from.m_dbOffset - to.m_dbOffset) / to.m_dbFactor;
    }
    if (!finiteResult(f, o)) return 0;
    factor = f;
    offset = o;
    return 1;
}

int CUnitConvert::compareUnits(const std::string& from, const std::string& to, double& factor, double& offset,
                               bool& reciprocal) {
    reciprocal = false;
    int i = findUnits(from);
    int j = findUnits(to);
    if (i == 0 || j == 0) return m_iStatus = kStatusUnitNotFound, 0;
    const UNIT_STRUCT& a = m_arrUnits[i - 1];
    const UNIT_STRUCT& b = m_arrUnits[j - 1];
    if (m_iType == kReciprocalGroupType) {
        bool sameKind = a.m_dbOffset == b.m_dbOffset;
        double f = sameKind ? b.m_dbFactor / a.m_dbFactor : a.m_dbFactor * b.m_dbFactor;
        if (!std::isfinite(f)) return m_iStatus = kStatusNotConvertible, 0;
        factor = f;
        offset = 0;
        reciprocal = !sameKind;
        return 1;
    }
    if (!compareUnits(a, b, factor, offset)) return m_iStatus = kStatusNotConvertible, 0;
    return 1;
}

std::string CUnitConvert::getDateFromFile(const std::string& path) {
    LineSource src = LineSource::fromFile(path);
    std::string line;
    src.next(line, kDateLine);
    return line;
}

void CUnitConvert::trimLeft(std::string& text) {
    unit_text::trimLeft(text);
}
void CUnitConvert::trimRight(std::string& text) {
    unit_text::trimRight(text);
}
int CUnitConvert::findWord(std::string& word, std::string& line) {
    return unit_text::findWord(word, line);
}
void CUnitConvert::analyseExpression(UNIT_STRUCT& record, const std::string& word) {
    CUnits::analyseExpression(record, word);
}

double ApplyConversion(double value, double factor, double offset, bool reciprocal) {
    if (!reciprocal) return value * factor + offset;
    return value == 0 ? 0 : factor / value;
}
