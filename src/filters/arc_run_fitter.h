#pragma once

#include "filters/fit_arcs.h"
#include "model/arc_geometry.h"
#include "model/plane_axes.h"
#include "model/move_record.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace korvix::fitting {

// Two points or coordinates closer than this are the same; also the flatness and
// collinearity threshold of the fitter.
inline constexpr double kFlatness = kMotionTolerance;

// A circle in the coordinates of its plane; `t` is the centre's coordinate on the third
// axis (that of the arc's first point).
struct Circle {
    double h = 0, v = 0, t = 0;
    double radius = 0;
};

// The circle through a, b and c in their plane: the intersection of the perpendicular
// bisectors of the chords a-b and b-c. Nothing when a chord has no length or the bisectors
// are parallel (the three points lie on one line).
std::optional<Circle> circleThrough(const PlanePoint& a, const PlanePoint& b, const PlanePoint& c);

// An arc found by the fitter. It starts at the point of the record before the first point
// it replaces and ends at `end`.
struct FittedArc {
    const MoveRecord* end = nullptr;
    std::size_t intermediatePoints = 0; // records swallowed before `end`
    std::uint8_t plane = kPlaneXY;
    ArcShape shape; // angles from 360 up to 720, radius signed, centerT the third axis
};

// Tries to fit an arc that starts at p1's predecessor, passes p1 and p1->next, and reaches
// at most `last` (the end of the run). Nothing when p1 cannot start an arc.
std::optional<FittedArc> fitArcAt(const MoveRecord* p1, const MoveRecord* last,
                                  const FitArcsOptions& options);

} // namespace korvix::fitting
