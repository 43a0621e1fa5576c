// The rendered-window tests need a QApplication before any widget exists, so they bring
// their own main. They render on Qt's offscreen platform and need no display.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/qt/QtFonts.h"
#include "platform/qt/QtPlatform.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The fonts as the program has them: its caption faces join the configuration before Qt
  // reads it.
  platform::qt::FontConfigurationLoader fonts;
  fonts.Finish();
  QApplication app(argc, argv);
  platform::qt::InstallQtPlatform();
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return result;
}
