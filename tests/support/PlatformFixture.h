// A fixture that gives each test a fresh platform: a manual event loop on a virtual clock,
// a drive table of its choosing, the CD command layer with no device open, and optionally a
// recording device in front of it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/Component.h"
#include "platform/mci/SimulatedDrive.h"
#include "platform/messages/ManualEventLoop.h"
#include "tests/support/RecordingMci.h"

class PlatformTest : public ::testing::Test {
 protected:
  PlatformTest();
  ~PlatformTest() override;
  void TearDown() override;

  // Rebuilds the drive table (the format of PLUME_DRIVES).
  void UseDrives(const std::string& setting);
  platform::cd::SimulatedDrive& Drive(char letter = 'D');
  // Puts the recording device in front of the command layer.
  RecordingMci& Record();

  platform::ManualEventLoop loop;
  // Components made by a test hang here, so they go before the platform does.
  std::unique_ptr<TComponent> owner = std::make_unique<TComponent>(nullptr);
  std::unique_ptr<RecordingMci> recorder;
};
