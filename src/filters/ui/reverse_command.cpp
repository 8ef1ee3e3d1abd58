#include "filters/ui/reverse_command.h"

#include "filters/filter_commands.h"
#include "filters/ui/filter_redraw.h"
#include "ui/main_window.h"
#include "ui/undo_step.h"

namespace korvix::ui {

void Reversecutdirection1Click(Tf& window) {
    Workspace& ws = window.workspace();
    if (!ws.database.databaseAllocated()) {
        ws.report().status(kReverseNoDataStatus);
        return;
    }
    window.setHourglass(true);
    UndoStep step(window, "Reverse cut direction");
    if (runReverseCutDirection(ws.database, ws.report(), ws.pump))
        step.commit();
    window.setHourglass(false);
    window.pumpNow();
    redrawFilteredPath(window);
}

} // namespace korvix::ui
