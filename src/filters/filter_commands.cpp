#include "filters/filter_commands.h"

#include "filters/filter_messages.h"
#include "filters/reverse_path.h"

namespace korvix {

FitArcsResult runFitArcs(Workspace& workspace, const FitArcsOptions& options) {
    if (!workspace.database.databaseAllocated()) {
        workspace.report().status(kFitArcsNoDataStatus);
        return {};
    }
    workspace.report().status(kFitArcsWorkingStatus);
    workspace.pump.pumpNow();
    const FitArcsResult result = fitArcs(workspace.database, options, &workspace.pump);
    if (result.ok()) {
        // The new arc pieces carry no pixel positions of their own yet.
        workspace.view.reprojection = true;
        workspace.report().status(fitArcsDoneStatus(result.pointsRemoved, result.arcsAdded));
    } else
        workspace.report().status(kFitArcsOutOfMemoryStatus);
    workspace.pump.pumpNow();
    return result;
}

SiftResult runSiftPoints(Workspace& workspace, std::string_view toleranceText,
                         const SiftOptions& options) {
    if (!workspace.database.databaseAllocated())
        return {};
    workspace.report().status(siftWorkingStatus(toleranceText));
    workspace.pump.pumpNow();
    const SiftResult result = siftPoints(workspace.database, options, &workspace.pump);
    workspace.report().status(siftDoneStatus(result.pointsRemoved));
    workspace.pump.pumpNow();
    return result;
}

bool runReverseCutDirection(Workspace& workspace) {
    if (!workspace.database.databaseAllocated())
        return false;
    workspace.report().status(kReverseWorkingStatus);
    workspace.pump.pumpNow();
    reverseCutDirection(workspace.database, &workspace.pump);
    workspace.report().status(kReverseDoneStatus);
    workspace.pump.pumpNow();
    return true;
}

} // namespace korvix
