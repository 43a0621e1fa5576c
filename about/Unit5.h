// The version window: the product's name, its version and the maker's lines in bright
// colours on black beside a small picture, with an OK button. It holds no state.
#pragma once

#include "framework/ButtonControl.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Panel.h"

class TVerForm : public TForm {
 public:
  explicit TVerForm(TComponent* AOwner);

  TPanel* Panel1;
  TLabel* Label1;
  TLabel* Label2;
  TLabel* Label4;
  TLabel* Label3;
  TImage* Image1;
  TBitBtn* BitBtn1;

  void BitBtn1Click(TObject* Sender);

  static TPropertyTable& Properties();
};

extern TVerForm* VerForm;
