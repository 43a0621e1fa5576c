// The settings window: intro play and its length, repeat play and the CD-ROM drive the
// engine uses. It keeps nothing in the settings file; OK hands the values to the engine and
// the main window's lamps, while a drive choice takes effect the moment it is made.
#pragma once

#include "framework/ButtonControl.h"
#include "framework/CheckBox.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/ListBox.h"
#include "framework/TabbedNotebook.h"
#include "framework/UpDown.h"

class TSetting_Form : public TForm {
 public:
  explicit TSetting_Form(TComponent* AOwner);

  TTabbedNotebook* TabbedNotebook1;
  TCheckBox* ICheck;
  TEdit* ITime;
  TUpDown* ITime_UpDown;
  TCheckBox* Rep;
  TLabel* CD_Drive;
  TListBox* CDList;
  TButton* Ch;
  TBitBtn* BitBtn1;
  TBitBtn* BitBtn2;

  void FormCreate(TObject* Sender);
  void ICheckClick(TObject* Sender);
  void CDListClick(TObject* Sender);
  void ChClick(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  void BitBtn2Click(TObject* Sender);

  static TPropertyTable& Properties();

 private:
  bool ReopenSelectedDrive();
  void ShowAppliedSeconds();
};

extern TSetting_Form* Setting_Form;
