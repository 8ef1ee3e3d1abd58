#include "editing/modify_all.h"
#include "editing/modify_all_command.h"
#include "editing/modify_all_texts.h"
#include "editing/path_status_recompute.h"
#include "model/reporter.h"
#include "modify_all_test_support.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace korvix::test {
namespace {

ModifyAllRequest rotateRequest(double angle, double x, double y, int copies = 0) {
    ModifyAllRequest request;
    request.page = ModifyAllPage::Rotate;
    request.rotate = {angle, x, y, copies};
    return request;
}

ModifyAllRequest scaleRequest(double factor) {
    ModifyAllRequest request;
    request.page = ModifyAllPage::Scale;
    request.scale.factor = factor;
    return request;
}

Point2 turned(double x, double y, double angle, double cx, double cy) {
    const double a = angleRadians(angle);
    return {cx + (x - cx) * std::cos(a) - (y - cy) * std::sin(a),
            cy + (x - cx) * std::sin(a) + (y - cy) * std::cos(a)};
}

// A flat path with one counter-clockwise and one clockwise XY arc.
void buildXyPath(GraphicsDatabase& db) {
    PathBuilder path(db, 0, 0, 5);
    path.feed(300).line(20, 0, -1);
    path.arc(kPlaneXY, 20, 10, -1, 10, 270, 0, -1, 4); // to (30, 10)
    path.line(30, 20, -1);
    path.arc(kPlaneXY, 20, 20, -1, -10, 0, 180, -1, 6); // clockwise half circle to (10, 20)
}

TEST(ModifyAllRotate, ArcCentresTurnAndAnglesGrow) {
    for (const double angle : {90.0, -30.0, 200.0}) {
        SCOPED_TRACE(angle);
        GraphicsDatabase db;
        buildXyPath(db);
        recomputePathStatus(db);
        const double time = db.status.cuttingTime;
        const std::vector<MoveRecord> before = snapshot(db);
        ASSERT_TRUE(applyGeometryChange(db, rotateRequest(angle, 10, -5)).ok());
        const std::vector<MoveRecord> after = snapshot(db);
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < after.size(); ++i) {
            SCOPED_TRACE(i);
            const Point2 p = turned(before[i].x, before[i].y, angle, 10, -5);
            EXPECT_NEAR(after[i].x, p.x, 1e-4);
            EXPECT_NEAR(after[i].y, p.y, 1e-4);
            EXPECT_EQ(after[i].z, before[i].z);
            if (!isArcPiece(before[i]))
                continue;
            const Point2 c = turned(before[i].centerX, before[i].centerY, angle, 10, -5);
            EXPECT_NEAR(after[i].centerX, c.x, 1e-4);
            EXPECT_NEAR(after[i].centerY, c.y, 1e-4);
            EXPECT_EQ(after[i].radius, before[i].radius);
            EXPECT_EQ(after[i].motion, before[i].motion);
            // θ added, the result kept in [0, 360).
            EXPECT_NEAR(std::remainder(after[i].startAngle - before[i].startAngle - angle, 360.0),
                        0, 1e-4);
            EXPECT_NEAR(std::remainder(after[i].endAngle - before[i].endAngle - angle, 360.0), 0,
                        1e-4);
            EXPECT_GE(after[i].startAngle, 0);
            EXPECT_LT(after[i].startAngle, 360);
        }
        expectAnglesMatchPoints(arcGroup(db, 0));
        expectAnglesMatchPoints(arcGroup(db, 1));
        EXPECT_NEAR(db.status.cuttingTime, time, 1e-6);
    }
}

TEST(ModifyAllRotate, CopyKIsTurnedKTimes) {
    GraphicsDatabase db;
    buildXyPath(db);
    const std::vector<MoveRecord> before = snapshot(db);
    const std::size_t n = before.size();
    const ModifyAllResult result = applyGeometryChange(db, rotateRequest(90, 0, 0, 3));
    ASSERT_TRUE(result.ok());
    const std::vector<MoveRecord> after = snapshot(db);
    // Each copy: a retract from Z -1 to 5, the copy (its start point is at Z 5 already).
    ASSERT_EQ(after.size(), n + 3 * (n + 1));
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        const std::size_t at = n + static_cast<std::size_t>(k - 1) * (n + 1);
        EXPECT_EQ(after[at].motion, kMotionRapid);
        EXPECT_EQ(after[at].z, 5);
        const MoveRecord& arc = after[at + 1 + 2]; // first piece of the first arc
        ASSERT_TRUE(isArcPiece(arc));
        const Point2 c = turned(20, 10, 90.0 * k, 0, 0);
        EXPECT_NEAR(arc.centerX, c.x, 1e-4);
        EXPECT_NEAR(arc.centerY, c.y, 1e-4);
        EXPECT_NEAR(arc.startAngle, std::fmod(270 + 90.0 * k, 360.0), 1e-4);
    }
}

