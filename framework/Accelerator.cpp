#include "framework/Accelerator.h"

namespace {

// The character that begins at text[at], decoded from UTF-8 (a broken sequence gives its
// first byte), so that an accelerator such as "&再" is the whole character and not its
// first byte.
char32_t CharAt(const std::string& text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t extra = lead >= 0xF0 && lead <= 0xF7   ? 3
                            : lead >= 0xE0 && lead <= 0xEF ? 2
                            : lead >= 0xC0 && lead <= 0xDF ? 1
                                                           : 0;
  if (extra == 0 || at + extra >= text.size()) return lead;
  char32_t c = lead & (0x3Fu >> extra);
  for (std::size_t i = 1; i <= extra; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return lead;
    c = c << 6 | (next & 0x3Fu);
  }
  return c;
}

// Upper case of the letters whose case an accelerator ignores: ASCII and Latin-1.
char32_t Upper(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  return c;
}

}  // namespace

char32_t AcceleratorOf(const std::string& caption, bool skipDoubled) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (skipDoubled && caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return CharAt(caption, i + 1);
  }
  return 0;
}

bool SameAccelerator(char32_t a, char32_t b) { return a != 0 && Upper(a) == Upper(b); }
