// Recorders for what the platform shows the user: each one listens while it lives and puts
// back the listener that was there before, so fixtures can nest them.
#pragma once

#include <optional>
#include <vector>

#include "platform/help/Help.h"
#include "platform/ui/Windows.h"

// Every message box shown while the recorder lives, in order.
class MessageBoxRecorder {
 public:
  MessageBoxRecorder();
  ~MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

  const std::vector<MessageBoxRecord>& Shown() const { return shown_; }
  void Clear() { shown_.clear(); }

 private:
  std::vector<MessageBoxRecord> shown_;
  MessageBoxObserver previous_;
};

// The last help request made while the recorder lives.
class HelpRequestRecorder {
 public:
  HelpRequestRecorder();
  ~HelpRequestRecorder();
  HelpRequestRecorder(const HelpRequestRecorder&) = delete;
  HelpRequestRecorder& operator=(const HelpRequestRecorder&) = delete;

  const std::optional<platform::help::HelpRequest>& Last() const { return last_; }

 private:
  std::optional<platform::help::HelpRequest> last_;
  platform::help::HelpRequestObserver previous_;
};
