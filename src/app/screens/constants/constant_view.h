// The constants panel: the page of the Constants category in the mode keyboard.
//
// Four fields, each a caption (the chosen name or value) and a button: group, first sub-group, second
// sub-group, value. A tap on a button sends its key code to the main controller: group 170, first
// sub-group 171, second sub-group 172, value 173. The controller fills and shows the list of the field
// through CConstant (the groups of the group file; the sub-groups of the chosen group; the sub-groups of
// the first sub-group in a two-level group) and hands the pick back here, which narrows the following
// fields; for the value field it inserts the chosen value into the input line.
//
// Group type "1" (a group with one sub-group level) hides the first sub-group pair and shows the second
// pair in its row: group, sub-group (172), value. Type "2" shows group, sub-group (171), sub-sub-group
// (172), value. The innermost sub-group is always the second pair; its constants form the value list,
// shown on the panel: picking one puts its value (with its unit) in the value caption and its name on
// the value button. When the value list is filled its first constant is chosen.
//
// Elements (tap): "group", "subgroup1", "subgroup2", "value" (the buttons: keys 170..173 to the
// controller; "subgroup1" is refused while hidden). Lists (pick): "constants" (the value list).
// describe(): "group_type" ("1"/"2"); "group", "subgroup1", "subgroup2", "value" (the captions);
// "value_name" (the chosen constant's name); "subgroup1_visible"; "fields" (the field names in their
// rows, top to bottom); "constants" [{"name", "value"}]; "selected_constant" (-1 for none).
#pragma once

#include <string>
#include <vector>

#include "app/screens/screen_host.h"
#include "constants/constant_types.h"

class ConstantView : public ScreenModel {
  public:
    enum Field { kGroup, kSubGroup1, kSubGroup2, kValue };

    explicit ConstantView(ScreenContext& context);

    const char* name() const override { return "constants"; }
    nlohmann::json describe() const override;
    bool tap(std::string_view element) override;
    bool pick(std::string_view list, int index) override;

    // "1" or "2" (anything else is taken as "1").
    void setConstantGroupType(const std::string& type);
    // A field's button: its key code to the controller.
    void pressButton(Field field);

    // What the controller's list picks set. Each clears the fields after it (and the value list).
    void setGroup(const CONSTANT_GROUP& group);
    void setSubGroup1(const std::string& name);
    // The innermost sub-group with its constants (the value list; the first is chosen).
    void setSubGroup2(const std::string& name, std::vector<CONSTANT_STRUCT> constants);
    // Chooses constant index of the value list; false when out of range.
    bool selectConstant(int index);

    // Paths of the constants and group files (the resources "const.dat" and "groupconst.dat"); tests
    // point them elsewhere.
    const std::string& constDataFileName() const { return m_sConstDataFileName; }
    const std::string& groupDataFileName() const { return m_sGroupDataFileName; }
    void setDataFileNames(const std::string& constants, const std::string& groups);

    const std::string& curGroupType() const { return m_sCurGroupType; }
    const std::string& caption(Field field) const { return m_captions[field]; }
    const std::string& valueName() const { return m_sValueName; }
    const std::vector<CONSTANT_STRUCT>& constants() const { return m_constants; }
    int selectedConstant() const { return m_nSelectedConstant; }
    // The parent whose sub-groups the second sub-group list offers: the first sub-group in type "2",
    // else the group ("" when not chosen yet).
    const std::string& subGroup2Parent() const;

  private:
    void ClearFrom(Field field);

    ScreenContext m_context;
    std::string m_sConstDataFileName;
    std::string m_sGroupDataFileName;
    std::string m_sCurGroupType = "1";
    std::string m_captions[4];
    std::string m_sValueName;
    std::vector<CONSTANT_STRUCT> m_constants;
    int m_nSelectedConstant = -1;
};
