#pragma once

#include "display/pointer_input.h"
#include "display/view_transform.h"
#include "model/canvas.h"
#include "model/geometry.h"
#include "model/move_record.h"
#include "model/overlay_state.h"

namespace korvix::ui {

class Tf;

// Where the mouse and the point pick hand over to commands built elsewhere: measurement,
// the animation started at a picked move, selection in edit mode and trimming. Each
// receives exactly what its command needs; until that command exists it says so in the
// status bar (or, where nothing would be visible without it, does nothing).

// A measurement is running (it has installed its pick hooks in the workspace): picks feed
// it, the pick mode stays armed and the dynamic view modes are off.
bool measurementActive(const Tf& window);
// The pick found an NC move (the record ending it) or a wire-frame point, with the model
// point picked on its segment. `highlight` paints the found move's highlight; the
// measurement paints it while its XOR marks are off the picture.
void measureNcPick(Tf& window, MoveRecord& record, const CanvasPaint& highlight);
void measureWirePick(Tf& window, WireframePoint& point, const Point3& picked,
                     const CanvasPaint& highlight);

// "Starting at picked position": animate from `start` (the picked move's predecessor).
void animateFromPick(Tf& window, MoveRecord& start);

// Selection picks in edit mode, by the pick mode (1 single move, 2 line, 4 box), setting the
// selected flags to `value`. True when any flag was set (the caller redraws).
bool selectionPick(Tf& window, PickMode pickMode, int value, PixelPoint press, PixelPoint release);
// Puts the selection toolbar's pick-method buttons up after a pick.
void releaseSelectionButtons(Tf& window);

// The trim driver (the window's `trim` handler): a box with corners in drawing units, or the
// polygon in `workspace().trimPolygon`. `planView` is set in the plain XY view. Nothing is
// trimmed while canTrim is false.
bool canTrim(const Tf& window);
void trimWithBox(Tf& window, bool planView, DrawingPoint corner1, DrawingPoint corner2);
void trimWithPolygon(Tf& window, bool planView);

} // namespace korvix::ui
