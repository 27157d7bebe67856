// The entity statements of the transfer file: each function makes the store's
// record(s) from the tokens of the current line. Internal to the reader.
#pragma once

#include <cstdint>

#include "transfer/read/JwwTokenizer.h"

// Circle ("ci", 3 numbers) and arc ("ci", 7 numbers).
void JwwReadCircle(const TJwwLineTokens& tokens);
void JwwReadArc(const TJwwLineTokens& tokens);

// A text line of keyword number `textKind` (0 "ch" .. 9 "c2"); a "cs" text
// after "msg" and a plain line completes a line-and-text unit instead.
void JwwReadText(const TJwwLineTokens& tokens, int32_t textKind);

// "pt" with two numbers, and with four numbers and a point code.
void JwwReadPoint(const TJwwLineTokens& tokens);
void JwwReadPointEx(const TJwwLineTokens& tokens);

// "BL": a block insertion.
void JwwReadBlockInsertion(const TJwwLineTokens& tokens);

// "sl" with 2, 3 or 4 points; coinciding corners reduce the solid.
void JwwReadSolid(const TJwwLineTokens& tokens);

// "sc", "se" (seven reals and a code; kind jekSolidSc or jekSolidSe) and
// "so", "sg" (eight reals; kind jekSolidSo or jekSolidSg).
void JwwReadSolidWithCode(const TJwwLineTokens& tokens, int32_t kind);
void JwwReadSolidOfEight(const TJwwLineTokens& tokens, int32_t kind);

// Four numbers: a line, or the pending line of a line-and-text unit.
void JwwReadPlainLine(const TJwwLineTokens& tokens);
