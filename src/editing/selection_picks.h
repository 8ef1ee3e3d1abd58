#pragma once

#include "display/pointer_input.h"
#include "editing/selection_marking.h"
#include "model/canvas.h"
#include "model/graphics_database.h"

namespace korvix {

// The three mouse picks of edit mode. They work on the pixel positions and drawn flags the
// last redraw cached in the records, so they always match the picture. `value` is the
// selection value (1 add, 0 subtract); `bothPoints` says that the move ending where a picked
// move starts is marked too. Arcs are marked whole. Without data nothing happens.

// The drawn move nearest to `at`, by the identify search: within 25 pixels of the click's
// foot on the move, the earlier of equal distances.
SelectionOutcome selectSingleMove(GraphicsDatabase& database, int value, bool bothPoints,
                                  PixelPoint at);

// Every drawn move whose segment on the screen crosses or touches the line from `from` to
// `to` (ends included; a move lying along the line is parallel to it and does not count).
SelectionOutcome selectByLine(GraphicsDatabase& database, int value, bool bothPoints,
                              PixelPoint from, PixelPoint to);

// Every record whose point lies in the box with these corners, edges included, whether it
// is drawn or not and whatever its kind: the box selects points.
SelectionOutcome selectByBox(GraphicsDatabase& database, int value, PixelPoint corner1,
                             PixelPoint corner2);

// The window's pick modes while a selection is armed.
inline constexpr PickMode kSelectionPickSingle = PickMode::Point;
inline constexpr PickMode kSelectionPickLine = PickMode::Pan;
inline constexpr PickMode kSelectionPickBox = PickMode::ZoomWindow;

// The pick of the armed mode with the drag's press and release points: single uses the
// release point, line and box both. Any other mode selects nothing.
SelectionOutcome runSelectionPick(GraphicsDatabase& database, PickMode pickMode, int value,
                                  bool bothPoints, PixelPoint press, PixelPoint release);

} // namespace korvix
