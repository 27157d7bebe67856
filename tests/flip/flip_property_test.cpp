// The promise of the flip over many random texts: the text's box stays where
// it is drawn, a second flip restores the record, and nothing else changes.
// The box is measured here from what the generator put into each text, with
// a unit direction vector, independently of the geometry under test.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <sstream>
#include <string>

#include "flip/BasePointFlip.h"
#include "tests/flip/text_records.h"

namespace {

using flip_test::BytesOf;
using flip_test::MakeText;

constexpr int kTexts = 100000;

class Random {
 public:
  explicit Random(uint64_t seed) : engine_(seed) {}
  uint64_t Bits() { return engine_(); }
  // Uniform in [0, n).
  int Below(int n) { return static_cast<int>(Bits() % static_cast<uint64_t>(n)); }
  // Uniform in [lo, hi).
  double Real(double lo, double hi) {
    return lo + (hi - lo) * (static_cast<double>(Bits() >> 11) * 0x1p-53);
  }
  // Log-uniform magnitude in [lo, hi).
  double Magnitude(double lo, double hi) { return std::exp(Real(std::log(lo), std::log(hi))); }
  double Sign() { return Below(2) ? 1.0 : -1.0; }

 private:
  std::mt19937_64 engine_;
};

// A text string together with its width as the sum of its characters' cells
// and the gaps between them.
struct GeneratedText {
  std::string bytes;
  long double width = 0;
};

GeneratedText RandomText(Random& rnd, double cell, double spacing) {
  GeneratedText t;
  const int characters = rnd.Below(5) == 0 ? rnd.Below(3) : rnd.Below(30);
  long double lastGap = 0;
  for (int c = 0; c < characters; ++c) {
    long double cellWidth = 0;
    long double gap = 0;
    switch (rnd.Below(6)) {
      case 0:  // ASCII letters, digits, signs, blank and DEL
        t.bytes += static_cast<char>(0x20 + rnd.Below(0x60));
        cellWidth = cell * 0.5L;
        gap = spacing * 0.5L;
        break;
      case 1:  // half-width katakana and the single bytes 0xA0, 0xFE, 0xFF
      {
        const int pick = rnd.Below(66);
        t.bytes += static_cast<char>(pick < 64 ? 0xA0 + pick : 0xFE + (pick - 64));
        cellWidth = cell * 0.5L;
        gap = spacing * 0.5L;
        break;
      }
      case 2:  // control bytes, NUL included: no width, but a gap after them
        t.bytes += static_cast<char>(rnd.Below(0x20));
        gap = spacing * 0.5L;
        break;
      default:  // two-byte characters, some with a trail byte of any value
      {
        const int lead = rnd.Below(32 + 30);
        t.bytes += static_cast<char>(lead < 32 ? 0x80 + lead : 0xE0 + (lead - 32));
        const bool oddTrail = rnd.Below(8) == 0;
        t.bytes += static_cast<char>(oddTrail ? rnd.Below(256) : 0x40 + rnd.Below(0xBD));
        cellWidth = cell;
        gap = spacing;
        break;
      }
    }
    t.width += cellWidth + gap;
    lastGap = gap;
  }
  if (characters > 0 && rnd.Below(20) == 0) {
    t.bytes += static_cast<char>(0x81 + rnd.Below(0x1F));  // a lone lead byte at the end
    t.width += cell;
  } else {
    t.width -= lastGap;  // no gap after the last character
  }
  return t;
}

struct Direction {
  double dx, dy;
};

Direction RandomDirection(Random& rnd) {
  const double length = rnd.Magnitude(1e-9, 1e9);
  switch (rnd.Below(6)) {
    case 0:  // zero, or both components below the threshold
      if (rnd.Below(2)) return {0.0 * rnd.Sign(), 0.0 * rnd.Sign()};
      return {rnd.Sign() * rnd.Real(0, 9.99e-11), rnd.Sign() * rnd.Real(0, 9.99e-11)};
    case 1:  // exactly along an axis
      return rnd.Below(2) ? Direction{rnd.Sign() * length, 0.0 * rnd.Sign()}
                          : Direction{0.0 * rnd.Sign(), rnd.Sign() * length};
    case 2:  // a hair off an axis
    {
      const double off = rnd.Sign() * length * rnd.Magnitude(1e-300, 1e-6);
      return rnd.Below(2) ? Direction{rnd.Sign() * length, off}
                          : Direction{off, rnd.Sign() * length};
    }
    case 3:  // one component tiny, the other just above the threshold
    {
      const double tiny = rnd.Sign() * rnd.Real(0, 9.99e-11);
      const double small = rnd.Sign() * rnd.Real(1e-10, 1e-9);
      return rnd.Below(2) ? Direction{tiny, small} : Direction{small, tiny};
    }
    default: {
      const double t = rnd.Real(-4, 4);
      return {length * std::cos(t), length * std::sin(t)};
    }
  }
}

double RandomSize(Random& rnd, double lo, double hi) {
  return rnd.Below(25) == 0 ? 0.0 : rnd.Magnitude(lo, hi);
}

// The new code as the mirror of column and row; any other input keeps it.
int32_t MirroredCode(int32_t code, int32_t type) {
  if (code < 0 || code > 8 || type < 0 || type > 2) return code;
  const int32_t column = code % 3;
  const int32_t row = code / 3;
  const bool mirrorColumn = type != 1;
  const bool mirrorRow = type != 0;
  return (mirrorColumn ? 2 - column : column) + 3 * (mirrorRow ? 2 - row : row);
}

struct Point {
  long double x, y;
};

// The four corners of the box anchored at (x, y) by `code`, from the unit
// direction of (dx, dy): bottom-left, bottom-right, top-left, top-right.
void BoxCorners(const TJwwEntText& t, long double w, Point corners[4]) {
  long double ux = 1;
  long double uy = 0;
  if (!(std::fabs(t.dx) < 1e-10 && std::fabs(t.dy) < 1e-10)) {
    const long double length = std::hypot(static_cast<long double>(t.dx), t.dy);
    ux = t.dx / length;
    uy = t.dy / length;
  }
  const long double vx = -uy;  // towards the top of the characters
  const long double vy = ux;
  const long double along = (t.basePoint % 3) * 0.5L * w;
  const long double across = (t.basePoint / 3) * 0.5L * t.height;
  const long double left = t.x - along * ux - across * vx;
  const long double bottom = t.y - along * uy - across * vy;
  for (int k = 0; k < 4; ++k) {
    const long double a = (k & 1) ? w : 0;
    const long double b = (k & 2) ? t.height : 0;
    corners[k] = {left + a * ux + b * vx, bottom + a * uy + b * vy};
  }
}

// Collects the first few failures with the inputs that caused them.
class Failures {
 public:
  template <class... Parts>
  void Add(int index, const TJwwEntText& t, int32_t type, const Parts&... parts) {
    ++count_;
    if (count_ > 5) return;
    std::ostringstream line;
    line.precision(17);
    line << "text " << index << " code " << t.basePoint << " type " << type << " at (" << t.x
         << ", " << t.y << ") dir (" << t.dx << ", " << t.dy << ") w/h/s " << t.width << "/"
         << t.height << "/" << t.spacing << ": ";
    (line << ... << parts);
    report_ += line.str() + "\n";
  }
  int Count() const { return count_; }
  const std::string& Report() const { return report_; }

