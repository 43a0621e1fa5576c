// The play-order editor: the disc's track numbers on the left, the program being built on
// the right. Registering makes the program the engine's play list and the main window's
// list; releasing goes back to disc order. The main window fills the left list.
#pragma once

#include "framework/ButtonControl.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/ListBox.h"

class TCDList_Form : public TForm {
 public:
  explicit TCDList_Form(TComponent* AOwner);

  TLabel* Label1;
  TLabel* Label2;
  TListBox* List1;
  TListBox* List2;
  TSpeedButton* AddSong;
  TSpeedButton* DelSong;
  TSpeedButton* Song_Ok;
  TBitBtn* Song_Cancel;
  TBitBtn* Song_ReLoad;

  void AddSongClick(TObject* Sender);
  void DelSongClick(TObject* Sender);
  void Song_OkClick(TObject* Sender);
  void Song_ReLoadClick(TObject* Sender);
  void Song_CancelClick(TObject* Sender);

  static TPropertyTable& Properties();
};

extern TCDList_Form* CDList_Form;
