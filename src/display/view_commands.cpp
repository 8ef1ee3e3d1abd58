#include "display/view_commands.h"

#include "display/display_state.h"
#include "model/number_text.h"
#include "model/workspace.h"

#include <cmath>

namespace korvix {
namespace {

struct StandardViewInfo {
    StandardView view;
    const char* name;
    StandardViewAngles angles;
    std::string_view status;
};

// Views 2 and 4 tilt by 36 degrees, views 1 and 3 by 35.
constexpr StandardViewInfo kStandardViews[] = {
    {StandardView::XY, "xy", {0, 0, 0}, " \"XY\" view..."},
    {StandardView::XZ, "xz", {90, 0, 0}, " \"XZ\" view..."},
    {StandardView::YZ, "yz", {90, -90, 0}, " \"YZ\" view..."},
    {StandardView::Iso1, "iso1", {45, -35, 30}, " \"ISOMETRIC\" view #1..."},
    {StandardView::Iso2, "iso2", {45, 36, -30}, " \"ISOMETRIC\" view #2..."},
    {StandardView::Iso3, "iso3", {-45, 35, -150}, " \"ISOMETRIC\" view #3..."},
    {StandardView::Iso4, "iso4", {-45, -36, 150}, " \"ISOMETRIC\" view #4..."},
};

const StandardViewInfo& infoOf(StandardView view) {
    return kStandardViews[static_cast<int>(view)];
}

// The common course of a view command: erase, status, pump, change, redraw.
template <typename Change>
void runViewCommand(Workspace& ws, Canvas& canvas, std::string_view status, Change change) {
    if (!requestViewChange(ws))
        return;
    canvas.erase();
    if (!status.empty())
        ws.report().status(status);
    ws.pump.pumpNow();
    change();
    ws.view.reprojection = true;
    fullRedraw(ws, canvas);
}

bool wireframeLoaded(const Workspace& ws) {
    return ws.wireframe.wireframeAllocated();
}
bool ncDataLoaded(const Workspace& ws) {
    return ws.database.databaseAllocated();
}

} // namespace

StandardViewAngles standardViewAngles(StandardView view) {
    return infoOf(view).angles;
}

std::string_view standardViewStatus(StandardView view) {
    return infoOf(view).status;
}

bool standardViewFromName(std::string_view name, StandardView& view) {
    for (const StandardViewInfo& info : kStandardViews)
        if (name == info.name) {
            view = info.view;
            return true;
        }
    return false;
}

const Extents& fitSourceExtents(const Workspace& ws) {
    return extentsToFit(ws, ws.view.fitSource != FitSource::Wireframe);
}

void fitView(Workspace& ws) {
    fitToExtents(ws.view, fitSourceExtents(ws));
}

void setStandardView(Workspace& ws, StandardView view) {
    const StandardViewAngles angles = standardViewAngles(view);
    setAngles(ws.view, angles.a, angles.b, angles.c);
    fitView(ws);
}

void zoomView(ViewState& view, double factor) {
    const WindowBox box = view.windowBox;
    double hx = (box.xmax - box.xmin) * 0.5;
    double hy = (box.ymax - box.ymin) * 0.5;
    const double cx = box.xmin + hx;
    const double cy = box.ymin + hy;
    hx *= factor;
    hy *= factor;
    fitToRectangle(view, cx - hx, cy - hy, cx + hx, cy + hy);
}

void panView(ViewState& view, PixelPoint press, PixelPoint release) {
    const DrawingPoint from = pixelToDrawing(view, press.x, press.y);
    const DrawingPoint to = pixelToDrawing(view, release.x, release.y);
    const double du = from.u - to.u;
    const double dv = -(from.v - to.v);
    const WindowBox box = view.windowBox;
    fitToRectangle(view, box.xmin + du, box.ymin + dv, box.xmax + du, box.ymax + dv);
}

WindowZoomResult zoomToWindow(ViewState& view, PixelPoint a, PixelPoint b) {
    const DrawingPoint pa = pixelToDrawing(view, a.x, a.y);
    const DrawingPoint pb = pixelToDrawing(view, b.x, b.y);
    if (pa.u == pb.u || pa.v == pb.v)
        return WindowZoomResult::TooSmall;
    // Ordered corners fit exactly like unordered ones (absolute sizes, the same midpoint)
    // and leave a tidy window box for zooming and printing.
    fitToRectangle(view, std::fmin(pa.u, pb.u), std::fmin(-pa.v, -pb.v), std::fmax(pa.u, pb.u),
                   std::fmax(-pa.v, -pb.v));
    return WindowZoomResult::Zoomed;
}

void dynamicZoomStep(ViewState& view, int previousY, int currentY) {
    zoomView(view, previousY - currentY >= 0 ? 0.95 : 1.05);
}

void dynamicRotateStep(Workspace& ws, PixelPoint press, PixelPoint current) {
    // Integer division truncates towards zero: one degree per three whole pixels.
    const int da = (press.y - current.y) / 3;
    const int db = (current.x - press.x) / 3;
    ViewState& view = ws.view;
    setAngles(view, view.baseA + da, view.baseB + db, view.angleC);
    fitView(ws);
}

void rotateByStep(ViewState& view, RotationAxis axis, int direction) {
    const double step = direction < 0 ? -view.rotationStep : view.rotationStep;
    double a = view.angleA, b = view.angleB, c = view.angleC;
    switch (axis) {
    case RotationAxis::A:
        a += step;
        break;
    case RotationAxis::B:
        b += step;
        break;
    case RotationAxis::C:
        c += step;
        break;
    }
    setAngles(view, a, b, c);
}

std::string rotationStepText(const ViewState& view) {
    return fixed7(view.rotationStep, 5);
}

bool setRotationStepFromText(ViewState& view, std::string_view text, std::string& error) {
    const RealConversion converted = convertReal(text);
    if (!converted.ok() || !std::isfinite(converted.value)) {
        error = conversionMessage(converted.ok() ? ConversionError::Range : converted.error, text);
        return false;
    }
    view.rotationStep = std::fabs(converted.value);
    return true;
}

bool requestViewChange(Workspace& ws) {
    requestRedrawAbort(ws);
    return !ws.redraw.busy;
}

void standardViewCommand(Workspace& ws, Canvas& canvas, StandardView view) {
    runViewCommand(ws, canvas, standardViewStatus(view), [&] { setStandardView(ws, view); });
}

void fitCommand(Workspace& ws, Canvas& canvas) {
    runViewCommand(ws, canvas, kFitStatus, [&] { fitView(ws); });
}

void zoomInCommand(Workspace& ws, Canvas& canvas) {
    runViewCommand(ws, canvas, kZoomInStatus, [&] { zoomView(ws.view, kZoomInFactor); });
}

void zoomOutCommand(Workspace& ws, Canvas& canvas) {
    runViewCommand(ws, canvas, kZoomOutStatus, [&] { zoomView(ws.view, kZoomOutFactor); });
}

void redrawCommand(Workspace& ws, Canvas& canvas) {
    // A redraw started from inside a running one would paint over it half-way; like the
    // view commands it stops the running one instead.
    if (!requestViewChange(ws))
        return;
    canvas.erase();
    ws.report().status(kRedrawStatus);
    ws.pump.pumpNow();
    fullRedraw(ws, canvas);
}

void panCommand(Workspace& ws, Canvas& canvas, PixelPoint press, PixelPoint release) {
    runViewCommand(ws, canvas, {}, [&] { panView(ws.view, press, release); });
}

WindowZoomResult windowZoomCommand(Workspace& ws, Canvas& canvas, PixelPoint a, PixelPoint b) {
    ViewState probe = ws.view;
    if (zoomToWindow(probe, a, b) == WindowZoomResult::TooSmall)
        return WindowZoomResult::TooSmall;
    runViewCommand(ws, canvas, {}, [&] { zoomToWindow(ws.view, a, b); });
    return WindowZoomResult::Zoomed;
}

void rotationKeyCommand(Workspace& ws, Canvas& canvas, RotationAxis axis, int direction) {
    runViewCommand(ws, canvas, {}, [&] { rotateByStep(ws.view, axis, direction); });
}

void dynamicStepCommand(Workspace& ws, Canvas& canvas, DynamicMode mode, PixelPoint press,
                        PixelPoint previous, PixelPoint current) {
    runViewCommand(ws, canvas, {}, [&] {
        switch (mode) {
        case DynamicMode::Pan:
            panView(ws.view, previous, current);
            break;
        case DynamicMode::Zoom:
            dynamicZoomStep(ws.view, previous.y, current.y);
            break;
        case DynamicMode::Rotate:
            dynamicRotateStep(ws, press, current);
            break;
        }
    });
}

bool fitToNcDataCommand(Workspace& ws, Canvas& canvas) {
    if (!ncDataLoaded(ws) || ws.view.fitSource == FitSource::NcToolpath)
        return false;
    ws.view.fitSource = FitSource::NcToolpath;
    fitCommand(ws, canvas);
    return true;
}

bool fitToWireDataCommand(Workspace& ws, Canvas& canvas) {
    if (!wireframeLoaded(ws) || !ws.display.wireframe || ws.view.fitSource == FitSource::Wireframe)
        return false;
    ws.view.fitSource = FitSource::Wireframe;
    fitCommand(ws, canvas);
    return true;
}

} // namespace korvix
