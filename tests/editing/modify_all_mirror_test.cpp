#include "model/workspace.h"
#include "editing/modify_all.h"
#include "editing/path_status_recompute.h"
#include "input/nc_reader.h"
#include "modify_all_test_support.h"
#include "output/nc_writer.h"
#include "test_folder.h"
#include "app/workspace_access.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace korvix::test {
namespace {

ModifyAllRequest mirrorRequest(bool x, bool y, bool copy = false) {
    ModifyAllRequest request;
    request.page = ModifyAllPage::Mirror;
    request.mirror = {x, y, copy};
    return request;
}

Point3 mirrored(const Point3& p, bool x, bool y) {
    return {x ? -p.x : p.x, y ? -p.y : p.y, p.z};
}

void expectNear(const Point3& a, const Point3& b, double tolerance = 1e-4) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

constexpr int kArcGroups = 4; // XY, XY helix, XZ, YZ

TEST(ModifyAllMirror, ArcsFollowTheMirroredPoints) {
    struct Case {
        bool x, y;
        // Whether the direction (radius sign and motion) turns for the XY, XZ and YZ arcs.
        bool turnsXy, turnsXz, turnsYz;
    };
    const Case cases[] = {
        {true, false, true, true, false},
        {false, true, true, false, true},
        // Both axes: the XY arcs keep their direction, the others each see one mirror.
        {true, true, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mirror x " << c.x << " y " << c.y);
        GraphicsDatabase db;
        buildMixedPath(db);
        std::vector<ArcAt> arcs;
        std::vector<MoveRecord> firstsBefore;
        std::vector<Point3> startsBefore, endsBefore;
        for (int i = 0; i < kArcGroups; ++i) {
            const ArcAt arc = arcGroup(db, i);
            firstsBefore.push_back(*arc.first);
            startsBefore.push_back(endPointOf(*arc.before));
            endsBefore.push_back(endPointOf(*arc.last));
        }
        const std::size_t countBefore = db.records.lastAndCount().second;

        ASSERT_TRUE(applyGeometryChange(db, mirrorRequest(c.x, c.y)).ok());
        EXPECT_EQ(db.records.lastAndCount().second, countBefore);

        const bool turns[] = {c.turnsXy, c.turnsXy, c.turnsXz, c.turnsYz};
        for (int i = 0; i < kArcGroups; ++i) {
            SCOPED_TRACE(i);
            const ArcAt arc = arcGroup(db, i);
            const MoveRecord& before = firstsBefore[static_cast<std::size_t>(i)];
            // Start and end points are the mirrored ones, the helix's depth included.
            expectNear(endPointOf(*arc.before),
                       mirrored(startsBefore[static_cast<std::size_t>(i)], c.x, c.y));
            expectNear(endPointOf(*arc.last),
                       mirrored(endsBefore[static_cast<std::size_t>(i)], c.x, c.y));
            expectNear(centreOf(*arc.first), mirrored(centreOf(before), c.x, c.y));
            expectAnglesMatchPoints(arc);
            const bool turned = turns[i];
            EXPECT_EQ(arc.first->radius, turned ? -before.radius : before.radius);
            const std::uint8_t otherWay =
                before.motion == kMotionClockwise ? kMotionCounterClockwise : kMotionClockwise;
            EXPECT_EQ(arc.first->motion, turned ? otherWay : before.motion);
            // Every piece of the group carries the same arc.
            for (const MoveRecord* r = arc.first; r != arc.last->next; r = r->next) {
                EXPECT_EQ(r->startAngle, arc.first->startAngle);
                EXPECT_EQ(r->endAngle, arc.first->endAngle);
                EXPECT_EQ(r->radius, arc.first->radius);
                EXPECT_EQ(r->motion, arc.first->motion);
            }
            // The way round is as long as before.
            EXPECT_NEAR(arcSweep(arc.first->startAngle, arc.first->endAngle, arc.first->radius),
                        arcSweep(before.startAngle, before.endAngle, before.radius), 1e-3);
        }
    }
}

TEST(ModifyAllMirror, TwiceGivesThePathBackAndZeroStaysPlain) {
    GraphicsDatabase db;
    buildMixedPath(db);
    const std::vector<MoveRecord> before = snapshot(db);
    const double timeBefore = [&] {
        recomputePathStatus(db);
        return db.status.cuttingTime;
    }();
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(applyGeometryChange(db, mirrorRequest(true, false)).ok());
    const std::vector<MoveRecord> after = snapshot(db);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].x, before[i].x);
        EXPECT_EQ(after[i].radius, before[i].radius);
        EXPECT_EQ(after[i].motion, before[i].motion);
        EXPECT_NEAR(after[i].startAngle, before[i].startAngle, 1e-4);
        EXPECT_NEAR(after[i].endAngle, before[i].endAngle, 1e-4);
        // The start point stands at X 0: mirrored it is a plain 0, not -0.
        if (before[i].x == 0) {
            EXPECT_FALSE(std::signbit(after[i].x)) << i;
        }
    }
    // Lengths do not change under a mirror.
    EXPECT_NEAR(db.status.cuttingTime, timeBefore, 1e-9);
}

