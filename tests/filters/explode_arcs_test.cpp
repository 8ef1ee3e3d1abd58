#include "app/workspace_access.h"
#include "filters/explode_arcs.h"
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

// The tolerance whose step angle is exactly `stepDegrees` on a circle of `radius`.
double toleranceForStep(double radius, double stepDegrees) {
    return radius * (1 - std::cos(stepDegrees / 2 * kDeg));
}

struct Expected {
    double x, y, z;
    int optionalStop = 0;
};

void expectPoints(const GraphicsDatabase& db, const std::vector<Expected>& expected) {
    const auto records = recordsOf(db);
    ASSERT_EQ(records.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i));
        EXPECT_NEAR(records[i]->x, expected[i].x, 1e-5);
        EXPECT_NEAR(records[i]->y, expected[i].y, 1e-5);
        EXPECT_NEAR(records[i]->z, expected[i].z, 1e-5);
        EXPECT_EQ(records[i]->optionalStop, expected[i].optionalStop);
        if (i > 0) {
            EXPECT_EQ(records[i]->kind, kKindStraight);
        }
    }
}

Expected onCircle(double angleDeg, double z = 0, double r = 1, double cx = 0, double cy = 0) {
    return {cx + r * std::cos(angleDeg * kDeg), cy + r * std::sin(angleDeg * kDeg), z};
}

TEST(ExplodeArcs, HandComputedWalks) {
    struct Case {
        const char* name;
        double radius, start, end, step;
        std::vector<double> angles; // intermediate points, then the end angle
    };
    const std::vector<Case> cases = {
        // Wraps through 0: walked from -10 up to 10.
        {"ccw 350 to 10", 1, 350, 10, 6, {-4, 2, 8, 10}},
        {"ccw 0 to 90", 2, 0, 90, 25, {25, 50, 75, 90}},
        // Clockwise through 0: walked from 370 down to 350.
        {"cw 10 to 350", -1, 10, 350, 6, {364, 358, 352, 350}},
        {"cw 90 to 0", -1, 90, 0, 40, {50, 10, 0}},
        // A step landing exactly on the end takes no extra point there.
        {"step fits", 1, 0, 90, 30.5, {30.5, 61, 90}},
        // Radius equal to the tolerance: a 180 degree step, the end point alone.
        {"radius equals tolerance", 1, 0, 90, 180, {90}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GraphicsDatabase db;
        const Expected from = onCircle(c.start, 0, std::fabs(c.radius));
        PathBuilder(db, from.x, from.y, 0).arc(kPlaneXY, 0, 0, 0, c.radius, c.start, c.end, 0);
        const double tolerance =
            c.step == 180 ? std::fabs(c.radius) : toleranceForStep(std::fabs(c.radius), c.step);
        const ExplodeResult result = explodeArcs(db, tolerance);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result.arcsExploded, 1u);
        EXPECT_EQ(result.pointsFromArcs, c.angles.size());
        std::vector<Expected> expected = {from};
        for (double a : c.angles)
            expected.push_back(onCircle(a, 0, std::fabs(c.radius)));
        expectPoints(db, expected);
    }
}

TEST(ExplodeArcs, StartPointGapAddsTheArcStart) {
    // The line ends 0.0001 from the arc start in one case, 0.001 in the other.
    for (const double gap : {0.0001, 0.001}) {
        SCOPED_TRACE(gap);
        GraphicsDatabase db;
        PathBuilder(db, 0, 0, 0).feed(100).line(1 + gap, 0, 0).arc(kPlaneXY, 0, 0, 0, 1, 0, 90, 0);
        ASSERT_TRUE(explodeArcs(db, 1).ok()); // radius = tolerance: end point alone
        std::vector<Expected> expected = {{0, 0, 0}, {1 + gap, 0, 0}};
        if (gap > kMotionTolerance)
            expected.push_back({1, 0, 0});
        expected.push_back({0, 1, 0});
        expectPoints(db, expected);
    }
}

