// The currency converter (mode 1) and the unit converter (mode 2): one screen model on two category pages.
//
// The screen shows the current group, three unit boxes (UCTextBox: a unit button and a value), a group list
// and a unit list with the favourites at the top. A value arrives from the calculator: after each "=" in
// the page's category the controller posts the result ("PostResultStringToCurrency" in mode 1,
// "PostResultStringToUnitConverter" in mode 2); it goes into the focused box and is converted into the
// units of the other two. C (key 4) in the Unit Converter category sets all three boxes to "0.00". In mode
// 2 the first group, "Clothing - Shoe Size & Other Charts", opens the clothing charts (screen "clothing")
// over the page. In mode 1 the currency table can be updated from the feed (currency_update.h).
//
// Remembered per group (200 slots, a group's slot being its index in the group list): the units of the
// three boxes and up to 10 favourite units; in mode 2 also up to 10 favourite groups. Files in the
// documents folder, written at termination (save()):
//   mode 2: "/unitConverterHistory_v15.dat", "/favoriteUnits_v19.txt", "/favoriteGroups_v19.txt";
//           user defaults "HistoryGroupUnitFlag_v15" ("1" once the history is written) and
//           "StartUpGroupUnit_v15" (the group shown at termination);
//   mode 1: "/currencyHistory_v15.dat", "/favoriteCurrency_v19.txt"; "HistoryGroupCurrencyFlag_v15".
// The start group: mode 1 "Currency"; mode 2 the group named by "StartUpGroupUnit_v15", else the first unit
// group; in both modes a group named by "StartUpGroup_v19" wins when the list holds it. (Names the list does
// not hold, and the clothing entry, are ignored at start.)
//
// Screen interface (names for tap / pick / enterText; rows count from 0 as describe() lists them):
//   tap  "box:1".."box:3"       focus that box (FocusUnitBox)
//        "unit:1".."unit:3"     open the unit list for that box (SelectUnitButton)
//        "group"                open the group list (selectGroupBox)
//        "close_list"           close the open list (a tap beside it)
//        "add_favourite:N"      make row N of the open list a favourite (unit list: unit; group list, mode 2:
//                               group); it moves to the front, the eleventh drops out
//        "delete_favourite:N"   remove the favourite shown in row N of the open list (a favourite row)
//        "update"               mode 1: download the currency table (false while one is running)
//   pick "units", N             row N of the unit list: the unit of the box whose list is open (or of the
//                               focused box when none is); the list closes and the values are converted
//        "groups", N            row N of the group list: show that group (the clothing entry opens
//                               "clothing"); the list closes
//   enterText "value"           a number into the focused box, as a posted calculator result
// describe():
//   "mode" 1|2, "group" the current group's name, "caption" ("Currency (<table date>)" in mode 1, else the
//   group's name), "focus" 1..3, "boxes": three {"unit" name, "symbol", "value" (the text as shown,
//   localised by fixTextDisplay), "focused"}, "list" ("" | "units" | "groups"), "list_box" (1..3, the box
//   whose unit list is open, 0 when none), "units": rows {"text" (mode 1 "<name> - <symbol>", mode 2 the
//   name), "unit" (index in the group's unit list), "favourite"}, favourites first, then every unit;
//   "groups": rows {"text", "group" (index in the group list), "favourite"}, favourite groups first, then
//   every group; "busy" (a download is running), "update_enabled" (mode 1 and not busy).
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/screens/converter/converter_files.h"
#include "app/screens/converter/currency_update.h"
#include "app/screens/screen_host.h"
#include "units/unit_convert.h"
#include "units/unit_types.h"

// One unit box: the unit (index in the group's unit list, -1 for none) and the value text (engine digits,
// "." as decimal point).
struct UCTextBox {
    int unit = -1;
    std::string text = "0.00";
};

class UnitConverterView : public ScreenModel {
  public:
    static constexpr int kCurrencyMode = 1;
    static constexpr int kUnitMode = 2;

    // Reads the data and the remembered state and shows the start group (initData).
    UnitConverterView(ScreenContext& context, int mode);
    ~UnitConverterView() override;

