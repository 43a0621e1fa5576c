#include "framework/Bitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Writes little-endian fields, as the file formats store them.
struct Writer {
  std::string s;
  Writer& U8(unsigned v) {
    s.push_back(static_cast<char>(v & 0xFF));
    return *this;
  }
  Writer& U16(unsigned v) { return U8(v).U8(v >> 8); }
  Writer& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  Writer& Raw(const std::string& bytes) {
    s += bytes;
    return *this;
  }
};

struct Dib {
  std::int32_t width = 0;
  std::int32_t height = 0;
  unsigned bits = 24;
  std::vector<std::uint32_t> palette = {};  // 0x00RRGGBB
  std::string rows = {};                    // as stored, padding included
  std::uint32_t compression = 0;
  std::uint32_t headerSize = 40;
  std::vector<std::uint32_t> masks = {};  // red, green, blue, alpha, inside headers over 40 bytes
};

std::string InfoAndPalette(const Dib& d) {
  Writer w;
  w.U32(d.headerSize).U32(static_cast<std::uint32_t>(d.width)).U32(static_cast<std::uint32_t>(d.height));
  w.U16(1).U16(d.bits).U32(d.compression).U32(static_cast<std::uint32_t>(d.rows.size()));
  w.U32(2835).U32(2835).U32(static_cast<std::uint32_t>(d.palette.size())).U32(0);
  for (std::uint32_t m : d.masks) w.U32(m);
  while (w.s.size() < d.headerSize) w.U8(0);
  for (std::uint32_t c : d.palette) w.U8(c).U8(c >> 8).U8(c >> 16).U8(0);
  return w.s;
}

std::string Bmp(const Dib& d) {
  const std::string info = InfoAndPalette(d);
  Writer w;
  w.Raw("BM").U32(static_cast<std::uint32_t>(14 + info.size() + d.rows.size())).U32(0);
  w.U32(static_cast<std::uint32_t>(14 + info.size())).Raw(info).Raw(d.rows);
  return w.s;
}

// Red, green, blue: a colour whose channels are all different shows any channel mix-up.
const std::vector<std::uint32_t> kRgb = {0xFF0000, 0x00FF00, 0x0000FF};

TEST(BitmapTest, DecodesPaletteImagesBottomUp) {
  TBitmap bmp;
  // 4 bits, 3 wide: each row is 12 bits of indexes padded to 4 bytes. Bottom row first.
  ASSERT_TRUE(bmp.LoadFromBytes(Bmp({3, 2, 4, kRgb, std::string("\x21\x00\x00\x00\x00\x10\x00\x00", 8)})));
  EXPECT_EQ(bmp.Width(), 3);
  EXPECT_EQ(bmp.Height(), 2);
  EXPECT_EQ(bmp.Image().pixels, (std::vector<std::uint32_t>{0xFFFF0000, 0xFFFF0000, 0xFF00FF00,     // top
                                                            0xFF0000FF, 0xFF00FF00, 0xFFFF0000}));  // bottom
  EXPECT_EQ(bmp.TransparentColor(), 0xFF0000u);  // the bottom-left blue, as 0x00BBGGRR

  // 1 bit, 9 wide: the most significant bit is the leftmost pixel, the ninth is in byte two.
  ASSERT_TRUE(bmp.LoadFromBytes(Bmp({9, 1, 1, {0x000000, 0xFFFFFF}, std::string("\x80\x80\x00\x00", 4)})));
  EXPECT_EQ(bmp.Pixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(bmp.Pixel(1, 0), 0xFF000000u);
  EXPECT_EQ(bmp.Pixel(8, 0), 0xFFFFFFFFu);
  EXPECT_EQ(bmp.Pixel(9, 0), 0u);  // outside
}

TEST(BitmapTest, Decodes24BitRowsSkippingTheirPadding) {
  TBitmap bmp;
  // 3 pixels of blue, green, red bytes make 9 bytes a row, padded with 3 bytes to 12.
  const std::string bottom = "\x01\x02\x03\x04\x05\x06\x07\x08\x09\xEE\xEE\xEE";
  const std::string top = "\x11\x12\x13\x14\x15\x16\x17\x18\x19\xEE\xEE\xEE";
  ASSERT_TRUE(bmp.LoadFromBytes(Bmp({3, 2, 24, {}, bottom + top})));
  EXPECT_EQ(bmp.Pixel(0, 0), 0xFF131211u);
  EXPECT_EQ(bmp.Pixel(2, 0), 0xFF191817u);
  EXPECT_EQ(bmp.Pixel(0, 1), 0xFF030201u);
  EXPECT_EQ(bmp.Pixel(2, 1), 0xFF090807u);
  EXPECT_EQ(bmp.TransparentColor(), 0x010203u);
}

TEST(BitmapTest, Decodes32BitTopDownAndTheirAlpha) {
  TBitmap bmp;
  // A fourth byte of zero everywhere means the writer did not use it: opaque.
  ASSERT_TRUE(bmp.LoadFromBytes(
      Bmp({2, -2, 32, {}, std::string("\x01\x02\x03\x00\x04\x05\x06\x00\x07\x08\x09\x00\x0A\x0B\x0C\x00", 16)})));
  EXPECT_EQ(bmp.Pixel(0, 0), 0xFF030201u);
  EXPECT_EQ(bmp.Pixel(1, 1), 0xFF0C0B0Au);
  EXPECT_EQ(bmp.TransparentColor(), 0x070809u);  // bottom-left is (0, 1)

  // A V5 header with masks in R, G, B, A byte order, and real alpha.
  Dib v5{1, -1, 32, {}, std::string("\x10\x20\x30\x80", 4), 3, 124, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}};
  ASSERT_TRUE(bmp.LoadFromBytes(Bmp(v5)));
  EXPECT_EQ(bmp.Pixel(0, 0), 0x80102030u);
}

