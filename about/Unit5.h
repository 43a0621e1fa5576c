// The window VerForm; its controls and commands are filled in by the window's own work.
#pragma once

#include "framework/Form.h"

class TVerForm : public TForm {
 public:
  explicit TVerForm(TComponent* AOwner);
  static TPropertyTable& Properties();
};

extern TVerForm* VerForm;
