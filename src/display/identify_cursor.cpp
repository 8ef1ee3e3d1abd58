#include "display/identify_cursor.h"

#include "model/workspace.h"
#include "display/renderer.h"

namespace korvix {
namespace {

bool toolpathDrawn(const Workspace& ws) {
    return ws.display.ncToolpath && ws.database.databaseAllocated();
}
bool wireframeDrawn(const Workspace& ws) {
    return ws.display.wireframe && ws.wireframe.wireframeAllocated();
}

// The tool picture at (x, y), shown at once.
void flashToolPicture(Workspace& ws, Canvas& canvas, int x, int y) {
    drawToolPicture(ws, canvas, x, y);
    canvas.flush();
}

bool toolOnScreen(const Workspace& ws) {
    return ws.animation.toolShown && !ws.animation.hidden && toolpathDrawn(ws);
}

} // namespace

void hideAnimatedTool(Workspace& ws) {
    AnimationState& tool = ws.animation;
    tool.toolShown = false;
    tool.record = nullptr;
    tool.hidden = false;
    tool.toolColor = kWhite;
}

void moveAnimatedTool(Workspace& ws, Canvas& canvas, MoveRecord& record) {
    AnimationState& tool = ws.animation;
    const int x = record.screenX;
    const int y = record.screenY;
    const bool wasOnScreen = toolOnScreen(ws);
    tool.record = &record;
    if (wasOnScreen && tool.lastX == x && tool.lastY == y)
        return;
    if (wasOnScreen)
        flashToolPicture(ws, canvas, tool.lastX, tool.lastY);
    tool.toolShown = true;
    tool.lastX = x;
    tool.lastY = y;
    tool.hidden = outsideDrawingArea(ws.view, x, y);
    if (toolOnScreen(ws))
        flashToolPicture(ws, canvas, x, y);
}

void eraseAnimatedTool(Workspace& ws, Canvas& canvas) {
    if (toolOnScreen(ws))
        flashToolPicture(ws, canvas, ws.animation.lastX, ws.animation.lastY);
    hideAnimatedTool(ws);
}

void moveWireframeMark(Workspace& ws, Canvas& canvas, const Point3& point) {
    WireframeMark& mark = ws.wireframeMark;
    if (mark.shown && wireframeDrawn(ws))
        drawWireframeMark(mark, ws.view, canvas);
    mark.x = point.x;
    mark.y = point.y;
    mark.z = point.z;
    mark.shown = true;
    if (wireframeDrawn(ws))
        drawWireframeMark(mark, ws.view, canvas);
    canvas.flush();
}

void eraseWireframeMark(Workspace& ws, Canvas& canvas) {
    WireframeMark& mark = ws.wireframeMark;
    if (mark.shown && wireframeDrawn(ws))
        drawWireframeMark(mark, ws.view, canvas);
    mark.shown = false;
    mark.color = kWhite;
    canvas.flush();
}

} // namespace korvix
