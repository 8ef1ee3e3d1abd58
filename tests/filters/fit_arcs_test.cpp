#include "app/workspace_access.h"
#include "filters/fit_arcs.h"
#include "filters/record_fields.h"
#include "input/nc_arc.h"
#include "input/nc_reader.h"
#include "model/path_builder.h"
#include "model/workspace.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180;

// A circle of points in `plane`: the start point at angle `from`, then one feed move per
// `step` degrees (negative: the angles decrease) up to `count` moves.
struct CirclePoints {
    std::uint8_t plane = kPlaneXY;
    // Chords well within the default tolerance of 0.0012, three points well enough apart
    // to place the first circle closely despite the single-precision coordinates.
    double centreH = 5, centreV = -3, third = 2, radius = 2;
    double from = 30, step = 3.5;
    int count = 30;

    Point3 at(int i) const {
        const double a = (from + step * i) * kDeg;
        return fromPlane(plane, centreH + radius * std::cos(a), centreV + radius * std::sin(a),
                         third);
    }
    PathBuilder startPath(GraphicsDatabase& db) const {
        const Point3 s = at(0);
        PathBuilder builder(db, s.x, s.y, s.z);
        builder.feed(120);
        return builder;
    }
    void addMoves(PathBuilder& path, int first, int last) const {
        for (int i = first; i <= last; ++i) {
            const Point3 p = at(i);
            path.line(p.x, p.y, p.z);
        }
    }
};

// Consecutive arc pieces with the same sequence.
struct Group {
    std::vector<const MoveRecord*> pieces;
};

std::vector<Group> arcGroups(const GraphicsDatabase& db) {
    std::vector<Group> groups;
    const MoveRecord* previous = nullptr;
    for (const MoveRecord* r = db.first(); r != nullptr; previous = r, r = r->next) {
        if (!isArcPiece(*r))
            continue;
        if (previous == nullptr || !isArcPiece(*previous) || previous->sequence != r->sequence)
            groups.emplace_back();
        groups.back().pieces.push_back(r);
    }
    return groups;
}

double distance(const Point3& a, const Point3& b) {
    return distance3D(a, b);
}
Point3 endOf(const MoveRecord* r) {
    return {r->x, r->y, r->z};
}
Point3 centreOf(const MoveRecord* r) {
    return {r->centerX, r->centerY, r->centerZ};
}

// Every piece of a fitted group carries the same arc, lies on its circle in its plane, and
// the group ends at `end`.
void expectFittedGroup(const Group& group, std::uint8_t plane, const Point3& centre, double radius,
                       const Point3& start, const Point3& end) {
    ASSERT_FALSE(group.pieces.empty());
    const MoveRecord& first = *group.pieces.front();
    EXPECT_EQ(first.plane, plane);
    EXPECT_EQ(first.color, kFittedArcColor);
    EXPECT_EQ(first.selected, 0);
    EXPECT_EQ(first.optionalStop, 0);
    EXPECT_NEAR(distance(centreOf(&first), centre), 0, 1e-4);
    EXPECT_NEAR(first.radius, radius, 1e-4);
    EXPECT_GE(first.startAngle, 360.0f);
    EXPECT_LT(first.startAngle, 720.0f);
    EXPECT_GE(first.endAngle, 360.0f);
    EXPECT_LT(first.endAngle, 720.0f);
    // The angles name the two ends of the arc on its circle.
    const PlanePoint c = toPlane(plane, centre.x, centre.y, centre.z);
    for (const auto& [angle, point] : {std::pair{first.startAngle, start}, {first.endAngle, end}}) {
        const Point3 onCircle = fromPlane(plane, c.h + std::fabs(radius) * std::cos(angle * kDeg),
                                          c.v + std::fabs(radius) * std::sin(angle * kDeg), c.t);
        EXPECT_NEAR(distance(onCircle, point), 0, 1e-4) << angle;
    }
    const double step = 2 * std::acos((std::fabs(radius) - 0.0005) / std::fabs(radius)) / kDeg;
    Point3 previous = start;
    for (const MoveRecord* piece : group.pieces) {
        EXPECT_EQ(piece->kind, kKindArcPiece);
        EXPECT_EQ(piece->motion, first.motion);
        EXPECT_EQ(piece->radius, first.radius);
        EXPECT_EQ(piece->startAngle, first.startAngle);
        EXPECT_EQ(piece->endAngle, first.endAngle);
        const PlanePoint p = toPlane(plane, piece->x, piece->y, piece->z);
        EXPECT_NEAR(std::hypot(p.h - c.h, p.v - c.v), std::fabs(radius), 1e-4);
        EXPECT_FLOAT_EQ(static_cast<float>(p.t), static_cast<float>(c.t));
        // Pieces are spaced like the reader's: no chord longer than one step.
        EXPECT_LE(distance(previous, endOf(piece)),
                  2 * std::fabs(radius) * std::sin(step * kDeg / 2) + 1e-4);
        previous = endOf(piece);
    }
    EXPECT_NEAR(distance(endOf(group.pieces.back()), end), 0, 1e-4);
}

