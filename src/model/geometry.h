#pragma once

#include <optional>
#include <span>

namespace korvix {

struct Point2 {
    double x = 0, y = 0;
};
struct Point3 {
    double x = 0, y = 0, z = 0;
};

inline constexpr double kPi = 3.14159265358979323846;
// Degrees to radians, the rounded constant the polar routine and the view transform use
// (their pictures and files have always been computed with it).
inline constexpr double kDegToRad = 0.01745329252;
// Degrees to radians at full precision, for the points of arc pieces.
inline constexpr double kDegToRadExact = kPi / 180.0;
// Radians to degrees at full precision, as angleAndDistance uses it.
inline constexpr double kRadToDeg = 57.29577951308233;

struct AngleDistance {
    double angle;    // degrees in [0, 360), counter-clockwise from +x
    double distance; // plane distance
};

// Angle and distance from (x1, y1) to (x2, y2). A vertical direction (dx exactly 0) has the
// angle 90 or 270; the zero vector gives 90 and 0.
AngleDistance angleAndDistance(double x1, double y1, double x2, double y2);

// The point `distance` away from the origin in the direction angleDeg.
Point2 polarPoint(double distance, double angleDeg, double originX, double originY);

double distance3D(const Point3& a, const Point3& b);

// Adds length / feed minutes; a feed of exactly 0 counts as 1.
void addCuttingTime(double& cuttingTime, double feed, double length);

// Length of the arc from start to end about centre, in the arc's plane. The direction comes
// from the sign of the radius (positive: counter-clockwise, 0 counts as positive); arcs of
// 180 degrees or more have no length (0).
double arcLength(const Point2& centre, const Point2& start, const Point2& end, double signedRadius);

// The angle reduced into [0, 360); arcs made by arc fitting carry angles up to 720.
double reduceAngle(double degrees);

// Degrees swept from the start to the end angle in the direction of the radius sign
// (positive: increasing angles, 0 counts as positive), in [0, 360). Equal angles sweep 0
// degrees: no single arc record describes a full turn. The one sweep of the whole program.
double arcSweep(double startAngle, double endAngle, double signedRadius);

// Ties return the first argument.
inline double minOf(double a, double b) {
    return b < a ? b : a;
}
inline double maxOf(double a, double b) {
    return b > a ? b : a;
}

inline constexpr int kOrientationPositive = 1;
inline constexpr int kOrientationNegative = 2;
inline constexpr int kOrientationZero = 4;

// Sign of the cross product (a - c) x (b - c), as 1 (positive), 2 (negative) or 4 (zero).
int orientation(const Point2& a, const Point2& b, const Point2& c);

// Intersection of the lines p1p2 and p3p4; nothing when they are parallel (denominator
// exactly 0) or, with `bounded`, when either line parameter lies outside [0, 1].
std::optional<Point2> segmentIntersection(const Point2& p1, const Point2& p2, const Point2& p3,
                                          const Point2& p4, bool bounded);

// Even-odd test with a ray in +x: an edge counts when min(y1, y2) < y <= max(y1, y2),
// x <= max(x1, x2), and the edge is vertical or x lies at or left of it at height y.
bool pointInPolygon(const Point2& point, std::span<const Point2> polygon);

} // namespace korvix
