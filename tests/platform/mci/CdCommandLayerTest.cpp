// The CD audio device as the player meets it: every case goes through mciSendCommandA with
// the records and flags the player uses, against simulated drives on the virtual clock.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/mci/CdCommandLayer.h"
#include "platform/mci/Mmsystem.h"
#include "platform/messages/Messages.h"
#include "tests/support/PlatformFixture.h"

namespace {

struct Note {
  HWND window;
  WPARAM code;
  LPARAM device;
};

std::string Describe(const std::vector<Note>& notes) {
  std::string out;
  for (const auto& n : notes)
    out += "[window " + std::to_string(HandleValue(n.window)) + " code " + std::to_string(n.code) + " device " +
           std::to_string(n.device) + "] ";
  return out;
}

// Drive D holds a short disc: track 1 of 0:05 from 0:02.00, track 2 of 0:07 from 0:07.00,
// and the end of the disc at 0:14.01. Drive E is empty.
class CdCommandLayerTest : public PlatformTest {
 protected:
  CdCommandLayerTest() {
    UseDrives("sim:0:05,0:07;sim:none");
    window = NewWindow();
    other = NewWindow();
  }
  ~CdCommandLayerTest() override {
    DestroyWindow(window);
    DestroyWindow(other);
  }

  HWND NewWindow() {
    return CreateMessageWindow([this](HWND hWnd, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
      if (msg == MM_MCINOTIFY) notes.push_back({hWnd, w, l});
      return 0;
    });
  }

  static MCIERROR OpenDevice(DWORD flags, LPCSTR type, LPCSTR element, MCIDEVICEID& id) {
    MCI_OPEN_PARMS p{};
    p.wDeviceID = 0xBEEF;
    p.lpstrDeviceType = type;
    p.lpstrElementName = element;
    const MCIERROR err = mciSendCommandA(0, MCI_OPEN, flags, reinterpret_cast<DWORD_PTR>(&p));
    id = p.wDeviceID;
    return err;
  }
  static LPCSTR CdTypeId() { return reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO)); }
  // Opens the way the player does: by type id, with the drive letter as element.
  static MCIDEVICEID Open(LPCSTR element = "D:") {
    MCIDEVICEID id = 0;
    EXPECT_EQ(OpenDevice(MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT, CdTypeId(), element, id), 0u) << element;
    return id;
  }

  static MCIERROR Status(MCIDEVICEID id, DWORD item, DWORD_PTR& out, DWORD flags = 0, DWORD track = 0) {
    MCI_STATUS_PARMS p{};
    p.dwReturn = out;
    p.dwItem = item;
    p.dwTrack = track;
    const MCIERROR err = mciSendCommandA(id, MCI_STATUS, MCI_STATUS_ITEM | flags, reinterpret_cast<DWORD_PTR>(&p));
    out = p.dwReturn;
    return err;
  }
  static DWORD_PTR StatusOf(MCIDEVICEID id, DWORD item, DWORD flags = 0, DWORD track = 0) {
    DWORD_PTR out = 0;
    EXPECT_EQ(Status(id, item, out, flags, track), 0u) << "item " << item << " track " << track;
    return out;
  }
  static DWORD_PTR Mode(MCIDEVICEID id) { return StatusOf(id, MCI_STATUS_MODE); }
  static DWORD_PTR Position(MCIDEVICEID id) { return StatusOf(id, MCI_STATUS_POSITION); }

  static MCIERROR SetFormat(MCIDEVICEID id, DWORD format) {
    MCI_SET_PARMS p{};
    p.dwTimeFormat = format;
    return mciSendCommandA(id, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&p));
  }

  MCIERROR Play(MCIDEVICEID id, DWORD flags, DWORD from = 0, DWORD to = 0, HWND callback = nullptr) {
    MCI_PLAY_PARMS p{};
    p.dwCallback = HandleValue(callback ? callback : window);
    p.dwFrom = from;
    p.dwTo = to;
    return mciSendCommandA(id, MCI_PLAY, flags, reinterpret_cast<DWORD_PTR>(&p));
  }
  // A command whose record is the generic one (or that uses no more of its record).
  MCIERROR Send(MCIDEVICEID id, UINT msg, DWORD flags) {
    MCI_SEEK_PARMS p{};  // large enough for every command sent this way
    p.dwCallback = HandleValue(window);
    return mciSendCommandA(id, msg, flags, reinterpret_cast<DWORD_PTR>(&p));
  }

  // The notifications that have arrived, emptied for the next look.
  std::vector<Note> Delivered() {
    loop.RunPosted();
    return std::exchange(notes, {});
  }
  void ExpectOnly(MCIDEVICEID id, WPARAM code, HWND to = nullptr) {
    const auto got = Delivered();
    ASSERT_EQ(got.size(), 1u) << Describe(got);
    EXPECT_EQ(got[0].code, code);
    EXPECT_EQ(got[0].device, static_cast<LPARAM>(id));
    EXPECT_EQ(got[0].window, to ? to : window);
  }

  HWND window = nullptr;
  HWND other = nullptr;
  std::vector<Note> notes;
};

