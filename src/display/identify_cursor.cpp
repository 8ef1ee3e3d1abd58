#include "display/identify_cursor.h"

#include "display/renderer.h"
#include "model/workspace.h"

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

} // namespace

bool animatedToolOnScreen(const Workspace& ws) {
    return ws.animation.toolShown && !ws.animation.hidden && toolpathDrawn(ws);
}

void hideAnimatedTool(Workspace& ws) {
    AnimationState& tool = ws.animation;
    tool.toolShown = false;
    tool.record = nullptr;
    tool.hidden = false;
    tool.toolColor = kWhite;
}

void moveAnimatedTool(Workspace& ws, Canvas& canvas, MoveRecord& record) {
    ws.animation.record = &record;
    moveAnimatedToolTo(ws, canvas, record.screenX, record.screenY);
}

bool animatedToolMoveDraws(const Workspace& ws, int x, int y) {
    const AnimationState& tool = ws.animation;
    if (animatedToolOnScreen(ws))
        return tool.lastX != x || tool.lastY != y;
    return toolpathDrawn(ws) && !outsideDrawingArea(ws.view, x, y);
}

void placeAnimatedTool(Workspace& ws, int x, int y) {
    AnimationState& tool = ws.animation;
    tool.toolShown = true;
    tool.lastX = x;
    tool.lastY = y;
    tool.hidden = outsideDrawingArea(ws.view, x, y);
}

void moveAnimatedToolTo(Workspace& ws, Canvas& canvas, int x, int y) {
    if (!animatedToolMoveDraws(ws, x, y)) {
        placeAnimatedTool(ws, x, y);
        return;
    }
    if (animatedToolOnScreen(ws))
        flashToolPicture(ws, canvas, ws.animation.lastX, ws.animation.lastY);
    placeAnimatedTool(ws, x, y);
    if (animatedToolOnScreen(ws))
        flashToolPicture(ws, canvas, x, y);
}

void eraseAnimatedTool(Workspace& ws, Canvas& canvas) {
    if (animatedToolOnScreen(ws))
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
