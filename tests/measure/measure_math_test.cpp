#include "measure/measure_math.h"
#include "measure/vector3.h"

#include <cmath>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

void expectPoint(const Point3& actual, const Point3& expected, double tolerance,
                 const std::string& what) {
    EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
    EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
    EXPECT_NEAR(actual.z, expected.z, tolerance) << what;
}

TEST(MeasureAngle, RightAngleInTheXYPlane) {
    const AngleMeasurement m = measureAngle({0, 0, 0}, {1, 0, 0}, {1, 1, 0});
    EXPECT_NEAR(m.angle, 90, 1e-12);
    ASSERT_TRUE(m.normal);
    expectPoint(*m.normal, {0, 0, 1}, 1e-15, "normal");
    ASSERT_TRUE(m.normalAngles);
    EXPECT_NEAR(m.normalAngles->fromX, 90, 1e-12);
    EXPECT_NEAR(m.normalAngles->fromY, 90, 1e-12);
    EXPECT_NEAR(m.normalAngles->fromZ, 0, 1e-12);
    // Flattened onto XZ and YZ, two of the points fall together: no angle, so 180.
    EXPECT_NEAR(m.planeAngles[0], 90, 1e-12);
    EXPECT_EQ(m.planeAngles[1], 180);
    EXPECT_EQ(m.planeAngles[2], 180);
}

TEST(MeasureAngle, AngleAtTheMiddlePoint) {
    const double h = std::sqrt(3.0) / 2;
    const struct {
        Point3 p1, p2, p3;
        double angle;
        const char* what;
    } cases[] = {
        {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, 90, "right angle"},
        {{0, 0, 0}, {1, 0, 0}, {0.5, h, 0}, 60, "equilateral"},
        {{1, 0, 0}, {0, 0, 0}, {1, 0, 1}, 45, "in space"},
        {{3, 1, 4}, {0, 0, 0}, {-3, -1, -4}, 180, "straight through the vertex"},
        // The angle at point 3 is obtuse (135 degrees): the answer is still the vertex angle.
        {{0, 0, 0}, {2, 1, 0}, {1, 0, 0}, std::atan(1.0 / 3.0) * kRadToDeg, "obtuse at p3"},
        {{0, 0, 0}, {2, 0, 0}, {1, 0, 0}, 0, "both legs the same way"},
        {{1, 2, 3}, {1, 2, 3}, {4, 5, 6}, 180, "p1 = p2"},
        {{1, 2, 3}, {4, 5, 6}, {4, 5, 6}, 180, "p2 = p3"},
        {{1, 2, 3}, {4, 5, 6}, {1, 2, 3}, 180, "p1 = p3"},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(angleAtVertex(c.p1, c.p2, c.p3), c.angle, 1e-9) << c.what;
}

TEST(PlaneNormal, NoPlaneThroughCollinearOrCoincidentPoints) {
    const Point3 a{0, 0, 0}, b{1, 1, 1}, c{2, 2, 2};
    const struct {
        Point3 p1, p2, p3;
        const char* what;
    } cases[] = {
        {a, b, c, "p2 in the middle"}, {a, c, b, "p3 in the middle"}, {b, a, c, "p1 in the middle"},
        {a, a, c, "p1 = p2"},          {a, c, c, "p2 = p3"},          {a, a, a, "all one point"},
    };
    for (const auto& k : cases) {
        EXPECT_FALSE(planeNormal(k.p1, k.p2, k.p3)) << k.what;
        const AngleMeasurement m = measureAngle(k.p1, k.p2, k.p3);
        EXPECT_FALSE(m.normal) << k.what;
        EXPECT_FALSE(m.normalAngles) << k.what;
    }
    // A very flat triangle is still a plane.
    EXPECT_TRUE(planeNormal({0, 0, 0}, {1, 0, 0}, {2, 1e-6, 0}));
}

TEST(PlaneNormal, RightHandedAndRoundingSafe) {
    expectPoint(*planeNormal({0, 0, 0}, {0, 1, 0}, {1, 0, 0}), {0, 0, -1}, 1e-15, "clockwise");
    // A component a hair above 1 from rounding still has an angle, not NaN.
    EXPECT_EQ(axisAngles({1.0000000000000002, 0, 0}).fromX, 0);
}

TEST(MeasureLine, DeltasDistancesAnglesAndMidPoint) {
    const LineMeasurement m = measureLine({1, 1, 1}, {4, 5, 13});
    expectPoint(m.delta, {3, 4, 12}, 0, "delta");
    EXPECT_DOUBLE_EQ(m.distance, 13);
    ASSERT_TRUE(m.vector);
    expectPoint(*m.vector, {3.0 / 13, 4.0 / 13, 12.0 / 13}, 1e-15, "vector");
    expectPoint(m.midPoint, {2.5, 3, 7}, 0, "mid");
    const double distances[] = {5, std::sqrt(153.0), std::sqrt(160.0)};
    const double angles[] = {std::atan(4.0 / 3) * kRadToDeg, std::atan(12.0 / 3) * kRadToDeg,
                             std::atan(12.0 / 4) * kRadToDeg};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(m.planes[i].distance, distances[i], 1e-12) << i;
        ASSERT_TRUE(m.planes[i].angle) << i;
        EXPECT_NEAR(*m.planes[i].angle, angles[i], 1e-12) << i;
    }
}

