#pragma once

#include <array>
#include <cstddef>

namespace korvix::ncout {

// A quadrant boundary (a multiple of 90 degrees) that an arc crosses.
struct QuadrantCut {
    double angle;    // where the piece ends, in the angle range of the arc's own start
    double fraction; // share of the whole arc travelled up to here, for helical depth
};

// The boundaries an arc crosses strictly inside, in travel order. `decreasing` is the
// direction of a negative record radius. Arcs whose span cannot be brought below 180
// degrees are not cut (count 0), nor are arcs that cross no boundary.
struct QuadrantCuts {
    std::array<QuadrantCut, 4> cuts{};
    std::size_t count = 0;
};
QuadrantCuts quadrantCuts(double startAngle, double endAngle, bool decreasing);

} // namespace korvix::ncout
