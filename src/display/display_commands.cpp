#include "display/display_commands.h"

#include "model/workspace.h"
#include "display/view_commands.h"

namespace korvix {
namespace {

void eraseAndRedraw(Workspace& ws, Canvas& canvas) {
    if (!requestViewChange(ws))
        return;
    canvas.erase();
    ws.pump.pumpNow();
    fullRedraw(ws, canvas);
}

} // namespace

void toggleNcToolpathCommand(Workspace& ws, Canvas& canvas) {
    if (!ws.database.databaseAllocated())
        return;
    ws.display.ncToolpath = !ws.display.ncToolpath;
    fitCommand(ws, canvas);
}

void toggleRapidMovesCommand(Workspace& ws, Canvas& canvas) {
    if (!ws.database.databaseAllocated())
        return;
    ws.display.rapidMoves = !ws.display.rapidMoves;
    // The drawn flags of the rapids must be worked out again.
    ws.view.reprojection = true;
    eraseAndRedraw(ws, canvas);
}

void toggleTripodCommand(Workspace& ws, Canvas& canvas) {
    ws.display.tripod = !ws.display.tripod;
    eraseAndRedraw(ws, canvas);
}

void toggleSelectedPointsCommand(Workspace& ws) {
    ws.display.selectedPoints = !ws.display.selectedPoints;
}

bool toggleWireframeCommand(Workspace& ws, Canvas& canvas) {
    if (!ws.wireframe.wireframeAllocated())
        return false;
    ws.display.wireframe = !ws.display.wireframe;
    const bool hidden = !ws.display.wireframe;
    if (hidden)
        ws.view.fitSource = FitSource::NcToolpath;
    fitCommand(ws, canvas);
    return hidden;
}

} // namespace korvix
