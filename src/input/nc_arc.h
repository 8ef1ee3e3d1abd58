#pragma once

#include "model/arc_geometry.h"
#include "model/plane_axes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace korvix::nc {

// The arc words in force for a block.
struct ArcWords {
    double i, j, k, r;
};

// Builds the arc from `start` to `end` for the G2 (motion 2) or G3 (motion 3) word. An R word
// in force gives the radius whatever the centre type, and the centre is put on the side that
// makes the shorter arc. Otherwise, with absolute centres the plane's two centre words are
// the centre; with incremental ones they are an offset whose length is the radius, placed as
// for R. Not valid when no circle fits: a radius of 0, a radius more than kArcTolerance short
// of half the chord, a centre on the end point, or an arc beyond the float range.
ArcShape buildArc(std::uint8_t plane, int motion, const PlanePoint& start, const PlanePoint& end,
                  const ArcWords& words, bool absoluteCenters);

// True when the angles of the G2 or G3 arc increase from start to end in the plane's own axes.
bool anglesIncrease(std::uint8_t plane, int motion);

// The plane's two centre words: (I, J) for XY, (I, K) for XZ, (J, K) for YZ.
inline void planeCentreWords(std::uint8_t plane, const ArcWords& words, double& h, double& v) {
    h = plane == kPlaneYZ ? words.j : words.i;
    v = plane == kPlaneXY ? words.j : words.k;
}

// True when a circle about (h, v) passes through both ends: their distances from it agree
// within 0.001 plus 0.0005 of the radius, what rounding to a program's decimals leaves.
// Inline: it runs twice for every arc read.
inline bool centreFits(double h, double v, const PlanePoint& start, const PlanePoint& end) {
    const double toStart = std::sqrt((start.h - h) * (start.h - h) + (start.v - v) * (start.v - v));
    const double toEnd = std::sqrt((end.h - h) * (end.h - h) + (end.v - v) * (end.v - v));
    return std::fabs(toStart - toEnd) <= 0.001 + 0.0005 * std::max(toStart, toEnd);
}

// The centre of a block that closes on its start in the plane: the words as written with
// absolute centres, the start plus the signed offsets otherwise (a word never given is no
// offset). False when it lies on the start, where no turn can be made.
bool fullTurnCentre(std::uint8_t plane, const PlanePoint& start, const ArcWords& words,
                    bool absoluteCenters, double& h, double& v);

// The first half of a full turn about (h, v): from `start` to the opposite point. The second
// half is the same with the angles swapped.
ArcShape halfTurn(std::uint8_t plane, int motion, double h, double v, const PlanePoint& start);

// True when an R word is in force: a value that rounds to -999 means none was given.
inline bool radiusGiven(double r) {
    return std::round(r) != -999.0;
}

} // namespace korvix::nc
