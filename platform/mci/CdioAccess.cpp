#include "platform/mci/CdioAccess.h"

// cdio.h first: audio.h uses the return codes it declares.
#include <cdio/cdio.h>
#include <cdio/audio.h>
#include <cdio/logging.h>
#include <cdio/mmc.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

// climits first: the kernel's cdrom header uses INT_MAX without including it.
#include <climits>
#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <set>
#include <utility>

namespace platform::cd {

namespace {

constexpr std::uint8_t ToBcd(std::uint32_t n) { return static_cast<std::uint8_t>((n / 10) << 4 | n % 10); }

std::optional<std::uint32_t> FromBcd(std::uint8_t b, std::uint32_t limit) {
  const std::uint32_t high = b >> 4, low = b & 0x0F;
  if (high > 9 || low > 9) return std::nullopt;
  const std::uint32_t n = high * 10 + low;
  if (n >= limit) return std::nullopt;
  return n;
}

// libcdio's own handler ends the program on an error message and prints its warnings; a
// drive without a disc is no reason for either, so errors are said once each and the rest
// kept quiet. Broken assertions inside libcdio still go to its own handler.
void OnLibcdioMessage(cdio_log_level_t level, const char message[]) {
  if (level >= CDIO_LOG_ASSERT) {
    cdio_default_log_handler(level, message);
    return;
  }
  if (level < CDIO_LOG_ERROR) return;
  static std::string last;
  if (last == message) return;
  last = message;
  std::cerr << "plume: libcdio: " << message << '\n';
}

void PrepareLibcdio() {
  static std::once_flag once;
  std::call_once(once, [] {
    cdio_log_set_handler(OnLibcdioMessage);
    cdio_init();
  });
}

bool Succeeded(driver_return_code_t rc) { return rc == DRIVER_OP_SUCCESS; }

SubchannelStatus StatusOf(std::uint8_t code) {
  switch (code) {
    case CDIO_MMC_READ_SUB_ST_PLAY: return SubchannelStatus::Playing;
    case CDIO_MMC_READ_SUB_ST_PAUSED: return SubchannelStatus::Paused;
    case CDIO_MMC_READ_SUB_ST_COMPLETED: return SubchannelStatus::Completed;
    case CDIO_MMC_READ_SUB_ST_ERROR: return SubchannelStatus::Error;
    case CDIO_MMC_READ_SUB_ST_NO_STATUS: return SubchannelStatus::NoStatus;
    default: return SubchannelStatus::Invalid;
  }
}

// The kernel's answer to the drive status request, in our terms.
DriveStatus DriveStatusOf(int code) {
  switch (code) {
    case CDS_NO_DISC: return DriveStatus::NoDisc;
    case CDS_TRAY_OPEN: return DriveStatus::TrayOpen;
    case CDS_DRIVE_NOT_READY: return DriveStatus::NotReady;
    case CDS_DISC_OK: return DriveStatus::DiscOk;
    default: return DriveStatus::Unknown;
  }
}

// How often paranoia may read a sector again before it gives up on it; it then skips.
constexpr int kParanoiaRetries = 5;

// Paranoia reports what it did to each sector through a callback without user data; a
// skip is all we want to hear of, and the reader thread asks right after its read.
std::atomic<int> g_paranoiaSkips{0};
void OnParanoia(long /*where*/, paranoia_cb_mode_t mode) {
  if (mode == PARANOIA_CB_SKIP) ++g_paranoiaSkips;
}

class LibcdioAccess final : public CdioAccess {
 public:
  explicit LibcdioAccess(std::string device) : device_(std::move(device)) { PrepareLibcdio(); }
  ~LibcdioAccess() override { Close(); }
  LibcdioAccess(const LibcdioAccess&) = delete;
  LibcdioAccess& operator=(const LibcdioAccess&) = delete;

  bool Open() override {
    std::lock_guard lock(mutex_);
    if (cdio_ == nullptr) cdio_ = cdio_open(device_.c_str(), DRIVER_LINUX);
    return cdio_ != nullptr;
  }

  void Close() override {
    std::lock_guard lock(mutex_);
    ReleaseParanoia();
    if (cdio_ != nullptr) cdio_destroy(cdio_);
    cdio_ = nullptr;
  }

