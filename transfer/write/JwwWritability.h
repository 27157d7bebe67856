// The tests by which a command function leaves a degenerate entity out. The
// command functions and the entity writers share them: an entity writer must
// know beforehand whether its command will be written, because z lines of an
// entity that is left out would land on the next entity the host reads.
#pragma once

#include <cstdint>
#include <string_view>

// The writer's one tolerance, absolute.
constexpr double kJwwTolerance = 1e-8;

// Both coordinate differences strictly below the tolerance.
bool PointsCoincide(double x1, double y1, double x2, double y2);

// Nothing but ASCII blanks, control bytes and full-width blanks.
bool TextIsBlank(std::string_view text);

bool LineIsWritable(double x1, double y1, double x2, double y2);
bool CircleIsWritable(double radius);
bool ArcIsWritable(double radius, double flatness);
bool TextIsWritable(std::string_view text, double dx, double dy);
// A blank text does not stop a line-and-text unit: its length is written.
bool LineTextIsWritable(double x1, double y1, double x2, double y2, double dx, double dy);
bool Solid2IsWritable(double x1, double y1, double x2, double y2);
bool Solid3IsWritable(double x1, double y1, double x2, double y2, double x3, double y3);

// What a four-point solid comes to after its degenerate corners are dropped:
// nothing (corners 0), the three-point solid in `points` (corners 3), or
// itself (corners 4, `points` holding its own corners).
struct TJwwSolid4Outcome {
  int corners;
  double points[8];
};
TJwwSolid4Outcome ReduceSolid4(double x1, double y1, double x2, double y2, double x3, double y3,
                               double x4, double y4);

bool SolidScIsWritable(const double values[7], int32_t code);
bool SolidSeIsWritable(const double values[7], int32_t code);
// The "so" and the "sg" solid.
bool SolidSoIsWritable(const double values[8]);