TEST(FitArcs, CircleOfPointsBecomesOneArcInEveryPlaneAndDirection) {
    struct Case {
        std::uint8_t plane;
        double from, step;
        int motion;
        double sign;
    };
    // Seen in the plane's own axes; XZ is looked at from +Y, so its G02 turns the angles up.
    const Case cases[] = {
        {kPlaneXY, 30, 3.5, kMotionCounterClockwise, 1},
        {kPlaneXY, 100, -3.5, kMotionClockwise, -1},
        {kPlaneXZ, 30, 3.5, kMotionClockwise, 1},
        {kPlaneXZ, 100, -3.5, kMotionCounterClockwise, -1},
        {kPlaneYZ, 30, 3.5, kMotionCounterClockwise, 1},
        {kPlaneYZ, 100, -3.5, kMotionClockwise, -1},
        {kPlaneXY, 330, 3.5, kMotionCounterClockwise, 1}, // through 0 degrees
        {kPlaneXZ, 20, -3.5, kMotionCounterClockwise, -1},
        {kPlaneYZ, 255, 3.5, kMotionCounterClockwise, 1}, // ends right at 360
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("plane " + std::to_string(c.plane) + " from " + std::to_string(c.from));
        CirclePoints circle;
        circle.plane = c.plane;
        circle.from = c.from;
        circle.step = c.step;
        GraphicsDatabase db;
        PathBuilder path = circle.startPath(db);
        circle.addMoves(path, 1, circle.count);

        const FitArcsResult result = fitArcs(db, {});
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result.arcsAdded, 1u);
        EXPECT_EQ(result.pointsRemoved, static_cast<std::size_t>(circle.count - 1));
        const std::vector<Group> groups = arcGroups(db);
        ASSERT_EQ(groups.size(), 1u);
        EXPECT_EQ(groups[0].pieces.front()->motion, c.motion);
        expectFittedGroup(groups[0], c.plane, fromPlane(c.plane, 5, -3, 2), c.sign * 2,
                          circle.at(0), circle.at(circle.count));
        // Start point, the arc group, and the run's last point copied once more.
        const auto records = recordsOf(db);
        ASSERT_EQ(records.size(), groups[0].pieces.size() + 2);
        EXPECT_EQ(records.back()->kind, kKindStraight);
        EXPECT_NEAR(distance(endOf(records.back()), circle.at(circle.count)), 0, 1e-5);
        EXPECT_EQ(result.recordCount, records.size());
    }
}

// n + 1 points on a circle about the origin in XY, `step` degrees apart, Z falling by `dz`
// from point to point.
std::vector<Point3> ring(double radius, double step, int n, double dz = 0) {
    std::vector<Point3> points;
    for (int i = 0; i <= n; ++i)
        points.push_back(
            {radius * std::cos(i * step * kDeg), radius * std::sin(i * step * kDeg), -dz * i});
    return points;
}

