// The window CDList_Form; its controls and commands are filled in by the window's own work.
#pragma once

#include "framework/Form.h"

class TCDList_Form : public TForm {
 public:
  explicit TCDList_Form(TComponent* AOwner);
  static TPropertyTable& Properties();
};

extern TCDList_Form* CDList_Form;
