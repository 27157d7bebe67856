// The entity writers: one per written kind. The attribute half writes the
// attribute lines of its kind through the emitters, then the z lines; the
// command half writes the command. The z lines are written only when the
// command will be: the host applies z flags to the next entity it reads, so
// those of an entity left out would land on the one after it.
#include "transfer/write/JwwEntityWriters.h"

#include "transfer/store/JwwStore.h"
#include "transfer/write/JwwAttributeWriters.h"
#include "transfer/write/JwwEntityCommands.h"
#include "transfer/write/JwwWritability.h"

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

// The extended colour carries the solid's own colour value; any other colour
// is an ordinary colour line.
void PutSolidColourRule(const TJwwEntHead& head, int32_t solidColour) {
  if (head.colour == kJwwExtendedColour) {
    PutSolidColour(solidColour);
  } else {
    PutColour(head.colour);
  }
}

void PutZFlagsIfWritten(bool written, const TJwwEntHead& head) {
  if (written) PutZFlags(head.zFlags);
}

// --- The halves of each kind's writer ----------------------------------------

void LineAttributes(int32_t index) {
  const TJwwEntLine& e = jwwLines[index];
  PutPlace(e.head);
  PutPen(e.head);
  PutZFlagsIfWritten(LineIsWritable(e.x1, e.y1, e.x2, e.y2), e.head);
}
void LineCommand(int32_t index, TJwwLineSink& out) {
  const TJwwEntLine& e = jwwLines[index];
  PutLine(e.x1, e.y1, e.x2, e.y2, out);
}

void CircleAttributes(int32_t index) {
  const TJwwEntCircle& e = jwwCircles[index];
  PutPlace(e.head);
  PutPen(e.head);
  PutZFlagsIfWritten(CircleIsWritable(e.radius), e.head);
}
void CircleCommand(int32_t index, TJwwLineSink& out) {
  const TJwwEntCircle& e = jwwCircles[index];
  PutCircle(e.cx, e.cy, e.radius, out);
}

void ArcAttributes(int32_t index) {
  const TJwwEntArc& e = jwwArcs[index];
  PutPlace(e.head);
  PutPen(e.head);
  PutZFlagsIfWritten(ArcIsWritable(e.radius, e.flatness), e.head);
}
void ArcCommand(int32_t index, TJwwLineSink& out) {
  const TJwwEntArc& e = jwwArcs[index];
  PutArc(e.cx, e.cy, e.radius, e.startAngle, e.endAngle, e.flatness, e.tilt, out);
}

void TextAttributes(int32_t index) {
  const TJwwEntText& e = jwwTexts[index];
  PutPlace(e.head);
  PutTextLook(e);
  PutZFlagsIfWritten(TextIsWritable(e.text.View(), e.dx, e.dy), e.head);
}
void TextCommand(int32_t index, TJwwLineSink& out) {
  const TJwwEntText& e = jwwTexts[index];
  PutText(e.textKind, e.text.View(), e.x, e.y, e.dx, e.dy, out);
}

// A point is always written, and its z lines with it.
void PointAttributes(int32_t index) {
  const TJwwEntPoint& e = jwwPoints[index];
  PutPlace(e.head);
  PutPointColour(e.head.colour);
  PutLineWidth(e.head.lineWidth);
  PutZFlags(e.head.zFlags);
}
void PointCommand(int32_t index, TJwwLineSink& out) {
  const TJwwEntPoint& e = jwwPoints[index];
  PutPoint(e.x, e.y, out);
}

void PointExAttributes(int32_t index) {
  const TJwwEntPointEx& e = jwwPointExs[index];
  PutPlace(e.head);
  PutPointColour(e.head.colour);
  PutLineWidth(e.head.lineWidth);
  PutZFlags(e.head.zFlags);
}
void PointExCommand(int32_t index, TJwwLineSink& out) {
  const TJwwEntPointEx& e = jwwPointExs[index];
  PutPointEx(e.x, e.y, e.value1, e.value2, e.pointCode, out);
}

// Place and z flags from the unit's own header, the pen from its line, the
// text look from its text. The text is always written as "cs".
void LineTextAttributes(int32_t index) {
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
}
void LineTextCommand(int32_t index, TJwwLineSink& out) {
  const TJwwEntLineText& e = jwwLineTexts[index];
  const TJwwEntLine& line = e.line;
  const TJwwEntText& text = e.text;
  PutLineText(text.text.View(), line.x1, line.y1, line.x2, line.y2, text.x, text.y, text.dx,
              text.dy, out);
}

void Solid2Attributes(int32_t index) {
  const TJwwEntSolid2& e = jwwSolid2s[index];
  PutPlace(e.head);
  PutSolidColourRule(e.head, e.solidColour);
  PutLineWidth(e.head.lineWidth);
  PutZFlagsIfWritten(Solid2IsWritable(e.x1, e.y1, e.x2, e.y2), e.head);
}
void Solid2Command(int32_t index, TJwwLineSink& out) {
  const TJwwEntSolid2& e = jwwSolid2s[index];
  PutSolid2(e.x1, e.y1, e.x2, e.y2, out);
}

void Solid3Attributes(int32_t index) {
  const TJwwEntSolid3& e = jwwSolid3s[index];
  PutPlace(e.head);
  PutSolidColourRule(e.head, e.solidColour);
  PutZFlagsIfWritten(Solid3IsWritable(e.x1, e.y1, e.x2, e.y2, e.x3, e.y3), e.head);
}
void Solid3Command(int32_t index, TJwwLineSink& out) {
  const TJwwEntSolid3& e = jwwSolid3s[index];
  PutSolid3(e.x1, e.y1, e.x2, e.y2, e.x3, e.y3, out);
}

