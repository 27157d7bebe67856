#include "app/WindowPlacement.h"

#include <algorithm>
#include <climits>

namespace {

// Keeps right and bottom edges within the coordinate range even for
// positions near INT_MAX.
LONG ClampedEdge(int64_t value) {
  return static_cast<LONG>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

}  // namespace

POINT VisibleOrigin(int32_t left, int32_t top, SIZE size) {
  const RECT rect{left, top, ClampedEdge(int64_t{left} + size.cx),
                  ClampedEdge(int64_t{top} + size.cy)};
  if (!MonitorFromRect(&rect, MONITOR_DEFAULTTONULL)) return {0, 0};
  return {left, top};
}
