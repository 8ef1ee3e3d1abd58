#pragma once

// The coordinates of an arc plane: its first and second axis (h, v) and the remaining one
// (t). XY maps (X, Y, Z) to (h, v, t), XZ maps (X, Z, Y), YZ maps (Y, Z, X); any other plane
// value counts as XY. Inline, because the reader maps every arc piece it makes.

#include "model/geometry.h"
#include "model/move_record.h"

#include <cstdint>

namespace korvix {

struct PlanePoint {
    double h = 0, v = 0, t = 0;
};

inline PlanePoint toPlane(std::uint8_t plane, double x, double y, double z) {
    switch (plane) {
    case kPlaneXZ:
        return {x, z, y};
    case kPlaneYZ:
        return {y, z, x};
    default:
        return {x, y, z};
    }
}

inline PlanePoint toPlane(std::uint8_t plane, const Point3& p) {
    return toPlane(plane, p.x, p.y, p.z);
}

inline Point3 fromPlane(std::uint8_t plane, double h, double v, double t) {
    switch (plane) {
    case kPlaneXZ:
        return {h, t, v};
    case kPlaneYZ:
        return {t, h, v};
    default:
        return {h, v, t};
    }
}

// The coordinate off the plane (Z for XY, Y for XZ, X for YZ).
inline double thirdAxisOf(std::uint8_t plane, const Point3& p) {
    return toPlane(plane, p).t;
}

// A record's end point and its arc centre as model points.
inline Point3 endPointOf(const MoveRecord& r) {
    return {r.x, r.y, r.z};
}
inline Point3 centreOf(const MoveRecord& r) {
    return {r.centerX, r.centerY, r.centerZ};
}

} // namespace korvix
