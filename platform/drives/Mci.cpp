// The CD-audio command entry point of the machine: the command layer over the drive table's
// drives, unless a test has put a recording device in front. It lives beside the drive
// table because it is what ties the two together; the command layer itself knows only the
// drive source it is given, so the drive letters can build on the CD drivers and not the
// other way round.
#include "platform/drives/DriveTable.h"
#include "platform/mci/CdCommandLayer.h"
#include "platform/mci/Mmsystem.h"

namespace {

MciHandler* g_handler = nullptr;

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
  MciHandler* h = g_handler ? g_handler : &platform::cd::CdCommandLayer::Instance();
  return h->SendCommand(IDDevice, uMsg, fdwCommand, dwParam);
}