TEST(ModifyAllMirror, WithCopyTheMirrorIsAppended) {
    GraphicsDatabase db;
    buildMixedPath(db);
    const std::vector<MoveRecord> before = snapshot(db);
    const ModifyAllResult result = applyGeometryChange(db, mirrorRequest(false, true, true));
    ASSERT_TRUE(result.ok());
    const std::vector<MoveRecord> after = snapshot(db);
    // The path ends at Z 10, its highest point, and starts there: no retract, no approach.
    ASSERT_EQ(result.recordsAdded, before.size());
    ASSERT_EQ(after.size(), 2 * before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(fieldDifferences(after[i], before[i]), "") << i;
        const MoveRecord& copy = after[before.size() + i];
        EXPECT_EQ(copy.x, before[i].x);
        EXPECT_EQ(copy.y, before[i].y == 0 ? 0.0f : -before[i].y);
        EXPECT_EQ(copy.z, before[i].z);
    }
    // The copied start point is a red rapid.
    const MoveRecord& start = after[before.size()];
    EXPECT_EQ(start.kind, kKindStraight);
    EXPECT_EQ(start.motion, kMotionRapid);
    EXPECT_EQ(start.color, kRapidColor);
}

// The NC writer puts the mirrored arcs into words that the reader turns into the same path.
TEST(ModifyAllMirror, WrittenProgramReadsBackToTheSamePath) {
    TestFolder folder("korvix_modify_all_mirror");
    for (const bool both : {false, true}) {
        SCOPED_TRACE(both);
        Workspace ws;
        ASSERT_GT(readNcFile(ncReadTarget(ws), KORVIX_TEST_DATA_DIR "/writer_small.nc", {}, {}), 0);
        ASSERT_TRUE(applyGeometryChange(ws.database, mirrorRequest(true, both)).ok());
        const std::string written = folder.path(both ? "both.nc" : "x.nc");
        ASSERT_TRUE(writeNcFile(ncWriteSource(ws), written, {}).ok());

        Workspace back;
        ASSERT_GT(readNcFile(ncReadTarget(back), written, {}, {}), 0);
        const std::vector<MoveRecord> expected = snapshot(ws.database);
        const std::vector<MoveRecord> read = snapshot(back.database);
        ASSERT_EQ(read.size(), expected.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            SCOPED_TRACE(i);
            const MoveRecord &a = read[i], &e = expected[i];
            EXPECT_EQ(a.kind, e.kind);
            EXPECT_NEAR(a.x, e.x, 2e-4);
            EXPECT_NEAR(a.y, e.y, 2e-4);
            EXPECT_NEAR(a.z, e.z, 2e-4);
            if (!isArcPiece(e))
                continue;
            EXPECT_EQ(a.plane, e.plane);
            EXPECT_EQ(a.motion, e.motion);
            EXPECT_NEAR(a.radius, e.radius, 2e-4);
            EXPECT_NEAR(a.centerX, e.centerX, 2e-4);
            EXPECT_NEAR(a.centerY, e.centerY, 2e-4);
            EXPECT_NEAR(a.centerZ, e.centerZ, 2e-4);
            EXPECT_NEAR(a.startAngle, e.startAngle, 1e-2);
            EXPECT_NEAR(a.endAngle, e.endAngle, 1e-2);
        }
        // The reader times the program it reads as the recomputation timed the mirror.
        EXPECT_NEAR(back.database.status.cuttingTime, ws.database.status.cuttingTime, 1e-5);
    }
}

} // namespace
} // namespace korvix::test
