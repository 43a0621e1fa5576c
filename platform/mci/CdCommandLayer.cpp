#include "platform/mci/CdCommandLayer.h"

#include <cstring>
#include <string>

#include "platform/messages/Messages.h"
#include "platform/system/Ascii.h"

namespace platform::cd {

namespace {

MCIERROR FromResult(Result r) {
  switch (r) {
    case Result::Ok: return 0;
    case Result::NotReady: return MCIERR_DEVICE_NOT_READY;
    case Result::Failed: break;
  }
  return MCIERR_HARDWARE;
}

// "D:", "d:\" and "D:/" all name drive D.
std::optional<char> DriveLetter(LPCSTR element) {
  if (element == nullptr) return std::nullopt;
  const std::size_t n = std::strlen(element);
  if (n < 2 || n > 3 || element[1] != ':' || !platform::IsAsciiLetter(element[0])) return std::nullopt;
  if (n == 3 && element[2] != '\\' && element[2] != '/') return std::nullopt;
  return platform::AsciiUpper(element[0]);
}

bool IsCdAudioType(DWORD flags, LPCSTR type) {
  if (flags & MCI_OPEN_TYPE_ID) return LOWORD(reinterpret_cast<DWORD_PTR>(type)) == MCI_DEVTYPE_CD_AUDIO;
  if (type == nullptr) return false;
  return platform::EqualsNoCase(type, "cdaudio");
}

// The device's mode: the door first, then whether a disc is ready, then the play head.
DWORD ModeOf(CdDriver& drv) {
  if (drv.DoorOpen()) return MCI_MODE_OPEN;
  if (!drv.Ready()) return MCI_MODE_NOT_READY;
  switch (drv.State()) {
    case AudioState::Playing: return MCI_MODE_PLAY;
    // The CD audio device has no pause of its own on the original system: a paused drive
    // answers as a stopped one (and resumes by playing from where it stands).
    case AudioState::Paused: return MCI_MODE_STOP;
    case AudioState::Stopped: return MCI_MODE_STOP;
  }
  return MCI_MODE_NOT_READY;
}

}  // namespace

CdCommandLayer& CdCommandLayer::Instance() {
  static CdCommandLayer layer;
  return layer;
}

void CdCommandLayer::Reset() {
  for (auto& [id, d] : devices_)
    if (CdDriver* driver = DriverOf(d.letter)) driver->Stop();
  devices_.clear();
  playOwner_.clear();
}

std::optional<std::string> CdCommandLayer::TrackTitle(MCIDEVICEID device, int track) const {
  const auto it = devices_.find(device);
  if (it == devices_.end() || track < 0 || source_ == nullptr) return std::nullopt;
  CdDriver* driver = source_->CdDriverAt(it->second.letter);
  if (driver == nullptr) return std::nullopt;
  auto title = driver->TrackTitle(track);
  if (title && title->empty()) return std::nullopt;
  return title;
}

CdDriver* CdCommandLayer::DriverOf(char letter) {
  CdDriver* driver = source_ ? source_->CdDriverAt(letter) : nullptr;
  if (driver != nullptr) {
    // Bound again on every use, since the source may have put a new driver in the drive;
    // the handlers name the drive, never the driver, so an old one cannot be reached.
    driver->SetPlayEndedHandler([this, letter] { OnPlayEnded(letter, MCI_NOTIFY_SUCCESSFUL); });
    driver->SetPlayLostHandler([this, letter] { OnPlayEnded(letter, MCI_NOTIFY_FAILURE); });
  }
  return driver;
}

MCIERROR CdCommandLayer::SendCommand(MCIDEVICEID device, UINT msg, DWORD_PTR flags, DWORD_PTR param) {
  const DWORD f = static_cast<DWORD>(flags);
  if (msg == MCI_OPEN) return Open(f, reinterpret_cast<MCI_OPEN_PARMS*>(param));

  auto it = devices_.find(device);
  if (it == devices_.end()) return MCIERR_INVALID_DEVICE_ID;
  Device& d = it->second;
  const DWORD_PTR callback = param ? *reinterpret_cast<DWORD_PTR*>(param) : 0;
  if ((f & MCI_NOTIFY) && param == 0) return MCIERR_NULL_PARAMETER_BLOCK;
  // A drive taken out of the table under an open device answers like one without a disc.
  CdDriver* drv = DriverOf(d.letter);
  if (drv == nullptr && msg != MCI_CLOSE) return MCIERR_DEVICE_NOT_READY;

  MCIERROR err = 0;
  switch (msg) {
    case MCI_CLOSE:
      // The device is gone once closed, so its notification is posted here.
      Close(device, d);
      if (f & MCI_NOTIFY)
        PostMessageA(HandleFromValue(LOWORD(callback)), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL,
                     static_cast<LPARAM>(device));
      return 0;
    case MCI_PLAY:
      if ((f & MCI_FROM || f & MCI_TO) && param == 0) return MCIERR_NULL_PARAMETER_BLOCK;
      // Play notifies at its end, registered by Play itself.
      return Play(device, d, *drv, f, reinterpret_cast<MCI_PLAY_PARMS*>(param));
    case MCI_SEEK: err = Seek(device, d, *drv, f, reinterpret_cast<MCI_SEEK_PARMS*>(param)); break;
    case MCI_STOP:
      err = FromResult(drv->Stop());
      if (!err) AbortPlay(device, d);
      break;
    case MCI_PAUSE:
      err = FromResult(drv->Pause());
      if (!err) AbortPlay(device, d);
      break;
    case MCI_SET: err = Set(device, d, *drv, f, reinterpret_cast<MCI_SET_PARMS*>(param)); break;
    case MCI_STATUS: err = Status(d, *drv, f, reinterpret_cast<MCI_STATUS_PARMS*>(param)); break;
    case MCI_RESUME:
    case MCI_INFO:
    case MCI_GETDEVCAPS:
      // The CD audio device resumes by playing from the current position; it has no
      // resume of its own, and no text or capability answers are offered here.
      return MCIERR_UNSUPPORTED_FUNCTION;
    default: return MCIERR_UNRECOGNIZED_COMMAND;
  }
  if (!err && (f & MCI_NOTIFY)) Register(device, d, callback, false);
  return err;
}

MCIERROR CdCommandLayer::Open(DWORD flags, MCI_OPEN_PARMS* p) {
  if (p == nullptr) return MCIERR_NULL_PARAMETER_BLOCK;
  if (!(flags & MCI_OPEN_TYPE)) return MCIERR_MISSING_PARAMETER;
  if (!IsCdAudioType(flags, p->lpstrDeviceType)) return MCIERR_CANNOT_LOAD_DRIVER;
  if (flags & MCI_OPEN_ELEMENT_ID) return MCIERR_FLAGS_NOT_COMPATIBLE;

  std::optional<char> letter;
  if (flags & MCI_OPEN_ELEMENT) {
    letter = DriveLetter(p->lpstrElementName);
    if (!letter || DriverOf(*letter) == nullptr) return MCIERR_INVALID_FILE;
  } else {
    // Without an element the device is the first CD-ROM drive.
    if (source_ != nullptr) letter = source_->FirstCdDrive();
    if (!letter || DriverOf(*letter) == nullptr) return MCIERR_CANNOT_LOAD_DRIVER;
  }

  MCIDEVICEID id = 1;
  while (devices_.count(id)) ++id;
  devices_[id].letter = *letter;
  p->wDeviceID = id;
  if (flags & MCI_NOTIFY) Register(id, devices_[id], p->dwCallback, false);
  return 0;
}

MCIERROR CdCommandLayer::Close(MCIDEVICEID id, Device& d) {
  // Closing stops the device's own playback first.
  auto owner = playOwner_.find(d.letter);
  if (owner != playOwner_.end() && owner->second == id) {
    // Stopping may first settle a play that has just ended or lost its disc, and that
    // already drops the entry; so look it up again rather than keep the iterator.
    if (CdDriver* driver = DriverOf(d.letter)) driver->Stop();
    playOwner_.erase(d.letter);
  }
  AbortPlay(id, d);
  devices_.erase(id);
  return 0;
}

MCIERROR CdCommandLayer::Play(MCIDEVICEID id, Device& d, CdDriver& drv, DWORD flags, MCI_PLAY_PARMS* p) {
  if (flags & MCI_WAIT) {
    // Waiting for a play to end would block the very loop that moves the play head.
    return MCIERR_UNSUPPORTED_FUNCTION;
  }
  const auto toc = drv.ReadToc();
  if (!toc) return MCIERR_DEVICE_NOT_READY;
  Frame from = drv.Position();
  Frame to = toc->leadOut;
  if ((flags & MCI_FROM) && !Decode(d, *toc, p->dwFrom, from)) return MCIERR_OUTOFRANGE;
  if ((flags & MCI_TO) && !Decode(d, *toc, p->dwTo, to)) return MCIERR_OUTOFRANGE;
  if (from >= toc->leadOut || from > to) return MCIERR_OUTOFRANGE;

  if (const MCIERROR err = FromResult(drv.Play(from, to))) return err;

  // Another device's notified play on the same drive is cut short by this one.
  if (auto owner = playOwner_.find(d.letter); owner != playOwner_.end() && owner->second != id) {
    if (auto other = devices_.find(owner->second); other != devices_.end()) AbortPlay(other->first, other->second);
  }
  if (flags & MCI_NOTIFY) {
    Register(id, d, p->dwCallback, true);
  } else {
    AbortPlay(id, d);
  }
  playOwner_[d.letter] = id;
  return 0;
}

MCIERROR CdCommandLayer::Seek(MCIDEVICEID id, Device& d, CdDriver& drv, DWORD flags, MCI_SEEK_PARMS* p) {
  const DWORD where = flags & (MCI_TO | MCI_SEEK_TO_START | MCI_SEEK_TO_END);
  if (where == 0) return MCIERR_MISSING_PARAMETER;
  if (where != MCI_TO && where != MCI_SEEK_TO_START && where != MCI_SEEK_TO_END) return MCIERR_FLAGS_NOT_COMPATIBLE;
  if ((flags & MCI_TO) && p == nullptr) return MCIERR_NULL_PARAMETER_BLOCK;
  const auto toc = drv.ReadToc();
  if (!toc) return MCIERR_DEVICE_NOT_READY;
  Frame target = toc->starts.front();
  if (where == MCI_SEEK_TO_END) target = toc->leadOut;
  // The lead-out itself is no place a seek can go to, only the end of the disc can.
  if (where == MCI_TO && (!Decode(d, *toc, p->dwTo, target) || target >= toc->leadOut)) return MCIERR_OUTOFRANGE;
  if (const MCIERROR err = FromResult(drv.Seek(target))) return err;
  AbortPlay(id, d);
  return 0;
}

MCIERROR CdCommandLayer::Set(MCIDEVICEID id, Device& d, CdDriver& drv, DWORD flags, MCI_SET_PARMS* p) {
  const bool open = flags & MCI_SET_DOOR_OPEN, closed = flags & MCI_SET_DOOR_CLOSED;
  const bool format = flags & MCI_SET_TIME_FORMAT;
  if (open && closed) return MCIERR_FLAGS_NOT_COMPATIBLE;
  if (!open && !closed && !format) return MCIERR_MISSING_PARAMETER;
  if (format) {
    if (p == nullptr) return MCIERR_NULL_PARAMETER_BLOCK;
    const DWORD tf = p->dwTimeFormat;
    if (tf != MCI_FORMAT_MILLISECONDS && tf != MCI_FORMAT_MSF && tf != MCI_FORMAT_TMSF) return MCIERR_BAD_TIME_FORMAT;
    d.timeFormat = tf;
  }
  if (open || closed) {
    if (open) AbortPlay(id, d);
    if (const MCIERROR err = FromResult(drv.SetDoor(open))) return err;
  }
  return 0;
}

MCIERROR CdCommandLayer::Status(Device& d, CdDriver& drv, DWORD flags, MCI_STATUS_PARMS* p) {
  if (p == nullptr) return MCIERR_NULL_PARAMETER_BLOCK;
  if (!(flags & MCI_STATUS_ITEM)) return MCIERR_MISSING_PARAMETER;

  // Items that need no disc.
  switch (p->dwItem) {
    case MCI_STATUS_MODE: p->dwReturn = ModeOf(drv); return 0;
    case MCI_STATUS_READY:
    case MCI_STATUS_MEDIA_PRESENT: p->dwReturn = drv.Ready() ? TRUE : FALSE; return 0;
    case MCI_STATUS_TIME_FORMAT: p->dwReturn = d.timeFormat; return 0;
    case MCI_STATUS_LENGTH:
    case MCI_STATUS_POSITION:
    case MCI_STATUS_NUMBER_OF_TRACKS:
    case MCI_STATUS_CURRENT_TRACK: return StatusOfDisc(d, drv, flags, p);
    default: return MCIERR_UNSUPPORTED_FUNCTION;
  }
}

MCIERROR CdCommandLayer::StatusOfDisc(const Device& d, CdDriver& drv, DWORD flags, MCI_STATUS_PARMS* p) const {
  const auto toc = drv.ReadToc();
  if (!toc) return MCIERR_DEVICE_NOT_READY;
  const bool track = flags & MCI_TRACK;
  // A track's start and the disc's start are two different questions; asked together the
  // original refuses before it looks at the disc.
  if (track && (flags & MCI_STATUS_START) && p->dwItem == MCI_STATUS_POSITION) return MCIERR_FLAGS_NOT_COMPATIBLE;
  if (track && (p->dwTrack < 1 || p->dwTrack > DWORD(toc->TrackCount()))) return MCIERR_OUTOFRANGE;
  const int t = static_cast<int>(p->dwTrack);

  switch (p->dwItem) {
    case MCI_STATUS_LENGTH:
      // A track's length is answered as MSF even while the format is TMSF.
      p->dwReturn = EncodeLength(d, track ? TrackLength(*toc, t) : toc->leadOut - toc->starts.front() - 1);
      break;
    case MCI_STATUS_POSITION:
      if (track) {
        p->dwReturn = EncodePosition(d, *toc, toc->starts[t - 1]);
      } else if (flags & MCI_STATUS_START) {
        p->dwReturn = EncodePosition(d, *toc, toc->starts.front());
      } else {
        p->dwReturn = EncodePosition(d, *toc, drv.Position());
      }
      break;
    case MCI_STATUS_NUMBER_OF_TRACKS: p->dwReturn = static_cast<DWORD>(toc->TrackCount()); break;
    case MCI_STATUS_CURRENT_TRACK: p->dwReturn = static_cast<DWORD>(toc->TrackAt(drv.Position())); break;
  }
  return 0;
}

void CdCommandLayer::Post(MCIDEVICEID id, Device& d, WPARAM code) {
  if (!d.pending) return;
  const HWND target = d.pending->callback;
  d.pending.reset();
  PostMessageA(target, MM_MCINOTIFY, code, static_cast<LPARAM>(id));
}

void CdCommandLayer::AbortPlay(MCIDEVICEID id, Device& d) {
  if (d.pending && d.pending->play) Post(id, d, MCI_NOTIFY_ABORTED);
}

void CdCommandLayer::Register(MCIDEVICEID id, Device& d, DWORD_PTR callback, bool play) {
  if (d.pending) Post(id, d, MCI_NOTIFY_SUPERSEDED);
  d.pending = Pending{HandleFromValue(LOWORD(callback)), play};
  // Any other command is complete when it returns, and says so at once.
  if (!play) Post(id, d, MCI_NOTIFY_SUCCESSFUL);
}

void CdCommandLayer::OnPlayEnded(char letter, WPARAM code) {
  auto owner = playOwner_.find(letter);
  if (owner == playOwner_.end()) return;
  const MCIDEVICEID id = owner->second;
  playOwner_.erase(owner);
  auto it = devices_.find(id);
  if (it != devices_.end() && it->second.pending && it->second.pending->play) Post(id, it->second, code);
}

Frame CdCommandLayer::TrackLength(const Toc& toc, int track) {
  const Frame start = toc.starts[track - 1];
  if (track < toc.TrackCount()) return toc.starts[track] - start;
  // The last track is reported one frame short of the lead-out.
  return toc.leadOut - start - 1;
}

bool CdCommandLayer::Decode(const Device& d, const Toc& toc, DWORD value, Frame& out) const {
  switch (d.timeFormat) {
    case MCI_FORMAT_MILLISECONDS:
      // The inverse of EncodePosition's millisecond rounding, to the nearest frame.
      out = value == 0 ? 0 : static_cast<Frame>((std::uint64_t(value - 1) * kFramesPerSecond + 500) / 1000);
      break;
    case MCI_FORMAT_MSF: out = FromMsf(MCI_MSF_MINUTE(value), MCI_MSF_SECOND(value), MCI_MSF_FRAME(value)); break;
    default: {
      const int t = MCI_TMSF_TRACK(value);
      if (t < 1 || t > toc.TrackCount()) return false;
      out = toc.starts[t - 1] + FromMsf(MCI_TMSF_MINUTE(value), MCI_TMSF_SECOND(value), MCI_TMSF_FRAME(value));
      break;
    }
  }
  return out <= toc.leadOut;
}

DWORD CdCommandLayer::EncodePosition(const Device& d, const Toc& toc, Frame f) const {
  switch (d.timeFormat) {
    case MCI_FORMAT_MILLISECONDS:
      // The original answers a place one millisecond late: 00:02:00 is 2001, not 2000.
      return static_cast<DWORD>(std::uint64_t(f) * 1000 / kFramesPerSecond + 1);
    case MCI_FORMAT_MSF: return MCI_MAKE_MSF(BYTE(Minutes(f)), BYTE(Seconds(f)), BYTE(Frames(f)));
    default: {
      const int t = toc.TrackAt(f);
      const Frame start = toc.starts[t - 1];
      const Frame offset = f > start ? f - start : 0;
      return MCI_MAKE_TMSF(BYTE(t), BYTE(Minutes(offset)), BYTE(Seconds(offset)), BYTE(Frames(offset)));
    }
  }
}

DWORD CdCommandLayer::EncodeLength(const Device& d, Frame length) const {
  if (d.timeFormat == MCI_FORMAT_MILLISECONDS)
    return static_cast<DWORD>(std::uint64_t(length) * 1000 / kFramesPerSecond);
  return MCI_MAKE_MSF(BYTE(Minutes(length)), BYTE(Seconds(length)), BYTE(Frames(length)));
}

}  // namespace platform::cd
