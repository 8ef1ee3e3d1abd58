#include "filters/ui/fit_arcs_command.h"

#include "filters/filter_commands.h"
#include "filters/filter_messages.h"
#include "filters/ui/filter_redraw.h"
#include "filters/ui/fit_arc_form.h"
#include "ui/main_window.h"
#include "ui/undo_step.h"

namespace korvix::ui {

void Fitarcs1Click(Tf& window) {
    Workspace& ws = window.workspace();
    if (!ws.database.databaseAllocated()) {
        ws.report().status(kFitArcsNoDataStatus);
        return;
    }
    FitArcForm& form = FitArcForm::of(window);
    if (form.exec() != QDialog::Accepted) {
        ws.report().status(kFitArcsCanceledStatus);
        return;
    }
    // Ok refuses unusable values itself; this guards a dialog closed some other way.
    const FitArcsInput input = form.input();
    if (!input.ok()) {
        ws.report().error(input.problem);
        ws.report().status(kFitArcsCanceledStatus);
        return;
    }
    window.setHourglass(true);
    UndoStep step(window, "Fit arcs");
    const FitArcsResult result = runFitArcs(ws.database, input.options, ws.report(), ws.pump);
    // Out of memory the old path is still there as it was drawn.
    if (result.ok()) {
        step.commit();
        redrawFilteredPath(window);
    }
    window.setHourglass(false);
}

} // namespace korvix::ui
