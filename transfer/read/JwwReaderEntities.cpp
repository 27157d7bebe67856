// Entity records made from transfer-file lines. Each entity is added as one
// step: its entry in the entity order and its record appear together or,
// when memory runs out, neither does, so the order never names a record that
// is missing.
#include "transfer/read/JwwReaderEntities.h"

#include <cmath>
#include <string_view>

#include "common/MyFunc.h"
#include "transfer/store/JwwStore.h"

namespace {

double Real(const TJwwLineTokens& tokens, int i) {
  return tokens.Real(i);
}
int32_t Int(const TJwwLineTokens& tokens, int i) {
  return TextToInt(tokens[i]);
}

// Adds (kind, next index) to the entity order, then appends the record and
// fills its header. If the append fails the order entry is taken back.
template <class T>
T& NewEntity(TJwwBlockList<T>& list, int32_t kind) {
  JwwAddRef(kind, list.Count());
  try {
    T& record = list.Append();
    JwwFillHead(record.head);
    return record;
  } catch (...) {
    entityOrder.DropLast();
    throw;
  }
}

// The state that collects for one entity is spent by it.
void EndEntity() {
  currentAttributes.curZFlags = 0;
  currentAttributes.curIndicatedPointNo = 0;
  inPolyline = false;
  lineTextPending = false;
}

// Fills a text record (header included) from the current line and the
// current text attributes; the two strings are already stored.
void FillText(TJwwEntText& text, const TJwwLineTokens& tokens, int32_t textKind,
              TJwwShortStr fontName, TJwwShortStr body) {
  const TJwwCurrentAttributes& cur = currentAttributes;
  JwwFillHead(text.head);
  text.textKind = textKind;
  text.basePoint = cur.curBasePoint;
  text.textType = cur.curTextType;
  if (cur.curTextType >= 1 && cur.curTextType <= 10) {
    const TJwwTextType& type = jwwHeader.textTypes[cur.curTextType - 1];
    text.width = type.width;
    text.height = type.height;
    text.spacing = type.spacing;
    text.head.colour = type.colour;
  } else {
    text.width = cur.curFreeWidth;
    text.height = cur.curFreeHeight;
    text.spacing = cur.curFreeSpacing;
    text.head.colour = cur.curFreeColour;
  }
  text.x = Real(tokens, 1);
  text.y = Real(tokens, 2);
  text.dx = Real(tokens, 3);
  text.dy = Real(tokens, 4);
  text.fontName = fontName;
  text.text = body;
}

struct TPoint {
  double x, y;
};

TPoint PointAt(const TJwwLineTokens& tokens, int first) {
  return {Real(tokens, first), Real(tokens, first + 1)};
}

// Corners closer than this in both x and y are one corner.
constexpr double kSameCorner = 1e-10;

bool SameCorner(TPoint a, TPoint b) {
  return std::fabs(a.x - b.x) <= kSameCorner && std::fabs(a.y - b.y) <= kSameCorner;
}

void AddSolid2(TPoint a, TPoint b) {
  TJwwEntSolid2& s = NewEntity(jwwSolid2s, jekSolid2);
  s.solidColour = currentAttributes.curSolidColour;
  s.x1 = a.x, s.y1 = a.y, s.x2 = b.x, s.y2 = b.y;
  EndEntity();
}

void AddSolid3(TPoint a, TPoint b, TPoint c) {
  TJwwEntSolid3& s = NewEntity(jwwSolid3s, jekSolid3);
  s.solidColour = currentAttributes.curSolidColour;
  s.x1 = a.x, s.y1 = a.y, s.x2 = b.x, s.y2 = b.y, s.x3 = c.x, s.y3 = c.y;
  EndEntity();
}

void AddSolid4(TPoint a, TPoint b, TPoint c, TPoint d) {
  TJwwEntSolid4& s = NewEntity(jwwSolid4s, jekSolid4);
  s.solidColour = currentAttributes.curSolidColour;
  s.x1 = a.x, s.y1 = a.y, s.x2 = b.x, s.y2 = b.y;
  s.x3 = c.x, s.y3 = c.y, s.x4 = d.x, s.y4 = d.y;
  EndEntity();
}

// Three corners given: two that coincide leave a two-point solid.
void ReadSolidOfThree(TPoint p1, TPoint p2, TPoint p3) {
  if (SameCorner(p1, p2)) {
    AddSolid2(p1, p3);
  } else if (SameCorner(p2, p3)) {
    AddSolid2(p1, p2);
  } else {
    AddSolid3(p1, p2, p3);
  }
}

// Four corners given: the first test that holds decides.
void ReadSolidOfFour(TPoint p1, TPoint p2, TPoint p3, TPoint p4) {
  if (SameCorner(p1, p2) && SameCorner(p1, p3)) {
    AddSolid2(p1, p4);
  } else if (SameCorner(p2, p3) && SameCorner(p2, p4)) {
    AddSolid2(p1, p2);
  } else if (SameCorner(p1, p2) && SameCorner(p3, p4)) {
    AddSolid2(p1, p3);
  } else if (SameCorner(p4, p1) || SameCorner(p4, p2) || SameCorner(p4, p3)) {
    AddSolid3(p1, p2, p3);
  } else if (SameCorner(p3, p1) || SameCorner(p3, p2)) {
    AddSolid3(p1, p2, p4);
  } else if (SameCorner(p2, p1)) {
    AddSolid3(p1, p3, p4);
  } else {
    AddSolid4(p1, p2, p3, p4);
  }
}

}  // namespace

