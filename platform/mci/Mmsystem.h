// The media control interface: commands, flags, records and error codes with the values of
// the original system, and mciSendCommandA, which hands each command to the installed
// handler (normally the CD command layer over the drive table).
#pragma once

#include "platform/WinTypes.h"

// On Windows the constants and records are the system's (mmsystem.h, through WinTypes.h).
#ifndef _WIN32

using MCIDEVICEID = UINT;
using MCIERROR = DWORD;

// Commands.
constexpr UINT MCI_OPEN = 0x0803;
constexpr UINT MCI_CLOSE = 0x0804;
constexpr UINT MCI_PLAY = 0x0806;
constexpr UINT MCI_SEEK = 0x0807;
constexpr UINT MCI_STOP = 0x0808;
constexpr UINT MCI_PAUSE = 0x0809;
constexpr UINT MCI_INFO = 0x080A;
constexpr UINT MCI_GETDEVCAPS = 0x080B;
constexpr UINT MCI_SET = 0x080D;
constexpr UINT MCI_STATUS = 0x0814;
constexpr UINT MCI_RESUME = 0x0855;

constexpr UINT MM_MCINOTIFY = 0x03B9;

// Flags shared by all commands.
constexpr DWORD MCI_NOTIFY = 0x00000001;
constexpr DWORD MCI_WAIT = 0x00000002;
constexpr DWORD MCI_FROM = 0x00000004;
constexpr DWORD MCI_TO = 0x00000008;
constexpr DWORD MCI_TRACK = 0x00000010;

// Open flags.
constexpr DWORD MCI_OPEN_SHAREABLE = 0x00000100;
constexpr DWORD MCI_OPEN_ELEMENT = 0x00000200;
constexpr DWORD MCI_OPEN_ALIAS = 0x00000400;
constexpr DWORD MCI_OPEN_ELEMENT_ID = 0x00000800;
constexpr DWORD MCI_OPEN_TYPE_ID = 0x00001000;
constexpr DWORD MCI_OPEN_TYPE = 0x00002000;

// Seek flags.
constexpr DWORD MCI_SEEK_TO_START = 0x00000100;
constexpr DWORD MCI_SEEK_TO_END = 0x00000200;

// Status flags and items.
constexpr DWORD MCI_STATUS_ITEM = 0x00000100;
constexpr DWORD MCI_STATUS_START = 0x00000200;
constexpr DWORD MCI_STATUS_LENGTH = 0x00000001;
constexpr DWORD MCI_STATUS_POSITION = 0x00000002;
constexpr DWORD MCI_STATUS_NUMBER_OF_TRACKS = 0x00000003;
constexpr DWORD MCI_STATUS_MODE = 0x00000004;
constexpr DWORD MCI_STATUS_MEDIA_PRESENT = 0x00000005;
constexpr DWORD MCI_STATUS_TIME_FORMAT = 0x00000006;
constexpr DWORD MCI_STATUS_READY = 0x00000007;
constexpr DWORD MCI_STATUS_CURRENT_TRACK = 0x00000008;

// Set flags.
constexpr DWORD MCI_SET_DOOR_OPEN = 0x00000100;
constexpr DWORD MCI_SET_DOOR_CLOSED = 0x00000200;
constexpr DWORD MCI_SET_TIME_FORMAT = 0x00000400;

// Modes.
constexpr DWORD MCI_STRING_OFFSET = 512;
constexpr DWORD MCI_MODE_NOT_READY = MCI_STRING_OFFSET + 12;
constexpr DWORD MCI_MODE_STOP = MCI_STRING_OFFSET + 13;
constexpr DWORD MCI_MODE_PLAY = MCI_STRING_OFFSET + 14;
constexpr DWORD MCI_MODE_RECORD = MCI_STRING_OFFSET + 15;
constexpr DWORD MCI_MODE_SEEK = MCI_STRING_OFFSET + 16;
constexpr DWORD MCI_MODE_PAUSE = MCI_STRING_OFFSET + 17;
constexpr DWORD MCI_MODE_OPEN = MCI_STRING_OFFSET + 18;

constexpr DWORD MCI_DEVTYPE_CD_AUDIO = 516;

// Time formats.
constexpr DWORD MCI_FORMAT_MILLISECONDS = 0;
constexpr DWORD MCI_FORMAT_MSF = 2;
constexpr DWORD MCI_FORMAT_TMSF = 10;

// Notification codes (wParam of MM_MCINOTIFY).
constexpr WPARAM MCI_NOTIFY_SUCCESSFUL = 0x0001;
constexpr WPARAM MCI_NOTIFY_SUPERSEDED = 0x0002;
constexpr WPARAM MCI_NOTIFY_ABORTED = 0x0004;
constexpr WPARAM MCI_NOTIFY_FAILURE = 0x0008;

