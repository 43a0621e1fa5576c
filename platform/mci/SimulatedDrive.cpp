#include "platform/mci/SimulatedDrive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "platform/WinTypes.h"
#include "platform/mci/CueSheet.h"

namespace platform::cd {

namespace {

std::string SystemError() { return std::strerror(errno); }

// Closes a descriptor however the function that opened it ends.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// What tells one version of the control file from the next.
template <class Stamp>
Stamp StampOf(const struct stat& st) {
#ifdef _WIN32
  return {
    static_cast<long long>(st.st_mtime) * 1000000000LL,
#else
  return {static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec,
#endif
        static_cast<long long>(st.st_size), static_cast<unsigned long long>(st.st_ino),
        static_cast<unsigned>(st.st_mode)
  };
}

}  // namespace

SimulatedDrive::SimulatedDrive(std::optional<VirtualDisc> disc, std::string controlFile,
                               std::unique_ptr<audio::SoundOutput> output)
    : disc_(std::move(disc)), player_(std::move(output)), controlFile_(std::move(controlFile)) {
  player_.SetPlayEndedHandler([this] { NotifyPlayEnded(); });
  player_.SetPlayLostHandler([this] { NotifyPlayLost(); });
  Mount();
  // A file left by an earlier run would put back a disc that the drive table no longer
  // asks for; the drive publishes its own state instead, for scripts to read and steer.
  WriteControlFile();
}

SimulatedDrive::~SimulatedDrive() = default;

void SimulatedDrive::Mount() { player_.SetSource(!doorOpen_ && disc_ ? disc_->Source() : nullptr); }

bool SimulatedDrive::DoorOpen() {
  SyncControlFile();
  return doorOpen_;
}

bool SimulatedDrive::Ready() {
  SyncControlFile();
  return !doorOpen_ && disc_.has_value() && !SpinningUp();
}

void SimulatedDrive::StartSpinUp() {
  spinLoop_ = &CurrentEventLoop();
  readyAt_ = spinLoop_->Now() + kSpinUpMs;
}

bool SimulatedDrive::SpinningUp() const {
  // A clock other than the one the spin-up began on (a test's fresh loop) knows nothing of
  // it: the drive has long settled.
  return spinLoop_ == &CurrentEventLoop() && spinLoop_->Now() < readyAt_;
}

std::optional<Toc> SimulatedDrive::ReadToc() {
  if (!Ready()) return std::nullopt;
  return disc_->TableOfContents();
}

Result SimulatedDrive::Play(Frame from, Frame to) {
  if (!Ready()) return Result::NotReady;
  return player_.Play(from, to);
}

Result SimulatedDrive::Pause() {
  if (!Ready()) return Result::NotReady;
  return player_.Pause();
}

Result SimulatedDrive::Stop() {
  if (!Ready()) return Result::NotReady;
  return player_.Stop();
}

Result SimulatedDrive::Seek(Frame to) {
  if (!Ready()) return Result::NotReady;
  return player_.Seek(to);
}

Frame SimulatedDrive::Position() {
  SyncControlFile();
  return player_.Position();
}

AudioState SimulatedDrive::State() {
  SyncControlFile();
  return player_.State();
}

std::optional<std::string> SimulatedDrive::TrackTitle(int track) {
  if (!Ready() || !disc_->Image()) return std::nullopt;
  return disc_->Image()->Title(track);
}

Result SimulatedDrive::SetDoor(bool open) {
  SyncControlFile();
  MoveDoor(open);
  WriteControlFile();
  return Result::Ok;
}

void SimulatedDrive::MoveDoor(bool open) {
  if (open == doorOpen_) return;
  doorOpen_ = open;
  // A drive that closes on a disc reads it afresh and stands at its start. The disc may
  // have been swapped while the door was open, so it must be seen as a new one.
  Mount();
  if (!open && disc_) StartSpinUp();
}

void SimulatedDrive::ChangeDisc(std::optional<VirtualDisc> disc) {
  if (disc == disc_) return;
  disc_ = std::move(disc);
  Mount();
  if (disc_) StartSpinUp();
}

void SimulatedDrive::InsertDisc(VirtualDisc disc) { ChangeDisc(std::move(disc)); }

void SimulatedDrive::RemoveDisc() { ChangeDisc(std::nullopt); }

void SimulatedDrive::SyncControlFile() {
  if (controlFile_.empty()) return;
  struct stat st {};
  FileStamp stamp;
  if (::stat(controlFile_.c_str(), &st) == 0) {
    stamp = StampOf<FileStamp>(st);
  }
  if (stamp == seen_) return;
  seen_ = stamp;
  if (stamp.size < 0) return;  // the file went away: the drive stays as it is
  // Not even opened when it is no regular file: opening a pipe, even without waiting,
  // would let a writer on its other end go ahead.
  if (!S_ISREG(st.st_mode)) {
    std::cerr << controlFile_ << ": not a regular file, ignored (replace it by a file of lines)\n";
    return;
  }
  if (const auto text = ReadControlFile()) ApplyControlText(*text);
}

std::optional<std::string> SimulatedDrive::ReadControlFile() {
  // Opening a pipe for reading would wait for a writer, and reading it would wait for
  // data, both on the event loop: so the file is opened without blocking and read only
  // when it proves to be a regular file. Each complaint comes once per change of the file.
#ifdef _WIN32
  Descriptor file{::open(controlFile_.c_str(), O_RDONLY | O_BINARY)};
#else
  Descriptor file{::open(controlFile_.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
#endif
  if (file.fd < 0) {
    std::cerr << controlFile_ << ": cannot read the drive's control file: " << SystemError() << '\n';
    return std::nullopt;
  }
  struct stat st {};
  if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    std::cerr << controlFile_ << ": not a regular file, ignored (replace it by a file of lines)\n";
    return std::nullopt;
  }
  if (st.st_size > kMaxControlBytes) {
    std::cerr << controlFile_ << ": " << st.st_size << " bytes is too large for a control file, ignored\n";
    return std::nullopt;
  }
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      std::cerr << controlFile_ << ": cannot read the drive's control file: " << SystemError() << '\n';
      return std::nullopt;
    }
    text.append(buffer, static_cast<std::size_t>(n));
    // A file that grows while it is read is not one a script replaced whole.
    if (static_cast<long long>(text.size()) > kMaxControlBytes) {
      std::cerr << controlFile_ << ": too large for a control file, ignored\n";
      return std::nullopt;
    }
  }
  return text;
}

void SimulatedDrive::ApplyControlText(const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
    const auto eq = line.find('=');
    const std::string key = eq == std::string::npos ? line : line.substr(0, eq);
    const std::string value = eq == std::string::npos ? "" : line.substr(eq + 1);
    const std::string where = controlFile_ + ":" + std::to_string(number) + ": ";
    if (key == "door" && (value == "open" || value == "closed")) {
      MoveDoor(value == "open");
    } else if (key == "disc") {
      try {
        ChangeDisc(value == "none" ? std::nullopt : std::optional(VirtualDisc::Parse(value)));
      } catch (const DiscImageError& e) {
        // An image that cannot be read is a disc the drive cannot read: it stands empty.
        std::cerr << where << "unreadable disc image: " << e.what() << '\n';
        ChangeDisc(std::nullopt);
      } catch (const std::invalid_argument& e) {
        std::cerr << where << "bad disc, left as it was: " << e.what() << '\n';
      }
    } else {
      std::cerr << where << "ignored (expected door=open|closed or disc=...)\n";
    }
  }
}

