#include "settings/Unit3.h"

TSetting_Form* Setting_Form = nullptr;

TSetting_Form::TSetting_Form(TComponent* AOwner) : TForm(AOwner) { ReadDescription("forms/settings.dfm"); }

TPropertyTable& TSetting_Form::Properties() {
  static TPropertyTable t(&TForm::Properties());
  return t;
}
