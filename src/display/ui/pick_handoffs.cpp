#include "display/ui/pick_handoffs.h"

#include "display/ui/animate_commands.h"
#include "ui/main_window.h"

namespace korvix::ui {
namespace {

void notAvailable(Tf& window) {
    window.setStatusText("Not available yet...");
}

} // namespace

bool measurementActive(const Tf&) {
    return false;
}

void measureNcPick(Tf& window, MoveRecord&) {
    notAvailable(window);
}

void measureWirePick(Tf& window, WireframePoint&, const Point3&) {
    notAvailable(window);
}

void animateFromPick(Tf& window, MoveRecord& start) {
    animate(window, start);
}

bool selectionPick(Tf& window, PickMode, int, PixelPoint, PixelPoint) {
    notAvailable(window);
    return false;
}

void releaseSelectionButtons(Tf&) {
    // No selection toolbar buttons yet.
}

void trimWithBox(Tf& window, bool, DrawingPoint, DrawingPoint) {
    notAvailable(window);
}

void trimWithPolygon(Tf& window, bool) {
    // The trim ends with the polygon forgotten, whatever its outcome.
    window.workspace().trimPolygon.count = 0;
    notAvailable(window);
}

} // namespace korvix::ui
