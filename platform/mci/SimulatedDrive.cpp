#include "platform/mci/SimulatedDrive.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace platform::cd {

SimulatedDrive::SimulatedDrive(std::optional<VirtualDisc> disc, std::string controlFile)
    : disc_(std::move(disc)), controlFile_(std::move(controlFile)) {
  position_ = FirstFrame();
  if (!controlFile_.empty()) {
    // An existing file steers the drive from the start; otherwise the drive publishes its
    // initial state there for scripts to read.
    struct stat st{};
    if (::stat(controlFile_.c_str(), &st) == 0) {
      SyncControlFile();
    } else {
      WriteControlFile();
    }
  }
}

SimulatedDrive::~SimulatedDrive() { CancelEndTimer(); }

Frame SimulatedDrive::FirstFrame() const {
  return disc_ ? disc_->TableOfContents().starts.front() : kLeadInFrames;
}

void SimulatedDrive::CancelEndTimer() {
  if (endTimer_ && timerLoop_ == &CurrentEventLoop()) timerLoop_->RemoveTimer(*endTimer_);
  endTimer_.reset();
  timerLoop_ = nullptr;
}

void SimulatedDrive::Settle() {
  if (state_ != AudioState::Playing) return;
  const std::uint64_t now = CurrentEventLoop().Now();
  if (playFrom_ + FramesIn(now - playStartedAt_) < playTo_) return;
  state_ = AudioState::Stopped;
  position_ = playTo_;
  CancelEndTimer();
  NotifyPlayEnded();
}

void SimulatedDrive::LosePlay() {
  if (state_ == AudioState::Playing) position_ = Position();
  const bool wasActive = state_ != AudioState::Stopped;
  state_ = AudioState::Stopped;
  CancelEndTimer();
  if (wasActive) NotifyPlayLost();
}

bool SimulatedDrive::DoorOpen() {
  SyncControlFile();
  return doorOpen_;
}

bool SimulatedDrive::Ready() {
  SyncControlFile();
  return !doorOpen_ && disc_.has_value();
}

std::optional<Toc> SimulatedDrive::ReadToc() {
  if (!Ready()) return std::nullopt;
  return disc_->TableOfContents();
}

Result SimulatedDrive::Play(Frame from, Frame to) {
  if (!Ready()) return Result::NotReady;
  // A refused play must not cut the end timer of the play that goes on.
  const Frame leadOut = disc_->TableOfContents().leadOut;
  if (from > to || to > leadOut) return Result::Failed;
  Settle();
  CancelEndTimer();
  state_ = AudioState::Playing;
  playFrom_ = from;
  playTo_ = to;
  position_ = from;
  timerLoop_ = &CurrentEventLoop();
  playStartedAt_ = timerLoop_->Now();
  endTimer_ = timerLoop_->AddTimer(static_cast<std::uint32_t>(SpanMs(to - from)), false, [this] {
    endTimer_.reset();
    timerLoop_ = nullptr;
    Settle();
  });
  return Result::Ok;
}

Result SimulatedDrive::Pause() {
  if (!Ready()) return Result::NotReady;
  Settle();
  if (state_ == AudioState::Playing) {
    position_ = Position();
    state_ = AudioState::Paused;
    CancelEndTimer();
  }
  return Result::Ok;
}

Result SimulatedDrive::Stop() {
  if (!Ready()) return Result::NotReady;
  Settle();
  if (state_ == AudioState::Playing) position_ = Position();
  state_ = AudioState::Stopped;
  CancelEndTimer();
  return Result::Ok;
}

Result SimulatedDrive::Seek(Frame to) {
  if (!Ready()) return Result::NotReady;
  Stop();
  if (to > disc_->TableOfContents().leadOut) return Result::Failed;
  position_ = to;
  return Result::Ok;
}

Frame SimulatedDrive::Position() {
  SyncControlFile();
  Settle();
  if (state_ != AudioState::Playing) return position_;
  const std::uint64_t now = CurrentEventLoop().Now();
  return std::min(playTo_, playFrom_ + FramesIn(now - playStartedAt_));
}

AudioState SimulatedDrive::State() {
  SyncControlFile();
  Settle();
  return state_;
}

Result SimulatedDrive::SetDoor(bool open) {
  SyncControlFile();
  MoveDoor(open);
  WriteControlFile();
  return Result::Ok;
}

void SimulatedDrive::MoveDoor(bool open) {
  if (open == doorOpen_) return;
  if (open) LosePlay();
  doorOpen_ = open;
  // A drive that closes on a disc reads it afresh and stands at its start.
  if (!open) position_ = FirstFrame();
}

void SimulatedDrive::ChangeDisc(std::optional<VirtualDisc> disc) {
  if (disc == disc_) return;
  LosePlay();
  disc_ = std::move(disc);
  position_ = FirstFrame();
}

void SimulatedDrive::InsertDisc(VirtualDisc disc) { ChangeDisc(std::move(disc)); }

void SimulatedDrive::RemoveDisc() { ChangeDisc(std::nullopt); }

void SimulatedDrive::SyncControlFile() {
  if (controlFile_.empty()) return;
  struct stat st{};
  FileStamp stamp;
  if (::stat(controlFile_.c_str(), &st) == 0) {
    stamp = {static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec,
             static_cast<long long>(st.st_size), static_cast<unsigned long long>(st.st_ino)};
  }
  if (stamp == seen_) return;
  seen_ = stamp;
  if (stamp.size < 0) return;  // the file went away: the drive stays as it is
  std::ifstream in(controlFile_, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  ApplyControlText(text.str());
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
  const std::string temp = controlFile_ + ".new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << "door=" << (doorOpen_ ? "open" : "closed") << '\n'
        << "disc=" << (disc_ ? disc_->Describe() : "none") << '\n';
    if (!out) {
      std::cerr << controlFile_ << ": cannot write the drive's state\n";
      std::remove(temp.c_str());
      return;
    }
  }
  if (std::rename(temp.c_str(), controlFile_.c_str()) != 0) {
    std::remove(temp.c_str());
    return;
  }
  // Our own write is no news to us.
  seen_ = {};
  struct stat st{};
  if (::stat(controlFile_.c_str(), &st) == 0) {
    seen_ = {static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec,
             static_cast<long long>(st.st_size), static_cast<unsigned long long>(st.st_ino)};
  }
}

}  // namespace platform::cd