TEST(ExplodeArcs, OptionalStopGoesToTheLastPointOnly) {
    // An M01 may flag the first piece (in the arc's block) or the last (a line after it).
    for (const bool onLastPiece : {false, true}) {
        SCOPED_TRACE(onLastPiece);
        GraphicsDatabase db;
        PathBuilder path(db, 1, 0, 0);
        path.arc(kPlaneXY, 0, 0, 0, 1, 0, 90, 0, 4);
        if (onLastPiece) {
            path.stop();
        } else {
            db.first()->next->optionalStop = 1;
        }
        path.line(0, 2, 0);
        ASSERT_TRUE(explodeArcs(db, toleranceForStep(1, 40)).ok());
        expectPoints(db, {{1, 0, 0}, onCircle(40), onCircle(80), {0, 1, 0, 1}, {0, 2, 0}});
    }
}

TEST(ExplodeArcs, HelixClimbsWithTheAngle) {
    // Centre at z 0 (the start's level), pieces at z 3: a helix, not a flat arc at z 3.
    GraphicsDatabase db;
    PathBuilder(db, 2, 0, 0).feed(50).line(1.5, 0, 0).arc(kPlaneXY, 0, 0, 0, 1, 0, 90, 3);
    ASSERT_TRUE(explodeArcs(db, toleranceForStep(1, 30.0000001)).ok());
    expectPoints(
        db, {{2, 0, 0}, {1.5, 0, 0}, {1, 0, 0}, onCircle(30, 1), onCircle(60, 2), onCircle(90, 3)});

    // Clockwise helix going down in the XZ plane: Y is the third axis.
    GraphicsDatabase xz;
    PathBuilder(xz, 1, 4, 0).arc(kPlaneXZ, 0, 0, 4, -1, 0, 270, 1);
    ASSERT_TRUE(explodeArcs(xz, toleranceForStep(1, 30.0000001)).ok());
    expectPoints(xz, {{1, 4, 0}, {0.866025, 3, -0.5}, {0.5, 2, -0.866025}, {0, 1, -1}});
}

TEST(ExplodeArcs, FlatArcsInEveryPlane) {
    struct Case {
        std::uint8_t plane;
        Expected start, mid, end;
    };
    // Quarter arcs about (1, 2) in the plane, the third axis at 5, one step of 45 degrees.
    const double s = std::sqrt(0.5);
    const std::vector<Case> cases = {
        {kPlaneXY, {2, 2, 5}, {1 + s, 2 + s, 5}, {1, 3, 5}},
        {kPlaneXZ, {2, 5, 2}, {1 + s, 5, 2 + s}, {1, 5, 3}},
        {kPlaneYZ, {5, 2, 2}, {5, 1 + s, 2 + s}, {5, 1, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.plane));
        GraphicsDatabase db;
        PathBuilder(db, c.start.x, c.start.y, c.start.z).arc(c.plane, 1, 2, 5, 1, 0, 90, 5);
        ASSERT_TRUE(explodeArcs(db, toleranceForStep(1, 45.0000001)).ok());
        expectPoints(db, {c.start, c.mid, c.end});
    }
}

TEST(ExplodeArcs, NoArcsKeepsTheMovesAndRenumbers) {
    GraphicsDatabase db;
    PathBuilder(db, 0, 0, 10).tool(3).rapid(1, 1, 10).feed(200).line(1, 1, 0).stop().line(5, 1, 0);
    db.first()->next->selected = 1;
    const ExplodeResult result = explodeArcs(db, kDefaultExplodeTolerance);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.arcsExploded, 0u);
    EXPECT_EQ(result.recordCount, 4u);
    const auto r = recordsOf(db);
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0]->kind, kKindStartPoint);
    const int motions[] = {0, kMotionRapid, kMotionLinear, kMotionLinear};
    const float feeds[] = {0, 0, 200, 200};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(r[i]->blockNumber, i + 1);
        EXPECT_EQ(r[i]->sequence, i + 1);
        EXPECT_EQ(r[i]->motion, motions[i]);
        EXPECT_EQ(r[i]->feed, feeds[i]);
        EXPECT_EQ(r[i]->plane, 0);
        EXPECT_EQ(r[i]->visible, 1);
        EXPECT_EQ(r[i]->selected, 0);
        EXPECT_EQ(r[i]->optionalStop, i == 2 ? 1 : 0);
        EXPECT_EQ(r[i]->tool, i == 0 ? 0 : 3);
    }
    EXPECT_EQ(r[1]->color, kRapidColor);
    EXPECT_TRUE(db.status.ncLoaded);
}

