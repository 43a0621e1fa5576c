#include "player/Unit1.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/SysUtils.h"

TForm1* Form1 = nullptr;

namespace {
const char* const kNoDisc = "CDが入ってません";
const char* const kDisc = "Audio CD";
}  // namespace

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
  handlers_.Add<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
  handlers_.Add<TCloseQueryEvent>("FormCloseQuery", [this](TObject* s, bool& c) { FormCloseQuery(s, c); });
  handlers_.Add<TNotifyEvent>("BitBtn1Click", [this](TObject* s) { BitBtn1Click(s); });
  handlers_.Add<TNotifyEvent>("TimerTimer", [this](TObject* s) { TimerTimer(s); });
  handlers_.Add<TNotifyEvent>("Cmb_ShowClick", [this](TObject* s) { Cmb_ShowClick(s); });
  handlers_.Add<TNotifyEvent>("CDCDInsert", [this](TObject* s) { CDCDInsert(s); });
  ReadDescription("forms/main.dfm");
  Image1 = Bind<TImage>("Image1");
  MainText = Bind<TLabel>("MainText");
  ModeSong = Bind<TLabel>("ModeSong");
  Disp = Bind<TLabel>("Disp");
  Label_Intro = Bind<TLabel>("Label_Intro");
  Label_Rand = Bind<TLabel>("Label_Rand");
  Label_Rep = Bind<TLabel>("Label_Rep");
  Label1 = Bind<TLabel>("Label1");
  Label2 = Bind<TLabel>("Label2");
  Label_Prg = Bind<TLabel>("Label_Prg");
  noCD = Bind<TLabel>("noCD");
  Label3 = Bind<TLabel>("Label3");
  List1 = Bind<TListBox>("List1");
  BitBtn1 = Bind<TBitBtn>("BitBtn1");
  Cmb_Show = Bind<TButton>("Cmb_Show");
  Smb_Setting = Bind<TButton>("Smb_Setting");
  Cmb_List = Bind<TButton>("Cmb_List");
  Cmb_Vol = Bind<TBitBtn>("Cmb_Vol");
  Cmb_Help = Bind<TBitBtn>("Cmb_Help");
  Cmb_Ver = Bind<TBitBtn>("Cmb_Ver");
  Cmb_Rnd = Bind<TButton>("Cmb_Rnd");
  CD = Bind<TCDP>("CD");
  Timer = Bind<TTimer>("Timer");
  IniGT = Bind<TIniGT>("IniGT");
}

void TForm1::FormCreate(TObject*) {
  // Without any CD-ROM drive there is no first drive to open; that is reported, and the
  // window still comes up in its no-disc state.
  try {
    CD->Open(0);
  } catch (const Exception& e) {
    if (Application) {
      Application->ShowException(e);
    } else {
      throw;
    }
  }
  IniGT->ReadWindowPos("Setting", "WindowsPos", this);
  noCD->SetCaption(CD->GetReady() ? kDisc : kNoDisc);
  DispModes = {cdpTrackPast, cdpTrackLeft, cdpTotalPast, cdpTotalLeft};
  DispNames = {"経過時間", "残り時間", "総時間", "総残り時間"};
  FDispIndex = 2;
  FRndOn = false;
  const int n = CD->GetTrackCount();
  for (int k = 1; k <= n; ++k) {
    CD->PlayList()->Add(IntToStr(k));
    List1->Items()->Add(IntToStr(k));
  }
}

void TForm1::FormCloseQuery(TObject*, bool& CanClose) {
  CD->Stop();
  // A settings file that cannot be written must not keep the program from ending: the
  // error is reported, the placement is lost for this run, and the window closes.
  try {
    IniGT->WriteWindowPos("Setting", "WindowsPos", this);
  } catch (const Exception& e) {
    if (!Application) throw;
    Application->ShowException(e);
  }
  CanClose = true;
}

void TForm1::BitBtn1Click(TObject*) {
  CD->Stop();
  Close();
}

void TForm1::TimerTimer(TObject*) {
  // A tick that fails leaves what it already wrote and says nothing; the next starts afresh.
  try {
    const int t = CD->GetTrack();
    const std::string field = t < 10 ? "0" + IntToStr(t) : IntToStr(t);
    MainText->SetCaption("[" + field + "]  " + CD->GetTimeText());
    if (Application) Application->SetTitle("「澄響」   [" + field + "]  " + CD->GetTimeText());
    switch (CD->GetMode()) {
      case cpmPlaying: ModeSong->SetCaption("再生"); break;
      case cpmStopped: ModeSong->SetCaption("停止"); break;
      case cpmPaused: ModeSong->SetCaption("一時停止"); break;
      case cpmSeeking: ModeSong->SetCaption("準備中"); break;
      default: break;
    }
    noCD->SetCaption(CD->GetReady() ? kDisc : kNoDisc);
    const std::string current = IntToStr(CD->GetTrack());
    for (int i = 0; i < List1->Items()->Count(); ++i) {
      if (List1->Items()->Strings(i) == current) {
        List1->SetItemIndex(i);
        break;
      }
    }
  } catch (...) {
  }
}

void TForm1::Cmb_ShowClick(TObject*) {
  if (FDispIndex == 5) FDispIndex = 1;
  CD->SetTimeMode(DispModes[static_cast<std::size_t>(FDispIndex - 1)]);
  Disp->SetCaption(DispNames[static_cast<std::size_t>(FDispIndex - 1)]);
  ++FDispIndex;
}

void TForm1::CDCDInsert(TObject*) {
  List1->Items()->Clear();
  const int n = CD->GetTrackCount();
  for (int k = 1; k <= n; ++k) List1->Items()->Add(IntToStr(k));
}

TPropertyTable& TForm1::Properties() {
  static TPropertyTable t(&TForm::Properties());
  return t;
}
