#include "platform/qt/QtConversions.h"

#include <algorithm>
#include <cstring>

namespace platform::qt {

QColor ToQColor(ui::Rgb rgb) {
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

QString ToQString(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToUtf8(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QImage ToQImage(const ui::Image& image) {
  if (image.Empty() ||
      image.pixels.size() < static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
    return QImage();
  QImage out(image.width, image.height, QImage::Format_ARGB32);
  const bool noAlpha =
      std::all_of(image.pixels.begin(), image.pixels.end(), [](std::uint32_t p) { return (p >> 24) == 0; });
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
    const std::uint32_t* src =
        image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width);
    std::memcpy(row, src, static_cast<std::size_t>(image.width) * sizeof(std::uint32_t));
    if (noAlpha)
      for (int x = 0; x < image.width; ++x) row[x] |= 0xFF000000u;
  }
  return out;
}

ui::ShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  ui::ShiftState s;
  s.shift = modifiers.testFlag(Qt::ShiftModifier);
  s.ctrl = modifiers.testFlag(Qt::ControlModifier);
  s.alt = modifiers.testFlag(Qt::AltModifier);
  s.left = buttons.testFlag(Qt::LeftButton);
  return s;
}

ui::MouseButton MouseButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton: return ui::MouseButton::Right;
    case Qt::MiddleButton: return ui::MouseButton::Middle;
    default: return ui::MouseButton::Left;
  }
}

ui::Key KeyOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return ui::Key::Enter;
    case Qt::Key_Escape: return ui::Key::Escape;
    case Qt::Key_Up: return ui::Key::Up;
    case Qt::Key_Down: return ui::Key::Down;
    case Qt::Key_Left: return ui::Key::Left;
    case Qt::Key_Right: return ui::Key::Right;
    case Qt::Key_Home: return ui::Key::Home;
    case Qt::Key_End: return ui::Key::End;
    case Qt::Key_PageUp: return ui::Key::PageUp;
    case Qt::Key_PageDown: return ui::Key::PageDown;
    case Qt::Key_Space: return ui::Key::Space;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return ui::Key::Tab;
    default: return ui::Key::Other;
  }
}

}  // namespace platform::qt
