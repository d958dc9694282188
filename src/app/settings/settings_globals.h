// Process-wide settings and application state, read by every screen (and by the result formatter).
//
// Initial values are those before any file is read; LoadSettings() and LoadAppStatus() fill them at
// start-up and the settings screen changes them when it closes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/format/format_state.h"  // g_iFixDigits, g_nPrecision, g_sOutputMode, g_CurrentFunction
#include "platform/canvas.h"

class CCategoryInputModeManager;

// Screen modes (g_nCurScreenMode).
constexpr int kScreenPortrait = 1;
constexpr int kScreenLandscape = 2;

extern bool g_bHelp;                        // function tooltip on; initially true
extern bool g_bSound;                       // key click on; false until loaded
extern std::string g_strSoundFileName;      // click sound in the resource folder's "Sounds"
extern std::string g_strPrevSoundFileName;  // the choice before the last save of the settings
extern std::string g_nstrSkinModel;         // "Default" or "Black"
extern std::string g_nstrPrevSkinModel;
extern std::optional<CanvasColor> g_clrBkg;      // background of the skin; none until loaded
extern std::string g_soundPlayer;                // sound file the click player was given (empty: none)
extern std::string g_nstrAppPath;                // resource folder
extern int g_curLandScapeFunction;               // category id shown in landscape; initially 0
extern std::array<int, 12> g_arrOrderView;       // mode-keyboard page order (panel indices); 0..11
extern int g_nCurScreenMode;                     // kScreenPortrait or kScreenLandscape
extern bool g_bShiftMode;                        // shift latch of the keyboards
extern CCategoryInputModeManager* g_pInputMode;  // input modes per category; owned by the application
