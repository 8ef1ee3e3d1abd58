#pragma once

class QWidget;

namespace korvix::ui {

class Tf;

// Puts a modeless dialog where it hides least of the picture: just right of the main window
// when the screen has room there, else beside it on whichever side, pushed back into the
// screen, covers less of it; level with the top of the drawing. The
// dialogs that stay up while the user works in the drawing (the levels display, the
// measurement) call it before their first showing; afterwards they stay where the user put
// them.
void placeBesideDrawing(QWidget& dialog, Tf& window);

} // namespace korvix::ui
