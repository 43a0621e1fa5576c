#include "platform/mci/RealCdDrive.h"

#include <utility>

#include "platform/mci/CdioSectorSource.h"

namespace platform::cd {

namespace {

// Between two sessions of a disc lie the first one's lead-out (90 s), the second one's
// lead-in (60 s) and the pregap of its first track (2 s); an Enhanced CD's audio ends there.
constexpr Frame kSessionGap = 90 * kFramesPerSecond + 60 * kFramesPerSecond + kLeadInFrames;
// A data track in the same session has a two-second pregap that is no audio either.
constexpr Frame kDataPregap = 2 * kFramesPerSecond;

// A play counts as having reached its end when it stopped this close to it: the drive is
// asked only every kPollMs, so the last place heard may lag a little behind the end. The
// clock gets more room, since a busy program may have asked late.
constexpr Frame kEndSlack = FramesIn(2 * RealCdDrive::kPollMs);
constexpr std::uint64_t kEndSlackMs = 1000;

}  // namespace

RealCdDrive::RealCdDrive(std::unique_ptr<CdioAccess> access, Playback playback,
                         std::unique_ptr<audio::SoundOutput> output)
    : access_(std::move(access)) {
  if (playback == Playback::Digital) {
    digital_ = std::make_unique<DigitalCdDriver>(std::move(output));
    digital_->SetPlayEndedHandler([this] {
      CancelPoll();
      NotifyPlayEnded();
    });
    digital_->SetPlayLostHandler([this] {
      CancelPoll();
      NotifyPlayLost();
    });
  }
}

RealCdDrive::~RealCdDrive() {
  CancelPoll();
  // The player's worker reads through the access; it stops before the access goes.
  digital_.reset();
}

void RealCdDrive::Mount() {
  if (!digital_) return;
  digital_->SetSource(toc_ ? std::make_shared<CdioSectorSource>(*access_, *toc_) : nullptr);
}

// --- the disc -----------------------------------------------------------------------------

void RealCdDrive::Forget() {
  toc_.reset();
  Mount();
  access_->Close();
}

bool RealCdDrive::StillThere() {
  switch (access_->MediaChanged()) {
    case MediaCheck::Unchanged: return true;
    case MediaCheck::Changed: break;
    case MediaCheck::Failed:
      // Either the drive went away or it cannot tell; a drive that still opens keeps its
      // disc, and one that was unplugged does not open.
      access_->Close();
      if (access_->Open() && access_->MediaChanged() != MediaCheck::Changed) return true;
      break;
  }
  Forget();
  return false;
}

bool RealCdDrive::Refresh() {
  if (doorOpen_) return false;
  if (toc_ && access_->IsOpen() && StillThere()) return true;
  // The disc we knew is gone (or we never knew one), and any play of it with it.
  LosePlay();
  toc_.reset();
  Mount();
  if (!access_->IsOpen()) {
    if (!access_->Open()) return false;
    // A change from before we looked belongs to the disc about to be read.
    access_->MediaChanged();
  }
  toc_ = ReadDiscToc();
  if (!toc_) {
    // libcdio holds on to what it once read of a disc, so a drive still spinning up is
    // asked again through a fresh open next time.
    access_->Close();
    return false;
  }
  position_ = toc_->starts.front();
  Mount();
  return true;
}

std::optional<Toc> RealCdDrive::ReadDiscToc() {
  const auto first = access_->FirstTrack();
  const auto count = access_->TrackCount();
  if (!first || !count || *first < 1 || *count < 1 || *first + *count - 1 > 99) return std::nullopt;

  Toc toc;
  std::size_t audioTracks = 0;
  for (int t = *first; t < *first + *count; ++t) {
    const auto lsn = access_->TrackLsn(t);
    if (!lsn || *lsn < 0) return std::nullopt;
    const Frame start = static_cast<Frame>(*lsn) + kLeadInFrames;
    if (!toc.starts.empty() && start <= toc.starts.back()) return std::nullopt;
    toc.starts.push_back(start);
    // Data tracks before or between audio tracks keep their numbers, as printed on the
    // case; only those at the end are left out, so that a disc plays to its audio's end.
    if (!access_->IsDataTrack(t)) audioTracks = toc.starts.size();
  }
  const auto leadOut = access_->TrackLsn(CdioAccess::kLeadOutTrack);
  if (!leadOut || *leadOut < 0) return std::nullopt;
  toc.leadOut = static_cast<Frame>(*leadOut) + kLeadInFrames;
  if (toc.leadOut <= toc.starts.back()) return std::nullopt;

  // A disc without audio is no audio CD: the drive is not ready to play it.
  if (audioTracks == 0) return std::nullopt;
  if (audioTracks < toc.starts.size()) {
    const Frame data = toc.starts[audioTracks];
    const auto session = access_->LastSessionLsn();
    const Frame gap = session && *session > 0 ? kSessionGap : kDataPregap;
    toc.starts.resize(audioTracks);
    toc.leadOut = data > toc.starts.back() + gap ? data - gap : data;
  }
  return toc;
}

// --- where the play is -------------------------------------------------------------------

std::optional<Subchannel> RealCdDrive::Sample() {
  const auto sub = access_->ReadSubchannel();
  if (!sub) {
    // A running play whose drive cannot say where it is has been lost.
    if (phase_ == Phase::Running) EndPlay(false);
    return std::nullopt;
  }
  if (sub->status == SubchannelStatus::Playing || sub->status == SubchannelStatus::Paused) {
    if (const auto at = FromBcdMsf(sub->absolute)) position_ = *at;
  }
  if (phase_ == Phase::Running) Observe(*sub);
  return sub;
}

void RealCdDrive::Observe(const Subchannel& sub) {
  switch (sub.status) {
    case SubchannelStatus::Playing: heard_ = true; return;
    case SubchannelStatus::Paused:
      // Paused from outside the program: the play may go on later.
      return;
    case SubchannelStatus::Completed: EndPlay(true); return;
    case SubchannelStatus::Error:
      // Some drives end a play at the lead-out with an error rather than completion.
      EndPlay(NearEnd());
      return;
    case SubchannelStatus::NoStatus:
    case SubchannelStatus::Invalid:
      // Drives report the completion only once, or never; a drive that played and now says
      // nothing far from the end was stopped from outside the program. One that has not
      // said it plays may still be seeking the start.
      if (NearEnd()) {
        EndPlay(true);
      } else if (heard_) {
        EndPlay(false);
      }
      return;
  }
}

bool RealCdDrive::NearEnd() const {
  const std::uint64_t elapsed = CurrentEventLoop().Now() - playStartedAt_;
  const std::uint64_t span = SpanMs(playTo_ - playFrom_);
  // A drive that never says where it is leaves only the clock.
  if (!heard_) return elapsed >= span;
  return position_ + kEndSlack >= playTo_ || elapsed + kEndSlackMs >= span;
}

void RealCdDrive::EndPlay(bool reached) {
  if (phase_ == Phase::Idle) return;
  phase_ = Phase::Idle;
  CancelPoll();
  if (reached) {
    position_ = playTo_;
    NotifyPlayEnded();
  } else {
    NotifyPlayLost();
  }
}

void RealCdDrive::LosePlay() { EndPlay(false); }

void RealCdDrive::StartPoll() {
  CancelPoll();
  timerLoop_ = &CurrentEventLoop();
  pollTimer_ = timerLoop_->AddTimer(kPollMs, true, [this] { Poll(); });
}

void RealCdDrive::CancelPoll() {
  if (pollTimer_ && timerLoop_ == &CurrentEventLoop()) timerLoop_->RemoveTimer(*pollTimer_);
  pollTimer_.reset();
  timerLoop_ = nullptr;
}

void RealCdDrive::Poll() {
  if (digital_) {
    // The player reports the end itself; the poll only watches for the disc going.
    if (digital_->State() == AudioState::Stopped) {
      CancelPoll();
    } else if (!access_->IsOpen() || !StillThere()) {
      Forget();
    }
    return;
  }
  if (phase_ != Phase::Running) {
    CancelPoll();
    return;
  }
  // An empty play has nothing to wait for.
  if (playFrom_ >= playTo_) {
    EndPlay(true);
    return;
  }
  if (!access_->IsOpen() || !StillThere()) {
    Forget();
    LosePlay();
    return;
  }
  Sample();
}

// --- the driver operations ---------------------------------------------------------------

bool RealCdDrive::DoorOpen() {
  // A drive that can tell knows of a tray moved by hand too; the others leave the door where
  // the program last moved it.
  switch (access_->TrayAndDisc()) {
    case DriveStatus::TrayOpen:
      if (!doorOpen_) {
        LosePlay();
        Forget();
        doorOpen_ = true;
        position_ = kLeadInFrames;
      }
      break;
    case DriveStatus::NoDisc:
    case DriveStatus::NotReady:
    case DriveStatus::DiscOk: doorOpen_ = false; break;
    case DriveStatus::Unknown: break;
  }
  return doorOpen_;
}

bool RealCdDrive::Ready() { return Refresh(); }

std::optional<Toc> RealCdDrive::ReadToc() {
  if (!Refresh()) return std::nullopt;
  return toc_;
}

Result RealCdDrive::Play(Frame from, Frame to) {
  if (!Refresh()) return Result::NotReady;
  // The drive cannot play the lead-in, which belongs to the first track.
  if (from < toc_->starts.front()) from = toc_->starts.front();
  if (from > to || to > toc_->leadOut) return Result::Failed;

  if (digital_) {
    const Result r = digital_->Play(from, to);
    if (r == Result::Ok && !pollTimer_) StartPoll();
    return r;
  }
  if (from == to) {
    if (phase_ != Phase::Idle && !access_->Stop()) return Result::Failed;
  } else {
    // Going on from the place a pause left makes no new seek.
    const bool resume = phase_ == Phase::Paused && from == position_ && to == playTo_;
    if (!(resume && access_->Resume()) && !access_->PlayMsf(ToBcdMsf(from), ToBcdMsf(to - 1))) return Result::Failed;
  }
  phase_ = Phase::Running;
  playFrom_ = from;
  playTo_ = to;
  position_ = from;
  heard_ = false;
  playStartedAt_ = CurrentEventLoop().Now();
  StartPoll();
  return Result::Ok;
}

Result RealCdDrive::Pause() {
  if (!Refresh()) return Result::NotReady;
  if (digital_) return digital_->Pause();
  const auto sub = Sample();
  const bool drivePlays = sub && sub->status == SubchannelStatus::Playing;
  if (phase_ != Phase::Running && !drivePlays) return Result::Ok;
  if (!access_->Pause()) return Result::Failed;
  if (phase_ == Phase::Running) phase_ = Phase::Paused;
  CancelPoll();
  // The head stops a little after the place last heard; going on starts from where it is.
  Sample();
  return Result::Ok;
}

Result RealCdDrive::Stop() {
  if (!Refresh()) return Result::NotReady;
  if (digital_) {
    CancelPoll();
    return digital_->Stop();
  }
  const auto sub = Sample();
  const bool driveBusy = sub && (sub->status == SubchannelStatus::Playing || sub->status == SubchannelStatus::Paused);
  if ((phase_ != Phase::Idle || driveBusy) && !access_->Stop()) return Result::Failed;
  phase_ = Phase::Idle;
  CancelPoll();
  return Result::Ok;
}

Result RealCdDrive::Seek(Frame to) {
  if (const Result r = Stop(); r != Result::Ok) return r;
  if (digital_) return digital_->Seek(to);
  if (to > toc_->leadOut) return Result::Failed;
  position_ = to;
  return Result::Ok;
}

Frame RealCdDrive::Position() {
  if (digital_) return Refresh() ? digital_->Position() : position_;
  if (Refresh()) Sample();
  return position_;
}

AudioState RealCdDrive::State() {
  if (!Refresh()) return AudioState::Stopped;
  if (digital_) return digital_->State();
  const auto sub = Sample();
  const auto says = [&](SubchannelStatus s) { return sub && sub->status == s; };
  // Our own play is what it is until the drive says otherwise; a drive that is still
  // seeking the start says nothing yet.
  if (phase_ == Phase::Running) return says(SubchannelStatus::Paused) ? AudioState::Paused : AudioState::Playing;
  if (phase_ == Phase::Paused) return says(SubchannelStatus::Playing) ? AudioState::Playing : AudioState::Paused;
  if (says(SubchannelStatus::Playing)) return AudioState::Playing;
  if (says(SubchannelStatus::Paused)) return AudioState::Paused;
  return AudioState::Stopped;
}

Result RealCdDrive::SetDoor(bool open) {
  if (open) {
    if (!doorOpen_ && !access_->Eject()) {
      // A drive that refused (a mounted disc, a locked tray) goes on as it was, with the
      // device open again for it.
      if (!access_->IsOpen() && !access_->Open()) {
        Forget();
        LosePlay();
      }
      return Result::Failed;
    }
    LosePlay();
    Forget();
    doorOpen_ = true;
    position_ = kLeadInFrames;
    return Result::Ok;
  }
  // A tray the program believes closed may have been opened by hand, so it is closed anyway;
  // a drive without a tray motor leaves that to its user.
  const bool wasOpen = doorOpen_;
  const bool closed = access_->CloseTray();
  doorOpen_ = false;
  if (!wasOpen) return Result::Ok;
  Forget();
  return closed ? Result::Ok : Result::Failed;
}

}  // namespace platform::cd
