#include "settings/Unit3.h"

#include "editor/Unit2.h"
#include "framework/SysUtils.h"
#include "player/Unit1.h"

TSetting_Form* Setting_Form = nullptr;

namespace {
const char* const kDriveHeading = "CD-ROM  ドライブ";
const char* const kNoDisc = "CDが入ってません";
}  // namespace

TSetting_Form::TSetting_Form(TComponent* AOwner) : TForm(AOwner) {
  // Seldom opened: its controls are made when it is first shown.
  MakePeersWhenShown();
  handlers_.Add<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
  handlers_.Add<TNotifyEvent>("ICheckClick", [this](TObject* s) { ICheckClick(s); });
  handlers_.Add<TNotifyEvent>("CDListClick", [this](TObject* s) { CDListClick(s); });
  handlers_.Add<TNotifyEvent>("ChClick", [this](TObject* s) { ChClick(s); });
  handlers_.Add<TNotifyEvent>("BitBtn1Click", [this](TObject* s) { BitBtn1Click(s); });
  handlers_.Add<TNotifyEvent>("BitBtn2Click", [this](TObject* s) { BitBtn2Click(s); });
  ReadDescription("forms/settings.dfm");
  TabbedNotebook1 = Bind<TTabbedNotebook>("TabbedNotebook1");
  ICheck = Bind<TCheckBox>("ICheck");
  ITime = Bind<TEdit>("ITime");
  ITime_UpDown = Bind<TUpDown>("ITime_UpDown");
  Rep = Bind<TCheckBox>("Rep");
  CD_Drive = Bind<TLabel>("CD_Drive");
  CDList = Bind<TListBox>("CDList");
  Ch = Bind<TButton>("Ch");
  BitBtn1 = Bind<TBitBtn>("BitBtn1");
  BitBtn2 = Bind<TBitBtn>("BitBtn2");
  // What was typed may not be a number in the spin control's range; the field then keeps
  // the text while the last number taken stays the value. Leaving the field shows that
  // value again, so the field never shows a value OK would not apply.
  ITime->OnExit = [this](TObject*) { ShowAppliedSeconds(); };
}

void TSetting_Form::ShowAppliedSeconds() {
  const std::string applied = IntToStr(ITime_UpDown->Position());
  if (ITime->Text() != applied) ITime->SetText(applied);
}

void TSetting_Form::FormCreate(TObject*) {
  // The drives are listed once; the machine's drives do not change while the player runs.
  CDList->Items()->Assign(*Form1->CD->DriveList());
}

void TSetting_Form::ICheckClick(TObject*) {
  ITime->SetEnabled(ICheck->Checked());
  ITime_UpDown->SetEnabled(ICheck->Checked());
}

bool TSetting_Form::ReopenSelectedDrive() {
  // Closing the engine's device before knowing that there is a drive to open would leave
  // the player without any, so a click that selects no row changes nothing.
  const int k = CDList->ItemIndex();
  if (k < 0) return false;
  Form1->CD->Close();
  Form1->CD->Open(k);
  // The track numbers shown are the old drive's; the engine's first tick on the new one
  // fills them again from its disc, or leaves them empty when it has none.
  Form1->List1->Items()->Clear();
  if (CDList_Form) CDList_Form->List1->Items()->Clear();
  return true;
}

void TSetting_Form::CDListClick(TObject*) {
  if (!ReopenSelectedDrive()) return;
  if (Form1->CD->GetReady()) {
    CD_Drive->SetCaption(kDriveHeading);
    Ch->SetEnabled(true);
  } else {
    CD_Drive->SetCaption(kNoDisc);
    Ch->SetEnabled(false);
  }
}

void TSetting_Form::ChClick(TObject*) {
  ReopenSelectedDrive();
  // Intro play starts over on the new drive; the engine learns it only from OK.
  ICheck->SetChecked(false);
  ITime->SetEnabled(false);
  ITime_UpDown->SetEnabled(false);
  // The main window's next refresh writes the disc state of the new drive.
  Form1->noCD->SetCaption("");
}

void TSetting_Form::BitBtn1Click(TObject*) {
  Form1->CD->SetIntroPlay(ICheck->Checked());
  ShowAppliedSeconds();
  Form1->CD->SetIntroTime(ITime_UpDown->Position());
  Form1->CD->SetRepeatPlay(Rep->Checked());
  Form1->Label_Intro->Font()->SetColor(ICheck->Checked() ? clLime : clSilver);
  Form1->Label_Rep->Font()->SetColor(Rep->Checked() ? clLime : clSilver);
  Hide();
}

void TSetting_Form::BitBtn2Click(TObject*) {
  // The boxes keep what the user set, for the next showing; nothing reaches the engine.
  Hide();
}

TPropertyTable& TSetting_Form::Properties() {
  static TPropertyTable t(&TForm::Properties());
  return t;
}
