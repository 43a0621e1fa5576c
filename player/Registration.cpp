#include "player/Registration.h"

#include "about/Unit5.h"
#include "controls/MaruBtn.h"
#include "editor/Unit2.h"
#include "engine/Cdp.h"
#include "framework/Registration.h"
#include "player/Unit1.h"
#include "settings/IniGT.h"
#include "settings/Unit3.h"

namespace {
// Windows are never made by the reader: it reads into a window that already exists.
template <class T>
void RegisterWindow(const std::string& name) {
  TClassRegistry::Instance().Register(name, nullptr, &T::Properties());
}
}  // namespace

void RegisterPlayerClasses() {
  RegisterFrameworkClasses();
  RegisterClass<TCDP>("TCDP");
  RegisterClass<TMaruBtn>("TMaruBtn");
  RegisterClass<TIniGT>("TIniGT");
  RegisterWindow<TForm1>("TForm1");
  RegisterWindow<TCDList_Form>("TCDList_Form");
  RegisterWindow<TVerForm>("TVerForm");
  RegisterWindow<TSetting_Form>("TSetting_Form");
}
