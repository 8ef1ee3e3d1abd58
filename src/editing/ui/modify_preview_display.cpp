#include "editing/ui/modify_preview_display.h"

#include "display/display_state.h"
#include "display/view_transform.h"
#include "filters/ui/filter_redraw.h"
#include "ui/main_window.h"

namespace korvix::ui {
namespace {

// True when the whole box (Y pair in screen orientation) lies on the drawing area.
bool extentsOnScreen(const ViewState& view, const Extents& box) {
    for (const double x : {box.minX, box.maxX})
        for (const double y : {box.trueMinY(), box.trueMaxY()})
            for (const double z : {box.minZ, box.maxZ}) {
                const PixelPoint p = project(view, x, y, z);
                if (p.x < 0 || p.y < 0 || p.x > view.width || p.y > view.height)
                    return false;
            }
    return true;
}

} // namespace

void redrawModifiedPath(Tf& window) {
    Workspace& ws = window.workspace();
    if (!extentsOnScreen(ws.view, ws.database.status.extents))
        fitToSource(ws, true);
    redrawFilteredPath(window);
}

PreviewOutcome showModifyPreview(Tf& window, bool builds, const PreviewStep& run) {
    Workspace& ws = window.workspace();
    const ViewState before = ws.view;
    bool fitted = false;
    bool shown = false;
    const auto showPreview = [&] {
        // Called again after the answer; that redraw is made below, when the outcome is known.
        if (shown)
            return;
        shown = true;
        if (!extentsOnScreen(ws.view, ws.database.status.extents)) {
            fitToSource(ws, true);
            fitted = true;
        }
        markViewsStale(ws);
        window.eraseWindow();
        window.fullRedraw();
        // The question waits for the user, not for the program.
        window.setHourglass(false);
    };
    std::function<void()> redraw;
    if (builds) {
        redraw = showPreview;
        window.setHourglass(true);
    }
    const PreviewOutcome outcome = run(redraw);
    if (builds && !shown)
        window.setHourglass(false);
    switch (outcome) {
    case PreviewOutcome::Kept:
        redrawFilteredPath(window);
        break;
    case PreviewOutcome::Discarded:
        if (fitted) {
            // The drawing area may have changed size while the question was shown.
            const int width = ws.view.width, height = ws.view.height;
            ws.view = before;
            ws.view.width = width;
            ws.view.height = height;
        }
        if (shown) {
            markViewsStale(ws);
            window.eraseWindow();
            window.fullRedraw();
        }
        break;
    case PreviewOutcome::Failed:
        break;
    }
    return outcome;
}

} // namespace korvix::ui
