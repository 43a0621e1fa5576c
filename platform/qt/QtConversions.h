// Conversions between the platform's plain types (UTF-8 strings, 0x00BBGGRR colours,
// ARGB pictures, shift states, keys) and Qt's.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <Qt>
#include <string>

#include "platform/ui/Peers.h"

namespace platform::qt {

QColor ToQColor(ui::Rgb rgb);
QString ToQString(const std::string& utf8);
std::string ToUtf8(const QString& text);

// A picture as a QImage. Pictures read from files without an alpha channel arrive with
// every alpha byte zero; those are taken as opaque, since nobody draws an invisible bitmap.
QImage ToQImage(const ui::Image& image);

ui::ShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
ui::MouseButton MouseButtonOf(Qt::MouseButton button);
// Key::Other for every key the forms do not name.
ui::Key KeyOf(int qtKey);

}  // namespace platform::qt
