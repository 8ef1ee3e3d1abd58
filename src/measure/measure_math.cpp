#include "measure/measure_math.h"

#include "measure/vector3.h"

#include <algorithm>
#include <cmath>

namespace korvix {
namespace {

// Points whose legs enclose an angle with a sine below this lie on one line. Collinear
// points read from single-precision coordinates give an exact 0 or rounding noise near
// 1e-16; anything larger is a real (if very flat) triangle.
constexpr double kCollinearSine = 1e-12;

double clampedAcos(double c) {
    return std::acos(std::clamp(c, -1.0, 1.0)) * kRadToDeg;
}

double positiveAngle(double radians) {
    const double full = 2.0 * kPi;
    double a = std::fmod(radians, full);
    if (a < 0)
        a += full;
    return a;
}

} // namespace

Point3 flattenedOnto(CoordinatePlane plane, const Point3& p) {
    switch (plane) {
    case CoordinatePlane::XZ:
        return {p.x, 0, p.z};
    case CoordinatePlane::YZ:
        return {0, p.y, p.z};
    default:
        return {p.x, p.y, 0};
    }
}

void projectToWorkPlane(WorkPlane plane, std::span<Point3> points) {
    if (points.empty())
        return;
    const Point3 reference = points.front();
    for (Point3& p : points.subspan(1)) {
        switch (plane) {
        case WorkPlane::XY:
            p.z = reference.z;
            break;
        case WorkPlane::XZ:
            p.y = reference.y;
            break;
        case WorkPlane::YZ:
            p.x = reference.x;
            break;
        case WorkPlane::Space3D:
            break;
        }
    }
}

double angleAtVertex(const Point3& p1, const Point3& p2, const Point3& p3) {
    if (!(distance3D(p1, p2) > 0) || !(distance3D(p1, p3) > 0) || !(distance3D(p2, p3) > 0))
        return 180.0;
    // Straight from the two legs: the law-of-sines route through the angle at p3 takes the
    // acute reading of an arcsine and goes wrong whenever the angle at p3 is obtuse.
    const Point3 a = v3::sub(p1, p2);
    const Point3 b = v3::sub(p3, p2);
    return std::atan2(v3::length(v3::cross(a, b)), v3::dot(a, b)) * kRadToDeg;
}

double planeAngle(CoordinatePlane plane, const Point3& p1, const Point3& p2, const Point3& p3) {
    return angleAtVertex(flattenedOnto(plane, p1), flattenedOnto(plane, p2),
                         flattenedOnto(plane, p3));
}

std::optional<Point3> planeNormal(const Point3& p1, const Point3& p2, const Point3& p3) {
    const Point3 a = v3::sub(p2, p1);
    const Point3 b = v3::sub(p3, p1);
    const Point3 n = v3::cross(a, b);
    const double size = v3::length(n);
    if (!(size > kCollinearSine * v3::length(a) * v3::length(b)))
        return std::nullopt;
    return v3::mul(n, 1.0 / size);
}

AxisAngles axisAngles(const Point3& unit) {
    return {clampedAcos(unit.x), clampedAcos(unit.y), clampedAcos(unit.z)};
}

AngleMeasurement measureAngle(const Point3& p1, const Point3& p2, const Point3& p3) {
    AngleMeasurement m;
    m.angle = angleAtVertex(p1, p2, p3);
    m.normal = planeNormal(p1, p2, p3);
    if (m.normal)
        m.normalAngles = axisAngles(*m.normal);
    for (CoordinatePlane plane : kCoordinatePlanes)
        m.planeAngles[static_cast<std::size_t>(plane)] = planeAngle(plane, p1, p2, p3);
    return m;
}

LineMeasurement measureLine(const Point3& p1, const Point3& p2) {
    LineMeasurement m;
    m.delta = v3::sub(p2, p1);
    m.distance = v3::length(m.delta);
    m.midPoint = v3::add(p1, v3::mul(m.delta, 0.5));
    if (m.distance > 0)
        m.vector = v3::mul(m.delta, 1.0 / m.distance);
    const Point3& d = m.delta;
    const std::array<Point2, 3> inPlane = {Point2{d.x, d.y}, Point2{d.x, d.z}, Point2{d.y, d.z}};
    for (std::size_t i = 0; i < inPlane.size(); ++i) {
        const AngleDistance ad = angleAndDistance(0, 0, inPlane[i].x, inPlane[i].y);
        m.planes[i].distance = ad.distance;
        // A line square to the plane shows there as one point: it has no direction there.
        if (ad.distance > 0)
            m.planes[i].angle = ad.angle;
    }
    return m;
}

std::optional<CircleMeasurement> circleThroughPoints(const Point3& p1, const Point3& p2,
                                                     const Point3& p3) {
    const std::optional<Point3> normal = planeNormal(p1, p2, p3);
    if (!normal)
        return std::nullopt;
    // A frame with the normal as its Z axis and p1 as its origin: the first chord gives X.
    const Point3 chord = v3::sub(p2, p1);
    const Point3 ex = v3::mul(chord, 1.0 / v3::length(chord));
    const Point3 ey = v3::cross(*normal, ex);
    const auto local = [&](const Point3& p) {
        const Point3 d = v3::sub(p, p1);
        return Point2{v3::dot(d, ex), v3::dot(d, ey)};
    };
    const Point2 q1{0, 0};
    const Point2 q2 = local(p2);
    const Point2 q3 = local(p3);
    // The centre lies on both perpendicular bisectors of the chords.
    const Point2 m1{(q1.x + q2.x) / 2, (q1.y + q2.y) / 2};
    const Point2 m2{(q2.x + q3.x) / 2, (q2.y + q3.y) / 2};
    const Point2 e1{m1.x - (q2.y - q1.y), m1.y + (q2.x - q1.x)};
    const Point2 e2{m2.x - (q3.y - q2.y), m2.y + (q3.x - q2.x)};
    const std::optional<Point2> c = segmentIntersection(m1, e1, m2, e2, false);
    if (!c)
        return std::nullopt;
    CircleMeasurement circle;
    circle.centre = v3::add(p1, v3::add(v3::mul(ex, c->x), v3::mul(ey, c->y)));
    circle.radius = distance3D(circle.centre, p1);
    circle.diameter = 2.0 * circle.radius;
    circle.normal = *normal;
    return circle;
}

std::vector<Point3> arcThroughPoints(const CircleMeasurement& circle, const Point3& p1,
                                     const Point3& p2, const Point3& p3, double maxStepDegrees) {
    const Point3 r1 = v3::sub(p1, circle.centre);
    const double radius = v3::length(r1);
    if (!(radius > 0) || !(maxStepDegrees > 0))
        return {p1, p3};
    const Point3 ex = v3::mul(r1, 1.0 / radius);
    const Point3 ey = v3::cross(circle.normal, ex);
    const auto angleOf = [&](const Point3& p) {
        const Point3 d = v3::sub(p, circle.centre);
        return positiveAngle(std::atan2(v3::dot(d, ey), v3::dot(d, ex)));
    };
    const double to2 = angleOf(p2);
    const double to3 = angleOf(p3);
    // Counter-clockwise about the normal when p2 comes before p3 that way, else clockwise.
    const bool counterClockwise = to2 <= to3;
    const double sweep = counterClockwise ? to3 : to3 - 2.0 * kPi;
    const double stepRadians = maxStepDegrees / kRadToDeg;
    const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / stepRadians)));
    std::vector<Point3> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    points.push_back(p1);
    for (int i = 1; i < steps; ++i) {
        const double a = sweep * i / steps;
        points.push_back(v3::add(circle.centre, v3::add(v3::mul(ex, radius * std::cos(a)),
                                                        v3::mul(ey, radius * std::sin(a)))));
    }
    points.push_back(p3);
    return points;
}

} // namespace korvix
