#include "filters/ui/sift_command.h"

#include "filters/filter_commands.h"
#include "filters/filter_messages.h"
#include "filters/ui/filter_redraw.h"
#include "filters/ui/sifting_form.h"
#include "ui/main_window.h"
#include "ui/undo_step.h"

namespace korvix::ui {

void Sift1Click(Tf& window) {
    Workspace& ws = window.workspace();
    if (!ws.database.databaseAllocated()) {
        ws.report().status(kSiftNoDataStatus);
        return;
    }
    ws.report().status(kSiftPromptStatus);
    SiftingForm& form = SiftingForm::of(window);
    if (form.exec() != QDialog::Accepted) {
        ws.report().status(kSiftCanceledStatus);
        return;
    }
    // Ok refuses an unusable tolerance itself; this guards a dialog closed some other way.
    const SiftInput input = form.input();
    if (!input.ok()) {
        ws.report().error(input.problem);
        ws.report().status(kSiftCanceledStatus);
        return;
    }
    window.setHourglass(true);
    UndoStep step(window, "Sift points");
    runSiftPoints(ws.database, form.toleranceText().toStdString(), input.options, ws.report(),
                  ws.pump);
    step.commit();
    window.setHourglass(false);
    window.pumpNow();
    redrawFilteredPath(window);
}

} // namespace korvix::ui