TEST(ExplodeArcs, ArcFieldsAndSeparateGroups) {
    // Two arcs back to back with the same centre and radius are still two groups.
    GraphicsDatabase db;
    PathBuilder(db, 1, 0, 0)
        .tool(7)
        .feed(80)
        .arc(kPlaneXY, 0, 0, 0, 1, 0, 90, 0)
        .arc(kPlaneXY, 0, 0, 0, 1, 90, 180, 0);
    const ExplodeResult result = explodeArcs(db, 1);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.arcsExploded, 2u);
    expectPoints(db, {{1, 0, 0}, {0, 1, 0}, {-1, 0, 0}});
    for (const MoveRecord* r : recordsOf(db)) {
        if (r == db.first())
            continue;
        EXPECT_EQ(r->motion, kMotionLinear);
        EXPECT_EQ(r->tool, 7);
        EXPECT_EQ(r->feed, 80);
        EXPECT_EQ(r->radius, 0);
        EXPECT_EQ(r->centerX, 0);
        EXPECT_EQ(r->startAngle, 0);
        EXPECT_EQ(r->endAngle, 0);
    }
    EXPECT_FALSE(hasArcs(db));
}

TEST(ExplodeArcs, BlockNumbersWrapAfter32767) {
    GraphicsDatabase db;
    PathBuilder path(db, 0, 0, 0);
    for (int i = 1; i <= 32768; ++i)
        path.line(i, 0, 0);
    ASSERT_TRUE(explodeArcs(db, kDefaultExplodeTolerance).ok());
    auto [last, count] = db.records.lastAndCount();
    EXPECT_EQ(count, 32769u);
    // The start point is block 1, so the 32767th record is the last before the restart.
    EXPECT_EQ(last->blockNumber, 2);
    EXPECT_EQ(last->prev->blockNumber, 1);
    EXPECT_EQ(last->prev->prev->blockNumber, 32767);
    EXPECT_EQ(last->sequence, 32769);
}

int g_chunksLeft = 0;
void* failingAllocator(std::size_t bytes) {
    if (g_chunksLeft-- <= 0)
        return nullptr;
    return ::operator new(bytes);
}

TEST(ExplodeArcs, OutOfMemoryKeepsTheOldPath) {
    for (const int chunks : {0, 1}) {
        GraphicsDatabase db;
        PathBuilder path(db, 1, 0, 0);
        for (int i = 0; i < 200; ++i)
            path.arc(kPlaneXY, 0, 0, 0, 1, 0, 180, 0).arc(kPlaneXY, 0, 0, 0, 1, 180, 0, 0);
        const MoveRecord* head = db.first();
        const auto before = db.records.lastAndCount();
        g_chunksLeft = chunks;
        const ExplodeResult result = explodeArcs(db, 0.0005, nullptr, &failingAllocator);
        EXPECT_EQ(result.status, ExplodeStatus::OutOfMemory);
        EXPECT_EQ(db.first(), head);
        EXPECT_EQ(db.records.lastAndCount(), before);
        EXPECT_TRUE(hasArcs(db));
    }
}

TEST(ExplodeArcs, EmptyDatabaseIsLeftAlone) {
    GraphicsDatabase db;
    EXPECT_EQ(explodeArcs(db, 0.0005).status, ExplodeStatus::NoData);
    EXPECT_FALSE(db.databaseAllocated());
    EXPECT_FALSE(hasArcs(db));
}

