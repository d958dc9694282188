#include "constants/constant_catalog.h"

#include "constants/constant_reader.h"

namespace {

void appendConstants(CConstant& reader, const std::string& section, ConstantEntry base,
                     std::vector<ConstantEntry>& out) {
    std::vector<CONSTANT_STRUCT> constants;
    reader.getConstants(section, constants);
    for (const CONSTANT_STRUCT& c : constants) {
        base.name = c.m_sName;
        base.value = c.m_sValue;
        out.push_back(base);
    }
}

}  // namespace

std::vector<ConstantEntry> ListAllConstants(const std::string& constantsFile, const std::string& groupFile) {
    std::vector<ConstantEntry> out;
    CConstant reader;
    reader.setFileName(constantsFile, groupFile);
    std::vector<CONSTANT_GROUP> groups;
    reader.getGroupNew(groups);
    for (const CONSTANT_GROUP& g : groups) {
        std::vector<CONSTANT_GROUP> subs;
        reader.getSubGroup(g.m_sName, subs);
        for (const CONSTANT_GROUP& s : subs) {
            ConstantEntry base{g.m_sName, s.m_sName, {}, {}, {}};
            if (!g.m_bFlag) {
                appendConstants(reader, s.m_sName, base, out);
                continue;
            }
            std::vector<CONSTANT_GROUP> subSubs;
            reader.getSubGroup(s.m_sName, subSubs);
            for (const CONSTANT_GROUP& ss : subSubs) {
                base.subSubGroup = ss.m_sName;
                appendConstants(reader, ss.m_sName, base, out);
            }
        }
    }
    return out;
}
