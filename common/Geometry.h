// Plane geometry of the text flip and the line writer, in double precision
// and radians.
#pragma once

// Euclidean distance between (x1, y1) and (x2, y2); never infinite for finite
// points.
double PointDistance(double x1, double y1, double x2, double y2);

// Direction angle of (dx, dy) in radians, in [0, 2*pi]; 0 when both
// components are below 1e-10 in magnitude.
double VectorAngle(double dx, double dy);

// Turns (x, y) counter-clockwise about (cx, cy) by `angle` radians.
void RotatePoint(double x, double y, double cx, double cy, double angle, double& outX,
                 double& outY);
