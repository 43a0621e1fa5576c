// Fonts for the peers. The window descriptions name the faces of the system the player was
// written for ("ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝"); where those are not installed, the IPA faces
// that share their metrics stand in, then any face that can show Japanese.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <string>
#include <thread>
#include <vector>

#include "platform/ui/Peers.h"

namespace platform::qt {

// The families to ask for a face name, in order: the face itself, its plain-width spelling,
// its English name, and for the Japanese faces the IPA face of the same kind, then other
// Japanese faces. Empty means Qt's default face.
QStringList FontFamiliesFor(const std::string& name);

// The font for a FontSpec: its families, the character height in pixels and the style.
// The colour is not part of a QFont; peers put it into their palettes.
QFont MakeQFont(const ui::FontSpec& wanted);

// The caption faces of the program at `program` (the Japanese faces cut down to its own texts
// at build time): in fonts/ beside it in the build folder, or in share/plume/fonts once
// installed; empty when it was built without them.
std::vector<std::string> CaptionFaceFiles(const std::string& program);

// Reads the font configuration (fontconfig's files and caches: several milliseconds, and no
// text can be measured before it is done) on a thread of its own, from construction, so it
// overlaps Qt's connecting to the display and loading its plug-ins, adds the caption faces to
// it and puts each cut's whole face first behind it. Finish() waits for it; call it before the
// first window is made, so Qt does not read the configuration a second time beside it. Without
// fontconfig it does nothing.
class FontConfigurationLoader {
 public:
  FontConfigurationLoader();
  ~FontConfigurationLoader();
  FontConfigurationLoader(const FontConfigurationLoader&) = delete;
  FontConfigurationLoader& operator=(const FontConfigurationLoader&) = delete;
  void Finish();

 private:
  std::thread thread_;
};

}  // namespace platform::qt
