// The original system's help call. A program names its help file and what to show; the
// help viewer (a window of the backend) finds nothing itself: this layer looks the file up,
// reads it and hands the viewer its text, or has the viewer tell the user it is missing.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/WinTypes.h"
#include "platform/ui/Windows.h"

#ifdef _WIN32
// The system has no viewer for our help files: ours answers.
#define WinHelpA(...) PLUME_HOOK(WinHelpA)(__VA_ARGS__)
#else
constexpr UINT HELP_CONTEXT = 0x0001;
constexpr UINT HELP_QUIT = 0x0002;
constexpr UINT HELP_INDEX = 0x0003;
constexpr UINT HELP_CONTENTS = 0x0003;
constexpr UINT HELP_HELPONHELP = 0x0004;
constexpr UINT HELP_FINDER = 0x000B;
#endif

// HELP_CONTENTS (HELP_INDEX), HELP_FINDER and HELP_CONTEXT show the file; our help files
// have no numbered topics, so a context number shows the whole file too. HELP_HELPONHELP
// shows how to use the viewer and needs no file. HELP_QUIT closes the viewer.
//
// A file named without a folder is looked for beside the executable, then in the system
// folder, then among the texts the program registered (RegisterHelpText), without regard
// to case, as the original system's file names are; a name with a folder is read from
// there only. A ">window" after the name (the original system's secondary windows) is
// ignored.
//
// Returns TRUE when the request was carried out; FALSE for a missing file (which the
// viewer reports to the user, so the program need not), a null file name where one is
// needed, or an unknown command. Without a viewer (headless, in tests), nothing is shown;
// a request observer (SetHelpRequestObserver) still hears of every request.
BOOL WinHelpA(HWND hWndMain, LPCSTR lpszHelp, UINT uCommand, ULONG_PTR dwData);

namespace platform::help {

// The window that shows help files, installed by the backend.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  // Shows the text of a help file; a viewer already open takes the new text and comes to
  // the front.
  virtual void ShowContents(const std::string& title, const std::string& text) = 0;
  // The same, for a program window whose outer rectangle is owner: a viewer that is not
  // open yet opens beside it, so the program's buttons stay in sight.
  virtual void ShowContentsBeside(const RECT& /*owner*/, const std::string& title, const std::string& text) {
    ShowContents(title, text);
  }
  // Tells the user the help file cannot be found, in a message box over owner (may be
  // null) with MissingHelpFileText(fileName) and HelpCaption().
  virtual void ReportMissingFile(HWND owner, const std::string& fileName) = 0;
  virtual void Close() = 0;
};

// Returns the viewer that was installed before; nullptr removes it.
HelpViewer* SetHelpViewer(HelpViewer* viewer);
HelpViewer* CurrentHelpViewer();

// Makes text findable as the help file name when no file of that name is on disk. The
// program registers the help file it carries inside itself this way, so it has help
// wherever it is installed. Registering a name again replaces its text.
void RegisterHelpText(const std::string& name, std::string text);
void UnregisterHelpText(const std::string& name);

// The text of the help file name, looked up as WinHelpA does; nullopt when missing.
std::optional<std::string> FindHelpText(const std::string& name);

// The words the user reads when a help file is missing, and the message box's caption.
std::string MissingHelpFileText(const std::string& fileName);
std::string HelpCaption();

// What WinHelpA was asked and whether it found the file, told to the observer once the
// request has been carried out.
struct HelpRequest {
  HWND window = nullptr;
  std::string file;  // as given, ">window" included; empty for a null name
  UINT command = 0;
  ULONG_PTR data = 0;
  bool found = false;  // the file was found (for commands that need one)
};
using HelpRequestObserver = std::function<void(const HelpRequest&)>;
// Installs the one observer of help requests (an empty function removes it) and returns
// the one installed before.
HelpRequestObserver SetHelpRequestObserver(HelpRequestObserver observer);

}  // namespace platform::help
