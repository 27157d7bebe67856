// Constants and tables of the fast trigonometric routes, computed once, on
// first use, by the exact route: the same bits on every platform, and none
// typed in by hand. Each entry is within 2^-106 of its true value, relative
// to it (docs/trigonometry-error-analysis.md derives it, tests/trig checks
// it against MPFR).
#pragma once

#include "common/exact/DoubleDouble.h"

struct TTrigConstants {
  // pi/2 in four parts for the reduction x - k pi/2: three of 33 bits, whose
  // products with any k below 2^20 are exact, and the rest rounded to a
  // double, from 2^-104 down to 2^-156; their sum is within 2^-156 of pi/2
  // (docs/trigonometry-error-analysis.md).
  double halfPiParts[4];
  double inverseHalfPi;  // about 2/pi, only to choose k
  TDoubleDouble halfPi;
  TDoubleDouble pi;
};

// Table points: sin, cos and atan are tabulated at j / kTableSteps.
constexpr int kTableSteps = 1024;
// j runs to 805 for sin and cos (past pi/4 + 1/2048) and to 1024 (z = 1) for atan.
constexpr int kSinCosEntries = 806;
constexpr int kArcTangentEntries = kTableSteps + 1;

// The table point nearest to v, for 0 <= v <= 1: v = index/kTableSteps +
// offset with |offset| <= 1/(2 kTableSteps), a tie going up, the offset
// exact. The index comes from exact arithmetic alone: v * kTableSteps is
// exact (a power of two), and so is its fraction, which is compared with 1/2
// as it is; a rounded v * kTableSteps + 0.5 can carry into the next integer
// (at v = 2^-11 - 2^-64 it gives 1) and leave the offset inexact.
struct TTablePoint {
  int index;
  double offset;
};
inline TTablePoint NearestTablePoint(double v) {
  const double scaled = v * kTableSteps;
  const int below = static_cast<int>(scaled);  // the integer part, v >= 0
  // scaled - below is exact: below <= scaled < below + 1 <= 2 below, or below = 0.
  const int index = scaled - below >= 0.5 ? below + 1 : below;
  // Exact for every index (docs/trigonometry-error-analysis.md, 4.2): for
  // index >= 1, |scaled - index| <= 1/2 <= index/2 puts index/kTableSteps
  // within a factor 2 of v (Sterbenz); for index 0 the offset is v itself.
  return {index, v - static_cast<double>(index) / kTableSteps};
}

struct TSinCosEntry {
  TDoubleDouble sine;
  TDoubleDouble cosine;
};

// Each built on its first call, in a few milliseconds; thread-safe.
const TTrigConstants& TrigConstants();
const TSinCosEntry* SinCosTable();       // kSinCosEntries entries
const TDoubleDouble* ArcTangentTable();  // kArcTangentEntries entries
