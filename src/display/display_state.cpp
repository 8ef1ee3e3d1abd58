#include "display/display_state.h"

#include "display/view_transform.h"

#include <array>

namespace korvix {

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

void setViewportSize(Workspace& ws, int width, int height) {
    if (ws.view.width == width && ws.view.height == height)
        return;
    ws.view.width = width;
    ws.view.height = height;
    // Which moves are on screen was decided against the old size.
    markViewsStale(ws);
}

void fitAfterRead(Workspace& ws, const Extents& extents) {
    fitToExtents(ws.view, extents);
    markViewsStale(ws);
}

const Extents& extentsToFit(const Workspace& ws, bool ncToolpath) {
    // With no toolpath loaded its extents are the empty default box; the wire-frame is all
    // there is to see.
    const bool toolpath = ncToolpath && ws.database.databaseAllocated();
    return toolpath || !ws.wireframe.wireframeAllocated() ? ws.database.status.extents
                                                          : ws.wireframe.extents;
}

void fitToSource(Workspace& ws, bool ncToolpath) {
    fitToExtents(ws.view, extentsToFit(ws, ncToolpath));
    markViewsStale(ws);
}

namespace {

struct OptionItem {
    std::string_view objectName;
    bool DisplayOptions::*option;
};
constexpr OptionItem kDisplayOptionItems[] = {
    {"DisplayNCData1", &DisplayOptions::ncToolpath},
    {"DisplayRAPIDmoves", &DisplayOptions::rapidMoves},
    {"DisplayPOINTSduringeditting1", &DisplayOptions::selectedPoints},
    {"DisplayTETRAhead1", &DisplayOptions::tripod},
    {"DisplayWIREdata1", &DisplayOptions::wireframe},
};
constexpr std::string_view kFitToNcItem = "FittoNCdata";
constexpr std::string_view kFitToWireItem = "FittoWIREdata";

constexpr std::array<std::string_view, 7> kOptionItemNames = {kDisplayOptionItems[0].objectName,
                                                              kDisplayOptionItems[1].objectName,
                                                              kDisplayOptionItems[2].objectName,
                                                              kDisplayOptionItems[3].objectName,
                                                              kDisplayOptionItems[4].objectName,
                                                              kFitToNcItem,
                                                              kFitToWireItem};

} // namespace

std::optional<bool> displayOptionCheck(const Workspace& ws, std::string_view objectName) {
    for (const OptionItem& item : kDisplayOptionItems)
        if (objectName == item.objectName)
            return ws.display.*item.option;
    if (objectName == kFitToNcItem)
        return ws.view.fitSource == FitSource::NcToolpath;
    if (objectName == kFitToWireItem)
        return ws.view.fitSource == FitSource::Wireframe;
    return std::nullopt;
}

bool setDisplayOptionCheck(Workspace& ws, std::string_view objectName, bool checked) {
    for (const OptionItem& item : kDisplayOptionItems)
        if (objectName == item.objectName) {
            ws.display.*item.option = checked;
            return true;
        }
    if (objectName == kFitToNcItem || objectName == kFitToWireItem) {
        setFitToWireframe(ws, (objectName == kFitToWireItem) == checked);
        return true;
    }
    return false;
}

std::span<const std::string_view> displayOptionItems() {
    return kOptionItemNames;
}

} // namespace korvix
