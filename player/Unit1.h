// The main window: the face of the deck with its display panel, track list and buttons,
// the display refresh, and the program's start-up and closing.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "engine/Cdp.h"
#include "controls/MaruBtn.h"
#include "framework/ButtonControl.h"
#include "framework/Form.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/ListBox.h"
#include "framework/Timer.h"
#include "platform/desktop/MediaControls.h"
#include "settings/IniGT.h"

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* AOwner);
  ~TForm1() override;

  TImage* Image1;
  TMaruBtn* Cmb_Play;
  TMaruBtn* Cmb_Next;
  TMaruBtn* Cmb_Stop;
  TMaruBtn* Cmb_Pause;
  TMaruBtn* Cmb_Back;
  TMaruBtn* Cmb_Eject;
  TLabel* MainText;
  TLabel* ModeSong;
  TLabel* Disp;
  TLabel* Label_Intro;
  TLabel* Label_Rand;
  TLabel* Label_Rep;
  TLabel* Label1;
  TLabel* Label2;
  TLabel* Label_Prg;
  TLabel* noCD;
  TLabel* Label3;
  TListBox* List1;
  TBitBtn* BitBtn1;
  TButton* Cmb_Show;
  TButton* Smb_Setting;
  TButton* Cmb_List;
  TBitBtn* Cmb_Vol;
  TBitBtn* Cmb_Help;
  TBitBtn* Cmb_Ver;
  TButton* Cmb_Rnd;
  TCDP* CD;
  TTimer* Timer;
  TIniGT* IniGT;

  void FormCreate(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void BitBtn1Click(TObject* Sender);
  void TimerTimer(TObject* Sender);
  void Cmb_ShowClick(TObject* Sender);
  void CDCDInsert(TObject* Sender);
  void Cmb_PlayClick(TObject* Sender);
  void Cmb_StopClick(TObject* Sender);
  void Cmb_PauseClick(TObject* Sender);
  void Cmb_BackClick(TObject* Sender);
  void Cmb_NextClick(TObject* Sender);
  void Cmb_EjectClick(TObject* Sender);
  void List1Click(TObject* Sender);
  void Cmb_RndClick(TObject* Sender);
  void Cmb_VolClick(TObject* Sender);
  void Cmb_HelpClick(TObject* Sender);
  void Smb_SettingClick(TObject* Sender);
  void Cmb_ListClick(TObject* Sender);
  void Cmb_VerClick(TObject* Sender);

  // The desktop's media controls: what the deck shows, as they are told it, and their
  // commands, each handled as a press of the deck's own button.
  // What the desktop's controls show, for the drive's mode and readiness as just read.
  platform::desktop::MediaState MediaStateNow(TCDPMode mode, bool ready);
  void PublishMediaState();
  void PublishMediaState(TCDPMode mode, bool ready);
  void MediaCommand(platform::desktop::MediaCommand Command);
  HWND MediaWindow() const { return FMediaWnd; }

  bool RndOn() const { return FRndOn; }
  void SetRndOn(bool v) { FRndOn = v; }
  int DispIndex() const { return FDispIndex; }

  static TPropertyTable& Properties();

 private:
  std::array<TCDPTimeMode, 4> DispModes{};
  std::array<std::string, 4> DispNames{};
  int FDispIndex = 2;  // 1-based, as the display button counts
  bool FRndOn = false;
  HWND FMediaWnd = nullptr;  // receives the media controls' posted commands
  // What the desktop is told of the track under way besides its position: it changes only
  // with the track, the drive or the disc, and is asked of the drive then, not at every tick.
  struct MediaTrack {
    MCIDEVICEID device = 0;
    int track = 0;
    int count = 0;
    DWORD length = 0;
    std::string title;
  };
  std::optional<MediaTrack> FMediaTrack;
};

extern TForm1* Form1;
