#pragma once

#include "model/canvas.h"

#include <string_view>

namespace korvix {

struct Workspace;

// The status text while a trimming polygon is being drawn.
inline constexpr std::string_view kTrimPolygonInstruction =
    "\"Enter = TRIM\", \"D = Delete last point\", \"Shift-D = Erase polygon\", \"Esc = Quit\"";
inline constexpr std::string_view kTrimCanceledText = "Trimming command canceled...";

// Drawing the polygon with the mouse and keys. The polygon is drawn in XOR, so every change
// erases it (draws it again), changes it and draws it anew.

// Starts a new polygon: no vertices, being drawn.
void beginTrimPolygon(Workspace& ws);
// Appends the pixel, mapped to drawing units, unless the polygon is full; redraws it either
// way.
void addTrimPolygonPoint(Workspace& ws, Canvas& canvas, PixelPoint pixel);
// D: drops the last vertex while the polygon is being drawn and has at least 2.
bool deleteLastTrimPolygonPoint(Workspace& ws, Canvas& canvas);
// Shift-D: drops every vertex when there are at least 2.
bool clearTrimPolygon(Workspace& ws, Canvas& canvas);
// Enter: takes the polygon off the screen and ends its drawing; the vertices stay for the
// trim. False when no polygon is being drawn.
bool finishTrimPolygon(Workspace& ws, Canvas& canvas);
// Esc: takes the polygon off the screen and forgets it. False when none is being drawn.
bool cancelTrimPolygon(Workspace& ws, Canvas& canvas);

} // namespace korvix
