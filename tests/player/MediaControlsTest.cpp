// The desktop's media controls seen from the main window: what it tells them of the deck, and
// their commands arriving as posted messages, each doing what a press of the deck's button does.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/desktop/MediaControls.h"
#include "platform/messages/Messages.h"
#include "tests/player/PlayerFixture.h"

namespace {

using platform::desktop::MediaCommand;
using platform::desktop::MediaState;
using platform::desktop::PlaybackStatus;

// A desktop that writes down what it is told.
class RecordingMediaControls : public platform::desktop::MediaControls {
 public:
  void SetTarget(HWND window) override { target = window; }
  void Publish(const MediaState& state) override { published.push_back(state); }
  HWND target = nullptr;
  std::vector<MediaState> published;
};

class MediaControlsTest : public PlayerTest {
 protected:
  MediaControlsTest() { previous = platform::desktop::SetMediaControls(&desktop); }
  ~MediaControlsTest() override { platform::desktop::SetMediaControls(previous); }

  // Three tracks of 5 s, 7.4 s and 12 s.
  void Ready(const std::string& drives = "sim:0:05,0:07.30,12") {
    Start(drives);
    loop.Advance(1200);
  }
  // A command as the bus delivers it: posted, and run by the loop.
  void Send(MediaCommand c) {
    ASSERT_TRUE(PostMessageA(desktop.target, platform::desktop::WM_MEDIACOMMAND, static_cast<WPARAM>(c), 0));
  }
  const MediaState& Told() const { return desktop.published.back(); }
  std::string Lamps() const {
    auto c = [](TMaruBtn* b) { return b->Font()->Color() == clRed ? 'R' : 'b'; };
    return {c(form->Cmb_Play), c(form->Cmb_Stop), c(form->Cmb_Pause)};
  }

