#pragma once

// Arcs as the whole program sees them: the shape of one arc in its plane and the points of
// its pieces, from which the reader builds arc groups and arc fitting its new arcs; and the
// arc group of the graphics database with its two ends and the points it is cut into, the
// one definition that every command reading an arc goes by.

#include "model/geometry.h"
#include "model/move_record.h"

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

// An arc group: the run of arc pieces that share a sequence. Its first piece carries the
// plane, centre, signed radius and angles of the whole arc (every piece does).
//
// The arc runs from where the tool stands before it, the end of the record before the first
// piece, to the end of its last piece, and a helix moves its third axis in proportion to the
// angle travelled between those two. Nothing else of the records says where an arc starts:
// the centre's third coordinate is whatever the record's history left there, and the pieces
// of a read arc all stand at its end's level. Reversing a path keeps every record's point, so
// a reversed arc runs between the same two points the other way without any special case.
struct ArcGroup {
    const MoveRecord* first = nullptr;
    const MoveRecord* last = nullptr;
    // An M01 read after an arc marks its last piece; the stop belongs to the whole arc.
    bool optionalStop = false;
};

// The group that starts at `first`.
ArcGroup arcGroupAt(const MoveRecord* first);
// The group that `piece` belongs to, whichever of its pieces it is.
ArcGroup arcGroupOf(const MoveRecord& piece);

// Where the arc starts: the end of the record before it. A group with no record before it
// (made by hand; no command makes one) starts on its circle at the start angle, level with
// its end.
Point3 arcStartPoint(const ArcGroup& arc);
// Where the arc ends: the end of its last piece.
Point3 arcEndPoint(const ArcGroup& arc);
// True when the arc moves its third axis by more than the motion tolerance.
bool isHelical(const ArcGroup& arc);

// The point at `angleDeg` on the circle of `arc` (any piece), `third` off its plane.
Point3 pointOnArc(const MoveRecord& arc, double angleDeg, double third);
// The point at `angleDeg` on the group's circle, its third axis `fraction` of the way from
// the start's to the end's.
Point3 arcPointAt(const ArcGroup& arc, double angleDeg, double fraction);
// The circle's points at the start and the end angle, level with the arc's start and end.
// Where the start or end of the group lies off its circle (a programmed start a little off
// the circle, or the end of a reversed such arc), a straight move joins the two.
Point3 circleStartPoint(const ArcGroup& arc);
Point3 circleEndPoint(const ArcGroup& arc);

// The angles at which an arc is cut into chords. The walk runs in the direction of the radius
// sign (positive: increasing angles, 0 counts as positive) from the start angle, unwrapped by
// a turn where the arc passes through 0 degrees, towards the end angle.
struct ArcAngleWalk {
    double from = 0;   // the start angle, unwrapped so that the walk reaches `to`
    double to = 0;     // the end angle
    double step = 360; // degrees per chord
    bool increasing = true;
    bool finite = true; // false for an arc with a broken angle: it gets no intermediate points

    // Degrees from the start to the end angle along the walk.
    double span() const { return increasing ? to - from : from - to; }

    // Calls emit(angle, travelled) for every angle a whole step on from the last, strictly
    // before the end angle, `travelled` being the degrees walked so far. Stops at the first
    // false from emit and returns false.
    template <typename Emit> bool forEachIntermediate(Emit&& emit) const {
        if (!finite || !(step > 0))
            return true;
        if (increasing) {
            for (double a = from; a + step < to;) {
                a += step;
                if (!emit(a, a - from))
                    return false;
            }
        } else {
            for (double a = from; a - step > to;) {
                a -= step;
                if (!emit(a, from - a))
                    return false;
            }
        }
        return true;
    }
};

ArcAngleWalk arcAngleWalk(double startAngle, double endAngle, double signedRadius,
                          double stepDegrees);

// Calls emit(point, isEnd) with every point the tool passes on its way along the arc, cut
// into chords of at most `stepDegrees`: the circle's start point when the arc's start lies
// off it by more than the motion tolerance, the points between, the circle's end point when
// the arc's end lies off it likewise, and last the end itself (isEnd true). The start, where
// the tool already stands, is not among them. Stops at the first false from emit and returns
// false.
template <typename Emit>
bool forEachArcChordPoint(const ArcGroup& arc, double stepDegrees, Emit&& emit) {
    const MoveRecord& first = *arc.first;
    const Point3 start = arcStartPoint(arc);
    const Point3 end = arcEndPoint(arc);
    const Point3 circleStart = circleStartPoint(arc);
    if (distance3D(circleStart, start) > kMotionTolerance && !emit(circleStart, false))
        return false;
    const ArcAngleWalk walk =
        arcAngleWalk(first.startAngle, first.endAngle, first.radius, stepDegrees);
    const double span = walk.span();
    const bool walked = walk.forEachIntermediate([&](double angle, double travelled) {
        return emit(arcPointAt(arc, angle, span > 0 ? travelled / span : 1.0), false);
    });
    if (!walked)
        return false;
    const Point3 circleEnd = circleEndPoint(arc);
    if (distance3D(circleEnd, end) > kMotionTolerance && !emit(circleEnd, false))
        return false;
    return emit(end, true);
}

} // namespace korvix
