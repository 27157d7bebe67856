// The attribute emitters: each writes its host attribute line only when the
// value differs from the one last written or the attribute is still pending
// since ResetWriterState. The last written values live in currentAttributes
// and the pending flags in attrPending.
#pragma once

#include <cstdint>
#include <string_view>

// Sets all ten pending flags and the last written values to their start
// values. Leaves curZFlags and curIndicatedPointNo alone.
void ResetWriterState();

void PutLayerGroup(int32_t group);
void PutLayer(int32_t layer);
void PutColour(int32_t colour);
void PutLineType(int32_t lineType);
void PutLineWidth(int32_t lineWidth);
void PutBasePoint(int32_t basePoint);
void PutPointColour(int32_t pointColour);
void PutSolidColour(int32_t value);
void PutFontName(std::string_view fontName);
void PutTextType(int32_t textType, int32_t colour, double width, double height, double spacing);
void PutZFlags(int32_t zFlags);
