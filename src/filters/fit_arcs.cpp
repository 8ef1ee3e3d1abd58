#include "filters/fit_arcs.h"

#include "filters/arc_run_fitter.h"
#include "model/arc_geometry.h"

#include <optional>

namespace korvix {

namespace {

// A run of point-to-point data starts at a straight feed move...
bool startsRun(const MoveRecord& r) {
    return r.kind == kKindStraight && r.motion != kMotionRapid;
}

// ...and goes on while the moves keep its tool and feed; a move carrying an optional stop
// ends it, so that the stop stays on a point of its own.
bool continuesRun(const MoveRecord& first, const MoveRecord& previous, const MoveRecord& r) {
    return startsRun(r) && r.tool == first.tool && r.feed == first.feed &&
           previous.optionalStop == 0;
}

const MoveRecord* runEnd(const MoveRecord* first) {
    const MoveRecord* last = first;
    while (last->next != nullptr && continuesRun(*first, *last, *last->next))
        last = last->next;
    return last;
}

// The new path, built beside the old one: copies of old records and fitted arc groups,
// numbered by one running `sequence` counter, with the extents of everything put in.
class FittedPath {
public:
    explicit FittedPath(ChunkAllocator allocator) : m_list(allocator, 1024) {}

    bool start(const MoveRecord& old) {
        if (!m_list.createFirst())
            return false;
        m_tail = m_list.head();
        *m_tail = old;
        m_tail->prev = m_tail->next = nullptr;
        m_tail->sequence = m_sequence;
        m_extents.reset(old.x, old.y, old.z);
        return true;
    }

    // A copy of `old`; the pieces of one arc group keep one new sequence between them.
    bool copy(const MoveRecord& old) {
        const bool samePieceGroup = isArcPiece(old) && old.prev != nullptr &&
                                    isArcPiece(*old.prev) && old.prev->sequence == old.sequence;
        if (!samePieceGroup)
            ++m_sequence;
        if (!appendRecord(old))
            return false;
        m_tail->sequence = m_sequence;
        widenExtents();
        return true;
    }

    // The arc group of a fitted arc: pieces like the NC reader's, each a copy of the arc
    // end's record turned into a yellow arc piece.
    bool addArc(const fitting::FittedArc& arc) {
        MoveRecord model = *arc.end;
        model.kind = kKindArcPiece;
        model.plane = arc.plane;
        model.selected = 0;
        model.optionalStop = 0;
        model.color = kFittedArcColor;
        model.sequence = ++m_sequence;
        const Point3 centre =
            fromPlane(arc.plane, arc.shape.centerH, arc.shape.centerV, arc.shape.centerT);
        model.centerX = static_cast<float>(centre.x);
        model.centerY = static_cast<float>(centre.y);
        model.centerZ = static_cast<float>(centre.z);
        model.radius = static_cast<float>(arc.shape.radius);
        model.startAngle = static_cast<float>(arc.shape.startAngle);
        model.endAngle = static_cast<float>(arc.shape.endAngle);
        const bool increasing = arc.shape.radius >= 0;
        // XZ is seen from +Y, where the angles increase clockwise.
        const bool counterClockwise = arc.plane == kPlaneXZ ? !increasing : increasing;
        model.motion = counterClockwise ? kMotionCounterClockwise : kMotionClockwise;
        return forEachArcPiece(arc.shape, [&](double h, double v) {
            const Point3 p = fromPlane(arc.plane, h, v, arc.shape.centerT);
            if (!appendRecord(model))
                return false;
            m_tail->x = static_cast<float>(p.x);
            m_tail->y = static_cast<float>(p.y);
            m_tail->z = static_cast<float>(p.z);
            widenExtents();
            return true;
        });
    }

    std::size_t recordCount() const { return m_count; }
    const Extents& extents() const { return m_extents; }
    NodeList<MoveRecord> take() { return std::move(m_list); }

private:
    bool appendRecord(const MoveRecord& model) {
        MoveRecord* before = m_tail;
        if (!m_list.append(m_tail))
            return false;
        *m_tail = model;
        m_tail->prev = before;
        m_tail->next = nullptr;
        ++m_count;
        return true;
    }

    void widenExtents() { m_extents.widen(m_tail->x, m_tail->y, m_tail->z); }

    NodeList<MoveRecord> m_list;
    MoveRecord* m_tail = nullptr;
    std::int32_t m_sequence = 1;
    std::size_t m_count = 1;
    Extents m_extents;
};

// Fits arcs along one run from `first` to `last`. The last point is always copied: when
// an arc already ends there this leaves a move of (nearly) no length, which takes the
// path back exactly onto the programmed point.
bool fitRun(const MoveRecord* first, const MoveRecord* last, const FitArcsOptions& options,
            FittedPath& path, FitArcsResult& result, MessagePump* pump) {
    const MoveRecord* p1 = first;
    while (p1 != last) {
        if (pump != nullptr)
            pump->pump();
        const std::optional<fitting::FittedArc> arc = fitting::fitArcAt(p1, last, options);
        if (!arc) {
            if (!path.copy(*p1))
                return false;
            p1 = p1->next;
            continue;
        }
        if (!path.addArc(*arc))
            return false;
        result.pointsRemoved += arc->intermediatePoints;
        ++result.arcsAdded;
        if (arc->end == last)
            break;
        p1 = arc->end->next;
    }
    return path.copy(*last);
}

} // namespace

FitArcsResult fitArcs(GraphicsDatabase& database, const FitArcsOptions& options, MessagePump* pump,
                      ChunkAllocator allocator) {
    FitArcsResult result;
    if (!database.databaseAllocated())
        return result;
    FittedPath path(allocator);
    bool ok = path.start(*database.first());
    for (const MoveRecord* r = database.first()->next; ok && r != nullptr;) {
        if (startsRun(*r)) {
            const MoveRecord* last = runEnd(r);
            ok = fitRun(r, last, options, path, result, pump);
            r = last->next;
        } else {
            ok = path.copy(*r);
            r = r->next;
        }
        if (pump != nullptr)
            pump->pump();
    }
    if (!ok) {
        // `path` releases the partial list; the old path stays the database.
        return {FitArcsStatus::OutOfMemory, 0, 0, 0};
    }
    result.status = FitArcsStatus::Done;
    result.recordCount = path.recordCount();
    Extents extents = path.extents();
    extents.negateY(); // held in screen orientation outside the readers
    database.records = path.take();
    database.status.extents = extents;
    database.status.ncLoaded = true;
    return result;
}

} // namespace korvix
