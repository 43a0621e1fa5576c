// Elliptic regions, as round buttons use them to take the mouse only inside their face.
#include <algorithm>
#include <cstdint>
#include <utility>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjects.h"

using namespace platform::gdi::detail;

HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2) {
  GdiObject o;
  o.kind = ObjectKind::Region;
  o.bounds = RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  return static_cast<HRGN>(AddObject(std::move(o)));
}

BOOL PtInRegion(HRGN hrgn, int x, int y) {
  const GdiObject* o = FindObject(hrgn);
  if (o == nullptr || o->kind != ObjectKind::Region) return FALSE;
  const RECT& r = o->bounds;
  if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) return FALSE;
  // Doubled, so that pixel centres and the ellipse's centre are whole numbers: the centre
  // (x + 0.5) lies inside when (dx / w)² + (dy / h)² < 1, with dx, w twice the real ones.
  const std::int64_t w = std::int64_t{r.right} - r.left;
  const std::int64_t h = std::int64_t{r.bottom} - r.top;
  const std::int64_t dx = 2 * std::int64_t{x} + 1 - r.left - r.right;
  const std::int64_t dy = 2 * std::int64_t{y} + 1 - r.top - r.bottom;
  // Inside the rectangle |dx| <= w and |dy| <= h, so for any region that fits on a screen
  // the products stay far below 2^63; huge ones are compared in floating point instead.
  if (w <= 0x7FFF && h <= 0x7FFF) return dx * dx * h * h + dy * dy * w * w < w * w * h * h ? TRUE : FALSE;
  const long double fx = static_cast<long double>(dx) / static_cast<long double>(w);
  const long double fy = static_cast<long double>(dy) / static_cast<long double>(h);
  return fx * fx + fy * fy < 1.0L ? TRUE : FALSE;
}
