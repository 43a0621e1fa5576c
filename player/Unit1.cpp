#include "player/Unit1.h"

#include "about/Unit5.h"
#include "editor/Unit2.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/SysUtils.h"
#include "platform/help/Help.h"
#include "platform/mci/CdCommandLayer.h"
#include "platform/process/Process.h"
#include "settings/Unit3.h"

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
  handlers_.Add<TNotifyEvent>("Cmb_PlayClick", [this](TObject* s) { Cmb_PlayClick(s); });
  handlers_.Add<TNotifyEvent>("Cmb_StopClick", [this](TObject* s) { Cmb_StopClick(s); });
  handlers_.Add<TNotifyEvent>("Cmb_PauseClick", [this](TObject* s) { Cmb_PauseClick(s); });
  handlers_.Add<TNotifyEvent>("Cmb_BackClick", [this](TObject* s) { Cmb_BackClick(s); });
  handlers_.Add<TNotifyEvent>("Cmb_NextClick", [this](TObject* s) { Cmb_NextClick(s); });
  handlers_.Add<TNotifyEvent>("Cmb_EjectClick", [this](TObject* s) { Cmb_EjectClick(s); });
  handlers_.Add<TNotifyEvent>("List1Click", [this](TObject* s) { List1Click(s); });
  handlers_.Add<TNotifyEvent>("Cmb_RndClick", [this](TObject* s) { Cmb_RndClick(s); });
  handlers_.Add<TNotifyEvent>("Cmb_VolClick", [this](TObject* s) { Cmb_VolClick(s); });
  handlers_.Add<TNotifyEvent>("Cmb_HelpClick", [this](TObject* s) { Cmb_HelpClick(s); });
  handlers_.Add<TNotifyEvent>("Smb_SettingClick", [this](TObject* s) { Smb_SettingClick(s); });
  handlers_.Add<TNotifyEvent>("Cmb_ListClick", [this](TObject* s) { Cmb_ListClick(s); });
  handlers_.Add<TNotifyEvent>("Cmb_VerClick", [this](TObject* s) { Cmb_VerClick(s); });
  ReadDescription("forms/main.dfm");
  Image1 = Bind<TImage>("Image1");
  Cmb_Play = Bind<TMaruBtn>("Cmb_Play");
  Cmb_Next = Bind<TMaruBtn>("Cmb_Next");
  Cmb_Stop = Bind<TMaruBtn>("Cmb_Stop");
  Cmb_Pause = Bind<TMaruBtn>("Cmb_Pause");
  Cmb_Back = Bind<TMaruBtn>("Cmb_Back");
  Cmb_Eject = Bind<TMaruBtn>("Cmb_Eject");
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

TForm1::~TForm1() {
  if (FMediaWnd) {
    platform::desktop::CurrentMediaControls().SetTarget(nullptr);
    DestroyWindow(FMediaWnd);
  }
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
  AddDiscOrder(*CD->PlayList(), n);
  AddDiscOrder(*List1->Items(), n);
  FMediaWnd = CreateMessageWindow([this](HWND, UINT msg, WPARAM wParam, LPARAM) -> LRESULT {
    using platform::desktop::MediaCommand;
    if (msg == platform::desktop::WM_MEDIACOMMAND && wParam >= WPARAM(MediaCommand::Play) &&
        wParam <= WPARAM(MediaCommand::Quit))
      this->MediaCommand(static_cast<MediaCommand>(wParam));
    return 0;
  });
  platform::desktop::CurrentMediaControls().SetTarget(FMediaWnd);
  PublishMediaState();
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
  // A tick that fails with one of the framework's errors leaves what it already wrote and
  // says nothing; the next starts afresh. Anything else is a fault, and goes on to the
  // application's error report.
  try {
    const int t = CD->GetTrack();
    const std::string field = t < 10 ? "0" + IntToStr(t) : IntToStr(t);
    // One reading of the drive for the whole tick: the display, the title and the desktop's
    // controls show the same moment, and the drive is asked once for each thing.
    const std::string time = CD->GetTimeText();
    MainText->SetCaption("[" + field + "]  " + time);
    if (Application) Application->SetTitle("「澄響」   [" + field + "]  " + time);
    const TCDPMode mode = CD->GetMode();
    switch (mode) {
      case cpmPlaying: ModeSong->SetCaption("再生"); break;
      case cpmStopped: ModeSong->SetCaption("停止"); break;
      case cpmPaused: ModeSong->SetCaption("一時停止"); break;
      case cpmSeeking: ModeSong->SetCaption("準備中"); break;
      default: break;
    }
    const bool ready = CD->GetReady();
    noCD->SetCaption(ready ? kDisc : kNoDisc);
    const std::string current = IntToStr(CD->GetTrack());
    for (int i = 0; i < List1->Items()->Count(); ++i) {
      if (List1->Items()->Strings(i) == current) {
        List1->SetItemIndex(i);
        break;
      }
    }
    PublishMediaState(mode, ready);
  } catch (const Exception&) {
  }
}

