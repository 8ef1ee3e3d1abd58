#pragma once

#include "display/view_transform.h"
#include "model/canvas.h"
#include "model/geometry.h"
#include "model/move_record.h"

#include <string_view>
#include <vector>

namespace korvix {

// Written onto the drawing when a pick finds nothing; the leading blanks cover the rest of
// an earlier text on that line.
inline constexpr std::string_view kNothingFoundText = "              >>>Nothing found<<<";

// The text in the window font, white on black, at the left edge two text lines down.
void drawNothingFound(Canvas& canvas, const FontSpec& windowFont);

// The red circle of radius 5 pixels around the picked model point.
void drawPickMark(Canvas& canvas, const ViewState& view, const Point3& point);

// Marks the picked move: drawn over in black, then dotted in its own colour. A straight
// move runs from `from` (its start pixel) to its own pixel; an arc is drawn whole, made again
// from its centre, radius and angles. The pen is solid again afterwards.
void highlightMove(Canvas& canvas, const ViewState& view, const MoveRecord& record,
                   PixelPoint from);

// The pixels highlightMove draws the move along.
std::vector<PixelPoint> movePixels(const ViewState& view, const MoveRecord& record,
                                   PixelPoint from);
// The pixels the redraw drew the move along: from `from` through the cached pixel of each of
// its records (every piece of an arc).
std::vector<PixelPoint> drawnMovePixels(const MoveRecord& record, PixelPoint from);
// Takes a highlight off again: its pixels black, then the move drawn solid in its colour
// where the redraw drew it.
void restoreMovePixels(Canvas& canvas, const std::vector<PixelPoint>& highlighted,
                       const std::vector<PixelPoint>& drawn, Rgb color);

// The same for a wire-frame segment ending at `point`.
void highlightWireSegment(Canvas& canvas, const WireframePoint& point, PixelPoint from);

} // namespace korvix
