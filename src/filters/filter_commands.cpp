#include "filters/filter_commands.h"

#include "filters/filter_messages.h"
#include "filters/reverse_path.h"

namespace korvix {
namespace {

bool isRapidMove(const MoveRecord& record) {
    return record.kind != kKindStartPoint && record.motion == kMotionRapid;
}

} // namespace

std::optional<float> lowestRapidEnd(const GraphicsDatabase& database) {
    std::optional<float> lowest;
    for (const MoveRecord* r = database.first(); r != nullptr; r = r->next)
        if (isRapidMove(*r) && (!lowest || r->z < *lowest))
            lowest = r->z;
    return lowest;
}

std::size_t rapidMovesEndingBelow(const GraphicsDatabase& database, float z) {
    std::size_t count = 0;
    for (const MoveRecord* r = database.first(); r != nullptr; r = r->next)
        if (isRapidMove(*r) && r->z < z)
            ++count;
    return count;
}

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
    const std::optional<float> lowestBefore = lowestRapidEnd(database);
    reverseCutDirection(database, &pump);
    reporter.status(kReverseDoneStatus);
    // Each move keeps its rapid or feed character, so the last retract of a pocket becomes a
    // rapid plunge to full depth: worth a warning before the program goes to a machine.
    if (lowestBefore) {
        const std::size_t plunges = rapidMovesEndingBelow(database, *lowestBefore);
        if (plunges > 0) {
            const std::string warning = rapidPlungeWarning(plunges, *lowestBefore);
            reporter.status(warning);
            reporter.warning(warning);
        }
    }
    pump.pumpNow();
    return true;
}

} // namespace korvix
