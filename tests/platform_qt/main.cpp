// The Qt peer tests need a QApplication before any widget exists, so they bring their own
// main instead of gtest_main. They render on Qt's offscreen platform and need no display.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/qt/QtFonts.h"

namespace {

QtMessageHandler g_qtHandler = nullptr;

// The offscreen platform says so each time a window asks for what it cannot do (raise
// itself, pass size hints to a window manager); that is no news in a test's output.
void QuietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  g_qtHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  g_qtHandler = qInstallMessageHandler(QuietOffscreen);
  // The fonts as the program has them: its caption faces join the configuration before Qt
  // reads it.
  platform::qt::FontConfigurationLoader fonts;
  fonts.Finish();
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  // Widgets whose peers went while an event was being handled are deleted by the loop;
  // let it have its turn before Qt goes away.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return result;
}
