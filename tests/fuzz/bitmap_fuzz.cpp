// The bitmap and icon decoders: any bytes either decode into a picture whose pixel buffer
// matches its size, or leave the picture as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "framework/Bitmap.h"

namespace {

void CheckPicture(const TBitmap& bitmap) {
  const auto& image = bitmap.Image();
  if (image.width <= 0 || image.height <= 0) std::abort();
  if (image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
    std::abort();
  // The corners are read the way the drawing code reads them.
  volatile std::uint32_t sink =
      bitmap.Pixel(0, 0) ^ bitmap.Pixel(image.width - 1, image.height - 1) ^ bitmap.TransparentColor();
  (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  {
    TBitmap bitmap;
    if (bitmap.LoadFromBytes(bytes))
      CheckPicture(bitmap);
    else if (!bitmap.Empty())
      std::abort();
  }
  for (int preferred : {16, 32}) {
    TBitmap icon;
    if (icon.LoadIconFromBytes(bytes, preferred))
      CheckPicture(icon);
    else if (!icon.Empty())
      std::abort();
  }
  return 0;
}
