#include "editing/ui/modify_all_window_command.h"

#include "display/display_state.h"
#include "display/view_transform.h"
#include "editing/modify_all_command.h"
#include "editing/modify_all_fields.h"
#include "editing/modify_all_texts.h"
#include "editing/ui/modify_all_dialog.h"
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

// After "&Ok": a path that has moved or grown out of the picture (copies beside it, a
// larger scale) is fitted into it; one that still fits keeps the view, so that the change
// shows against it.
void redrawModifiedPath(Tf& window) {
    Workspace& ws = window.workspace();
    if (!extentsOnScreen(ws.view, ws.database.status.extents))
        fitToSource(ws, true);
    redrawFilteredPath(window);
}

// The preview is drawn after the path; when it reaches beyond the picture the view is
// fitted to both for the question, and put back when the preview is discarded.
PreviewOutcome runPreview(Tf& window, ModifyAllDialog& dialog, const ModifyAllRequest& request) {
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
    // The feed page builds nothing: its question comes at once.
    const bool builds = request.page != ModifyAllPage::FeedRates;
    std::function<void()> redraw;
    if (builds) {
        redraw = showPreview;
        window.setHourglass(true);
    }
    const PreviewOutcome outcome = previewModifyAll(ws.database, request, dialog.feedRateTable(),
                                                    ws.report(), ws.pump, redraw);
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

} // namespace

void ModifyAll1Click(Tf& window) {
    Workspace& ws = window.workspace();
    ModifyAllDialog& dialog = ModifyAllDialog::of(window);
    window.setHourglass(true);
    const bool loaded = beginModifyAll(ws.database, dialog.feedRateTable(), ws.report());
    window.setHourglass(false);
    if (!loaded)
        return;
    while (true) {
        const int result = dialog.exec();
        if (result != kOkModalResult && result != kPreviewModalResult) {
            cancelModifyAll(ws.report());
            return;
        }
        const ModifyAllFieldsInput input =
            parseModifyAllFields(dialog.activePage(), dialog.fields());
        if (!input.ok()) {
            ws.report().error(input.problem);
            continue;
        }
        if (result == kPreviewModalResult) {
            if (runPreview(window, dialog, input.request) == PreviewOutcome::Discarded)
                continue;
            return;
        }
        window.setHourglass(true);
        const ModifyAllResult applied =
            okModifyAll(ws.database, input.request, dialog.feedRateTable(), ws.report(), ws.pump);
        window.setHourglass(false);
        if (applied.ok())
            redrawModifiedPath(window);
        return;
    }
}

} // namespace korvix::ui