void TForm1::Cmb_ShowClick(TObject*) {
  if (FDispIndex == 5) FDispIndex = 1;
  CD->SetTimeMode(DispModes[static_cast<std::size_t>(FDispIndex - 1)]);
  Disp->SetCaption(DispNames[static_cast<std::size_t>(FDispIndex - 1)]);
  ++FDispIndex;
}

void TForm1::CDCDInsert(TObject*) {
  FMediaTrack.reset();
  List1->Items()->Clear();
  // The editor offers the new disc's numbers too. A main window made on its own, without
  // the other windows, has no editor to fill.
  TListBox* available = CDList_Form ? CDList_Form->List1 : nullptr;
  if (available) available->Items()->Clear();
  const int n = CD->GetTrackCount();
  AddDiscOrder(*List1->Items(), n);
  if (available) AddDiscOrder(*available->Items(), n);
}

// ---- The secondary windows ----------------------------------------------------------------
// They are shown without being modal and act on this window themselves when confirmed.

void TForm1::Smb_SettingClick(TObject*) { Setting_Form->Show(); }

void TForm1::Cmb_ListClick(TObject*) {
  // The available numbers are those of the disc in the drive now; the program being built
  // in the editor's right list is kept.
  CDList_Form->List1->Items()->Clear();
  const int n = CD->GetTrackCount();
  AddDiscOrder(*CDList_Form->List1->Items(), n);
  CDList_Form->Show();
}

void TForm1::Cmb_VerClick(TObject*) {
  VerForm->SetTop(Top() + 50);
  VerForm->SetLeft(Left() + 100);
  VerForm->Show();
}

// ---- Transport and mode commands ----------------------------------------------------------
// The caption colours of the transport buttons are the deck's state lamp: red marks the
// state the last command chose.

void TForm1::Cmb_PlayClick(TObject*) {
  if (CD->GetMode() == cpmPlaying) return;
  CD->PlayIndex(0);
  Cmb_Play->Font()->SetColor(clRed);
  Cmb_Stop->Font()->SetColor(clBlack);
}

void TForm1::Cmb_StopClick(TObject*) {
  if (CD->GetMode() != cpmPlaying) return;
  CD->Stop();
  Cmb_Play->Font()->SetColor(clBlack);
  Cmb_Stop->Font()->SetColor(clRed);
}

void TForm1::Cmb_PauseClick(TObject*) {
  const TCDPMode mode = CD->GetMode();
  if (mode == cpmPlaying) {
    Cmb_Play->Font()->SetColor(clBlack);
    Cmb_Pause->Font()->SetColor(clRed);
  } else if (mode == cpmPaused) {
    Cmb_Play->Font()->SetColor(clRed);
    Cmb_Pause->Font()->SetColor(clBlack);
  }
  CD->Pause();
}

void TForm1::Cmb_BackClick(TObject*) {
  if (CD->GetMode() == cpmPlaying) {
    CD->PlayPrevious();
  } else {
    CD->CuePrevious();
  }
}

void TForm1::Cmb_NextClick(TObject*) {
  if (CD->GetMode() == cpmPlaying) {
    CD->PlayNext();
  } else {
    CD->CueNext();
  }
}

void TForm1::Cmb_EjectClick(TObject*) { CD->Eject(true); }

void TForm1::List1Click(TObject*) {
  CD->CueIndex(List1->ItemIndex());
  CD->Play();
}

void TForm1::Cmb_RndClick(TObject*) {
  CD->Stop();
  Cmb_Play->Font()->SetColor(clBlack);
  Cmb_Stop->Font()->SetColor(clRed);
  if (!FRndOn) {
    Label_Rand->Font()->SetColor(clLime);
    CD->Shuffle();
    FRndOn = true;
  } else {
    Label_Rand->Font()->SetColor(clSilver);
    FRndOn = false;
  }
  CD->SetShufflePlay(FRndOn);
  CD->CueFirst();
}

void TForm1::Cmb_VolClick(TObject*) {
  STARTUPINFOA si{};
  PROCESS_INFORMATION pi{};
  GetStartupInfoA(&si);
  char commandLine[] = "Sndvol32.exe";
  // Whether the volume program could be started is not looked at.
  CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
}

