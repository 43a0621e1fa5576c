#include "framework/Bitmap.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <optional>
#include <vector>

#include "framework/Resources.h"

namespace {

// Nothing the program draws comes near this; a larger size is a damaged or hostile file.
constexpr std::int64_t kMaxSide = 16384;

// The compression field's values (the system headers spell them as BI_* macros).
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;

// Little-endian fields of a file that may be cut short anywhere: every read is checked, and
// reads past the end give 0 (callers check the sizes they rely on first, with Has).
class Bytes {
 public:
  explicit Bytes(std::string_view data) : data_(data) {}
  std::size_t Size() const { return data_.size(); }
  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= data_.size() && count <= data_.size() - offset;
  }
  std::uint32_t U8(std::size_t at) const { return at < data_.size() ? static_cast<unsigned char>(data_[at]) : 0U; }
  std::uint32_t U16(std::size_t at) const { return U8(at) | U8(at + 1) << 8; }
  std::uint32_t U32(std::size_t at) const { return U16(at) | U16(at + 2) << 16; }
  std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  const unsigned char* At(std::size_t offset) const {
    return reinterpret_cast<const unsigned char*>(data_.data()) + offset;
  }

 private:
  std::string_view data_;
};

// One channel of a 32-bit pixel described by a bit mask, scaled to 8 bits.
class Channel {
 public:
  // False for a mask whose bits are not contiguous, which no sane writer produces.
  bool Set(std::uint32_t mask) {
    mask_ = mask;
    if (mask == 0) return true;
    shift_ = std::countr_zero(mask);
    const std::uint32_t bits = mask >> shift_;
    width_ = std::popcount(bits);
    return (bits & (bits + 1)) == 0;
  }
  bool Present() const { return mask_ != 0; }
  std::uint32_t Of(std::uint32_t pixel) const {
    if (mask_ == 0) return 0;
    const std::uint32_t v = (pixel & mask_) >> shift_;
    if (width_ >= 8) return v >> (width_ - 8);
    return v * 255U / ((1U << width_) - 1U);
  }

 private:
  std::uint32_t mask_ = 0;
  int shift_ = 0;
  int width_ = 0;
};

std::uint32_t Argb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}

// The fields of the info header a decoder needs, checked.
struct DibHeader {
  std::size_t size = 0;  // of the info header itself
  std::int64_t width = 0;
  std::int64_t height = 0;  // of the image, positive; an icon's doubled height halved
  bool topDown = false;
  std::uint32_t bits = 0;
  bool bitfields = false;
  std::uint32_t colorsUsed = 0;
};

std::optional<DibHeader> ReadHeader(const Bytes& b, bool icon) {
  if (!b.Has(0, 4)) return std::nullopt;
  DibHeader h;
  h.size = b.U32(0);
  // 40 is BITMAPINFOHEADER; 52 and 56 add the colour masks, 108 (V4) and 124 (V5) colour spaces.
  if (h.size != 40 && h.size != 52 && h.size != 56 && h.size != 108 && h.size != 124) return std::nullopt;
  if (!b.Has(0, h.size)) return std::nullopt;

  h.width = b.I32(4);
  h.height = b.I32(8);
  const std::uint32_t planes = b.U16(12);
  h.bits = b.U16(14);
  const std::uint32_t compression = b.U32(16);
  h.colorsUsed = b.U32(32);

  h.topDown = h.height < 0 && !icon;
  if (icon) {
    if (h.height <= 0 || h.height % 2 != 0) return std::nullopt;
    h.height /= 2;
  }
  h.height = h.height < 0 ? -h.height : h.height;
  if (h.width <= 0 || h.width > kMaxSide || h.height <= 0 || h.height > kMaxSide) return std::nullopt;
  if (planes != 1) return std::nullopt;
  if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 24 && h.bits != 32) return std::nullopt;
  // Run-length encoded files (and everything more exotic) are not among our resources.
  if (compression != kUncompressed && !(compression == kBitFields && h.bits == 32)) return std::nullopt;
  h.bitfields = compression == kBitFields;
  return h;
}

// The channels of a 32-bit pixel that a bit-fields file describes.
struct Masks {
  Channel red, green, blue, alpha;
};

