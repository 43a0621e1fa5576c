#include "framework/Color.h"

#include <map>

#include "platform/ui/SysColors.h"
#include "platform/system/Ascii.h"

TColor ColorToRGB(TColor color) {
  if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0xFFFFFF;
}

bool IdentToColor(const std::string& name, TColor& color) {
  // The names stand in a grid, three to a line.
  // clang-format off
  static const std::map<std::string, TColor> names = {
      {"clblack", clBlack},       {"clmaroon", clMaroon},   {"clgreen", clGreen},
      {"clolive", clOlive},       {"clnavy", clNavy},       {"clpurple", clPurple},
      {"clteal", clTeal},         {"clgray", clGray},       {"clsilver", clSilver},
      {"clred", clRed},           {"cllime", clLime},       {"clyellow", clYellow},
      {"clblue", clBlue},         {"clfuchsia", clFuchsia}, {"claqua", clAqua},
      {"clwhite", clWhite},       {"clwindow", clWindow},   {"clwindowtext", clWindowText},
      {"clbtnface", clBtnFace},   {"clbtnshadow", clBtnShadow}, {"clgraytext", clGrayText},
      {"clbtntext", clBtnText},   {"clbtnhighlight", clBtnHighlight}};
  // clang-format on
  auto it = names.find(platform::AsciiLower(name));
  if (it == names.end()) return false;
  color = it->second;
  return true;
}
