#include "filters/ui/explode_arcs_command.h"

#include "filters/filter_commands.h"
#include "filters/filter_messages.h"
#include "filters/ui/explode_arc_form.h"
#include "filters/ui/filter_redraw.h"
#include "ui/main_window.h"
#include "ui/undo_step.h"

namespace korvix::ui {
std::optional<double> askExplodeTolerance(Tf& window) {
    ExplodeArcForm& form = ExplodeArcForm::of(window);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    // Ok refuses an unusable tolerance itself; this guards a form closed some other way.
    const ToleranceInput tolerance = form.tolerance();
    if (!tolerance.ok()) {
        window.workspace().report().error(tolerance.problem);
        return std::nullopt;
    }
    return tolerance.value;
}

void Explodearcs1Click(Tf& window) {
    Workspace& ws = window.workspace();
    if (!ws.database.databaseAllocated()) {
        ws.report().status(kExplodeNoDataStatus);
        return;
    }
    const std::optional<double> tolerance = askExplodeTolerance(window);
    if (!tolerance) {
        ws.report().status(kExplodeCanceledStatus);
        return;
    }
    window.setHourglass(true);
    UndoStep step(window, "Explode arcs");
    const ExplodeResult result = runExplodeArcs(
        ws.database, *tolerance, ExplodeArcForm::of(window).toleranceText().toStdString(),
        ws.report(), ws.pump);
    window.setHourglass(false);
    // A failed explosion keeps the old path as it was drawn.
    if (result.ok()) {
        step.commit();
        redrawFilteredPath(window);
    }
}

} // namespace korvix::ui
