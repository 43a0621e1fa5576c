#include "engine/Cdp.h"

#include <chrono>
#include <random>

#include "framework/SysUtils.h"
#include "framework/Timer.h"
#include "platform/drives/Drives.h"
#include "platform/system/ScopeExit.h"

namespace {

// The poll that notices discs coming and going, intro ends and the notify time.
constexpr unsigned kPollIntervalMs = 200;
// While no disc is known, the drive is asked whether it is ready only on every sixth tick:
// a drive without a disc can be slow to answer, and the poll must stay light.
constexpr int kTicksBetweenReadyChecks = 5;
// Some drives land short of a seek's target; it is tried again, but never endlessly.
constexpr int kMaxSeeks = 3;

DWORD TrackStartPosition(int Track) { return MCI_MAKE_TMSF(static_cast<BYTE>(Track), 0, 0, 0); }

// Times are never shown below zero: a play list that is not the disc in track order can
// make the remaining total come out negative.
long long NotNegative(long long v) { return v < 0 ? 0 : v; }

}  // namespace

TCDP::TCDP(TComponent* AOwner) : TComponent(AOwner) {
  FNotifyWnd = AllocateHWnd([this](TMessage& m) { NotifyWndProc(m); });
  FDriveList = std::make_unique<TStringList>();
  FPlayList = std::make_unique<TStringList>();
  FTickTimer = new TTimer(this);
  FTickTimer->SetInterval(kPollIntervalMs);
  FTickTimer->SetOnTimer([this](TObject* Sender) { PollTimer(Sender); });
  FTickTimer->SetEnabled(true);
  ScanDrives();
}

TCDP::~TCDP() {
  FTickTimer->SetEnabled(false);
  if (FDeviceID != 0) MciClose();
  DeallocateHWnd(FNotifyWnd);
  FNotifyWnd = nullptr;
}

// ---- Device primitives -------------------------------------------------------------

MCIERROR TCDP::Send(UINT Command, DWORD Flags, void* Record) {
  if (FDeviceID == 0) return 0;
  FLastError = mciSendCommandA(FDeviceID, Command, Flags, reinterpret_cast<DWORD_PTR>(Record));
  return FLastError;
}

DWORD TCDP::StatusItem(DWORD Item) {
  FStatusParms.dwItem = Item;
  // A failed query answers 0 rather than whatever an earlier query left in the record:
  // a stale track count would otherwise fill the play list of an empty drive.
  if (Send(MCI_STATUS, MCI_STATUS_ITEM, &FStatusParms) != 0) return 0;
  return static_cast<DWORD>(FStatusParms.dwReturn);
}

DWORD TCDP::StatusTrack(DWORD Item, int Track) {
  FStatusParms.dwItem = Item;
  FStatusParms.dwTrack = static_cast<DWORD>(Track);
  if (Send(MCI_STATUS, MCI_STATUS_ITEM | MCI_TRACK, &FStatusParms) != 0) return 0;
  return static_cast<DWORD>(FStatusParms.dwReturn);
}

void TCDP::ScanDrives() {
  FDriveList->Clear();
  char buffer[128] = {};
  const DWORD n = GetLogicalDriveStringsA(sizeof buffer, buffer);
  // A table too large for the buffer answers with the size it needs and writes nothing.
  if (n >= sizeof buffer) return;
  for (DWORD i = 0; i < n; i += 4) {
    if (GetDriveTypeA(buffer + i) == DRIVE_CDROM) {
      buffer[i + 2] = '\0';
      FDriveList->Add(buffer + i);
    }
  }
}

void TCDP::MciOpen(int Index) {
  // The index check raises before anything is sent.
  FElementName = FDriveList->Strings(Index);
  FOpenParms.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
  FOpenParms.lpstrElementName = FElementName.c_str();
  FLastError = mciSendCommandA(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT | MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID,
                               reinterpret_cast<DWORD_PTR>(&FOpenParms));
  if (FLastError == 0) FDeviceID = LOWORD(FOpenParms.wDeviceID);
}

void TCDP::MciClose() {
  if (Send(MCI_CLOSE, MCI_WAIT, &FGenericParms) == 0) FDeviceID = 0;
}

void TCDP::MciSetDoor(bool OpenDoor) {
  Send(MCI_SET, MCI_WAIT | (OpenDoor ? MCI_SET_DOOR_OPEN : MCI_SET_DOOR_CLOSED), &FSetParms);
}

