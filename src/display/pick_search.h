#pragma once

#include "display/view_transform.h"
#include "model/geometry.h"
#include "model/graphics_database.h"

namespace korvix {

// A pick finds the drawn segment nearest to the click, on the pixel positions cached by the
// last redraw, so it always matches the picture. A segment qualifies only when the click's
// foot on it lies between its ends and is less than 25 pixels away (inside an arc, the
// bends between its pieces count too).
inline constexpr double kPickRadius = 25.0;
inline constexpr double kPickStartDistance = 50.0;

// The nearest drawn move: the record that ends it (null when nothing is near) and the pixel
// position the move starts from.
struct MovePick {
    MoveRecord* record = nullptr;
    PixelPoint from;
    double distance = kPickStartDistance;
};
// Walks the records in path order; a record takes part when its kind is not the start point
// and its drawn flag is set. The first of equal distances wins.
MovePick findNearestMove(const GraphicsDatabase& database, PixelPoint click);

// The nearest drawn wire-frame segment, by the same rules; the segment ends at `point`.
struct WirePick {
    WireframePoint* point = nullptr;
    PixelPoint from;
    double distance = kPickStartDistance;
};
WirePick findNearestWireSegment(const WireframeStore& wireframe, PixelPoint click);

// The model point on the move from `from` to `to` (model coordinates) under the click: the
// click is mapped to drawing units and dropped onto the move in the view plane, and the
// depth is interpolated along the move. When both ends fall on one point of the view the
// move's end point is the answer.
Point3 pickedModelPoint(ViewState& view, const Point3& from, const Point3& to, PixelPoint click);

} // namespace korvix