void TForm1::Cmb_HelpClick(TObject*) {
  if (Application) Application->SetHelpFile("plume.hlp");
  WinHelpA(Handle(), "plume.hlp", HELP_CONTENTS, 0);
}

TPropertyTable& TForm1::Properties() {
  static TPropertyTable t(&TForm::Properties());
  return t;
}

// ---- The desktop's media controls ---------------------------------------------------------

namespace {

std::int64_t Microseconds(int minutes, int seconds, int frames) {
  return ((std::int64_t{minutes} * 60 + seconds) * 75 + frames) * 1'000'000 / 75;
}

}  // namespace

platform::desktop::MediaState TForm1::MediaStateNow(TCDPMode mode, bool ready) {
  using platform::desktop::PlaybackStatus;
  platform::desktop::MediaState s;
  switch (mode) {
    case cpmPlaying: s.status = PlaybackStatus::Playing; break;
    case cpmPaused: s.status = PlaybackStatus::Paused; break;
    default: s.status = PlaybackStatus::Stopped; break;
  }
  if (!ready) {
    // The disc may be another when the drive is ready again.
    FMediaTrack.reset();
    return s;
  }
  const int track = CD->GetTrack();
  if (!FMediaTrack || FMediaTrack->device != CD->DeviceID() || FMediaTrack->track != track) {
    MediaTrack asked;
    asked.device = CD->DeviceID();
    asked.track = track;
    asked.count = CD->GetTrackCount();
    if (track >= 1 && track <= asked.count) {
      asked.length = CD->GetTrackLengthRaw(track);
      const auto title = platform::cd::CdCommandLayer::Instance().TrackTitle(asked.device, track);
      asked.title = title ? *title : "トラック " + IntToStr(track);
    }
    FMediaTrack = std::move(asked);
  }
  const MediaTrack& facts = *FMediaTrack;
  const bool inRange = track >= 1 && track <= facts.count;
  if (inRange) {
    s.track = track;
    s.lengthUs = Microseconds(MCI_MSF_MINUTE(facts.length), MCI_MSF_SECOND(facts.length), MCI_MSF_FRAME(facts.length));
    s.title = facts.title;
    const DWORD at = CD->GetPosition();
    if (MCI_TMSF_TRACK(at) == track)
      s.positionUs = Microseconds(MCI_TMSF_MINUTE(at), MCI_TMSF_SECOND(at), MCI_TMSF_FRAME(at));
  }
  // A question that failed answered 0: it is asked again at the next tick, not kept.
  if (facts.count == 0 || (inRange && facts.length == 0)) FMediaTrack.reset();
  // The deck's buttons answer whenever a disc is in; with an empty play list they do nothing.
  s.canPlay = s.canPause = true;
  s.canGoNext = s.canGoPrevious = CD->PlayList()->Count() > 0;
  return s;
}

void TForm1::PublishMediaState() { PublishMediaState(CD->GetMode(), CD->GetReady()); }

void TForm1::PublishMediaState(TCDPMode mode, bool ready) {
  platform::desktop::CurrentMediaControls().Publish(MediaStateNow(mode, ready));
}

void TForm1::MediaCommand(platform::desktop::MediaCommand Command) {
  using platform::desktop::MediaCommand;
  // The deck has no separate resume: its pause button goes on from a pause, while its play
  // button starts the play list afresh.
  const TCDPMode mode = CD->GetMode();
  switch (Command) {
    case MediaCommand::Play:
      if (mode == cpmPaused) {
        Cmb_PauseClick(Cmb_Pause);
      } else {
        Cmb_PlayClick(Cmb_Play);
      }
      break;
    case MediaCommand::Pause:
      if (mode == cpmPlaying) Cmb_PauseClick(Cmb_Pause);
      break;
    case MediaCommand::PlayPause:
      if (mode == cpmPlaying || mode == cpmPaused) {
        Cmb_PauseClick(Cmb_Pause);
      } else {
        Cmb_PlayClick(Cmb_Play);
      }
      break;
    case MediaCommand::Stop: Cmb_StopClick(Cmb_Stop); break;
    case MediaCommand::Next: Cmb_NextClick(Cmb_Next); break;
    case MediaCommand::Previous: Cmb_BackClick(Cmb_Back); break;
    case MediaCommand::Raise:
      if (WindowState() == wsMinimized) SetWindowState(wsNormal);
      Show();
      return;
    case MediaCommand::Quit: BitBtn1Click(BitBtn1); return;
  }
  // The desktop hears of the change at once, not only at the next refresh of the display.
  TimerTimer(Timer);
}
