#include "platform/gdi/GdiObjects.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace platform::gdi::detail {

namespace {

// Stock objects sit at fixed small values, everything made later above them; values are
// never reused, so a handle kept after DeleteObject names nothing instead of a stranger.
constexpr std::uintptr_t kStockBase = 0x100;
constexpr int kStockCount = NULL_PEN + 1;
constexpr std::uintptr_t kFirstObject = 0x1000;
constexpr std::uintptr_t kFirstDc = 0x10;

std::uintptr_t Value(const void* h) { return reinterpret_cast<std::uintptr_t>(h); }
HGDIOBJ ObjectHandle(std::uintptr_t v) { return reinterpret_cast<HGDIOBJ>(v); }

GdiObject SolidBrush(COLORREF color) {
  GdiObject o;
  o.kind = ObjectKind::Brush;
  o.stock = true;
  o.brush.color = color;
  return o;
}

GdiObject StockPen(int style, COLORREF color) {
  GdiObject o;
  o.kind = ObjectKind::Pen;
  o.stock = true;
  o.pen = PenSpec{style, 1, color};
  return o;
}

struct Tables {
  std::unordered_map<std::uintptr_t, GdiObject> objects;
  std::unordered_map<std::uintptr_t, DcState> dcs;
  std::uintptr_t nextObject = kFirstObject;
  std::uintptr_t nextDc = kFirstDc;

  Tables() {
    // The original's stock objects, by their numbers.
    const GdiObject stock[kStockCount] = {
        SolidBrush(0xFFFFFF),         SolidBrush(0xC0C0C0),         SolidBrush(0x808080),
        SolidBrush(0x404040),         SolidBrush(0x000000),         SolidBrush(0xFFFFFF),
        StockPen(PS_SOLID, 0xFFFFFF), StockPen(PS_SOLID, 0x000000), StockPen(PS_NULL, 0x000000)};
    for (int i = 0; i < kStockCount; ++i) objects.emplace(kStockBase + static_cast<std::uintptr_t>(i), stock[i]);
    objects[kStockBase + HOLLOW_BRUSH].brush.kind = BrushKind::Hollow;
  }

  bool SelectedAnywhere(HGDIOBJ h) const {
    return std::any_of(dcs.begin(), dcs.end(), [h](const auto& entry) {
      const DcState& dc = entry.second;
      return dc.pen == h || dc.brush == h || dc.font == h;
    });
  }
};

Tables& Table() {
  static Tables tables;
  return tables;
}

HGDIOBJ Stock(int i) { return ObjectHandle(kStockBase + static_cast<std::uintptr_t>(i)); }

}  // namespace

HGDIOBJ AddObject(GdiObject object) {
  Tables& t = Table();
  const std::uintptr_t v = t.nextObject++;
  t.objects.emplace(v, std::move(object));
  return ObjectHandle(v);
}

GdiObject* FindObject(HGDIOBJ h) {
  auto& objects = Table().objects;
  auto it = objects.find(Value(h));
  return it == objects.end() ? nullptr : &it->second;
}

DcState* FindDc(HDC hdc) {
  auto& dcs = Table().dcs;
  auto it = dcs.find(Value(hdc));
  return it == dcs.end() ? nullptr : &it->second;
}

#ifdef _WIN32
std::wstring Utf16(const char* text, int length) {
  if (length <= 0) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, text, length, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, length, out.data(), n);
  return out;
}
#endif

// Objects selected into a device context cannot be deleted, so these always find theirs.
const PenSpec& SelectedPen(const DcState& dc) { return FindObject(dc.pen)->pen; }
const BrushSpec& SelectedBrush(const DcState& dc) { return FindObject(dc.brush)->brush; }
const ui::FontSpec& SelectedFont(const DcState& dc) { return FindObject(dc.font)->font; }

}  // namespace platform::gdi::detail

