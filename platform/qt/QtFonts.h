// Fonts for the peers. The window descriptions name the faces of the system the player was
// written for ("ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝"); where those are not installed, the IPA faces
// that share their metrics stand in, then any face that can show Japanese.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <string>

#include "platform/ui/Peers.h"

namespace platform::qt {

// The families to ask for a face name, in order: the face itself, its plain-width spelling,
// and for the Japanese faces the IPA face of the same kind, then other Japanese faces.
// Empty means Qt's default face.
QStringList FontFamiliesFor(const std::string& name);

// The font for a FontSpec: its families, the character height in pixels and the style.
// The colour is not part of a QFont; peers put it into their palettes.
QFont MakeQFont(const ui::FontSpec& wanted);

}  // namespace platform::qt