    const char* name() const override;
    nlohmann::json describe() const override;
    bool tap(std::string_view element) override;
    bool enterText(std::string_view field, const std::u16string& text) override;
    bool pick(std::string_view list, int index) override;
    void didHide() override;
    // Writes the histories, favourites, favourite groups, flags and the start group.
    void save() override;

    // Shows a group of the list by name: the clothing entry opens the clothing charts; "Currency" loads the
    // currency table, any other name that section of the units file. The boxes take the group's remembered
    // units and the values are reset. False for a name the list does not hold.
    bool setGroupName(const std::string& group);
    // Converts the focused box's value into the other two boxes.
    void convertUnit();
    // A calculator result: into the focused box, then convertUnit. Empty texts, and texts that are no real
    // number (messages, complex results), are ignored.
    bool setValueInTextBox(const std::string& text);
    // All three boxes "0.00".
    void clearAllTextBoxValue();
    // box 1..3.
    bool FocusUnitBox(int box);
    bool SelectUnitButton(int box);
    void selectGroupBox();
    // Row of the open list made a favourite / a favourite row removed.
    bool addToFavoriteList(int row);
    bool dellFavouriteCell(int row);
    // Mode 1: starts the currency download (false when one is running or in mode 2).
    bool downloadCurrencyFile();
    // Reloads the currency table in use and keeps the boxes' units where their indices still exist.
    void updateCurrencyFile(const std::string& group);

    int mode() const { return m_nMode; }
    const std::string& groupName() const { return m_sGroup; }
    std::string caption() const;
    const std::vector<std::string>& groupList() const { return m_arrGroups; }
    const std::vector<UNIT_STRUCT>& units() const { return m_arrUnits; }
    const UCTextBox& box(int box) const { return m_boxes[static_cast<std::size_t>(box - 1)]; }
    // The value as shown (fixTextDisplay for the current output format).
    std::string boxDisplay(int box) const;
    int focusedBox() const { return m_nFocus + 1; }
    const std::string& openList() const { return m_sOpenList; }
    // The current group's favourite units that its list holds, most recent first.
    std::vector<int> favouriteUnits() const;
    const std::vector<int>& favouriteGroups() const { return m_favGroups; }
    // Rows of the lists: favourites first, then every entry (indices into units() / groupList()).
    std::vector<int> unitRows() const;
    std::vector<int> groupRows() const;
    bool downloading() const { return m_updater->busy(); }
    // The download's time-out (kCurrencyDownloadTimeout unless a test shortens it).
    void setDownloadTimeout(double seconds) { m_dbTimeout = seconds; }

  private:
    void initData();
    void loadRemembered();
    void loadCurrencyUnit(const std::string& tableText);
    void loadUnitsInGroup(const std::string& group);
    void takeRememberedUnits();
    int groupIndex(const std::string& group) const;
    int slot() const { return m_nGroup; }
    std::vector<int>& favouritesOfGroup();
    void setBoxUnit(int boxIndex, int unit);
    void saveHistoryGroup();
    void saveFavoriteUnits();
    void saveFavoriteGroups();
    void onDownloadDone(const CurrencyUpdateResult& result);
    void writeText(const char* file, const std::string& text);

    ScreenContext m_context;
    const int m_nMode;
    CUnitConvert m_converter;
    std::string m_sUnitsFile;
    std::vector<std::string> m_arrGroups;  // clothing entry first in mode 2
    std::string m_sGroup;
    int m_nGroup = -1;         // index of m_sGroup in m_arrGroups
    std::string m_sTableDate;  // mode 1: the currency table's date
    std::vector<UNIT_STRUCT> m_arrUnits;
    std::array<UCTextBox, kUnitBoxes> m_boxes;
    int m_nFocus = 0;
    std::string m_sOpenList;
    int m_nListBox = -1;
    BoxHistory m_history;
    FavouriteTable m_favUnits;
    std::vector<int> m_favGroups;
    bool m_bLoaded = false;
    std::unique_ptr<CurrencyUpdater> m_updater;
    double m_dbTimeout = kCurrencyDownloadTimeout;
};

// A calculator result read as a real number: plain decimals with an optional exponent ("1.5E20"), proper
// and mixed fractions ("1/3", "-2 1/2"); U+00B8 counts as the decimal point and U+2212 as a minus.
// False for anything else (messages, complex results, empty text).
bool ParseResultValue(const std::string& text, double& value, std::string& normalised);
