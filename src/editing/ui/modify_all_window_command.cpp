#include "editing/ui/modify_all_window_command.h"

#include "editing/modify_all_command.h"
#include "editing/modify_all_fields.h"
#include "editing/modify_all_texts.h"
#include "editing/ui/modify_all_dialog.h"
#include "editing/ui/modify_preview_display.h"
#include "ui/main_window.h"
#include "ui/undo_step.h"

namespace korvix::ui {
namespace {

PreviewOutcome runPreview(Tf& window, ModifyAllDialog& dialog, const ModifyAllRequest& request) {
    Workspace& ws = window.workspace();
    // The feed page builds nothing: its question comes at once.
    const bool builds = request.page != ModifyAllPage::FeedRates;
    UndoStep step(window, "Modify all");
    const PreviewOutcome outcome =
        showModifyPreview(window, builds, [&](const std::function<void()>& redraw) {
            return previewModifyAll(ws.database, request, dialog.feedRateTable(), ws.report(),
                                    ws.pump, redraw);
        });
    if (outcome == PreviewOutcome::Kept)
        step.commit();
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
        UndoStep step(window, "Modify all");
        const ModifyAllResult applied =
            okModifyAll(ws.database, input.request, dialog.feedRateTable(), ws.report(), ws.pump);
        window.setHourglass(false);
        if (applied.ok()) {
            step.commit();
            redrawModifiedPath(window);
        }
        return;
    }
}

} // namespace korvix::ui
