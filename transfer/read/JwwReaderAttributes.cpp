// Attribute lines and indicated points. The first line of each attribute
// kind also fixes its initial value, which the writer starts from.
#include "transfer/read/JwwReaderAttributes.h"

#include <cstdint>
#include <string_view>

#include "common/MyFunc.h"
#include "transfer/store/JwwStore.h"

namespace {

// Value of the third byte of token 0 as a digit of `base` (10 or 16); 0 when
// there is no third byte or it is no such digit.
int32_t DigitAfterKeyword(std::string_view key, int base) {
  if (key.size() < 3) return 0;
  char c = key[2];
  if (c >= '0' && c <= '9') return c - '0';
  if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

// Sets the current value of an attribute; the first line of its kind also
// sets the initial value. Every attribute line ends a polyline run.
void SetAttribute(TJwwAttr attr, int32_t value, int32_t& initial, int32_t& current) {
  if (attrPending[attr]) {
    initial = value;
    attrPending[attr] = false;
  }
  current = value;
  inPolyline = false;
}

}  // namespace

void JwwReadLayerGroup(const TJwwLineTokens& tokens) {
  int32_t group = DigitAfterKeyword(tokens[0], 16);
  SetAttribute(jaGroup, group, initialAttributes.initialGroup, currentAttributes.curGroup);
  if (tokens.count >= 2) jwwHeader.groupValues[group] = TextToInt(tokens[1]);
}

void JwwReadLayer(const TJwwLineTokens& tokens) {
  int32_t layer = DigitAfterKeyword(tokens[0], 16);
  SetAttribute(jaLayer, layer, initialAttributes.initialLayer, currentAttributes.curLayer);
  if (tokens.count >= 2) {
    jwwHeader.layerValues[currentAttributes.curGroup * 16 + layer] = TextToInt(tokens[1]);
  }
}

void JwwReadColour(const TJwwLineTokens& tokens) {
  int32_t colour = TextToInt(tokens[0].substr(2));
  SetAttribute(jaColour, colour, initialAttributes.initialColour, currentAttributes.curColour);
  if (colour == kJwwExtendedColour && tokens.count >= 2) {
    currentAttributes.curSolidColour = TextToInt(tokens[1]);
  }
}

void JwwReadLineType(const TJwwLineTokens& tokens) {
  SetAttribute(jaLineType, TextToInt(tokens[0].substr(2)), initialAttributes.initialLineType,
               currentAttributes.curLineType);
}

void JwwReadLineWidth(const TJwwLineTokens& tokens) {
  SetAttribute(jaLineWidth, TextToInt(tokens[0].substr(2)), initialAttributes.initialLineWidth,
               currentAttributes.curLineWidth);
  jwwHeader.lineWidthSeen = true;
}

void JwwReadFontName(const TJwwLineTokens& tokens) {
  std::string_view name = tokens[0].substr(3);
  if (initialAttributes.initialFontName.empty()) initialAttributes.initialFontName = name;
  currentAttributes.curFontName = name;
  inPolyline = false;
}

void JwwReadTextType(const TJwwLineTokens& tokens) {
  const int32_t textType = TextToInt(tokens[0].substr(2));
  // Only the free size (text type 0) carries its size and colour on the line.
  const bool freeSize = textType == 0 && tokens.count >= 5;
  const double width = tokens.Real(1);
  const double height = tokens.Real(2);
  const double spacing = tokens.Real(3);
  const int32_t colour = TextToInt(tokens[4]);

  TJwwInitialAttributes& init = initialAttributes;
  if (attrPending[jaTextType] && freeSize) {
    init.initialFreeWidth = width;
    init.initialFreeHeight = height;
    init.initialFreeSpacing = spacing;
    init.initialFreeColour = colour;
  }
  TJwwCurrentAttributes& cur = currentAttributes;
  SetAttribute(jaTextType, textType, init.initialTextType, cur.curTextType);
  if (freeSize) {
    cur.curFreeWidth = width;
    cur.curFreeHeight = height;
    cur.curFreeSpacing = spacing;
    cur.curFreeColour = colour;
  }
}

void JwwReadBasePoint(const TJwwLineTokens& tokens) {
  int32_t basePoint = DigitAfterKeyword(tokens[0], 10);
  currentAttributes.curBasePoint = basePoint <= 8 ? basePoint : 0;
  inPolyline = false;
}

void JwwReadIndicatedPoint(const TJwwLineTokens& tokens) {
  const std::string_view key = tokens[0];
  // A snap suffix glued to the number; a later find overrides an earlier one.
  constexpr std::string_view kSuffixes[] = {"-", "ln", "ci", "ch"};
  std::string_view numberText = key.substr(2);
  int32_t snapKind = 0;
  for (int32_t i = 0; i < 4; ++i) {
    size_t at = key.find(kSuffixes[i]);
    if (at == std::string_view::npos) continue;
    numberText = key.substr(2, at - 2);  // "hp" itself holds no suffix, so at >= 2
    snapKind = i + 1;
  }
  int32_t number = TextToInt(numberText);
  if (number < 1 || number > 99) return;
  jwwHeader.indicatedPoints[number] = {true, tokens.Real(1), tokens.Real(2), snapKind};
  if (jwwHeader.indicatedPointCount < INT32_MAX) ++jwwHeader.indicatedPointCount;
}

void JwwReadIndicatedPointNo(const TJwwLineTokens& tokens) {
  const std::string_view key = tokens[0];
  std::string_view numberText = key.substr(3);
  for (std::string_view suffix : {"ln", "ci", "ch"}) {
    size_t at = key.find(suffix);
    // Only a suffix after at least one byte of the number cuts it.
    if (at != std::string_view::npos && at > 3) numberText = key.substr(3, at - 3);
  }
  currentAttributes.curIndicatedPointNo = TextToInt(numberText);
}
