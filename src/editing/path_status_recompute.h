#pragma once

#include "model/extents.h"
#include "model/graphics_database.h"
#include "model/move_record.h"

#include <cstddef>

namespace korvix {

// What the status block says about a path, computed from its records.
struct PathStatusFigures {
    Extents extents; // Y pair in screen orientation, as the status block holds it
    double minFeed = 0, maxFeed = 0;
    double cuttingTime = 0; // minutes
};

// Walks the path from `first`. The extents cover every end point. The feed range covers the
// cutting moves (no start point, no rapid) with the readers' rule that a minimum of 0 is
// replaced by the next feed; a path without cutting moves has 0 and 0. The cutting
// time adds, move by move, the straight 3-D length of a straight move (a start point in the
// middle of a path, where a second file was appended, counts as a rapid) and the length of
// an arc group along its circle, each divided by its feed: 250 for rapids, 1 for a feed of 0.
PathStatusFigures pathStatusFigures(const MoveRecord* first);

// The same, fed record by record in path order from the first, so that a command that walks
// the path anyway gets the figures in the same walk. A record's predecessor must be final
// when the record is added.
class PathStatusAccumulator {
public:
    void add(const MoveRecord& record);
    PathStatusFigures figures() const;

private:
    Extents m_box;
    DatabaseStatus m_feeds; // the range with the readers' rule: a minimum of 0 means none yet
    double m_cuttingTime = 0;
    bool m_started = false;
};

// Puts the figures of the whole path into the status block: extents, feed range and
// cutting time. `ncLoaded` is left alone. Nothing happens to an empty database.
void recomputePathStatus(GraphicsDatabase& database);
// Puts the figures into the status block (`ncLoaded` left alone).
void setPathStatus(GraphicsDatabase& database, const PathStatusFigures& figures);

// The length of the arc group whose first piece is `arc`, along its circle from the start
// to the end angle in the direction of the radius sign, as the reader times it.
double arcGroupLength(const MoveRecord& arc);

// The reach of a path: its last record, its record count, its highest Z, the largest
// magnitude of any stored coordinate, arc centre or radius, and whether it has arcs outside
// the XY plane.
struct PathReach {
    MoveRecord* last = nullptr;
    std::size_t count = 0;
    double highestZ = 0;
    double magnitude = 0;
    bool arcOutsideXy = false;
};
PathReach pathReach(MoveRecord* first);

} // namespace korvix