void Solid4Attributes(int32_t index) {
  const TJwwEntSolid4& e = jwwSolid4s[index];
  PutPlace(e.head);
  PutSolidColourRule(e.head, e.solidColour);
  bool written = ReduceSolid4(e.x1, e.y1, e.x2, e.y2, e.x3, e.y3, e.x4, e.y4).corners != 0;
  PutZFlagsIfWritten(written, e.head);
}
void Solid4Command(int32_t index, TJwwLineSink& out) {
  const TJwwEntSolid4& e = jwwSolid4s[index];
  PutSolid4(e.x1, e.y1, e.x2, e.y2, e.x3, e.y3, e.x4, e.y4, out);
}

void SolidScAttributes(int32_t index) {
  const TJwwEntSolidSc& e = jwwSolidScs[index];
  PutPlace(e.head);
  PutSolidColourRule(e.head, e.solidColour);
  PutZFlagsIfWritten(SolidScIsWritable(e.values, e.code), e.head);
}
void SolidScCommand(int32_t index, TJwwLineSink& out) {
  const TJwwEntSolidSc& e = jwwSolidScs[index];
  PutSolidSc(e.values, e.code, out);
}

void SolidSeAttributes(int32_t index) {
  const TJwwEntSolidSe& e = jwwSolidSes[index];
  PutPlace(e.head);
  PutSolidColourRule(e.head, e.solidColour);
  PutLineWidth(e.head.lineWidth);
  PutZFlagsIfWritten(SolidSeIsWritable(e.values, e.code), e.head);
}
void SolidSeCommand(int32_t index, TJwwLineSink& out) {
  const TJwwEntSolidSe& e = jwwSolidSes[index];
  PutSolidSe(e.values, e.code, out);
}

// The "so" and the "sg" solid: the same attributes and test.
void PutSolidOfEightAttributes(const TJwwEntSolidSo& e) {
  PutPlace(e.head);
  PutSolidColourRule(e.head, e.solidColour);
  PutZFlagsIfWritten(SolidSoIsWritable(e.values), e.head);
}
void SolidSoAttributes(int32_t index) {
  PutSolidOfEightAttributes(jwwSolidSos[index]);
}
void SolidSoCommand(int32_t index, TJwwLineSink& out) {
  PutSolidSo(jwwSolidSos[index].values, out);
}
void SolidSgAttributes(int32_t index) {
  PutSolidOfEightAttributes(jwwSolidSgs[index]);
}
void SolidSgCommand(int32_t index, TJwwLineSink& out) {
  PutSolidSg(jwwSolidSgs[index].values, out);
}

void WriteWhole(const TJwwEntityWriter& writer, int32_t index) {
  writer.attributes(index);
  writer.command(index, JwwOutputLinesSink());
}

}  // namespace

const TJwwEntityWriter kJwwLineWriter{LineAttributes, LineCommand};
const TJwwEntityWriter kJwwCircleWriter{CircleAttributes, CircleCommand};
const TJwwEntityWriter kJwwArcWriter{ArcAttributes, ArcCommand};
const TJwwEntityWriter kJwwTextWriter{TextAttributes, TextCommand};
const TJwwEntityWriter kJwwPointWriter{PointAttributes, PointCommand};
const TJwwEntityWriter kJwwPointExWriter{PointExAttributes, PointExCommand};
const TJwwEntityWriter kJwwLineTextWriter{LineTextAttributes, LineTextCommand};
const TJwwEntityWriter kJwwSolid2Writer{Solid2Attributes, Solid2Command};
const TJwwEntityWriter kJwwSolid3Writer{Solid3Attributes, Solid3Command};
const TJwwEntityWriter kJwwSolid4Writer{Solid4Attributes, Solid4Command};
const TJwwEntityWriter kJwwSolidScWriter{SolidScAttributes, SolidScCommand};
const TJwwEntityWriter kJwwSolidSeWriter{SolidSeAttributes, SolidSeCommand};
const TJwwEntityWriter kJwwSolidSoWriter{SolidSoAttributes, SolidSoCommand};
const TJwwEntityWriter kJwwSolidSgWriter{SolidSgAttributes, SolidSgCommand};

void WriteLine(int32_t index) {
  WriteWhole(kJwwLineWriter, index);
}
void WriteCircle(int32_t index) {
  WriteWhole(kJwwCircleWriter, index);
}
void WriteArc(int32_t index) {
  WriteWhole(kJwwArcWriter, index);
}
void WriteText(int32_t index) {
  WriteWhole(kJwwTextWriter, index);
}
void WritePoint(int32_t index) {
  WriteWhole(kJwwPointWriter, index);
}
void WritePointEx(int32_t index) {
  WriteWhole(kJwwPointExWriter, index);
}
void WriteLineText(int32_t index) {
  WriteWhole(kJwwLineTextWriter, index);
}
void WriteSolid2(int32_t index) {
  WriteWhole(kJwwSolid2Writer, index);
}
void WriteSolid3(int32_t index) {
  WriteWhole(kJwwSolid3Writer, index);
}
void WriteSolid4(int32_t index) {
  WriteWhole(kJwwSolid4Writer, index);
}
void WriteSolidSc(int32_t index) {
  WriteWhole(kJwwSolidScWriter, index);
}
void WriteSolidSe(int32_t index) {
  WriteWhole(kJwwSolidSeWriter, index);
}
void WriteSolidSo(int32_t index) {
  WriteWhole(kJwwSolidSoWriter, index);
}
void WriteSolidSg(int32_t index) {
  WriteWhole(kJwwSolidSgWriter, index);
}
