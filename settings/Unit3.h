// The window Setting_Form; its controls and commands are filled in by the window's own work.
#pragma once

#include "framework/Form.h"

class TSetting_Form : public TForm {
 public:
  explicit TSetting_Form(TComponent* AOwner);
  static TPropertyTable& Properties();
};

extern TSetting_Form* Setting_Form;
