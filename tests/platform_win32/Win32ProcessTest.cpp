// The volume button on Windows: the old volume program's name, as the deck gives it, starts
// the one current systems have.
#include <gtest/gtest.h>

#include <string>

#include "platform/process/Process.h"

using platform::process::SystemCommandLine;

namespace {

TEST(Win32Process, TheOldVolumeProgramBecomesSndVolWithItsArguments) {
  struct Case {
    const char* given;
    const char* started;
  };
  for (const Case& c :
       {Case{"Sndvol32.exe", "SndVol.exe"}, Case{"SNDVOL32", "SndVol.exe"}, Case{"sndvol32.exe /r", "SndVol.exe /r"},
        Case{"C:\\WINDOWS\\system32\\Sndvol32.exe -f 1", "SndVol.exe -f 1"},
        Case{"\"C:\\Program Files\\x\\sndvol32.exe\" /t", "SndVol.exe /t"},
        // Anything else is left as it is.
        Case{"notepad.exe Sndvol32.exe", "notepad.exe Sndvol32.exe"}, Case{"Sndvol32x.exe", "Sndvol32x.exe"},
        Case{"\"unclosed", "\"unclosed"}, Case{"", ""}}) {
    EXPECT_EQ(SystemCommandLine(c.given), c.started) << c.given;
  }
}

}  // namespace
