#include "Drawing.h"

#include "transfer/JwwReader.h"

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

void CaptureEntity(const TJwwEntRef& ref, Drawing& d) {
  const int32_t i = ref.index;
  switch (ref.kind) {
    case jekLine: {
      const auto& e = jwwLines[i];
      d.segments.push_back({e.x1, e.y1, e.x2, e.y2, e.head.colour});
      break;
    }
    case jekCircle: {
      const auto& e = jwwCircles[i];
      d.circles.push_back({e.cx, e.cy, e.radius, false, 0, 360, 1, 0, e.head.colour});
      break;
    }
    case jekArc: {
      const auto& e = jwwArcs[i];
      d.circles.push_back({e.cx, e.cy, e.radius, true, e.startAngle, e.endAngle, e.flatness, e.tilt,
                           e.head.colour});
      break;
    }
    case jekText:
      d.texts.push_back(CopyText(jwwTexts[i]));
      break;
    case jekPoint:
      d.points.push_back({jwwPoints[i].x, jwwPoints[i].y});
      break;
    case jekPointEx:
      d.points.push_back({jwwPointExs[i].x, jwwPointExs[i].y});
      break;
    case jekLineText: {
      const auto& e = jwwLineTexts[i];
      DrawnText t = CopyText(e.text);
      t.inLineTextUnit = true;
      t.unitLine = {e.line.x1, e.line.y1, e.line.x2, e.line.y2};
      d.texts.push_back(t);
      d.segments.push_back({e.line.x1, e.line.y1, e.line.x2, e.line.y2, e.line.head.colour});
      break;
    }
    case jekBlk: {
      const auto& e = jwwBlks[i];
      const bool named = e.blockName < blockNames.size();
      d.blocks.push_back({e.x, e.y, named ? blockNames[e.blockName] : std::string()});
      break;
    }
    case jekSolid2: {
      const auto& e = jwwSolid2s[i];
      d.solids.push_back(PolygonSolid({{e.x1, e.y1}, {e.x2, e.y2}}));
      break;
    }
    case jekSolid3: {
      const auto& e = jwwSolid3s[i];
      d.solids.push_back(PolygonSolid({{e.x1, e.y1}, {e.x2, e.y2}, {e.x3, e.y3}}));
      break;
    }
    case jekSolid4: {
      const auto& e = jwwSolid4s[i];
      d.solids.push_back(PolygonSolid({{e.x1, e.y1}, {e.x2, e.y2}, {e.x3, e.y3}, {e.x4, e.y4}}));
      break;
    }
    case jekSolidSc:
      d.solids.push_back(CurvedSolid(jwwSolidScs[i].values));
      break;
    case jekSolidSe:
      d.solids.push_back(CurvedSolid(jwwSolidSes[i].values));
      break;
    case jekSolidSo:
      d.solids.push_back(CurvedSolid(jwwSolidSos[i].values));
      break;
    case jekSolidSg:
      d.solids.push_back(CurvedSolid(jwwSolidSgs[i].values));
      break;
    default:
      break;
  }
}

}  // namespace

Drawing CaptureDrawing() {
  Drawing d;
  for (int32_t i = 0; i < entityOrder.Count(); ++i) CaptureEntity(entityOrder[i], d);
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