void TCDP::MciPause() { Send(MCI_PAUSE, MCI_WAIT, &FGenericParms); }

void TCDP::MciStop() { Send(MCI_STOP, MCI_WAIT, &FGenericParms); }

void TCDP::MciSetTimeFormat(DWORD Format) {
  FSetParms.dwTimeFormat = Format;
  Send(MCI_SET, MCI_WAIT | MCI_SET_TIME_FORMAT, &FSetParms);
}

// ---- Device operations -------------------------------------------------------------

void TCDP::Open(int Index) {
  MciOpen(Index);
  MciSetTimeFormat(MCI_FORMAT_TMSF);
}

void TCDP::Close() {
  MciClose();
  // The disc of this drive is no longer ours to know: the first tick on the next drive
  // opened announces its disc afresh, or, when it has none, lets go of this one's tracks.
  FDiscKnown = false;
  FDriveChanged = true;
}

void TCDP::Eject(bool OpenDoor) { MciSetDoor(OpenDoor); }

void TCDP::Stop() {
  MciStop();
  FPaused = false;
}

// ---- Queries ----------------------------------------------------------------------------

TCDPMode TCDP::GetMode() {
  if (FDeviceID == 0) return cpmNotReady;
  if (FPaused) return cpmPaused;
  switch (StatusItem(MCI_STATUS_MODE)) {
    case MCI_MODE_PLAY: return cpmPlaying;
    case MCI_MODE_STOP: return cpmStopped;
    case MCI_MODE_SEEK: return cpmSeeking;
    case MCI_MODE_OPEN: return cpmOpen;
    default: return cpmNotReady;
  }
}

bool TCDP::GetReady() {
  if (FDeviceID == 0) return false;
  return LOBYTE(StatusItem(MCI_STATUS_READY)) != 0;
}

int TCDP::GetTrackCount() {
  if (FDeviceID == 0) return 0;
  return static_cast<int>(StatusItem(MCI_STATUS_NUMBER_OF_TRACKS));
}

int TCDP::GetTrackLength(int Track) {
  if (FDeviceID == 0) return 0;
  const DWORD len = StatusTrack(MCI_STATUS_LENGTH, Track);
  return MCI_MSF_MINUTE(len) * 60 + MCI_MSF_SECOND(len);
}

DWORD TCDP::GetTrackLengthRaw(int Track) {
  if (FDeviceID == 0) return 0;
  return StatusTrack(MCI_STATUS_LENGTH, Track);
}

DWORD TCDP::GetTrackStart(int Track) {
  if (FDeviceID == 0) return 0;
  return StatusTrack(MCI_STATUS_POSITION, Track);
}

DWORD TCDP::GetPosition() {
  if (FDeviceID == 0) return 0;
  return StatusItem(MCI_STATUS_POSITION);
}

int TCDP::GetTrack() { return FDeviceID == 0 ? 0 : FCurrentTrack; }

int TCDP::GetTrackPosition() {
  if (FDeviceID == 0) return 0;
  const DWORD p = GetPosition();
  const int t = MCI_TMSF_TRACK(p);
  if (t == FCurrentTrack) return MCI_TMSF_MINUTE(p) * 60 + MCI_TMSF_SECOND(p);
  if (t < FCurrentTrack) return 0;
  return GetTrackLength(FCurrentTrack) - MCI_TMSF_SECOND(p);
}

// ---- Play list and playing ---------------------------------------------------------

int TCDP::EntryTrack(int Index) const { return StrToInt(FPlayList->Strings(Index)); }

void TCDP::SetCurrentTrack(int Track) {
  const int old = FCurrentTrack;
  FCurrentTrack = Track;
  if (Track != old) DoSongChange();
}

