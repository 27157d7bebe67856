// The base-point flip over the text records of the entity store.
#include "flip/BasePointFlip.h"

#include <cmath>

#include "common/MyFunc.h"

namespace {

// A base point code is column + 3 * row: column 0 left, 1 centre, 2 right;
// row 0 bottom, 1 middle, 2 top.
constexpr int32_t kColumns = 3;
constexpr int32_t kLastCode = 8;

bool IsBasePointCode(int32_t code) {
  return code >= 0 && code <= kLastCode;
}

// Distance from the low edge to the point at `index` (0, 1 or 2) of an edge
// `length` long: 0, the middle, or the far end.
double EdgeOffset(int32_t index, double length) {
  if (index == 1) return length / 2;
  if (index == 2) return length;
  return 0;
}

}  // namespace

// Mirrors the column (left/right), the row (up/down) or both. Codes outside
// 0..8 and flip types outside 0..2 give the code back unchanged.
int32_t MapBasePoint(int32_t code, int32_t flipType) {
  if (!IsBasePointCode(code)) return code;
  const int32_t column = code % kColumns;
  const int32_t row = code / kColumns;
  switch (flipType) {
    case ftLeftRight:
      return (2 - column) + kColumns * row;
    case ftUpDown:
      return column + kColumns * (2 - row);
    case ftBoth:
      return kLastCode - code;
    default:
      return code;
  }
}

// (ox, oy) from the bottom-left corner to base point `code` of a box `w` by
// `h`, in the text's own frame; (0, 0) for a code outside 0..8.
void BasePointOffset(int32_t code, double w, double h, double& ox, double& oy) {
  if (!IsBasePointCode(code)) {
    ox = 0;
    oy = 0;
    return;
  }
  ox = EdgeOffset(code % kColumns, w);
  oy = EdgeOffset(code / kColumns, h);
}

// Finds the text's bottom-left corner from its old base point, then places the
// insertion point on the new base point measured from that corner. The corner
// is kept as a value of its own and the new point built from it by a second
// rotation, so that flipping back reproduces the old point to the last bits.
// A code that maps onto itself, or a result that would not be a finite point
// (absurd sizes that overflow), leaves the record exactly as it was.
void FlipTextBasePoint(TJwwEntText& text, int32_t flipType) {
  const double angle = VectorAngle(text.dx, text.dy);
  const double w = TextWidth(text.text.View(), text.width, text.spacing);
  const double h = text.height;

  double ox = 0;
  double oy = 0;
  BasePointOffset(text.basePoint, w, h, ox, oy);
  double rx = 0;
  double ry = 0;
  RotatePoint(-ox, -oy, 0, 0, angle, rx, ry);
  const double cornerX = text.x + rx;
  const double cornerY = text.y + ry;

  const int32_t newCode = MapBasePoint(text.basePoint, flipType);
  if (newCode == text.basePoint) return;

  double nx = 0;
  double ny = 0;
  BasePointOffset(newCode, w, h, nx, ny);
  RotatePoint(nx, ny, 0, 0, angle, rx, ry);
  const double newX = rx + cornerX;
  const double newY = ry + cornerY;
  if (!std::isfinite(newX) || !std::isfinite(newY)) return;

  text.basePoint = newCode;
  text.x = newX;
  text.y = newY;
}

// Visits the text array in store order; the texts of line-and-text units live
// in their own records and are left alone.
void FlipAllTexts(int32_t flipType, TJwwProgress& progress) {
  const int32_t count = jwwTexts.Count();
  for (int32_t i = 0; i < count; ++i) {
    progress.FlippingText(i + 1, count);
    FlipTextBasePoint(jwwTexts[i], flipType);
  }
}
