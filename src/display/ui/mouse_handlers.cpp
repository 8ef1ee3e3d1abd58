#include "display/ui/mouse_handlers.h"

#include "app/ui/main_window.h"
#include "display/cursor_readout.h"
#include "display/trim_polygon_input.h"
#include "display/ui/identify_command.h"
#include "display/ui/pick_handoffs.h"
#include "display/ui/view_commands.h"
#include "display/view_commands.h"

#include <QMouseEvent>

namespace korvix::ui {
namespace {

constexpr Rgb kRubberBandColor = makeRgb(255, 0, 0);

PixelPoint pixelOf(const QMouseEvent& event) {
    const QPoint p = event.position().toPoint();
    return {p.x(), p.y()};
}

bool dataLoaded(const Workspace& ws) {
    return ws.database.databaseAllocated() || ws.wireframe.wireframeAllocated();
}

bool drawsLine(int mode) {
    return mode == pick::kPan;
}
bool drawsBox(int mode) {
    return mode == pick::kZoomWindow || mode == pick::kTrimBox;
}
bool isDynamic(int mode) {
    return mode == pick::kDynamicPan || mode == pick::kDynamicZoom || mode == pick::kDynamicRotate;
}

// The rubber band between the press point and `to`, in XOR: drawn twice it is gone. A band
// of no length is not drawn at all, so the first erase of a new drag draws nothing.
void xorBand(Canvas& canvas, int mode, PixelPoint from, PixelPoint to) {
    if (from == to || (!drawsLine(mode) && !drawsBox(mode)))
        return;
    canvas.setPenColor(kRubberBandColor);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenMode(PenMode::Xor);
    if (drawsLine(mode)) {
        canvas.moveTo(from.x, from.y);
        canvas.lineTo(to.x, to.y);
    } else {
        canvas.rectangle(from.x, from.y, to.x, to.y);
    }
    canvas.setPenMode(PenMode::Copy);
    canvas.flush();
}

// After a pan or window zoom the polygon being drawn gets the mouse back.
int modeAfterViewPick(const Workspace& ws) {
    return ws.trimPolygon.active ? pick::kTrimPolygon : pick::kNone;
}

void dynamicStep(Tf& window, int mode, PixelPoint current) {
    if (measurementActive(window))
        return;
    Workspace& ws = window.workspace();
    PointerState& pointer = window.pointer;
    // A step asked for while a redraw runs stops that redraw; the next mouse move draws.
    if (!requestViewChange(ws))
        return;
    const DynamicMode dynamic = mode == pick::kDynamicPan    ? DynamicMode::Pan
                                : mode == pick::kDynamicZoom ? DynamicMode::Zoom
                                                             : DynamicMode::Rotate;
    window.drawWith([&](Canvas& canvas) {
        dynamicStepCommand(ws, canvas, dynamic, pointer.press, pointer.last, current);
    });
    if (dynamic != DynamicMode::Rotate)
        pointer.last = current;
}

void endDynamicDrag(Tf& window) {
    Workspace& ws = window.workspace();
    window.pickMode = pick::kNone;
    if (!window.redrawRunning()) {
        ws.view.reprojection = true;
        ws.animation.shapeReprojection = true;
        window.eraseWindow();
        window.pumpNow();
        window.fullRedraw();
    }
    window.setStatusText("");
}

void endSelectionDrag(Tf& window, PixelPoint release) {
    PointerState& pointer = window.pointer;
    if (selectionPick(window, window.pickMode, pointer.pendingSelectionValue, pointer.press,
                      release)) {
        window.eraseWindow();
        window.fullRedraw();
    }
    window.pickMode = pick::kNone;
    pointer.selectionArmed = false;
    pointer.pendingSelectionValue = 0;
    releaseSelectionButtons(window);
}

void endTrimBoxDrag(Tf& window, PixelPoint release) {
    Workspace& ws = window.workspace();
    PointerState& pointer = window.pointer;
    window.pickMode = pick::kNone;
    pointer.selectionArmed = false;
    pointer.pendingSelectionValue = 0;
    const DrawingPoint a = pixelToDrawing(ws.view, pointer.press.x, pointer.press.y);
    const DrawingPoint b = pixelToDrawing(ws.view, release.x, release.y);
    trimWithBox(window, isPlainXYView(ws.view), a, b);
}

void endViewDrag(Tf& window, int mode, PixelPoint release) {
    Workspace& ws = window.workspace();
    PointerState& pointer = window.pointer;
    if (!dataLoaded(ws)) {
        window.pickMode = pick::kNone;
        return;
    }
    switch (mode) {
    case pick::kPoint:
        if (!measurementActive(window))
            window.pickMode = pick::kNone;
        pickPoint(window, pointer.press);
        break;
    case pick::kPan:
        window.pickMode = modeAfterViewPick(ws);
        window.drawWith([&](Canvas& canvas) { panCommand(ws, canvas, pointer.press, release); });
        break;
    case pick::kZoomWindow: {
        window.pickMode = modeAfterViewPick(ws);
        WindowZoomResult result = WindowZoomResult::Zoomed;
        window.drawWith([&](Canvas& canvas) {
            result = windowZoomCommand(ws, canvas, pointer.press, release);
        });
        if (result == WindowZoomResult::TooSmall)
            ws.report().information(kZoomWindowTooSmallText);
        break;
    }
    default:
        window.pickMode = pick::kNone;
        break;
    }
}

void addPolygonVertex(Tf& window, PixelPoint release) {
    Workspace& ws = window.workspace();
    window.drawWith([&](Canvas& canvas) { addTrimPolygonPoint(ws, canvas, release); });
    window.setStatusText(QString::fromUtf8(kTrimPolygonInstruction.data(),
                                           static_cast<qsizetype>(kTrimPolygonInstruction.size())));
}

} // namespace

void FormMouseDown(Tf& window, const QMouseEvent& event) {
    if (event.button() != Qt::LeftButton || window.pickMode == pick::kTrimPolygon)
        return;
    PointerState& pointer = window.pointer;
    pointer.buttonDown = true;
    pointer.press = pixelOf(event);
    pointer.last = pointer.press;
    saveRotationBase(window.workspace().view);
}

void FormMouseMove(Tf& window, const QMouseEvent& event) {
    Workspace& ws = window.workspace();
    PointerState& pointer = window.pointer;
    const PixelPoint at = pixelOf(event);
    const int mode = window.pickMode;
    if (pointer.buttonDown) {
        if (drawsLine(mode) || drawsBox(mode)) {
            window.drawWith([&](Canvas& canvas) {
                xorBand(canvas, mode, pointer.press, pointer.last);
                xorBand(canvas, mode, pointer.press, at);
            });
            pointer.last = at;
        } else if (isDynamic(mode)) {
            dynamicStep(window, mode, at);
        }
    }
    pointer.lastMouse = at;
    window.setReadout(QString::fromStdString(cursorReadout(ws.view, dataLoaded(ws), at.x, at.y)));
}

void FormMouseUp(Tf& window, const QMouseEvent& event) {
    PointerState& pointer = window.pointer;
    const PixelPoint release = pixelOf(event);
    const int mode = window.pickMode;
    if (pointer.buttonDown) {
        pointer.buttonDown = false;
        // The rubber band goes before the view changes under it (or nothing changes).
        window.drawWith(
            [&](Canvas& canvas) { xorBand(canvas, mode, pointer.press, pointer.last); });
        if (mode == pick::kTrimBox)
            endTrimBoxDrag(window, release);
        else if (pointer.selectionArmed)
            endSelectionDrag(window, release);
        else if (isDynamic(mode))
            endDynamicDrag(window);
        else
            endViewDrag(window, mode, release);
        return;
    }
    if (event.button() == Qt::LeftButton && mode == pick::kTrimPolygon)
        addPolygonVertex(window, release);
}

void armTrimBox(Tf& window, const char* instruction) {
    window.pickMode = pick::kTrimBox;
    window.pointer.selectionArmed = false;
    window.setStatusText(instruction);
}

void armTrimPolygon(Tf& window, const char* instruction) {
    window.setStatusText(instruction);
    window.pickMode = pick::kTrimPolygon;
    beginTrimPolygon(window.workspace());
}

} // namespace korvix::ui
