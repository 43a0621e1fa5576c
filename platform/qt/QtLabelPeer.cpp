#include "platform/qt/QtLabelPeer.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPoint>
#include <algorithm>

#include "platform/qt/QtConversions.h"

namespace platform::qt {

namespace {

class LabelWidget : public QLabel, public PeerLink {
 public:
  explicit LabelWidget(QWidget* parent) : QLabel(parent) {
    // The framework has already taken the accelerator marks out; what is left is shown as it
    // is, and nothing in a caption is markup.
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMouseTracking(true);
  }

 protected:
  bool event(QEvent* e) override {
    if (ForwardMouse(e)) return true;
    return QLabel::event(e);
  }
};

}  // namespace

QtLabelPeer::QtLabelPeer(QWidget* parent, ui::PeerHandler* handler)
    : QtControl(new LabelWidget(parent), handler, Kind::Drawn) {}

void QtLabelPeer::SetText(const std::string& text) {
  auto* w = As<LabelWidget>();
  if (!w) return;
  const QString next = ToQString(text);
  if (next == w->text()) return;
  // Where only part of the text changes, only that part is redrawn: QLabel would redraw
  // the whole label, and a label that other opaque labels overlap (the deck's display)
  // then reaches the screen as dozens of small rectangles around them, once a second.
  // A first text has nothing to keep, and measuring it would load the font before the
  // window is even on the screen.
  const QRect changed =
      w->text().isEmpty() || !w->updatesEnabled() || !w->isVisible() ? QRect() : ChangedArea(w, w->text(), next);
  if (changed.isNull()) {
    w->setText(next);
    return;
  }
  w->setAttribute(Qt::WA_UpdatesDisabled, true);
  w->setText(next);
  w->setAttribute(Qt::WA_UpdatesDisabled, false);
  w->update(changed);
}

QRect QtLabelPeer::ChangedArea(const QWidget* w, const QString& before, const QString& after) {
  // Only left-aligned single lines keep the unchanged beginning where it was; the label
  // draws from the top-left corner of its contents, as it has neither frame nor margin.
  const auto* label = static_cast<const QLabel*>(w);
  if (label->wordWrap() || label->frameWidth() != 0 || label->margin() != 0 || label->indent() > 0) return {};
  if (!(label->alignment() & Qt::AlignLeft) || !(label->alignment() & Qt::AlignTop)) return {};
  if (before.contains(QLatin1Char('\n')) || after.contains(QLatin1Char('\n'))) return {};
  qsizetype same = 0;
  while (same < before.size() && same < after.size() && before[same] == after[same]) ++same;
  // A surrogate pair is never cut in two.
  if (same > 0 && before[same - 1].isHighSurrogate()) --same;
  // The changed ends, old and new, where they stand after the unchanged beginning: the
  // pixels their glyphs cover, with a pixel or two more for smoothed edges and kerning
  // against the character before.
  const QFontMetrics fm = label->fontMetrics();
  MeasureIn(fm);
  const QRect contents = label->contentsRect();
  const QPoint origin(contents.left() + Advance(fm, before.left(same)), contents.top() + fm.ascent());
  const QRect ink = Ink(fm, before.mid(same)).translated(origin) | Ink(fm, after.mid(same)).translated(origin);
  if (ink.isNull()) return {};
  return ink.adjusted(-2, -2, 2, 2) & contents;
}

void QtLabelPeer::MeasureIn(const QFontMetrics& fm) {
  // Metrics compare equal only for the same resolved font: another font, size or screen
  // resolution starts the measures afresh, and so does a label that has shown so many
  // different texts that it has kept a few dozen measures.
  constexpr qsizetype kKept = 32;
  if (measuredIn_ && *measuredIn_ == fm && advances_.size() < kKept && inks_.size() < kKept) return;
  measuredIn_ = fm;
  advances_.clear();
  inks_.clear();
}

int QtLabelPeer::Advance(const QFontMetrics& fm, const QString& text) {
  if (const auto it = advances_.constFind(text); it != advances_.cend()) return *it;
  return *advances_.insert(text, fm.horizontalAdvance(text));
}

QRect QtLabelPeer::Ink(const QFontMetrics& fm, const QString& text) {
  if (const auto it = inks_.constFind(text); it != inks_.cend()) return *it;
  return *inks_.insert(text, fm.boundingRect(text));
}

void QtLabelPeer::SetEnabled(bool enabled) {
  QtControl::SetEnabled(enabled);
  // A disabled label lets the mouse through to what lies under it.
  if (auto* w = Widget()) w->setAttribute(Qt::WA_TransparentForMouseEvents, !enabled);
}

void QtLabelPeer::SetAlignment(ui::Alignment a) {
  auto* w = As<LabelWidget>();
  if (!w) return;
  const Qt::Alignment h = a == ui::Alignment::Right    ? Qt::AlignRight
                          : a == ui::Alignment::Center ? Qt::AlignHCenter
                                                       : Qt::AlignLeft;
  w->setAlignment(h | Qt::AlignTop);
}

void QtLabelPeer::SetWordWrap(bool wrap) {
  if (auto* w = As<LabelWidget>()) w->setWordWrap(wrap);
}

void QtLabelPeer::MeasureText(const std::string& text, int& width, int& height) {
  auto* w = Widget();
  const QFontMetrics fm(w ? w->font() : QFont());
  const QStringList lines = ToQString(text).split(QLatin1Char('\n'));
  width = 0;
  for (QString line : lines) {
    // Captions written on the original system end their lines with CR LF.
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    width = std::max(width, fm.horizontalAdvance(line));
  }
  height = fm.height() + fm.lineSpacing() * static_cast<int>(lines.size() - 1);
}

}  // namespace platform::qt
