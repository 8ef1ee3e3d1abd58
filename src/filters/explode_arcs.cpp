#include "filters/explode_arcs.h"

#include "model/arc_geometry.h"
#include "model/geometry.h"
#include "model/number_text.h"

#include <cmath>

namespace korvix {

ToleranceInput parseExplodeTolerance(std::string_view text) {
    ToleranceInput input;
    const RealConversion conversion = convertReal(text);
    if (!conversion.ok()) {
        input.problem =
            "Chordal deviation tolerance \"" + std::string(text) + "\" is not a valid number...";
        return input;
    }
    input.value = conversion.value;
    input.problem = explodeToleranceProblem(conversion.value);
    return input;
}

std::string explodeToleranceProblem(double tolerance) {
    if (std::isfinite(tolerance) && tolerance > 0)
        return {};
    return "Chordal deviation tolerance must be a number greater than 0...";
}

bool hasArcs(const GraphicsDatabase& database) {
    if (!database.databaseAllocated())
        return false;
    for (const MoveRecord* r = database.first(); r != nullptr; r = r->next)
        if (isArcPiece(*r))
            return true;
    return false;
}

double explodeStepDegrees(double radius, double tolerance) {
    const double r = std::fabs(radius);
    if (!std::isfinite(tolerance) || !(tolerance > 0) || tolerance >= 2 * r)
        return 360.0;
    const double step = 2 * std::acos((r - tolerance) / r) * kRadToDeg;
    if (!(step >= kMinExplodeStepDegrees)) // also catches NaN
        return kMinExplodeStepDegrees;
    return step;
}

namespace {

// Builds the exploded path: a new list whose records are numbered by two running counters.
class ExplodedPath {
public:
    explicit ExplodedPath(ChunkAllocator allocator) : m_list(allocator, 1024) {}

    bool start(const MoveRecord& old) {
        if (!m_list.createFirst())
            return false;
        MoveRecord& s = *m_list.head();
        s.kind = old.kind;
        s.optionalStop = old.optionalStop;
        s.color = old.color;
        s.motion = old.motion;
        s.tool = old.tool;
        s.feed = old.feed;
        s.x = old.x;
        s.y = old.y;
        s.z = old.z;
        s.centerX = old.centerX;
        s.centerY = old.centerY;
        s.centerZ = old.centerZ;
        s.radius = old.radius;
        s.startAngle = old.startAngle;
        s.endAngle = old.endAngle;
        s.sourceLine = old.sourceLine;
        s.plane = 0;
        s.visible = 1;
        s.selected = 0;
        s.blockNumber = 1;
        s.sequence = 1;
        m_tail = &s;
        m_count = 1;
        return true;
    }

    // A straight record at (x, y, z) with the source's tool, feed and colour.
    bool appendPoint(const MoveRecord& source, double x, double y, double z,
                     std::uint8_t optionalStop) {
        if (!m_list.append(m_tail))
            return false;
        m_block = m_block < 32767 ? static_cast<std::uint16_t>(m_block + 1) : std::uint16_t{1};
        ++m_sequence;
        ++m_count;
        MoveRecord& r = *m_tail; // value-initialised: centre, radius, angles, screen are 0
        r.kind = kKindStraight;
        r.plane = 0;
        r.visible = 1;
        r.selected = 0;
        r.optionalStop = optionalStop;
        r.color = source.color;
        r.blockNumber = m_block;
        r.sequence = m_sequence;
        r.motion = source.motion <= kMotionLinear ? source.motion : kMotionLinear;
        r.tool = source.tool;
        r.feed = source.feed;
        r.sourceLine = source.sourceLine;
        r.x = static_cast<float>(x);
        r.y = static_cast<float>(y);
        r.z = static_cast<float>(z);
        return true;
    }

    NodeList<MoveRecord>& list() { return m_list; }
    std::size_t count() const { return m_count; }

private:
    NodeList<MoveRecord> m_list;
    MoveRecord* m_tail = nullptr;
    std::uint16_t m_block = 1;
    std::int32_t m_sequence = 1;
    std::size_t m_count = 0;
};

// Explodes the arc group that starts at `first`; returns its last piece, or nullptr when a
// record could not be allocated.
const MoveRecord* explodeGroup(ExplodedPath& path, const MoveRecord& first, double tolerance,
                               ExplodeResult& result) {
    // An optional stop programmed on its own line after the arc lands on the arc's last piece;
    // the stop belongs to the whole arc and is kept on its last point.
    const ArcGroup arc = arcGroupAt(&first);
    const bool walked = forEachArcChordPoint(
        arc, explodeStepDegrees(first.radius, tolerance), [&](const Point3& p, bool isEnd) {
            if (!path.appendPoint(first, p.x, p.y, p.z, isEnd && arc.optionalStop ? 1 : 0))
                return false;
            ++result.pointsFromArcs;
            return true;
        });
    if (!walked)
        return nullptr;
    ++result.arcsExploded;
    return arc.last;
}

} // namespace

ExplodeResult explodeArcs(GraphicsDatabase& database, double tolerance, MessagePump* pump,
                          ChunkAllocator allocator) {
    ExplodeResult result;
    if (!database.databaseAllocated())
        return result;

    // On failure the partial list goes with `path` and the old one stays as it was.
    const ExplodeResult outOfMemory{ExplodeStatus::OutOfMemory};
    ExplodedPath path(allocator);
    if (!path.start(*database.first()))
        return outOfMemory;

    for (const MoveRecord* r = database.first()->next; r != nullptr; r = r->next) {
        if (pump != nullptr)
            pump->pump();
        if (isArcPiece(*r)) {
            r = explodeGroup(path, *r, tolerance, result);
            if (r == nullptr)
                return outOfMemory;
        } else if (!path.appendPoint(*r, r->x, r->y, r->z, r->optionalStop)) {
            return outOfMemory;
        }
    }

    result.recordCount = path.count();
    database.records = std::move(path.list()); // releases the old list
    database.status.ncLoaded = true;
    result.status = ExplodeStatus::Done;
    return result;
}

} // namespace korvix
