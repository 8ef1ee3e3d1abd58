#include "display/ui/mouse_handlers.h"

#include "display/cursor_readout.h"
#include "display/display_state.h"
#include "display/trim_polygon_input.h"
#include "display/ui/identify_command.h"
#include "display/ui/pick_handoffs.h"
#include "display/view_commands.h"
#include "ui/main_window.h"

#include <QMouseEvent>

namespace korvix::ui {
namespace {

PixelPoint pixelOf(const QMouseEvent& event) {
    const QPoint p = event.position().toPoint();
    return {p.x(), p.y()};
}

bool dataLoaded(const Workspace& ws) {
    return ws.database.databaseAllocated() || ws.wireframe.wireframeAllocated();
}

PointerContext contextOf(const Tf& window) {
    const Workspace& ws = window.workspace();
    return {dataLoaded(ws), measurementActive(window), ws.trimPolygon.active};
}

void dynamicStep(Tf& window, const PointerDecision& step) {
    Workspace& ws = window.workspace();
    // A step asked for while a redraw runs stops that redraw; the next mouse move draws.
    if (!requestViewChange(ws))
        return;
    const DynamicMode dynamic = step.mode == PickMode::DynamicPan    ? DynamicMode::Pan
                                : step.mode == PickMode::DynamicZoom ? DynamicMode::Zoom
                                                                     : DynamicMode::Rotate;
    window.drawWith([&](Canvas& canvas) {
        dynamicStepCommand(ws, canvas, dynamic, step.press, step.previous, step.to);
    });
    if (dynamic != DynamicMode::Rotate)
        window.pointer.last = step.to;
}

void endDynamicDrag(Tf& window) {
    Workspace& ws = window.workspace();
    if (!window.redrawRunning()) {
        markViewsStale(ws);
        window.eraseWindow();
        window.pumpNow();
        window.fullRedraw();
    }
    window.setStatusText("");
}

void endSelectionDrag(Tf& window, const PointerDecision& pick) {
    if (selectionPick(window, pick.mode, pick.value, pick.press, pick.to)) {
        window.eraseWindow();
        window.fullRedraw();
    }
    releaseSelectionButtons(window);
}

void endTrimBoxDrag(Tf& window, const PointerDecision& box) {
    Workspace& ws = window.workspace();
    const DrawingPoint a = pixelToDrawing(ws.view, box.press.x, box.press.y);
    const DrawingPoint b = pixelToDrawing(ws.view, box.to.x, box.to.y);
    trimWithBox(window, isPlainXYView(ws.view), a, b);
}

void zoomToBox(Tf& window, const PointerDecision& box) {
    Workspace& ws = window.workspace();
    WindowZoomResult result = WindowZoomResult::Zoomed;
    window.drawWith(
        [&](Canvas& canvas) { result = windowZoomCommand(ws, canvas, box.press, box.to); });
    if (result == WindowZoomResult::TooSmall)
        ws.report().information(kZoomWindowTooSmallText);
}

void showPolygonInstruction(Tf& window) {
    window.setStatusText(QString::fromUtf8(kTrimPolygonInstruction.data(),
                                           static_cast<qsizetype>(kTrimPolygonInstruction.size())));
}

void addPolygonVertex(Tf& window, PixelPoint at) {
    Workspace& ws = window.workspace();
    window.drawWith([&](Canvas& canvas) { addTrimPolygonPoint(ws, canvas, at); });
    showPolygonInstruction(window);
}

} // namespace

void FormMouseDown(Tf& window, const QMouseEvent& event) {
    if (pointerPressed(window.pointer, pixelOf(event), event.button() == Qt::LeftButton))
        saveRotationBase(window.workspace().view);
}

void FormMouseMove(Tf& window, const QMouseEvent& event) {
    Workspace& ws = window.workspace();
    const PixelPoint at = pixelOf(event);
    const PointerDecision decision = pointerMoved(window.pointer, at, contextOf(window));
    if (decision.action == PointerAction::MoveBand) {
        window.drawWith([&](Canvas& canvas) {
            xorRubberBand(canvas, decision.mode, decision.press, decision.previous);
            xorRubberBand(canvas, decision.mode, decision.press, decision.to);
        });
    } else if (decision.action == PointerAction::DynamicStep) {
        dynamicStep(window, decision);
    }
    window.setReadout(QString::fromStdString(cursorReadout(ws.view, dataLoaded(ws), at.x, at.y)));
}

void FormMouseUp(Tf& window, const QMouseEvent& event) {
    const PointerDecision decision = pointerReleased(
        window.pointer, pixelOf(event), event.button() == Qt::LeftButton, contextOf(window));
    // The rubber band goes before the view changes under it (or nothing changes).
    if (decision.eraseBand)
        window.drawWith([&](Canvas& canvas) {
            xorRubberBand(canvas, decision.mode, decision.press, decision.previous);
        });
    Workspace& ws = window.workspace();
    switch (decision.action) {
    case PointerAction::TrimBox:
        endTrimBoxDrag(window, decision);
        break;
    case PointerAction::SelectionPick:
        endSelectionDrag(window, decision);
        break;
    case PointerAction::EndDynamic:
        endDynamicDrag(window);
        break;
    case PointerAction::PointPick:
        pickPoint(window, decision.press);
        break;
    case PointerAction::Pan:
        window.drawWith(
            [&](Canvas& canvas) { panCommand(ws, canvas, decision.press, decision.to); });
        window.setStatusText(""); // the instruction is done with
        break;
    case PointerAction::ZoomWindow:
        zoomToBox(window, decision);
        window.setStatusText("");
        break;
    case PointerAction::PolygonVertex:
        addPolygonVertex(window, decision.to);
        break;
    case PointerAction::None:
    case PointerAction::MoveBand:
    case PointerAction::DynamicStep:
        break;
    }
    // A view change made while the polygon was drawn hands the mouse back to it; the status
    // bar says so again.
    if (decision.mode != PickMode::TrimPolygon && window.pointer.mode == PickMode::TrimPolygon)
        showPolygonInstruction(window);
}

void armTrimBox(Tf& window, const char* instruction) {
    window.pointer.mode = PickMode::TrimBox;
    window.pointer.selectionArmed = false;
    window.setStatusText(instruction);
}

void armTrimPolygon(Tf& window, const char* instruction) {
    window.setStatusText(instruction);
    window.pointer.mode = PickMode::TrimPolygon;
    beginTrimPolygon(window.workspace());
}

} // namespace korvix::ui
