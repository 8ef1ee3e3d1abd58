#include "editing/ui/modify_portion_window_command.h"

#include "editing/modify_all_texts.h"
#include "editing/modify_portion_command.h"
#include "editing/modify_portion_fields.h"
#include "editing/ui/modify_portion_dialog.h"
#include "editing/ui/modify_preview_display.h"
#include "ui/main_window.h"
#include "ui/undo_step.h"

namespace korvix::ui {

void Modify1Click(Tf& window) {
    Workspace& ws = window.workspace();
    ModifyPortionDialog& dialog = ModifyPortionDialog::of(window);
    window.setHourglass(true);
    const bool loaded = beginModifyPortion(ws.database, dialog.feedRateTable(), ws.report());
    if (loaded)
        dialog.setStartPoint(startPointTexts(ws.database));
    window.setHourglass(false);
    if (!loaded)
        return;
    while (true) {
        const int result = dialog.exec();
        if (result != kOkModalResult && result != kPreviewModalResult) {
            cancelModifyPortion(ws.report());
            return;
        }
        const ModifyPortionFieldsInput input =
            parseModifyPortionFields(dialog.activePage(), dialog.fields());
        if (!input.ok()) {
            ws.report().error(input.problem);
            continue;
        }
        if (result == kPreviewModalResult) {
            UndoStep step(window, "Modify portion");
            const PreviewOutcome outcome = showModifyPreview(
                window, modifyPortionBuildsPreview(input.request.page),
                [&](const std::function<void()>& redraw) {
                    return previewModifyPortion(ws.database, input.request, dialog.feedRateTable(),
                                                ws.report(), ws.pump, redraw);
                });
            if (outcome == PreviewOutcome::Discarded)
                continue;
            if (outcome == PreviewOutcome::Kept)
                step.commit();
            return;
        }
        window.setHourglass(true);
        UndoStep step(window, "Modify portion");
        const ModifyPortionResult applied = okModifyPortion(
            ws.database, input.request, dialog.feedRateTable(), ws.report(), ws.pump);
        window.setHourglass(false);
        if (applied.ok()) {
            step.commit();
            redrawModifiedPath(window);
        }
        return;
    }
}

} // namespace korvix::ui
