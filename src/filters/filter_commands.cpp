#include "filters/filter_commands.h"

#include "filters/filter_messages.h"
#include "filters/reverse_path.h"

namespace korvix {

ExplodeResult runExplodeArcs(GraphicsDatabase& database, double tolerance,
                             std::string_view toleranceText, Reporter& reporter,
                             MessagePump& pump) {
    if (!database.databaseAllocated()) {
        reporter.status(kExplodeNoDataStatus);
        return {};
    }
    reporter.status(explodeWorkingStatus(toleranceText));
    pump.pumpNow();
    const ExplodeResult result = explodeArcs(database, tolerance, &pump);
    reporter.status(result.ok() ? kExplodeDoneStatus : kExplodeFailedStatus);
    pump.pumpNow();
    return result;
}

FitArcsResult runFitArcs(GraphicsDatabase& database, const FitArcsOptions& options,
                         Reporter& reporter, MessagePump& pump) {
    if (!database.databaseAllocated()) {
        reporter.status(kFitArcsNoDataStatus);
        return {};
    }
    reporter.status(kFitArcsWorkingStatus);
    pump.pumpNow();
    const FitArcsResult result = fitArcs(database, options, &pump);
    if (result.ok())
        reporter.status(fitArcsDoneStatus(result.pointsRemoved, result.arcsAdded));
    else
        reporter.status(kFitArcsOutOfMemoryStatus);
    pump.pumpNow();
    return result;
}

SiftResult runSiftPoints(GraphicsDatabase& database, std::string_view toleranceText,
                         const SiftOptions& options, Reporter& reporter, MessagePump& pump) {
    if (!database.databaseAllocated())
        return {};
    reporter.status(siftWorkingStatus(toleranceText));
    pump.pumpNow();
    const SiftResult result = siftPoints(database, options, &pump);
    reporter.status(siftDoneStatus(result.pointsRemoved));
    pump.pumpNow();
    return result;
}

bool runReverseCutDirection(GraphicsDatabase& database, Reporter& reporter, MessagePump& pump) {
    if (!database.databaseAllocated())
        return false;
    reporter.status(kReverseWorkingStatus);
    pump.pumpNow();
    reverseCutDirection(database, &pump);
    reporter.status(kReverseDoneStatus);
    pump.pumpNow();
    return true;
}

} // namespace korvix
