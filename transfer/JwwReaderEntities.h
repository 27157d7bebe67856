// The entity statements of the transfer file: each function makes the store's
// record(s) from the tokens of the current line. Internal to the reader.
#pragma once

#include <cstdint>

#include "transfer/JwwTokenizer.h"

// Circle ("ci", 3 numbers) and arc ("ci", 7 numbers).
void JwwReadCircle(const TJwwTokenList& tokens);
void JwwReadArc(const TJwwTokenList& tokens);

// A text line of keyword number `textKind` (0 "ch" .. 9 "c2"); a "cs" text
// after "msg" and a plain line completes a line-and-text unit instead.
void JwwReadText(const TJwwTokenList& tokens, int32_t textKind);

// "pt" with two numbers, and with four numbers and a point code.
void JwwReadPoint(const TJwwTokenList& tokens);
void JwwReadPointEx(const TJwwTokenList& tokens);

// "BL": a block insertion.
void JwwReadBlockInsertion(const TJwwTokenList& tokens);

// "sl" with 2, 3 or 4 points; coinciding corners reduce the solid.
void JwwReadSolid(const TJwwTokenList& tokens);

// "sc", "se" (seven reals and a code; kind jekSolidSc or jekSolidSe) and
// "so", "sg" (eight reals; kind jekSolidSo or jekSolidSg).
void JwwReadSolidWithCode(const TJwwTokenList& tokens, int32_t kind);
void JwwReadSolidOfEight(const TJwwTokenList& tokens, int32_t kind);

// Four numbers: a line, or the pending line of a line-and-text unit.
void JwwReadPlainLine(const TJwwTokenList& tokens);
