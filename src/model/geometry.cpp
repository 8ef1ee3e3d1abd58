#include "model/geometry.h"

#include <cmath>

namespace korvix {

AngleDistance angleAndDistance(double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double distance = std::sqrt(dx * dx + dy * dy);
    double angle = 90.0;
    if (dx != 0.0) {
        angle = std::atan(dy / dx) * kRadToDeg;
        if (angle < 0.0)
            angle = -angle;
    }
    if (dx < 0.0 && dy >= 0.0)
        angle = 180.0 - angle;
    else if (dx < 0.0 && dy < 0.0)
        angle = 180.0 + angle;
    else if (dy < 0.0 && dx >= 0.0)
        angle = 360.0 - angle;
    return {angle, distance};
}

Point2 polarPoint(double distance, double angleDeg, double originX, double originY) {
    const double radians = angleDeg * kDegToRad;
    return {originX + distance * std::cos(radians), originY + distance * std::sin(radians)};
}

double distance3D(const Point3& a, const Point3& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double dz = b.z - a.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

void addCuttingTime(double& cuttingTime, double feed, double length) {
    cuttingTime += length / (feed == 0.0 ? 1.0 : feed);
}

double arcLength(const Point2& centre, const Point2& start, const Point2& end,
                 double signedRadius) {
    const double startAngle = angleAndDistance(centre.x, centre.y, start.x, start.y).angle;
    const double endAngle = angleAndDistance(centre.x, centre.y, end.x, end.y).angle;
    const bool counterClockwise = signedRadius >= 0.0;
    const double candidates[] = {startAngle - endAngle, (startAngle - 360.0) - endAngle,
                                 (startAngle + 360.0) - endAngle};
    for (double difference : candidates) {
        const bool fits = counterClockwise ? (difference > -180.0 && difference < 0.0)
                                           : (difference > 0.0 && difference < 180.0);
        if (fits)
            return kPi * std::fabs(signedRadius) * std::fabs(difference) / 180.0;
    }
    return 0.0;
}

double reduceAngle(double degrees) {
    double reduced = std::fmod(degrees, 360.0);
    if (reduced < 0)
        reduced += 360.0;
    // A tiny negative angle reduces to 360 - tiny, which can round to 360 itself.
    return reduced >= 360.0 ? 0.0 : reduced;
}

double arcSweep(double startAngle, double endAngle, double signedRadius) {
    const double start = reduceAngle(startAngle);
    const double end = reduceAngle(endAngle);
    double sweep = signedRadius >= 0.0 ? end - start : start - end;
    if (sweep < 0)
        sweep += 360.0;
    return sweep;
}

int orientation(const Point2& a, const Point2& b, const Point2& c) {
    const double cross = (a.x - c.x) * (b.y - c.y) - (a.y - c.y) * (b.x - c.x);
    if (cross > 0.0)
        return kOrientationPositive;
    if (cross < 0.0)
        return kOrientationNegative;
    return kOrientationZero;
}

std::optional<Point2> segmentIntersection(const Point2& p1, const Point2& p2, const Point2& p3,
                                          const Point2& p4, bool bounded) {
    const double denominator = (p4.y - p3.y) * (p2.x - p1.x) - (p4.x - p3.x) * (p2.y - p1.y);
    if (denominator == 0.0)
        return std::nullopt;
    const double ua = ((p4.x - p3.x) * (p1.y - p3.y) - (p4.y - p3.y) * (p1.x - p3.x)) / denominator;
    const double ub = ((p2.x - p1.x) * (p1.y - p3.y) - (p2.y - p1.y) * (p1.x - p3.x)) / denominator;
    if (bounded && (ua < 0.0 || ua > 1.0 || ub < 0.0 || ub > 1.0))
        return std::nullopt;
    return Point2{p1.x + ua * (p2.x - p1.x), p1.y + ua * (p2.y - p1.y)};
}

bool pointInPolygon(const Point2& point, std::span<const Point2> polygon) {
    bool inside = false;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point2& a = polygon[i];
        const Point2& b = polygon[(i + 1) % n];
        if (point.y > minOf(a.y, b.y) && point.y <= maxOf(a.y, b.y) && point.x <= maxOf(a.x, b.x)) {
            if (a.x == b.x || point.x <= (point.y - a.y) * (b.x - a.x) / (b.y - a.y) + a.x)
                inside = !inside;
        }
    }
    return inside;
}

} // namespace korvix
