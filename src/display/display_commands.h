#pragma once

#include "model/canvas.h"

namespace korvix {

struct Workspace;

// The Display menu toggles. Each flips its option in ws.display (the window mirrors the
// option in the item's check mark) and redraws as the item requires.

// DisplayNCdata1Click: only with NC data loaded; toggles and performs Fit.
void toggleNcToolpathCommand(Workspace& ws, Canvas& canvas);
// DisplayRAPIDmovesClick: only with NC data loaded; toggles, marks the drawn flags for
// recomputing and redraws unless a redraw is running.
void toggleRapidMovesCommand(Workspace& ws, Canvas& canvas);
// DisplayTETRAhead1Click: toggles and redraws.
void toggleTripodCommand(Workspace& ws, Canvas& canvas);
// DisplayPOINTSduringeditting1Click: toggles only; shows at the next redraw.
void toggleSelectedPointsCommand(Workspace& ws);
// DisplayWIREdata1Click: only with a wire-frame loaded; toggles and performs Fit. When the
// wire-frame is hidden the fit source returns to the NC toolpath; the result is true then,
// and the caller also returns identify to the NC toolpath.
bool toggleWireframeCommand(Workspace& ws, Canvas& canvas);

} // namespace korvix
