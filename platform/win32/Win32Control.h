// The base of every peer on Windows: a real window of the system with the control's
// handler, name and font. Windows of the system's classes (buttons, list boxes, edits,
// up-downs, tabs) tell their parent what happens; the parent hands each notice to the
// child's peer, found through the child's window. Windows of our own classes (forms,
// containers, labels, drawn controls) get their messages through Handle.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/WinTypes.h"
#include "platform/ui/Peers.h"

#include <commctrl.h>

namespace platform::win32 {

class Win32Control : public virtual ui::ControlPeer {
 public:
  ~Win32Control() override;
  Win32Control(const Win32Control&) = delete;
  Win32Control& operator=(const Win32Control&) = delete;

  HWND Hwnd() const { return hwnd_; }
  ui::PeerHandler* Handler() const { return handler_; }
  const std::string& Name() const { return name_; }
  const std::string& Text() const { return text_; }
  // The peer of a window made here; nullptr for any other window.
  static Win32Control* FromHwnd(HWND hwnd);
  // Every live peer, in the order they were made (parents before their children).
  static const std::vector<Win32Control*>& All();

  // The window class of our own windows; its procedure calls Handle.
  static const wchar_t* OwnClass();
  // Makes a window: of our own class when className is null.
  static HWND Make(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent);
  // The window children go into: the control itself, unless it says otherwise.
  virtual HWND ClientWindow() const { return hwnd_; }

  // What the parent received about this control. Each returns true when it answered.
  virtual bool OnCommand(WORD /*code*/) { return false; }
  virtual bool OnNotify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
  virtual bool OnDrawItem(DRAWITEMSTRUCT* /*item*/) { return false; }
  virtual bool OnScroll(WORD /*code*/) { return false; }
  // A brush for the background of a control of the system's classes; nullptr for the default.
  virtual HBRUSH OnControlColor(HDC dc);
  // Its place in the form's tab order among its siblings: the order given, of two with the
  // same order the one given it later first, else the one made first.
  bool TabsBefore(const Win32Control& other) const;
  // Keys the control's handler is offered before the control itself or its form sees them.
  virtual bool TakesKeyFirst(ui::Key /*key*/) const { return false; }

  // The dump's fields after the common ones ("text=...", tab separated, each with a
  // leading tab).
  virtual std::string DumpFields() const { return {}; }
  virtual const char* DumpClass() const = 0;
  // Where the dump places the control: relative to its parent (forms: on the screen).
  virtual RECT DumpGeometry() const;

  // ControlPeer.
  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetText(const std::string& text) override;
  void SetHint(const std::string& hint) override { hint_ = hint; }
  void SetFont(const ui::FontSpec& font) override;
  void SetBackground(ui::Rgb color, bool opaque) override;
  void Invalidate() override;
  void Repaint() override;
  void SetFocus() override;
  void SetTabOrder(int order) override;
  void SetTabStop(bool stop) override;
  void RaiseToTop() override;
  void SetName(const std::string& name) override { name_ = name; }

 protected:
  Win32Control(HWND hwnd, ui::PeerHandler* handler);
  // Messages of our own windows; return true with result set when handled.
  virtual bool Handle(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) { return false; }
  // For the controls the original draws on its parent (labels, pictures, drawn controls):
  // they stack beneath every windowed sibling, later ones above earlier ones.
  void MarkDrawn();
  // Puts the control where it belongs among its siblings: windowed ones on top, drawn ones
  // right under the lowest windowed sibling.
  void PlaceInStack();
  // Calls the handler, if any, from the loop's safety net.
  void Notify(const std::function<void(ui::PeerHandler&)>& call) const;
  // Mouse messages of our own windows, as the handler wants them.
  bool ForwardMouse(UINT msg, WPARAM wParam, LPARAM lParam);

  const ui::FontSpec& Font() const { return font_; }
  HFONT FontHandle() const { return hfont_; }
  ui::Rgb Background() const { return background_; }
  bool Opaque() const { return opaque_; }
  void FillBackground(HDC dc, const RECT& r) const;

  HWND hwnd_;
  // While the program sets a value, the system's echo of it is not the user's doing.
  bool applying_ = false;

 private:
  static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Hands a child's notice to the child's peer.
  static bool Route(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  ui::PeerHandler* handler_;
  std::string name_, text_, hint_;
  ui::FontSpec font_;
  HFONT hfont_ = nullptr;
  ui::Rgb background_ = 0xC0C0C0;
  bool opaque_ = true;
  HBRUSH brush_ = nullptr;
  int tabOrder_ = 0;
  bool ordered_ = false;
  std::uint64_t tabStamp_ = 0;
  std::uint64_t sequence_;
  bool tracking_ = false;
  bool drawn_ = false;
};

}  // namespace platform::win32