constexpr DWORD Msf(BYTE m, BYTE s, BYTE f) { return MCI_MAKE_MSF(m, s, f); }
constexpr DWORD Tmsf(BYTE t, BYTE m, BYTE s, BYTE f) { return MCI_MAKE_TMSF(t, m, s, f); }
platform::cd::Frame FramesOfMsf(DWORD_PTR v) {
  const auto d = static_cast<DWORD>(v);
  return platform::cd::FromMsf(MCI_MSF_MINUTE(d), MCI_MSF_SECOND(d), MCI_MSF_FRAME(d));
}

TEST_F(CdCommandLayerTest, OpeningGivesIdsFromOneEachInMsfFormat) {
  const MCIDEVICEID first = Open("D:");
  const MCIDEVICEID second = Open("d:\\");
  EXPECT_EQ(first, 1u);
  EXPECT_EQ(second, 2u);
  ASSERT_EQ(SetFormat(first, MCI_FORMAT_TMSF), 0u);
  // The time format belongs to the device, not to the drive.
  EXPECT_EQ(StatusOf(first, MCI_STATUS_TIME_FORMAT), MCI_FORMAT_TMSF);
  EXPECT_EQ(StatusOf(second, MCI_STATUS_TIME_FORMAT), MCI_FORMAT_MSF);
  EXPECT_EQ(StatusOf(Open("E:"), MCI_STATUS_TIME_FORMAT), MCI_FORMAT_MSF);
}

TEST_F(CdCommandLayerTest, ElementThatIsNoCdDriveIsAnInvalidFile) {
  for (const char* element : {"C:", "Q:", "xyz", "D", "D:x", "", "DD:"}) {
    MCIDEVICEID id = 0;
    EXPECT_EQ(OpenDevice(MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT, CdTypeId(), element, id),
              MCIERR_INVALID_FILE)
        << element;
    EXPECT_EQ(id, 0xBEEFu) << "a failed open must not hand out an id: " << element;
  }
  EXPECT_EQ(Open(), 1u);
}

TEST_F(CdCommandLayerTest, OpenFailsForOtherDeviceTypesAndMissingParts) {
  struct Case {
    const char* what;
    DWORD flags;
    LPCSTR type;
    bool record;
    MCIERROR error;
  };
  const DWORD element = MCI_OPEN_ELEMENT;
  const Case cases[] = {
      {"wave audio by id", MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | element, reinterpret_cast<LPCSTR>(DWORD_PTR{514}), true,
       MCIERR_CANNOT_LOAD_DRIVER},
      {"sequencer by name", MCI_OPEN_TYPE | element, "sequencer", true, MCIERR_CANNOT_LOAD_DRIVER},
      {"no type", element, CdTypeId(), true, MCIERR_MISSING_PARAMETER},
      {"no record", MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | element, CdTypeId(), false, MCIERR_NULL_PARAMETER_BLOCK},
  };
  for (const auto& c : cases) {
    MCI_OPEN_PARMS p{};
    p.lpstrDeviceType = c.type;
    p.lpstrElementName = "D:";
    EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, c.flags, c.record ? reinterpret_cast<DWORD_PTR>(&p) : 0), c.error) << c.what;
  }
  EXPECT_EQ(Open(), 1u) << "failed opens must not use up device ids";
}

