// The CD-audio command entry point of the machine: the command layer over the drive table's
// drives, unless a test has put a recording device in front. It lives beside the drive
// table because it is what ties the two together; the command layer itself knows only the
// drive source it is given, so the drive letters can build on the CD drivers and not the
// other way round.
#include <cctype>
#include <set>

#include "platform/drives/DriveTable.h"
#include "platform/mci/CdCommandLayer.h"
#include "platform/mci/Mmsystem.h"

namespace {

MciHandler* g_handler = nullptr;

#ifdef _WIN32
// On Windows a drive the system has is played by the system's CD audio device. Its device
// ids come from the system and ours from the command layer, both counting from 1, so the
// system's ids are handed out with a mark that no id of ours carries.
constexpr MCIDEVICEID kSystemDevice = 0x4000;
std::set<MCIDEVICEID>& SystemDevices() {
  static std::set<MCIDEVICEID> ids;
  return ids;
}

// Whether an open names a drive of the system's rather than one of the table's.
bool OpensSystemDrive(DWORD_PTR flags, DWORD_PTR param) {
  const auto& table = platform::DriveTable::Instance();
  const auto* p = reinterpret_cast<const MCI_OPEN_PARMSA*>(param);
  if (p == nullptr) return false;
  if (flags & MCI_OPEN_ELEMENT) {
    const char* e = p->lpstrElementName;
    if (e == nullptr || e[0] == '\0' || e[1] != ':') return false;
    return table.CdDriver(static_cast<char>(std::toupper(static_cast<unsigned char>(e[0])))) == nullptr;
  }
  // Without an element the first CD-ROM drive: the system's, when it has one.
  for (const auto& e : table.Entries())
    if (e.type == DRIVE_CDROM) return e.driver == nullptr;
  return false;
}

MCIERROR SystemCommand(MCIDEVICEID device, UINT msg, DWORD_PTR flags, DWORD_PTR param) {
  if (msg == MCI_OPEN) {
    auto* p = reinterpret_cast<MCI_OPEN_PARMSA*>(param);
    const MCIDEVICEID before = p->wDeviceID;
    const MCIERROR err = (::mciSendCommandA)(device, msg, flags, param);
    // The system writes an id even into a failed open's record; ours hands out none.
    if (err != 0) p->wDeviceID = before;
    if (err == 0) {
      SystemDevices().insert(p->wDeviceID);
      p->wDeviceID |= kSystemDevice;
    }
    return err;
  }
  const MCIDEVICEID id = device & ~kSystemDevice;
  const MCIERROR err = (::mciSendCommandA)(id, msg, flags, param);
  if (msg == MCI_CLOSE && err == 0) SystemDevices().erase(id);
  return err;
}
#endif

}  // namespace

MciHandler* SetMciHandler(MciHandler* handler) {
  MciHandler* previous = g_handler;
  g_handler = handler;
  return previous;
}

MCIERROR mciSendCommandA(MCIDEVICEID IDDevice, UINT uMsg, DWORD_PTR fdwCommand, DWORD_PTR dwParam) {
  // The drive table hands the command layer its drives when it is made; the first command
  // of a program that has not yet asked for its drive letters makes it.
  platform::DriveTable::Instance();
#ifdef _WIN32
  if (g_handler == nullptr) {
    if (uMsg == MCI_OPEN ? OpensSystemDrive(fdwCommand, dwParam)
                         : (IDDevice & kSystemDevice) && SystemDevices().count(IDDevice & ~kSystemDevice))
      return SystemCommand(IDDevice, uMsg, fdwCommand, dwParam);
  }
#endif
  MciHandler* h = g_handler ? g_handler : &platform::cd::CdCommandLayer::Instance();
  return h->SendCommand(IDDevice, uMsg, fdwCommand, dwParam);
}
