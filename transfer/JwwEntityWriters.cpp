// The entity writers: one per written kind. Each writes the attribute lines of
// its kind through the emitters, then the z lines, then its command. The z
// lines are written only when the command will be: the host applies z flags
// to the next entity it reads, so those of an entity left out would land on
// the one after it.
#include "transfer/JwwEntityWriters.h"

#include "transfer/JwwAttributeWriters.h"
#include "transfer/JwwEntityCommands.h"
#include "transfer/JwwStore.h"
#include "transfer/JwwWritability.h"

namespace {

void PutPlace(const TJwwEntHead& head) {
  PutLayerGroup(head.layerGroup);
  PutLayer(head.layer);
}

// Colour, line type and line width: the pen of lines, circles and arcs.
void PutPen(const TJwwEntHead& head) {
  PutColour(head.colour);
  PutLineType(head.lineType);
  PutLineWidth(head.lineWidth);
}

// Text size (with the text colour, used only by a free size), base point and
// font.
void PutTextLook(const TJwwEntText& text) {
  PutTextType(text.textType, text.head.colour, text.width, text.height, text.spacing);
  PutBasePoint(text.basePoint);
  PutFontName(text.fontName.View());
}

// Colour 10 carries the solid's own colour value; any other colour is an
// ordinary colour line.
void PutSolidColourRule(const TJwwEntHead& head, int32_t solidColour) {
  if (head.colour == 10) {
    PutSolidColour(solidColour);
  } else {
    PutColour(head.colour);
  }
}

void PutZFlagsIfWritten(bool written, const TJwwEntHead& head) {
  if (written) PutZFlags(head.zFlags);
}

}  // namespace

void WriteLine(int32_t index) {
  const TJwwEntLine& e = jwwLines[index];
  PutPlace(e.head);
  PutPen(e.head);
  PutZFlagsIfWritten(LineIsWritable(e.x1, e.y1, e.x2, e.y2), e.head);
  PutLine(e.x1, e.y1, e.x2, e.y2);
}

void WriteCircle(int32_t index) {
  const TJwwEntCircle& e = jwwCircles[index];
  PutPlace(e.head);
  PutPen(e.head);
  PutZFlagsIfWritten(CircleIsWritable(e.radius), e.head);
  PutCircle(e.cx, e.cy, e.radius);
}

void WriteArc(int32_t index) {
  const TJwwEntArc& e = jwwArcs[index];
  PutPlace(e.head);
  PutPen(e.head);
  PutZFlagsIfWritten(ArcIsWritable(e.radius, e.flatness), e.head);
  PutArc(e.cx, e.cy, e.radius, e.startAngle, e.endAngle, e.flatness, e.tilt);
}

void WriteText(int32_t index) {
  const TJwwEntText& e = jwwTexts[index];
  PutPlace(e.head);
  PutTextLook(e);
  PutZFlagsIfWritten(TextIsWritable(e.text.View(), e.dx, e.dy), e.head);
  PutText(e.textKind, e.text.View(), e.x, e.y, e.dx, e.dy);
}

void WritePoint(int32_t index) {
  const TJwwEntPoint& e = jwwPoints[index];
  PutPlace(e.head);
  PutPointColour(e.head.colour);
  PutLineWidth(e.head.lineWidth);
  PutZFlags(e.head.zFlags);  // a point is always written
  PutPoint(e.x, e.y);
}

void WritePointEx(int32_t index) {
  const TJwwEntPointEx& e = jwwPointExs[index];
  PutPlace(e.head);
  PutPointColour(e.head.colour);
  PutLineWidth(e.head.lineWidth);
  PutZFlags(e.head.zFlags);  // a point is always written
  PutPointEx(e.x, e.y, e.value1, e.value2, e.pointCode);
}

// Place and z flags from the unit's own header, the pen from its line, the
// text look from its text. The text is always written as "cs".
void WriteLineText(int32_t index) {
  const TJwwEntLineText& e = jwwLineTexts[index];
  const TJwwEntLine& line = e.line;
  const TJwwEntText& text = e.text;
  PutPlace(e.head);
  PutPen(line.head);
  PutTextLook(text);
  // z lines read before the unit's plain line were stamped on its line part,
  // those read after it on the unit's own header; both belong to the unit.
  TJwwEntHead zHead = e.head;
  zHead.zFlags |= line.head.zFlags;
  PutZFlagsIfWritten(LineTextIsWritable(line.x1, line.y1, line.x2, line.y2, text.dx, text.dy),
                     zHead);
  PutLineText(text.text.View(), line.x1, line.y1, line.x2, line.y2, text.x, text.y, text.dx,
              text.dy);
}

void WriteSolid2(int32_t index) {
  const TJwwEntSolid2& e = jwwSolid2s[index];
  PutPlace(e.head);
  PutSolidColourRule(e.head, e.solidColour);
  PutLineWidth(e.head.lineWidth);
  PutZFlagsIfWritten(Solid2IsWritable(e.x1, e.y1, e.x2, e.y2), e.head);
  PutSolid2(e.x1, e.y1, e.x2, e.y2);
}

void WriteSolid3(int32_t index) {
  const TJwwEntSolid3& e = jwwSolid3s[index];
  PutPlace(e.head);
  PutSolidColourRule(e.head, e.solidColour);
  PutZFlagsIfWritten(Solid3IsWritable(e.x1, e.y1, e.x2, e.y2, e.x3, e.y3), e.head);
  PutSolid3(e.x1, e.y1, e.x2, e.y2, e.x3, e.y3);
}

void WriteSolid4(int32_t index) {
  const TJwwEntSolid4& e = jwwSolid4s[index];
  PutPlace(e.head);
  PutSolidColourRule(e.head, e.solidColour);
  bool written = ReduceSolid4(e.x1, e.y1, e.x2, e.y2, e.x3, e.y3, e.x4, e.y4).corners != 0;
  PutZFlagsIfWritten(written, e.head);
  PutSolid4(e.x1, e.y1, e.x2, e.y2, e.x3, e.y3, e.x4, e.y4);
}

void WriteSolidSc(int32_t index) {
  const TJwwEntSolidSc& e = jwwSolidScs[index];
  PutPlace(e.head);
  PutSolidColourRule(e.head, e.solidColour);
  PutZFlagsIfWritten(SolidScIsWritable(e.values, e.code), e.head);
  PutSolidSc(e.values, e.code);
}

void WriteSolidSe(int32_t index) {
  const TJwwEntSolidSe& e = jwwSolidSes[index];
  PutPlace(e.head);
  PutSolidColourRule(e.head, e.solidColour);
  PutLineWidth(e.head.lineWidth);
  PutZFlagsIfWritten(SolidSeIsWritable(e.values, e.code), e.head);
  PutSolidSe(e.values, e.code);
}

void WriteSolidSo(int32_t index) {
  const TJwwEntSolidSo& e = jwwSolidSos[index];
  PutPlace(e.head);
  PutSolidColourRule(e.head, e.solidColour);
  PutZFlagsIfWritten(SolidSoIsWritable(e.values), e.head);
  PutSolidSo(e.values);
}

void WriteSolidSg(int32_t index) {
  const TJwwEntSolidSg& e = jwwSolidSgs[index];
  PutPlace(e.head);
  PutSolidColourRule(e.head, e.solidColour);
  PutZFlagsIfWritten(SolidSoIsWritable(e.values), e.head);
  PutSolidSg(e.values);
}