 private:
  int count_ = 0;
  std::string report_;
};

TEST(FlipProperty, BoxStaysInPlaceAndSecondFlipRestores) {
  JwwInit();
  Random rnd(0x5EED0F11B);
  Failures failures;
  int flipped = 0;
  for (int i = 0; i < kTexts; ++i) {
    const double cell = RandomSize(rnd, 0.01, 100);
    const double height = RandomSize(rnd, 0.01, 100);
    const double spacing = rnd.Below(4) == 0 ? 0.0 : rnd.Real(-0.5, 10);
    const GeneratedText text = RandomText(rnd, cell, spacing);
    const Direction dir = RandomDirection(rnd);
    const double reach = rnd.Below(10) == 0 ? 1e6 : 1e4;
    const double x = rnd.Real(-reach, reach);
    const double y = rnd.Real(-reach, reach);
    const int32_t code =
        rnd.Below(50) == 0 ? (rnd.Below(2) ? -1 : 9 + rnd.Below(100)) : rnd.Below(9);
    const int32_t type = rnd.Below(50) == 0 ? (rnd.Below(2) ? -1 : 3) : rnd.Below(3);

    TJwwEntText record = MakeText(text.bytes, cell, height, spacing, code, x, y, dir.dx, dir.dy);
    record.textKind = rnd.Below(10);
    record.head.layerGroup = rnd.Below(16);
    const TJwwEntText original = record;
    const auto before = BytesOf(record);

    FlipTextBasePoint(record, type);
    const int32_t expectedCode = MirroredCode(code, type);
    if (record.basePoint != expectedCode) {
      failures.Add(i, original, type, "code became ", record.basePoint);
      continue;
    }
    if (expectedCode == code) {
      if (BytesOf(record) != before) failures.Add(i, original, type, "untouched record changed");
      continue;
    }
    ++flipped;

    // Only the base point and the insertion point may differ.
    auto after = BytesOf(record);
    std::memcpy(after.data() + offsetof(TJwwEntText, basePoint), &original.basePoint,
                sizeof original.basePoint);
    std::memcpy(after.data() + offsetof(TJwwEntText, x), &original.x, sizeof original.x);
    std::memcpy(after.data() + offsetof(TJwwEntText, y), &original.y, sizeof original.y);
    if (after != before) failures.Add(i, original, type, "another field changed");

    const long double w = text.width;
    const long double boxSize = std::fabs(w) + std::fabs(original.height);
    const long double tolerance =
        1e-12L * boxSize + 1e-14L * (std::fabs(original.x) + std::fabs(original.y));
    Point oldCorners[4];
    Point newCorners[4];
    BoxCorners(original, w, oldCorners);
    BoxCorners(record, w, newCorners);
    for (int k = 0; k < 4; ++k) {
      const long double drift =
          std::hypot(newCorners[k].x - oldCorners[k].x, newCorners[k].y - oldCorners[k].y);
      if (!(drift <= tolerance)) {
        failures.Add(i, original, type, "corner ", k, " moved by ", static_cast<double>(drift));
        break;
      }
    }

    FlipTextBasePoint(record, type);
    const double lastBits =
        8 * DBL_EPSILON * (std::fabs(x) + std::fabs(y) + static_cast<double>(boxSize));
    if (record.basePoint != code || !(std::fabs(record.x - x) <= lastBits) ||
        !(std::fabs(record.y - y) <= lastBits)) {
      failures.Add(i, original, type, "second flip gave code ", record.basePoint, " at (", record.x,
                   ", ", record.y, ")");
    }
  }
  JwwRelease();
  EXPECT_EQ(failures.Count(), 0) << failures.Report();
  EXPECT_GT(flipped, kTexts / 2);  // the generator mostly makes texts that move
}

}  // namespace
