#pragma once

// Arcs as the whole program sees them: the shape of one arc in its plane and the points of
// its pieces. The reader builds arc groups from it, arc fitting its new arcs.

#include "model/geometry.h"

#include <cmath>

namespace korvix {

// How far a rounded end point may lie outside the circle of the programmed radius: half a
// chord up to this much longer than the radius still makes a half circle. Also the largest
// distance of an arc piece's chord from the arc.
inline constexpr double kArcTolerance = 0.0005;
// A bound on the pieces of one arc, reached only by radii of kilometres; beyond it the step
// grows, so that a malformed file cannot fill the memory with one block.
inline constexpr double kMaxArcPieces = 100000;

struct ArcShape {
    bool valid = false;
    double centerH = 0, centerV = 0, centerT = 0;
    // Distance from the centre to the end point, positive when the angles increase from start
    // to end (counter-clockwise in the plane's own axes), negative otherwise.
    double radius = 0;
    double startAngle = 0, endAngle = 0; // degrees, [0, 360)
};

// Length of the arc, for the cutting time.
inline double arcPathLength(const ArcShape& arc) {
    return kPi * std::fabs(arc.radius) * arcSweep(arc.startAngle, arc.endAngle, arc.radius) / 180.0;
}

// Angle in degrees between successive arc pieces, so that no chord strays more than
// kArcTolerance from the arc. NaN or 0 for radii where no such step exists.
inline double pieceStepAngle(double radius) {
    const double r = std::fabs(radius);
    return 2.0 * std::acos((r - kArcTolerance) / r) * kRadToDeg;
}

// Calls emit(h, v) with the end point of every piece of the arc, in order, the last one
// being the point of the end angle; stops early when emit returns false. Returns false when
// it was stopped.
//
// The points lie on the circle at startAngle + n * step. Sine and cosine are taken once per
// arc and the points found by rotating the previous one, refreshed from the exact angle every
// 64 pieces so that rounding cannot build up.
template <typename Emit> bool forEachArcPiece(const ArcShape& arc, Emit&& emit) {
    const double r = std::fabs(arc.radius);
    const bool increasing = arc.radius >= 0.0;
    double theta = arc.startAngle;
    if (increasing && arc.startAngle > arc.endAngle)
        theta -= 360.0;
    else if (!increasing && arc.endAngle > arc.startAngle)
        theta += 360.0;
    double step = pieceStepAngle(r);
    if (step > 0.0) { // not NaN, not 0
        const double sweep = increasing ? arc.endAngle - theta : theta - arc.endAngle;
        if (sweep / step > kMaxArcPieces)
            step = sweep / kMaxArcPieces;
        const double turn = (increasing ? step : -step) * kDegToRadExact;
        const double cosTurn = std::cos(turn);
        const double sinTurn = std::sin(turn);
        double c = std::cos(theta * kDegToRadExact);
        double s = std::sin(theta * kDegToRadExact);
        unsigned count = 0;
        while (increasing ? theta + step < arc.endAngle : theta - step > arc.endAngle) {
            theta += increasing ? step : -step;
            if (++count % 64 == 0) {
                c = std::cos(theta * kDegToRadExact);
                s = std::sin(theta * kDegToRadExact);
            } else {
                const double rotated = c * cosTurn - s * sinTurn;
                s = s * cosTurn + c * sinTurn;
                c = rotated;
            }
            if (!emit(arc.centerH + r * c, arc.centerV + r * s))
                return false;
        }
    }
    const double endRadians = arc.endAngle * kDegToRadExact;
    return emit(arc.centerH + r * std::cos(endRadians), arc.centerV + r * std::sin(endRadians));
}

} // namespace korvix
