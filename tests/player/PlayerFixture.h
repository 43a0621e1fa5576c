// The main window on the headless platform: the simulated drive, the manual clock, the
// settings file in a folder of the test's own, and an application object whose error
// reports are recorded instead of shown. StartAll adds the three secondary windows.
#pragma once

#include <memory>

#include "about/Unit5.h"
#include "editor/Unit2.h"
#include "framework/Application.h"
#include "framework/Resources.h"
#include "player/Registration.h"
#include "player/Unit1.h"
#include "settings/Unit3.h"
#include "tests/support/PlatformFixture.h"
#include "tests/support/Recorders.h"
#include "tests/support/TempDir.h"

class PlayerTest : public PlatformTest {
 protected:
  PlayerTest() {
    RegisterEmbeddedResources();
    RegisterPlayerClasses();
  }
  void TearDown() override {
    // The windows go first, while the platform they stand on is still there.
    app.reset();
    Form1 = nullptr;
    CDList_Form = nullptr;
    VerForm = nullptr;
    Setting_Form = nullptr;
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

  // Makes the four windows in the program's order: the main window, then, hidden, the
  // editor, the version window and the settings window (which lists the engine's drives).
  TForm1& StartAll(const std::string& drives = "sim") {
    Start(drives);
    Application->CreateForm(CDList_Form);
    Application->CreateForm(VerForm);
    Application->CreateForm(Setting_Form);
    return *form;
  }

  MessageBoxRecorder boxes;
  TempDir dir;
  std::unique_ptr<TApplication> app;
  TForm1* form = nullptr;
};
