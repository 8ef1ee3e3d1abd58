#include "filters/sift_points.h"

#include <cmath>
#include <limits>

namespace korvix {

namespace {

// The exact check of an extended move tests every point it would swallow; on a long run
// of noisy points that costs the square of the run. Past this many point tests for one
// move the extension stops (the move then ends where it got to).
constexpr std::size_t kExactCheckBudget = std::size_t{1} << 16;

Point3 pointOf(const MoveRecord* r) {
    return {r->x, r->y, r->z};
}

Point3 minus(const Point3& a, const Point3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double dot(const Point3& a, const Point3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
double length(const Point3& a) {
    return std::sqrt(dot(a, a));
}
Point3 cross(const Point3& a, const Point3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

bool isRapidLike(const MoveRecord& r) {
    return r.kind == kKindStartPoint || r.motion == kMotionRapid;
}

// A move that may be sifted at all.
bool siftable(const MoveRecord& r, const SiftOptions& options) {
    const bool straight = r.kind == kKindStartPoint || r.kind == kKindStraight;
    return straight && (options.siftRapids || !isRapidLike(r));
}

// Whether r may join the run whose first move (after its anchor) is `first`: the same kind
// of travel with the same tool and, for feed moves, the same feed; a move that carries an
// optional stop ends the run.
bool continuesRun(const MoveRecord& first, const MoveRecord& previous, const MoveRecord& r,
                  const SiftOptions& options) {
    if (!siftable(r, options) || previous.optionalStop != 0 || r.tool != first.tool)
        return false;
    const bool rapid = isRapidLike(r);
    return rapid == isRapidLike(first) && (rapid || r.feed == first.feed);
}

// True when at least `count` records follow p up to and including `last`.
bool followersAtLeast(const MoveRecord* p, const MoveRecord* last, int count) {
    for (int i = 0; i < count; ++i) {
        if (p == last)
            return false;
        p = p->next;
    }
    return true;
}

// What is known of the points swallowed so far, measured against a line from the anchor:
// enough to confirm cheaply that a slightly turned line still keeps them all inside the
// band. When it cannot, every point is tested exactly and the line becomes the reference.
class Band {
public:
    Band(const Point3& anchor, const Point3& towards) : m_anchor(anchor) {
        const Point3 d = minus(towards, anchor);
        const double len = length(d);
        m_direction = {d.x / len, d.y / len, d.z / len};
    }

    void add(const Point3& p) {
        const Point3 v = minus(p, m_anchor);
        const double along = dot(v, m_direction);
        m_maxAcross = std::fmax(m_maxAcross, length(cross(v, m_direction)));
        m_minAlong = std::fmin(m_minAlong, along);
        m_maxAlong = std::fmax(m_maxAlong, along);
        m_maxReach = std::fmax(m_maxReach, length(v));
    }

    // Every point lies within t of the stretch from the anchor to `end` for sure (each
    // distance moves by at most reach * |turn of the direction|).
    bool surelyFits(const Point3& end, double t) const {
        const Point3 d = minus(end, m_anchor);
        const double len = length(d);
        if (!(len > 0.0))
            return false;
        const Point3 turn{d.x / len - m_direction.x, d.y / len - m_direction.y,
                          d.z / len - m_direction.z};
        const double slack = m_maxReach * length(turn) + 1e-12 * (m_maxReach + len);
        return m_maxAcross + slack <= t && m_minAlong - slack >= 0.0 && m_maxAlong + slack <= len;
    }

private:
    Point3 m_anchor;
    Point3 m_direction;
    double m_maxAcross = 0;
    double m_minAlong = std::numeric_limits<double>::infinity();
    double m_maxAlong = -std::numeric_limits<double>::infinity();
    double m_maxReach = 0;
};

// Tests every record after p up to and including r against the stretch p-end; when all
// fit, `band` becomes the record of them against that stretch.
bool allFit(const MoveRecord* p, const MoveRecord* r, const Point3& end, double t, Band& band) {
    const Point3 anchor = pointOf(p);
    Band exact(anchor, end);
    for (const MoveRecord* q = p->next;; q = q->next) {
        const Point3 point = pointOf(q);
        if (siftDistance(point, end, anchor, t) > t)
            return false;
        exact.add(point);
        if (q == r)
            break;
    }
    band = exact;
    return true;
}

// Moves the end of the move from p as far along the run as every swallowed point allows;
// `r` is the end found so far (q, the record after p, fits the line p-r). The run's last
// record never ends such a move.
MoveRecord* extend(const MoveRecord* p, MoveRecord* r, const MoveRecord* last, double t) {
    Band band(pointOf(p), pointOf(r));
    band.add(pointOf(p->next));
    std::size_t swallowed = 1;
    std::size_t work = 0;
    for (MoveRecord* e = r->next; e != last; e = e->next) {
        band.add(pointOf(r));
        ++swallowed;
        const Point3 end = pointOf(e);
        if (!band.surelyFits(end, t)) {
            work += swallowed;
            if (work > kExactCheckBudget || !allFit(p, r, end, t, band))
                break;
        }
        r = e;
    }
    return r;
}

std::size_t removeBetween(NodeList<MoveRecord>& list, MoveRecord* p, MoveRecord* r) {
    std::size_t removed = 0;
    for (MoveRecord* q = p->next; q != r;) {
        MoveRecord* next = q->next;
        list.release(q);
        q = next;
        ++removed;
    }
    p->next = r;
    r->prev = p;
    return removed;
}

// Sifts the run from its anchor a (kept) to its last record b (kept).
std::size_t siftRun(NodeList<MoveRecord>& list, MoveRecord* a, MoveRecord* b, double t,
                    MessagePump* pump) {
    std::size_t removed = 0;
    MoveRecord* p = a;
    while (followersAtLeast(p, b, 3)) {
        if (pump != nullptr)
            pump->pump();
        MoveRecord* q = p->next;
        MoveRecord* r = q->next;
        if (distance3D(pointOf(r), pointOf(p)) <= 0.0) {
            p = r;
            continue;
        }
        if (siftDistance(pointOf(q), pointOf(r), pointOf(p), t) > t) {
            p = q;
            continue;
        }
        r = extend(p, r, b, t);
        removed += removeBetween(list, p, r);
        p = r;
    }
    return removed;
}

} // namespace

double siftDistance(const Point3& p, const Point3& e1, const Point3& e2, double tolerance) {
    const Point3 fromE2 = minus(p, e2);
    const Point3 line = minus(e1, e2);
    const double a = length(fromE2);
    const double b = length(minus(e1, p));
    const double c = length(line);
    if (b <= 0.0 || a <= 0.0)
        return 0.0;
    if (c <= 0.0)
        return 2.0 * tolerance;
    const double along = dot(fromE2, line);
    if (along <= 0.0)
        return a;
    if (along >= c * c)
        return b;
    // The cross product keeps its precision where the angle formula would subtract two
    // nearly equal squares.
    return length(cross(fromE2, line)) / c;
}

SiftResult siftPoints(GraphicsDatabase& database, const SiftOptions& options, MessagePump* pump) {
    SiftResult result;
    if (!database.databaseAllocated())
        return result;
    MoveRecord* anchor = database.first();
    while (anchor != nullptr) {
        MoveRecord* first = anchor->next;
        if (first == nullptr || !siftable(*first, options)) {
            anchor = first;
            continue;
        }
        MoveRecord* last = first;
        while (last->next != nullptr && continuesRun(*first, *last, *last->next, options))
            last = last->next;
        result.pointsRemoved += siftRun(database.records, anchor, last, options.tolerance, pump);
        anchor = last; // the end of one run may start the next
        if (pump != nullptr)
            pump->pump();
    }
    result.status = SiftStatus::Done;
    database.status.ncLoaded = true;
    return result;
}

} // namespace korvix
