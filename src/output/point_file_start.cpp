#include "output/point_file_start.h"

#include "filters/explode_arcs.h"
#include "model/finite_values.h"

namespace korvix {

bool startPointFile(GraphicsDatabase& database, SafeFileWriter& out, double tolerance,
                    MessagePump* pump, WriteResult& result) {
    if (!database.databaseAllocated()) {
        result.message = kNothingToSaveText;
        return false;
    }
    // Before the output is created, so that an existing file stays as it is.
    if (const MoveRecord* bad = firstNonFiniteRecord(database)) {
        result.message = nonFiniteRecordMessage(*bad);
        return false;
    }
    const bool arcs = hasArcs(database);
    if (arcs) {
        result.message = explodeToleranceProblem(tolerance);
        if (!result.message.empty())
            return false;
    }
    if (!out.open()) {
        result.message = out.error();
        return false;
    }
    if (arcs) {
        const ExplodeResult explosion = explodeArcs(database, tolerance, pump);
        if (!explosion.ok()) {
            result.message = "Not enough memory to explode the arcs, nothing was saved...";
            return false;
        }
        result.arcsExploded = explosion.arcsExploded;
    }
    return true;
}

} // namespace korvix
