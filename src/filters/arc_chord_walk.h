#pragma once

// The angles at which an arc is cut into chords, for every command that turns arcs into
// straight moves. The walk runs in the direction of the radius sign (positive: increasing
// angles, 0 counts as positive), from the start angle unwrapped by a turn where the arc passes
// through 0 degrees, in steps whose chord strays at most the tolerance from the arc.

#include "filters/explode_arcs.h"

#include <cmath>

namespace korvix {

struct ArcChordWalk {
    double from = 0;   // the start angle, unwrapped so that the walk reaches `to`
    double to = 0;     // the end angle
    double step = 360; // degrees per chord
    bool increasing = true;
    bool finite = true; // false for an arc with a broken angle: it gets no intermediate points

    // Degrees from the start to the end angle along the walk.
    double span() const { return increasing ? to - from : from - to; }

    // Calls emit(angle, travelled) for every point between the start and the end angle, in
    // order, `travelled` being the degrees walked so far. The end point itself is the
    // caller's. Stops at the first false from emit and returns false.
    template <typename Emit> bool forEachIntermediate(Emit emit) const {
        if (!finite)
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

// The walk of an arc from startAngle to endAngle with the given signed radius, chords within
// `tolerance` (explodeStepDegrees: never a step below kMinExplodeStepDegrees, so that no arc
// turns into an unbounded number of points).
inline ArcChordWalk arcChordWalk(double startAngle, double endAngle, double signedRadius,
                                 double tolerance) {
    ArcChordWalk walk;
    walk.finite = std::isfinite(startAngle) && std::isfinite(endAngle);
    walk.increasing = !(signedRadius < 0);
    walk.step = explodeStepDegrees(signedRadius, tolerance);
    walk.to = endAngle;
    if (walk.increasing)
        walk.from = startAngle > endAngle ? startAngle - 360 : startAngle;
    else
        walk.from = endAngle > startAngle ? startAngle + 360 : startAngle;
    return walk;
}

} // namespace korvix
