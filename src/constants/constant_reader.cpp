#include "constants/constant_reader.h"

#include "units/section_walk.h"

using namespace constant_lines;

void CConstant::setFileName(const std::string& constantsPath, const std::string& groupPath) {
    m_sConstPath = constantsPath.size() <= kMaxConstantPath ? constantsPath : std::string();
    m_sGroupPath = groupPath.size() <= kMaxConstantPath ? groupPath : std::string();
    m_bFromText = false;
}

void CConstant::setText(std::string constantsText, std::string groupText) {
    m_sConstText = std::move(constantsText);
    m_sGroupText = std::move(groupText);
    m_bFromText = true;
}

Source CConstant::open(bool groupFile) const {
    if (m_bFromText) return Source::fromText(groupFile ? m_sGroupText : m_sConstText);
    const std::string& path = groupFile ? m_sGroupPath : m_sConstPath;
    return path.empty() ? Source::none() : Source::fromFile(path);
}

int CConstant::getGroupNew(std::vector<CONSTANT_GROUP>& groups) {
    groups.clear();
    m_iStatus = 0;
    Source src = open(true);
    if (!src.ok()) return m_iStatus = kConstantNoFile, 0;
    int depth = 0;
    CONSTANT_GROUP top;
    std::string raw, line, name;
    int type = 0;
    while (groups.size() < kMaxConstantGroups && src.next(raw)) {
        switch (classify(raw, true, line, name, type)) {
            case Kind::Fail:
                return m_iStatus = src.lineNumber(), 0;
            case Kind::Begin:
                if (++depth == 1) top = CONSTANT_GROUP{name, type != 0};
                break;
            case Kind::End:
                if (depth == 0) break;
                if (depth-- == 1) groups.push_back(top);
                break;
            case Kind::Data:
            case Kind::Skip:
                break;
        }
    }
    return 1;
}

int CConstant::getSubGroup(const std::string& name, std::vector<CONSTANT_GROUP>& groups) {
    groups.clear();
    m_iStatus = 0;
    Source src = open(false);
    if (!src.ok()) return m_iStatus = kConstantNoFile, 0;
    SectionWalk walk;  // looks into the first section called name
    CONSTANT_GROUP child;
    std::string raw, line, header;
    int type = 0;
    while (groups.size() < kMaxConstantSubGroups && src.next(raw)) {
        switch (classify(raw, true, line, header, type)) {
            case Kind::Fail:
                return m_iStatus = src.lineNumber(), 0;
            case Kind::Begin:
                walk.begin(!walk.found && header == name);
                if (walk.inside != 0 && walk.depth == walk.inside + 1)
                    child = CONSTANT_GROUP{header, type != 0};
                break;
            case Kind::End:
                if (walk.inside != 0 && walk.depth == walk.inside + 1) groups.push_back(child);
                walk.end();
                break;
            case Kind::Data:
            case Kind::Skip:
                break;
        }
    }
    return 1;
}

int CConstant::getConstants(const std::string& name, std::vector<CONSTANT_STRUCT>& constants) {
    constants.clear();
    m_iStatus = 0;
    Source src = open(false);
    if (!src.ok()) return m_iStatus = kConstantNoFile, 0;
    SectionWalk walk;  // looks into the first section called name
    std::string raw, line, header, word;
    int type = 0;
    while (constants.size() < kMaxConstants && src.next(raw)) {
        switch (classify(raw, false, line, header, type)) {
            case Kind::Fail:
                return m_iStatus = src.lineNumber(), 0;
            case Kind::Begin:
                walk.begin(!walk.found && header == name);
                break;
            case Kind::End:
                if (walk.end()) return 1;
                break;
            case Kind::Data: {
                if (walk.inside == 0) break;
                CONSTANT_STRUCT c;
                findWord(word, line);
                c.m_sName = underscoresToBlanks(word);
                if (!findWord(word, line)) return m_iStatus = src.lineNumber(), 0;
                c.m_sValue = underscoresToBlanks(word);
                constants.push_back(std::move(c));
                break;
            }
            case Kind::Skip:
                break;
        }
    }
    return 1;
}

int CConstant::findWord(std::string& word, std::string& line) {
    return constant_lines::findWord(word, line);
}
void CConstant::trimLeft(std::string& text) {
    constant_lines::trimLeft(text);
}
void CConstant::trimRight(std::string& text) {
    constant_lines::trimRight(text);
}
