// The main window on the headless platform: the simulated drive, the manual clock, the
// settings file in a folder of the test's own, and an application object whose error
// reports are recorded instead of shown.
#pragma once

#include <memory>

#include "framework/Application.h"
#include "framework/Resources.h"
#include "player/Registration.h"
#include "player/Unit1.h"
#include "tests/support/PlatformFixture.h"
#include "tests/support/TempDir.h"

class PlayerTest : public PlatformTest {
 protected:
  PlayerTest() {
    RegisterEmbeddedResources();
    RegisterPlayerClasses();
    LastMessageBoxes().clear();
  }
  void TearDown() override {
    // The windows go first, while the platform they stand on is still there.
    app.reset();
    Form1 = nullptr;
    PlatformTest::TearDown();
  }

  // Makes the main window as the program does, its settings file in the test's folder.
  TForm1& Start(const std::string& drives = "sim", const std::string& iniFolder = {}) {
    UseDrives(drives);
    app = std::make_unique<TApplication>();
    Application->SetTitle("ＣＤデッキ「澄響」");
    form = new TForm1(app.get());
    Form1 = form;
    Application->SetMainForm(form);
    form->IniGT->SetFileName((iniFolder.empty() ? dir.Path() : iniFolder) + "/plume.ini");
    form->DoCreate();
    return *form;
  }

  TempDir dir;
  std::unique_ptr<TApplication> app;
  TForm1* form = nullptr;
};
