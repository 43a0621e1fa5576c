// A form: a real top-level window of the system, whose client area holds the controls.
#pragma once

#include "platform/win32/Win32Control.h"

namespace platform::win32 {

class Win32FormPeer : public Win32Control, public ui::FormPeer {
 public:
  explicit Win32FormPeer(ui::PeerHandler* handler);
  ~Win32FormPeer() override;

  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;
  void SetBorder(ui::BorderStyle style, ui::BorderIcons icons) override;
  void SetClientSize(int width, int height) override;
  void FrameMargins(int& left, int& top, int& right, int& bottom) override;
  void SetIcon(const ui::Image& icon) override;
  void ShowWindow(bool visible, bool activate) override;
  void BringToFront() override;
  void SetWindowState(int state) override;
  HWND SystemWindow() const override { return hwnd_; }

  const char* DumpClass() const override { return "Win32Form"; }
  std::string DumpFields() const override;
  RECT DumpGeometry() const override;

 protected:
  bool Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  DWORD Style() const;
  HICON icon_ = nullptr;
};

}  // namespace platform::win32
