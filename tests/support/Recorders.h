// Recorders for what the platform shows the user: each one listens while it lives and puts
// back the listener that was there before, so fixtures can nest them.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "platform/help/Help.h"
#include "platform/ui/Windows.h"

// Keeps every Record the observer slot that Install fills is told of, in order.
template <class Record, class Observer, Observer (*Install)(Observer)>
class Recorder {
 public:
  Recorder() : previous_(Install([this](const Record& r) { all_.push_back(r); })) {}
  ~Recorder() { Install(std::move(previous_)); }
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  const std::vector<Record>& All() const { return all_; }
  std::optional<Record> Last() const { return all_.empty() ? std::nullopt : std::optional<Record>(all_.back()); }
  void Clear() { all_.clear(); }

 private:
  std::vector<Record> all_;
  Observer previous_;
};

// Every message box shown while the recorder lives.
using MessageBoxRecorder = Recorder<MessageBoxRecord, MessageBoxObserver, &SetMessageBoxObserver>;
// Every help request made while the recorder lives.
using HelpRequestRecorder =
    Recorder<platform::help::HelpRequest, platform::help::HelpRequestObserver, &platform::help::SetHelpRequestObserver>;
