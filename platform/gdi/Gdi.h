// The drawing interface of the original system: device contexts with a selected pen, brush
// and font, GDI objects behind handles, shapes, text, rectangles and regions. A device
// context draws on a DeviceContext, of which there are two: Qt's painter for real windows
// and a recording one for tests.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/WinTypes.h"
#include "platform/ui/Peers.h"
#include "platform/ui/Windows.h"

#ifdef _WIN32
#define CreatePen(...) PLUME_HOOK(CreatePen)(__VA_ARGS__)
#define CreateSolidBrush(...) PLUME_HOOK(CreateSolidBrush)(__VA_ARGS__)
#define CreatePatternBrush(...) PLUME_HOOK(CreatePatternBrush)(__VA_ARGS__)
#define GetStockObject(...) PLUME_HOOK(GetStockObject)(__VA_ARGS__)
#define SelectObject(...) PLUME_HOOK(SelectObject)(__VA_ARGS__)
#define DeleteObject(...) PLUME_HOOK(DeleteObject)(__VA_ARGS__)
#define SetTextColor(...) PLUME_HOOK(SetTextColor)(__VA_ARGS__)
#define SetBkColor(...) PLUME_HOOK(SetBkColor)(__VA_ARGS__)
#define SetBkMode(...) PLUME_HOOK(SetBkMode)(__VA_ARGS__)
#define Ellipse(...) PLUME_HOOK(Ellipse)(__VA_ARGS__)
#define Arc(...) PLUME_HOOK(Arc)(__VA_ARGS__)
#define FillRect(...) PLUME_HOOK(FillRect)(__VA_ARGS__)
#define DrawTextA(...) PLUME_HOOK(DrawTextA)(__VA_ARGS__)
#define TextOutA(...) PLUME_HOOK(TextOutA)(__VA_ARGS__)
#define GetTextExtentPoint32A(...) PLUME_HOOK(GetTextExtentPoint32A)(__VA_ARGS__)
#define OffsetRect(...) PLUME_HOOK(OffsetRect)(__VA_ARGS__)
#define InflateRect(...) PLUME_HOOK(InflateRect)(__VA_ARGS__)
#define CreateEllipticRgn(...) PLUME_HOOK(CreateEllipticRgn)(__VA_ARGS__)
#define PtInRegion(...) PLUME_HOOK(PtInRegion)(__VA_ARGS__)
#define GetCursorPos(...) PLUME_HOOK(GetCursorPos)(__VA_ARGS__)
#else
// Each kind of object has a handle type of its own, as on the original system: a handle
// converts to the general HGDIOBJ, and back only by a cast.
using HGDIOBJ = void*;
struct HPEN__;
using HPEN = HPEN__*;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;
struct HFONT__;
using HFONT = HFONT__*;
struct HBITMAP__;
using HBITMAP = HBITMAP__*;
struct HRGN__;
using HRGN = HRGN__*;
using COLORREF = DWORD;  // 0x00BBGGRR

struct SIZE {
  LONG cx;
  LONG cy;
};

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int HOLLOW_BRUSH = 5;
constexpr int NULL_BRUSH = HOLLOW_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_EXPANDTABS = 0x0040;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;
#endif

