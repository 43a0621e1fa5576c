#include "framework/Color.h"

#include <cctype>
#include <map>

#include "platform/ui/SysColors.h"

TColor ColorToRGB(TColor color) {
  if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0xFFFFFF;
}

bool IdentToColor(const std::string& name, TColor& color) {
  static const std::map<std::string, TColor> names = {
      {"clblack", clBlack},       {"clmaroon", clMaroon},   {"clgreen", clGreen},
      {"clolive", clOlive},       {"clnavy", clNavy},       {"clpurple", clPurple},
      {"clteal", clTeal},         {"clgray", clGray},       {"clsilver", clSilver},
      {"clred", clRed},           {"cllime", clLime},       {"clyellow", clYellow},
      {"clblue", clBlue},         {"clfuchsia", clFuchsia}, {"claqua", clAqua},
      {"clwhite", clWhite},       {"clwindow", clWindow},   {"clwindowtext", clWindowText},
      {"clbtnface", clBtnFace},   {"clbtnshadow", clBtnShadow}, {"clgraytext", clGrayText},
      {"clbtntext", clBtnText},   {"clbtnhighlight", clBtnHighlight}};
  std::string key;
  for (char c : name) key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  auto it = names.find(key);
  if (it == names.end()) return false;
  color = it->second;
  return true;
}
