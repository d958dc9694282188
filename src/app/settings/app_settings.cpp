#include "app/settings/app_settings.h"

#include <algorithm>
#include <charconv>

#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"
#include "app/settings/settings_globals.h"
#include "app/util/le_bytes.h"

namespace {

const char* const kDefaultSoundFile = "Sound 01.wav";

bool InSet(const std::string& value, std::initializer_list<const char*> allowed) {
    return std::any_of(allowed.begin(), allowed.end(), [&](const char* a) { return value == a; });
}

// Per key: is the stored value acceptable? Switches take any value ("0" is off, anything else on).
bool ValidSetting(const std::string& key, const std::string& value) {
    if (key == "DecimalDigitsInFix") {
        auto n = ParseDecimal(value);
        return n && *n >= 0 && *n <= 10;
    }
    if (key == "InputMode" || key == "FractionDenominaor") return InSet(value, {"0", "1", "2"});
    if (key == "OutputMode") return ParseDecimal(value).has_value();
    if (key == "Skin") return InSet(value, {"Default", "Black"});
    if (key == "SoundFileName") return !value.empty() && value.find('/') == std::string::npos;
    return true;
}

StringDictionary Sanitized(const StringDictionary& dict) {
    StringDictionary out = DefaultSettings();
    for (auto& [key, value] : out) {
        auto it = dict.find(key);
        if (it != dict.end() && ValidSetting(key, it->second)) value = it->second;
    }
    // The currency feed's address has no default here (the converter has it) and no screen; a value the
    // user wrote into the file survives every save.
    if (auto it = dict.find("CurrencyFeedURL"); it != dict.end() && !it->second.empty()) out.insert(*it);
    return out;
}

CanvasColor SkinBackground(const std::string& skin) {
    if (skin == "Black") return CanvasColor{137 / 255.0, 137 / 255.0, 137 / 255.0, 1};
    return CanvasColor{131 / 255.0, 147 / 255.0, 202 / 255.0, 1};
}

bool IsPanelCategory(int id) {
    return PanelIndexOfCategory(id) >= 0;
}

}  // namespace

std::optional<int> ParseDecimal(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

StringDictionary DefaultSettings() {
    return StringDictionary{
        {"EnableFunctionTooltip", "1"},
        {"DecimalDigitsInFix", "4"},
        {"InputMode", "0"},
        {"OutputMode", "1"},
        {"FractionDenominaor", "0"},
        {"EnablePlaySound", "1"},
        {"SoundFileName", kDefaultSoundFile},
        {"Skin", "Default"},
    };
}

StringDictionary ReadSettingsDictionary(const Storage& storage) {
    auto dict = storage.readDictionary(DocumentPath(storage, kSettingsFileName));
    if (!dict) return DefaultSettings();
    return Sanitized(*dict);
}

void ApplySettingsDictionary(const StringDictionary& raw) {
    StringDictionary dict = Sanitized(raw);
    g_bHelp = dict["EnableFunctionTooltip"] != "0";
    g_iFixDigits = static_cast<std::uint8_t>(ParseDecimal(dict["DecimalDigitsInFix"]).value_or(4));
    g_sOutputMode = ParseDecimal(dict["OutputMode"]).value_or(1) != 0 ? "English (US)" : "European";
    g_nPrecision = ParseDecimal(dict["FractionDenominaor"]).value_or(0);
    g_bSound = dict["EnablePlaySound"] != "0";
    g_strSoundFileName = dict["SoundFileName"];
    g_nstrSkinModel = dict["Skin"];
    g_clrBkg = SkinBackground(g_nstrSkinModel);
}

void LoadSettings(const Storage& storage, Feedback* feedback) {
    g_nstrAppPath = storage.resourceFolder();
    ApplySettingsDictionary(ReadSettingsDictionary(storage));
    g_strPrevSoundFileName = g_strSoundFileName;
    g_nstrPrevSkinModel = g_nstrSkinModel;
    g_soundPlayer = g_nstrAppPath + "/Sounds/" + g_strSoundFileName;
    if (feedback != nullptr) feedback->setClickSound(g_soundPlayer);
}

std::vector<std::uint8_t> EncodeOrderView(const std::array<int, 12>& order) {
    LeWriter w;
    for (int v : order) w.i32(v);
    return std::move(w.bytes());
}

std::optional<std::array<int, 12>> DecodeOrderView(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != 48) return std::nullopt;
    LeReader r(bytes);
    std::array<int, 12> order{};
    std::array<bool, 12> seen{};
    for (int& v : order) {
        v = r.i32();
        if (v < 0 || v > 11 || seen[v]) return std::nullopt;
        seen[v] = true;
    }
    return order;
}

void LoadAppStatus(const Storage& storage) {
    if (auto s = storage.userDefault("startupFunction")) {
        if (auto id = ParseDecimal(*s); id && IsPanelCategory(*id)) g_CurrentFunction = *id;
    }
    if (auto s = storage.userDefault("startupLandFunction")) {
        if (auto id = ParseDecimal(*s);
            id && (*id == kCatArithmetic || *id == kCatTrigonom || *id == kCatBaseConversion))
            g_curLandScapeFunction = *id;
    }
    std::optional<std::array<int, 12>> order;
    if (auto bytes = storage.readFile(DocumentPath(storage, kOrderViewFileName)))
        order = DecodeOrderView(*bytes);
    g_arrOrderView = order.value_or(std::array<int, 12>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
}

void SaveAppStatus(Storage& storage) {
    storage.setUserDefault("startupFunction", std::to_string(g_CurrentFunction));
    storage.setUserDefault("startupLandFunction", std::to_string(g_curLandScapeFunction));
    storage.writeFileAtomically(DocumentPath(storage, kOrderViewFileName), EncodeOrderView(g_arrOrderView));
}

void Release() {
    g_soundPlayer.clear();
    g_clrBkg.reset();
    g_sOutputMode.clear();
    g_strSoundFileName.clear();
    g_strPrevSoundFileName.clear();
    g_nstrSkinModel.clear();
    g_nstrPrevSkinModel.clear();
    g_nstrAppPath.clear();
}
