// The attribute emitters. The state they compare against is the store's
// currentAttributes (the values last written) and attrPending (attributes not
// written since ResetWriterState); an emitter that writes nothing leaves both
// exactly as they were.
#include "transfer/write/JwwAttributeWriters.h"

#include <algorithm>
#include <cstring>

#include "transfer/store/JwwStore.h"
#include "transfer/write/JwwCommandLine.h"
#include "transfer/write/JwwOutputLines.h"

namespace {

// The font keyword: "cn", a double quote and "$", followed by the name
// without a space.
constexpr std::string_view kFontKeyword = "cn\"$";

constexpr int32_t kMaxLineWidth = 30000;
constexpr int32_t kMaxBasePoint = 8;
constexpr int32_t kMaxSolidColour = 0xFFFFFF;
constexpr int32_t kMaxTextType = 10;

// The common rule for integer attributes: write `keyword` + the value when
// the attribute is pending or the value changed, then record it.
// Returns whether the line was written.
bool PutIntAttribute(TJwwAttr attr, int32_t& lastWritten, int32_t value, std::string_view keyword,
                     bool hex = false) {
  if (!attrPending[attr] && value == lastWritten) return false;
  TJwwCommandLine line(keyword);
  if (hex) {
    line.Hex(value);
  } else {
    line.Int(value);
  }
  AddOutputLine(line.View());
  lastWritten = value;
  attrPending[attr] = false;
  return true;
}

int32_t ZeroIfOutside(int32_t value, int32_t low, int32_t high) {
  return (value < low || value > high) ? 0 : value;
}

}  // namespace

void ResetWriterState() {
  for (bool& pending : attrPending) pending = true;
  JwwResetCurrentAttributes();
}

// A new layer group makes the host forget the layer, so the next layer line
// is always written.
void PutLayerGroup(int32_t group) {
  if (PutIntAttribute(jaGroup, currentAttributes.curGroup, group, "lg", true)) {
    attrPending[jaLayer] = true;
  }
}

void PutLayer(int32_t layer) {
  PutIntAttribute(jaLayer, currentAttributes.curLayer, layer, "ly", true);
}

// "lc10" without a value leaves the host's solid colour as it was, so the
// solid colour counts as written too.
void PutColour(int32_t colour) {
  if (PutIntAttribute(jaColour, currentAttributes.curColour, colour, "lc")) {
    attrPending[jaSolidColour] = false;
  }
}

void PutLineType(int32_t lineType) {
  PutIntAttribute(jaLineType, currentAttributes.curLineType, lineType, "lt");
}

// An input without any "lw" line gets none back. -1 stands for the input's
// first line width.
void PutLineWidth(int32_t lineWidth) {
  if (!jwwHeader.lineWidthSeen) return;
  if (lineWidth == -1) lineWidth = initialAttributes.initialLineWidth;
  lineWidth = ZeroIfOutside(lineWidth, 0, kMaxLineWidth);
  PutIntAttribute(jaLineWidth, currentAttributes.curLineWidth, lineWidth, "lw");
}

void PutBasePoint(int32_t basePoint) {
  PutIntAttribute(jaBasePoint, currentAttributes.curBasePoint,
                  ZeroIfOutside(basePoint, 0, kMaxBasePoint), "cc");
}

void PutPointColour(int32_t pointColour) {
  PutIntAttribute(jaPointColour, currentAttributes.curPointColour, pointColour, "pn");
}

// Writes "lc10 " + value when the host's colour is not already the extended
// colour with this value. Writing it sets both the colour and the solid colour.
void PutSolidColour(int32_t value) {
  value = ZeroIfOutside(value, 0, kMaxSolidColour);
  TJwwCurrentAttributes& c = currentAttributes;
  bool unchanged = !attrPending[jaColour] && c.curColour == kJwwExtendedColour &&
                   !attrPending[jaSolidColour] && value == c.curSolidColour;
  if (unchanged) return;
  AddOutputLine(TJwwCommandLine("lc").Int(kJwwExtendedColour).SpaceInt(value).View());
  c.curSolidColour = value;
  attrPending[jaSolidColour] = false;
  c.curColour = kJwwExtendedColour;
  attrPending[jaColour] = false;
}

// An empty name or "<>" stands for the input's first font name (which may be
// empty: the line is then the keyword alone).
void PutFontName(std::string_view fontName) {
  if (fontName.empty() || fontName == "<>") fontName = initialAttributes.initialFontName;
  if (!attrPending[jaFontName] && fontName == currentAttributes.curFontName) return;
  // One byte more than a line may hold is enough for AddOutputLine to cut a
  // long name at the same character boundary as the whole name would give.
  char buffer[kJwwLineMax + 1];
  size_t nameBytes = std::min(fontName.size(), sizeof buffer - kFontKeyword.size());
  std::memcpy(buffer, kFontKeyword.data(), kFontKeyword.size());
  if (nameBytes > 0) std::memcpy(buffer + kFontKeyword.size(), fontName.data(), nameBytes);
  AddOutputLine(std::string_view(buffer, kFontKeyword.size() + nameBytes));
  currentAttributes.curFontName.assign(fontName);
  attrPending[jaFontName] = false;
}

// Text types 1..10 are written as "cn" + type; type 0 is a free size written
// with its size and colour. A type outside 0..10 stands for the input's first
// text type (with the input's first free size when that was 0).
void PutTextType(int32_t textType, int32_t colour, double width, double height, double spacing) {
  const TJwwInitialAttributes& init = initialAttributes;
  if (textType < 0 || textType > kMaxTextType) {
    textType = init.initialTextType;
    if (textType == 0) {
      width = init.initialFreeWidth;
      height = init.initialFreeHeight;
      spacing = init.initialFreeSpacing;
      colour = init.initialFreeColour;
    }
  }
  TJwwCurrentAttributes& c = currentAttributes;
  bool freeSizeChanged =
      textType == 0 && (width != c.curFreeWidth || height != c.curFreeHeight ||
                        spacing != c.curFreeSpacing || colour != c.curFreeColour);
  if (!attrPending[jaTextType] && textType == c.curTextType && !freeSizeChanged) return;
  if (textType == 0) {
    TJwwCommandLine line("cn0 ");
    line.Real(width).SpaceReal(height).SpaceReal(spacing).SpaceInt(colour);
    AddOutputLine(line.View());
    c.curFreeWidth = width;
    c.curFreeHeight = height;
    c.curFreeSpacing = spacing;
    c.curFreeColour = colour;
  } else {
    AddOutputLine(TJwwCommandLine("cn").Int(textType).View());
  }
  c.curTextType = textType;
  attrPending[jaTextType] = false;
}

// No state: every call writes the lines of its set bits. "z5" wins over "z4".
void PutZFlags(int32_t zFlags) {
  if (zFlags & 1) AddOutputLine("z1");
  if (zFlags & 2) AddOutputLine("z2");
  if (zFlags & 4) AddOutputLine("z3");
  if ((zFlags & 8) && !(zFlags & 16)) AddOutputLine("z4");
  if (zFlags & 16) AddOutputLine("z5");
}