TEST(MeasureLine, NoDirectionWithoutLength) {
    const LineMeasurement same = measureLine({2, 3, 4}, {2, 3, 4});
    EXPECT_EQ(same.distance, 0);
    EXPECT_FALSE(same.vector);
    for (const PlaneDelta& d : same.planes) {
        EXPECT_EQ(d.distance, 0);
        EXPECT_FALSE(d.angle);
    }
    expectPoint(same.midPoint, {2, 3, 4}, 0, "mid");

    // A plunge is a point in the XY plane but has its direction in the other two.
    const LineMeasurement plunge = measureLine({1, 1, 5}, {1, 1, 0});
    EXPECT_FALSE(plunge.planes[0].angle);
    EXPECT_NEAR(*plunge.planes[1].angle, 270, 1e-12);
    EXPECT_NEAR(*plunge.planes[2].angle, 270, 1e-12);
    EXPECT_TRUE(plunge.vector);
}

// Points of a known circle: centre + r (cos t u + sin t v) for orthonormal u, v.
Point3 onCircle(const Point3& centre, double r, const Point3& u, const Point3& v, double deg) {
    const double t = deg / kRadToDeg;
    return v3::add(centre, v3::add(v3::mul(u, r * std::cos(t)), v3::mul(v, r * std::sin(t))));
}

TEST(CircleThroughPoints, FindsKnownCircles) {
    const double s2 = 1 / std::sqrt(2.0), s6 = 1 / std::sqrt(6.0);
    const struct {
        Point3 centre;
        double radius;
        Point3 u, v;
        double a1, a2, a3;
        const char* what;
    } cases[] = {
        {{0, 0, 0}, 1, {1, 0, 0}, {0, 1, 0}, 0, 90, 180, "unit circle in XY"},
        {{10, -4, 2}, 2.5, {0, 1, 0}, {0, 0, 1}, 30, 60, 200, "upright in YZ"},
        {{3, -2, 5}, 7, {s2, s2, 0}, {-s6, s6, 2 * s6}, 10, 100, 250, "tilted"},
        {{3, -2, 5}, 7, {s2, s2, 0}, {-s6, s6, 2 * s6}, 250, 100, 10, "tilted, clockwise"},
        {{-50, 20, 0}, 0.01, {s2, 0, s2}, {0, 1, 0}, 0, 5, 10, "small and short"},
    };
    for (const auto& c : cases) {
        const Point3 p1 = onCircle(c.centre, c.radius, c.u, c.v, c.a1);
        const Point3 p2 = onCircle(c.centre, c.radius, c.u, c.v, c.a2);
        const Point3 p3 = onCircle(c.centre, c.radius, c.u, c.v, c.a3);
        const std::optional<CircleMeasurement> m = circleThroughPoints(p1, p2, p3);
        ASSERT_TRUE(m) << c.what;
        expectPoint(m->centre, c.centre, 1e-9, c.what);
        EXPECT_NEAR(m->radius, c.radius, 1e-9) << c.what;
        EXPECT_DOUBLE_EQ(m->diameter, 2 * m->radius) << c.what;
        const Point3 w = v3::cross(c.u, c.v);
        const double sense = c.a3 > c.a1 ? 1 : -1;
        expectPoint(m->normal, v3::mul(w, sense), 1e-9, c.what);
    }
}

TEST(ArcThroughPoints, RunsFromTheFirstPointThroughTheSecondToTheThird) {
    const Point3 centre{1, 2, 3};
    const Point3 u{1, 0, 0}, v{0, 0, 1};
    // 0 -> 300 -> 90 degrees: the long way round (270 degrees) through point 2.
    const Point3 p1 = onCircle(centre, 4, u, v, 0);
    const Point3 p2 = onCircle(centre, 4, u, v, 300);
    const Point3 p3 = onCircle(centre, 4, u, v, 90);
    const CircleMeasurement circle = *circleThroughPoints(p1, p2, p3);
    const std::vector<Point3> arc = arcThroughPoints(circle, p1, p2, p3, 2.0);
    // 270 degrees in 2-degree pieces (one more when rounding tips the count over).
    ASSERT_GE(arc.size(), 136u);
    ASSERT_LE(arc.size(), 137u);
    expectPoint(arc.front(), p1, 0, "start");
    expectPoint(arc.back(), p3, 0, "end");
    double nearest = 1e9;
    for (const Point3& p : arc) {
        EXPECT_NEAR(distance3D(p, centre), 4, 1e-9);
        nearest = std::min(nearest, distance3D(p, p2));
    }
    // Within half a 2-degree chord of point 2.
    EXPECT_LT(nearest, 4 * 2 / kRadToDeg / 2 + 1e-9);
}

} // namespace
} // namespace korvix::test