// Reads the masks of a bit-fields file; returns where the colour table starts, or
// nullopt for masks no writer would produce.
std::optional<std::size_t> ReadMasks(const Bytes& b, const DibHeader& h, Masks& m) {
  std::size_t tableStart = h.size;
  if (!h.bitfields) return tableStart;
  // The three masks stand at offset 40 either way: inside the larger headers, or right
  // after a plain 40-byte one, pushing the colour table back.
  constexpr std::size_t masks = 40;
  if (h.size == 40) {
    if (!b.Has(40, 12)) return std::nullopt;
    tableStart += 12;
  }
  if (!m.red.Set(b.U32(masks)) || !m.green.Set(b.U32(masks + 4)) || !m.blue.Set(b.U32(masks + 8))) return std::nullopt;
  if (!m.red.Present() || !m.green.Present() || !m.blue.Present()) return std::nullopt;
  if (h.size >= 56 && !m.alpha.Set(b.U32(52))) return std::nullopt;
  return tableStart;
}

// The colour table of a file of 8 bits or fewer a pixel; empty for the others.
std::optional<std::vector<std::uint32_t>> ReadPalette(const Bytes& b, const DibHeader& h, std::size_t tableStart) {
  std::vector<std::uint32_t> palette;
  if (h.bits > 8) return palette;
  const std::uint32_t most = 1U << h.bits;
  const std::uint32_t count = h.colorsUsed == 0 ? most : h.colorsUsed;
  if (count > most || !b.Has(tableStart, std::size_t{count} * 4)) return std::nullopt;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t at = tableStart + std::size_t{i} * 4;
    palette.push_back(Argb(0xFF, b.U8(at + 2), b.U8(at + 1), b.U8(at)));
  }
  return palette;
}

// Where the rows and an icon's mask lie, and how long each of their rows is.
struct RowLayout {
  std::size_t rows = 0;
  std::size_t stride = 0;
  std::size_t maskRows = 0;
  std::size_t maskStride = 0;
  bool hasMask = false;
};

std::optional<RowLayout> LayRows(const Bytes& b, const DibHeader& h, std::size_t rows, bool icon) {
  const auto w = static_cast<std::size_t>(h.width);
  const auto height = static_cast<std::size_t>(h.height);
  RowLayout l;
  l.rows = rows;
  l.stride = (w * h.bits + 31) / 32 * 4;
  if (!b.Has(rows, l.stride * height)) return std::nullopt;
  l.maskRows = rows + l.stride * height;
  l.maskStride = (w + 31) / 32 * 4;
  l.hasMask = icon && b.Has(l.maskRows, l.maskStride * height);
  // A 32-bit icon may rely on its alpha alone; any other icon needs its mask.
  if (icon && !l.hasMask && h.bits != 32) return std::nullopt;
  return l;
}

// One row of pixels; false for a palette index beyond the table. Sets anyAlpha when a
// 32-bit pixel has a fourth byte other than zero.
bool DecodeRow(const unsigned char* row, const DibHeader& h, const Masks& m, const std::vector<std::uint32_t>& palette,
               std::uint32_t* dest, bool& anyAlpha) {
  const auto w = static_cast<std::size_t>(h.width);
  for (std::size_t x = 0; x < w; ++x) {
    std::uint32_t index = 0;
    switch (h.bits) {
      case 1: index = row[x / 8] >> (7 - x % 8) & 1U; break;
      case 4: index = x % 2 ? row[x / 2] & 0x0FU : row[x / 2] >> 4; break;
      case 8: index = row[x]; break;
      case 24: dest[x] = Argb(0xFF, row[3 * x + 2], row[3 * x + 1], row[3 * x]); continue;
      default: {
        const unsigned char* p = row + 4 * x;
        const std::uint32_t v = p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
        const std::uint32_t a = h.bitfields ? m.alpha.Of(v) : p[3];
        anyAlpha = anyAlpha || a != 0;
        dest[x] = h.bitfields ? Argb(a, m.red.Of(v), m.green.Of(v), m.blue.Of(v)) : Argb(a, p[2], p[1], p[0]);
        continue;
      }
    }
    if (index >= palette.size()) return false;
    dest[x] = palette[index];
  }
  return true;
}

// Clears the pixels an icon's 1-bit mask leaves out.
void ApplyMask(const Bytes& b, const RowLayout& l, platform::ui::Image& image) {
  const auto w = static_cast<std::size_t>(image.width);
  const auto h = static_cast<std::size_t>(image.height);
  for (std::size_t y = 0; y < h; ++y) {
    const unsigned char* row = b.At(l.maskRows + (h - 1 - y) * l.maskStride);
    for (std::size_t x = 0; x < w; ++x)
      if (row[x / 8] >> (7 - x % 8) & 1U) image.pixels[y * w + x] = 0;
  }
}

