#include "input/nc_arc.h"

#include "model/move_record.h"

#include <algorithm>
#include <limits>

namespace korvix::nc {
namespace {

// Far below the 4 decimals of NC words, far above the rounding error of doubles of their size.
constexpr double kDecimalSlack = 1e-9;

constexpr double kFloatMax = std::numeric_limits<float>::max();

// The arc's circle lies within the float range the records hold.
bool inFloatRange(const ArcShape& arc) {
    const double r = std::fabs(arc.radius);
    return std::fabs(arc.centerH) + r <= kFloatMax && std::fabs(arc.centerV) + r <= kFloatMax;
}

} // namespace

bool anglesIncrease(std::uint8_t plane, int motion) {
    // Seen in the plane's own axes, an XZ arc turns the other way round: looking at the XZ
    // plane from +Y puts Z up and X to the left.
    const bool counterClockwise = motion == kMotionCounterClockwise;
    return plane == kPlaneXZ ? !counterClockwise : counterClockwise;
}

bool fullTurnCentre(std::uint8_t plane, const PlanePoint& start, const ArcWords& words,
                    bool absoluteCenters, double& h, double& v) {
    double wordH = 0, wordV = 0;
    planeCentreWords(plane, words, wordH, wordV);
    if (absoluteCenters) {
        h = wordH == kUndefined ? start.h : wordH;
        v = wordV == kUndefined ? start.v : wordV;
    } else {
        h = start.h + (wordH == kUndefined ? 0.0 : wordH);
        v = start.v + (wordV == kUndefined ? 0.0 : wordV);
    }
    return std::hypot(start.h - h, start.v - v) > kMotionTolerance;
}

ArcShape halfTurn(std::uint8_t plane, int motion, double h, double v, const PlanePoint& start) {
    ArcShape arc;
    arc.centerH = h;
    arc.centerV = v;
    arc.centerT = start.t;
    const AngleDistance toStart = angleAndDistance(h, v, start.h, start.v);
    arc.startAngle = toStart.angle;
    arc.endAngle = toStart.angle >= 180.0 ? toStart.angle - 180.0 : toStart.angle + 180.0;
    arc.radius = anglesIncrease(plane, motion) ? toStart.distance : -toStart.distance;
    arc.valid = toStart.distance > 0.0 && inFloatRange(arc);
    return arc;
}

ArcShape buildArc(std::uint8_t plane, int motion, const PlanePoint& start, const PlanePoint& end,
                  const ArcWords& words, bool absoluteCenters) {
    double wordH = 0, wordV = 0;
    planeCentreWords(plane, words, wordH, wordV);
    const bool increasing = anglesIncrease(plane, motion);

    ArcShape arc;
    // The centre type says how I, J, K are meant; an R word is a radius either way.
    if (absoluteCenters && !radiusGiven(words.r)) {
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
    arc.valid = inFloatRange(arc);
    return arc;
}

} // namespace korvix::nc