void TCDP::PlayFrom(DWORD Pos) {
  if (FDeviceID == 0) return;
  FPlayParms.dwCallback = HandleValue(FNotifyWnd);
  if (Pos == 0) Pos = GetPosition();
  const int track = MCI_TMSF_TRACK(Pos);
  SetCurrentTrack(track);
  const DWORD len = GetTrackLengthRaw(track);
  FPlayParms.dwFrom = Pos;
  // One play command per entry, never repeated, so that each play ends in exactly one
  // successful notification.
  if (track == GetTrackCount()) {
    // The last track plays to the end of the disc.
    Send(MCI_PLAY, MCI_NOTIFY | MCI_FROM, &FPlayParms);
  } else {
    FPlayParms.dwTo =
        MCI_MAKE_TMSF(static_cast<BYTE>(track), MCI_MSF_MINUTE(len), MCI_MSF_SECOND(len), MCI_MSF_FRAME(len));
    Send(MCI_PLAY, MCI_NOTIFY | MCI_FROM | MCI_TO, &FPlayParms);
  }
}

void TCDP::SeekTo(DWORD Pos) {
  if (FDeviceID == 0) return;
  MciStop();
  SetCurrentTrack(MCI_TMSF_TRACK(Pos));
  FSeekParms.dwTo = Pos;
  DWORD at = GetPosition();
  for (int seeks = 0; at != Pos && seeks < kMaxSeeks; ++seeks) {
    Send(MCI_SEEK, MCI_TO | MCI_WAIT, &FSeekParms);
    at = GetPosition();
  }
}

void TCDP::Play() {
  if (FPaused) {
    PlayFrom(0);
  } else {
    PlayFrom(TrackStartPosition(FCurrentTrack & 0xFF));
  }
  FPaused = false;
}

void TCDP::Pause() {
  if (FPaused) {
    PlayFrom(0);
    FPaused = false;
  } else {
    MciPause();
    FPaused = true;
  }
}

void TCDP::PlayIndex(int Index) {
  if (Index >= FPlayList->Count()) return;
  FPlayIndexPos = Index;
  const int track = EntryTrack(Index);
  PlayFrom(GetTrackStart(track));
  FPaused = false;
}

void TCDP::CueIndex(int Index) {
  if (Index >= FPlayList->Count()) return;
  FPlayIndexPos = Index;
  const int track = EntryTrack(Index);
  SeekTo(TrackStartPosition(track));
  MciStop();
  FPaused = false;
}

void TCDP::CueTrack(int Track) {
  FPlayIndexPos = FPlayList->IndexOf(IntToStr(Track));
  if (FPlayIndexPos < 0) return;
  SeekTo(TrackStartPosition(Track));
  MciStop();
  FPaused = false;
}

void TCDP::PlayNext() {
  if (FPlayIndexPos + 1 > FPlayList->Count() - 1) return;
  ++FPlayIndexPos;
  PlayFrom(TrackStartPosition(EntryTrack(FPlayIndexPos)));
}

void TCDP::CueNext() {
  if (FPlayIndexPos + 1 > FPlayList->Count() - 1) return;
  ++FPlayIndexPos;
  CueTrack(EntryTrack(FPlayIndexPos));
}

void TCDP::PlayPrevious() {
  if (FPlayIndexPos - 1 < 0) return;
  --FPlayIndexPos;
  PlayFrom(TrackStartPosition(EntryTrack(FPlayIndexPos)));
}

void TCDP::CuePrevious() {
  if (FPlayIndexPos - 1 < 0) return;
  --FPlayIndexPos;
  CueTrack(EntryTrack(FPlayIndexPos));
}

void TCDP::CueFirst() {
  FPlayIndexPos = 0;
  const int track = EntryTrack(0);
  SeekTo(TrackStartPosition(track));
  MciStop();
}

void TCDP::Shuffle() {
  std::seed_seq seed{static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()),
                     static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())};
  std::mt19937 random(seed);
  FPlayList->Clear();
  const int n = GetTrackCount();
  AddDiscOrder(*FPlayList, n);
  // Every order equally likely: each entry in turn is exchanged with one at or below it.
  for (int i = n - 1; i >= 1; --i) {
    std::uniform_int_distribution<int> below(0, i);
    FPlayList->Exchange(i, below(random));
  }
}

void TCDP::SetShufflePlay(bool Value) {
  if (FDeviceID == 0) return;
  FShufflePlay = Value;
  if (!Value && GetReady()) {
    const int n = GetTrackCount();
    FPlayList->Clear();
    AddDiscOrder(*FPlayList, n);
  }
}

void TCDP::SetNotifyAt(int Value) {
  FTimeNotified = false;
  FNotifyAt = Value;
}

void TCDP::SetPlayList(const TStringList* Value) {
  if (Value != nullptr && Value != FPlayList.get()) FPlayList->Assign(*Value);
}

