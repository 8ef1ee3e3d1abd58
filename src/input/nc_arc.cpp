#include "input/nc_arc.h"

namespace korvix::nc {
namespace {

// Far below the 4 decimals of NC words, far above the rounding error of doubles of their size.
constexpr double kDecimalSlack = 1e-9;

} // namespace

ArcShape buildArc(std::uint8_t plane, int motion, const PlanePoint& start, const PlanePoint& end,
                  const ArcWords& words, bool absoluteCenters) {
    // The centre words of the plane: (I, J) for XY, (I, K) for XZ, (J, K) for YZ.
    const double wordH = plane == kPlaneYZ ? words.j : words.i;
    const double wordV = plane == kPlaneXY ? words.j : words.k;
    // Seen in the plane's own axes, an XZ arc turns the other way round: looking at the XZ
    // plane from +Y puts Z up and X to the left.
    const bool counterClockwise = motion == kMotionCounterClockwise;
    const bool increasing = plane == kPlaneXZ ? !counterClockwise : counterClockwise;

    ArcShape arc;
    if (absoluteCenters) {
        arc.centerH = wordH;
        arc.centerV = wordV;
    } else {
        const double r =
            std::fabs(radiusGiven(words.r) ? words.r : std::sqrt(wordH * wordH + wordV * wordV));
        const AngleDistance chord = angleAndDistance(start.h, start.v, end.h, end.v);
        const double halfChord = chord.distance / 2.0;
        if (!(r > 0.0))
            return arc;
        double offset = 0.0; // from the chord's midpoint to the centre
        if (halfChord > r) {
            // End points rounded to the program's decimals put many half circles a little
            // outside their circle: those are half circles about the chord's midpoint.
            // (The values carry the rounding of their decimal text: a difference of exactly
            // kArcTolerance on paper may come out a hair above it.)
            if (halfChord - r > kArcTolerance + kDecimalSlack)
                return arc;
        } else {
            offset = std::sqrt(r * r - halfChord * halfChord);
        }
        // Unit vector along the chord; a chord of length 0 points along +v as the angle 90
        // of angleAndDistance does.
        double alongH = 0.0, alongV = 1.0;
        if (chord.distance > 0.0) {
            alongH = (end.h - start.h) / chord.distance;
            alongV = (end.v - start.v) / chord.distance;
        }
        const double midH = start.h + (end.h - start.h) / 2.0;
        const double midV = start.v + (end.v - start.v) / 2.0;
        // The centre lies to the left of the chord when the angles increase: the shorter arc.
        const double side = increasing ? 1.0 : -1.0;
        arc.centerH = midH - side * offset * alongV;
        arc.centerV = midV + side * offset * alongH;
    }
    arc.centerT = start.t;

    const AngleDistance toEnd = angleAndDistance(arc.centerH, arc.centerV, end.h, end.v);
    if (toEnd.distance == 0.0)
        return arc;
    arc.endAngle = toEnd.angle;
    arc.radius = increasing ? toEnd.distance : -toEnd.distance;
    arc.startAngle = angleAndDistance(arc.centerH, arc.centerV, start.h, start.v).angle;
    arc.valid = true;
    return arc;
}

} // namespace korvix::nc
