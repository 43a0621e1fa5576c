// A label: plain text drawn on its parent, top-aligned, with or without a background.
#pragma once

#include <QFontMetrics>
#include <QHash>
#include <QRect>
#include <QString>
#include <optional>

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
  QRect ChangedArea(const QWidget* label, const QString& before, const QString& after);

 private:
  // What ChangedArea measured, in the font it measured in. A running time shows the same
  // few beginnings and endings over and over, and measuring a text means shaping it, which
  // costs more than anything else a change of the deck's display does.
  int Advance(const QFontMetrics& fm, const QString& text);
  QRect Ink(const QFontMetrics& fm, const QString& text);
  void MeasureIn(const QFontMetrics& fm);

  std::optional<QFontMetrics> measuredIn_;
  QHash<QString, int> advances_;
  QHash<QString, QRect> inks_;
};

}  // namespace platform::qt