TEST(BitmapTest, RejectsDamagedAndUnsupportedFilesKeepingThePicture) {
  const std::string good = Bmp({3, 2, 4, kRgb, std::string(8, '\0')});
  std::vector<std::pair<std::string, std::string>> bad = {
      {"huge", Bmp({20000, 1, 24, {}, std::string(60000, '\0')})},
      {"no width", Bmp({0, 1, 24, {}, std::string(4, '\0')})},
      {"run-length", Bmp({4, 1, 8, kRgb, std::string(4, '\0'), 1})},
      {"16 bits", Bmp({2, 1, 16, {}, std::string(4, '\0')})},
      {"index 3 of 3 colours", Bmp({1, 1, 8, kRgb, std::string("\x03\x00\x00\x00", 4)})},
      {"not a bitmap", "GIF89a" + good.substr(6)},
  };
  for (std::size_t n = 0; n < good.size(); ++n) bad.push_back({"cut at " + std::to_string(n), good.substr(0, n)});

  TBitmap bmp;
  ASSERT_TRUE(bmp.LoadFromBytes(good));
  for (const auto& [why, data] : bad) {
    EXPECT_FALSE(bmp.LoadFromBytes(data)) << why;
    EXPECT_EQ(bmp.Width(), 3) << why;
  }
}

// An icon image: the info header says twice the height, then the colour rows, then the mask.
std::string IconImage(int side, const std::string& rows, const std::string& mask) {
  return InfoAndPalette({side, 2 * side, 24, {}, rows + mask}) + rows + mask;
}

TEST(BitmapTest, IconPicksTheWantedSizeElseTheLargestThatDecodes) {
  const std::string small = IconImage(1, std::string("\x01\x02\x03\x00", 4), std::string(4, '\0'));
  // 2×2: rows of 6 bytes padded to 8; the mask's top row (stored last) leaves out x = 1.
  const std::string large =
      IconImage(2, std::string("\x01\x01\x01\x02\x02\x02\x00\x00\x03\x03\x03\x04\x04\x04\x00\x00", 16),
                std::string("\x00\x00\x00\x00\x40\x00\x00\x00", 8));
  const std::string png = "\x89PNG\r\n\x1A\n";
  Writer w;
  w.U16(0).U16(1).U16(3);
  std::uint32_t offset = 6 + 3 * 16;
  for (const auto& [side, image] : std::vector<std::pair<unsigned, std::string>>{{1, small}, {3, png}, {2, large}}) {
    w.U8(side).U8(side).U8(0).U8(0).U16(1).U16(24).U32(static_cast<std::uint32_t>(image.size())).U32(offset);
    offset += static_cast<std::uint32_t>(image.size());
  }
  const std::string ico = w.s + small + png + large;

  TBitmap icon;
  ASSERT_TRUE(icon.LoadIconFromBytes(ico, 1));
  EXPECT_EQ(icon.Width(), 1);
  EXPECT_EQ(icon.Pixel(0, 0), 0xFF030201u);
  ASSERT_TRUE(icon.LoadIconFromBytes(ico, 3));  // the 3×3 one is a PNG
  EXPECT_EQ(icon.Width(), 2);
  EXPECT_EQ(icon.Pixel(0, 0), 0xFF030303u);
  EXPECT_EQ(icon.Pixel(1, 0), 0u);
  EXPECT_EQ(icon.Pixel(1, 1), 0xFF020202u);
  EXPECT_FALSE(icon.LoadIconFromBytes(ico.substr(0, 40), 1));
}

}  // namespace
