// libFuzzer target: the constants library reader and the inserted-text rule over arbitrary input, used as
// both the constants file and the group file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "constants/constant_insert.h"
#include "constants/constant_reader.h"

namespace {

// A read's result and the status it left: 1 with status 0, or 0 with a line number.
void checkRead(const CConstant& reader, int result) {
    int status = reader.getStatus();
    if (!((result == 1 && status == 0) || (result == 0 && status > 0))) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    CConstant reader;
    reader.setText(text, text);
    std::vector<CONSTANT_GROUP> groups;
    checkRead(reader, reader.getGroupNew(groups));
    if (groups.size() > kMaxConstantGroups) std::abort();
    std::size_t walked = 0;
    for (const CONSTANT_GROUP& g : groups) {
        if (++walked > 4) break;
        std::vector<CONSTANT_GROUP> subs;
        checkRead(reader, reader.getSubGroup(g.m_sName, subs));
        for (const CONSTANT_GROUP& s : subs) {
            std::vector<CONSTANT_STRUCT> constants;
            checkRead(reader, reader.getConstants(s.m_sName, constants));
            if (constants.size() > kMaxConstants) std::abort();
            for (const CONSTANT_STRUCT& c : constants) ConstantInsertText(g.m_sName, c.m_sValue);
        }
    }
    ConstantInsertText(text.substr(0, 16), text);
    return 0;
}
