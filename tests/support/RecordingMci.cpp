#include "tests/support/RecordingMci.h"

#include <sstream>

MCIERROR RecordingMci::SendCommand(MCIDEVICEID device, UINT msg, DWORD_PTR flags, DWORD_PTR param) {
  MciCall c;
  c.device = device;
  c.command = msg;
  c.flags = static_cast<DWORD>(flags);
  c.record = param;
  if (param != 0) {
    c.callback = *reinterpret_cast<DWORD_PTR*>(param);
    switch (msg) {
      case MCI_PLAY: {
        auto* p = reinterpret_cast<MCI_PLAY_PARMS*>(param);
        c.from = p->dwFrom;
        c.to = p->dwTo;
        break;
      }
      case MCI_SEEK: c.to = reinterpret_cast<MCI_SEEK_PARMS*>(param)->dwTo; break;
      case MCI_STATUS: {
        auto* p = reinterpret_cast<MCI_STATUS_PARMS*>(param);
        c.item = p->dwItem;
        c.track = p->dwTrack;
        break;
      }
      case MCI_SET: c.timeFormat = reinterpret_cast<MCI_SET_PARMS*>(param)->dwTimeFormat; break;
      case MCI_OPEN: {
        auto* p = reinterpret_cast<MCI_OPEN_PARMS*>(param);
        c.deviceType = reinterpret_cast<DWORD_PTR>(p->lpstrDeviceType);
        if (p->lpstrElementName) c.element = p->lpstrElementName;
        break;
      }
      default: break;
    }
  }
  std::optional<MCIERROR> scripted;
  if (script) scripted = script(msg, c.flags, param);
  c.result = scripted ? *scripted : (inner_ ? inner_->SendCommand(device, msg, flags, param) : 0);
  if (param != 0 && msg == MCI_STATUS) c.answer = reinterpret_cast<MCI_STATUS_PARMS*>(param)->dwReturn;
  if (param != 0 && msg == MCI_OPEN) c.openedId = reinterpret_cast<MCI_OPEN_PARMS*>(param)->wDeviceID;
  calls.push_back(c);
  return c.result;
}

int RecordingMci::Count(UINT command) const {
  int n = 0;
  for (const auto& c : calls) n += c.command == command;
  return n;
}

int RecordingMci::CountStatus(DWORD item) const {
  int n = 0;
  for (const auto& c : calls) n += c.command == MCI_STATUS && c.item == item;
  return n;
}

const char* MciCommandName(UINT command) {
  switch (command) {
    case MCI_OPEN: return "open";
    case MCI_CLOSE: return "close";
    case MCI_PLAY: return "play";
    case MCI_SEEK: return "seek";
    case MCI_STOP: return "stop";
    case MCI_PAUSE: return "pause";
    case MCI_SET: return "set";
    case MCI_STATUS: return "status";
    default: return "other";
  }
}

std::string RecordingMci::Describe() const {
  std::ostringstream out;
  for (const auto& c : calls) {
    out << MciCommandName(c.command) << " flags=0x" << std::hex << c.flags << std::dec;
    if (c.command == MCI_STATUS) out << " item=" << c.item << " track=" << c.track;
    if (c.command == MCI_PLAY) out << std::hex << " from=0x" << c.from << " to=0x" << c.to << std::dec;
    out << " -> " << c.result << '\n';
  }
  return out.str();
}
