#include "filters/ui/explode_arcs_command.h"

#include "app/ui/main_window.h"
#include "app/ui/window_drawing.h"
#include "filters/explode_arcs.h"
#include "filters/ui/explode_arc_form.h"
#include "filters/ui/filter_redraw.h"

namespace korvix::ui {
namespace {

// The command's own texts, unbalanced quotes and all.
constexpr const char* kNoDataText =
    "Warning! Currently no data in memory to explode \"COMMAND CANCELED...\"";
constexpr const char* kCanceledText = "Explode arc command canceled...\"";
constexpr const char* kFailedText = "Explode arc command failed...\"";
constexpr const char* kCompletedText = "Explode arc command completed successfully...\"";

} // namespace

std::optional<double> askExplodeTolerance(Tf& window) {
    ExplodeArcForm& form = window.explodeArcForm();
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
        window.setStatusText(kNoDataText);
        return;
    }
    const std::optional<double> tolerance = askExplodeTolerance(window);
    if (!tolerance) {
        window.setStatusText(kCanceledText);
        return;
    }

    window.setHourglass(true);
    window.setStatusText("Converting arcs into points using a tolerance of \"" +
                         window.explodeArcForm().toleranceText() + "...\"");
    window.pumpNow();
    const ExplodeResult result = explodeArcs(ws.database, *tolerance, &ws.pump);
    // A failed explosion keeps the old path; a new one has no pixel positions yet.
    if (result.ok())
        markViewsStale(ws);
    window.setStatusText(result.ok() ? kCompletedText : kFailedText);
    window.setHourglass(false);
    window.pumpNow();
    if (result.ok())
        redrawFilteredPath(window);
}

} // namespace korvix::ui
