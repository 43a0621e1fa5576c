#include "editor/Unit2.h"

#include <algorithm>
#include <vector>

#include "framework/SysUtils.h"
#include "player/Unit1.h"

TCDList_Form* CDList_Form = nullptr;

TCDList_Form::TCDList_Form(TComponent* AOwner) : TForm(AOwner) {
  handlers_.Add<TNotifyEvent>("AddSongClick", [this](TObject* s) { AddSongClick(s); });
  handlers_.Add<TNotifyEvent>("DelSongClick", [this](TObject* s) { DelSongClick(s); });
  handlers_.Add<TNotifyEvent>("Song_OkClick", [this](TObject* s) { Song_OkClick(s); });
  handlers_.Add<TNotifyEvent>("Song_ReLoadClick", [this](TObject* s) { Song_ReLoadClick(s); });
  handlers_.Add<TNotifyEvent>("Song_CancelClick", [this](TObject* s) { Song_CancelClick(s); });
  ReadDescription("forms/editor.dfm");
  Label1 = Bind<TLabel>("Label1");
  Label2 = Bind<TLabel>("Label2");
  List1 = Bind<TListBox>("List1");
  List2 = Bind<TListBox>("List2");
  AddSong = Bind<TSpeedButton>("AddSong");
  DelSong = Bind<TSpeedButton>("DelSong");
  Song_Ok = Bind<TSpeedButton>("Song_Ok");
  Song_Cancel = Bind<TBitBtn>("Song_Cancel");
  Song_ReLoad = Bind<TBitBtn>("Song_ReLoad");
}

void TCDList_Form::AddSongClick(TObject*) {
  // With no row chosen the read fails in the list's index check and the user is told so;
  // nothing is added. A number stays available after it has been added.
  List2->Items()->Add(List1->Items()->Strings(List1->ItemIndex()));
}

void TCDList_Form::DelSongClick(TObject*) {
  // One entry per click, the one holding the focus, however many are selected. Without a
  // focused entry (an empty list, or none chosen since the list changed) nothing goes.
  const int index = List2->ItemIndex();
  if (index < 0 || index >= List2->Items()->Count()) return;
  // Removing a row makes the list forget its selection; the rows that stay keep theirs
  // and the focus goes to the row after the removed one (or the new last row), so that
  // 削除 can be pressed again straight away.
  std::vector<bool> selected;
  for (int i = 0; i < List2->Items()->Count(); ++i)
    if (i != index) selected.push_back(List2->Selected(i));
  List2->Items()->Delete(index);
  const int count = List2->Items()->Count();
  if (count == 0) return;
  List2->SetItemIndex(std::min(index, count - 1));
  for (int i = 0; i < count; ++i) List2->SetSelected(i, selected[static_cast<std::size_t>(i)]);
}

void TCDList_Form::Song_OkClick(TObject*) {
  Form1->List1->Items()->Assign(*List2->Items());
  Form1->Cmb_Play->Font()->SetColor(clBlack);
  Form1->Cmb_Stop->Font()->SetColor(clRed);
  // A program is played in its own order, so random play goes off; the play list the
  // engine may build on that change is replaced below.
  Form1->CD->SetShufflePlay(false);
  Form1->SetRndOn(false);
  Form1->Label_Rand->Font()->SetColor(clSilver);
  Form1->Label_Prg->Font()->SetColor(clLime);
  TStringList* playList = Form1->CD->PlayList();
  playList->Clear();
  for (int i = 0; i < List2->Items()->Count(); ++i) playList->Add(List2->Items()->Strings(i));
  // An empty program fails here with the play list's index error; the editor then stays
  // open so that the user can add entries.
  Form1->CD->CueFirst();
  Hide();
}

void TCDList_Form::Song_ReLoadClick(TObject*) {
  List2->Items()->Clear();
  Form1->List1->Items()->Clear();
  Form1->CD->PlayList()->Clear();
  Form1->Label_Prg->Font()->SetColor(clSilver);
  const int n = Form1->CD->GetTrackCount();
  AddDiscOrder(*Form1->CD->PlayList(), n);
  AddDiscOrder(*Form1->List1->Items(), n);
  // Without a disc the play list is empty and this fails; the editor then stays open.
  Form1->CD->CueFirst();
  Close();
}

void TCDList_Form::Song_CancelClick(TObject*) {
  // The program under construction stays in the right list for the next showing.
  Close();
}

TPropertyTable& TCDList_Form::Properties() {
  static TPropertyTable t(&TForm::Properties());
  return t;
}