TEST(ExplodeArcs, StepAngle) {
    EXPECT_NEAR(explodeStepDegrees(1, 0.0005), 3.62385, 1e-5); // about 100 points a turn
    EXPECT_NEAR(explodeStepDegrees(-1, 1), 180, 1e-9);
    EXPECT_EQ(explodeStepDegrees(1, 2), 360); // twice the radius: one chord
    EXPECT_EQ(explodeStepDegrees(1, 50), 360);
    EXPECT_EQ(explodeStepDegrees(0, 0.0005), 360);
    EXPECT_EQ(explodeStepDegrees(1000, 1e-15), kMinExplodeStepDegrees);
}

TEST(ExplodeArcs, ToleranceAtLeastTwiceTheRadiusGivesOneChord) {
    GraphicsDatabase db;
    PathBuilder(db, 0.1, 0, 0).arc(kPlaneXY, 0, 0, 0, 0.1, 0, 270, 0);
    ASSERT_TRUE(explodeArcs(db, 0.5).ok());
    expectPoints(db, {{0.1, 0, 0}, {0, -0.1, 0}});
}

TEST(ExplodeArcs, ToleranceText) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const std::vector<Case> cases = {
        {"0.0005", true, 0.0005}, {".01", true, 0.01}, {"+2", true, 2},     {"0", false, 0},
        {"-0.001", false, 0},     {"", false, 0},      {"1.2.3", false, 0}, {"abc", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ToleranceInput input = parseExplodeTolerance(c.text);
        EXPECT_EQ(input.ok(), c.ok);
        if (c.ok) {
            EXPECT_DOUBLE_EQ(input.value, c.value);
        }
    }
    EXPECT_EQ(parseExplodeTolerance("1.2.3").problem,
              "Chordal deviation tolerance \"1.2.3\" is not a valid number...");
    EXPECT_EQ(parseExplodeTolerance("-1").problem,
              "Chordal deviation tolerance must be a number greater than 0...");
}

} // namespace
} // namespace korvix::test

namespace korvix::test {
namespace {

// The real reader's arcs: a helical ramp of four quarter turns, an M01 on the line after it.
TEST(ExplodeArcs, ReadProgramHelixAndStop) {
    Workspace ws;
    const std::string file = std::string(KORVIX_TEST_DATA_DIR) + "/helix_ramp.nc";
    ASSERT_TRUE(readNcProgram(ncReadTarget(ws), file, NcReadOptions{}, {}).ok());
    const MoveRecord* lastPiece = nullptr;
    for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next)
        if (isArcPiece(*r))
            lastPiece = r;
    ASSERT_NE(lastPiece, nullptr);
    EXPECT_EQ(lastPiece->optionalStop, 1); // where the reader puts a stop of its own line

    ASSERT_TRUE(explodeArcs(ws.database, 0.01).ok());
    // From the plunge at Z0 to the stop at Z-2 every point lies lower than the one before.
    int stops = 0;
    std::vector<float> ramp;
    for (const MoveRecord* r = ws.database.first()->next; r != nullptr; r = r->next) {
        if (stops == 0 && r->z <= 0)
            ramp.push_back(r->z);
        stops += r->optionalStop;
        if (r->optionalStop) {
            EXPECT_FLOAT_EQ(r->x, 10);
            EXPECT_NEAR(r->y, 0, 1e-5);
            EXPECT_FLOAT_EQ(r->z, -2);
        }
    }
    ASSERT_GT(ramp.size(), 20u);
    EXPECT_EQ(ramp.front(), 0);
    EXPECT_EQ(ramp.back(), -2);
    for (std::size_t i = 1; i < ramp.size(); ++i)
        EXPECT_LT(ramp[i], ramp[i - 1]) << i;
    EXPECT_EQ(stops, 1);
}

} // namespace
} // namespace korvix::test
