#include "framework/Registration.h"

#include "framework/ButtonControl.h"
#include "framework/CheckBox.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/ListBox.h"
#include "framework/Panel.h"
#include "framework/TabbedNotebook.h"
#include "framework/Timer.h"
#include "framework/UpDown.h"

namespace {

TPropertyTable& TimerProperties() {
  static TPropertyTable t = [] {
    TPropertyTable p;
    Prop<TTimer>(p, "Interval",
                 [](TTimer* x, const TPropValue& v) { x->SetInterval(static_cast<unsigned>(AsInteger(v))); });
    Prop<TTimer>(p, "Enabled", [](TTimer* x, const TPropValue& v) { x->SetEnabled(AsBoolean(v)); });
    Prop<TTimer>(p, "OnTimer",
                 [](TTimer* x, const TPropValue& v) { x->SetOnTimer(HandlersFor(x).Get<TNotifyEvent>(v)); });
    return p;
  }();
  return t;
}

}  // namespace

void RegisterFrameworkClasses() {
  RegisterClass<TLabel>("TLabel");
  RegisterClass<TListBox>("TListBox");
  RegisterClass<TButton>("TButton");
  RegisterClass<TBitBtn>("TBitBtn");
  RegisterClass<TSpeedButton>("TSpeedButton");
  RegisterClass<TCheckBox>("TCheckBox");
  RegisterClass<TEdit>("TEdit");
  RegisterClass<TUpDown>("TUpDown");
  RegisterClass<TTabbedNotebook>("TTabbedNotebook");
  RegisterClass<TTabPage>("TTabPage");
  RegisterClass<TPanel>("TPanel");
  RegisterClass<TImage>("TImage");
  TClassRegistry::Instance().Register(
      "TTimer", [](TComponent* owner) -> TComponent* { return new TTimer(owner); }, &TimerProperties());

  // A control described inside another takes it as its parent.
  SetParentHook = [](TComponent* child, TComponent* container) {
    auto* control = dynamic_cast<TControl*>(child);
    auto* parent = dynamic_cast<TWinControl*>(container);
    if (control && parent) control->SetParent(parent);
  };
}