TEST(FitArcs, PathsThatAreNoArcStayPointToPoint) {
    struct Case {
        const char* name;
        std::vector<Point3> points; // the start point, then feed moves
        bool xyOnly = false;
    };
    std::vector<Point3> upright = ring(2, 3.5, 10);
    for (Point3& p : upright)
        p = {p.x, 3, p.y}; // the same circle in XZ
    const std::vector<Case> cases = {
        {"helix: no plane holds three points", ring(2, 3.5, 12, 0.01)},
        {"collinear", {{0, 0, 0}, {1, 1, 0}, {2, 2, 0}, {3, 3, 0}, {4, 4, 0}}},
        {"three collinear points", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}},
        // Radius 150 at 0.3 degree steps: close enough to fit, but beyond 99.99.
        {"radius above the maximum", ring(150, 0.3, 10)},
        // Radius 50, points 0.1 apart: each point lies 0.0001 off the line through its
        // neighbours, which counts as straight, although the circle would pass every other
        // test.
        {"gentle curve", ring(50, 0.1 / 50 / kDeg, 40)},
        {"xz arc with xy only", upright, true},
        // Points on one circle that double back along it.
        {"doubles back",
         {ring(2, 10, 1)[0], ring(2, 10, 1)[1], ring(2, 5, 1)[1], ring(2, 15, 1)[1]}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GraphicsDatabase db;
        PathBuilder path(db, c.points[0].x, c.points[0].y, c.points[0].z);
        for (std::size_t i = 1; i < c.points.size(); ++i)
            path.feed(100).line(c.points[i].x, c.points[i].y, c.points[i].z);
        const FitArcsResult result = fitArcs(db, {0.0012, 99.99, c.xyOnly});
        EXPECT_EQ(result.arcsAdded, 0u);
        EXPECT_EQ(result.pointsRemoved, 0u);
        const auto records = recordsOf(db);
        ASSERT_EQ(records.size(), c.points.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            EXPECT_NEAR(distance(endOf(records[i]), c.points[i]), 0, 1e-5);
            EXPECT_EQ(records[i]->sequence, static_cast<int>(i + 1));
        }
        // The radius limit, not the tolerance, is what refused the gentle curve.
        if (std::string(c.name) == "radius above the maximum") {
            EXPECT_GE(fitArcs(db, {0.0012, 200, false}).arcsAdded, 1u);
        }
    }
}

TEST(FitArcs, SCurveGivesTwoArcsMeetingAtTheTurn) {
    // Counter-clockwise about (0, 10) from 270 to 330 degrees, then clockwise about the
    // mirrored centre from 150 down to 90.
    const Point3 c1{0, 10, 0}, c2{10 * std::sqrt(3.0), 0, 0};
    const auto on = [](const Point3& c, double a) {
        return Point3{c.x + 10 * std::cos(a * kDeg), c.y + 10 * std::sin(a * kDeg), 0};
    };
    GraphicsDatabase db;
    PathBuilder path(db, 0, 0, 0);
    path.feed(80);
    for (int k = 1; k <= 10; ++k)
        path.line(on(c1, 270 + 6 * k).x, on(c1, 270 + 6 * k).y, 0);
    for (int k = 1; k <= 10; ++k)
        path.line(on(c2, 150 - 6 * k).x, on(c2, 150 - 6 * k).y, 0);

    const FitArcsResult result = fitArcs(db, {0.02, 99.99, false});
    EXPECT_EQ(result.arcsAdded, 2u);
    EXPECT_EQ(result.pointsRemoved, 18u);
    const std::vector<Group> groups = arcGroups(db);
    ASSERT_EQ(groups.size(), 2u);
    expectFittedGroup(groups[0], kPlaneXY, c1, 10, {0, 0, 0}, on(c1, 330));
    expectFittedGroup(groups[1], kPlaneXY, c2, -10, on(c1, 330), on(c2, 90));
    EXPECT_EQ(groups[0].pieces.front()->motion, kMotionCounterClockwise);
    EXPECT_EQ(groups[1].pieces.front()->motion, kMotionClockwise);
    // The second arc follows the first directly.
    EXPECT_EQ(groups[0].pieces.back()->next, groups[1].pieces.front());
}

