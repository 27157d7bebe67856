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

struct TSinCosEntry {
  TDoubleDouble sine;
  TDoubleDouble cosine;
};

// Each built on its first call, in a few milliseconds; thread-safe.
const TTrigConstants& TrigConstants();
const TSinCosEntry* SinCosTable();       // kSinCosEntries entries
const TDoubleDouble* ArcTangentTable();  // kArcTangentEntries entries