// ---- Notifications and the poll -----------------------------------------------------

void TCDP::NotifyWndProc(TMessage& Message) {
  if (Message.Msg != MM_MCINOTIFY || Message.WParam != MCI_NOTIFY_SUCCESSFUL) return;
  if (FPlayIndexPos + 1 <= FPlayList->Count() - 1) {
    PlayNext();
  } else if (FRepeatPlay) {
    CueFirst();
    Play();
  } else {
    CueFirst();
  }
}

void TCDP::PollTimer(TObject*) {
  if (FPolling || FDeviceID == 0) return;
  FPolling = true;
  // Clear the guard however the tick ends, an event handler's exception included.
  const platform::ScopeExit clearPolling([this] { FPolling = false; });

  if (FDriveChanged) {
    // The play list still holds the tracks of the drive closed before, which must never
    // stand for the disc of this one: the first tick decides at once.
    FDriveChanged = false;
    FPollCount = 0;
    if (GetReady()) {
      DoCDInsert();
    } else if (FPlayList->Count() > 0) {
      DoCDExit();
      return;
    }
  }
  if (!FDiscKnown) {
    FCurrentTrack = 1;
    if (++FPollCount > kTicksBetweenReadyChecks) {
      FPollCount = 0;
      if (!GetReady()) return;
      DoCDInsert();
    }
  }
  if (FDiscKnown && !GetReady()) DoCDExit();
  if (!FDiscKnown) return;
  if (GetMode() != cpmPlaying) return;
  if (FIntroPlay && GetTrackPosition() > FIntroTime) PostMessageA(FNotifyWnd, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0);
  if (FNotifyAt != 0 && !FTimeNotified && GetTrackPosition() >= FNotifyAt) {
    FTimeNotified = true;
    DoTime();
  }
}

void TCDP::DoCDInsert() {
  FDiscKnown = true;
  const int n = GetTrackCount();
  FPlayList->Clear();
  AddDiscOrder(*FPlayList, n);
  if (OnCDInsert) OnCDInsert(this);
}

void TCDP::DoCDExit() {
  FDiscKnown = false;
  FPlayList->Clear();
  if (OnCDExit) OnCDExit(this);
}

void TCDP::DoSongChange() {
  if (OnSongChange) OnSongChange(this);
}

void TCDP::DoTime() {
  if (OnTime) OnTime(this);
}

// ---- The time display -----------------------------------------------------------------

int TCDP::GetPlayListLength() {
  if (FDeviceID == 0) return 0;
  int total = 0;
  for (int i = 0; i < FPlayList->Count(); ++i) total += GetTrackLength(EntryTrack(i));
  return total;
}

std::string TCDP::GetTimeText() {
  if (FDeviceID == 0) return {};
  // Minutes and seconds are full integers here, so no span of a disc can wrap around.
  const DWORD p = GetPosition();
  const int t = MCI_TMSF_TRACK(p);
  long long elapsed = 0;
  if (t == FCurrentTrack) {
    elapsed = MCI_TMSF_MINUTE(p) * 60LL + MCI_TMSF_SECOND(p);
  } else if (t > FCurrentTrack) {
    elapsed = NotNegative(GetTrackLength(FCurrentTrack) - MCI_TMSF_SECOND(p));
  }

  long long shown = elapsed;
  switch (FTimeMode) {
    case cdpTrackPast: break;
    case cdpTrackLeft: shown = NotNegative(GetTrackLength(FCurrentTrack) - elapsed); break;
    case cdpTotalPast:
    case cdpTotalLeft: {
      long long before = 0;
      if (FShufflePlay) {
        for (int i = 0; i < FPlayIndexPos; ++i) before += GetTrackLength(EntryTrack(i));
      } else {
        for (int k = 1; k < GetTrack(); ++k) before += GetTrackLength(k);
      }
      shown = before + elapsed;
      if (FTimeMode == cdpTotalLeft) shown = NotNegative(GetPlayListLength() - shown);
      break;
    }
    case cdpNone: return {};
  }
  return Format(FTimeFormat, {shown / 60, shown % 60});
}

void AddDiscOrder(TStringList& List, int TrackCount) {
  for (int k = 1; k <= TrackCount; ++k) List.Add(IntToStr(k));
}
