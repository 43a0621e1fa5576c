#include "about/Unit5.h"

TVerForm* VerForm = nullptr;

TVerForm::TVerForm(TComponent* AOwner) : TForm(AOwner) { ReadDescription("forms/about.dfm"); }

TPropertyTable& TVerForm::Properties() {
  static TPropertyTable t(&TForm::Properties());
  return t;
}
