#include "editor/Unit2.h"

TCDList_Form* CDList_Form = nullptr;

TCDList_Form::TCDList_Form(TComponent* AOwner) : TForm(AOwner) { ReadDescription("forms/editor.dfm"); }

TPropertyTable& TCDList_Form::Properties() {
  static TPropertyTable t(&TForm::Properties());
  return t;
}
