#include "model/geometry.h"

#include <gtest/gtest.h>
#include <vector>

namespace korvix {
namespace {

TEST(AngleAndDistance, QuadrantsAndAxes) {
    struct Case {
        double dx, dy, angle, distance;
    };
    const Case cases[] = {
        {1, 1, 45, 1.4142135623730951},
        {-1, 1, 135, 1.4142135623730951},
        {-1, -1, 225, 1.4142135623730951},
        {1, -1, 315, 1.4142135623730951},
        {0, 1, 90, 1},
        {0, -1, 270, 1},
        {0, 0, 90, 0},
        {-2, 0, 180, 2},
        {3, 0, 0, 3},
        {3, 4, 53.13010235415598, 5},
    };
    for (const Case& c : cases) {
        const AngleDistance r = angleAndDistance(10, 20, 10 + c.dx, 20 + c.dy);
        EXPECT_NEAR(r.angle, c.angle, 1e-9) << c.dx << "," << c.dy;
        EXPECT_NEAR(r.distance, c.distance, 1e-12);
        EXPECT_GE(r.angle, 0.0);
        EXPECT_LT(r.angle, 360.0);
    }
}

TEST(PolarPoint, UsesTheRoundedDegreeFactor) {
    const Point2 p = polarPoint(2, 90, 1, 1);
    EXPECT_NEAR(p.x, 1.0, 1e-9);
    EXPECT_NEAR(p.y, 3.0, 1e-12);
    // 0.01745329252 is a little above pi/180, so the point is a hair past the exact one.
    const Point2 q = polarPoint(1e6, 180, 0, 0);
    EXPECT_NE(q.y, 0.0);
}

TEST(CuttingTime, FeedZeroCountsAsOne) {
    double time = 0;
    addCuttingTime(time, 0, 3);
    EXPECT_DOUBLE_EQ(time, 3);
    addCuttingTime(time, 250, 500);
    EXPECT_DOUBLE_EQ(time, 5);
    EXPECT_DOUBLE_EQ(distance3D({0, 0, 0}, {2, 3, 6}), 7);
}

TEST(ArcLength, CandidatesFollowTheRadiusSign) {
    const Point2 c{0, 0};
    // Quarter circle counter-clockwise from 0 to 90 degrees, radius 2.
    EXPECT_NEAR(arcLength(c, {2, 0}, {0, 2}, 2), kPi, 1e-12);
    // The same points clockwise would be 270 degrees: no candidate fits.
    EXPECT_EQ(arcLength(c, {2, 0}, {0, 2}, -2), 0.0);
    // Clockwise from 90 to 0.
    EXPECT_NEAR(arcLength(c, {0, 2}, {2, 0}, -2), kPi, 1e-12);
    // Across the 0/360 seam: 350 -> 10 counter-clockwise is 20 degrees (start - 360 tried).
    const Point2 s = polarPoint(1, 350, 0, 0);
    const Point2 e = polarPoint(1, 10, 0, 0);
    EXPECT_NEAR(arcLength(c, s, e, 1), kPi * 20 / 180, 1e-6);
    // 10 -> 350 clockwise: start + 360 tried.
    EXPECT_NEAR(arcLength(c, e, s, -1), kPi * 20 / 180, 1e-6);
    // Radius 0 counts as positive; a half circle exactly has no candidate.
    EXPECT_EQ(arcLength(c, {1, 0}, {-1, 0}, 1), 0.0);
    EXPECT_EQ(arcLength(c, {1, 0}, {0, 1}, 0), 0.0);
}

TEST(Orientation, ThreeResults) {
    EXPECT_EQ(orientation({1, 0}, {0, 1}, {0, 0}), kOrientationPositive);
    EXPECT_EQ(orientation({0, 1}, {1, 0}, {0, 0}), kOrientationNegative);
    EXPECT_EQ(orientation({1, 1}, {2, 2}, {0, 0}), kOrientationZero);
    EXPECT_EQ(minOf(1, 1), 1);
    EXPECT_EQ(maxOf(2, 1), 2);
}

TEST(SegmentIntersection, BoundedAndUnbounded) {
    auto hit = segmentIntersection({0, 0}, {2, 2}, {0, 2}, {2, 0}, true);
    ASSERT_TRUE(hit);
    EXPECT_DOUBLE_EQ(hit->x, 1);
    EXPECT_DOUBLE_EQ(hit->y, 1);
    // Lines cross beyond the segments: only the unbounded form finds it.
    EXPECT_FALSE(segmentIntersection({0, 0}, {1, 1}, {0, 4}, {1, 3}, true));
    hit = segmentIntersection({0, 0}, {1, 1}, {0, 4}, {1, 3}, false);
    ASSERT_TRUE(hit);
    EXPECT_DOUBLE_EQ(hit->x, 2);
    // Touching an end point counts (parameter exactly 0 or 1).
    EXPECT_TRUE(segmentIntersection({0, 0}, {1, 0}, {1, -1}, {1, 1}, true));
    // Parallel and collinear lines never intersect.
    EXPECT_FALSE(segmentIntersection({0, 0}, {1, 0}, {0, 1}, {1, 1}, false));
    EXPECT_FALSE(segmentIntersection({0, 0}, {1, 0}, {2, 0}, {3, 0}, false));
}

TEST(PointInPolygon, EvenOddWithEdgeRules) {
    const std::vector<Point2> square = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    EXPECT_TRUE(pointInPolygon({2, 2}, square));
    EXPECT_FALSE(pointInPolygon({5, 2}, square));
    EXPECT_FALSE(pointInPolygon({-1, 2}, square));
    EXPECT_FALSE(pointInPolygon({2, 5}, square));
    // A concave U: the notch is outside.
    const std::vector<Point2> u = {{0, 0}, {6, 0}, {6, 6}, {4, 6}, {4, 2}, {2, 2}, {2, 6}, {0, 6}};
    EXPECT_TRUE(pointInPolygon({1, 4}, u));
    EXPECT_FALSE(pointInPolygon({3, 4}, u));
    EXPECT_TRUE(pointInPolygon({5, 4}, u));
    // A ray through a vertex is counted once (half-open in y).
    const std::vector<Point2> diamond = {{2, 0}, {4, 2}, {2, 4}, {0, 2}};
    EXPECT_TRUE(pointInPolygon({1, 2}, diamond));
    EXPECT_FALSE(pointInPolygon({-1, 2}, diamond));
    EXPECT_FALSE(pointInPolygon({1, 1}, std::vector<Point2>{}));
}

} // namespace
} // namespace korvix