TEST_F(CdCommandLayerTest, TimeFormatCanBeSetAndBadFormatsAreRefused) {
  const MCIDEVICEID id = Open();
  for (DWORD format : {MCI_FORMAT_TMSF, MCI_FORMAT_MILLISECONDS, MCI_FORMAT_MSF}) {
    EXPECT_EQ(SetFormat(id, format), 0u);
    EXPECT_EQ(StatusOf(id, MCI_STATUS_TIME_FORMAT), format);
  }
  ASSERT_EQ(SetFormat(id, MCI_FORMAT_TMSF), 0u);
  // HMS, frames, SMPTE and nonsense: none of them is offered by a CD audio device here.
  for (DWORD format : {1u, 3u, 4u, 8u, 99u}) {
    EXPECT_EQ(SetFormat(id, format), MCIERR_BAD_TIME_FORMAT) << format;
    EXPECT_EQ(StatusOf(id, MCI_STATUS_TIME_FORMAT), MCI_FORMAT_TMSF) << format;
  }
}

TEST_F(CdCommandLayerTest, ReadinessAndModeFollowDoorAndDisc) {
  struct Case {
    const char* what;
    const char* element;
    std::function<void()> act;
    DWORD_PTR ready;
    DWORD_PTR mode;
  };
  const Case cases[] = {
      {"disc in the drive", "D:", [] {}, TRUE, MCI_MODE_STOP},
      {"no disc", "E:", [] {}, FALSE, MCI_MODE_NOT_READY},
      {"door open", "D:", [this] { Drive('D').OpenDoor(); }, FALSE, MCI_MODE_OPEN},
      {"door open, no disc", "E:", [this] { Drive('E').OpenDoor(); }, FALSE, MCI_MODE_OPEN},
      {"door closed again", "D:",
       [this] {
         Drive('D').OpenDoor();
         Drive('D').CloseDoor();
         loop.Advance(platform::cd::SimulatedDrive::kSpinUpMs);
       },
       TRUE, MCI_MODE_STOP},
  };
  for (const auto& c : cases) {
    UseDrives("sim:0:05,0:07;sim:none");
    const MCIDEVICEID id = Open(c.element);
    c.act();
    EXPECT_EQ(StatusOf(id, MCI_STATUS_READY), c.ready) << c.what;
    EXPECT_EQ(StatusOf(id, MCI_STATUS_MEDIA_PRESENT), c.ready) << c.what;
    EXPECT_EQ(Mode(id), c.mode) << c.what;
  }
}

TEST_F(CdCommandLayerTest, LengthsAreMsfEvenInTmsfAndLastTrackEndsOneFrameShort) {
  const MCIDEVICEID id = Open();
  ASSERT_EQ(SetFormat(id, MCI_FORMAT_TMSF), 0u);
  EXPECT_EQ(StatusOf(id, MCI_STATUS_NUMBER_OF_TRACKS), 2u);
  EXPECT_EQ(StatusOf(id, MCI_STATUS_LENGTH, MCI_TRACK, 1), Msf(0, 5, 0));
  EXPECT_EQ(StatusOf(id, MCI_STATUS_LENGTH, MCI_TRACK, 2), Msf(0, 7, 0));
  EXPECT_EQ(StatusOf(id, MCI_STATUS_LENGTH), Msf(0, 12, 0));
  ASSERT_EQ(SetFormat(id, MCI_FORMAT_MSF), 0u);
  ASSERT_EQ(Send(id, MCI_SEEK, MCI_SEEK_TO_END), 0u);
  EXPECT_EQ(Position(id), Msf(0, 14, 1));
}

// For any disc, each track's length reaches the next track's start, and the last one stops
// a frame before the end of the disc.
TEST_F(CdCommandLayerTest, TrackLengthsTileTheDisc) {
  for (const char* disc : {"sim:0:05,0:07", "sim", "sim:1,2.01,3:00.74,0:00.01"}) {
    UseDrives(disc);
    const MCIDEVICEID id = Open();
    const auto tracks = static_cast<DWORD>(StatusOf(id, MCI_STATUS_NUMBER_OF_TRACKS));
    ASSERT_GT(tracks, 0u) << disc;
    for (DWORD t = 1; t <= tracks; ++t) {
      const auto start = FramesOfMsf(StatusOf(id, MCI_STATUS_POSITION, MCI_TRACK, t));
      const auto length = FramesOfMsf(StatusOf(id, MCI_STATUS_LENGTH, MCI_TRACK, t));
      platform::cd::Frame next;
      if (t < tracks) {
        next = FramesOfMsf(StatusOf(id, MCI_STATUS_POSITION, MCI_TRACK, t + 1));
      } else {
        ASSERT_EQ(Send(id, MCI_SEEK, MCI_SEEK_TO_END), 0u);
        next = FramesOfMsf(Position(id)) - 1;
      }
      EXPECT_EQ(start + length, next) << disc << " track " << t;
    }
  }
}