void SimulatedDrive::WriteControlFile() {
  if (controlFile_.empty()) return;
  // A temporary name of our own, made afresh: a script's temporary file, or a pipe that
  // happens to bear the name, is never written into.
  std::string temp = controlFile_ + ".XXXXXX";
  Descriptor file{::mkstemp(temp.data())};
  if (file.fd < 0) {
    std::cerr << controlFile_ << ": cannot write the drive's state: " << SystemError() << '\n';
    return;
  }
#ifndef _WIN32
  ::fchmod(file.fd, 0644);
#endif
  std::ostringstream text;
  text << "door=" << (doorOpen_ ? "open" : "closed") << '\n' << "disc=" << (disc_ ? disc_->Describe() : "none") << '\n';
  const std::string bytes = text.str();
  std::size_t done = 0;
  while (done < bytes.size()) {
    // A few lines, far below the unsigned count Windows' write takes.
    const auto n = ::write(file.fd, bytes.data() + done, static_cast<unsigned>(bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  struct stat st {};
  const bool stamped = ::fstat(file.fd, &st) == 0;
#ifdef _WIN32
  // Windows moves no file that is still open, and replaces one only when asked to.
  ::close(file.fd);
  file.fd = -1;
  const bool moved =
      done == bytes.size() && MoveFileExA(temp.c_str(), controlFile_.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
  const bool moved = done == bytes.size() && ::rename(temp.c_str(), controlFile_.c_str()) == 0;
#endif
  if (!moved) {
    std::cerr << controlFile_ << ": cannot write the drive's state: " << SystemError() << '\n';
    ::unlink(temp.c_str());
    return;
  }
  // Our own write is no news to us.
  seen_ = {};
  if (stamped) seen_ = StampOf<FileStamp>(st);
}

}  // namespace platform::cd