void JwwReadCircle(const TJwwLineTokens& tokens) {
  TJwwEntCircle& c = NewEntity(jwwCircles, jekCircle);
  c.cx = Real(tokens, 1);
  c.cy = Real(tokens, 2);
  c.radius = Real(tokens, 3);
  EndEntity();
}

void JwwReadArc(const TJwwLineTokens& tokens) {
  TJwwEntArc& a = NewEntity(jwwArcs, jekArc);
  a.cx = Real(tokens, 1);
  a.cy = Real(tokens, 2);
  a.radius = Real(tokens, 3);
  a.startAngle = Real(tokens, 4);
  a.endAngle = Real(tokens, 5);
  a.flatness = Real(tokens, 6);
  a.tilt = Real(tokens, 7);
  EndEntity();
}

void JwwReadText(const TJwwLineTokens& tokens, int32_t textKind) {
  // The strings go to the text arena first: if that fails, nothing of the
  // entity is in the store.
  TJwwShortStr fontName = JwwStoreCurrentFontName();
  TJwwShortStr body = JwwStoreShortStr(tokens[5]);
  if (lineTextPending && textKind == kJwwLineTextTextKind) {
    TJwwEntLineText& unit = NewEntity(jwwLineTexts, jekLineText);
    unit.line = pendingLine;
    unit.line.polylineNo = 0;
    FillText(unit.text, tokens, textKind, fontName, body);
  } else {
    FillText(NewEntity(jwwTexts, jekText), tokens, textKind, fontName, body);
  }
  EndEntity();
}

void JwwReadPoint(const TJwwLineTokens& tokens) {
  TJwwEntPoint& p = NewEntity(jwwPoints, jekPoint);
  p.head.colour = currentAttributes.curPointColour;
  p.x = Real(tokens, 1);
  p.y = Real(tokens, 2);
  EndEntity();
}

void JwwReadPointEx(const TJwwLineTokens& tokens) {
  TJwwEntPointEx& p = NewEntity(jwwPointExs, jekPointEx);
  p.head.colour = currentAttributes.curPointColour;
  p.x = Real(tokens, 1);
  p.y = Real(tokens, 2);
  p.value1 = Real(tokens, 3);
  p.value2 = Real(tokens, 4);
  p.pointCode = Int(tokens, 5);
  EndEntity();
}

void JwwReadBlockInsertion(const TJwwLineTokens& tokens) {
  blockNames.emplace_back(tokens[3]);
  try {
    TJwwEntBlk& b = NewEntity(jwwBlks, jekBlk);
    b.x = Real(tokens, 1);
    b.y = Real(tokens, 2);
    b.blockName = static_cast<uint32_t>(blockNames.size() - 1);
  } catch (...) {
    blockNames.pop_back();
    throw;
  }
  EndEntity();
}

void JwwReadSolid(const TJwwLineTokens& tokens) {
  TPoint p1 = PointAt(tokens, 1), p2 = PointAt(tokens, 3);
  if (tokens.count == 5) {
    AddSolid2(p1, p2);
  } else if (tokens.count == 7) {
    ReadSolidOfThree(p1, p2, PointAt(tokens, 5));
  } else if (tokens.count >= 9) {
    ReadSolidOfFour(p1, p2, PointAt(tokens, 5), PointAt(tokens, 7));
  }
}

void JwwReadSolidWithCode(const TJwwLineTokens& tokens, int32_t kind) {
  TJwwEntSolidSc& s = NewEntity(*JwwKindRecords<TJwwEntSolidSc>(kind), kind);
  s.solidColour = currentAttributes.curSolidColour;
  for (int i = 0; i < 7; ++i) s.values[i] = Real(tokens, i + 1);
  s.code = Int(tokens, 8);
  EndEntity();
}

void JwwReadSolidOfEight(const TJwwLineTokens& tokens, int32_t kind) {
  TJwwEntSolidSo& s = NewEntity(*JwwKindRecords<TJwwEntSolidSo>(kind), kind);
  s.solidColour = currentAttributes.curSolidColour;
  for (int i = 0; i < 8; ++i) s.values[i] = Real(tokens, i + 1);
  EndEntity();
}

void JwwReadPlainLine(const TJwwLineTokens& tokens) {
  // After "msg" the line waits for its "cs" text outside the store, and a
  // later plain line replaces it. A plain line ends neither that wait nor a
  // polyline run.
  TJwwEntLine* line = &pendingLine;
  if (lineTextPending) {
    JwwFillHead(pendingLine.head);
    pendingLine.polylineNo = 0;
  } else {
    line = &NewEntity(jwwLines, jekLine);
    line->polylineNo = inPolyline ? polylineCount : 0;
  }
  line->x1 = Real(tokens, 0);
  line->y1 = Real(tokens, 1);
  line->x2 = Real(tokens, 2);
  line->y2 = Real(tokens, 3);
  currentAttributes.curZFlags = 0;
  currentAttributes.curIndicatedPointNo = 0;
}