TEST_F(CdCommandLayerTest, TrackPositionIsTheTrackStartInEachFormat) {
  const MCIDEVICEID id = Open();
  struct Case {
    DWORD format;
    DWORD track1, track2;
  };
  for (const Case& c : {Case{MCI_FORMAT_TMSF, Tmsf(1, 0, 0, 0), Tmsf(2, 0, 0, 0)},
                        Case{MCI_FORMAT_MSF, Msf(0, 2, 0), Msf(0, 7, 0)}, Case{MCI_FORMAT_MILLISECONDS, 2001, 7001}}) {
    ASSERT_EQ(SetFormat(id, c.format), 0u);
    EXPECT_EQ(StatusOf(id, MCI_STATUS_POSITION, MCI_TRACK, 1), c.track1) << c.format;
    EXPECT_EQ(StatusOf(id, MCI_STATUS_POSITION, MCI_TRACK, 2), c.track2) << c.format;
    // A fresh disc stands at the start of its first track.
    EXPECT_EQ(Position(id), c.track1) << c.format;
  }
}

// The answers the original's own conformance checks ask for, where a plain reading of the
// interface would say otherwise.
TEST_F(CdCommandLayerTest, AnswersMatchTheOriginalWhereItSurprises) {
  const MCIDEVICEID id = Open();
  // The disc's start and a track's start asked at once: refused, and nothing is posted
  // even for a notified request.
  MCI_STATUS_PARMS status{};
  status.dwCallback = HandleValue(window);
  status.dwReturn = 77;
  status.dwItem = MCI_STATUS_POSITION;
  status.dwTrack = 1;
  EXPECT_EQ(mciSendCommandA(id, MCI_STATUS, MCI_NOTIFY | MCI_STATUS_ITEM | MCI_STATUS_START | MCI_TRACK,
                            reinterpret_cast<DWORD_PTR>(&status)),
            MCIERR_FLAGS_NOT_COMPATIBLE);
  EXPECT_EQ(status.dwReturn, 77u);
  EXPECT_TRUE(Delivered().empty());
  // Each alone is answered.
  EXPECT_EQ(StatusOf(id, MCI_STATUS_POSITION, MCI_STATUS_START), Msf(0, 2, 0));

  // The lead-out (0:14.01) is out of range for a seek; the frame before it is not, and the
  // end of the disc is still reached by its own flag.
  MCI_SEEK_PARMS seek{};
  seek.dwTo = Msf(0, 14, 1);
  EXPECT_EQ(mciSendCommandA(id, MCI_SEEK, MCI_TO, reinterpret_cast<DWORD_PTR>(&seek)), MCIERR_OUTOFRANGE);
  seek.dwTo = Msf(0, 14, 0);
  EXPECT_EQ(mciSendCommandA(id, MCI_SEEK, MCI_TO, reinterpret_cast<DWORD_PTR>(&seek)), 0u);
  EXPECT_EQ(Position(id), Msf(0, 14, 0));
  EXPECT_EQ(Send(id, MCI_SEEK, MCI_SEEK_TO_END), 0u);
  EXPECT_EQ(Position(id), Msf(0, 14, 1));

  // Milliseconds: a place is answered one millisecond late, and a place given in
  // milliseconds is read back to the same frame.
  ASSERT_EQ(SetFormat(id, MCI_FORMAT_MILLISECONDS), 0u);
  EXPECT_EQ(StatusOf(id, MCI_STATUS_POSITION, MCI_STATUS_START), 2001u);
  for (DWORD ms : {2001u, 2014u, 2027u, 9987u}) {
    seek.dwTo = ms;
    ASSERT_EQ(mciSendCommandA(id, MCI_SEEK, MCI_TO, reinterpret_cast<DWORD_PTR>(&seek)), 0u) << ms;
    EXPECT_EQ(Position(id), ms) << ms;
  }
}

TEST_F(CdCommandLayerTest, PositionWithoutTrackIsWhereTheHeadStands) {
  const MCIDEVICEID id = Open();
  ASSERT_EQ(SetFormat(id, MCI_FORMAT_TMSF), 0u);
  MCI_SEEK_PARMS seek{};
  seek.dwTo = Tmsf(2, 0, 3, 10);
  ASSERT_EQ(mciSendCommandA(id, MCI_SEEK, MCI_TO, reinterpret_cast<DWORD_PTR>(&seek)), 0u);
  EXPECT_EQ(Position(id), Tmsf(2, 0, 3, 10));
  EXPECT_EQ(StatusOf(id, MCI_STATUS_CURRENT_TRACK), 2u);
  ASSERT_EQ(SetFormat(id, MCI_FORMAT_MSF), 0u);
  EXPECT_EQ(Position(id), Msf(0, 10, 10));
}

