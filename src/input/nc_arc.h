#pragma once

#include "model/arc_geometry.h"
#include "model/plane_axes.h"

#include <cmath>
#include <cstdint>

namespace korvix::nc {

// The arc words in force for a block.
struct ArcWords {
    double i, j, k, r;
};

// Builds the arc from `start` to `end` for the G2 (motion 2) or G3 (motion 3) word. With
// absolute centres the plane's two centre words are the centre; otherwise they are an offset
// whose length (or the R word, when given) is the radius, and the centre is put on the side
// that makes the shorter arc. Not valid when no circle fits: a radius of 0, a radius more
// than kArcTolerance short of half the chord, or a centre on the end point.
ArcShape buildArc(std::uint8_t plane, int motion, const PlanePoint& start, const PlanePoint& end,
                  const ArcWords& words, bool absoluteCenters);

// True when an R word is in force: a value that rounds to -999 means none was given.
inline bool radiusGiven(double r) {
    return std::round(r) != -999.0;
}

} // namespace korvix::nc
