#pragma once

// Small vector helpers over Point3 for the measurement maths and marks. They live in their
// own namespace so that they never meet operators another part of the program may define.

#include "model/geometry.h"

#include <cmath>

namespace korvix::v3 {

inline Point3 sub(const Point3& a, const Point3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Point3 add(const Point3& a, const Point3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Point3 mul(const Point3& a, double f) {
    return {a.x * f, a.y * f, a.z * f};
}
inline double dot(const Point3& a, const Point3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Point3 cross(const Point3& a, const Point3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(const Point3& a) {
    return std::sqrt(dot(a, a));
}

} // namespace korvix::v3