TEST_F(CdCommandLayerTest, FailedStatusQueriesLeaveTheAnswerAlone) {
  struct Case {
    const char* what;
    const char* element;
    DWORD item;
    DWORD flags;
    DWORD track;
    MCIERROR error;
  };
  const Case cases[] = {
      {"position of track 0", "D:", MCI_STATUS_POSITION, MCI_TRACK, 0, MCIERR_OUTOFRANGE},
      {"position past the last track", "D:", MCI_STATUS_POSITION, MCI_TRACK, 3, MCIERR_OUTOFRANGE},
      {"length of track 0", "D:", MCI_STATUS_LENGTH, MCI_TRACK, 0, MCIERR_OUTOFRANGE},
      {"length past the last track", "D:", MCI_STATUS_LENGTH, MCI_TRACK, 3, MCIERR_OUTOFRANGE},
      {"unknown item", "D:", 99, 0, 0, MCIERR_UNSUPPORTED_FUNCTION},
      {"tracks without disc", "E:", MCI_STATUS_NUMBER_OF_TRACKS, 0, 0, MCIERR_DEVICE_NOT_READY},
      {"length without disc", "E:", MCI_STATUS_LENGTH, MCI_TRACK, 1, MCIERR_DEVICE_NOT_READY},
      {"disc length without disc", "E:", MCI_STATUS_LENGTH, 0, 0, MCIERR_DEVICE_NOT_READY},
      {"position without disc", "E:", MCI_STATUS_POSITION, 0, 0, MCIERR_DEVICE_NOT_READY},
      {"current track without disc", "E:", MCI_STATUS_CURRENT_TRACK, 0, 0, MCIERR_DEVICE_NOT_READY},
  };
  const MCIDEVICEID d = Open("D:"), e = Open("E:");
  for (const auto& c : cases) {
    DWORD_PTR answer = 0xDEADBEEF;
    EXPECT_EQ(Status(c.element[0] == 'D' ? d : e, c.item, answer, c.flags, c.track), c.error) << c.what;
    EXPECT_EQ(answer, 0xDEADBEEFu) << c.what;
  }

  MCI_STATUS_PARMS p{};
  p.dwReturn = 0xDEADBEEF;
  p.dwItem = MCI_STATUS_MODE;
  EXPECT_EQ(mciSendCommandA(d, MCI_STATUS, 0, reinterpret_cast<DWORD_PTR>(&p)), MCIERR_MISSING_PARAMETER);
  EXPECT_EQ(p.dwReturn, 0xDEADBEEFu);
  EXPECT_EQ(mciSendCommandA(d, MCI_STATUS, MCI_STATUS_ITEM, 0), MCIERR_NULL_PARAMETER_BLOCK);
  EXPECT_EQ(mciSendCommandA(d + e, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&p)),
            MCIERR_INVALID_DEVICE_ID);
  EXPECT_EQ(p.dwReturn, 0xDEADBEEFu);
}

