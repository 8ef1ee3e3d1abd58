#include "editing/modify_all_transform.h"

#include <algorithm>
#include <cmath>

namespace korvix {
namespace {

float stored(double value) {
    return static_cast<float>(value);
}

// Subtracting from 0 rather than negating keeps a zero coordinate a plain 0, never -0, so
// that no listing ever shows "-0.0000".
float negated(float value) {
    return stored(0.0 - static_cast<double>(value));
}

} // namespace

double normalizedAngle(double degrees) {
    // Nearly every angle is at most one turn off; fmod is for the rest.
    if (degrees >= 0.0 && degrees < 360.0)
        return degrees;
    if (degrees >= -360.0 && degrees < 0.0) {
        const double up = degrees + 360.0;
        return up >= 360.0 ? 0.0 : up;
    }
    if (degrees >= 360.0 && degrees < 720.0)
        return degrees - 360.0;
    double reduced = std::fmod(degrees, 360.0);
    if (reduced < 0.0)
        reduced += 360.0;
    // A tiny negative angle comes back as 360 - tiny, which may round to 360 itself.
    return reduced >= 360.0 ? 0.0 : reduced;
}

PointTransform PointTransform::mirror(bool mirrorX, bool mirrorY) {
    PointTransform t;
    t.m_kind = Kind::Mirror;
    t.m_mirrorX = mirrorX;
    t.m_mirrorY = mirrorY;
    return t;
}

PointTransform PointTransform::translate(double dx, double dy, double dz) {
    PointTransform t;
    t.m_kind = Kind::Translate;
    t.m_dx = dx;
    t.m_dy = dy;
    t.m_dz = dz;
    return t;
}

PointTransform PointTransform::rotate(double angleDeg, double aboutX, double aboutY) {
    PointTransform t;
    t.m_kind = Kind::Rotate;
    t.m_angle = angleDeg;
    // Turning a point by θ about the centre is the polar construction of the point at its
    // own angle plus θ, done with one sine and cosine for the whole path.
    t.m_cos = std::cos(angleDeg * kDegToRad);
    t.m_sin = std::sin(angleDeg * kDegToRad);
    t.m_aboutX = aboutX;
    t.m_aboutY = aboutY;
    return t;
}

PointTransform PointTransform::scale(double factor) {
    PointTransform t;
    t.m_kind = Kind::Scale;
    t.m_factor = factor;
    return t;
}

PointTransform PointTransform::repeated(int k) const {
    const double times = static_cast<double>(k);
    switch (m_kind) {
    case Kind::Translate:
        return translate(m_dx * times, m_dy * times, m_dz * times);
    case Kind::Rotate:
        return rotate(m_angle * times, m_aboutX, m_aboutY);
    default:
        return *this;
    }
}

Point3 PointTransform::map(double x, double y, double z) const {
    switch (m_kind) {
    case Kind::Identity:
        break;
    case Kind::Mirror:
        return {m_mirrorX ? 0.0 - x : x, m_mirrorY ? 0.0 - y : y, z};
    case Kind::Translate:
        return {x + m_dx, y + m_dy, z + m_dz};
    case Kind::Rotate: {
        const double u = x - m_aboutX, v = y - m_aboutY;
        return {m_aboutX + u * m_cos - v * m_sin, m_aboutY + u * m_sin + v * m_cos, z};
    }
    case Kind::Scale:
        return {x * m_factor, y * m_factor, z * m_factor};
    }
    return {x, y, z};
}

void PointTransform::apply(MoveRecord& r) const {
    const bool arc = isArcPiece(r);
    switch (m_kind) {
    case Kind::Identity:
        return;
    case Kind::Mirror:
        if (m_mirrorX) {
            r.x = negated(r.x);
            if (arc)
                r.centerX = negated(r.centerX);
        }
        if (m_mirrorY) {
            r.y = negated(r.y);
            if (arc)
                r.centerY = negated(r.centerY);
        }
        if (arc)
            mirrorArc(r);
        return;
    case Kind::Translate:
        r.x = stored(r.x + m_dx);
        r.y = stored(r.y + m_dy);
        r.z = stored(r.z + m_dz);
        if (arc) {
            r.centerX = stored(r.centerX + m_dx);
            r.centerY = stored(r.centerY + m_dy);
            r.centerZ = stored(r.centerZ + m_dz);
        }
        return;
    case Kind::Rotate: {
        const Point3 p = map(r.x, r.y, r.z);
        r.x = stored(p.x);
        r.y = stored(p.y);
        if (arc)
            rotateArc(r);
        return;
    }
    case Kind::Scale:
        r.x = stored(r.x * m_factor);
        r.y = stored(r.y * m_factor);
        r.z = stored(r.z * m_factor);
        if (arc) {
            r.centerX = stored(r.centerX * m_factor);
            r.centerY = stored(r.centerY * m_factor);
            r.centerZ = stored(r.centerZ * m_factor);
            r.radius = stored(r.radius * m_factor);
        }
        return;
    }
}

// The arc's points are mirrored with it; seen from the mirrored centre, a point at angle a
// lies at 180 - a when the plane's first axis is mirrored and at -a when its second is, so
// the new angles point exactly at the mirrored start and end points. Mirroring one axis of
// the plane turns the direction of travel; a mirror of the axis off the plane leaves the
// arc as it is.
void PointTransform::mirrorArc(MoveRecord& r) const {
    bool firstAxis = false, secondAxis = false;
    switch (r.plane) {
    case kPlaneXZ:
        firstAxis = m_mirrorX;
        break;
    case kPlaneYZ:
        firstAxis = m_mirrorY;
        break;
    default:
        firstAxis = m_mirrorX;
        secondAxis = m_mirrorY;
        break;
    }
    if (!firstAxis && !secondAxis)
        return;
    const auto mirrored = [&](double a) {
        if (firstAxis && secondAxis)
            return normalizedAngle(a + 180.0);
        return normalizedAngle(firstAxis ? 180.0 - a : 0.0 - a);
    };
    r.startAngle = stored(mirrored(r.startAngle));
    r.endAngle = stored(mirrored(r.endAngle));
    if (firstAxis != secondAxis) {
        r.radius = negated(r.radius);
        if (r.motion == kMotionClockwise)
            r.motion = kMotionCounterClockwise;
        else if (r.motion == kMotionCounterClockwise)
            r.motion = kMotionClockwise;
    }
}

// Only XY arcs are ever rotated (the callers refuse the others): the centre turns with the
// points, the angles grow by the rotation, radius and direction stay.
void PointTransform::rotateArc(MoveRecord& r) const {
    const Point3 centre = map(r.centerX, r.centerY, r.centerZ);
    r.centerX = stored(centre.x);
    r.centerY = stored(centre.y);
    r.startAngle = stored(normalizedAngle(r.startAngle + m_angle));
    r.endAngle = stored(normalizedAngle(r.endAngle + m_angle));
}

double PointTransform::magnitudeBound(double magnitude) const {
    switch (m_kind) {
    case Kind::Translate:
        return magnitude + std::max({std::fabs(m_dx), std::fabs(m_dy), std::fabs(m_dz)});
    case Kind::Rotate: {
        const double about = std::max(std::fabs(m_aboutX), std::fabs(m_aboutY));
        return about + std::sqrt(2.0) * (magnitude + about);
    }
    case Kind::Scale:
        return magnitude * m_factor;
    default:
        return magnitude;
    }
}

} // namespace korvix
