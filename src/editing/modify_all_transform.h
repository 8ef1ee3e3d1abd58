#pragma once

#include "model/geometry.h"
#include "model/move_record.h"

#include <cstdint>

namespace korvix {

// The geometric changes of Modify all as one value type: what happens to a point, and what
// happens to an arc piece's centre, radius, angles and direction. Computed in double, stored
// back as float.
class PointTransform {
public:
    enum class Kind : std::uint8_t { Identity, Mirror, Translate, Rotate, Scale };

    PointTransform() = default;
    // Mirror about the axes through the origin: X values negated, Y values negated.
    static PointTransform mirror(bool mirrorX, bool mirrorY);
    static PointTransform translate(double dx, double dy, double dz);
    // Counter-clockwise by angleDeg about (aboutX, aboutY) in the XY plane; Z is unchanged.
    static PointTransform rotate(double angleDeg, double aboutX, double aboutY);
    // About the origin; the factor must be positive.
    static PointTransform scale(double factor);

    Kind kind() const { return m_kind; }

    // The transform of the k-th copy: k times the offset or the angle; mirror and scale are
    // their own repetition.
    PointTransform repeated(int k) const;

    Point3 map(double x, double y, double z) const;

    // Maps the record in place: its end point, and for an arc piece its centre, radius,
    // start and end angles and direction. Every other field is left alone.
    void apply(MoveRecord& record) const;

    // A bound on the magnitude of any mapped value, when no stored value (coordinate,
    // centre, radius) exceeds `magnitude`.
    double magnitudeBound(double magnitude) const;

private:
    Kind m_kind = Kind::Identity;
    bool m_mirrorX = false, m_mirrorY = false;
    double m_dx = 0, m_dy = 0, m_dz = 0;
    double m_angle = 0, m_cos = 1, m_sin = 0, m_aboutX = 0, m_aboutY = 0;
    double m_factor = 1;

    void mirrorArc(MoveRecord& record) const;
    void rotateArc(MoveRecord& record) const;
};

// The angle reduced into [0, 360).
double normalizedAngle(double degrees);

} // namespace korvix
