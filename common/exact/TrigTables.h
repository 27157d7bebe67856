// Constants and tables of the fast trigonometric routes, computed once, on
// first use, in integer arithmetic: the same bits on every platform, and
// none typed in by hand. Each entry is within 2^-106 of its true value,
// relative to it (docs/trigonometry-error-analysis.md derives it, tests/trig
// checks it against MPFR).
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
// offset with |offset| <= 1/(2 kTableSteps) (a tie to the even index), the
// offset exact. The index comes from exact arithmetic alone: v * kTableSteps
// is exact (a power of two); adding 2^52 puts it among the doubles of
// [2^52, 2^53), which are the integers, so that sum's one rounding is to the
// integer nearest to it, and taking 2^52 away again is exact. (A rounded
// v * kTableSteps + 0.5 rounds to 53 bits, not to an integer: at
// v = 2^-11 - 2^-64 it carries to 1 and leaves the offset inexact.)
struct TTablePoint {
  int index;
  double offset;
};
inline TTablePoint NearestTablePoint(double v) {
  constexpr double kIntegerSpacing = 0x1p52;  // from here up to 2^53, a double per integer
  const double nearest = (v * kTableSteps + kIntegerSpacing) - kIntegerSpacing;
  // Exact for every index (docs/trigonometry-error-analysis.md, 4.2): for
  // index >= 1, |v kTableSteps - index| <= 1/2 <= index/2 puts
  // index/kTableSteps within a factor 2 of v (Sterbenz); for index 0 the
  // offset is v itself.
  return {static_cast<int>(nearest), v - nearest / kTableSteps};
}

struct TSinCosEntry {
  TDoubleDouble sine;
  TDoubleDouble cosine;
};

// Each built on its first call, in a fraction of a millisecond; thread-safe.
const TTrigConstants& TrigConstants();
const TSinCosEntry* SinCosTable();       // kSinCosEntries entries
const TDoubleDouble* ArcTangentTable();  // kArcTangentEntries entries
