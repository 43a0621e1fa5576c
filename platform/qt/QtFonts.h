// Fonts for the peers. The window descriptions name the faces of the system the player was
// written for ("ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝"); where those are not installed, the IPA faces
// that share their metrics stand in, then any face that can show Japanese.
#pragma once

#include <QFont>
#include <QString>
#include <string>

#include "platform/ui/Peers.h"

namespace platform::qt {

// The installed family to use for a face name; empty means Qt's default face.
QString ResolveFontFamily(const std::string& name);

// The font for a FontSpec: the resolved face, the character height in pixels and the style.
// The colour is not part of a QFont; peers put it into their palettes.
QFont MakeQFont(const ui::FontSpec& wanted);

}  // namespace platform::qt
