// The base-point flip: every text record gets the mirror of its base point
// and an insertion point that keeps the text exactly where it is drawn.
#pragma once

#include <cstdint>

#include "transfer/JwwGaibu.h"

// Flip types, the index of the window's radio item; any other value changes
// nothing.
enum TFlipType : int32_t { ftLeftRight = 0, ftUpDown = 1, ftBoth = 2 };

// The mirror of base point `code` (0..8) for `flipType`; other codes and other
// flip types give `code` back.
int32_t MapBasePoint(int32_t code, int32_t flipType);

// Offset from a text's bottom-left corner to base point `code` in the text's
// own frame, for a text `w` wide and `h` high; (0, 0) for a code outside 0..8.
void BasePointOffset(int32_t code, double w, double h, double& ox, double& oy);

// Gives `text` its mirrored base point and the insertion point that keeps its
// box in place. A code that maps onto itself leaves the record untouched.
void FlipTextBasePoint(TJwwEntText& text, int32_t flipType);

// Flips every record of the text array in store order, telling `progress`
// FlippingText(i + 1, N) before record i. Texts inside line-and-text units are
// not text records and are not flipped.
void FlipAllTexts(int32_t flipType, TJwwProgress& progress);
