#include "about/Unit5.h"

TVerForm* VerForm = nullptr;

TVerForm::TVerForm(TComponent* AOwner) : TForm(AOwner) {
  // Seldom opened: its controls are made when it is first shown.
  MakePeersWhenShown();
  handlers_.Add<TNotifyEvent>("BitBtn1Click", [this](TObject* s) { BitBtn1Click(s); });
  ReadDescription("forms/about.dfm");
  Panel1 = Bind<TPanel>("Panel1");
  Label1 = Bind<TLabel>("Label1");
  Label2 = Bind<TLabel>("Label2");
  Label4 = Bind<TLabel>("Label4");
  Label3 = Bind<TLabel>("Label3");
  Image1 = Bind<TImage>("Image1");
  BitBtn1 = Bind<TBitBtn>("BitBtn1");
}

void TVerForm::BitBtn1Click(TObject*) {
  // Closing only hides the window; the version button shows it again.
  Close();
}

TPropertyTable& TVerForm::Properties() {
  static TPropertyTable t(&TForm::Properties());
  return t;
}
