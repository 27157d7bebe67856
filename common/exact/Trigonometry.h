// Correctly rounded trigonometry: each result is the double nearest to the
// exact value of the function at the given double, so every build on every
// platform computes the same bits, independent of the C runtime's libm. A
// double-double evaluation answers nearly every call; the rare argument
// whose result lies too close to halfway between two doubles for it to
// decide takes the exact route (ExactTrig.h).
#pragma once

// sin x and cos x. NaN and infinities give NaN.
void SinCos(double x, double& sine, double& cosine);

// The angle of (x, y) in (-pi, pi], with the signed zeros and infinities of
// the C standard's atan2: atan2(+-0, x) is +-0 for x > 0 or x = +0 and +-pi
// for x < 0 or x = -0; NaN in gives NaN.
double ArcTangent2(double y, double x);

// r + 2 pi for -pi <= r < 0, the step that makes a direction angle
// non-negative, as the x87 extended format gives it: 2 pi to 64 significant
// bits, the exact sum rounded to 64 bits and then to a double, each to
// nearest with ties to even. Now and then one ulp from the correctly rounded
// sum; this is the value that drawings already hold. An r outside (-4, 0)
// (never one from a direction angle) gives the plain double sum r + 2 pi.
double PlusTwoPi(double r);
