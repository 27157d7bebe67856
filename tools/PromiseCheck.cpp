#include "PromiseCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "ShiftJisDisplay.h"
#include "common/MyFunc.h"

namespace {

// How many units in the 15th significant digit a value may be off.
constexpr double kLastPlaceUnits = 4;

}  // namespace

double PromiseTolerance(double magnitude) {
  magnitude = std::fabs(magnitude);
  if (!std::isfinite(magnitude) || magnitude == 0) return kPromiseTolerance;
  const double lastPlace = std::pow(10.0, std::floor(std::log10(magnitude)) - 14);
  return std::max(kPromiseTolerance, kLastPlaceUnits * lastPlace);
}

// The box is computed here on its own, not with the flip's helpers, so that a
// fault in those cannot hide itself by agreeing with the check.
std::array<std::array<double, 2>, 4> TextBoxCorners(const DrawnText& text) {
  double angle = 0;
  if (std::fabs(text.dx) >= 1e-10 || std::fabs(text.dy) >= 1e-10) {
    angle = std::atan2(text.dy, text.dx);
  }
  const double c = std::cos(angle), s = std::sin(angle);
  const double w = TextWidth(text.text, text.width, text.spacing);
  const double h = text.height;
  const int code = (text.basePoint >= 0 && text.basePoint <= 8) ? text.basePoint : 0;
  const double anchorU = (code % 3) * w / 2, anchorV = (code / 3) * h / 2;
  const double local[4][2] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
  std::array<std::array<double, 2>, 4> corners;
  for (int k = 0; k < 4; ++k) {
    const double u = local[k][0] - anchorU, v = local[k][1] - anchorV;
    corners[k] = {text.x + u * c - v * s, text.y + u * s + v * c};
  }
  return corners;
}

namespace {

bool IsBlank(std::string_view s) {
  std::string buffer(s.size(), '\0');
  return StripBlanks(s, buffer.data()).empty();
}

constexpr double kWriterTolerance = 1e-8;

}  // namespace

bool TextLeftOutByTool(const DrawnText& text) {
  if (std::fabs(text.dx) <= kWriterTolerance && std::fabs(text.dy) <= kWriterTolerance) {
    return true;
  }
  if (text.inLineTextUnit) {
    const auto& l = text.unitLine;
    return std::fabs(l[0] - l[2]) < kWriterTolerance && std::fabs(l[1] - l[3]) < kWriterTolerance;
  }
  return IsBlank(text.text);
}

namespace {

// The mirror of `code` for `flipType`, worked out from column and row.
int ExpectedBasePoint(int code, int flipType, bool inUnit) {
  if (inUnit || code < 0 || code > 8) return code;
  int column = code % 3, row = code / 3;
  if (flipType == 0 || flipType == 2) column = 2 - column;
  if (flipType == 1 || flipType == 2) row = 2 - row;
  if (flipType < 0 || flipType > 2) return code;
  return column + 3 * row;
}

std::string Format(const char* format, double a, double b = 0, double c = 0) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, format, a, b, c);
  return buffer;
}

bool Near(double a, double b) {
  return std::fabs(a - b) <= PromiseTolerance(std::max(std::fabs(a), std::fabs(b)));
}

// The largest magnitude among the coordinates of two sets of corners.
double Magnitude(const std::array<std::array<double, 2>, 4>& a,
                 const std::array<std::array<double, 2>, 4>& b) {
  double m = 0;
  for (const auto* corners : {&a, &b}) {
    for (const auto& c : *corners) m = std::max({m, std::fabs(c[0]), std::fabs(c[1])});
  }
  return m;
}

// The font a text comes back in: an empty name, or "<>", is written as the
// first font of the file.
const std::string& FontWrittenBack(const DrawnText& text, const std::string& firstFontName) {
  return text.fontName.empty() || text.fontName == "<>" ? firstFontName : text.fontName;
}

