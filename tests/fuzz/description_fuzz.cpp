// The window-description reader: any text either reads into the window or raises
// EReadError, leaving nothing half-made behind (the sanitizers see leaks and stale
// pointers when the window is freed).
//
// The classes are those the program registers, the window a plain form that knows every
// handler named in the program's own descriptions, so that the fuzzer starts from the real
// windows and reaches their last lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "controls/MaruBtn.h"
#include "engine/Cdp.h"
#include "framework/DescriptionReader.h"
#include "framework/Form.h"
#include "framework/Registration.h"
#include "framework/Resources.h"
#include "platform/drives/DriveTable.h"
#include "platform/messages/EventLoop.h"
#include "platform/messages/ManualEventLoop.h"
#include "settings/IniGT.h"

namespace {

platform::ManualEventLoop loop;
THandlerTable handlers;

class TFuzzForm : public TForm, public THandlerOwner {
 public:
  using TForm::TForm;
  const THandlerTable& Handlers() const override { return handlers; }
};

// "OnClick = Button1Click" lines of the program's descriptions give the handler names.
void AddHandlersOf(std::string_view text) {
  std::size_t at = 0;
  while ((at = text.find(" On", at)) != std::string_view::npos) {
    const std::size_t eq = text.find(" = ", at);
    const std::size_t end = text.find('\n', at);
    at += 3;
    if (eq == std::string_view::npos || end == std::string_view::npos || eq > end) continue;
    const std::string event(text.substr(at - 2, eq - at + 2));
    std::string name(text.substr(eq + 3, end - eq - 3));
    while (!name.empty() && (name.back() == '\r' || name.back() == ' ')) name.pop_back();
    if (event == "OnCloseQuery")
      handlers.Add<TCloseQueryEvent>(name, [](TObject*, bool&) {});
    else
      handlers.Add<TNotifyEvent>(name, [](TObject*) {});
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  platform::SetEventLoop(&loop);
  platform::DriveTable::Instance().Configure("none");
  RegisterEmbeddedResources();
  RegisterFrameworkClasses();
  RegisterClass<TCDP>("TCDP");
  RegisterClass<TMaruBtn>("TMaruBtn");
  RegisterClass<TIniGT>("TIniGT");
  // The program's windows read as forms; the reader never makes one.
  for (const char* window : {"TForm1", "TCDList_Form", "TVerForm", "TSetting_Form"})
    TClassRegistry::Instance().Register(window, nullptr, &TForm::Properties());
  for (const char* form : {"forms/main.dfm", "forms/editor.dfm", "forms/about.dfm", "forms/settings.dfm"})
    if (const auto text = FindResource(form)) AddHandlersOf(*text);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto form = std::make_unique<TFuzzForm>(nullptr);
  try {
    TDescriptionReader::Read(form.get(), std::string(reinterpret_cast<const char*>(data), size), "fuzz.dfm");
  } catch (const EReadError&) {
  }
  form.reset();
  loop.Advance(1000);
  return 0;
}