namespace platform::gdi {

struct PenSpec {
  int style = PS_SOLID;
  int width = 1;
  COLORREF color = 0;
  bool operator==(const PenSpec&) const = default;
};

enum class BrushKind { Solid, Hollow, Pattern };

struct BrushSpec {
  BrushKind kind = BrushKind::Solid;
  COLORREF color = 0xFFFFFF;
  // For pattern brushes: the 8 × 8 (or larger) picture, tiled from the device's origin.
  std::shared_ptr<const ui::Image> pattern;
  bool operator==(const BrushSpec& o) const { return kind == o.kind && color == o.color && pattern == o.pattern; }
};

// What a device context draws on. Coordinates are the device context's own (its origin is
// the control's top-left corner); deviceOrigin tells where that lies on the surface, so that
// pattern brushes line up across controls as the original system aligns them.
class DeviceContext {
 public:
  virtual ~DeviceContext() = default;
  // Filled with the brush, outlined with the pen; right and bottom edges excluded.
  virtual void Ellipse(const PenSpec& pen, const BrushSpec& brush, int left, int top, int right, int bottom) = 0;
  // Counter-clockwise from the radial through (xs, ys) to the radial through (xe, ye).
  virtual void Arc(const PenSpec& pen, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) = 0;
  virtual void FillRect(const BrushSpec& brush, const RECT& rect) = 0;
  // One line of text at (x, y) (its top-left), in the font and colour given. Accelerator
  // underlines are drawn apart from the text, as rectangles one pixel high.
  virtual void TextOut(const ui::FontSpec& font, COLORREF color, int x, int y, const std::string& text) = 0;
  // The width of a text and the height of a line in a font.
  virtual void MeasureText(const ui::FontSpec& font, const std::string& text, int& width, int& height) = 0;
  // The distance from a line's top to its baseline; accelerator underlines go one pixel
  // below it. Devices that know their fonts' ascent say so; the rest guess from the height.
  virtual int Ascent(const ui::FontSpec& font) {
    int width = 0, height = 0;
    MeasureText(font, "x", width, height);
    return height * 4 / 5;
  }
  // Restricts drawing to a rectangle until ResetClip.
  virtual void SetClip(const RECT& rect) = 0;
  virtual void ResetClip() = 0;
  virtual POINT DeviceOrigin() const { return POINT{0, 0}; }
};

// Makes a device context drawing on dc; release it with ReleaseDeviceContext. The font
// starts as the given one; pen black 1 pixel, brush white, text black, background opaque.
HDC CreateDeviceContext(DeviceContext* dc, const ui::FontSpec& font);
void ReleaseDeviceContext(HDC hdc);

}  // namespace platform::gdi

HPEN CreatePen(int iStyle, int cWidth, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
// The bitmap's pixels become the brush's pattern.
HBRUSH CreatePatternBrush(HBITMAP hbm);
HBITMAP CreateBitmapFromImage(const platform::ui::Image& image);
HFONT CreateFontFromSpec(const platform::ui::FontSpec& font);
HGDIOBJ GetStockObject(int i);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
BOOL DeleteObject(HGDIOBJ ho);

// Each returns the previous value; CLR_INVALID (colours) or 0 (the mode) when hdc is no
// device context or the mode is neither TRANSPARENT nor OPAQUE.
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF SetBkColor(HDC hdc, COLORREF color);
int SetBkMode(HDC hdc, int mode);

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
BOOL Arc(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
// Right and bottom edges excluded. As on the original system, hbr may also be a system colour
// index plus one (COLOR_BTNFACE + 1), which fills with that colour.
int FillRect(HDC hdc, const RECT* lprc, HBRUSH hbr);
// DT_CENTER, DT_RIGHT, DT_EXPANDTABS, DT_CALCRECT, DT_NOPREFIX, DT_SINGLELINE, DT_NOCLIP,
// DT_VCENTER, DT_BOTTOM with the original's meaning; cchText -1 means up to the NUL.
// Returns the height of the text drawn.
int DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, RECT* lprc, UINT format);
// One line at (x, y), its top-left, in the selected font and text colour, on the background
// colour when the background mode is OPAQUE; nothing is clipped and no '&' is special.
BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c);
BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, SIZE* psizl);

BOOL OffsetRect(RECT* lprc, int dx, int dy);
BOOL InflateRect(RECT* lprc, int dx, int dy);

// Regions: the interior of an ellipse, right and bottom edges excluded. A point belongs to it
// when its pixel's centre (x + 0.5, y + 0.5) lies strictly inside the ellipse inscribed in
// the rectangle; points outside the rectangle never do. Free a region with DeleteObject.
HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2);
BOOL PtInRegion(HRGN hrgn, int x, int y);

// The pointer's position on the screen, from the windowing backend (headless: set by tests).
BOOL GetCursorPos(POINT* lpPoint);
void SetCursorPosSource(std::function<POINT()> source);