// Errors.
constexpr MCIERROR MCIERR_BASE = 256;
constexpr MCIERROR MCIERR_INVALID_DEVICE_ID = MCIERR_BASE + 1;
constexpr MCIERROR MCIERR_UNRECOGNIZED_COMMAND = MCIERR_BASE + 5;
constexpr MCIERROR MCIERR_HARDWARE = MCIERR_BASE + 6;
constexpr MCIERROR MCIERR_CANNOT_LOAD_DRIVER = MCIERR_BASE + 10;
constexpr MCIERROR MCIERR_MISSING_PARAMETER = MCIERR_BASE + 17;
constexpr MCIERROR MCIERR_UNSUPPORTED_FUNCTION = MCIERR_BASE + 18;
constexpr MCIERROR MCIERR_DEVICE_NOT_READY = MCIERR_BASE + 20;
constexpr MCIERROR MCIERR_OUTOFRANGE = MCIERR_BASE + 26;
constexpr MCIERROR MCIERR_FLAGS_NOT_COMPATIBLE = MCIERR_BASE + 28;
constexpr MCIERROR MCIERR_BAD_TIME_FORMAT = MCIERR_BASE + 37;
constexpr MCIERROR MCIERR_INVALID_FILE = MCIERR_BASE + 40;
constexpr MCIERROR MCIERR_NULL_PARAMETER_BLOCK = MCIERR_BASE + 41;
constexpr MCIERROR MCIERR_NONAPPLICABLE_FUNCTION = MCIERR_BASE + 46;

// Records.
struct MCI_GENERIC_PARMS {
  DWORD_PTR dwCallback;
};

struct MCI_OPEN_PARMSA {
  DWORD_PTR dwCallback;
  MCIDEVICEID wDeviceID;
  LPCSTR lpstrDeviceType;
  LPCSTR lpstrElementName;
  LPCSTR lpstrAlias;
};
using MCI_OPEN_PARMS = MCI_OPEN_PARMSA;

struct MCI_PLAY_PARMS {
  DWORD_PTR dwCallback;
  DWORD dwFrom;
  DWORD dwTo;
};

struct MCI_SEEK_PARMS {
  DWORD_PTR dwCallback;
  DWORD dwTo;
};

struct MCI_SET_PARMS {
  DWORD_PTR dwCallback;
  DWORD dwTimeFormat;
  DWORD dwAudio;
};

struct MCI_STATUS_PARMS {
  DWORD_PTR dwCallback;
  DWORD_PTR dwReturn;
  DWORD dwItem;
  DWORD dwTrack;
};

// Packing of positions and lengths.
constexpr DWORD MCI_MAKE_TMSF(BYTE t, BYTE m, BYTE s, BYTE f) {
  return DWORD(t) | DWORD(m) << 8 | DWORD(s) << 16 | DWORD(f) << 24;
}
constexpr DWORD MCI_MAKE_MSF(BYTE m, BYTE s, BYTE f) { return DWORD(m) | DWORD(s) << 8 | DWORD(f) << 16; }
constexpr BYTE MCI_TMSF_TRACK(DWORD v) { return BYTE(v & 0xFF); }
constexpr BYTE MCI_TMSF_MINUTE(DWORD v) { return BYTE((v >> 8) & 0xFF); }
constexpr BYTE MCI_TMSF_SECOND(DWORD v) { return BYTE((v >> 16) & 0xFF); }
constexpr BYTE MCI_TMSF_FRAME(DWORD v) { return BYTE((v >> 24) & 0xFF); }
constexpr BYTE MCI_MSF_MINUTE(DWORD v) { return BYTE(v & 0xFF); }
constexpr BYTE MCI_MSF_SECOND(DWORD v) { return BYTE((v >> 8) & 0xFF); }
constexpr BYTE MCI_MSF_FRAME(DWORD v) { return BYTE((v >> 16) & 0xFF); }

#endif  // _WIN32

#ifdef _WIN32
#define mciSendCommandA(...) PLUME_HOOK(mciSendCommandA)(__VA_ARGS__)
#endif

// Sends one command. dwParam points at the command's record (or is 0).
MCIERROR mciSendCommandA(MCIDEVICEID IDDevice, UINT uMsg, DWORD_PTR fdwCommand, DWORD_PTR dwParam);

// Whatever answers mciSendCommandA: the CD command layer, or a test's recording device.
class MciHandler {
 public:
  virtual ~MciHandler() = default;
  virtual MCIERROR SendCommand(MCIDEVICEID device, UINT msg, DWORD_PTR flags, DWORD_PTR param) = 0;
};

// Installs a handler and returns the one it replaces; nullptr restores the command layer.
MciHandler* SetMciHandler(MciHandler* handler);
