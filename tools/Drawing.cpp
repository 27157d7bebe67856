#include "Drawing.h"

#include "transfer/JwwGaibu.h"

namespace {

DrawnText CopyText(const TJwwEntText& t) {
  DrawnText d;
  d.text = std::string(t.text.View());
  d.fontName = std::string(t.fontName.View());
  d.textKind = t.textKind;
  d.basePoint = t.basePoint;
  d.textType = t.textType;
  d.width = t.width;
  d.height = t.height;
  d.spacing = t.spacing;
  d.x = t.x;
  d.y = t.y;
  d.dx = t.dx;
  d.dy = t.dy;
  d.layerGroup = t.head.layerGroup;
  d.layer = t.head.layer;
  d.colour = t.head.colour;
  d.zFlags = t.head.zFlags;
  return d;
}

DrawnSolid PolygonSolid(std::initializer_list<std::array<double, 2>> corners) {
  return DrawnSolid{corners, false, {}};
}

template <size_t N>
DrawnSolid CurvedSolid(const double (&values)[N]) {
  DrawnSolid s{{}, true, {}};
  for (size_t i = 0; i < N; ++i) s.values[i] = values[i];
  return s;
}

// Adds each record to the drawing, one overload per record type; "sc" and
// "se" share a record type, and so do "so" and "sg".
struct TCapture {
  Drawing& d;

  void operator()(const TJwwEntLine& e) {
    d.segments.push_back({e.x1, e.y1, e.x2, e.y2, e.head.colour});
  }
  void operator()(const TJwwEntCircle& e) {
    d.circles.push_back({e.cx, e.cy, e.radius, false, 0, 360, 1, 0, e.head.colour});
  }
  void operator()(const TJwwEntArc& e) {
    d.circles.push_back(
        {e.cx, e.cy, e.radius, true, e.startAngle, e.endAngle, e.flatness, e.tilt, e.head.colour});
  }
  void operator()(const TJwwEntText& e) { d.texts.push_back(CopyText(e)); }
  void operator()(const TJwwEntPoint& e) { d.points.push_back({e.x, e.y}); }
  void operator()(const TJwwEntPointEx& e) { d.points.push_back({e.x, e.y}); }
  void operator()(const TJwwEntLineText& e) {
    DrawnText t = CopyText(e.text);
    t.inLineTextUnit = true;
    t.unitLine = {e.line.x1, e.line.y1, e.line.x2, e.line.y2};
    d.texts.push_back(t);
    d.segments.push_back({e.line.x1, e.line.y1, e.line.x2, e.line.y2, e.line.head.colour});
  }
  void operator()(const TJwwEntBlk& e) {
    const bool named = e.blockName < blockNames.size();
    d.blocks.push_back({e.x, e.y, named ? blockNames[e.blockName] : std::string()});
  }
  void operator()(const TJwwEntSolid2& e) {
    d.solids.push_back(PolygonSolid({{e.x1, e.y1}, {e.x2, e.y2}}));
  }
  void operator()(const TJwwEntSolid3& e) {
    d.solids.push_back(PolygonSolid({{e.x1, e.y1}, {e.x2, e.y2}, {e.x3, e.y3}}));
  }
  void operator()(const TJwwEntSolid4& e) {
    d.solids.push_back(PolygonSolid({{e.x1, e.y1}, {e.x2, e.y2}, {e.x3, e.y3}, {e.x4, e.y4}}));
  }
  void operator()(const TJwwEntSolidSc& e) { d.solids.push_back(CurvedSolid(e.values)); }
  void operator()(const TJwwEntSolidSo& e) { d.solids.push_back(CurvedSolid(e.values)); }
};

}  // namespace

Drawing CaptureDrawing() {
  Drawing d;
  TCapture capture{d};
  for (int32_t i = 0; i < entityOrder.Count(); ++i) {
    JwwVisitEntity(entityOrder[i],
                   [&capture](const auto&, const auto& record) { capture(record); });
  }
  for (int k = 0; k < 10; ++k) d.textTypes[k] = jwwHeader.textTypes[k];
  d.firstFontName = initialAttributes.initialFontName;
  return d;
}

void AppendDrawing(Drawing& into, const Drawing& from) {
  auto append = [](auto& to, const auto& more) { to.insert(to.end(), more.begin(), more.end()); };
  append(into.texts, from.texts);
  append(into.segments, from.segments);
  append(into.circles, from.circles);
  append(into.points, from.points);
  append(into.solids, from.solids);
  append(into.blocks, from.blocks);
}

bool LoadDrawing(const std::string& path, const std::array<TJwwTextType, 10>* textTypes,
                 Drawing& drawing) {
  JwwInit();
  if (textTypes != nullptr) {
    for (int k = 0; k < 10; ++k) jwwHeader.textTypes[k] = (*textTypes)[k];
  }
  bool complete = JwwReadFile(path);
  drawing = CaptureDrawing();
  return complete;
}