TEST(ModifyAllRotate, AnArcOutsideTheXyPlaneIsRefusedWithoutChange) {
    GraphicsDatabase db;
    buildMixedPath(db);
    recomputePathStatus(db);
    const std::vector<MoveRecord> before = snapshot(db);
    const double time = db.status.cuttingTime;
    for (const int copies : {0, 2}) {
        EXPECT_EQ(applyGeometryChange(db, rotateRequest(45, 0, 0, copies)).status,
                  ModifyAllStatus::ArcOutsideXyPlane);
        expectUnchanged(db, before);
        EXPECT_EQ(db.status.cuttingTime, time);
    }
    // The user hears of it in an error box with the exact text.
    RecordingReporter reporter;
    MessagePump pump;
    FeedRateTable table;
    okModifyAll(db, rotateRequest(45, 0, 0), table, reporter, pump);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0],
              "error: >>>Error<<< Arc outside the \"XY\" plane encountered, Explode arcs "
              "before trying again...");
    expectUnchanged(db, before);
}

TEST(ModifyAllScale, TheFactorsAbsoluteValueScalesEverything) {
    GraphicsDatabase db;
    buildMixedPath(db);
    recomputePathStatus(db);
    const DatabaseStatus status = db.status;
    const std::vector<MoveRecord> before = snapshot(db);
    ASSERT_TRUE(applyGeometryChange(db, scaleRequest(-2)).ok());
    const std::vector<MoveRecord> after = snapshot(db);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        SCOPED_TRACE(i);
        MoveRecord expected = before[i];
        expected.x *= 2;
        expected.y *= 2;
        expected.z *= 2;
        if (isArcPiece(expected)) {
            expected.centerX *= 2;
            expected.centerY *= 2;
            expected.centerZ *= 2;
            expected.radius *= 2; // the sign, and so the direction, stays
        }
        EXPECT_EQ(fieldDifferences(after[i], expected), "");
    }
    EXPECT_NEAR(db.status.extents.minX, 2 * status.extents.minX, 1e-5);
    EXPECT_NEAR(db.status.extents.maxY, 2 * status.extents.maxY, 1e-5);
    EXPECT_NEAR(db.status.extents.minZ, 2 * status.extents.minZ, 1e-5);
    EXPECT_NEAR(db.status.cuttingTime, 2 * status.cuttingTime, 1e-9);
    EXPECT_EQ(db.status.minFeed, status.minFeed);
}

TEST(ModifyAllChecks, UnusableChangesLeaveThePathAlone) {
    struct Case {
        ModifyAllRequest request;
        ModifyAllStatus status;
    };
    ModifyAllRequest manyFar;
    manyFar.page = ModifyAllPage::Relocate;
    manyFar.relocate = {1e38, 0, 0, 5}; // the fourth copy would not fit
    const Case cases[] = {
        {scaleRequest(0), ModifyAllStatus::ScaleFactorZero},
        {scaleRequest(1e38), ModifyAllStatus::OutOfRange},
        {scaleRequest(std::nan("")), ModifyAllStatus::OutOfRange},
        {manyFar, ModifyAllStatus::OutOfRange},
        {rotateRequest(30, 3e38, 3e38), ModifyAllStatus::OutOfRange},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.status));
        GraphicsDatabase db;
        buildXyPath(db);
        const std::vector<MoveRecord> before = snapshot(db);
        EXPECT_EQ(applyGeometryChange(db, c.request).status, c.status);
        expectUnchanged(db, before);
        const ModifyAllFailureMessage message = modifyAllFailureMessage(c.status);
        EXPECT_TRUE(message.errorBox);
        EXPECT_FALSE(message.text.empty());
    }
    GraphicsDatabase empty;
    EXPECT_EQ(applyGeometryChange(empty, scaleRequest(2)).status, ModifyAllStatus::NoData);
    EXPECT_FALSE(empty.databaseAllocated());
}

} // namespace
} // namespace korvix::test
