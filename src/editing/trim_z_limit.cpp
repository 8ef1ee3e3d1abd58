#include "editing/trim_z_limit.h"

#include "model/geometry.h"

namespace korvix {
namespace {

class ZLimiter {
public:
    ZLimiter(const ZLimitOptions& options, ChunkAllocator allocator)
        : m_deepest(options.deepestZ), m_primary(maxOf(options.primaryPlane, options.deepestZ)),
          m_remove(options.removeWastedMoves), m_style(options.style), m_path(allocator) {}

    bool run(const NodeList<MoveRecord>& path, MessagePump* pump) {
        const MoveRecord& first = *path.head();
        if (!m_path.start(first, positionOf(first)))
            return false;
        for (const MoveRecord* r = first.next; r != nullptr; r = r->next) {
            if (pump != nullptr)
                pump->pump();
            if (!segment(positionOf(*r->prev), *r))
                return false;
        }
        return true;
    }

    NodeList<MoveRecord>& list() { return m_path.list(); }

private:
    bool segment(const Point3& p1, const MoveRecord& move) {
        const Point3 p2 = positionOf(move);
        const bool startAbove = p1.z >= m_deepest;
        const bool endAbove = p2.z >= m_deepest;
        const Point3 flat{p2.x, p2.y, m_deepest};
        if (startAbove && endAbove)
            return m_path.appendCut(move, p2, move.optionalStop) != nullptr;
        if (!startAbove && !endAbove)
            return m_remove || cut(move, flat, move.optionalStop);

        const double t = (p1.z - m_deepest) / (p1.z - p2.z);
        const Point3 crossing{p1.x + (p2.x - p1.x) * t, p1.y + (p2.y - p1.y) * t, m_deepest};
        const Point3 above{crossing.x, crossing.y, m_primary};
        if (startAbove) { // going down
            if (m_remove)
                return cut(move, crossing, move.optionalStop) && positioning(above, move);
            return cut(move, crossing, 0) && cut(move, flat, move.optionalStop);
        }
        // coming up
        if (m_remove) {
            if (!positioning(above, move) || !plunge(crossing, move))
                return false;
        } else if (!cut(move, crossing, 0)) {
            return false;
        }
        return cut(move, p2, move.optionalStop);
    }

    // The generated pieces: each left out when the tool is already there.
    bool there(const Point3& p) const {
        return distance3D(positionOf(*m_path.tail()), p) <= kMotionTolerance;
    }
    bool cut(const MoveRecord& move, const Point3& p, std::uint8_t optionalStop) {
        if (there(p)) {
            if (optionalStop != 0 && m_path.tail()->kind == kKindStraight)
                m_path.tail()->optionalStop = optionalStop;
            return true;
        }
        return m_path.appendCut(move, p, optionalStop) != nullptr;
    }
    bool positioning(const Point3& p, const MoveRecord& move) {
        return there(p) ||
               m_path.appendPositioning(kKindStraight, p, move.tool, m_style) != nullptr;
    }
    bool plunge(const Point3& p, const MoveRecord& move) {
        return there(p) || m_path.appendPlunge(kKindStraight, p, move.tool, m_style) != nullptr;
    }

    double m_deepest;
    double m_primary;
    bool m_remove;
    LinkStyle m_style;
    NumberedPath m_path;
};

} // namespace

bool limitZTravel(const NodeList<MoveRecord>& path, const ZLimitOptions& options, MessagePump* pump,
                  NodeList<MoveRecord>& out, ChunkAllocator allocator) {
    out.freeAll();
    if (!path.allocated())
        return false;
    ZLimiter limiter(options, allocator);
    if (!limiter.run(path, pump))
        return false;
    out = std::move(limiter.list());
    return true;
}

double lowestZOf(const NodeList<MoveRecord>& path) {
    if (!path.allocated())
        return 0;
    double lowest = path.head()->z;
    for (const MoveRecord* r = path.head(); r != nullptr; r = r->next)
        lowest = minOf(lowest, r->z);
    return lowest;
}

} // namespace korvix
