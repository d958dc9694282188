#include "app/screens/constants/constant_view.h"

#include "app/controller/orvane_view_controller.h"
#include "app/display/line_text.h"
#include "app/keys/key_codes.h"

namespace {

const char* const kFieldNames[] = {"group", "subgroup1", "subgroup2", "value"};
const int kFieldKeys[] = {kKeyConstantGroups, kKeyConstantSubgroups, kKeyConstantItems, kKeyConstantInsert};

// File texts are meant to be ASCII; anything else is shown through the UTF-8 reading with replacement
// characters, so that a damaged file can never make the description invalid.
std::string Shown(const std::string& text) {
    return U16ToUtf8(Utf8ToU16(text));
}

}  // namespace

ConstantView::ConstantView(ScreenContext& context)
    : m_context(context),
      m_sConstDataFileName(ResourcePath(context.platform.storage, "const.dat")),
      m_sGroupDataFileName(ResourcePath(context.platform.storage, "groupconst.dat")) {}

void ConstantView::setDataFileNames(const std::string& constants, const std::string& groups) {
    m_sConstDataFileName = constants;
    m_sGroupDataFileName = groups;
}

void ConstantView::setConstantGroupType(const std::string& type) {
    m_sCurGroupType.assign(1, type == "2" ? '2' : '1');
    changed();
}

void ConstantView::pressButton(Field field) {
    m_context.controller.pressButtonHasKeycode(kFieldKeys[field]);
}

void ConstantView::ClearFrom(Field field) {
    for (int f = field; f <= kValue; ++f) m_captions[f].clear();
    m_sValueName.clear();
    m_constants.clear();
    m_nSelectedConstant = -1;
}

void ConstantView::setGroup(const CONSTANT_GROUP& group) {
    ClearFrom(kSubGroup1);
    m_captions[kGroup] = group.m_sName;
    setConstantGroupType(group.m_bFlag ? "2" : "1");
}

void ConstantView::setSubGroup1(const std::string& name) {
    ClearFrom(kSubGroup2);
    m_captions[kSubGroup1] = name;
    changed();
}

void ConstantView::setSubGroup2(const std::string& name, std::vector<CONSTANT_STRUCT> constants) {
    ClearFrom(kValue);
    m_captions[kSubGroup2] = name;
    m_constants = std::move(constants);
    if (!selectConstant(0)) changed();
}

bool ConstantView::selectConstant(int index) {
    if (index < 0 || index >= static_cast<int>(m_constants.size())) return false;
    m_nSelectedConstant = index;
    m_captions[kValue] = m_constants[index].m_sValue;
    m_sValueName = m_constants[index].m_sName;
    changed();
    return true;
}

const std::string& ConstantView::subGroup2Parent() const {
    return m_sCurGroupType == "2" ? m_captions[kSubGroup1] : m_captions[kGroup];
}

bool ConstantView::tap(std::string_view element) {
    for (int f = kGroup; f <= kValue; ++f) {
        if (element != kFieldNames[f]) continue;
        if (f == kSubGroup1 && m_sCurGroupType != "2") return false;
        pressButton(static_cast<Field>(f));
        return true;
    }
    return false;
}

bool ConstantView::pick(std::string_view list, int index) {
    return list == "constants" && selectConstant(index);
}

nlohmann::json ConstantView::describe() const {
    nlohmann::json j;
    const bool two = m_sCurGroupType == "2";
    j["group_type"] = m_sCurGroupType;
    for (int f = kGroup; f <= kValue; ++f) j[kFieldNames[f]] = Shown(m_captions[f]);
    j["value_name"] = Shown(m_sValueName);
    j["subgroup1_visible"] = two;
    j["fields"] = two ? nlohmann::json{"group", "subgroup1", "subgroup2", "value"}
                      : nlohmann::json{"group", "subgroup2", "value"};
    nlohmann::json constants = nlohmann::json::array();
    for (const CONSTANT_STRUCT& c : m_constants)
        constants.push_back({{"name", Shown(c.m_sName)}, {"value", Shown(c.m_sValue)}});
    j["constants"] = constants;
    j["selected_constant"] = m_nSelectedConstant;
    return j;
}
