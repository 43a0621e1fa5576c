#include "tests/support/PlatformFixture.h"

#include "platform/drives/DriveTable.h"
#include "platform/mci/CdCommandLayer.h"
#include "platform/messages/EventLoop.h"

PlatformTest::PlatformTest() {
  platform::SetEventLoop(&loop);
  platform::cd::CdCommandLayer::Instance().Reset();
  UseDrives("sim");
}

PlatformTest::~PlatformTest() { TearDown(); }

void PlatformTest::TearDown() {
  owner.reset();
  SetMciHandler(nullptr);
  recorder.reset();
  platform::cd::CdCommandLayer::Instance().Reset();
  platform::DriveTable::Instance().Configure("none");
  platform::SetEventLoop(nullptr);
}

void PlatformTest::UseDrives(const std::string& setting) {
  platform::cd::CdCommandLayer::Instance().Reset();
  platform::DriveTable::Instance().Configure(setting);
}

platform::cd::SimulatedDrive& PlatformTest::Drive(char letter) {
  auto* d = platform::DriveTable::Instance().SimulatedDrive(letter);
  if (d == nullptr) throw std::logic_error(std::string("no simulated drive ") + letter);
  return *d;
}

RecordingMci& PlatformTest::Record() {
  if (!recorder) {
    recorder = std::make_unique<RecordingMci>(&platform::cd::CdCommandLayer::Instance());
    SetMciHandler(recorder.get());
  }
  return *recorder;
}
