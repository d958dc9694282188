#include "engine/format/format_state.h"

std::uint8_t g_iFixDigits = 4;
int g_nPrecision = 0;
std::string g_sOutputMode;
int g_CurrentFunction = 0;
int g_nPreNotation = 135;

void SetPreNotation(int notationKey) {
    g_nPreNotation = notationKey;
}
