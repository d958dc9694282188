// The main controller's part of the constants panel: the three lists it fills through CConstant, the
// picks that narrow them, and the insertion of the chosen value into the input line.
//
// Each list request reads its list with a fresh CConstant from the panel's data files; a missing or
// damaged file gives a shorter or empty list (an empty list is not shown). Nothing happens while the
// panel does not exist.
#include <algorithm>

#include "app/controller/orvane_view_controller.h"
#include "app/display/line_text.h"
#include "app/keys/key_codes.h"
#include "app/screens/constants/constant_view.h"
#include "constants/constant_insert.h"
#include "constants/constant_reader.h"
#include "engine/format/format_state.h"
#include "engine/format/group_numbers.h"

namespace {

// The display's decimal comma of the "European" format.
constexpr char16_t kDisplayComma = 0x00B8;

// The text the value field puts into the input line. In the "European" format the decimal point of the
// data file becomes the display's decimal comma first: the line reads "." there as a grouping mark, so a
// value such as 6.674e-11 would otherwise reach the engine as 6674e-11.
std::u16string InsertedText(const std::string& group, const std::string& value) {
    std::u16string text = Utf8ToU16(ConstantInsertText(group, value));
    if (IsEuropeanOutputMode(g_sOutputMode)) std::replace(text.begin(), text.end(), u'.', kDisplayComma);
    return text;
}

ConstantView* Panel(ScreenHost& screens) {
    return dynamic_cast<ConstantView*>(screens.find("constants"));
}

CConstant ReaderOf(const ConstantView& panel) {
    CConstant reader;
    reader.setFileName(panel.constDataFileName(), panel.groupDataFileName());
    return reader;
}

}  // namespace

void OrvaneViewController::ConstantsKey(int code) {
    ConstantView* panel = Panel(*m_screens);
    if (panel == nullptr) return;
    if (code == kKeyConstantInsert) {
        const std::string& value = panel->caption(ConstantView::kValue);
        if (value.empty()) return;
        display().InsertString(InsertedText(panel->caption(ConstantView::kGroup), value), false);
        return;
    }
    CConstant reader = ReaderOf(*panel);
    std::vector<CONSTANT_GROUP> groups;
    const char* list = nullptr;
    if (code == kKeyConstantGroups) {
        reader.getGroupNew(groups);
        list = kConstantGroupList;
    } else if (code == kKeyConstantSubgroups) {
        const std::string& group = panel->caption(ConstantView::kGroup);
        if (panel->curGroupType() != "2" || group.empty()) return;
        reader.getSubGroup(group, groups);
        list = kConstantSubGroupList1;
    } else {
        const std::string& parent = panel->subGroup2Parent();
        if (parent.empty()) return;
        reader.getSubGroup(parent, groups);
        list = kConstantSubGroupList2;
    }
    if (groups.empty()) return;
    KeyList items;
    for (size_t i = 0; i < groups.size(); ++i) {
        items.codes.push_back(static_cast<int>(i));
        items.captions.push_back(U16ToUtf8(Utf8ToU16(groups[i].m_sName)));
    }
    m_constantChoices = std::move(groups);
    ShowList(list, std::move(items));
}

void OrvaneViewController::PickConstant(const std::string& list, int index) {
    ConstantView* panel = Panel(*m_screens);
    if (panel == nullptr || index < 0 || index >= static_cast<int>(m_constantChoices.size())) return;
    const CONSTANT_GROUP chosen = m_constantChoices[index];
    m_constantChoices.clear();
    if (list == kConstantGroupList) {
        panel->setGroup(chosen);
    } else if (list == kConstantSubGroupList1) {
        panel->setSubGroup1(chosen.m_sName);
    } else {
        CConstant reader = ReaderOf(*panel);
        std::vector<CONSTANT_STRUCT> constants;
        reader.getConstants(chosen.m_sName, constants);
        panel->setSubGroup2(chosen.m_sName, std::move(constants));
    }
}
