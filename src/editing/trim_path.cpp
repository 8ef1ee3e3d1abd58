#include "editing/trim_path.h"

#include "editing/trim_clip.h"
#include "editing/trim_links.h"
#include "filters/explode_arcs.h"
#include "model/arc_geometry.h"

#include <cmath>
#include <new>
#include <optional>

namespace korvix {
namespace {

// One pass over the old path: every move is cut into segments (arcs into chords), every
// segment clipped, and the kept pieces handed to the builder.
class TrimWalk {
public:
    TrimWalk(const TrimParameters& parameters, const TrimRegion& region, const TrimSpace& space,
             ChunkAllocator allocator)
        : m_parameters(parameters), m_region(region), m_space(space),
          m_builder(space,
                    {parameters.primaryPlane, parameters.secondaryPlane,
                     parameters.absoluteSecondaryPlane},
                    {parameters.rapidPositioning, static_cast<float>(parameters.plungeFeed)},
                    allocator) {
        if (region.polygon)
            m_polygon.emplace(region.vertices, allocator);
    }

    bool run(const GraphicsDatabase& database, MessagePump* pump) {
        const MoveRecord& first = *database.first();
        if (!start(first))
            return false;
        Point3 previous = positionOf(first);
        m_lastWorld = previous;
        m_lastTrim = m_space.toTrim(previous);
        for (const MoveRecord* r = first.next; r != nullptr; r = r->next) {
            if (pump != nullptr)
                pump->pump();
            if (isArcPiece(*r)) {
                r = arcGroup(*r, previous);
                if (r == nullptr)
                    return false;
            } else if (!segment(previous, positionOf(*r), *r, r->optionalStop)) {
                return false;
            }
            previous = positionOf(*r);
        }
        m_builder.finish();
        return true;
    }

    NodeList<MoveRecord>& list() { return m_builder.path().list(); }

private:
    bool regionContains(const Point3& p) const {
        return m_polygon ? m_polygon->contains(p.x, p.y) : boxContains(m_region.box, p.x, p.y);
    }

    // A box kept inside starts at the window centre at the primary plane; otherwise the path
    // starts where the old one did. In a rotated view the centre is a point of the drawing,
    // so the start is the world point seen there at the old start's depth, lifted to the
    // primary plane.
    bool start(const MoveRecord& first) {
        const Point3 oldStart = positionOf(first);
        const TrimParameters& p = m_parameters;
        Point3 position = oldStart;
        if (p.keepInside && !m_region.polygon) {
            const TrimBox& box = m_region.box;
            const double cx = box.left + std::fabs(box.right - box.left) / 2.0;
            const double cy = box.bottom + std::fabs(box.top - box.bottom) / 2.0;
            const Point3 centre = m_space.toWorld({cx, cy, m_space.toTrim(oldStart).z});
            position = {centre.x, centre.y, p.primaryPlane};
        }
        // Kept outside, the tool stands in a kept piece when the old start lies outside.
        const bool toolDown = !p.keepInside && !regionContains(m_space.toTrim(oldStart));
        return m_builder.start(first, position, toolDown);
    }

    bool segment(const Point3& from, const Point3& to, const MoveRecord& source,
                 std::uint8_t optionalStop) {
        // Segments follow each other, so the start's trim point is the last end's.
        const Point3 a =
            from.x == m_lastWorld.x && from.y == m_lastWorld.y && from.z == m_lastWorld.z
                ? m_lastTrim
                : m_space.toTrim(from);
        const Point3 b = m_space.toTrim(to);
        m_lastWorld = to;
        m_lastTrim = b;

        std::span<const ClipPiece> pieces;
        BoxClip boxClip;
        if (m_polygon) {
            if (!m_polygon->clip(a, b, pieces))
                return false;
        } else {
            boxClip = clipToBox(m_region.box, a, b);
            pieces = boxClip.view();
        }
        for (const ClipPiece& piece : pieces) {
            const bool ok =
                piece.inside == m_parameters.keepInside
                    ? m_builder.keep(piece, source, piece.endsSegment ? optionalStop : 0)
                    : m_builder.leave(source);
            if (!ok)
                return false;
        }
        return true;
    }

    // Cuts the arc group that starts at `first` into chords and clips each, the same chords
    // as arc explosion makes. Returns the group's last piece, or nullptr when memory ran out.
    const MoveRecord* arcGroup(const MoveRecord& first, const Point3& before) {
        const ArcGroup arc = arcGroupAt(&first);
        Point3 from = before;
        const bool walked = forEachArcChordPoint(
            arc, explodeStepDegrees(first.radius, m_parameters.arcTolerance),
            [&](const Point3& point, bool isEnd) {
                if (!segment(from, point, first, isEnd && arc.optionalStop ? 1 : 0))
                    return false;
                from = point;
                return true;
            });
        return walked ? arc.last : nullptr;
    }

    const TrimParameters& m_parameters;
    const TrimRegion& m_region;
    const TrimSpace& m_space;
    TrimPathBuilder m_builder;
    std::optional<PolygonClipper> m_polygon;
    Point3 m_lastWorld, m_lastTrim;
};

} // namespace

bool buildTrimmedPath(const GraphicsDatabase& database, const TrimParameters& parameters,
                      const TrimRegion& region, const TrimSpace& space, MessagePump* pump,
                      NodeList<MoveRecord>& out, ChunkAllocator allocator) {
    out.freeAll();
    if (!database.databaseAllocated())
        return false;
    try {
        TrimWalk walk(parameters, region, space, allocator);
        if (!walk.run(database, pump))
            return false; // the partial list goes with the walk
        out = std::move(walk.list());
        return true;
    } catch (const std::bad_alloc&) {
        return false; // the polygon's working storage could not be had
    }
}

} // namespace korvix
