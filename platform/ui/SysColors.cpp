#include "platform/ui/SysColors.h"

DWORD GetSysColor(int nIndex) {
  switch (nIndex) {
    case COLOR_WINDOW: return 0xFFFFFF;
    case COLOR_WINDOWTEXT: return 0x000000;
    case COLOR_BTNFACE: return 0xC0C0C0;
    case COLOR_BTNSHADOW: return 0x808080;
    case COLOR_GRAYTEXT: return 0x808080;
    case COLOR_BTNTEXT: return 0x000000;
    case COLOR_BTNHIGHLIGHT: return 0xFFFFFF;
    default: return 0x000000;
  }
}