TEST_F(CdCommandLayerTest, NotifiedPlayEndsWithOneSuccessAtItsEnd) {
  const MCIDEVICEID id = Open();
  ASSERT_EQ(SetFormat(id, MCI_FORMAT_TMSF), 0u);
  ASSERT_EQ(Play(id, MCI_NOTIFY | MCI_FROM | MCI_TO, Tmsf(1, 0, 1, 0), Tmsf(1, 0, 3, 0)), 0u);
  EXPECT_EQ(Mode(id), MCI_MODE_PLAY);
  loop.Advance(1999);  // 149 of the 150 frames
  EXPECT_TRUE(Delivered().empty());
  EXPECT_EQ(Mode(id), MCI_MODE_PLAY);
  loop.Advance(1);
  ExpectOnly(id, MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(Mode(id), MCI_MODE_STOP);
  EXPECT_EQ(Position(id), Tmsf(1, 0, 3, 0));
  loop.Advance(60000);
  EXPECT_TRUE(Delivered().empty());
}

TEST_F(CdCommandLayerTest, PlayWithoutToRunsToTheEndOfTheDisc) {
  const MCIDEVICEID id = Open();
  ASSERT_EQ(Play(id, MCI_NOTIFY), 0u);
  // 901 frames from 0:02.00 to 0:14.01 take 12013.3 ms.
  loop.Advance(12013);
  EXPECT_TRUE(Delivered().empty());
  EXPECT_EQ(Position(id), Msf(0, 14, 0));
  loop.Advance(1);
  ExpectOnly(id, MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(Position(id), Msf(0, 14, 1));
}

TEST_F(CdCommandLayerTest, PlayHeadMovesSeventyFiveFramesASecondRoundedDown) {
  const MCIDEVICEID id = Open();
  ASSERT_EQ(SetFormat(id, MCI_FORMAT_TMSF), 0u);
  ASSERT_EQ(Play(id, MCI_FROM, Tmsf(2, 0, 0, 0)), 0u);
  struct Step {
    std::uint64_t at;  // ms since the play began
    DWORD position;
  };
  const Step steps[] = {{13, Tmsf(2, 0, 0, 0)},    {14, Tmsf(2, 0, 0, 1)},    {999, Tmsf(2, 0, 0, 74)},
                        {1000, Tmsf(2, 0, 1, 0)},  {2500, Tmsf(2, 0, 2, 37)}, {2506, Tmsf(2, 0, 2, 37)},
                        {2507, Tmsf(2, 0, 2, 38)}, {6999, Tmsf(2, 0, 6, 74)}};
  std::uint64_t now = 0;
  for (const auto& s : steps) {
    loop.Advance(s.at - now);
    now = s.at;
    EXPECT_EQ(Position(id), s.position) << s.at << " ms";
  }
}

TEST_F(CdCommandLayerTest, PlayWithoutFromStartsAtTheCurrentPosition) {
  const MCIDEVICEID id = Open();
  ASSERT_EQ(SetFormat(id, MCI_FORMAT_TMSF), 0u);
  MCI_SEEK_PARMS seek{};
  seek.dwTo = Tmsf(2, 0, 1, 0);
  ASSERT_EQ(mciSendCommandA(id, MCI_SEEK, MCI_TO, reinterpret_cast<DWORD_PTR>(&seek)), 0u);
  ASSERT_EQ(Play(id, MCI_NOTIFY | MCI_TO, 0, Tmsf(2, 0, 2, 0)), 0u);
  loop.Advance(999);
  EXPECT_TRUE(Delivered().empty());
  loop.Advance(1);
  ExpectOnly(id, MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(Position(id), Tmsf(2, 0, 2, 0));
}

TEST_F(CdCommandLayerTest, PlayOutsideTheDiscFailsAndRegistersNothing) {
  struct Case {
    const char* what;
    DWORD format;
    DWORD flags;
    DWORD from, to;
  };
  const Case cases[] = {
      {"from after to", MCI_FORMAT_TMSF, MCI_FROM | MCI_TO, Tmsf(2, 0, 1, 0), Tmsf(1, 0, 1, 0)},
      {"from a track past the disc", MCI_FORMAT_TMSF, MCI_FROM, Tmsf(3, 0, 0, 0), 0},
      {"from track 0", MCI_FORMAT_TMSF, MCI_FROM, Tmsf(0, 0, 0, 0), 0},
      {"to a track past the disc", MCI_FORMAT_TMSF, MCI_TO, 0, Tmsf(3, 0, 0, 0)},
      {"to beyond the last track's end", MCI_FORMAT_TMSF, MCI_TO, 0, Tmsf(2, 0, 7, 2)},
      {"from the end of the disc", MCI_FORMAT_MSF, MCI_FROM, Msf(0, 14, 1), 0},
      {"from past the disc", MCI_FORMAT_MSF, MCI_FROM, Msf(5, 0, 0), 0},
      {"to past the disc", MCI_FORMAT_MSF, MCI_FROM | MCI_TO, Msf(0, 2, 0), Msf(0, 14, 2)},
  };
  const MCIDEVICEID id = Open();
  // A pending play must outlive each failed attempt to replace it.
  ASSERT_EQ(Play(id, MCI_NOTIFY | MCI_FROM | MCI_TO, Msf(0, 2, 0), Msf(0, 3, 0), other), 0u);
  for (const auto& c : cases) {
    ASSERT_EQ(SetFormat(id, c.format), 0u);
    EXPECT_EQ(Play(id, MCI_NOTIFY | c.flags, c.from, c.to), MCIERR_OUTOFRANGE) << c.what;
    EXPECT_TRUE(Delivered().empty()) << c.what;
  }
  EXPECT_EQ(Mode(id), MCI_MODE_PLAY);
  loop.Advance(1000);
  ExpectOnly(id, MCI_NOTIFY_SUCCESSFUL, other);
}

TEST_F(CdCommandLayerTest, PlayNeedsADiscAndWaitingIsRefused) {
  const MCIDEVICEID d = Open("D:"), e = Open("E:");
  EXPECT_EQ(Play(e, MCI_NOTIFY), MCIERR_DEVICE_NOT_READY);
  // Waiting would block the very loop that moves the play head.
  EXPECT_EQ(Play(d, MCI_WAIT), MCIERR_UNSUPPORTED_FUNCTION);
  EXPECT_EQ(Mode(d), MCI_MODE_STOP);
  Drive('D').OpenDoor();
  EXPECT_EQ(Play(d, MCI_NOTIFY), MCIERR_DEVICE_NOT_READY);
  EXPECT_TRUE(Delivered().empty());
}

TEST_F(CdCommandLayerTest, InterruptingANotifiedPlayAbortsIt) {
  struct Case {
    const char* what;
    std::function<MCIERROR(MCIDEVICEID)> act;
    DWORD_PTR modeAfter;
  };
  const Case cases[] = {
      {"stop", [this](MCIDEVICEID id) { return Send(id, MCI_STOP, 0); }, MCI_MODE_STOP},
      {"pause", [this](MCIDEVICEID id) { return Send(id, MCI_PAUSE, 0); }, MCI_MODE_STOP},
      {"seek", [this](MCIDEVICEID id) { return Send(id, MCI_SEEK, MCI_SEEK_TO_START); }, MCI_MODE_STOP},
      {"door open", [this](MCIDEVICEID id) { return Send(id, MCI_SET, MCI_SET_DOOR_OPEN); }, MCI_MODE_OPEN},
      {"close", [this](MCIDEVICEID id) { return Send(id, MCI_CLOSE, 0); }, 0},
  };
  for (const auto& c : cases) {
    UseDrives("sim:0:05,0:07");
    const MCIDEVICEID id = Open();
    ASSERT_EQ(Play(id, MCI_NOTIFY), 0u) << c.what;
    loop.Advance(500);
    ASSERT_EQ(c.act(id), 0u) << c.what;
    ExpectOnly(id, MCI_NOTIFY_ABORTED);
    if (c.modeAfter) {
      EXPECT_EQ(Mode(id), c.modeAfter) << c.what;
    }
    loop.Advance(20000);
    EXPECT_TRUE(Delivered().empty()) << c.what;
  }
}

TEST_F(CdCommandLayerTest, NewNotifiedPlaySupersedesThePendingOne) {
  const MCIDEVICEID id = Open();
  ASSERT_EQ(Play(id, MCI_NOTIFY | MCI_FROM | MCI_TO, Msf(0, 2, 0), Msf(0, 4, 0), other), 0u);
  loop.Advance(500);
  ASSERT_EQ(Play(id, MCI_NOTIFY | MCI_FROM | MCI_TO, Msf(0, 7, 0), Msf(0, 8, 0)), 0u);
  ExpectOnly(id, MCI_NOTIFY_SUPERSEDED, other);
  loop.Advance(1000);
  ExpectOnly(id, MCI_NOTIFY_SUCCESSFUL, window);
  loop.Advance(5000);
  EXPECT_TRUE(Delivered().empty());
}

TEST_F(CdCommandLayerTest, PlayOnAnotherDeviceOfTheDriveAbortsTheFirst) {
  const MCIDEVICEID first = Open(), second = Open();
  ASSERT_EQ(Play(first, MCI_NOTIFY, 0, 0, other), 0u);
  ASSERT_EQ(Play(second, MCI_NOTIFY | MCI_FROM | MCI_TO, Msf(0, 7, 0), Msf(0, 8, 0)), 0u);
  ExpectOnly(first, MCI_NOTIFY_ABORTED, other);
  loop.Advance(1000);
  ExpectOnly(second, MCI_NOTIFY_SUCCESSFUL, window);
}

TEST_F(CdCommandLayerTest, OtherNotifiedCommandsSucceedAtOnce) {
  const MCIDEVICEID id = Open();
  MCI_STATUS_PARMS status{};
  status.dwCallback = HandleValue(window);
  status.dwItem = MCI_STATUS_MODE;
  MCI_SET_PARMS set{};
  set.dwCallback = HandleValue(window);
  set.dwTimeFormat = MCI_FORMAT_TMSF;
  EXPECT_EQ(mciSendCommandA(id, MCI_STATUS, MCI_NOTIFY | MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)), 0u);
  ExpectOnly(id, MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(mciSendCommandA(id, MCI_SET, MCI_NOTIFY | MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set)), 0u);
  ExpectOnly(id, MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(Send(id, MCI_SEEK, MCI_NOTIFY | MCI_SEEK_TO_END), 0u);
  ExpectOnly(id, MCI_NOTIFY_SUCCESSFUL);

  // A notified stop of a notified play: the play is aborted and the stop itself succeeds.
  ASSERT_EQ(Play(id, MCI_NOTIFY | MCI_FROM, Tmsf(1, 0, 0, 0)), 0u);
  EXPECT_EQ(Send(id, MCI_STOP, MCI_NOTIFY), 0u);
  const auto got = Delivered();
  ASSERT_EQ(got.size(), 2u) << Describe(got);
  EXPECT_EQ(got[0].code, MCI_NOTIFY_ABORTED);
  EXPECT_EQ(got[1].code, MCI_NOTIFY_SUCCESSFUL);

  // A failing notified command says nothing at all.
  EXPECT_EQ(mciSendCommandA(id, MCI_STATUS, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&status)),
            MCIERR_MISSING_PARAMETER);
  EXPECT_TRUE(Delivered().empty());
}

TEST_F(CdCommandLayerTest, PauseKeepsThePositionAndPlayResumesThere) {
  const MCIDEVICEID id = Open();
  ASSERT_EQ(Play(id, MCI_NOTIFY), 0u);
  loop.Advance(1000);
  ASSERT_EQ(Send(id, MCI_PAUSE, 0), 0u);
  ExpectOnly(id, MCI_NOTIFY_ABORTED);
  EXPECT_EQ(Mode(id), MCI_MODE_STOP);
  loop.Advance(5000);
  EXPECT_EQ(Position(id), Msf(0, 3, 0));
  ASSERT_EQ(Play(id, MCI_NOTIFY), 0u);
  loop.Advance(1000);
  EXPECT_EQ(Position(id), Msf(0, 4, 0));
  // The rest of the disc, 826 frames, ends 11013.3 ms after the resume.
  loop.Advance(10013);
  EXPECT_TRUE(Delivered().empty());
  loop.Advance(1);
  ExpectOnly(id, MCI_NOTIFY_SUCCESSFUL);
}

TEST_F(CdCommandLayerTest, CloseStopsPlayback) {
  const MCIDEVICEID id = Open();
  ASSERT_EQ(Play(id, 0), 0u);
  loop.Advance(1000);
  ASSERT_EQ(Send(id, MCI_CLOSE, MCI_NOTIFY), 0u);
  ExpectOnly(id, MCI_NOTIFY_SUCCESSFUL);
  EXPECT_EQ(Send(id, MCI_STOP, 0), MCIERR_INVALID_DEVICE_ID);
  const MCIDEVICEID again = Open();
  EXPECT_EQ(Mode(again), MCI_MODE_STOP);
  const DWORD_PTR at = Position(again);
  loop.Advance(1000);
  EXPECT_EQ(Position(again), at);
}

// A timer of the program may fall due at the very instant a play ends and run before the
// drive's own end timer; closing the device then must still end the play cleanly.
TEST_F(CdCommandLayerTest, CloseAtTheInstantThePlayEnds) {
  const MCIDEVICEID id = Open();
  MCIERROR closed = 1;
  loop.AddTimer(1000, false, [&] { closed = Send(id, MCI_CLOSE, 0); });
  ASSERT_EQ(Play(id, MCI_NOTIFY | MCI_FROM | MCI_TO, Msf(0, 2, 0), Msf(0, 3, 0)), 0u);
  loop.Advance(1000);
  EXPECT_EQ(closed, 0u);
  ExpectOnly(id, MCI_NOTIFY_SUCCESSFUL);
  const MCIDEVICEID again = Open();
  EXPECT_EQ(Mode(again), MCI_MODE_STOP);
  EXPECT_EQ(Play(again, MCI_NOTIFY | MCI_FROM | MCI_TO, Msf(0, 2, 0), Msf(0, 3, 0)), 0u);
  loop.Advance(1000);
  ExpectOnly(again, MCI_NOTIFY_SUCCESSFUL);
}

}  // namespace
