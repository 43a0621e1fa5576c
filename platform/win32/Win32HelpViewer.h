// The help viewer on Windows: the system has no viewer for our help files, so the program
// shows them itself, in a window of its own with the text and a close button.
#pragma once

#include <string>

#include "platform/WinTypes.h"
#include "platform/help/Help.h"

namespace platform::win32 {

class Win32HelpViewer : public help::HelpViewer {
 public:
  ~Win32HelpViewer() override;

  void ShowContents(const std::string& title, const std::string& text) override;
  void ShowContentsBeside(const RECT& owner, const std::string& title, const std::string& text) override;
  void ReportMissingFile(HWND owner, const std::string& fileName) override;
  void Close() override;

  HWND Window() const { return window_; }
  HWND TextWindow() const { return text_; }

  // The text a help file shows as plain lines (CRLF): headings, paragraphs and bullets.
  static std::wstring PlainText(const std::string& helpFile);

 private:
  void MakeWindow();
  void Layout();
  static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr, text_ = nullptr, close_ = nullptr;
  HFONT font_ = nullptr;
  std::string shownText_;
};

// Puts a viewer in force for the running program.
void InstallWin32HelpViewer();

}  // namespace platform::win32
