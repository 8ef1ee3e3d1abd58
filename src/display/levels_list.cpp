#include "display/levels_list.h"

#include "model/geometry.h"
#include "model/plane_axes.h"

namespace korvix {
namespace {

// "No depth yet" for both candidates. It is only ever compared with a record's Z after a
// real value has replaced it, so a record at this height cannot be mistaken for it.
constexpr float kNoDepth = 999.9999f;

// The walk's picture of where the tool is cutting: the candidate level ZA seen `countA`
// times, a second candidate ZB above it seen `countB` times, and whether the tool has left
// the level upwards (it stayed at ZB for two records and then moved on).
struct LevelScan {
    float depthA = kNoDepth;
    int countA = 0;
    float depthB = kNoDepth;
    int countB = 0;
    bool leftUpwards = false;
};

void startLevel(ZLevel& level, MoveRecord& record) {
    level.levelZ = record.z;
    level.minX = level.maxX = record.x;
    level.minY = level.maxY = record.y;
    level.minZ = level.maxZ = record.z;
    level.firstRecord = &record;
    // A level always has a last record, even one made of a start point alone.
    level.lastRecord = &record;
}

void widenLevel(ZLevel& level, const MoveRecord& r) {
    level.minX = r.x < level.minX ? r.x : level.minX;
    level.maxX = r.x > level.maxX ? r.x : level.maxX;
    level.minY = r.y < level.minY ? r.y : level.minY;
    level.maxY = r.y > level.maxY ? r.y : level.maxY;
    level.minZ = r.z < level.minZ ? r.z : level.minZ;
    level.maxZ = r.z > level.maxZ ? r.z : level.maxZ;
}

// The tool climbs above the candidate level: count the height it climbs to, and once it has
// stayed there for two records, a further change of height means it has left the level.
void climb(LevelScan& scan, float z) {
    if (scan.countB >= 2) {
        if (z != scan.depthB)
            scan.leftUpwards = true;
        else
            ++scan.countB;
    } else if (z != scan.depthB) {
        scan.depthB = z;
        scan.countB = 1;
    } else {
        ++scan.countB;
    }
}

double moveMinutes(const MoveRecord& r) {
    const MoveRecord& from = *r.prev;
    double length = 0;
    double feed = r.feed;
    if (isArcPiece(r)) {
        // Pieces span well under half a turn, which the shared arc length needs.
        const PlanePoint centre = toPlane(r.plane, centreOf(r));
        const PlanePoint start = toPlane(r.plane, endPointOf(from));
        const PlanePoint end = toPlane(r.plane, endPointOf(r));
        length = arcLength({centre.h, centre.v}, {start.h, start.v}, {end.h, end.v}, r.radius);
    } else {
        length = distance3D(endPointOf(from), endPointOf(r));
        if (r.motion == kMotionRapid)
            feed = kRapidFeed;
    }
    double minutes = 0;
    addCuttingTime(minutes, feed, length);
    return minutes;
}

} // namespace

LevelListResult buildLevelList(const GraphicsDatabase& database, ZLevelList& levels) {
    levels.freeAll();
    MoveRecord* first = database.first();
    if (!database.databaseAllocated() || first == nullptr)
        return LevelListResult::NoData;
    if (!levels.createFirst())
        return LevelListResult::OutOfMemory;
    ZLevel* level = levels.head();
    startLevel(*level, *first);

    LevelScan scan;
    for (MoveRecord* r = first; r != nullptr; r = r->next) {
        const float z = r->z;
        if (r->kind == kKindStartPoint) {
            scan = LevelScan{};
        } else if (scan.countA == 0) {
            scan.countA = 1;
            scan.depthA = z;
        } else if (z == scan.depthA) {
            ++scan.countA;
            scan.leftUpwards = false;
            scan.countB = 0;
            scan.depthB = kNoDepth;
        } else if (z > scan.depthA && !scan.leftUpwards) {
            climb(scan, z);
        } else if (scan.countA >= 2 || scan.leftUpwards) {
            // The move that leaves the level ends it and begins the next one.
            level->levelZ = scan.depthA;
            level->lastRecord = r;
            if (!levels.append(level)) {
                levels.freeAll();
                return LevelListResult::OutOfMemory;
            }
            startLevel(*level, *r);
            scan = LevelScan{};
        } else {
            // One record at a depth is no level yet: a ramp or a plunge passing through.
            scan.countA = 0;
            scan.depthA = z;
            scan.countB = 0;
            scan.depthB = kNoDepth;
        }
        if (r->kind != kKindStartPoint)
            level->lastRecord = r;
        widenLevel(*level, *r);
    }
    // No later move closes the last level: it lies at its candidate depth, or, when the walk
    // ended before it had one, at the height of its last record.
    level->levelZ = scan.depthA != kNoDepth ? scan.depthA : level->lastRecord->z;
    return LevelListResult::Built;
}

std::size_t movesBetween(const MoveRecord& first, const MoveRecord& last) {
    std::size_t moves = 0;
    for (const MoveRecord* r = &first; r != nullptr; r = r->next) {
        if (r->kind != kKindStartPoint && (r == &last || endsMove(*r)))
            ++moves;
        if (r == &last)
            break;
    }
    return moves;
}

double cuttingTimeBetween(const MoveRecord& first, const MoveRecord& last) {
    double minutes = 0;
    for (const MoveRecord* r = &first; r != nullptr; r = r->next) {
        if (r->kind != kKindStartPoint && r->prev != nullptr)
            minutes += moveMinutes(*r);
        if (r == &last)
            break;
    }
    return minutes;
}

LevelSummary summarizeLevel(const ZLevel& level) {
    LevelSummary summary;
    summary.levelZ = level.levelZ;
    summary.firstBlock = level.firstRecord->blockNumber;
    summary.lastBlock = level.lastRecord->blockNumber;
    summary.moves = movesBetween(*level.firstRecord, *level.lastRecord);
    summary.cuttingTime = cuttingTimeBetween(*level.firstRecord, *level.lastRecord);
    return summary;
}

} // namespace korvix
