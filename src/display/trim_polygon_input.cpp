#include "display/trim_polygon_input.h"

#include "model/workspace.h"
#include "display/renderer.h"

namespace korvix {
namespace {

void drawPolygon(Workspace& ws, Canvas& canvas) {
    drawTrimPolygon(ws.trimPolygon, ws.view, canvas);
    canvas.flush();
}

} // namespace

void beginTrimPolygon(Workspace& ws) {
    ws.trimPolygon.count = 0;
    ws.trimPolygon.active = true;
}

void addTrimPolygonPoint(Workspace& ws, Canvas& canvas, PixelPoint pixel) {
    drawPolygon(ws, canvas);
    if (ws.trimPolygon.count < TrimPolygon::kMaxVertices) {
        const DrawingPoint p = pixelToDrawing(ws.view, pixel.x, pixel.y);
        ws.trimPolygon.add(static_cast<float>(p.u), static_cast<float>(p.v));
    }
    drawPolygon(ws, canvas);
}

bool deleteLastTrimPolygonPoint(Workspace& ws, Canvas& canvas) {
    TrimPolygon& polygon = ws.trimPolygon;
    if (!polygon.active || polygon.count < 2)
        return false;
    drawPolygon(ws, canvas);
    --polygon.count;
    drawPolygon(ws, canvas);
    return true;
}

bool clearTrimPolygon(Workspace& ws, Canvas& canvas) {
    if (ws.trimPolygon.count < 2)
        return false;
    drawPolygon(ws, canvas);
    ws.trimPolygon.count = 0;
    return true;
}

bool finishTrimPolygon(Workspace& ws, Canvas& canvas) {
    if (!ws.trimPolygon.active)
        return false;
    drawPolygon(ws, canvas);
    ws.trimPolygon.active = false;
    return true;
}

bool cancelTrimPolygon(Workspace& ws, Canvas& canvas) {
    if (!ws.trimPolygon.active)
        return false;
    drawPolygon(ws, canvas);
    ws.trimPolygon.count = 0;
    ws.trimPolygon.active = false;
    return true;
}

} // namespace korvix
