#include "app/settings/settings_globals.h"

bool g_bHelp = true;
bool g_bSound = false;
std::string g_strSoundFileName;
std::string g_strPrevSoundFileName;
std::string g_nstrSkinModel;
std::string g_nstrPrevSkinModel;
std::optional<CanvasColor> g_clrBkg;
std::string g_soundPlayer;
std::string g_nstrAppPath;
int g_curLandScapeFunction = 0;
std::array<int, 12> g_arrOrderView = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
int g_nCurScreenMode = kScreenPortrait;
bool g_bShiftMode = false;
CCategoryInputModeManager* g_pInputMode = nullptr;
