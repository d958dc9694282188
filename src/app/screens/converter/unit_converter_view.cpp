#include "app/screens/converter/unit_converter_view.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "app/controller/orvane_view_controller.h"
#include "app/display/line_text.h"
#include "app/screens/converter/currency_feed.h"
#include "app/screens/text_format.h"
#include "engine/format/format_state.h"
#include "units/unit_catalog.h"
#include "units/unit_format.h"
#include "units/unit_text.h"
#include "units/units_reader.h"

namespace {

constexpr const char* kClearedValue = "0.00";

struct ModeFiles {
    const char* history;
    const char* historyFlag;
    const char* favourites;
    const char* resultNotification;
};

const ModeFiles& FilesOf(int mode) {
    static const ModeFiles currency{"/currencyHistory_v15.dat", "HistoryGroupCurrencyFlag_v15",
                                    "/favoriteCurrency_v19.txt", "PostResultStringToCurrency"};
    static const ModeFiles units{"/unitConverterHistory_v15.dat", "HistoryGroupUnitFlag_v15",
                                 "/favoriteUnits_v19.txt", "PostResultStringToUnitConverter"};
    return mode == UnitConverterView::kCurrencyMode ? currency : units;
}

constexpr const char* kFavouriteGroupsFile = "/favoriteGroups_v19.txt";
constexpr const char* kStartUpGroupUnit = "StartUpGroupUnit_v15";
constexpr const char* kStartUpGroup = "StartUpGroup_v19";

std::string ReadText(const Storage& storage, const std::string& path) {
    const auto bytes = storage.readFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

// A notification's text object, which posters attach as UTF-16 or 8-bit text.
std::string TextOf(const std::any& object) {
    if (const auto* u16 = std::any_cast<std::u16string>(&object)) return U16ToUtf8(*u16);
    if (const auto* s = std::any_cast<std::string>(&object)) return *s;
    if (const auto* c = std::any_cast<const char*>(&object)) return *c != nullptr ? *c : "";
    return {};
}

// "box:2" -> 2; -1 when element is not prefix followed by a number.
int NumberAfter(std::string_view element, std::string_view prefix) {
    if (element.substr(0, prefix.size()) != prefix || element.size() == prefix.size()) return -1;
    int n = 0;
    for (char c : element.substr(prefix.size())) {
        if (c < '0' || c > '9' || n > 100000) return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

void ReplaceAll(std::string& s, const std::string& from, const std::string& to) {
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

bool WholeNumber(const std::string& text, double& value) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return *end == '\0' && std::isfinite(value);
}

bool Digits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "n/d" with unsigned digits; d must not be 0.
bool Fraction(const std::string& text, double& value) {
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos) return false;
    const std::string n = text.substr(0, slash), d = text.substr(slash + 1);
    if (!Digits(n) || !Digits(d)) return false;
    const double den = std::strtod(d.c_str(), nullptr);
    if (den == 0) return false;
    value = std::strtod(n.c_str(), nullptr) / den;
    return std::isfinite(value);
}

}  // namespace

bool ParseResultValue(const std::string& text, double& value, std::string& normalised) {
    std::string s = text;
    unit_text::trimLeft(s);
    unit_text::trimRight(s);
    ReplaceAll(s, "\xC2\xB8", ".");      // the display's decimal comma
    ReplaceAll(s, "\xE2\x88\x92", "-");  // minus sign
    if (s.empty()) return false;
    normalised = s;
    if (WholeNumber(s, value)) return true;
    const bool negative = s[0] == '-';
    std::string body = negative ? s.substr(1) : s;
    double whole = 0, part = 0;
    const std::size_t blank = body.find(' ');
    if (blank == std::string::npos) {
        if (!Fraction(body, part)) return false;
    } else if (!Digits(body.substr(0, blank)) || !Fraction(body.substr(blank + 1), part)) {
        return false;
    } else {
        whole = std::strtod(body.c_str(), nullptr);
    }
    value = negative ? -(whole + part) : whole + part;
    return true;
}

// ---- construction and start ------------------------------------------------------------------------------

UnitConverterView::UnitConverterView(ScreenContext& context, int mode)
    : m_context(context),
      m_nMode(mode == kCurrencyMode ? kCurrencyMode : kUnitMode),
      m_history(DefaultBoxHistory()),
      m_updater(std::make_unique<CurrencyUpdater>(context.platform.storage, context.platform.http)) {
    NotificationCenter& nc = m_context.platform.notifications;
    nc.addObserver(
        FilesOf(m_nMode).resultNotification,
        [this](const Notification& n) { setValueInTextBox(TextOf(n.object)); }, this);
    if (m_nMode == kCurrencyMode) {
        nc.addObserver(
            "DownloadCurrencyFile", [this](const Notification&) { downloadCurrencyFile(); }, this);
    } else {
        m_context.controller.onClearUnitConverter = [this] { clearAllTextBoxValue(); };
    }
    initData();
}

UnitConverterView::~UnitConverterView() {
    m_context.platform.notifications.removeObserversOf(this);
    if (m_nMode == kUnitMode) m_context.controller.onClearUnitConverter = nullptr;
}

const char* UnitConverterView::name() const {
    return m_nMode == kCurrencyMode ? "currency_converter" : "unit_converter";
}

void UnitConverterView::initData() {
    const Storage& storage = m_context.platform.storage;
    m_sUnitsFile = ResourcePath(storage, "units.dat");
    if (m_nMode == kCurrencyMode) {
        m_arrGroups = {kCurrencyGroupName};
    } else {
        m_arrGroups = {kClothingGroupName};
        for (const UNIT_GROUP& g : ListConverterGroups(ResourcePath(storage, "groupunits.dat"))) {
            if (m_arrGroups.size() >= static_cast<std::size_t>(kGroupSlots)) break;
            m_arrGroups.push_back(g.m_sName);
        }
    }
    loadRemembered();
    // The start group: the one last shown (unit mode), else the first real group; a set start-up group wins.
    auto usable = [this](const std::string& name) {
        const int i = groupIndex(name);
        return i >= 0 && m_arrGroups[static_cast<std::size_t>(i)] != kClothingGroupName;
    };
    std::string start = m_arrGroups.size() > 1 ? m_arrGroups[1] : m_arrGroups[0];
    if (m_nMode == kUnitMode) {
        const std::string last = storage.userDefault(kStartUpGroupUnit).value_or("");
        if (usable(last)) start = last;
    }
    const std::string preferred = storage.userDefault(kStartUpGroup).value_or("");
    if (usable(preferred)) start = preferred;
    if (usable(start)) setGroupName(start);
    m_bLoaded = true;
}

void UnitConverterView::loadRemembered() {
    const Storage& storage = m_context.platform.storage;
    const ModeFiles& files = FilesOf(m_nMode);
    if (storage.userDefault(files.historyFlag).value_or("0") != "0")
        m_history = DecodeBoxHistory(ReadText(storage, DocumentPath(storage, files.history)));
    m_favUnits = DecodeFavouriteTable(ReadText(storage, DocumentPath(storage, files.favourites)));
    if (m_nMode == kUnitMode) {
        m_favGroups = DecodeFavouriteList(ReadText(storage, DocumentPath(storage, kFavouriteGroupsFile)));
        const int groups = static_cast<int>(m_arrGroups.size());
        std::erase_if(m_favGroups, [groups](int g) { return g >= groups; });
    }
}

int UnitConverterView::groupIndex(const std::string& group) const {
    const auto it = std::find(m_arrGroups.begin(), m_arrGroups.end(), group);
    return it == m_arrGroups.end() ? -1 : static_cast<int>(it - m_arrGroups.begin());
}

// ---- groups and units ------------------------------------------------------------------------------------

bool UnitConverterView::setGroupName(const std::string& group) {
    const int index = groupIndex(group);
    if (index < 0) return false;
    if (group == kClothingGroupName) {
        m_sOpenList.clear();
        m_context.controller.ShowScreen("clothing");
        changed();
        return true;
    }
    m_sGroup = group;
    m_nGroup = index;
    if (group == kCurrencyGroupName) {
        loadCurrencyUnit(CurrencyTableInUse(m_context.platform.storage).text);
    } else {
        loadUnitsInGroup(group);
    }
    takeRememberedUnits();
    for (UCTextBox& b : m_boxes) b.text = kClearedValue;
    changed();
    return true;
}

void UnitConverterView::loadCurrencyUnit(const std::string& tableText) {
    m_converter.openFileText(tableText);
    m_sTableDate = CurrencyTableDateOfText(tableText);
    CUnits reader;
    reader.setText(tableText);
    reader.getUnits(kCurrencyGroupName, m_arrUnits);
}

void UnitConverterView::loadUnitsInGroup(const std::string& group) {
    m_converter.openGroup(group, m_sUnitsFile);
    CUnits reader;
    reader.setFileName(m_sUnitsFile);
    reader.getUnits(group, m_arrUnits);
}

// The boxes take the group's remembered units; an index the list does not hold gives the box its default.
void UnitConverterView::takeRememberedUnits() {
    const int count = static_cast<int>(m_arrUnits.size());
    const BoxUnits& remembered = m_history[static_cast<std::size_t>(slot())];
    for (int k = 0; k < kUnitBoxes; ++k) {
        const int unit = remembered[static_cast<std::size_t>(k)];
        m_boxes[static_cast<std::size_t>(k)].unit =
            count > 2 && unit >= 0 && unit < count ? unit : std::min(k, count - 1);
    }
}

std::vector<int>& UnitConverterView::favouritesOfGroup() {
    return m_favUnits[static_cast<std::size_t>(std::max(slot(), 0))];
}

// Favourites the list does not hold (a shorter currency table, a changed data file) are not shown, but stay
// stored: they come back with the list.
std::vector<int> UnitConverterView::favouriteUnits() const {
    std::vector<int> shown = m_favUnits[static_cast<std::size_t>(std::max(slot(), 0))];
    const int count = static_cast<int>(m_arrUnits.size());
    std::erase_if(shown, [count](int u) { return u >= count; });
    return shown;
}

std::string UnitConverterView::caption() const {
    if (m_nMode == kCurrencyMode) return std::string(kCurrencyGroupName) + " (" + m_sTableDate + ")";
    return m_sGroup;
}

std::vector<int> UnitConverterView::unitRows() const {
    std::vector<int> rows = favouriteUnits();
    for (int u = 0; u < static_cast<int>(m_arrUnits.size()); ++u) rows.push_back(u);
    return rows;
}

std::vector<int> UnitConverterView::groupRows() const {
    std::vector<int> rows = m_favGroups;
    for (int g = 0; g < static_cast<int>(m_arrGroups.size()); ++g) rows.push_back(g);
    return rows;
}

void UnitConverterView::setBoxUnit(int boxIndex, int unit) {
    m_boxes[static_cast<std::size_t>(boxIndex)].unit = unit;
    if (slot() >= 0) m_history[static_cast<std::size_t>(slot())][static_cast<std::size_t>(boxIndex)] = unit;
    convertUnit();
}

// ---- values
// ------------------------------------------------------------------------------------------------

void UnitConverterView::convertUnit() {
    const UCTextBox& from = m_boxes[static_cast<std::size_t>(m_nFocus)];
    double value = 0;
    std::string ignored;
    if (!ParseResultValue(from.text, value, ignored)) value = 0;
    const int count = static_cast<int>(m_arrUnits.size());
    for (int k = 0; k < kUnitBoxes; ++k) {
        if (k == m_nFocus) continue;
        UCTextBox& to = m_boxes[static_cast<std::size_t>(k)];
        double result = 0;
        if (from.unit >= 0 && from.unit < count && to.unit >= 0 && to.unit < count) {
            double factor = 0, offset = 0;
            bool reciprocal = false;
            if (m_converter.compareUnits(m_arrUnits[static_cast<std::size_t>(from.unit)].m_sName,
                                         m_arrUnits[static_cast<std::size_t>(to.unit)].m_sName, factor,
                                         offset, reciprocal))
                result = ApplyConversion(value, factor, offset, reciprocal);
        }
        to.text = m_nMode == kCurrencyMode ? FormatCurrencyResult(result) : FormatUnitResult(result);
    }
    changed();
}

bool UnitConverterView::setValueInTextBox(const std::string& text) {
    if (!m_bLoaded || text.empty()) return false;
    double value = 0;
    std::string normalised;
    if (!ParseResultValue(text, value, normalised)) return false;
    m_boxes[static_cast<std::size_t>(m_nFocus)].text = normalised;
    convertUnit();
    return true;
}

void UnitConverterView::clearAllTextBoxValue() {
    for (UCTextBox& b : m_boxes) b.text = kClearedValue;
    changed();
}

std::string UnitConverterView::boxDisplay(int box) const {
    return fixTextDisplay(m_boxes[static_cast<std::size_t>(box - 1)].text, g_sOutputMode);
}

bool UnitConverterView::FocusUnitBox(int box) {
    if (box < 1 || box > kUnitBoxes) return false;
    m_nFocus = box - 1;
    changed();
    return true;
}

// ---- lists and favourites
// ------------------------------------------------------------------------------------

bool UnitConverterView::SelectUnitButton(int box) {
    if (box < 1 || box > kUnitBoxes || m_arrUnits.empty()) return false;
    m_sOpenList = "units";
    m_nListBox = box - 1;
    changed();
    return true;
}

void UnitConverterView::selectGroupBox() {
    m_sOpenList = "groups";
    m_nListBox = -1;
    changed();
}

bool UnitConverterView::addToFavoriteList(int row) {
    if (m_sOpenList == "units") {
        const std::vector<int> rows = unitRows();
        if (row < 0 || row >= static_cast<int>(rows.size()) || slot() < 0) return false;
        AddFavourite(favouritesOfGroup(), rows[static_cast<std::size_t>(row)]);
    } else if (m_sOpenList == "groups" && m_nMode == kUnitMode) {
        const std::vector<int> rows = groupRows();
        if (row < 0 || row >= static_cast<int>(rows.size())) return false;
        AddFavourite(m_favGroups, rows[static_cast<std::size_t>(row)]);
    } else {
        return false;
    }
    changed();
    return true;
}

bool UnitConverterView::dellFavouriteCell(int row) {
    bool removed = false;
    if (m_sOpenList == "units" && slot() >= 0) {
        const std::vector<int> shown = favouriteUnits();
        if (row >= 0 && row < static_cast<int>(shown.size())) {
            std::vector<int>& stored = favouritesOfGroup();
            stored.erase(std::find(stored.begin(), stored.end(), shown[static_cast<std::size_t>(row)]));
            removed = true;
        }
    } else if (m_sOpenList == "groups") {
        removed = RemoveFavouriteAt(m_favGroups, row);
    }
    if (removed) changed();
    return removed;
}

// ---- currency download
// -------------------------------------------------------------------------------------

bool UnitConverterView::downloadCurrencyFile() {
    if (m_nMode != kCurrencyMode) return false;
    const std::string url = CurrencyFeedURL(m_context.platform.storage);
    if (!m_updater->start(url, m_dbTimeout, [this](const CurrencyUpdateResult& r) { onDownloadDone(r); }))
        return false;
    changed();  // the busy indicator
    return true;
}

void UnitConverterView::onDownloadDone(const CurrencyUpdateResult& result) {
    Alerts& alerts = m_context.platform.alerts;
    if (result.ok) {
        updateCurrencyFile(kCurrencyGroupName);
        alerts.show({"Update", "Updated successfully!", {"OK"}}, nullptr);
    } else {
        alerts.show({"Error", "Connection failed!", {"OK"}}, nullptr);
    }
    changed();
}

void UnitConverterView::updateCurrencyFile(const std::string& group) {
    if (group != kCurrencyGroupName || groupIndex(group) < 0) return;
    m_sGroup = group;
    m_nGroup = groupIndex(group);
    loadCurrencyUnit(CurrencyTableInUse(m_context.platform.storage).text);
    takeRememberedUnits();
    convertUnit();
}

// ---- saving
// ------------------------------------------------------------------------------------------------

void UnitConverterView::writeText(const char* file, const std::string& text) {
    Storage& storage = m_context.platform.storage;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    storage.writeFileAtomically(DocumentPath(storage, file), {bytes, text.size()});
}

void UnitConverterView::saveHistoryGroup() {
    const ModeFiles& files = FilesOf(m_nMode);
    writeText(files.history, EncodeBoxHistory(m_history));
    m_context.platform.storage.setUserDefault(files.historyFlag, "1");
}

void UnitConverterView::saveFavoriteUnits() {
    writeText(FilesOf(m_nMode).favourites, EncodeFavouriteTable(m_favUnits));
}

void UnitConverterView::saveFavoriteGroups() {
    writeText(kFavouriteGroupsFile, EncodeFavouriteList(m_favGroups));
}

void UnitConverterView::save() {
    saveHistoryGroup();
    saveFavoriteUnits();
    if (m_nMode != kUnitMode) return;
    saveFavoriteGroups();
    if (!m_sGroup.empty()) m_context.platform.storage.setUserDefault(kStartUpGroupUnit, m_sGroup);
}

// ---- screen interface
// ------------------------------------------------------------------------------------------

void UnitConverterView::didHide() {
    if (m_sOpenList.empty()) return;
    m_sOpenList.clear();
    changed();
}

nlohmann::json UnitConverterView::describe() const {
    using nlohmann::json;
    json j;
    j["mode"] = m_nMode;
    j["group"] = m_sGroup;
    j["caption"] = caption();
    j["focus"] = focusedBox();
    json boxes = json::array();
    for (int k = 1; k <= kUnitBoxes; ++k) {
        const UCTextBox& b = box(k);
        const bool known = b.unit >= 0 && b.unit < static_cast<int>(m_arrUnits.size());
        const UNIT_STRUCT* u = known ? &m_arrUnits[static_cast<std::size_t>(b.unit)] : nullptr;
        boxes.push_back({{"unit", u ? u->m_sName : ""},
                         {"symbol", u ? u->m_sSymbol : ""},
                         {"value", boxDisplay(k)},
                         {"focused", k == focusedBox()}});
    }
    j["boxes"] = boxes;
    j["list"] = m_sOpenList;
    j["list_box"] = m_sOpenList == "units" ? m_nListBox + 1 : 0;
    json units = json::array();
    const std::size_t favUnits = favouriteUnits().size();
    const std::vector<int> unitRowList = unitRows();
    for (std::size_t r = 0; r < unitRowList.size(); ++r) {
        const UNIT_STRUCT& u = m_arrUnits[static_cast<std::size_t>(unitRowList[r])];
        const std::string text = m_nMode == kCurrencyMode ? u.m_sName + " - " + u.m_sSymbol : u.m_sName;
        units.push_back({{"text", text}, {"unit", unitRowList[r]}, {"favourite", r < favUnits}});
    }
    j["units"] = units;
    json groups = json::array();
    const std::vector<int> groupRowList = groupRows();
    for (std::size_t r = 0; r < groupRowList.size(); ++r) {
        const int g = groupRowList[r];
        groups.push_back({{"text", m_arrGroups[static_cast<std::size_t>(g)]},
                          {"group", g},
                          {"favourite", r < m_favGroups.size()}});
    }
    j["groups"] = groups;
    j["busy"] = downloading();
    j["update_enabled"] = m_nMode == kCurrencyMode && !downloading();
    return j;
}

bool UnitConverterView::tap(std::string_view element) {
    if (int box = NumberAfter(element, "box:"); box >= 0) return FocusUnitBox(box);
    if (int box = NumberAfter(element, "unit:"); box >= 0) return SelectUnitButton(box);
    if (int row = NumberAfter(element, "add_favourite:"); row >= 0) return addToFavoriteList(row);
    if (int row = NumberAfter(element, "delete_favourite:"); row >= 0) return dellFavouriteCell(row);
    if (element == "group") {
        selectGroupBox();
        return true;
    }
    if (element == "close_list") {
        if (m_sOpenList.empty()) return false;
        m_sOpenList.clear();
        changed();
        return true;
    }
    if (element == "update") return downloadCurrencyFile();
    return false;
}

bool UnitConverterView::enterText(std::string_view field, const std::u16string& text) {
    if (field != "value") return false;
    return setValueInTextBox(U16ToUtf8(text));
}

bool UnitConverterView::pick(std::string_view list, int index) {
    if (list == "units") {
        const std::vector<int> rows = unitRows();
        if (index < 0 || index >= static_cast<int>(rows.size())) return false;
        const int boxIndex = m_sOpenList == "units" && m_nListBox >= 0 ? m_nListBox : m_nFocus;
        m_sOpenList.clear();
        setBoxUnit(boxIndex, rows[static_cast<std::size_t>(index)]);
        return true;
    }
    if (list == "groups") {
        const std::vector<int> rows = groupRows();
        if (index < 0 || index >= static_cast<int>(rows.size())) return false;
        m_sOpenList.clear();
        return setGroupName(m_arrGroups[static_cast<std::size_t>(rows[static_cast<std::size_t>(index)])]);
    }
    return false;
}
