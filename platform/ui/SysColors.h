// The system colours of the classic scheme.
#pragma once

#include "platform/WinTypes.h"

#ifdef _WIN32
// The deck's skin assumes the classic scheme, so the classic table answers on Windows too
// rather than the theme's colours.
#define GetSysColor(...) PLUME_HOOK(GetSysColor)(__VA_ARGS__)
#else
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
#endif

// 0x00BBGGRR; unknown indexes answer black.
DWORD GetSysColor(int nIndex);
