// The attribute and indicated-point statements of the transfer file: each
// function applies the current line (its keyword in token 0) to the store's
// attribute state. Internal to the reader.
#pragma once

#include "transfer/read/JwwTokenizer.h"

// "lg", "ly": a layer group or layer as one hexadecimal digit, third byte of
// token 0; a missing or other byte gives 0. An optional value in token 1.
void JwwReadLayerGroup(const TJwwLineTokens& tokens);
void JwwReadLayer(const TJwwLineTokens& tokens);

// "lc", "lt", "lw": colour, line type, line width from the third byte on.
void JwwReadColour(const TJwwLineTokens& tokens);
void JwwReadLineType(const TJwwLineTokens& tokens);
void JwwReadLineWidth(const TJwwLineTokens& tokens);

// "cn$": the font name, token 0 from its fourth byte.
void JwwReadFontName(const TJwwLineTokens& tokens);

// "cn": the text type; text type 0 with four more values gives a free size.
void JwwReadTextType(const TJwwLineTokens& tokens);

// "cc": the base point, the third byte of token 0 as one decimal digit 0..8
// (anything else gives 0).
void JwwReadBasePoint(const TJwwLineTokens& tokens);

// "hp" (at least three tokens): indicated point 1..99 with an optional snap
// suffix; other numbers are ignored.
void JwwReadIndicatedPoint(const TJwwLineTokens& tokens);

// "hhp": the indicated point number of the next entity.
void JwwReadIndicatedPointNo(const TJwwLineTokens& tokens);