// Decodes a device-independent bitmap: the info header, then the colour table, then the rows.
// A file gives where the rows start (pixelOffset, counted from the info header); in an icon
// they follow the colour table, the image is stored at twice its height, and the second half
// is the 1-bit mask of pixels that are left out.
bool DecodeDib(std::string_view data, std::optional<std::size_t> pixelOffset, bool icon, platform::ui::Image& out) {
  const Bytes b(data);
  const std::optional<DibHeader> header = ReadHeader(b, icon);
  if (!header) return false;
  const DibHeader& h = *header;
  Masks masks;
  const std::optional<std::size_t> tableStart = ReadMasks(b, h, masks);
  if (!tableStart) return false;
  const auto palette = ReadPalette(b, h, *tableStart);
  if (!palette) return false;
  const std::size_t tableEnd = *tableStart + palette->size() * 4;
  const std::size_t rows = pixelOffset.value_or(tableEnd);
  if (rows < tableEnd) return false;
  const std::optional<RowLayout> layout = LayRows(b, h, rows, icon);
  if (!layout) return false;

  platform::ui::Image image;
  image.width = static_cast<int>(h.width);
  image.height = static_cast<int>(h.height);
  const auto w = static_cast<std::size_t>(h.width);
  const auto height = static_cast<std::size_t>(h.height);
  image.pixels.resize(w * height);
  bool anyAlpha = false;
  for (std::size_t y = 0; y < height; ++y) {
    const unsigned char* row = b.At(layout->rows + (h.topDown ? y : height - 1 - y) * layout->stride);
    if (!DecodeRow(row, h, masks, *palette, &image.pixels[y * w], anyAlpha)) return false;
  }
  // Most 32-bit files leave the fourth byte at zero: they mean opaque, not invisible.
  const bool alphaUsed = h.bits == 32 && anyAlpha;
  if (h.bits == 32 && !anyAlpha)
    for (auto& p : image.pixels) p |= 0xFF000000U;
  if (layout->hasMask && !alphaUsed) ApplyMask(b, *layout, image);
  out = std::move(image);
  return true;
}

}  // namespace

bool TBitmap::LoadFromBytes(std::string_view data) {
  const Bytes b(data);
  if (!b.Has(0, 14) || b.U8(0) != 'B' || b.U8(1) != 'M') return false;
  // The file's own size field is often wrong and is not needed; the rows' offset is.
  const std::size_t offset = b.U32(10);
  if (offset < 14) return false;
  return DecodeDib(data.substr(14), offset - 14, false, image_);
}

bool TBitmap::LoadFromResource(const std::string& name) {
  const auto data = FindResource(name);
  return data && LoadFromBytes(*data);
}

bool TBitmap::LoadIconFromBytes(std::string_view data, int preferredSize) {
  const Bytes b(data);
  if (!b.Has(0, 6) || b.U16(0) != 0 || b.U16(2) != 1) return false;
  const std::size_t count = b.U16(4);
  if (count == 0 || !b.Has(6, count * 16)) return false;

  struct Entry {
    int size;  // the larger side
    bool exact;
    std::uint32_t bits;
    std::string_view image;
  };
  std::vector<Entry> entries;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = 6 + i * 16;
    // A side of 0 in the directory stands for 256.
    const int w = b.U8(at) ? static_cast<int>(b.U8(at)) : 256;
    const int h = b.U8(at + 1) ? static_cast<int>(b.U8(at + 1)) : 256;
    const std::size_t bytes = b.U32(at + 8);
    const std::size_t offset = b.U32(at + 12);
    if (!b.Has(offset, bytes)) continue;
    entries.push_back(
        {std::max(w, h), w == preferredSize && h == preferredSize, b.U16(at + 6), data.substr(offset, bytes)});
  }
  // The wanted size first, then the largest, the deepest colour breaking ties. An image
  // that will not decode (icons may hold PNG images) gives way to the next.
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& l, const Entry& r) {
    if (l.exact != r.exact) return l.exact;
    if (l.size != r.size) return l.size > r.size;
    return l.bits > r.bits;
  });
  for (const Entry& e : entries)
    if (DecodeDib(e.image, std::nullopt, true, image_)) return true;
  return false;
}

std::uint32_t TBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= image_.width || y >= image_.height) return 0;
  return image_
      .pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image_.width) + static_cast<std::size_t>(x)];
}

TColor TBitmap::TransparentColor() const {
  if (Empty()) return 0;
  const std::uint32_t p = Pixel(0, image_.height - 1);
  return (p & 0xFFU) << 16 | (p & 0xFF00U) | (p >> 16 & 0xFFU);
}
