#include "output/nc_arc_split.h"

#include "output/nc_arc_geometry.h"

#include <cmath>
#include <optional>
#include <utility>

namespace korvix::ncout {
namespace {

// The first boundary ahead of the start: decreasing arcs take the start in (0, 360] (so a
// start at 0 is the full turn, and the boundary below it is 270), increasing ones in
// [0, 360).
double firstBoundary(double start, bool decreasing) {
    if (decreasing) {
        const double a = start == 0 ? 360.0 : start;
        return std::ceil(a / 90.0) * 90.0 - 90.0;
    }
    const double next = std::floor(start / 90.0) * 90.0 + 90.0;
    return next >= 360.0 ? 0.0 : next;
}

// The start/end pair shifted by whole turns so that it spans less than 180 degrees in the
// direction of travel, trying the shifts in a fixed order.
std::optional<std::pair<double, double>> shortSpan(double s, double e, bool decreasing) {
    const std::pair<double, double> candidates[] = {
        {s, e}, {s - 360.0, e}, {s, e - 360.0}, {s + 360.0, e}};
    for (const auto& [cs, ce] : candidates) {
        const double d = cs - ce;
        if (decreasing ? (d > 0 && d < 180.0) : (d > -180.0 && d < 0))
            return std::pair{cs, ce};
    }
    return std::nullopt;
}

bool strictlyBetween(double b, double s, double e) {
    return s < e ? (s < b && b < e) : (e < b && b < s);
}

} // namespace

QuadrantCuts quadrantCuts(double startAngle, double endAngle, bool decreasing) {
    QuadrantCuts result;
    const double start = reduceAngle(startAngle);
    const auto span = shortSpan(start, reduceAngle(endAngle), decreasing);
    if (!span)
        return result;
    const auto [s, e] = *span;
    const double total = std::fabs(e - s);
    double boundary = firstBoundary(start, decreasing);
    // A span under 180 degrees crosses at most two boundaries; the bound only guards the loop.
    while (result.count < result.cuts.size()) {
        double crossing = boundary;
        if (!strictlyBetween(crossing, s, e)) {
            crossing = boundary - 360.0;
            if (!strictlyBetween(crossing, s, e))
                break;
        }
        result.cuts[result.count++] = {crossing, std::fabs(crossing - s) / total};
        boundary += decreasing ? -90.0 : 90.0;
    }
    return result;
}

} // namespace korvix::ncout