namespace platform::gdi {

using namespace detail;

HDC CreateDeviceContext(DeviceContext* dc, const ui::FontSpec& font) {
  if (dc == nullptr) return nullptr;
  GdiObject f;
  f.kind = ObjectKind::Font;
  f.stock = true;
  f.font = font;
  DcState state;
  state.device = dc;
  state.pen = GetStockObject(BLACK_PEN);
  state.brush = GetStockObject(WHITE_BRUSH);
  state.font = state.initialFont = AddObject(std::move(f));
  Tables& t = Table();
  const std::uintptr_t v = t.nextDc++;
  t.dcs.emplace(v, state);
  return reinterpret_cast<HDC>(v);
}

void ReleaseDeviceContext(HDC hdc) {
  Tables& t = Table();
  auto it = t.dcs.find(reinterpret_cast<std::uintptr_t>(hdc));
  if (it == t.dcs.end()) return;
  const HGDIOBJ initial = it->second.initialFont;
  t.dcs.erase(it);
  // Someone may have selected the font into another device context; it then stays until
  // they delete it like any font of their own.
  if (t.SelectedAnywhere(initial)) {
    FindObject(initial)->stock = false;
  } else {
    t.objects.erase(reinterpret_cast<std::uintptr_t>(initial));
  }
}

}  // namespace platform::gdi

using namespace platform::gdi;
using namespace platform::gdi::detail;

HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
  if (iStyle != PS_SOLID && iStyle != PS_NULL) return nullptr;
  GdiObject o;
  o.kind = ObjectKind::Pen;
  // A width of zero (or less) is the one-pixel pen, as on the original system.
  o.pen = PenSpec{iStyle, std::max(1, cWidth), color & 0xFFFFFF};
  return static_cast<HPEN>(AddObject(std::move(o)));
}

HBRUSH CreateSolidBrush(COLORREF color) {
  GdiObject o;
  o.kind = ObjectKind::Brush;
  o.brush.kind = BrushKind::Solid;
  o.brush.color = color & 0xFFFFFF;
  return static_cast<HBRUSH>(AddObject(std::move(o)));
}

HBRUSH CreatePatternBrush(HBITMAP hbm) {
  const GdiObject* bitmap = FindObject(hbm);
  if (bitmap == nullptr || bitmap->kind != ObjectKind::Bitmap) return nullptr;
  GdiObject o;
  o.kind = ObjectKind::Brush;
  o.brush.kind = BrushKind::Pattern;
  // The brush shares the pixels, so the bitmap may be deleted while the brush lives on.
  o.brush.pattern = bitmap->bitmap;
  return static_cast<HBRUSH>(AddObject(std::move(o)));
}

HBITMAP CreateBitmapFromImage(const platform::ui::Image& image) {
  if (image.Empty() ||
      image.pixels.size() < static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
    return nullptr;
  GdiObject o;
  o.kind = ObjectKind::Bitmap;
  o.bitmap = std::make_shared<const platform::ui::Image>(image);
  return static_cast<HBITMAP>(AddObject(std::move(o)));
}

HFONT CreateFontFromSpec(const platform::ui::FontSpec& font) {
  GdiObject o;
  o.kind = ObjectKind::Font;
  o.font = font;
  return static_cast<HFONT>(AddObject(std::move(o)));
}

HGDIOBJ GetStockObject(int i) {
  if (i < 0 || i >= kStockCount) return nullptr;
  return Stock(i);
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
#ifdef _WIN32
  // The system's device context takes the system's objects.
  if (FindDc(hdc) == nullptr && FindObject(h) == nullptr) return (::SelectObject)(hdc, h);
#endif
  DcState* dc = FindDc(hdc);
  const GdiObject* o = FindObject(h);
  if (dc == nullptr || o == nullptr) return nullptr;
  HGDIOBJ* slot = nullptr;
  switch (o->kind) {
    case ObjectKind::Pen: slot = &dc->pen; break;
    case ObjectKind::Brush: slot = &dc->brush; break;
    case ObjectKind::Font: slot = &dc->font; break;
    // Our device contexts draw on windows, never on a bitmap; a region would clip, which
    // nothing here needs.
    case ObjectKind::Bitmap:
    case ObjectKind::Region: return nullptr;
  }
  return std::exchange(*slot, h);
}

BOOL DeleteObject(HGDIOBJ ho) {
  const GdiObject* o = FindObject(ho);
#ifdef _WIN32
  if (o == nullptr && ho != nullptr) return (::DeleteObject)(ho);  // the system's own
#endif
  if (o == nullptr || o->stock) return FALSE;
  Tables& t = Table();
  // The original refuses to delete what a device context still holds.
  if (t.SelectedAnywhere(ho)) return FALSE;
  t.objects.erase(reinterpret_cast<std::uintptr_t>(ho));
  return TRUE;
}
