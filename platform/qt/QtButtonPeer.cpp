#include "platform/qt/QtButtonPeer.h"

#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

#include "platform/qt/QtConversions.h"

namespace platform::qt {

namespace {

class ButtonWidget : public QPushButton, public PeerLink {
 public:
  explicit ButtonWidget(QWidget* parent) : QPushButton(parent) {
    // Enter belongs to the form's default button, never to the focused one.
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { Notify([](ui::PeerHandler& h) { h.PeerClick(); }); });
  }

  QIcon glyph;
  QSize glyphSize;
  ui::GlyphLayout layout = ui::GlyphLayout::Left;
  int margin = -1;  // -1: the picture and caption are centred together
  int spacing = 4;  // -1: the free room is shared out evenly

 protected:
  void paintEvent(QPaintEvent* e) override {
    if (glyph.isNull()) {
      QPushButton::paintEvent(e);
      return;
    }
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    opt.text.clear();
    opt.icon = QIcon();
    p.drawControl(QStyle::CE_PushButtonBevel, opt);
    QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this);
    // A pressed button's face moves one pixel down and to the right.
    if (isDown() || isChecked()) area.translate(1, 1);
    QRect glyphRect, textRect;
    Arrange(area, glyphRect, textRect);
    const QPixmap pm = glyph.pixmap(glyphSize, devicePixelRatioF(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
    p.drawPixmap(glyphRect.topLeft(), pm);
    if (!text().isEmpty())
      style()->drawItemText(&p, textRect, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(), text(),
                            QPalette::ButtonText);
    if (hasFocus()) {
      QStyleOptionFocusRect focus;
      focus.initFrom(this);
      focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &opt, this);
      p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
  }

 private:
  // Lays out the picture and the caption in the button's face: along the layout's axis
  // the margin runs from the edge to the picture and the spacing from the picture to the
  // caption; across it both are centred.
  void Arrange(const QRect& area, QRect& glyphRect, QRect& textRect) const {
    const QSize t = text().isEmpty() ? QSize(0, 0) : fontMetrics().size(Qt::TextShowMnemonic, text());
    const QSize g = glyphSize;
    const bool across = layout == ui::GlyphLayout::Left || layout == ui::GlyphLayout::Right;
    const int room = across ? area.width() : area.height();
    const int gl = across ? g.width() : g.height();
    const int tl = across ? t.width() : t.height();
    int m = margin;
    int s = (tl == 0 || gl == 0) ? 0 : spacing;
    if (m < 0) {
      if (s < 0) {
        m = (room - gl - tl) / 3;
        s = m;
      } else {
        m = (room - gl - s - tl + 1) / 2;
      }
    } else if (s < 0) {
      s = (room - m - gl - tl) / 2;
    }
    int glyphAt = 0, textAt = 0;  // offsets along the axis from the area's start
    switch (layout) {
      case ui::GlyphLayout::Left:
      case ui::GlyphLayout::Top:
        glyphAt = m;
        textAt = m + gl + s;
        break;
      case ui::GlyphLayout::Right:
      case ui::GlyphLayout::Bottom:
        glyphAt = room - m - gl;
        textAt = glyphAt - s - tl;
        break;
    }
    if (across) {
      glyphRect =
          QRect(area.left() + glyphAt, area.top() + (area.height() - g.height() + 1) / 2, g.width(), g.height());
      textRect = QRect(area.left() + textAt, area.top() + (area.height() - t.height() + 1) / 2, t.width(), t.height());
    } else {
      glyphRect = QRect(area.left() + (area.width() - g.width() + 1) / 2, area.top() + glyphAt, g.width(), g.height());
      textRect = QRect(area.left() + (area.width() - t.width() + 1) / 2, area.top() + textAt, t.width(), t.height());
    }
  }
};

}  // namespace

QtButtonPeer::QtButtonPeer(QWidget* parent, ui::PeerHandler* handler)
    : QtControl(new ButtonWidget(parent), handler, Kind::Windowed) {}

void QtButtonPeer::SetText(const std::string& text) {
  // '&' marks the accelerator, which the button underlines as the original one does.
  if (auto* w = As<ButtonWidget>()) w->setText(ToQString(text));
}

void QtButtonPeer::SetGlyph(const ui::Image& glyph, int numGlyphs) {
  auto* w = As<ButtonWidget>();
  if (!w) return;
  w->glyph = QIcon();
  w->glyphSize = QSize();
  QImage image = ToQImage(glyph);
  const int n = std::max(1, numGlyphs);
  if (!image.isNull() && image.width() >= n) {
    // The colour of the bottom-left pixel is the picture's background.
    const QRgb key = image.pixel(0, image.height() - 1) & RGB_MASK;
    for (int y = 0; y < image.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x)
        if ((row[x] & RGB_MASK) == key) row[x] = 0;
    }
    // The pictures stand side by side: normal first, then disabled.
    const int each = image.width() / n;
    w->glyphSize = QSize(each, image.height());
    w->glyph.addPixmap(QPixmap::fromImage(image.copy(0, 0, each, image.height())), QIcon::Normal);
    if (n >= 2) w->glyph.addPixmap(QPixmap::fromImage(image.copy(each, 0, each, image.height())), QIcon::Disabled);
  }
  w->update();
}

void QtButtonPeer::SetLayout(ui::GlyphLayout layout, int margin, int spacing) {
  auto* w = As<ButtonWidget>();
  if (!w) return;
  w->layout = layout;
  w->margin = margin;
  w->spacing = spacing;
  w->update();
}

void QtButtonPeer::SetFocusable(bool focusable) { SetTakesFocus(focusable); }

void QtButtonPeer::SetDefault(bool isDefault) {
  // Only the look: the form decides what Enter does.
  if (auto* w = As<ButtonWidget>()) w->setDefault(isDefault);
}

}  // namespace platform::qt