TEST(FitArcs, RapidsAndArcsEndRunsAndAreCopiedUnchanged) {
    const auto on = [](double a) {
        return Point3{10 * std::cos(a * kDeg), 10 * std::sin(a * kDeg), -1};
    };
    GraphicsDatabase db;
    PathBuilder path(db, on(0).x, on(0).y, -1);
    path.feed(150).tool(3);
    for (int a = 10; a <= 60; a += 10)
        path.line(on(a).x, on(a).y, -1);
    path.rapid(on(65).x, on(65).y, -1);
    const MoveRecord rapid = path.last();
    for (int a = 70; a <= 120; a += 10)
        path.line(on(a).x, on(a).y, -1);
    path.arc(kPlaneXY, 0, 0, -1, 10, 120, 150, -1, 3);
    std::vector<MoveRecord> arc;
    for (const MoveRecord* r = path.last().prev->prev; r != nullptr; r = r->next)
        arc.push_back(*r);
    for (int a = 160; a <= 200; a += 10)
        path.line(on(a).x, on(a).y, -1);

    const FitArcsResult result = fitArcs(db, {0.05, 99.99, false});
    EXPECT_EQ(result.arcsAdded, 3u);
    const auto records = recordsOf(db);
    // Old arc pieces and the rapid keep every field but their sequence and links; the old
    // pieces share one new sequence.
    int rapids = 0;
    std::vector<const MoveRecord*> oldPieces;
    for (const MoveRecord* r : records) {
        if (r->motion == kMotionRapid && r->kind == kKindStraight) {
            ++rapids;
            EXPECT_EQ(fieldDifferences(*r, rapid, true), "");
        }
        if (isArcPiece(*r) && r->color != kFittedArcColor && oldPieces.size() < arc.size()) {
            EXPECT_EQ(fieldDifferences(*r, arc[oldPieces.size()], true), "");
            EXPECT_EQ(r->sequence, oldPieces.empty() ? r->sequence : oldPieces[0]->sequence);
            oldPieces.push_back(r);
        }
    }
    EXPECT_EQ(rapids, 1);
    EXPECT_EQ(oldPieces.size(), 3u);
    // The fitted arcs end where the runs end: 60, 120 (the old arc's start) and 200 degrees.
    const std::vector<Group> groups = arcGroups(db);
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_NEAR(distance(endOf(groups[0].pieces.back()), on(60)), 0, 1e-4);
    EXPECT_NEAR(distance(endOf(groups[1].pieces.back()), on(120)), 0, 1e-4);
    EXPECT_NEAR(distance(endOf(groups[3].pieces.back()), on(200)), 0, 1e-4);
    // New sequences count records and arc groups: 1, 2, 3...
    for (std::size_t i = 1; i < records.size(); ++i) {
        const bool samePiece = isArcPiece(*records[i]) && isArcPiece(*records[i - 1]) &&
                               records[i]->sequence == records[i - 1]->sequence;
        EXPECT_EQ(records[i]->sequence, records[i - 1]->sequence + (samePiece ? 0 : 1)) << i;
    }
    EXPECT_EQ(records[0]->sequence, 1);
}

