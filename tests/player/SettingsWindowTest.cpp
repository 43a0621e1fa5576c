// The settings window: its state at start-up, what OK and cancel hand to the engine and the
// main window's lamps, the drive choice that takes effect at once, and the seconds field.
#include <gtest/gtest.h>

#include "tests/player/PlayerFixture.h"

namespace {

class SettingsWindowTest : public PlayerTest {
 protected:
  TSetting_Form& Settings() { return *Setting_Form; }
  // Opens the window as the main window's "設定" button does.
  void Open() { form->Smb_Setting->Click(); }
  // The drives the engine opened since recording began, by the names it gave the device.
  std::vector<std::string> OpenedElements() const {
    std::vector<std::string> out;
    for (const auto& c : recorder->calls)
      if (c.command == MCI_OPEN) out.push_back(c.element);
    return out;
  }
};

TEST_F(SettingsWindowTest, StartsHiddenWithEverythingOffAndTheDrivesListed) {
  StartAll("sim;sim:none");
  TSetting_Form& s = Settings();
  EXPECT_FALSE(s.Visible());
  EXPECT_EQ(s.TabbedNotebook1->PageIndex(), 0);

  EXPECT_FALSE(s.ICheck->Checked());
  EXPECT_EQ(s.ITime->Text(), "0");
  EXPECT_FALSE(s.ITime->Enabled());
  EXPECT_FALSE(s.ITime_UpDown->Enabled());
  EXPECT_EQ(s.ITime_UpDown->Position(), 0);
  EXPECT_FALSE(s.Rep->Checked());

  EXPECT_EQ(s.CD_Drive->Caption(), "CD-ROM  ドライブ");
  EXPECT_EQ(s.CDList->Items()->Items(), (std::vector<std::string>{"D:", "E:"}));
  EXPECT_EQ(s.CDList->ItemIndex(), -1);
  EXPECT_FALSE(s.Ch->Enabled());
  EXPECT_TRUE(s.BitBtn1->Default());
  EXPECT_TRUE(s.BitBtn2->Cancel());
}

TEST_F(SettingsWindowTest, TheSettingsButtonShowsTheWindowAtItsDesignedPlace) {
  StartAll();
  Open();
  EXPECT_TRUE(Settings().Visible());
  EXPECT_EQ(Settings().Left(), 214);
  EXPECT_EQ(Settings().Top(), 324);
  EXPECT_TRUE(form->Visible()) << "the main window stays usable";
}

TEST_F(SettingsWindowTest, OkRightAfterStartUpSwitchesEverythingOffWithNoIntroSeconds) {
  StartAll();
  ASSERT_EQ(form->CD->IntroTime(), 10) << "the engine's own default, which OK replaces";
  form->CD->SetIntroPlay(true);
  form->CD->SetRepeatPlay(true);
  form->Label_Intro->Font()->SetColor(clLime);
  form->Label_Rep->Font()->SetColor(clLime);
  Open();
  Settings().BitBtn1->Click();
  EXPECT_EQ(form->CD->IntroTime(), 0);
  EXPECT_FALSE(form->CD->IntroPlay());
  EXPECT_FALSE(form->CD->RepeatPlay());
  EXPECT_EQ(form->Label_Intro->Font()->Color(), clSilver);
  EXPECT_EQ(form->Label_Rep->Font()->Color(), clSilver);
  EXPECT_FALSE(Settings().Visible());
}

TEST_F(SettingsWindowTest, OkLightsEachLampFromItsOwnBox) {
  StartAll();
  struct Case {
    bool intro, repeat;
  };
  // The boxes change independently, so a lamp that follows the wrong box shows.
  for (const Case c : {Case{true, false}, Case{false, true}, Case{true, true}, Case{false, false}}) {
    SCOPED_TRACE(std::string(c.intro ? "intro" : "-") + (c.repeat ? " repeat" : " -"));
    Open();
    Settings().ICheck->SetChecked(c.intro);
    Settings().Rep->SetChecked(c.repeat);
    Settings().BitBtn1->Click();
    EXPECT_EQ(form->CD->IntroPlay(), c.intro);
    EXPECT_EQ(form->CD->RepeatPlay(), c.repeat);
    EXPECT_EQ(form->Label_Intro->Font()->Color(), c.intro ? clLime : clSilver);
    EXPECT_EQ(form->Label_Rep->Font()->Color(), c.repeat ? clLime : clSilver);
  }
}

TEST_F(SettingsWindowTest, TheIntroBoxEnablesTheSecondsAndKeepsThemWhenSwitchedOff) {
  StartAll();
  TSetting_Form& s = Settings();
  s.ICheck->Toggle();
  EXPECT_TRUE(s.ITime->Enabled());
  EXPECT_TRUE(s.ITime_UpDown->Enabled());
  s.ITime_UpDown->Step(true);
  s.ITime_UpDown->Step(true);
  EXPECT_EQ(s.ITime->Text(), "2");
  s.ICheck->Toggle();
  EXPECT_FALSE(s.ITime->Enabled());
  EXPECT_FALSE(s.ITime_UpDown->Enabled());
  EXPECT_EQ(s.ITime->Text(), "2");
  EXPECT_EQ(s.ITime_UpDown->Position(), 2);
}

TEST_F(SettingsWindowTest, TheSpinControlStopsAtZeroAndAtAHundred) {
  StartAll();
  TSetting_Form& s = Settings();
  s.ICheck->SetChecked(true);
  s.ITime_UpDown->Step(false);
  EXPECT_EQ(s.ITime_UpDown->Position(), 0);
  EXPECT_EQ(s.ITime->Text(), "0");
  s.ITime->UserType("99");
  s.ITime_UpDown->Step(true);
  s.ITime_UpDown->Step(true);
  EXPECT_EQ(s.ITime_UpDown->Position(), 100);
  EXPECT_EQ(s.ITime->Text(), "100");
  s.BitBtn1->Click();
  EXPECT_EQ(form->CD->IntroTime(), 100);
}

TEST_F(SettingsWindowTest, ANumberTypedIntoTheSecondsFieldIsWhatOkTakes) {
  StartAll();
  TSetting_Form& s = Settings();
  s.ICheck->SetChecked(true);
  s.ITime->UserType("42");
  EXPECT_EQ(s.ITime_UpDown->Position(), 42);
  s.BitBtn1->Click();
  EXPECT_EQ(form->CD->IntroTime(), 42);
  // Text outside the range is not a position: the last valid one stays the value.
  s.ITime->UserType("150");
  s.BitBtn1->Click();
  EXPECT_EQ(form->CD->IntroTime(), 42);
}

TEST_F(SettingsWindowTest, CancelAppliesNothingButTheNextShowingKeepsWhatWasSet) {
  StartAll();
  TSetting_Form& s = Settings();
  Open();
  s.ICheck->SetChecked(true);
  s.Rep->SetChecked(true);
  s.ITime->UserType("15");
  // Esc is the cancel button's key.
  EXPECT_TRUE(s.KeyPress(platform::ui::Key::Escape));
  EXPECT_FALSE(s.Visible());
  EXPECT_FALSE(form->CD->IntroPlay());
  EXPECT_EQ(form->CD->IntroTime(), 10);
  EXPECT_FALSE(form->CD->RepeatPlay());
  EXPECT_EQ(form->Label_Intro->Font()->Color(), clSilver);
  EXPECT_EQ(form->Label_Rep->Font()->Color(), clSilver);

  Open();
  EXPECT_TRUE(s.ICheck->Checked());
  EXPECT_TRUE(s.Rep->Checked());
  EXPECT_EQ(s.ITime->Text(), "15");
  EXPECT_TRUE(s.ITime->Enabled());
  // The close box hides the window as cancel does, and the program goes on.
  s.Close();
  EXPECT_FALSE(s.Visible());
  EXPECT_FALSE(Application->Terminated());
  EXPECT_FALSE(form->CD->IntroPlay());
}

TEST_F(SettingsWindowTest, ChoosingADriveSwitchesAtOnceAndTellsWhetherItIsReady) {
  StartAll("sim;sim:none");
  Record();
  TSetting_Form& s = Settings();
  Open();
  s.CDList->UserSelect(1);
  EXPECT_EQ(recorder->Count(MCI_CLOSE), 1);
  EXPECT_EQ(OpenedElements(), std::vector<std::string>{"E:"});
  EXPECT_EQ(s.CD_Drive->Caption(), "CDが入ってません");
  EXPECT_FALSE(s.Ch->Enabled());
  EXPECT_FALSE(form->CD->GetReady());

  s.CDList->UserSelect(0);
  EXPECT_EQ(OpenedElements(), (std::vector<std::string>{"E:", "D:"}));
  EXPECT_EQ(s.CD_Drive->Caption(), "CD-ROM  ドライブ");
  EXPECT_TRUE(s.Ch->Enabled());
  EXPECT_TRUE(form->CD->GetReady());

  // Cancel does not undo a drive change.
  s.CDList->UserSelect(1);
  s.BitBtn2->Click();
  EXPECT_FALSE(form->CD->GetReady());
  loop.Advance(100);
  EXPECT_EQ(form->noCD->Caption(), "CDが入ってません");
}

// After a drive change the deck shows the new drive's tracks, or none when it has no disc,
// and never the old drive's, not even for the moment before the engine's next tick.
TEST_F(SettingsWindowTest, ADriveChangeNeverShowsTheOldDrivesTracks) {
  StartAll("sim;sim:none;sim:0:30,0:40");
  TSetting_Form& s = Settings();
  const std::vector<std::string> demo = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
  ASSERT_EQ(form->List1->Items()->Items(), demo);
  form->Cmb_List->Click();
  Open();

  s.CDList->UserSelect(1);
  EXPECT_TRUE(form->List1->Items()->Items().empty());
  EXPECT_TRUE(CDList_Form->List1->Items()->Items().empty());
  loop.Advance(200);
  EXPECT_TRUE(form->CD->PlayList()->Items().empty());
  loop.Advance(3000);
  EXPECT_TRUE(form->List1->Items()->Items().empty());
  EXPECT_EQ(form->noCD->Caption(), "CDが入ってません");

  s.CDList->UserSelect(2);
  EXPECT_TRUE(form->List1->Items()->Items().empty());
  loop.Advance(200);
  EXPECT_EQ(form->List1->Items()->Items(), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(CDList_Form->List1->Items()->Items(), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(form->CD->PlayList()->Items(), (std::vector<std::string>{"1", "2"}));

  // Back to the first drive: its disc, not the one just left.
  s.CDList->UserSelect(0);
  loop.Advance(200);
  EXPECT_EQ(form->List1->Items()->Items(), demo);
  EXPECT_EQ(form->CD->PlayList()->Items(), demo);
}

TEST_F(SettingsWindowTest, AClickThatSelectsNoDriveLeavesTheEngineOnItsDrive) {
  StartAll();
  Record();
  Settings().CDList->Click();
  EXPECT_EQ(recorder->Count(MCI_CLOSE), 0);
  EXPECT_TRUE(form->CD->GetReady());
}

TEST_F(SettingsWindowTest, WithoutAnyDriveTheListIsEmptyAndNothingCanBeChosen) {
  StartAll("none");
  TSetting_Form& s = Settings();
  EXPECT_EQ(s.CDList->Items()->Count(), 0);
  s.CDList->UserSelect(0);
  s.CDList->UserKey(platform::ui::Key::Down);
  EXPECT_EQ(s.CD_Drive->Caption(), "CD-ROM  ドライブ");
  EXPECT_FALSE(s.Ch->Enabled());
}

TEST_F(SettingsWindowTest, ChangeReopensTheDriveAndResetsIntroPlayUntilOk) {
  StartAll("sim;sim:none");
  TSetting_Form& s = Settings();
  Open();
  s.ICheck->SetChecked(true);
  s.ITime->UserType("20");
  s.BitBtn1->Click();
  ASSERT_EQ(form->Label_Intro->Font()->Color(), clLime);

  Open();
  s.CDList->UserSelect(0);
  Record();
  s.Ch->Click();
  EXPECT_EQ(recorder->Count(MCI_CLOSE), 1);
  EXPECT_EQ(OpenedElements(), std::vector<std::string>{"D:"});
  EXPECT_FALSE(s.ICheck->Checked());
  EXPECT_FALSE(s.ITime->Enabled());
  EXPECT_FALSE(s.ITime_UpDown->Enabled());
  EXPECT_EQ(s.ITime->Text(), "20");
  EXPECT_EQ(form->noCD->Caption(), "");
  // The engine and the lamp keep intro play until OK.
  EXPECT_TRUE(form->CD->IntroPlay());
  EXPECT_EQ(form->Label_Intro->Font()->Color(), clLime);
  loop.Advance(100);
  EXPECT_EQ(form->noCD->Caption(), "Audio CD");

  s.BitBtn1->Click();
  EXPECT_FALSE(form->CD->IntroPlay());
  EXPECT_EQ(form->CD->IntroTime(), 20);
  EXPECT_EQ(form->Label_Intro->Font()->Color(), clSilver);
}

TEST_F(SettingsWindowTest, TheSecondsFieldShowsWhatOkAppliesOnceLeftOrConfirmed) {
  StartAll();
  TSetting_Form& s = Settings();
  s.ICheck->SetChecked(true);
  // Typed one key at a time: "15" is taken, "150" is out of range and is not.
  s.ITime->UserType("1");
  s.ITime->UserType("15");
  s.ITime->UserType("150");
  EXPECT_EQ(s.ITime->Text(), "150");
  // Leaving the field, as the native field reports it, shows the value taken.
  static_cast<platform::ui::PeerHandler*>(s.ITime)->PeerFocus(false);
  EXPECT_EQ(s.ITime->Text(), "15");
  s.BitBtn1->Click();
  EXPECT_EQ(form->CD->IntroTime(), 15);

  // Text that is no number, confirmed at once: the field shows what OK applied.
  s.ITime->UserType("abc");
  s.BitBtn1->Click();
  EXPECT_EQ(form->CD->IntroTime(), 15);
  EXPECT_EQ(s.ITime->Text(), "15");
  // Gaining the focus changes nothing; a number in range stays as typed.
  s.ITime->UserType("07");
  static_cast<platform::ui::PeerHandler*>(s.ITime)->PeerFocus(true);
  EXPECT_EQ(s.ITime->Text(), "07");
  static_cast<platform::ui::PeerHandler*>(s.ITime)->PeerFocus(false);
  EXPECT_EQ(s.ITime->Text(), "7");
}

}  // namespace
