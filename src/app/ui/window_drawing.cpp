#include "app/ui/window_drawing.h"

#include "app/workspace.h"
#include "display/view_commands.h"

#include <QStringList>

namespace korvix::ui {

bool redrawBusy(const Workspace& ws) {
    return ws.redraw.busy;
}

void requestRedrawAbort(Workspace& ws) {
    ws.redraw.abortRequested = true;
}

void setViewportSize(Workspace& ws, int width, int height) {
    ws.view.width = width;
    ws.view.height = height;
}

void markViewsStale(Workspace& ws) {
    ws.view.reprojection = true;
    ws.animation.shapeReprojection = true;
}

void setFitToWireframe(Workspace& ws, bool wireframe) {
    ws.view.fitSource = wireframe ? FitSource::Wireframe : FitSource::NcToolpath;
}

void clearOverlays(Workspace& ws) {
    ws.animation.toolShown = false;
    ws.animation.record = nullptr;
    ws.animation.lastRecord = nullptr;
    ws.animation.hasShape = false;
    ws.animation.shapeReprojection = true;
    ws.wireframeMark.shown = false;
    ws.screenTexts.entries.clear();
}

void fitAfterRead(Workspace& ws, const Extents& extents) {
    fitToExtents(ws.view, extents);
    markViewsStale(ws);
}

void fitToSource(Workspace& ws, bool ncToolpath) {
    fitToExtents(ws.view, ncToolpath ? ws.database.status.extents : ws.wireframe.extents);
    markViewsStale(ws);
}

namespace {

struct OptionItem {
    const char* objectName;
    bool DisplayOptions::*option;
};
constexpr OptionItem kDisplayOptionItems[] = {
    {"DisplayNCData1", &DisplayOptions::ncToolpath},
    {"DisplayRAPIDmoves", &DisplayOptions::rapidMoves},
    {"DisplayPOINTSduringeditting1", &DisplayOptions::selectedPoints},
    {"DisplayTETRAhead1", &DisplayOptions::tripod},
    {"DisplayWIREdata1", &DisplayOptions::wireframe},
};

} // namespace

std::optional<bool> workspaceCheck(const Workspace& ws, const QString& objectName) {
    for (const OptionItem& item : kDisplayOptionItems)
        if (objectName == item.objectName)
            return ws.display.*item.option;
    if (objectName == "FittoNCdata")
        return ws.view.fitSource == FitSource::NcToolpath;
    if (objectName == "FittoWIREdata")
        return ws.view.fitSource == FitSource::Wireframe;
    return std::nullopt;
}

bool setWorkspaceCheck(Workspace& ws, const QString& objectName, bool checked) {
    for (const OptionItem& item : kDisplayOptionItems)
        if (objectName == item.objectName) {
            ws.display.*item.option = checked;
            return true;
        }
    if (objectName == "FittoNCdata" || objectName == "FittoWIREdata") {
        setFitToWireframe(ws, (objectName == "FittoWIREdata") == checked);
        return true;
    }
    return false;
}

const QStringList& workspaceCheckItems() {
    static const QStringList names = [] {
        QStringList list;
        for (const OptionItem& item : kDisplayOptionItems)
            list.append(item.objectName);
        list << "FittoNCdata"
             << "FittoWIREdata";
        return list;
    }();
    return names;
}

} // namespace korvix::ui
