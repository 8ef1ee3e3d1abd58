#pragma once

#include "model/canvas.h"

namespace korvix::ui {

class Tf;

inline constexpr const char* kIdentifyInstruction =
    " Use \"LEFT\" mouse button to select desired geometry...";

// "&Identify": arms the point pick; the mouse-up handler calls pickPoint.
void Identify1Click(Tf& window);
// Options "Identify NC toolpath" / "Identify WIREFRAME": what a pick looks for. WIREFRAME can
// be chosen only while the wire-frame is displayed.
void IdentifyNCdata1Click(Tf& window);
void IdentifyWIREdata1Click(Tf& window);

// The point-pick dispatcher: finds the NC move (or wire-frame segment) under the press
// point and hands it to a running measurement, to a pending animation start, or shows it in
// its location dialog and steps through the path until the dialog is cancelled.
void pickPoint(Tf& window, PixelPoint press);

// True while a location dialog steps through the path (its records must stay put).
bool identifyStepping(const Tf& window);

} // namespace korvix::ui