  int ReadAudio(std::int32_t lsn, int count, std::uint8_t* out) override {
    std::lock_guard lock(mutex_);
    if (cdio_ == nullptr || lsn < 0) return 0;
    if (paranoia_ == nullptr) {
      drive_ = cdio_cddap_identify_cdio(cdio_, CDDA_MESSAGE_FORGETIT, nullptr);
      if (drive_ == nullptr || cdio_cddap_open(drive_) != 0) {
        ReleaseParanoia();
        return 0;
      }
      paranoia_ = cdio_paranoia_init(drive_);
      // Full checking, but a sector that stays bad is skipped rather than read forever.
      paranoia_modeset(paranoia_, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
      nextLsn_ = -1;
    }
    if (lsn != nextLsn_) cdio_paranoia_seek(paranoia_, lsn, SEEK_SET);
    nextLsn_ = -1;
    for (int i = 0; i < count; ++i) {
      g_paranoiaSkips = 0;
      const std::int16_t* sector = cdio_paranoia_read_limited(paranoia_, OnParanoia, kParanoiaRetries);
      if (sector == nullptr) return i;
      if (g_paranoiaSkips > 0) std::cerr << "plume: sector " << lsn + i << " could not be read cleanly; skipped over\n";
      std::memcpy(out + std::size_t(i) * CDIO_CD_FRAMESIZE_RAW, sector, CDIO_CD_FRAMESIZE_RAW);
    }
    nextLsn_ = lsn + count;
    return count;
  }

  bool IsOpen() const override {
    std::lock_guard lock(mutex_);
    return cdio_ != nullptr;
  }

  MediaCheck MediaChanged() override {
    std::lock_guard lock(mutex_);
    if (cdio_ == nullptr) return MediaCheck::Failed;
    const int rc = cdio_get_media_changed(cdio_);
    if (rc == 1) return MediaCheck::Changed;
    if (rc == 0) return MediaCheck::Unchanged;
    // A driver without the check cannot tell us; it is not a sign that the drive went away.
    if (rc == DRIVER_OP_UNSUPPORTED || rc == DRIVER_OP_NO_DRIVER) return MediaCheck::Unchanged;
    return MediaCheck::Failed;
  }

  std::optional<int> FirstTrack() override {
    std::lock_guard lock(mutex_);
    if (cdio_ == nullptr) return std::nullopt;
    const track_t t = cdio_get_first_track_num(cdio_);
    if (t == CDIO_INVALID_TRACK) return std::nullopt;
    return t;
  }

  std::optional<int> TrackCount() override {
    std::lock_guard lock(mutex_);
    if (cdio_ == nullptr) return std::nullopt;
    const track_t n = cdio_get_num_tracks(cdio_);
    if (n == CDIO_INVALID_TRACK) return std::nullopt;
    return n;
  }

  std::optional<std::int32_t> TrackLsn(int track) override {
    std::lock_guard lock(mutex_);
    if (cdio_ == nullptr || track < 0 || track > 0xFF) return std::nullopt;
    // libcdio's "lba" already counts the lead-in; the driver adds it itself, so it asks for
    // the sector number.
    const lsn_t lsn = cdio_get_track_lsn(cdio_, static_cast<track_t>(track));
    if (lsn == CDIO_INVALID_LSN) return std::nullopt;
    return lsn;
  }

  bool IsDataTrack(int track) override {
    std::lock_guard lock(mutex_);
    if (cdio_ == nullptr || track < 0 || track > 0xFF) return false;
    // A track of unknown format counts as audio: trying to play it costs less than hiding it.
    switch (cdio_get_track_format(cdio_, static_cast<track_t>(track))) {
      case TRACK_FORMAT_CDI:
      case TRACK_FORMAT_XA:
      case TRACK_FORMAT_DATA:
      case TRACK_FORMAT_PSX: return true;
      default: return false;
    }
  }

  std::optional<std::int32_t> LastSessionLsn() override {
    std::lock_guard lock(mutex_);
    if (cdio_ == nullptr) return std::nullopt;
    lsn_t lsn = 0;
    if (!Succeeded(cdio_get_last_session(cdio_, &lsn))) return std::nullopt;
    return lsn;
  }

  bool PlayMsf(BcdMsf start, BcdMsf end) override {
    std::lock_guard lock(mutex_);
    if (cdio_ == nullptr) return false;
    msf_t from{start.m, start.s, start.f};
    msf_t to{end.m, end.s, end.f};
    return Succeeded(cdio_audio_play_msf(cdio_, &from, &to));
  }

  bool Pause() override {
    std::lock_guard lock(mutex_);
    return cdio_ != nullptr && Succeeded(cdio_audio_pause(cdio_));
  }
  bool Resume() override {
    std::lock_guard lock(mutex_);
    return cdio_ != nullptr && Succeeded(cdio_audio_resume(cdio_));
  }
  bool Stop() override {
    std::lock_guard lock(mutex_);
    return cdio_ != nullptr && Succeeded(cdio_audio_stop(cdio_));
  }

  std::optional<Subchannel> ReadSubchannel() override {
    std::lock_guard lock(mutex_);
    if (cdio_ == nullptr) return std::nullopt;
    cdio_subchannel_t sub{};
    if (!Succeeded(cdio_audio_read_subchannel(cdio_, &sub))) return std::nullopt;
    return Subchannel{StatusOf(sub.audio_status), {sub.abs_addr.m, sub.abs_addr.s, sub.abs_addr.f}};
  }

  bool Eject() override {
    std::lock_guard lock(mutex_);
    // The kernel refuses to eject a drive that is open more than once, so the handle we
    // hold does the eject; libcdio frees it when that works.
    ReleaseParanoia();
    Open();
    if (cdio_ != nullptr && Succeeded(cdio_eject_media(&cdio_))) {
      Close();
      return true;
    }
    Close();
    return Succeeded(cdio_eject_media_drive(device_.c_str()));
  }

  bool CloseTray() override {
    std::lock_guard lock(mutex_);
    driver_id_t driver = DRIVER_LINUX;
    return Succeeded(cdio_close_tray(device_.c_str(), &driver));
  }

  DriveStatus TrayAndDisc() override {
    // Non-blocking, so that asking neither waits for a disc nor pulls the tray in.
    const int fd = ::open(device_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return DriveStatus::Unknown;
    const int code = ::ioctl(fd, CDROM_DRIVE_STATUS, CDSL_CURRENT);
    ::close(fd);
    return DriveStatusOf(code);
  }

 private:
  void ReleaseParanoia() {
    if (paranoia_ != nullptr) cdio_paranoia_free(paranoia_);
    paranoia_ = nullptr;
    // The drive structure borrows our libcdio handle, which stays ours to close.
    if (drive_ != nullptr) cdio_cddap_close_no_free_cdio(drive_);
    drive_ = nullptr;
  }

  std::string device_;
  // Every call holds this: the playback worker reads sectors while the program's thread
  // asks about the disc, and a close must wait for a read in progress.
  mutable std::recursive_mutex mutex_;
  CdIo_t* cdio_ = nullptr;
  cdrom_drive_t* drive_ = nullptr;
  cdrom_paranoia_t* paranoia_ = nullptr;
  std::int32_t nextLsn_ = -1;
};

}  // namespace

BcdMsf ToBcdMsf(Frame absolute) {
  const Frame last = FromMsf(99, 59, 74);
  const Frame f = std::min(absolute, last);
  return {ToBcd(Minutes(f)), ToBcd(Seconds(f)), ToBcd(Frames(f))};
}

std::optional<Frame> FromBcdMsf(BcdMsf msf) {
  const auto m = FromBcd(msf.m, 100), s = FromBcd(msf.s, 60), f = FromBcd(msf.f, kFramesPerSecond);
  if (!m || !s || !f) return std::nullopt;
  return FromMsf(*m, *s, *f);
}

std::unique_ptr<CdioAccess> MakeLibcdioAccess(std::string device) {
  return std::make_unique<LibcdioAccess>(std::move(device));
}

std::vector<std::string> ListRealCdDrives() {
  PrepareLibcdio();
  std::vector<std::string> drives;
  char** list = cdio_get_devices(DRIVER_LINUX);
  if (list == nullptr) return drives;
  // libcdio may name one drive twice (/dev/cdrom beside /dev/sr0); the first name stays.
  std::set<std::string> seen;
  for (char** name = list; *name != nullptr; ++name) {
    std::error_code ec;
    const auto target = std::filesystem::canonical(*name, ec);
    if (seen.insert(ec ? std::string(*name) : target.string()).second) drives.emplace_back(*name);
  }
  cdio_free_device_list(list);
  return drives;
}

}  // namespace platform::cd
