// The exact-number machinery, behind one door: correctly rounded sin, cos
// and atan2 and the angle sum, by IEEE 754 arithmetic and the project's own
// integer arithmetic, so that every build computes the same bits. Everything
// else in this folder (big integers, double-double, the tables, the exact
// routes) serves these and is included by nothing outside it.
#pragma once

#include "common/exact/Trigonometry.h"
