// A label: plain text drawn on its parent, top-aligned, with or without a background.
#pragma once

#include "platform/qt/QtControl.h"

namespace platform::qt {

class QtLabelPeer : public QtControl, public ui::LabelPeer {
 public:
  QtLabelPeer(QWidget* parent, ui::PeerHandler* handler);

  void SetText(const std::string& text) override;
  void SetEnabled(bool enabled) override;
  void SetAlignment(ui::Alignment a) override;
  void SetWordWrap(bool wrap) override;
  void MeasureText(const std::string& text, int& width, int& height) override;
};

}  // namespace platform::qt
