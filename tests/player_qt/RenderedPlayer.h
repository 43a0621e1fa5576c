// The player's windows made as the program makes them, on the Qt peers and the offscreen
// platform, with the simulated drives of the test's choosing.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <memory>
#include <string>

#include "about/Unit5.h"
#include "editor/Unit2.h"
#include "framework/Application.h"
#include "framework/Resources.h"
#include "platform/drives/DriveTable.h"
#include "platform/mci/CdCommandLayer.h"
#include "player/Registration.h"
#include "player/Unit1.h"
#include "settings/Unit3.h"
#include "tests/support/TempDir.h"

class RenderedPlayerTest : public ::testing::Test {
 protected:
  // The main window with its settings file in the test's folder; with all, the three
  // secondary windows after it, hidden.
  void Start(const std::string& drives, bool all) {
    RegisterEmbeddedResources();
    RegisterPlayerClasses();
    platform::cd::CdCommandLayer::Instance().Reset();
    platform::DriveTable::Instance().Configure(drives);
    app = std::make_unique<TApplication>();
    Application->SetTitle("ＣＤデッキ「澄響」");
    form = new TForm1(app.get());
    Form1 = form;
    Application->SetMainForm(form);
    form->IniGT->SetFileName(dir.File("plume.ini"));
    form->DoCreate();
    if (all) {
      Application->CreateForm(CDList_Form);
      Application->CreateForm(VerForm);
      Application->CreateForm(Setting_Form);
    }
    Settle();
  }
  ~RenderedPlayerTest() override {
    app.reset();
    Form1 = nullptr;
    CDList_Form = nullptr;
    VerForm = nullptr;
    Setting_Form = nullptr;
    platform::cd::CdCommandLayer::Instance().Reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  static void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  }
  static QWidget* Window(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == name) return w;
    return nullptr;
  }
  template <class W>
  static W* Child(const char* window, const char* name) {
    QWidget* w = Window(window);
    return w ? w->findChild<W*>(name) : nullptr;
  }

  TempDir dir;
  std::unique_ptr<TApplication> app;
  TForm1* form = nullptr;
};
