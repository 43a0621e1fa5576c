// A label: plain text drawn on its parent, top-aligned, with or without a background.
#pragma once

#include <QRect>
#include <QString>

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

  // The part of the label that shows a difference when its text changes from before to
  // after; a null rectangle when the whole label may change.
  static QRect ChangedArea(const QWidget* label, const QString& before, const QString& after);
};

}  // namespace platform::qt
