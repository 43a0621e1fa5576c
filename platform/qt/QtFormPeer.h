// A form: a top-level window. Its border style and icons become window flags, its close
// requests and unused keys go to the form, and the user's moves are reported back.
#pragma once

#include <QString>

#include "platform/qt/QtControl.h"

namespace platform::qt {

class QtBackend;

class QtFormPeer : public QtControl, public ui::FormPeer {
 public:
  QtFormPeer(QtBackend* backend, ui::PeerHandler* handler);
  ~QtFormPeer() override;

  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;
  void SetText(const std::string& text) override;
  void SetBackground(ui::Rgb color, bool opaque) override;
  void SetFocus() override;

  void SetBorder(ui::BorderStyle style, ui::BorderIcons icons) override;
  void SetClientSize(int width, int height) override;
  void FrameMargins(int& left, int& top, int& right, int& bottom) override;
  void SetIcon(const ui::Image& icon) override;
  void ShowWindow(bool visible, bool activate) override;
  void BringToFront() override;
  void SetWindowState(int state) override;

  // The name the task bar shows for this window (the application's title while this is
  // the main window); empty leaves it to follow the caption.
  void SetIconName(const QString& name);
  void ForgetBackend() { backend_ = nullptr; }

 private:
  bool Sizeable() const;
  void ApplyFlags();
  void ApplyClientSize(int width, int height);

  QtBackend* backend_;
  ui::BorderStyle style_ = ui::BorderStyle::Sizeable;
  ui::BorderIcons icons_;
};

}  // namespace platform::qt
