#include "editing/trim_driver.h"
#include "editing/trim_test_support.h"
#include "model/path_builder.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace korvix::test {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180;

// The cut records of a trimmed path that lies wholly inside its window: everything after the
// first traverse and plunge.
std::vector<Point3> cutPoints(const GraphicsDatabase& db) {
    std::vector<Point3> points;
    const auto records = trimRecords(db);
    for (std::size_t i = 3; i < records.size(); ++i)
        points.push_back({records[i]->x, records[i]->y, records[i]->z});
    return points;
}

TEST(TrimArcs, ChordsStayWithinToleranceAndFollowTheArcsDirection) {
    struct Case {
        const char* name;
        double radius, start, end;
        double tolerance;
    };
    const std::vector<Case> cases = {
        {"ccw", 10, 10, 170, 0.01},
        // Clockwise over the top: the walk must not take the lower half.
        {"cw", -10, 170, 10, 0.01},
        {"ccw through 0", 4, 300, 60, 0.001},
        {"cw through 0", -4, 60, 300, 0.001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double r = std::fabs(c.radius);
        GraphicsDatabase db;
        PathBuilder(db, r * std::cos(c.start * kDeg), r * std::sin(c.start * kDeg), 0)
            .feed(100)
            .arc(kPlaneXY, 0, 0, 0, c.radius, c.start, c.end, 0, 4);
        TrimParameters p = trimParameters(-20, -20, 20, 20);
        p.arcTolerance = c.tolerance;
        ASSERT_TRUE(planTrim(db, p, boxRegion(p)).ok());

        // The cut starts where the tool stood: the plunge target is the arc's start.
        const auto records = trimRecords(db);
        EXPECT_NEAR(records[2]->x, r * std::cos(c.start * kDeg), 1e-4);
        std::vector<Point3> points = cutPoints(db);
        points.insert(points.begin(), {records[2]->x, records[2]->y, records[2]->z});
        const double step = 2 * std::acos((r - c.tolerance) / r) / kDeg;
        double sweep = c.radius > 0 ? c.end - c.start : c.start - c.end;
        if (sweep < 0)
            sweep += 360;
        EXPECT_EQ(points.size(), static_cast<std::size_t>(std::ceil(sweep / step)) + 1);
        double travelled = 0;
        for (std::size_t i = 1; i < points.size(); ++i) {
            SCOPED_TRACE(i);
            const Point3& a = points[i - 1];
            const Point3& b = points[i];
            EXPECT_NEAR(std::hypot(b.x, b.y), r, 1e-4);
            const double sagitta = r - std::hypot((a.x + b.x) / 2, (a.y + b.y) / 2);
            EXPECT_LE(sagitta, c.tolerance + 1e-5);
            // Each chord turns the arc's way by at most one step.
            const double turn = std::atan2(a.x * b.y - a.y * b.x, a.x * b.x + a.y * b.y) / kDeg;
            EXPECT_GT(c.radius > 0 ? turn : -turn, 0);
            EXPECT_LE(std::fabs(turn), step + 1e-3);
            travelled += std::fabs(turn);
        }
        EXPECT_NEAR(travelled, sweep, 1e-3);
        EXPECT_NEAR(points.back().x, r * std::cos(c.end * kDeg), 1e-4);
        EXPECT_NEAR(points.back().y, r * std::sin(c.end * kDeg), 1e-4);
    }
}

TEST(TrimArcs, HelixClimbsByAngleFromWhereTheToolStood) {
    GraphicsDatabase db;
    // The centre's third coordinate says 99; the helix runs from Z 0 (the tool) to -4.
    PathBuilder(db, 10, 0, 0).feed(100).arc(kPlaneXY, 0, 0, 99, 10, 0, 180, -4, 3);
    TrimParameters p = trimParameters(-20, -20, 20, 20);
    p.arcTolerance = 0.05;
    ASSERT_TRUE(planTrim(db, p, boxRegion(p)).ok());
    const std::vector<Point3> points = cutPoints(db);
    ASSERT_GT(points.size(), 5u);
    for (const Point3& q : points) {
        const double angle = std::atan2(q.y, q.x) / kDeg;
        EXPECT_NEAR(q.z, -4 * angle / 180, 1e-4) << angle;
    }
    EXPECT_NEAR(points.back().x, -10, 1e-4);
    EXPECT_NEAR(points.back().z, -4, 1e-6);
}

TEST(TrimArcs, ArcInTheXZPlaneKeepsItsYAndGapsAreClippedStraight) {
    GraphicsDatabase db;
    // The tool stands 2 beyond the arc's start: a straight move reaches it first.
    PathBuilder(db, 12, 3, 0).feed(100).arc(kPlaneXZ, 0, 0, 3, 10, 0, 90, 3, 2);
    TrimParameters p = trimParameters(-20, -20, 20, 20);
    p.arcTolerance = 0.01;
    ASSERT_TRUE(planTrim(db, p, boxRegion(p)).ok());
    const std::vector<Point3> points = cutPoints(db);
    ASSERT_GT(points.size(), 3u);
    EXPECT_NEAR(points[0].x, 10, 1e-5);
    EXPECT_NEAR(points[0].z, 0, 1e-5);
    for (const Point3& q : points) {
        EXPECT_NEAR(std::hypot(q.x, q.z), 10, 1e-4);
        EXPECT_NEAR(q.y, 3, 1e-6);
    }
    EXPECT_NEAR(points.back().z, 10, 1e-5);
}

ViewState viewWithAngles(double a, double b, double c) {
    ViewState view;
    setAngles(view, a, b, c);
    return view;
}

TEST(TrimViews, XZViewTrimsInXAndZAndSettlesLinksInWorldZ) {
    const ViewState xz = viewWithAngles(90, 0, 0);
    for (const bool relative : {false, true}) {
        SCOPED_TRACE(relative ? "relative" : "absolute");
        GraphicsDatabase db;
        PathBuilder(db, -2, 0, 5)
            .feed(100)
            .line(-2, 0, -1)
            .line(10, 0, -1)
            // Above the window's Z range: trimmed away although its X lies inside.
            .line(10, 0, 1)
            .line(4, 0, 1);
        // The window is X 0..6 by Z -2..0 in the drawing units of the XZ view.
        TrimParameters p = trimParameters(0, -2, 6, 0);
        p.absoluteSecondaryPlane = !relative;
        p.secondaryPlane = relative ? 0.1 : 10;
        NullReporter reporter;
        MessagePump pump;
        ASSERT_TRUE(trimToolpath(db, p, boxRegion(p), xz, reporter, pump).ok());
        // The start is the window centre seen in the view, lifted to the primary plane.
        EXPECT_NEAR(db.first()->x, 3, 1e-5);
        EXPECT_NEAR(db.first()->y, 0, 1e-5);
        EXPECT_NEAR(db.first()->z, 10, 1e-5);
        expectMoves(db, {rapidAt(0, 0, 10), plungeTo(0, 0, -1), cutTo(6, 0, -1, 100),
                         rapidAt(6, 0, relative ? -0.9 : 10)});
    }
}

TEST(TrimViews, IsometricRoundTripKeepsTheCuts) {
    const ViewState iso = viewWithAngles(45, -35, 30);
    GraphicsDatabase db;
    PathBuilder(db, 1, 2, 3).feed(100).line(1, 2, -1).line(5.5, -3.25, -1).rapid(7, 8, 2);
    // Everything lies inside: rotated into the view and back, the cuts come out unchanged.
    TrimParameters p = trimParameters(-100, -100, 100, 100);
    NullReporter reporter;
    MessagePump pump;
    ASSERT_TRUE(trimToolpath(db, p, boxRegion(p), iso, reporter, pump).ok());
    expectMoves(db,
                {rapidAt(1, 2, 10),
                 plungeTo(1, 2, 3),
                 cutTo(1, 2, -1, 100),
                 cutTo(5.5, -3.25, -1, 100),
                 {7, 8, 2, kMotionRapid, 100, kRapidColor}},
                1e-5);
}

} // namespace
} // namespace korvix::test
