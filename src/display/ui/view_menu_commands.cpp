#include "display/ui/view_menu_commands.h"

#include "display/ui/pick_handoffs.h"
#include "display/view_commands.h"
#include "ui/main_window.h"

namespace korvix::ui {
namespace {

// The standard views act only while no pick mode is armed.
void standardView(Tf& window, StandardView view) {
    if (window.pointer.mode != PickMode::None)
        return;
    window.drawWith([&](Canvas& canvas) { standardViewCommand(window.workspace(), canvas, view); });
}

void arm(Tf& window, PickMode mode, const char* instruction, bool pump) {
    // An armed selection pick would take the drag for itself: the view mode replaces it.
    if (window.pointer.selectionArmed) {
        window.pointer.selectionArmed = false;
        window.pointer.pendingSelectionValue = 0;
        releaseSelectionButtons(window);
    }
    window.pointer.mode = mode;
    window.setStatusText(instruction);
    if (pump)
        window.pumpNow();
}

} // namespace

void XY1Click(Tf& window) {
    standardView(window, StandardView::XY);
}
void XZ1Click(Tf& window) {
    standardView(window, StandardView::XZ);
}
void YZ1Click(Tf& window) {
    standardView(window, StandardView::YZ);
}
void Iso1Click(Tf& window) {
    standardView(window, StandardView::Iso1);
}
void ISO2Click(Tf& window) {
    standardView(window, StandardView::Iso2);
}
void ISO3Click(Tf& window) {
    standardView(window, StandardView::Iso3);
}
void ISO4Click(Tf& window) {
    standardView(window, StandardView::Iso4);
}

void Fit1Click(Tf& window) {
    window.drawWith([&](Canvas& canvas) { fitCommand(window.workspace(), canvas); });
}
void In1Click(Tf& window) {
    window.drawWith([&](Canvas& canvas) { zoomInCommand(window.workspace(), canvas); });
}
void Out1Click(Tf& window) {
    window.drawWith([&](Canvas& canvas) { zoomOutCommand(window.workspace(), canvas); });
}
void Redraw1Click(Tf& window) {
    window.drawWith([&](Canvas& canvas) { redrawCommand(window.workspace(), canvas); });
}

void Pan1Click(Tf& window) {
    arm(window, PickMode::Pan, "Drag line in direction you wish to pan...", false);
}
void Box2Click(Tf& window) {
    arm(window, PickMode::ZoomWindow, "Draw box around area you wish to zoom in on...", false);
}
void DynamicPanClick(Tf& window) {
    arm(window, PickMode::DynamicPan,
        "Press left mouse button and drag in desired PAN direction...", true);
}
void DynamicZoomClick(Tf& window) {
    arm(window, PickMode::DynamicZoom,
        "Press left mouse button and move mouse UP and DOWN to ZOOM.", true);
}
void DynamicRotateClick(Tf& window) {
    arm(window, PickMode::DynamicRotate, "Press left mouse button and move mouse to ROTATE view...",
        true);
}

void FittoNCdataClick(Tf& window) {
    window.drawWith([&](Canvas& canvas) { fitToNcDataCommand(window.workspace(), canvas); });
}
void FittoWIREdataClick(Tf& window) {
    window.drawWith([&](Canvas& canvas) { fitToWireDataCommand(window.workspace(), canvas); });
}

} // namespace korvix::ui
