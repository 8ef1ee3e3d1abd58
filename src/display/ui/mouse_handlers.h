#pragma once

class QMouseEvent;

namespace korvix::ui {

class Tf;

// The main window's mouse handlers on its drawing area (client pixels). The pick mode
// (`Tf::pointer`, display/pointer_input.h) says what a left-button drag means; commands only
// arm a mode, the core decides what each event means and these handlers do the work. The
// right button belongs to the popup menu.
void FormMouseDown(Tf& window, const QMouseEvent& event);
void FormMouseMove(Tf& window, const QMouseEvent& event);
void FormMouseUp(Tf& window, const QMouseEvent& event);

// Arm the trimming picks (for the trim commands): a box drawn with the mouse, or a polygon
// clicked vertex by vertex. Each writes its instruction into the status bar.
void armTrimBox(Tf& window, const char* instruction);
void armTrimPolygon(Tf& window, const char* instruction);

} // namespace korvix::ui
