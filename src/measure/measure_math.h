#pragma once

// The measurements between picked points: angles, planes, lines and circles. Every result
// that can have no answer (coincident or collinear points) is an optional; an empty one is
// shown as "Error".

#include "model/geometry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace korvix {

// The work plane choices, in the order of the radio group (its item index).
enum class WorkPlane : std::uint8_t { XY = 0, XZ = 1, YZ = 2, Space3D = 3 };

// The coordinate planes of the 2D results, in display order.
enum class CoordinatePlane : std::uint8_t { XY = 0, XZ = 1, YZ = 2 };
inline constexpr std::array<CoordinatePlane, 3> kCoordinatePlanes = {
    CoordinatePlane::XY, CoordinatePlane::XZ, CoordinatePlane::YZ};

// The point with the coordinate off the plane set to 0 (Z for XY, Y for XZ, X for YZ).
Point3 flattenedOnto(CoordinatePlane plane, const Point3& p);

// Moves every point after the first into the work plane through the first one: with the XY
// plane they take its Z, with XZ its Y, with YZ its X. "3D space" changes nothing.
void projectToWorkPlane(WorkPlane plane, std::span<Point3> points);

// The angle at p2 between the legs to p1 and p3, in degrees (0 to 180). When any two of
// the points coincide there is no angle and the result is 180.
double angleAtVertex(const Point3& p1, const Point3& p2, const Point3& p3);

// The same angle with the points flattened onto a coordinate plane.
double planeAngle(CoordinatePlane plane, const Point3& p1, const Point3& p2, const Point3& p3);

// The unit normal (p2 - p1) x (p3 - p1) of the plane through the points; nothing when they
// span no plane (two coincide, or all lie on one line).
std::optional<Point3> planeNormal(const Point3& p1, const Point3& p2, const Point3& p3);

// The angles in degrees between a unit vector and the X, Y and Z axes.
struct AxisAngles {
    double fromX = 0, fromY = 0, fromZ = 0;
};
AxisAngles axisAngles(const Point3& unit);

struct AngleMeasurement {
    double angle = 180;           // at point 2
    std::optional<Point3> normal; // unit
    std::optional<AxisAngles> normalAngles;
    std::array<double, 3> planeAngles{}; // XY, XZ, YZ
};
AngleMeasurement measureAngle(const Point3& p1, const Point3& p2, const Point3& p3);

// The delta's distance and direction (0 <= angle < 360) in one coordinate plane. A delta
// that is a single point in the plane has no direction.
struct PlaneDelta {
    double distance = 0;
    std::optional<double> angle;
};

struct LineMeasurement {
    Point3 delta;
    double distance = 0;
    std::optional<Point3> vector;     // unit delta; nothing when the points coincide
    std::array<PlaneDelta, 3> planes; // XY, XZ, YZ
    Point3 midPoint;
};
LineMeasurement measureLine(const Point3& p1, const Point3& p2);

struct CircleMeasurement {
    Point3 centre;
    double radius = 0;
    double diameter = 0;
    Point3 normal; // unit normal of the points' plane
};
// The circle through three points in their plane; nothing when the points span no plane.
std::optional<CircleMeasurement> circleThroughPoints(const Point3& p1, const Point3& p2,
                                                     const Point3& p3);

// Points along the circle from p1 through p2 to p3, at most `maxStepDegrees` apart, the
// first and last being p1 and p3 themselves.
std::vector<Point3> arcThroughPoints(const CircleMeasurement& circle, const Point3& p1,
                                     const Point3& p2, const Point3& p3,
                                     double maxStepDegrees = 2.0);

} // namespace korvix
