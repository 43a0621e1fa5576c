// The tables behind the drawing interface's handles: GDI objects (pens, brushes, fonts,
// bitmaps, regions) and device contexts with what is selected into them. Only the drawing
// interface's own sources use this; everyone else holds handles. Like all drawing, it is
// used from the user-interface thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/gdi/Gdi.h"

namespace platform::gdi::detail {

enum class ObjectKind { Pen, Brush, Font, Bitmap, Region };

struct GdiObject {
  ObjectKind kind = ObjectKind::Pen;
  // Stock objects, and the font a device context was made with, cannot be deleted.
  bool stock = false;
  PenSpec pen;
  BrushSpec brush;
  ui::FontSpec font;
  std::shared_ptr<const ui::Image> bitmap;
  RECT bounds{0, 0, 0, 0};  // regions: the ellipse's bounding rectangle, normalised
};

struct DcState {
  DeviceContext* device = nullptr;
  // What is selected, each slot of its own kind.
  HGDIOBJ pen = nullptr;
  HGDIOBJ brush = nullptr;
  HGDIOBJ font = nullptr;
  HGDIOBJ initialFont = nullptr;  // made for this device context, freed with it
  COLORREF textColor = 0x000000;
  COLORREF bkColor = 0xFFFFFF;
  int bkMode = OPAQUE;
};

HGDIOBJ AddObject(GdiObject object);
// nullptr for a handle that names no object (never made, or deleted).
GdiObject* FindObject(HGDIOBJ h);
DcState* FindDc(HDC hdc);

#ifdef _WIN32
// A device context that is none of ours is the system's, and drawing on it passes through
// to the system; its text functions take UTF-16, so our UTF-8 is converted on the way.
std::wstring Utf16(const char* text, int length);
#endif

// What is selected into a device context, as the device draws it.
const PenSpec& SelectedPen(const DcState& dc);
const BrushSpec& SelectedBrush(const DcState& dc);
const ui::FontSpec& SelectedFont(const DcState& dc);

}  // namespace platform::gdi::detail
