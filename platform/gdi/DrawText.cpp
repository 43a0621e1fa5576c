// Formatted text in a rectangle, built on the device's single lines and measurements so that
// every device lays text out the same way.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"

using namespace platform::gdi;
using namespace platform::gdi::detail;

namespace {

// A run of a line drawn by one TextOut; tabs split a line into several.
struct Piece {
  std::string text;
  int x = 0;  // from the line's start
};

// An accelerator's underline, from the line's start.
struct Mark {
  int x = 0;
  int width = 0;
};

struct Line {
  std::vector<Piece> pieces;
  std::vector<Mark> marks;
  int width = 0;
};

std::size_t Utf8Length(std::string_view s, std::size_t at) {
  const auto lead = static_cast<unsigned char>(s[at]);
  std::size_t n = 1;
  if (lead >= 0xF0 && lead <= 0xF7) {
    n = 4;
  } else if (lead >= 0xE0) {
    n = lead <= 0xEF ? 3 : 1;
  } else if (lead >= 0xC0) {
    n = 2;
  }
  return std::min(n, s.size() - at);
}

// Lines end at CR LF, LF or a lone CR; a break at the very end starts no further line.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

class Layout {
 public:
  Layout(DeviceContext& device, const platform::ui::FontSpec& font, UINT format)
      : device_(device), font_(font), format_(format) {}

  int Width(const std::string& s) {
    if (s.empty()) return 0;
    int w = 0, h = 0;
    device_.MeasureText(font_, s, w, h);
    return w;
  }

  int LineHeight() {
    int w = 0, h = 0;
    device_.MeasureText(font_, "", w, h);
    return h;
  }

  Line Arrange(std::string_view raw) {
    // '&' marks the next character as the accelerator and is not drawn; "&&" is one '&'.
    std::string visible;
    std::vector<std::pair<std::size_t, std::size_t>> marked;  // byte ranges in visible
    for (std::size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] != '&' || (format_ & DT_NOPREFIX)) {
        visible += raw[i];
        continue;
      }
      if (++i == raw.size()) break;  // a lone '&' at the end shows nothing
      if (raw[i] == '&') {
        visible += '&';
        continue;
      }
      const std::size_t n = Utf8Length(raw, i);
      marked.emplace_back(visible.size(), n);
      visible.append(raw.substr(i, n));
      i += n - 1;
    }

    Line line;
    std::vector<std::size_t> pieceStart;  // each piece's first byte in visible
    std::size_t start = 0;
    int x = 0;
    const bool tabs = (format_ & DT_EXPANDTABS) != 0;
    for (std::size_t i = 0; i <= visible.size(); ++i) {
      if (i < visible.size() && !(tabs && visible[i] == '\t')) continue;
      Piece p{visible.substr(start, i - start), x};
      x += Width(p.text);
      if (!p.text.empty()) {
        line.pieces.push_back(std::move(p));
        pieceStart.push_back(start);
      }
      if (i < visible.size()) x = NextTabStop(x);
      start = i + 1;
    }
    line.width = x;

    for (const auto& [at, n] : marked) {
      std::size_t k = 0;
      while (k + 1 < pieceStart.size() && pieceStart[k + 1] <= at) ++k;
      if (pieceStart.empty() || at < pieceStart[k]) continue;
      const Piece& p = line.pieces[k];
      const std::size_t offset = at - pieceStart[k];
      line.marks.push_back(Mark{p.x + Width(p.text.substr(0, offset)), Width(p.text.substr(offset, n))});
    }
    return line;
  }

 private:
  // Tab stops lie every eight average characters from the line's start.
  int NextTabStop(int x) {
    if (tabWidth_ < 0) tabWidth_ = Width("xxxxxxxx");
    if (tabWidth_ <= 0) return x;
    return (x / tabWidth_ + 1) * tabWidth_;
  }

  DeviceContext& device_;
  const platform::ui::FontSpec& font_;
  UINT format_;
  int tabWidth_ = -1;
};

