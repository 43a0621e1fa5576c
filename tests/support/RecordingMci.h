// A recording device: it notes every command with its flags and the fields of its record
// (before the call, and the answer after it), then passes the command on to the device
// behind it, or answers from a script.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/mci/Mmsystem.h"

struct MciCall {
  MCIDEVICEID device = 0;
  UINT command = 0;
  DWORD flags = 0;
  DWORD_PTR record = 0;  // the record's address, to see that records are reused
  DWORD_PTR callback = 0;
  // MCI_PLAY, MCI_SEEK.
  DWORD from = 0;
  DWORD to = 0;
  // MCI_STATUS.
  DWORD item = 0;
  DWORD track = 0;
  DWORD_PTR answer = 0;  // dwReturn after the call
  // MCI_SET.
  DWORD timeFormat = 0;
  // MCI_OPEN.
  DWORD_PTR deviceType = 0;
  std::string element;
  MCIDEVICEID openedId = 0;

  MCIERROR result = 0;
};

class RecordingMci : public MciHandler {
 public:
  explicit RecordingMci(MciHandler* inner) : inner_(inner) {}

  MCIERROR SendCommand(MCIDEVICEID device, UINT msg, DWORD_PTR flags, DWORD_PTR param) override;

  // A script sees each call first; an answer it gives replaces the device behind.
  std::function<std::optional<MCIERROR>(UINT msg, DWORD flags, DWORD_PTR param)> script;

  std::vector<MciCall> calls;
  void Clear() { calls.clear(); }
  int Count(UINT command) const;
  int CountStatus(DWORD item) const;
  // A short readable list of the calls, for failure messages.
  std::string Describe() const;

 private:
  MciHandler* inner_;
};

const char* MciCommandName(UINT command);
