// The CD audio engine: one CD audio device of the media control interface, the play list
// and its cursor, play and cue operations, random order, intro play, repeat, the
// end-of-play notification, a 200 ms poll that notices discs coming and going, and the
// text of the time display.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Component.h"
#include "framework/Properties.h"
#include "framework/StringList.h"
#include "framework/UtilityWindow.h"
#include "platform/mci/Mmsystem.h"

class TTimer;

enum TCDPMode : std::uint8_t { cpmPlaying, cpmStopped, cpmPaused, cpmSeeking, cpmNotReady, cpmOpen };

enum TCDPTimeMode : std::uint8_t { cdpTrackPast, cdpTrackLeft, cdpTotalPast, cdpTotalLeft, cdpNone };

class TCDP : public TComponent {
 public:
  explicit TCDP(TComponent* AOwner);
  ~TCDP() override;

  // The device.
  void Open(int Index);
  void Close();
  void Eject(bool OpenDoor);
  void Stop();

  // Queries; with no device open each answers its neutral value and sends nothing.
  TCDPMode GetMode();
  bool GetReady();
  int GetTrackCount();
  int GetTrackLength(int Track);
  DWORD GetTrackLengthRaw(int Track);
  DWORD GetTrackStart(int Track);
  DWORD GetPosition();
  int GetTrack();
  int GetTrackPosition();

  // Playing along the play list.
  void PlayFrom(DWORD Pos);
  void SeekTo(DWORD Pos);
  void Play();
  void Pause();
  void PlayIndex(int Index);
  void PlayNext();
  void PlayPrevious();
  void CueTrack(int Track);
  void CueIndex(int Index);
  void CueNext();
  void CuePrevious();
  void CueFirst();
  void Shuffle();

  // The time display.
  std::string GetTimeText();
  int GetPlayListLength();

  // Published properties.
  bool IntroPlay() const { return FIntroPlay; }
  void SetIntroPlay(bool Value) { FIntroPlay = Value; }
  int IntroTime() const { return FIntroTime; }
  void SetIntroTime(int Value) { FIntroTime = Value; }
  int NotifyAt() const { return FNotifyAt; }
  void SetNotifyAt(int Value);
  TStringList* PlayList() const { return FPlayList.get(); }
  void SetPlayList(const TStringList* Value);
  bool RepeatPlay() const { return FRepeatPlay; }
  void SetRepeatPlay(bool Value) { FRepeatPlay = Value; }
  int Seconds() const { return FSeconds; }
  void SetSeconds(int Value) { FSeconds = Value; }
  bool ShufflePlay() const { return FShufflePlay; }
  void SetShufflePlay(bool Value);
  const std::string& TimeFormat() const { return FTimeFormat; }
  void SetTimeFormat(const std::string& Value) { FTimeFormat = Value; }
  TCDPTimeMode TimeMode() const { return FTimeMode; }
  void SetTimeMode(TCDPTimeMode Value) { FTimeMode = Value; }

  TNotifyEvent OnCDInsert;
  TNotifyEvent OnCDExit;
  TNotifyEvent OnSongChange;
  TNotifyEvent OnTime;

  // State the windows and tests look at.
  TStringList* DriveList() const { return FDriveList.get(); }
  int PlayIndexPos() const { return FPlayIndexPos; }
  WORD DeviceID() const { return FDeviceID; }
  DWORD LastError() const { return FLastError; }
  HWND NotifyWnd() const { return FNotifyWnd; }
  bool DiscKnown() const { return FDiscKnown; }
  bool Paused() const { return FPaused; }
  int CurrentTrack() const { return FCurrentTrack; }
  TTimer* TickTimer() const { return FTickTimer; }

  // Device primitives; each stores its return code in LastError.
  void ScanDrives();
  void MciOpen(int Index);
  void MciClose();
  void MciSetDoor(bool OpenDoor);
  void MciPause();
  void MciStop();
  void MciSetTimeFormat(DWORD Format);

  // The published properties, for window descriptions.
  static TPropertyTable& Properties();

  // Message and timer entry points.
  void NotifyWndProc(TMessage& Message);
  void PollTimer(TObject* Sender);

 private:
  MCIERROR Send(UINT Command, DWORD Flags, void* Record);
  DWORD StatusItem(DWORD Item);
  DWORD StatusTrack(DWORD Item, int Track);
  int EntryTrack(int Index) const;
  void DoCDInsert();
  void DoCDExit();
  void DoSongChange();
  void DoTime();
  void SetCurrentTrack(int Track);

  bool FDiscKnown = false;
  bool FDriveChanged = false;  // a drive was closed: the next tick judges the drive opened
  bool FTimeNotified = false;
  bool FPaused = false;
  bool FPolling = false;
  int FPollCount = 0;
  int FCurrentTrack = 1;
  TTimer* FTickTimer = nullptr;  // owned through the component tree
  // The records live as long as the engine and are reused by every command, so a field
  // that one command does not set keeps what an earlier command left in it.
  MCI_GENERIC_PARMS FGenericParms{};
  MCI_OPEN_PARMS FOpenParms{};
  MCI_PLAY_PARMS FPlayParms{};
  MCI_SEEK_PARMS FSeekParms{};
  MCI_SET_PARMS FSetParms{};
  MCI_STATUS_PARMS FStatusParms{};
  std::string FElementName;
  bool FIntroPlay = false;
  bool FRepeatPlay = false;
  bool FShufflePlay = false;
  int FPlayIndexPos = 0;
  int FIntroTime = 10;
  int FSeconds = 3;
  DWORD FLastError = 0;
  int FNotifyAt = 0;
  std::string FTimeFormat = "%.2d:%.2d";
  std::unique_ptr<TStringList> FDriveList;
  std::unique_ptr<TStringList> FPlayList;
  TCDPTimeMode FTimeMode = cdpTrackPast;
  WORD FDeviceID = 0;
  HWND FNotifyWnd = nullptr;
};

// Appends the disc order, the track numbers 1 .. TrackCount as texts, to List: the play
// list, the main window's list and the editor's available numbers all start from it.
void AddDiscOrder(TStringList& List, int TrackCount);
