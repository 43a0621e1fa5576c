#include "settings/IniGT.h"

#include <type_traits>
#include <vector>

#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/SysUtils.h"
#include "platform/profile/Profile.h"
#include "platform/system/Paths.h"
#include "platform/ui/Windows.h"

namespace {

// Everything up to and including the last folder separator or drive colon. Both the
// original system's '\' and our '/' separate folders.
std::string DirectoryPart(const std::string& path) {
  const auto at = path.find_last_of("\\/:");
  return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

// The eight keys in the order they are read and written.
const char* const kSuffixes[] = {".Flags", ".Show", ".MaxX", ".MaxY", ".X", ".Y", ".XSize", ".YSize"};

// Calls visit(index, field) for each of the eight fields in that order. The fields differ
// in type (unsigned and signed, and LONG is not int everywhere); each is kept as an int.
template <class Visit>
void ForEachField(WINDOWPLACEMENT& wp, Visit visit) {
  auto field = [&](std::size_t i, auto& f) {
    int value = static_cast<int>(f);
    visit(i, value);
    f = static_cast<std::remove_reference_t<decltype(f)>>(value);
  };
  field(0, wp.flags);
  field(1, wp.showCmd);
  field(2, wp.ptMaxPosition.x);
  field(3, wp.ptMaxPosition.y);
  field(4, wp.rcNormalPosition.left);
  field(5, wp.rcNormalPosition.top);
  field(6, wp.rcNormalPosition.right);
  field(7, wp.rcNormalPosition.bottom);
}

}  // namespace

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const {
  std::vector<char> buffer(1024 + 1);
  GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), static_cast<DWORD>(buffer.size()),
                           fileName_.c_str());
  std::string text(buffer.data());
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = "$" + text.substr(2);
  // Hexadecimal only after '$': "0x" was rewritten above, and StrToIntDef would take it too.
  return StrToIntDef(text, defaultValue);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) const {
  if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), IntToStr(value).c_str(), fileName_.c_str()))
    throw Exception(fileName_ + " に書き込めません");
}

TIniGT::TIniGT(TComponent* AOwner) : TComponent(AOwner), FIniFile(std::make_unique<TIniFile>("")) {}

TIniGT::~TIniGT() = default;

void TIniGT::SetFileName(const std::string& Value) {
  FFileName = Value;
  FIniFile.reset();
  std::string path;
  if (!DirectoryPart(Value).empty()) {
    path = Value;
  } else {
    switch (FDefaultDir) {
      case ddApplication: path = DirectoryPart(ModuleFileName()) + Value; break;
      case ddWindows: path = WindowsDirectory() + "/" + Value; break;
      case ddNone: path = Value; break;
    }
  }
  FIniFile = std::make_unique<TIniFile>(path);
}

void TIniGT::SetDefaultDir(TIniGTDefaultDir Value) {
  FDefaultDir = Value;
  SetFileName(FFileName);
}

void TIniGT::Loaded() {
  TComponent::Loaded();
  if (!FFileName.empty()) return;
  std::string name = ModuleFileName();
  name = name.substr(DirectoryPart(name).size());
  const auto dot = name.find_last_of('.');
  name = (dot == std::string::npos ? name : name.substr(0, dot)) + ".ini";
  SetFileName(name);
}

int TIniGT::ReadInteger(const std::string& Section, const std::string& Key, int Default) {
  return FIniFile->ReadInteger(Section, Key, Default);
}

void TIniGT::WriteInteger(const std::string& Section, const std::string& Key, int Value) {
  FIniFile->WriteInteger(Section, Key, Value);
}

void TIniGT::ReadWindowPos(const std::string& Section, const std::string& Prefix, TForm* Window) {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(WINDOWPLACEMENT);
  GetWindowPlacement(Window->Handle(), &wp);
  ForEachField(wp, [&](std::size_t i, int& value) { value = ReadInteger(Section, Prefix + kSuffixes[i], value); });
  SetWindowPlacement(Window->Handle(), &wp);
}

void TIniGT::WriteWindowPos(const std::string& Section, const std::string& Prefix, TForm* Window) {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(WINDOWPLACEMENT);
  GetWindowPlacement(Window->Handle(), &wp);
  ForEachField(wp, [&](std::size_t i, int& value) { WriteInteger(Section, Prefix + kSuffixes[i], value); });
}

TPropertyTable& TIniGT::Properties() {
  static TPropertyTable t = [] {
    TPropertyTable p;
    Prop<TIniGT>(p, "DefaultDir", [](TIniGT* g, const TPropValue& v) {
      g->SetDefaultDir(static_cast<TIniGTDefaultDir>(AsEnum(v, {"ddApplication", "ddWindows", "ddNone"})));
    });
    Prop<TIniGT>(p, "FileName", [](TIniGT* g, const TPropValue& v) { g->SetFileName(AsString(v)); });
    return p;
  }();
  return t;
}
