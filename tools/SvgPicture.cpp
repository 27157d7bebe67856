#include "SvgPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

#include "PromiseCheck.h"
#include "ShiftJisDisplay.h"
#include "common/MyFunc.h"

namespace {

constexpr double kPanelWidth = 1000;  // pixels of one panel's drawing area
constexpr double kMargin = 24;
constexpr double kTitleHeight = 28;
constexpr double kDegree = std::numbers::pi / 180;

struct Extent {
  double minX = std::numeric_limits<double>::infinity(), minY = minX;
  double maxX = -minX, maxY = -minX;
  void Add(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    minX = std::min(minX, x), maxX = std::max(maxX, x);
    minY = std::min(minY, y), maxY = std::max(maxY, y);
  }
  bool Empty() const { return minX > maxX; }
};

void AddDrawing(const Drawing& d, Extent& e) {
  for (const auto& s : d.segments) e.Add(s.x1, s.y1), e.Add(s.x2, s.y2);
  for (const auto& c : d.circles) {
    e.Add(c.cx - c.radius, c.cy - c.radius), e.Add(c.cx + c.radius, c.cy + c.radius);
  }
  for (const auto& p : d.points) e.Add(p.x, p.y);
  for (const auto& b : d.blocks) e.Add(b.x, b.y);
  for (const auto& s : d.solids) {
    for (const auto& c : s.corners) e.Add(c[0], c[1]);
    if (s.curved) {
      const double r = std::fabs(s.values[2]);
      e.Add(s.values[0] - r, s.values[1] - r), e.Add(s.values[0] + r, s.values[1] + r);
    }
  }
  for (const auto& t : d.texts) {
    for (const auto& c : TextBoxCorners(t)) e.Add(c[0], c[1]);
  }
}

// Maps drawing coordinates of one panel to picture pixels, y turned down.
struct PanelMap {
  double scale, originX, originY;  // origin: pixel of the extent's (minX, maxY)
  double minX, maxY;
  double X(double x) const { return originX + (x - minX) * scale; }
  double Y(double y) const { return originY + (maxY - y) * scale; }
};

std::string Num(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%.2f", std::isfinite(v) ? v : 0.0);
  return b;
}

// Points along an elliptical arc: centre, radius, flatness (minor/major),
// tilt of the major axis, from `start` to `end` degrees counter-clockwise.
std::vector<std::array<double, 2>> ArcPoints(double cx, double cy, double r, double flatness,
                                             double tilt, double start, double end) {
  double sweep = end - start;
  while (sweep <= 0) sweep += 360;
  if (sweep > 360) sweep = 360;
  const int steps = std::max(8, static_cast<int>(sweep / 4));
  std::vector<std::array<double, 2>> pts;
  const double ct = std::cos(tilt * kDegree), st = std::sin(tilt * kDegree);
  for (int i = 0; i <= steps; ++i) {
    const double a = (start + sweep * i / steps) * kDegree;
    const double u = r * std::cos(a), v = r * flatness * std::sin(a);
    pts.push_back({cx + u * ct - v * st, cy + u * st + v * ct});
  }
  return pts;
}

std::string Polyline(const PanelMap& m, const std::vector<std::array<double, 2>>& pts,
                     const char* element, const char* style) {
  std::string s = "<";
  s.append(element).append(" points=\"");
  for (const auto& p : pts) s += Num(m.X(p[0])) + "," + Num(m.Y(p[1])) + " ";
  return s + "\" " + style + "/>\n";
}

void DrawShapes(const Drawing& d, const PanelMap& m, std::string& out) {
  for (const auto& s : d.segments) {
    out += "<line x1=\"" + Num(m.X(s.x1)) + "\" y1=\"" + Num(m.Y(s.y1)) + "\" x2=\"" +
           Num(m.X(s.x2)) + "\" y2=\"" + Num(m.Y(s.y2)) + "\" class=\"ln\"/>\n";
  }
  for (const auto& c : d.circles) {
    if (!c.isArc) {
      out += "<circle cx=\"" + Num(m.X(c.cx)) + "\" cy=\"" + Num(m.Y(c.cy)) + "\" r=\"" +
             Num(c.radius * m.scale) + "\" class=\"ln\"/>\n";
    } else {
      out +=
          Polyline(m, ArcPoints(c.cx, c.cy, c.radius, c.flatness, c.tilt, c.startAngle, c.endAngle),
                   "polyline", "class=\"ln\"");
    }
  }
  for (const auto& p : d.points) {
    out += "<circle cx=\"" + Num(m.X(p.x)) + "\" cy=\"" + Num(m.Y(p.y)) +
           "\" r=\"1.5\" class=\"pt\"/>\n";
  }
  for (const auto& b : d.blocks) {
    // The figure's contents are not in the transfer file: a marker and its name.
    const double x = m.X(b.x), y = m.Y(b.y);
    out += "<rect x=\"" + Num(x - 4) + "\" y=\"" + Num(y - 4) +
           "\" width=\"8\" height=\"8\" class=\"bl\"/>\n<text x=\"" + Num(x + 6) + "\" y=\"" +
           Num(y + 3) + "\" class=\"bln\">" + XmlEscape(SjisToUtf8(b.name)) + "</text>\n";
  }
  for (const auto& s : d.solids) {
    if (s.curved) {
      const auto& v = s.values;
      out += Polyline(m, ArcPoints(v[0], v[1], v[2], v[5], v[6], v[3], v[4]), "polygon",
                      "class=\"sd\"");
    } else if (s.corners.size() == 2) {
      out += Polyline(m, s.corners, "polyline", "class=\"sl\"");
    } else {
      out += Polyline(m, s.corners, "polygon", "class=\"sd\"");
    }
  }
}

void DrawText(const DrawnText& t, const PanelMap& m, std::string& out) {
  const auto box = TextBoxCorners(t);
  out += Polyline(m, {box.begin(), box.end()}, "polygon", "class=\"box\"");
  const double w = TextWidth(t.text, t.width, t.spacing);
  const std::string shown = XmlEscape(SjisToUtf8(t.text));
  double angle = 0;
  if (std::fabs(t.dx) >= 1e-10 || std::fabs(t.dy) >= 1e-10) angle = std::atan2(t.dy, t.dx);
  const double degrees = -angle / kDegree;  // pixels run downwards
  if (!shown.empty() && w > 0 && t.height > 0) {
    const std::string x = Num(m.X(box[0][0])), y = Num(m.Y(box[0][1]));
    out += "<text x=\"" + x + "\" y=\"" + y + "\" font-size=\"" + Num(t.height * m.scale) +
           "\" textLength=\"" + Num(w * m.scale) +
           "\" lengthAdjust=\"spacingAndGlyphs\" transform=\"rotate(" + Num(degrees) + " " + x +
           " " + y + ")\">" + shown + "</text>\n";
  }
  const std::string ax = Num(m.X(t.x)), ay = Num(m.Y(t.y));
  out += "<circle cx=\"" + ax + "\" cy=\"" + ay + "\" r=\"1.8\" class=\"anchor\"/>\n";
  out += "<text x=\"" + Num(m.X(t.x) + 3) + "\" y=\"" + Num(m.Y(t.y) - 3) + "\" class=\"code\">" +
         std::to_string(t.basePoint) + "</text>\n";
}

void DrawPanel(const Drawing& d, const std::string& title, const PanelMap& m, double left,
               std::string& out) {
  out += "<text x=\"" + Num(left + kMargin) + "\" y=\"" + Num(kTitleHeight - 8) +
         "\" class=\"title\">" + XmlEscape(title) + "</text>\n<g>\n";
  DrawShapes(d, m, out);
  for (const auto& t : d.texts) DrawText(t, m, out);
  out += "</g>\n";
}

void AppendUtf8Valid(std::string& out, const std::string& s, size_t& i) {
  // Copies one UTF-8 sequence starting at s[i]; drops a malformed one.
  const auto b = static_cast<unsigned char>(s[i]);
  const size_t length = b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
  if (b >= 0x80 && b < 0xC0) {
    i += 1;
    return;
  }
  if (i + length > s.size()) {
    i = s.size();
    return;
  }
  for (size_t k = 1; k < length; ++k) {
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
      i += k;
      return;
    }
  }
  out.append(s, i, length);
  i += length;
}

}  // namespace

