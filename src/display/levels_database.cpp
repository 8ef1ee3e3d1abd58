#include "display/levels_database.h"

#include "display/levels_list.h"
#include "model/geometry.h"
#include "model/plane_axes.h"

#include <utility>

namespace korvix {
namespace {

bool sameArcGroup(const MoveRecord& a, const MoveRecord& b) {
    return isArcPiece(a) && isArcPiece(b) && a.sequence == b.sequence;
}

// A start point carries its position and the flags of the move it came from, nothing of a
// move's motion or arc.
void makeStartPoint(MoveRecord& r) {
    r.kind = kKindStartPoint;
    r.plane = kPlaneXY;
    r.sequence = 0;
    r.motion = kMotionRapid;
    r.feed = 0;
    r.centerX = r.centerY = r.centerZ = 0;
    r.radius = 0;
    r.startAngle = r.endAngle = 0;
}

float angleAbout(const MoveRecord& arc, const MoveRecord& point) {
    const PlanePoint centre = toPlane(arc.plane, centreOf(arc));
    const PlanePoint p = toPlane(arc.plane, endPointOf(point));
    return static_cast<float>(angleAndDistance(centre.h, centre.v, p.h, p.v).angle);
}

// A cut so close to an arc's end that no angle lies between them leaves a sliver that a
// writer would take for a full circle: it is written as the straight move it amounts to.
void straightenIfNoSweep(MoveRecord& firstPiece) {
    if (firstPiece.startAngle != firstPiece.endAngle)
        return;
    const std::int32_t sequence = firstPiece.sequence;
    for (MoveRecord* piece = &firstPiece;
         piece != nullptr && isArcPiece(*piece) && piece->sequence == sequence;
         piece = piece->next) {
        piece->kind = kKindStraight;
        piece->motion = kMotionLinear;
    }
}

// The copied arc group that begins right after the start point was cut off from its start:
// it now starts at the start point, in its plane and off it (a helix's centre lies at its
// start's height).
void trimArcStart(MoveRecord& start) {
    MoveRecord* piece = start.next;
    const float angle = angleAbout(*piece, start);
    const float third = static_cast<float>(thirdAxisOf(piece->plane, endPointOf(start)));
    const std::int32_t sequence = piece->sequence;
    for (; piece != nullptr && isArcPiece(*piece) && piece->sequence == sequence;
         piece = piece->next) {
        piece->startAngle = angle;
        switch (piece->plane) {
        case kPlaneXZ:
            piece->centerY = third;
            break;
        case kPlaneYZ:
            piece->centerX = third;
            break;
        default:
            piece->centerZ = third;
            break;
        }
    }
}

// The copied arc group that ends the copy was cut off before its end: it now ends at the
// last copy. Returns the group's first piece.
MoveRecord& trimArcEnd(MoveRecord& last) {
    const float angle = angleAbout(last, last);
    MoveRecord* first = &last;
    for (MoveRecord* piece = &last; piece != nullptr && sameArcGroup(*piece, last);
         piece = piece->prev) {
        piece->endAngle = angle;
        first = piece;
    }
    return *first;
}

void summarizeCopies(GraphicsDatabase& into) {
    DatabaseStatus status;
    const MoveRecord* start = into.first();
    Extents box;
    box.reset(start->x, start->y, start->z);
    const MoveRecord* last = start;
    for (const MoveRecord* r = start->next; r != nullptr; r = r->next) {
        box.widen(r->x, r->y, r->z);
        if (r->kind != kKindStartPoint && r->motion != kMotionRapid)
            widenFeedRange(status, r->feed);
        last = r;
    }
    box.negateY();
    status.extents = box;
    status.cuttingTime = cuttingTimeBetween(*start, *last);
    status.ncLoaded = true;
    into.status = status;
}

} // namespace

void releaseRecords(GraphicsDatabase& database) {
    NodeList<MoveRecord>& records = database.records;
    if (records.allocated() || records.reservedBytes() == 0) {
        records.freeAll();
        return;
    }
    // A command emptied the list without freeing it: swapping it out gives back its chunks.
    NodeList<MoveRecord> discarded;
    std::swap(discarded, records);
}

bool copyDisplayedMoves(const MoveRecord& first, const MoveRecord& last, GraphicsDatabase& into) {
    releaseRecords(into);
    const MoveRecord* from = first.prev != nullptr ? first.prev : &first;
    if (!into.records.createFirst())
        return false;
    MoveRecord* copy = into.records.head();
    const MoveRecord* copied = from;
    for (;; copied = copied->next) {
        MoveRecord* const prev = copy->prev;
        *copy = *copied;
        copy->prev = prev;
        copy->next = nullptr;
        if (copied == &last || copied->next == nullptr)
            break;
        if (!into.records.append(copy)) {
            releaseRecords(into);
            return false;
        }
    }

    MoveRecord& start = *into.first();
    makeStartPoint(start);
    const bool cutAtStart = start.next != nullptr && sameArcGroup(*from, *from->next);
    const bool cutAtEnd =
        copy != &start && copied->next != nullptr && sameArcGroup(*copied, *copied->next);
    if (cutAtStart)
        trimArcStart(start);
    if (cutAtEnd)
        straightenIfNoSweep(trimArcEnd(*copy));
    if (cutAtStart)
        straightenIfNoSweep(*start.next);
    summarizeCopies(into);
    return true;
}

Extents levelExtents(const ZLevel& level) {
    Extents box{level.minX, level.maxX, level.minY, level.maxY, level.minZ, level.maxZ};
    box.negateY();
    return box;
}

DetachedDatabase::DetachedDatabase(GraphicsDatabase& database) : m_database(database) {
    std::swap(m_saved.records, database.records);
    m_saved.status = database.status;
}

void DetachedDatabase::restore() {
    if (m_restored)
        return;
    m_restored = true;
    releaseRecords(m_database);
    std::swap(m_database.records, m_saved.records);
    m_database.status = m_saved.status;
    m_database.status.ncLoaded = true;
}

} // namespace korvix
