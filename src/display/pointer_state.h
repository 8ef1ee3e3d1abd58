#pragma once

#include "model/canvas.h"

namespace korvix {

// What the main window remembers about the mouse between its events, in client pixels.
struct PointerState {
    bool buttonDown = false; // a left-button drag is in progress
    PixelPoint press;        // where the drag began
    PixelPoint last;         // the drag's last point (the far end of the rubber band)
    PixelPoint lastMouse;    // updated on every move; screen texts are placed here

    // A selection pick is armed (edit mode): pick modes 1, 2 and 4 then mean single, line
    // and box selection, and the pick sets the selected flags to `pendingSelectionValue`.
    bool selectionArmed = false;
    int pendingSelectionValue = 0;
};

} // namespace korvix
