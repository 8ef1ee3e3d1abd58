#pragma once

#include "model/canvas.h"
#include "model/geometry.h"
#include "model/move_record.h"

namespace korvix {

struct Workspace;

// The XOR marks identify moves along the path: the animated tool on NC records and the
// wire-frame mark on wire-frame points. Both are painted again by every full redraw while
// they are shown, so they are only on the screen while their data is displayed; erasing
// and drawing follow the same rule so that XOR never leaves a ghost behind.

// Forgets the tool's record and shows it nowhere (colour back to white). Draws nothing.
void hideAnimatedTool(Workspace& ws);
// Moves the tool picture (its outline, or the tool marker) to the record's pixel: erased
// where it was, drawn at the new place unless that lies outside the drawing area.
void moveAnimatedTool(Workspace& ws, Canvas& canvas, MoveRecord& record);
// The same to any pixel (the stops of the animation along a move); the record stays.
void moveAnimatedToolTo(Workspace& ws, Canvas& canvas, int x, int y);
// True when moving the tool to (x, y) would change the picture. A move that does not (the
// same pixel, or from outside the drawing area to outside it) needs no canvas:
// placeAnimatedTool records it.
bool animatedToolMoveDraws(const Workspace& ws, int x, int y);
void placeAnimatedTool(Workspace& ws, int x, int y);
// True while the tool picture is on the screen at (lastX, lastY).
bool animatedToolOnScreen(const Workspace& ws);
// Erases the tool picture if it is on the screen and hides the tool.
void eraseAnimatedTool(Workspace& ws, Canvas& canvas);

// Moves the wire-frame mark to a model point (erased at its old place first).
void moveWireframeMark(Workspace& ws, Canvas& canvas, const Point3& point);
// Erases the wire-frame mark if it is shown and clears its flag.
void eraseWireframeMark(Workspace& ws, Canvas& canvas);

} // namespace korvix
