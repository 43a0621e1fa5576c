// A picture decoded from a Windows bitmap (.bmp) or icon (.ico), as the buttons, the deck
// artwork and the application icon are stored among the resources.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "framework/Color.h"
#include "framework/Component.h"
#include "platform/ui/Peers.h"

class TBitmap : public TObject {
 public:
  // Uncompressed bitmaps of 1, 4 or 8 bits with a palette, or of 24 or 32 bits. A file that
  // cannot be decoded leaves the bitmap as it was and returns false.
  bool LoadFromBytes(std::string_view data);
  bool LoadFromResource(const std::string& name);
  // An icon file: the image of preferredSize pixels square if there is one, else the
  // largest. Pixels the icon's mask leaves out become fully transparent.
  bool LoadIconFromBytes(std::string_view data, int preferredSize);

  // Takes a picture made in memory.
  void SetImage(platform::ui::Image image) { image_ = std::move(image); }

  int Width() const { return image_.width; }
  int Height() const { return image_.height; }
  bool Empty() const { return image_.Empty(); }
  // 0xAARRGGBB, rows from the top.
  const platform::ui::Image& Image() const { return image_; }
  // 0 outside the picture.
  std::uint32_t Pixel(int x, int y) const;
  // The colour that transparent drawing leaves out: the bottom-left pixel's, as the
  // original platform chose it, in 0x00BBGGRR. 0 for an empty bitmap.
  TColor TransparentColor() const;

 private:
  platform::ui::Image image_;
};
