#include "app/settings/input_mode_manager.h"

#include <algorithm>

#include "app/keys/key_codes.h"
#include "app/keys/static_table_codes.h"
#include "app/settings/settings_globals.h"
#include "app/util/le_bytes.h"

CCategoryInputModeManager::CCategoryInputModeManager(Storage& storage) : m_storage(storage) {
    setDefaults();
}

CCategoryInputModeManager::~CCategoryInputModeManager() {
    saveToFile();
}

void CCategoryInputModeManager::setDefaults() {
    for (int i = 0; i < kCount; ++i) {
        m_arrCategoryIds[i] = arrPanelCategories[i];
        m_arrInputModes[i] = kInputModeString;
        // The panel's first, second and fourth entries: Arithmetic, Trigonom and Base Conversion.
        m_arrSwitchable[i] = (i == 0 || i == 1 || i == 3) ? 1 : 0;
    }
    m_nPrevMode = m_arrInputModes[0];
}

std::string CCategoryInputModeManager::path(const std::string& fileName) const {
    return DocumentPath(m_storage, fileName);
}

bool CCategoryInputModeManager::loadFromFile(const std::string& fileName) {
    auto bytes = m_storage.readFile(path(fileName));
    bool used = bytes && deserialize(*bytes);
    if (!used) setDefaults();
    m_nPrevMode = m_arrInputModes[0];
    return used;
}

bool CCategoryInputModeManager::saveToFile(const std::string& fileName) const {
    return m_storage.writeFileAtomically(path(fileName), serialize());
}

std::vector<std::uint8_t> CCategoryInputModeManager::serialize() const {
    LeWriter w;
    for (std::int32_t id : m_arrCategoryIds) w.i32(id);
    for (std::int32_t mode : m_arrInputModes) w.i32(mode);
    for (std::uint8_t flag : m_arrSwitchable) w.u8(flag);
    return std::move(w.bytes());
}

bool CCategoryInputModeManager::deserialize(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kFileSize) return false;
    LeReader r(bytes);
    std::array<std::int32_t, kCount> ids{}, modes{};
    std::array<std::uint8_t, kCount> flags{};
    for (auto& v : ids) v = r.i32();
    for (auto& v : modes) v = r.i32();
    for (auto& v : flags) v = r.u8();
    auto isPanelPermutation = [&] {
        std::array<std::int32_t, kCount> a = ids, b{};
        std::copy(std::begin(arrPanelCategories), std::end(arrPanelCategories), b.begin());
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        return a == b;
    };
    bool valid = !r.failed() && isPanelPermutation() &&
                 std::all_of(modes.begin(), modes.end(),
                             [](std::int32_t m) { return m >= kInputModeString && m <= kInputModeRPN; }) &&
                 std::all_of(flags.begin(), flags.end(), [](std::uint8_t f) { return f <= 1; });
    if (!valid) return false;
    m_arrCategoryIds = ids;
    m_arrInputModes = modes;
    m_arrSwitchable = flags;
    return true;
}

void CCategoryInputModeManager::setInputMode(const std::string& mode) {
    const int value = mode == "String-Standard"  ? kInputModeString
                      : mode == "Basic-Standard" ? kInputModeBasic
                                                 : kInputModeRPN;
    m_nPrevMode = m_arrInputModes[0];
    for (int i = 0; i < kCount; ++i) {
        if (m_arrSwitchable[i] == 1) m_arrInputModes[i] = value;
    }
}

std::optional<int> CCategoryInputModeManager::storedMode(int categoryId) const {
    if (categoryId < 0 || categoryId >= kDisplayCategoryCount) categoryId = g_CurrentFunction;
    for (int i = 0; i < kCount; ++i) {
        if (m_arrCategoryIds[i] == categoryId) return m_arrInputModes[i];
    }
    return std::nullopt;
}

int CCategoryInputModeManager::getInputMode(int categoryId) const {
    for (int i = 0; i < kCount; ++i) {
        if (m_arrCategoryIds[i] == categoryId) return m_arrInputModes[i];
    }
    return kInputModeString;
}

bool CCategoryInputModeManager::isRPNMode(int categoryId) const {
    return storedMode(categoryId) == kInputModeRPN;
}
bool CCategoryInputModeManager::isBasicMode(int categoryId) const {
    return storedMode(categoryId) == kInputModeBasic;
}
bool CCategoryInputModeManager::isStringMode(int categoryId) const {
    auto m = storedMode(categoryId);
    return !m || *m == kInputModeString;
}

bool CCategoryInputModeManager::isInputModeChanged() const {
    return m_nPrevMode != m_arrInputModes[0];
}
