#include "platform/help/Help.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>

#include "platform/help/HelpText.h"
#include "platform/system/Paths.h"
#include "platform/system/Ascii.h"

namespace platform::help {

namespace {

namespace fs = std::filesystem;

HelpViewer* g_viewer = nullptr;

HelpRequestObserver& RequestObserver() {
  static HelpRequestObserver observer;
  return observer;
}

// Keyed by the lower-case name, since file names on the original system ignore case.
std::map<std::string, std::string>& Registered() {
  static std::map<std::string, std::string> texts;
  return texts;
}

std::optional<std::string> ReadFile(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return std::move(text).str();
}

// The file of that name in folder, matched exactly first and then without regard to case,
// so "PLUME.HLP" finds plume.hlp as it would on the original system.
std::optional<std::string> ReadFromFolder(const fs::path& folder, const std::string& name) {
  if (folder.empty()) return std::nullopt;
  if (auto text = ReadFile(folder / name)) return text;
  const std::string wanted = AsciiLower(name);
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (AsciiLower(it->path().filename().string()) == wanted) {
      if (auto text = ReadFile(it->path())) return text;
    }
  }
  return std::nullopt;
}

// The viewer's own guide, shown for HELP_HELPONHELP; it needs no file.
constexpr const char* kHelpOnHelp =
    "= ヘルプの使い方\n"
    "\n"
    "ヘルプ ウィンドウには、プログラムの説明が見出しごとに表示されます。"
    "スクロール バーやマウスのホイール、PageUp/PageDown キーで読み進めてください。\n"
    "\n"
    "- 「閉じる」ボタンか Esc キーでウィンドウを閉じます。\n"
    "- もう一度ヘルプを開くと、同じウィンドウが手前に出てきます。\n"
    "\n"
    "= Using Help\n"
    "\n"
    "The help window shows a program's guide under its headings. Scroll with the scroll bar, "
    "the mouse wheel or the PageUp and PageDown keys.\n"
    "\n"
    "- The Close (閉じる) button or the Esc key closes the window.\n"
    "- Opening help again brings the same window to the front.\n";

void Show(HWND owner, const std::string& fallbackTitle, const std::string& text) {
  if (!g_viewer) return;
  std::string title = ParseHelpText(text).Title();
  if (title.empty()) title = fallbackTitle;
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(WINDOWPLACEMENT);
  if (owner != nullptr && GetWindowPlacement(owner, &wp)) {
    g_viewer->ShowContentsBeside(wp.rcNormalPosition, title, text);
  } else {
    g_viewer->ShowContents(title, text);
  }
}

}  // namespace

HelpViewer* SetHelpViewer(HelpViewer* viewer) {
  HelpViewer* previous = g_viewer;
  g_viewer = viewer;
  return previous;
}

HelpViewer* CurrentHelpViewer() { return g_viewer; }

void RegisterHelpText(const std::string& name, std::string text) { Registered()[AsciiLower(name)] = std::move(text); }

void UnregisterHelpText(const std::string& name) { Registered().erase(AsciiLower(name)); }

std::optional<std::string> FindHelpText(const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (name.find('/') != std::string::npos) return ReadFile(name);
  if (auto text = ReadFromFolder(fs::path(ModuleFileName()).parent_path(), name)) return text;
  if (auto text = ReadFromFolder(WindowsDirectory(), name)) return text;
  if (auto it = Registered().find(AsciiLower(name)); it != Registered().end()) return it->second;
  return std::nullopt;
}

std::string MissingHelpFileText(const std::string& fileName) {
  return "ヘルプ ファイル " + fileName + " が見つかりません。";
}

std::string HelpCaption() { return "ヘルプ"; }

HelpRequestObserver SetHelpRequestObserver(HelpRequestObserver observer) {
  return std::exchange(RequestObserver(), std::move(observer));
}

}  // namespace platform::help

namespace platform::help {
namespace {

// Carries out one request; notes in it whether the file was found.
BOOL Carry(HelpRequest& request, LPCSTR lpszHelp) {
  switch (request.command) {
    case HELP_QUIT:
      if (g_viewer) g_viewer->Close();
      return TRUE;
    case HELP_HELPONHELP: Show(request.window, "ヘルプの使い方", kHelpOnHelp); return TRUE;
    case HELP_CONTENTS:
    case HELP_CONTEXT:
    case HELP_FINDER: break;
    default: return FALSE;
  }
  if (lpszHelp == nullptr) return FALSE;
  // "file.hlp>window" names a secondary window of the original viewer; ours has one.
  std::string file = lpszHelp;
  if (const auto angle = file.find('>'); angle != std::string::npos) file.resize(angle);

  const std::optional<std::string> text = FindHelpText(file);
  request.found = text.has_value();
  if (!text) {
    if (g_viewer) g_viewer->ReportMissingFile(request.window, file);
    return FALSE;
  }
  Show(request.window, fs::path(file).filename().string(), *text);
  return TRUE;
}

}  // namespace
}  // namespace platform::help

BOOL WinHelpA(HWND hWndMain, LPCSTR lpszHelp, UINT uCommand, ULONG_PTR dwData) {
  using namespace platform::help;
  HelpRequest request{hWndMain, lpszHelp ? lpszHelp : "", uCommand, dwData, false};
  const BOOL result = Carry(request, lpszHelp);
  if (RequestObserver()) RequestObserver()(request);
  return result;
}
