// Device-context attributes, shapes, single lines of text, rectangles and the pointer.
#include "platform/gdi/Gdi.h"

#include <cstdint>
#include <string>
#include <utility>

#include "platform/gdi/GdiObjects.h"
#include "platform/ui/SysColors.h"

using namespace platform::gdi;
using namespace platform::gdi::detail;

namespace {

// The original takes any two corners and draws between them.
void Normalise(int& left, int& top, int& right, int& bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
}

std::function<POINT()>& CursorSource() {
  static std::function<POINT()> source;
  return source;
}

}  // namespace

// On Windows a device context that is none of ours is the system's, which draws on it.
#ifdef _WIN32
namespace {

BOOL SystemTextOut(HDC hdc, int x, int y, LPCSTR text, int c) {
  if (text == nullptr || c < 0) return FALSE;
  const std::wstring wide = Utf16(text, c);
  return TextOutW(hdc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

BOOL SystemTextExtent(HDC hdc, LPCSTR text, int c, SIZE* size) {
  if (text == nullptr || c < 0) return FALSE;
  const std::wstring wide = Utf16(text, c);
  return GetTextExtentPoint32W(hdc, wide.c_str(), static_cast<int>(wide.size()), size);
}

}  // namespace

#define SYSTEM_DC(hdc, call) \
  if (FindDc(hdc) == nullptr) return (call)
#else
#define SYSTEM_DC(hdc, call)
#endif

COLORREF SetTextColor(HDC hdc, COLORREF color) {
  SYSTEM_DC(hdc, (::SetTextColor)(hdc, color));
  DcState* dc = FindDc(hdc);
  if (dc == nullptr) return CLR_INVALID;
  return std::exchange(dc->textColor, color & 0xFFFFFF);
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
  SYSTEM_DC(hdc, (::SetBkColor)(hdc, color));
  DcState* dc = FindDc(hdc);
  if (dc == nullptr) return CLR_INVALID;
  return std::exchange(dc->bkColor, color & 0xFFFFFF);
}

int SetBkMode(HDC hdc, int mode) {
  SYSTEM_DC(hdc, (::SetBkMode)(hdc, mode));
  DcState* dc = FindDc(hdc);
  if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  return std::exchange(dc->bkMode, mode);
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  SYSTEM_DC(hdc, (::Ellipse)(hdc, left, top, right, bottom));
  DcState* dc = FindDc(hdc);
  if (dc == nullptr) return FALSE;
  Normalise(left, top, right, bottom);
  dc->device->Ellipse(SelectedPen(*dc), SelectedBrush(*dc), left, top, right, bottom);
  return TRUE;
}

BOOL Arc(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  SYSTEM_DC(hdc, (::Arc)(hdc, x1, y1, x2, y2, x3, y3, x4, y4));
  DcState* dc = FindDc(hdc);
  if (dc == nullptr) return FALSE;
  Normalise(x1, y1, x2, y2);
  dc->device->Arc(SelectedPen(*dc), x1, y1, x2, y2, x3, y3, x4, y4);
  return TRUE;
}

int FillRect(HDC hdc, const RECT* lprc, HBRUSH hbr) {
  // The system's device takes the system's brushes and colour indexes, not ours.
  SYSTEM_DC(hdc, FindObject(hbr) ? 0 : (::FillRect)(hdc, lprc, hbr));
  DcState* dc = FindDc(hdc);
  if (dc == nullptr || lprc == nullptr) return 0;
  BrushSpec brush;
  const auto value = reinterpret_cast<std::uintptr_t>(hbr);
  if (value >= 1 && value <= 31) {
    brush.color = GetSysColor(static_cast<int>(value - 1));
  } else if (const GdiObject* o = FindObject(hbr); o != nullptr && o->kind == ObjectKind::Brush) {
    brush = o->brush;
  } else {
    return 0;
  }
  // An empty or inside-out rectangle fills nothing; the original does not turn it round.
  if (lprc->right <= lprc->left || lprc->bottom <= lprc->top || brush.kind == BrushKind::Hollow) return 1;
  dc->device->FillRect(brush, *lprc);
  return 1;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
  SYSTEM_DC(hdc, SystemTextOut(hdc, x, y, lpString, c));
  DcState* dc = FindDc(hdc);
  if (dc == nullptr || lpString == nullptr || c < 0) return FALSE;
  if (c == 0) return TRUE;
  const std::string text(lpString, static_cast<std::size_t>(c));
  const platform::ui::FontSpec& font = SelectedFont(*dc);
  if (dc->bkMode == OPAQUE) {
    int width = 0, height = 0;
    dc->device->MeasureText(font, text, width, height);
    BrushSpec background;
    background.color = dc->bkColor;
    dc->device->FillRect(background, RECT{x, y, x + width, y + height});
  }
  dc->device->TextOut(font, dc->textColor, x, y, text);
  return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, SIZE* psizl) {
  SYSTEM_DC(hdc, SystemTextExtent(hdc, lpString, c, psizl));
  DcState* dc = FindDc(hdc);
  if (dc == nullptr || lpString == nullptr || c < 0 || psizl == nullptr) return FALSE;
  int width = 0, height = 0;
  dc->device->MeasureText(SelectedFont(*dc), std::string(lpString, static_cast<std::size_t>(c)), width, height);
  psizl->cx = width;
  psizl->cy = height;
  return TRUE;
}

BOOL OffsetRect(RECT* lprc, int dx, int dy) {
  if (lprc == nullptr) return FALSE;
  lprc->left += dx;
  lprc->right += dx;
  lprc->top += dy;
  lprc->bottom += dy;
  return TRUE;
}

BOOL InflateRect(RECT* lprc, int dx, int dy) {
  if (lprc == nullptr) return FALSE;
  lprc->left -= dx;
  lprc->right += dx;
  lprc->top -= dy;
  lprc->bottom += dy;
  return TRUE;
}

BOOL GetCursorPos(POINT* lpPoint) {
  if (lpPoint == nullptr) return FALSE;
  *lpPoint = CursorSource() ? CursorSource()() : POINT{0, 0};
  return TRUE;
}

void SetCursorPosSource(std::function<POINT()> source) { CursorSource() = std::move(source); }