  RecordingMediaControls desktop;
  platform::desktop::MediaControls* previous = nullptr;
};

TEST_F(MediaControlsTest, TheDeckTellsWhatItShows) {
  Ready();
  ASSERT_NE(desktop.target, nullptr);
  EXPECT_EQ(desktop.target, form->MediaWindow());
  MediaState expected;
  expected.status = PlaybackStatus::Stopped;
  expected.track = 1;
  expected.lengthUs = 5'000'000;
  expected.title = "トラック 1";
  expected.canGoNext = expected.canGoPrevious = expected.canPlay = expected.canPause = true;
  EXPECT_EQ(Told(), expected);

  form->Cmb_PlayClick(form->Cmb_Play);
  form->Cmb_NextClick(form->Cmb_Next);
  loop.Advance(2000);
  EXPECT_EQ(Told().status, PlaybackStatus::Playing);
  EXPECT_EQ(Told().track, 2);
  EXPECT_EQ(Told().title, "トラック 2");
  EXPECT_EQ(Told().lengthUs, 7'400'000);
  // The position follows within the track, to the frame.
  EXPECT_GE(Told().positionUs, 1'800'000);
  EXPECT_LE(Told().positionUs, 2'000'000);

  form->Cmb_PauseClick(form->Cmb_Pause);
  loop.Advance(200);
  EXPECT_EQ(Told().status, PlaybackStatus::Paused);
}

TEST_F(MediaControlsTest, AnotherDiscIsToldWithItsOwnTracks) {
  Ready();
  ASSERT_EQ(Told().lengthUs, 5'000'000);
  // The same drive and the same track number, on a disc of other lengths.
  Drive().InsertDisc(platform::cd::VirtualDisc::Parse("0:30,0:40"));
  loop.Advance(3000);
  ASSERT_EQ(form->CD->PlayList()->Count(), 2);
  EXPECT_EQ(Told().track, 1);
  EXPECT_EQ(Told().lengthUs, 30'000'000);
  form->Cmb_PlayClick(form->Cmb_Play);
  form->Cmb_NextClick(form->Cmb_Next);
  loop.Advance(200);
  ASSERT_EQ(form->CD->GetTrack(), 2);
  EXPECT_EQ(Told().track, 2);
  EXPECT_EQ(Told().lengthUs, 40'000'000);
  EXPECT_EQ(Told().title, "トラック 2");
}

TEST_F(MediaControlsTest, AnEmptyDriveHasNoTrackAndNothingToPlay) {
  Ready("sim:none");
  EXPECT_EQ(Told(), MediaState{});
  // Commands to an empty deck change nothing and break nothing.
  for (auto c : {MediaCommand::Play, MediaCommand::PlayPause, MediaCommand::Next, MediaCommand::Previous,
                 MediaCommand::Pause, MediaCommand::Stop})
    Send(c);
  loop.Advance(200);
  EXPECT_EQ(Told(), MediaState{});
  EXPECT_TRUE(boxes.All().empty());
}

TEST_F(MediaControlsTest, CommandsArePostedAndActAsTheButtons) {
  Ready();
  const std::size_t before = desktop.published.size();
  Send(MediaCommand::PlayPause);
  EXPECT_EQ(form->CD->GetMode(), cpmStopped) << "nothing happens before the loop runs";
  loop.RunPosted();
  EXPECT_EQ(form->CD->GetMode(), cpmPlaying);
  EXPECT_EQ(Lamps(), "Rbb");
  EXPECT_GT(desktop.published.size(), before) << "told at once, not at the next refresh";
  EXPECT_EQ(Told().status, PlaybackStatus::Playing);
  EXPECT_EQ(Application->Title(), "「澄響」   [01]  00:00");

  Send(MediaCommand::Next);
  loop.RunPosted();
  EXPECT_EQ(form->CD->GetTrack(), 2);
  EXPECT_EQ(Told().track, 2);
  EXPECT_EQ(Application->Title(), "「澄響」   [02]  00:00");

  Send(MediaCommand::PlayPause);  // pauses, as the pause button does
  loop.RunPosted();
  EXPECT_EQ(form->CD->GetMode(), cpmPaused);
  EXPECT_EQ(Lamps(), "bbR");
  Send(MediaCommand::Pause);  // already paused: nothing
  Send(MediaCommand::Stop);   // the stop button does nothing in a pause either
  loop.RunPosted();
  EXPECT_EQ(form->CD->GetMode(), cpmPaused);
  Send(MediaCommand::Play);  // goes on from the pause, through the pause button
  loop.RunPosted();
  EXPECT_EQ(form->CD->GetMode(), cpmPlaying);
  EXPECT_EQ(form->CD->GetTrack(), 2);
  EXPECT_EQ(Lamps(), "Rbb");

  Send(MediaCommand::Previous);
  loop.RunPosted();
  EXPECT_EQ(form->CD->GetTrack(), 1);
  Send(MediaCommand::Stop);
  loop.RunPosted();
  EXPECT_EQ(form->CD->GetMode(), cpmStopped);
  EXPECT_EQ(Lamps(), "bRb");
  EXPECT_EQ(Told().status, PlaybackStatus::Stopped);

  // Stopped, next and previous cue without playing, as the buttons do.
  Send(MediaCommand::Next);
  loop.RunPosted();
  EXPECT_EQ(form->CD->GetTrack(), 2);
  EXPECT_EQ(form->CD->GetMode(), cpmStopped);

  // Numbers that name no command are ignored.
  for (WPARAM w : {WPARAM{0}, WPARAM{9}, WPARAM{0xFFFF}})
    PostMessageA(desktop.target, platform::desktop::WM_MEDIACOMMAND, w, 0);
  loop.RunPosted();
  EXPECT_EQ(form->CD->GetMode(), cpmStopped);
  EXPECT_TRUE(boxes.All().empty());
}

TEST_F(MediaControlsTest, QuitIsThePowerButtonAndSavesThePlacement) {
  Ready();
  form->SetBounds(150, 90, form->Width(), form->Height());
  Send(MediaCommand::Play);
  loop.RunPosted();
  Send(MediaCommand::Quit);
  loop.RunPosted();
  EXPECT_EQ(form->CD->GetMode(), cpmStopped);
  std::ifstream in(dir.File("plume.ini"), std::ios::binary);
  const std::string ini{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_NE(ini.find("WindowsPos.X=150"), std::string::npos) << ini;
  EXPECT_NE(ini.find("WindowsPos.Y=90"), std::string::npos) << ini;
}

TEST_F(MediaControlsTest, AWindowThatGoesAwayTakesItsTargetAlong) {
  Ready();
  const HWND target = desktop.target;
  app.reset();
  Form1 = nullptr;
  form = nullptr;
  EXPECT_EQ(desktop.target, nullptr);
  EXPECT_FALSE(IsWindow(target));
}

}  // namespace
