// The exact-number machinery, behind one door: correctly rounded sin, cos
// and atan2 and the angle sum, decimal text to double and double to decimal
// digits, all by IEEE 754 arithmetic and the project's own integer
// arithmetic, so that every build computes the same bits. Everything else
// in this folder (big integers, double-double, the tables, the exact
// routes) serves these and is included by nothing outside it.
#pragma once

#include "common/exact/DecimalToDouble.h"
#include "common/exact/DoubleToDecimal.h"
#include "common/exact/PowersOfTen.h"
#include "common/exact/Trigonometry.h"