std::string XmlEscape(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      switch (b) {
        case '&':
          out += "&amp;";
          break;
        case '<':
          out += "&lt;";
          break;
        case '>':
          out += "&gt;";
          break;
        case '"':
          out += "&quot;";
          break;
        default:
          if (b >= 0x20 || b == '\t' || b == '\n' || b == '\r') out += static_cast<char>(b);
      }
      ++i;
    } else {
      AppendUtf8Valid(out, utf8, i);
    }
  }
  return out;
}

std::string RenderBeforeAfterSvg(const Drawing& before, const std::string& beforeTitle,
                                 const Drawing& after, const std::string& afterTitle) {
  Extent e;
  AddDrawing(before, e);
  AddDrawing(after, e);
  if (e.Empty()) e.Add(0, 0), e.Add(1, 1);
  const double spanX = std::max(e.maxX - e.minX, 1e-9), spanY = std::max(e.maxY - e.minY, 1e-9);
  const double scale = kPanelWidth / std::max(spanX, spanY * 1.0);
  const double panelW = spanX * scale + 2 * kMargin;
  const double panelH = spanY * scale + 2 * kMargin + kTitleHeight;

  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(2 * panelW) + "\" height=\"" +
         Num(panelH) + "\" viewBox=\"0 0 " + Num(2 * panelW) + " " + Num(panelH) + "\">\n";
  out +=
      "<style>\n"
      "text { font-family: 'IPAGothic', 'IPA Gothic', 'MS Gothic', sans-serif; fill: #111; }\n"
      ".ln { fill: none; stroke: #555; stroke-width: 0.8; }\n"
      ".sl { fill: none; stroke: #777; stroke-width: 3; }\n"
      ".sd { fill: #bbb; stroke: none; }\n"
      ".pt { fill: #333; }\n"
      ".bl { fill: none; stroke: #8e44ad; stroke-width: 1.2; }\n"
      ".bln { font-size: 8px; fill: #8e44ad; }\n"
      ".box { fill: none; stroke: #2a6fdb; stroke-width: 0.5; }\n"
      ".anchor { fill: #d62728; }\n"
      ".code { font-size: 7px; fill: #d62728; }\n"
      ".title { font-size: 16px; font-weight: bold; }\n"
      "</style>\n";
  out += "<rect x=\"0\" y=\"0\" width=\"" + Num(2 * panelW) + "\" height=\"" + Num(panelH) +
         "\" fill=\"#fff\"/>\n";
  out += "<line x1=\"" + Num(panelW) + "\" y1=\"0\" x2=\"" + Num(panelW) + "\" y2=\"" +
         Num(panelH) + "\" stroke=\"#999\" stroke-dasharray=\"4 3\"/>\n";
  for (int panel = 0; panel < 2; ++panel) {
    const double left = panel * panelW;
    const PanelMap m{scale, left + kMargin, kTitleHeight + kMargin, e.minX, e.maxY};
    DrawPanel(panel == 0 ? before : after, panel == 0 ? beforeTitle : afterTitle, m, left, out);
  }
  out += "</svg>\n";
  return out;
}
