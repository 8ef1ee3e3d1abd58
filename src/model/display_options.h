#pragma once

#include "model/canvas.h"

#include <cstdint>

namespace korvix {

// The checked states of the Display menu items that change the picture.
struct DisplayOptions {
    bool ncToolpath = true;     // DisplayNCData1 "Display NC toolpath"
    bool rapidMoves = true;     // DisplayRAPIDmoves "Display RAPID moves"
    bool selectedPoints = true; // DisplayPOINTSduringeditting1 "Display POINTS during editting"
    bool tripod = true;         // DisplayTETRAhead1 "Display DUDAZ head"
    bool wireframe = false;     // DisplayWIREdata1 "Display WIREFRAME"
    // The font of the window's canvas (the tripod letters); texts return to it.
    FontSpec windowFont;
};

// A command that wants to change the view while a redraw runs only sets abortRequested;
// the running redraw stops at its next record and clears both.
struct RedrawControl {
    bool busy = false;
    bool abortRequested = false;
    // Full redraws begun so far: a mark drawn over the picture is gone once this moves on.
    std::uint64_t drawings = 0;
};

} // namespace korvix
