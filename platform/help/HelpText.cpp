#include "platform/help/HelpText.h"

#include <cstddef>

namespace platform::help {

namespace {

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool Ascii(char c) { return static_cast<unsigned char>(c) < 0x80; }

// Japanese is written without spaces, so a line break inside a Japanese sentence must not
// turn into one; anywhere else the break is a word break.
void Continue(std::string& text, std::string_view more) {
  if (Ascii(text.back()) || Ascii(more.front())) text += ' ';
  text += more;
}

// The offset of the first byte that is not part of a well-formed UTF-8 sequence (no
// overlong forms, no surrogates, nothing above U+10FFFF), or npos when all is well.
std::size_t FirstInvalidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range allowed for the second byte
    if (b < 0x80) {
      length = 1;
    } else if (b >= 0xC2 && b <= 0xDF) {
      length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
      length = 3;
      if (b == 0xE0) low = 0xA0;
      if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      length = 4;
      if (b == 0xF0) low = 0x90;
      if (b == 0xF4) high = 0x8F;
    } else {
      return i;
    }
    if (i + length > s.size()) return i;
    for (std::size_t k = 1; k < length; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if (k == 1 ? (c < low || c > high) : (c < 0x80 || c > 0xBF)) return i;
    }
    i += length;
  }
  return std::string_view::npos;
}

int LineOfOffset(std::string_view text, std::size_t offset) {
  int line = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i)
    if (text[i] == '\n') ++line;
  return line;
}

}  // namespace

std::string HelpDocument::Title() const {
  for (const HelpBlock& b : blocks)
    if (b.kind == HelpBlockKind::Title) return b.text;
  return {};
}

HelpDocument ParseHelpText(std::string_view text) {
  HelpDocument doc;
  // Editors on the original system liked to start UTF-8 files with a byte-order mark.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  if (const std::size_t bad = FirstInvalidUtf8(text); bad != std::string_view::npos)
    doc.problems.push_back({LineOfOffset(text, bad), "the text is not valid UTF-8"});

  // Whether the last block still takes the lines that follow it.
  bool open = false;
  int number = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    ++number;

    if (line.empty()) {
      open = false;
      continue;
    }
    if (line.front() == '=') {
      const std::size_t level = line.find_first_not_of('=');
      const std::string_view rest = level == std::string_view::npos ? std::string_view() : line.substr(level);
      if (level <= 2 && !rest.empty() && rest.front() == ' ' && !Trimmed(rest).empty()) {
        doc.blocks.push_back(
            {level == 1 ? HelpBlockKind::Title : HelpBlockKind::Section, std::string(Trimmed(rest)), number});
        open = false;
        continue;
      }
      doc.problems.push_back({number, "a heading is written \"= Title\" or \"== Section\""});
    } else if (line == "-" || line.substr(0, 2) == "- ") {
      const std::string_view item = Trimmed(line.substr(1));
      if (item.empty()) {
        doc.problems.push_back({number, "a list item without text"});
        open = false;
        continue;
      }
      doc.blocks.push_back({HelpBlockKind::Bullet, std::string(item), number});
      open = true;
      continue;
    }
    if (open) {
      Continue(doc.blocks.back().text, line);
    } else {
      doc.blocks.push_back({HelpBlockKind::Paragraph, std::string(line), number});
      open = true;
    }
  }
  return doc;
}

}  // namespace platform::help
