// The input mode (string, basic, RPN) of each category, kept in "InputMode.dat".
//
// File layout (108 bytes, little-endian): 12 category ids (int32, panel order), 12 modes (int32: 0 string,
// 1 basic, 2 RPN), 12 switchable flags (bytes: 1 where the settings' input mode applies). A file that is
// missing or damaged (wrong size, a mode other than 0..2, a flag other than 0/1, ids that are not the
// panel's categories each once) gives the defaults: the panel's ids, string mode everywhere, switchable
// Arithmetic, Trigonom and Base Conversion.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/storage.h"

// The input modes, as the file stores them (int32).
enum InputMode : std::int32_t {
    kInputModeString = 0,  // keys edit an expression, "=" evaluates it
    kInputModeBasic = 1,   // immediate execution
    kInputModeRPN = 2,     // reverse Polish, with a value stack
};

class CCategoryInputModeManager {
  public:
    static constexpr int kCount = 12;
    static constexpr size_t kFileSize = 108;
    static constexpr const char* kDefaultFileName = "InputMode.dat";

    // The manager starts with the defaults; storage (kept by reference) holds the documents folder.
    explicit CCategoryInputModeManager(Storage& storage);
    // Saves to the default file before it goes.
    virtual ~CCategoryInputModeManager();

    CCategoryInputModeManager(const CCategoryInputModeManager&) = delete;
    CCategoryInputModeManager& operator=(const CCategoryInputModeManager&) = delete;

    // Reads the file (a name in the documents folder); the defaults when it is missing or damaged. The
    // previous mode becomes mode[0] either way. Returns true when the file was used.
    bool loadFromFile(const std::string& fileName = kDefaultFileName);
    // Writes the 108 bytes atomically; false when the file could not be written.
    bool saveToFile(const std::string& fileName = kDefaultFileName) const;

    // "String-Standard" -> 0, "Basic-Standard" -> 1, any other text -> 2, for every switchable entry;
    // mode[0] before the change is remembered as the previous mode.
    void setInputMode(const std::string& mode);

    // The mode stored for a category id; 0 when the id is not in the table.
    int getInputMode(int categoryId) const;

    // Compare the stored mode with 2, 1, 0. An id outside 0..11 (callers pass -1) means g_CurrentFunction.
    // An id not in the table gives false, false and true.
    bool isRPNMode(int categoryId) const;
    bool isBasicMode(int categoryId) const;
    bool isStringMode(int categoryId) const;

    // The previous mode differs from mode[0].
    bool isInputModeChanged() const;

    const std::array<std::int32_t, kCount>& categoryIds() const { return m_arrCategoryIds; }
    const std::array<std::int32_t, kCount>& inputModes() const { return m_arrInputModes; }
    const std::array<std::uint8_t, kCount>& switchableFlags() const { return m_arrSwitchable; }
    int previousMode() const { return m_nPrevMode; }

    // The file's bytes, and reading them back (false and no change when they are not a valid file).
    std::vector<std::uint8_t> serialize() const;
    bool deserialize(std::span<const std::uint8_t> bytes);

  private:
    void setDefaults();
    std::optional<int> storedMode(int categoryId) const;
    std::string path(const std::string& fileName) const;

    Storage& m_storage;
    std::array<std::int32_t, kCount> m_arrCategoryIds{};
    std::array<std::int32_t, kCount> m_arrInputModes{};
    std::array<std::uint8_t, kCount> m_arrSwitchable{};
    int m_nPrevMode = 0;
};
