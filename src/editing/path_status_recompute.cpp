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
void PathStatusAccumulator::add(const MoveRecord& r) {
    if (!m_started) {
        m_box.reset(r.x, r.y, r.z);
        m_started = true;
        return;
    }
    m_box.widen(r.x, r.y, r.z);
    const bool rapid = r.kind == kKindStartPoint || r.motion == kMotionRapid;
    if (!rapid)
        widenFeedRange(m_feeds, r.feed);
    if (isArcPiece(r)) {
        if (startsArcGroup(r))
            addCuttingTime(m_cuttingTime, r.feed, arcGroupLength(r));
    } else if (r.prev != nullptr) {
        addCuttingTime(m_cuttingTime, rapid ? kRapidFeed : static_cast<double>(r.feed),
                       distance3D(endPointOf(*r.prev), endPointOf(r)));
    }
}

PathStatusFigures PathStatusAccumulator::figures() const {
    PathStatusFigures figures;
    if (!m_started)
        return figures;
    figures.extents = m_box;
    figures.extents.negateY();
    figures.minFeed = m_feeds.minFeed;
    figures.maxFeed = m_feeds.maxFeed;
    figures.cuttingTime = m_cuttingTime;
    return figures;
}

PathStatusFigures pathStatusFigures(const MoveRecord* first) {
    PathStatusAccumulator figures;
    for (const MoveRecord* r = first; r != nullptr; r = r->next)
        figures.add(*r);
    return figures.figures();
}

void setPathStatus(GraphicsDatabase& database, const PathStatusFigures& figures) {
    database.status.extents = figures.extents;
    database.status.minFeed = figures.minFeed;
    database.status.maxFeed = figures.maxFeed;
    database.status.cuttingTime = figures.cuttingTime;
}

void recomputePathStatus(GraphicsDatabase& database) {
    if (!database.databaseAllocated())
        return;
    setPathStatus(database, pathStatusFigures(database.first()));
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
        if (isArcPiece(*r)) {
            m = std::max({m, std::fabs(r->centerX), std::fabs(r->centerY), std::fabs(r->centerZ),
                          std::fabs(r->radius)});
            if (r->plane == kPlaneXZ || r->plane == kPlaneYZ)
                reach.arcOutsideXy = true;
        }
        magnitude = std::max<double>(magnitude, m);
    }
    reach.magnitude = magnitude;
    return reach;
}

} // namespace korvix
