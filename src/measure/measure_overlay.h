#pragma once

// The marks of a running measurement on the main window's picture. They are XOR marks: the
// window erases them before it changes the session and shows them again afterwards, and a
// full redraw (which paints a fresh picture) draws them once more.

#include "model/canvas.h"
#include "display/view_transform.h"
#include "measure/measure_marks.h"
#include "measure/measure_session.h"

namespace korvix {

// The marks of the active page in model terms: circles at the set points, the legs of the
// angle or the measured line, and once the page is complete its orientation arms, and on
// the arc page the arc and its centre.
MarkGeometry markGeometry(const MeasureSession& session);

// Draws the marks of the session as it is now and remembers them (the session's marks must
// not be on the picture yet).
void showMarks(MeasureSession& session, const ViewState& view, Canvas& canvas);
// Draws the remembered marks again, which takes them off the picture.
void eraseMarks(MeasureSession& session, Canvas& canvas);
// For the end of a full redraw: the old marks went with the old picture, so the current
// ones are drawn without erasing anything.
void redrawMarks(MeasureSession& session, const ViewState& view, Canvas& canvas);

} // namespace korvix
