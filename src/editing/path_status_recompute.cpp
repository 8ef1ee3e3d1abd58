#include "editing/path_status_recompute.h"

#include "model/geometry.h"
#include "model/plane_axes.h"

#include <algorithm>
#include <cmath>

namespace korvix {

double arcGroupLength(const MoveRecord& arc) {
    const double radius = arc.radius;
    return kPi * std::fabs(radius) * arcSweep(arc.startAngle, arc.endAngle, radius) / 180.0;
}

namespace {

bool startsArcGroup(const MoveRecord& r) {
    return isArcPiece(r) &&
           (r.prev == nullptr || !isArcPiece(*r.prev) || r.prev->sequence != r.sequence);
}

} // namespace

// The arc length comes from the angles, not from the chord of the group's end points: a
// group may sweep more than 180 degrees, and then the chord says nothing about the way round.
PathStatusFigures pathStatusFigures(const MoveRecord* first) {
    PathStatusFigures figures;
    if (first == nullptr)
        return figures;
    Extents box;
    box.reset(first->x, first->y, first->z);
    DatabaseStatus feeds; // the range with the readers' rule: a minimum of 0 means none yet
    for (const MoveRecord* r = first->next; r != nullptr; r = r->next) {
        box.widen(r->x, r->y, r->z);
        const bool rapid = r->kind == kKindStartPoint || r->motion == kMotionRapid;
        if (!rapid)
            widenFeedRange(feeds, r->feed);
        if (isArcPiece(*r)) {
            if (startsArcGroup(*r))
                addCuttingTime(figures.cuttingTime, r->feed, arcGroupLength(*r));
        } else {
            const MoveRecord& from = *r->prev;
            addCuttingTime(figures.cuttingTime, rapid ? kRapidFeed : static_cast<double>(r->feed),
                           distance3D(endPointOf(from), endPointOf(*r)));
        }
    }
    box.negateY();
    figures.extents = box;
    figures.minFeed = feeds.minFeed;
    figures.maxFeed = feeds.maxFeed;
    return figures;
}

void recomputePathStatus(GraphicsDatabase& database) {
    if (!database.databaseAllocated())
        return;
    const PathStatusFigures figures = pathStatusFigures(database.first());
    database.status.extents = figures.extents;
    database.status.minFeed = figures.minFeed;
    database.status.maxFeed = figures.maxFeed;
    database.status.cuttingTime = figures.cuttingTime;
}

PathReach pathReach(MoveRecord* first) {
    PathReach reach;
    if (first == nullptr)
        return reach;
    reach.highestZ = first->z;
    double magnitude = 0;
    for (MoveRecord* r = first; r != nullptr; r = r->next) {
        reach.last = r;
        ++reach.count;
        reach.highestZ = std::max<double>(reach.highestZ, r->z);
        float m = std::max({std::fabs(r->x), std::fabs(r->y), std::fabs(r->z)});
        if (isArcPiece(*r))
            m = std::max({m, std::fabs(r->centerX), std::fabs(r->centerY), std::fabs(r->centerZ),
                          std::fabs(r->radius)});
        magnitude = std::max<double>(magnitude, m);
    }
    reach.magnitude = magnitude;
    return reach;
}

} // namespace korvix
