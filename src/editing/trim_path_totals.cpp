#include "editing/trim_path_totals.h"

#include "model/geometry.h"
#include "model/plane_axes.h"

namespace korvix {

void recomputeTrimmedPathTotals(GraphicsDatabase& database) {
    DatabaseStatus& status = database.status;
    const MoveRecord* first = database.first();
    if (first == nullptr)
        return;
    Extents& extents = status.extents;
    extents.reset(first->x, first->y, first->z);
    bool feedSeen = false;
    double minFeed = 0, maxFeed = 0;
    double time = 0;
    for (const MoveRecord* r = first->next; r != nullptr; r = r->next) {
        extents.widen(r->x, r->y, r->z);
        if (r->motion != kMotionRapid) {
            minFeed = feedSeen ? minOf(minFeed, r->feed) : r->feed;
            maxFeed = feedSeen ? maxOf(maxFeed, r->feed) : r->feed;
            feedSeen = true;
        }
        const MoveRecord& before = *r->prev;
        double length = 0;
        if (isArcPiece(*r)) {
            // Piece by piece: every piece spans less than half a turn, a whole arc may not.
            const PlanePoint c = toPlane(r->plane, centreOf(*r));
            const PlanePoint a = toPlane(r->plane, endPointOf(before));
            const PlanePoint b = toPlane(r->plane, endPointOf(*r));
            length = arcLength({c.h, c.v}, {a.h, a.v}, {b.h, b.v}, r->radius);
        } else {
            length = distance3D(endPointOf(before), endPointOf(*r));
        }
        addCuttingTime(time, r->motion == kMotionRapid ? kRapidFeed : r->feed, length);
    }
    extents.negateY();
    status.minFeed = minFeed;
    status.maxFeed = maxFeed;
    status.cuttingTime = time;
    status.ncLoaded = true;
}

} // namespace korvix