// Every way in which `after` breaks the promise for `before`, joined by "; ".
std::string Differences(const DrawnText& before, const DrawnText& after, int flipType,
                        const std::string& firstFontName) {
  std::vector<std::string> found;
  // A blank unit text comes back as the measured length of its line.
  const bool measuredText = before.inLineTextUnit && IsBlank(before.text);
  if (before.text != after.text && !measuredText) {
    found.push_back("string became \"" + SjisToUtf8(after.text) + "\"");
  }
  if (!Near(before.dx, after.dx) || !Near(before.dy, after.dy)) {
    found.push_back(Format("direction became (%.9g, %.9g)", after.dx, after.dy));
  }
  if (!measuredText) {
    const auto b = TextBoxCorners(before), a = TextBoxCorners(after);
    const double tolerance = PromiseTolerance(Magnitude(a, b));
    static const char* kCornerNames[4] = {"bottom-left", "bottom-right", "top-right", "top-left"};
    for (int k = 0; k < 4; ++k) {
      const double moved = std::hypot(a[k][0] - b[k][0], a[k][1] - b[k][1]);
      if (!(moved <= tolerance)) {
        found.push_back(std::string(kCornerNames[k]) + Format(" corner moved by %.9g", moved));
      }
    }
  }
  if (!Near(before.width, after.width) || !Near(before.height, after.height) ||
      !Near(before.spacing, after.spacing)) {
    found.push_back(
        Format("size became %.9g x %.9g spacing %.9g", after.width, after.height, after.spacing));
  }
  if (before.inLineTextUnit != after.inLineTextUnit) found.push_back("kind of entity changed");
  if (!before.inLineTextUnit && before.textKind != after.textKind) {
    found.push_back(Format("keyword changed (%g to %g)", before.textKind, after.textKind));
  }
  if (before.textType != after.textType) {
    found.push_back(Format("text type changed (%g to %g)", before.textType, after.textType));
  }
  if (FontWrittenBack(before, firstFontName) != after.fontName) {
    found.push_back("font became " + SjisToUtf8(after.fontName));
  }
  if (before.layerGroup != after.layerGroup || before.layer != after.layer) {
    found.push_back(Format("layer became %g-%g", after.layerGroup, after.layer));
  }
  if (before.colour != after.colour) found.push_back(Format("colour became %g", after.colour));
  if (before.zFlags != after.zFlags) found.push_back(Format("z flags became %g", after.zFlags));
  if (flipType != kFlipTypeUnknown) {
    const int expected = ExpectedBasePoint(before.basePoint, flipType, before.inLineTextUnit);
    if (after.basePoint != expected) {
      found.push_back(Format("base point %g became %g, expected %g", before.basePoint,
                             after.basePoint, expected));
    }
  }
  std::string joined;
  for (const auto& f : found) joined += (joined.empty() ? "" : "; ") + f;
  return joined;
}

std::string NameText(int number, const DrawnText& t) {
  return "text " + std::to_string(number) + " \"" + SjisToUtf8(t.text) + "\"" +
         Format(" at (%.9g, %.9g)", t.x, t.y);
}

}  // namespace

std::string PromiseReport::Summary() const {
  std::string s = "promise: " + std::to_string(checked) + " texts checked, " +
                  std::to_string(flipped) + " flipped, " + std::to_string(leftOut) +
                  " left out by design, ";
  if (handedOver >= 0) {
    s += std::to_string(answered) + " of " + std::to_string(handedOver) +
         " entities handed over came back, ";
  }
  if (broken.empty()) return s + "every text kept its box";
  return s + std::to_string(broken.size()) + " broke the promise";
}

PromiseReport CheckPromise(const std::vector<DrawnText>& before,
                           const std::vector<DrawnText>& after, int flipType,
                           const std::string& firstFontName) {
  PromiseReport report;
  size_t next = 0;  // the next text of `after` to match
  for (size_t i = 0; i < before.size(); ++i) {
    const DrawnText& b = before[i];
    const int number = static_cast<int>(i) + 1;
    if (TextLeftOutByTool(b)) {
      ++report.leftOut;
      continue;
    }
    if (next >= after.size()) {
      report.broken.push_back(NameText(number, b) + ": missing from the result");
      continue;
    }
    const DrawnText& a = after[next++];
    ++report.checked;
    if (a.basePoint != b.basePoint) ++report.flipped;
    std::string differences = Differences(b, a, flipType, firstFontName);
    if (!differences.empty()) report.broken.push_back(NameText(number, b) + ": " + differences);
  }
  for (; next < after.size(); ++next) {
    report.broken.push_back("result text " + std::to_string(next + 1) + " \"" +
                            SjisToUtf8(after[next].text) + "\": not in the selection");
  }
  return report;
}

void CheckEntityCount(const EntityCounts& handedOver, const EntityCounts& answered,
                      PromiseReport& report) {
  report.handedOver = handedOver.Total();
  report.answered = answered.Total();
  const int expected = report.handedOver - report.leftOut;
  if (report.answered == expected) return;
  const int off = report.answered - expected;
  report.broken.push_back(
      "the answer holds " + std::to_string(report.answered) + " entities (" +
      std::to_string(answered.texts) + " texts) where " + std::to_string(report.handedOver) +
      " were handed over (" + std::to_string(handedOver.texts) + " texts, " +
      std::to_string(report.leftOut) + " left out by design): " +
      (off < 0 ? std::to_string(-off) + " lost" : std::to_string(off) + " more"));
}

void CheckNotDrawnTwice(const EntityCounts& selectedNotErased, PromiseReport& report) {
  const int n = selectedNotErased.Total();
  if (n == 0) return;
  report.broken.push_back(std::to_string(n) + (n == 1 ? " entity" : " entities") +
                          " handed over but not erased (#ht1..#ht4) drawn twice: "
                          "the original and the answer's copy");
}
