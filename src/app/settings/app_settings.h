// Loading and saving the settings file and the application status.
//
// Files in the documents folder: the settings "/setting_v15.dat" (a property-list dictionary of string
// values), the page order "/orderview_v15.dat" (12 little-endian int32); user defaults "startupFunction"
// and "startupLandFunction" (decimal texts). Nothing here reports failure: what cannot be read gives the
// defaults, what cannot be written is skipped.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/feedback.h"
#include "platform/storage.h"

inline constexpr const char* kSettingsFileName = "/setting_v15.dat";
inline constexpr const char* kOrderViewFileName = "/orderview_v15.dat";

// The settings with their defaults ("EnableFunctionTooltip" "1", "DecimalDigitsInFix" "4", "InputMode"
// "0", "OutputMode" "1", "FractionDenominaor" "0", "EnablePlaySound" "1", "SoundFileName" "Sound 01.wav",
// "Skin" "Default").
StringDictionary DefaultSettings();

// The settings file's dictionary, or DefaultSettings() (all at once) when it cannot be read. A readable
// file keeps its values; a key that is missing or whose value is out of its range (digits outside
// 0..10, a mode or denominator index not listed, an unknown skin, a sound name that is empty or holds a
// path separator) takes its default. "CurrencyFeedURL" (the currency feed's address, no default) is kept
// when the file has it and it is not empty; other keys are dropped.
StringDictionary ReadSettingsDictionary(const Storage& storage);

// Sets the globals from a settings dictionary: g_bHelp, g_iFixDigits, g_sOutputMode ("English (US)" for a
// nonzero "OutputMode", else "European"), g_nPrecision, g_bSound, g_strSoundFileName, g_nstrSkinModel and
// g_clrBkg. Values are validated as in ReadSettingsDictionary. "InputMode" is not applied here.
void ApplySettingsDictionary(const StringDictionary& dict);

// Start-up: remembers the resource folder (g_nstrAppPath), reads the settings, sets the globals and the
// previous sound and skin names, and gives feedback (when not null) the click sound
// "<resources>/Sounds/<name>" (g_soundPlayer keeps that path).
void LoadSettings(const Storage& storage, Feedback* feedback = nullptr);

// Reads g_CurrentFunction and g_curLandScapeFunction from the user defaults (when present and naming a
// category of the panel; landscape only 0, 1 or 3) and g_arrOrderView from the order file (identity
// order when it is missing, not 48 bytes long, or not a permutation of 0..11).
void LoadAppStatus(const Storage& storage);

// Writes both user defaults and the order file (atomically).
void SaveAppStatus(Storage& storage);

// Forgets the sound player, the background colour and the setting strings.
void Release();

// The order file's bytes for an order, and the order read back from bytes (empty when invalid).
std::vector<std::uint8_t> EncodeOrderView(const std::array<int, 12>& order);
std::optional<std::array<int, 12>> DecodeOrderView(std::span<const std::uint8_t> bytes);

// Strict decimal parse of a whole text ("-12" ok; "", "1x", " 1" not). Empty optional on failure.
std::optional<int> ParseDecimal(const std::string& text);