// A single line is one line even when empty; breaks inside it do not break it.
std::vector<Line> ArrangeLines(Layout& layout, std::string_view text, bool single) {
  std::vector<Line> lines;
  if (single) {
    lines.push_back(layout.Arrange(text));
  } else {
    for (std::string_view l : SplitLines(text)) lines.push_back(layout.Arrange(l));
  }
  return lines;
}

// Only a single line moves down to the middle or the bottom of the rectangle.
int TextTop(const RECT& r, UINT format, bool single, int height) {
  if (single && (format & DT_VCENTER)) return r.top + (r.bottom - r.top - height) / 2;
  if (single && (format & DT_BOTTOM)) return r.bottom - height;
  return r.top;
}

int LineLeft(const RECT& r, UINT format, int width) {
  if (format & DT_CENTER) return r.left + (r.right - r.left - width) / 2;
  if (format & DT_RIGHT) return r.right - width;
  return r.left;
}

// Draws one arranged line with its left end at x: the background (when opaque), the text
// and the accelerators' underlines, underlineRow below the line's top.
void DrawLine(const DcState& dc, const platform::ui::FontSpec& font, const Line& l, int x, int y, int lineHeight,
              int underlineRow) {
  DeviceContext& device = *dc.device;
  if (dc.bkMode == OPAQUE && l.width > 0) {
    BrushSpec background;
    background.color = dc.bkColor;
    device.FillRect(background, RECT{x, y, x + l.width, y + lineHeight});
  }
  for (const Piece& p : l.pieces) device.TextOut(font, dc.textColor, x + p.x, y, p.text);
  BrushSpec ink;
  ink.color = dc.textColor;
  for (const Mark& m : l.marks) {
    if (m.width > 0) device.FillRect(ink, RECT{x + m.x, y + underlineRow, x + m.x + m.width, y + underlineRow + 1});
  }
}

}  // namespace

int DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, RECT* lprc, UINT format) {
#ifdef _WIN32
  // The system's device context: its own text drawing, given UTF-16.
  if (FindDc(hdc) == nullptr) {
    if (lpchText == nullptr || cchText < -1) return 0;
    std::wstring text = Utf16(lpchText, cchText == -1 ? static_cast<int>(std::strlen(lpchText)) : cchText);
    return DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), lprc, format);
  }
#endif
  DcState* dc = FindDc(hdc);
  if (dc == nullptr || lpchText == nullptr || lprc == nullptr || cchText < -1) return 0;
  const std::string_view text(lpchText, cchText == -1 ? std::strlen(lpchText) : static_cast<std::size_t>(cchText));
  DeviceContext& device = *dc->device;
  const platform::ui::FontSpec font = SelectedFont(*dc);
  Layout layout(device, font, format);

  const bool single = (format & DT_SINGLELINE) != 0;
  const std::vector<Line> lines = ArrangeLines(layout, text, single);
  const int lineHeight = layout.LineHeight();
  const int height = lineHeight * static_cast<int>(lines.size());

  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const Line& l : lines) widest = std::max(widest, l.width);
    lprc->right = lprc->left + widest;
    lprc->bottom = lprc->top + height;
    return height;
  }

  const RECT r = *lprc;
  const int textTop = TextTop(r, format, single, height);
  const bool clip = !(format & DT_NOCLIP);
  if (clip) device.SetClip(r);
  const int underlineRow = std::clamp(device.Ascent(font) + 1, 0, std::max(0, lineHeight - 1));
  int y = textTop;
  for (const Line& l : lines) {
    DrawLine(*dc, font, l, LineLeft(r, format, l.width), y, lineHeight, underlineRow);
    y += lineHeight;
  }
  if (clip) device.ResetClip();
  // With DT_VCENTER or DT_BOTTOM the original answers the offset from the rectangle's top
  // to the bottom of the text.
  return single && (format & (DT_VCENTER | DT_BOTTOM)) ? textTop - r.top + height : height;
}