TEST(FitArcs, FeedToolAndStopsAreNeverSwallowed) {
    struct Case {
        const char* name;
        int changeAt; // move number that gets the change
        char what;    // 'f' feed, 't' tool, 's' optional stop on that move
        std::size_t arcs;
    };
    const Case cases[] = {
        {"feed change", 15, 'f', 2},
        {"tool change", 15, 't', 2},
        {"stop", 15, 's', 2},
        // A stop on the run's last point stays there.
        {"stop at the end", 30, 's', 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CirclePoints circle;
        GraphicsDatabase db;
        PathBuilder path = circle.startPath(db);
        for (int i = 1; i <= circle.count; ++i) {
            if (i == c.changeAt && c.what == 'f')
                path.feed(60);
            if (i == c.changeAt && c.what == 't')
                path.tool(2);
            circle.addMoves(path, i, i);
            if (i == c.changeAt && c.what == 's')
                path.stop();
        }
        const FitArcsResult result = fitArcs(db, {});
        EXPECT_EQ(result.arcsAdded, c.arcs);
        int stops = 0;
        for (const MoveRecord* r = db.first(); r != nullptr; r = r->next) {
            stops += r->optionalStop;
            if (r->optionalStop != 0) {
                EXPECT_NEAR(distance(endOf(r), circle.at(c.changeAt)), 0, 1e-5);
            }
        }
        EXPECT_EQ(stops, c.what == 's' ? 1 : 0);
        // The moves after the change keep the new feed or tool.
        const MoveRecord* last = db.records.lastAndCount().first;
        EXPECT_EQ(last->feed, c.what == 'f' ? 60.0f : 120.0f);
        EXPECT_EQ(last->tool, c.what == 't' ? 2 : 0);
    }
}

TEST(FitArcs, ClosedCircleOfPointsNeverClosesOnItself) {
    CirclePoints circle;
    circle.from = 0;
    circle.step = 10;
    circle.count = 36; // the last point is the first one again
    GraphicsDatabase db;
    PathBuilder path = circle.startPath(db);
    circle.addMoves(path, 1, circle.count);
    ASSERT_TRUE(fitArcs(db, {0.2, 99.99, false}).ok());
    const std::vector<Group> groups = arcGroups(db);
    ASSERT_FALSE(groups.empty());
    for (const Group& g : groups) {
        const MoveRecord& first = *g.pieces.front();
        EXPECT_NE(first.startAngle, first.endAngle);
        EXPECT_GT(g.pieces.size(), 1u);
    }
    // The path still reaches every point it reached before: the circle is whole.
    EXPECT_NEAR(distance(endOf(db.records.lastAndCount().first), circle.at(36)), 0, 1e-5);
    double turned = 0;
    for (const Group& g : groups) {
        const MoveRecord& first = *g.pieces.front();
        double span = first.endAngle - first.startAngle;
        if (span <= 0)
            span += 360;
        turned += span;
    }
    EXPECT_GT(turned, 300);
    EXPECT_LT(turned, 360);
}

int g_chunksLeft = 0;
void* failingAllocator(std::size_t bytes) {
    if (g_chunksLeft-- <= 0)
        return nullptr;
    return ::operator new(bytes);
}

TEST(FitArcs, OutOfMemoryKeepsTheOldPath) {
    for (const int chunks : {0, 1}) {
        SCOPED_TRACE(chunks);
        // More records than the first chunks of the new list hold.
        CirclePoints circle;
        GraphicsDatabase db;
        PathBuilder path = circle.startPath(db);
        for (int i = 0; i < 2000; ++i)
            path.line(100 + i, 0, 2);
        path.line(circle.at(0).x, circle.at(0).y, circle.at(0).z);
        circle.addMoves(path, 1, circle.count);
        const MoveRecord* head = db.first();
        const auto before = db.records.lastAndCount();
        g_chunksLeft = chunks;
        const FitArcsResult result = fitArcs(db, {}, nullptr, &failingAllocator);
        EXPECT_EQ(result.status, FitArcsStatus::OutOfMemory);
        EXPECT_EQ(result.arcsAdded, 0u);
        EXPECT_EQ(result.pointsRemoved, 0u);
        EXPECT_EQ(db.first(), head);
        EXPECT_EQ(db.records.lastAndCount(), before);
    }
    GraphicsDatabase empty;
    EXPECT_EQ(fitArcs(empty, {}).status, FitArcsStatus::NoData);
    EXPECT_FALSE(empty.databaseAllocated());
}

// A contour as a CAM system writes it: a plunge, a line, a quarter circle of 18 points, a
// line, a half circle of 36 points, a line back and a retract.
TEST(FitArcs, KnownProgramCountsAndExtents) {
    Workspace ws;
    const std::string file = std::string(KORVIX_TEST_DATA_DIR) + "/fit_contour.nc";
    ASSERT_TRUE(readNcProgram(ncReadTarget(ws), file, NcReadOptions{}, {}).ok());
    ASSERT_EQ(recordsOf(ws.database).size(), 60u);
    ws.database.status.extents = Extents::cube(1000); // stale on purpose

    const FitArcsResult result = fitArcs(ws.database, {0.01, 99.99, false});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.pointsRemoved, 52u);
    EXPECT_EQ(result.arcsAdded, 2u);
    const std::vector<Group> groups = arcGroups(ws.database);
    ASSERT_EQ(groups.size(), 2u);
    expectFittedGroup(groups[0], kPlaneXY, {10, 10, -1}, 10, {10, 0, -1}, {20, 10, -1});
    expectFittedGroup(groups[1], kPlaneXY, {10, 30, -1}, 10, {20, 30, -1}, {0, 30, -1});
    // start, plunge, line, arc, line, arc, line, retract
    EXPECT_EQ(recordsOf(ws.database).size(), 6 + groups[0].pieces.size() + groups[1].pieces.size());
    const Extents& e = ws.database.status.extents;
    EXPECT_NEAR(e.minX, 0, 1e-4);
    EXPECT_NEAR(e.maxX, 20, 1e-4);
    EXPECT_NEAR(e.trueMinY(), 0, 1e-4);
    EXPECT_NEAR(e.trueMaxY(), 40, 1e-3); // a piece near the top, not the point itself
    EXPECT_NEAR(e.minZ, -1, 1e-6);
    EXPECT_NEAR(e.maxZ, 5, 1e-6);
    EXPECT_TRUE(ws.database.status.ncLoaded);
}

} // namespace
} // namespace korvix::test
