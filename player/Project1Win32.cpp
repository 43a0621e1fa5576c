// The program on Windows: brings the application up on the system's own windows, makes
// the four windows in their order and serves messages until the main window closes.
#include <string>

#include "about/Unit5.h"
#include "editor/Unit2.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Resources.h"
#include "platform/audio/SoundOutput.h"
#include "platform/help/Help.h"
#include "platform/win32/Win32Platform.h"
#include "player/Registration.h"
#include "player/Unit1.h"
#include "settings/Unit3.h"

int main() {
  platform::win32::InstallWin32Platform();
  platform::audio::UseSystemSound("plume");
  RegisterEmbeddedResources();
  if (const auto help = FindResource("help/plume.hlp"))
    platform::help::RegisterHelpText("plume.hlp", std::string(*help));
  RegisterPlayerClasses();

  int result = 0;
  {
    TApplication application;
    Application->SetTitle("ＣＤデッキ「澄響」");
    Application->CreateForm(Form1);
    TBitmap icon;
    if (const auto data = FindResource("plume.ico"); data && icon.LoadIconFromBytes(*data, 32))
      Form1->SetIcon(icon.Image());
    Application->CreateForm(CDList_Form);
    Application->CreateForm(VerForm);
    Application->CreateForm(Setting_Form);
    result = Application->Run();
  }
  return result;
}
