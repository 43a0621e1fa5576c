// The program: brings the application up on Qt, makes the four windows in their order and
// serves messages until the main window closes.
#include <QApplication>
#include <QTimer>
#include <string>

#include "about/Unit5.h"
#include "editor/Unit2.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Resources.h"
#include "platform/audio/SoundOutput.h"
#include "platform/desktop/MediaControls.h"
#include "platform/help/Help.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtMediaControls.h"
#include "platform/qt/QtPlatform.h"
#include "player/Registration.h"
#include "player/Unit1.h"
#include "settings/Unit3.h"

int main(int argc, char* argv[]) {
  // The font configuration is read while Qt starts.
  platform::qt::FontConfigurationLoader fontConfiguration;
  // The player takes no arguments of its own; Qt's are left to Qt.
  QApplication qt(argc, argv);
  platform::qt::InstallQtPlatform();
  // The drives play through the desktop's sound server, under the program's name in its mixer.
  platform::audio::UseSystemSound("plume");
  RegisterEmbeddedResources();
  if (const auto help = FindResource("help/plume.hlp"))
    platform::help::RegisterHelpText("plume.hlp", std::string(*help));
  RegisterPlayerClasses();

  // The desktop's media keys and player controls; without a session bus they stay silent.
  // They take what the player tells them from the start, and go on the bus once the event
  // loop runs: reaching the bus (or learning there is none) need not hold up the window.
  const char* const title = "ＣＤデッキ「澄響」";
  platform::qt::QtMediaControls mediaControls(QStringLiteral("plume"), QString::fromUtf8(title),
                                              QStringLiteral("plume"));
  platform::desktop::SetMediaControls(&mediaControls);
  QTimer::singleShot(0, &mediaControls, [&mediaControls] { mediaControls.Connect(); });

  int result = 0;
  {
    fontConfiguration.Finish();
    TApplication application;
    Application->SetTitle(title);
    Application->CreateForm(Form1);
    TBitmap icon;
    if (const auto data = FindResource("plume.ico"); data && icon.LoadIconFromBytes(*data, 32))
      Form1->SetIcon(icon.Image());
    Application->CreateForm(CDList_Form);
    Application->CreateForm(VerForm);
    Application->CreateForm(Setting_Form);
    result = Application->Run();
  }
  platform::desktop::SetMediaControls(nullptr);
  return result;
}
