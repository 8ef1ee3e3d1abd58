#pragma once

// The marks a measurement leaves on the drawing, first in model terms, then in pixels. They
// are drawn with the XOR pen, so drawing the same pixel marks twice restores the picture.

#include "model/canvas.h"
#include "display/view_transform.h"
#include "model/geometry.h"
#include "model/move_record.h"

#include <array>
#include <optional>
#include <vector>

namespace korvix {

inline constexpr Rgb kMeasureMarkColor = kWhite;
inline constexpr Rgb kOrientationMarkColor = makeRgb(255, 255, 0);
// Pixel sizes: the circle around a picked point, the arms of the centre cross, and the
// orientation arms, which start just outside the circle so that the two never share pixels.
inline constexpr int kMarkCircleRadius = 5;
inline constexpr int kCentreCrossArm = 4;
inline constexpr int kOrientationGap = 6;
inline constexpr int kOrientationLength = 16;

// Yellow arms from a point along unit directions (the first leg or the line, the plane
// normal and their cross product). An arm is foreshortened as the view tilts it.
struct OrientationMark {
    Point3 at;
    std::vector<Point3> directions;
};

struct MarkGeometry {
    std::vector<Point3> points;              // white circles at the picked points
    std::vector<std::array<Point3, 2>> legs; // white lines between them
    std::vector<OrientationMark> orientation;
    std::vector<Point3> arc;      // white polyline through the three points
    std::optional<Point3> centre; // white cross at the arc's centre
};

struct PixelMarks {
    std::vector<PixelPoint> circles;             // centres of circles of kMarkCircleRadius
    std::vector<std::vector<PixelPoint>> white;  // legs, the arc, the centre cross
    std::vector<std::vector<PixelPoint>> yellow; // orientation arms
    bool empty() const { return circles.empty() && white.empty() && yellow.empty(); }
    friend bool operator==(const PixelMarks&, const PixelMarks&) = default;
};

// The marks under the view. Two picks on one pixel get one circle and one line between two
// pixels is kept once: in XOR a mark drawn twice would vanish.
PixelMarks projectMarks(const MarkGeometry& geometry, const ViewState& view);

// Draws the marks in XOR (solid pen, width 1); marks far off the canvas are left out.
void drawMarks(Canvas& canvas, const PixelMarks& marks);

} // namespace korvix
