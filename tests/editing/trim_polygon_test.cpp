#include "editing/trim_clip.h"
#include "editing/trim_driver.h"
#include "editing/trim_test_support.h"
#include "model/path_builder.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace korvix::test {
namespace {

// A U: the notch between x 3 and 6 is open from y 3 upwards.
const std::vector<Point2> kU = {{0, 0}, {9, 0}, {9, 9}, {6, 9}, {6, 3}, {3, 3}, {3, 9}, {0, 9}};
const std::vector<Point2> kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
const std::vector<Point2> kDiamond = {{5, 0}, {10, 5}, {5, 10}, {0, 5}};

TrimRegion polygonRegion(const std::vector<Point2>& vertices) {
    TrimRegion region;
    region.polygon = true;
    region.vertices = vertices;
    return region;
}

// The pieces of one segment as (start x, end x, inside).
struct Span {
    double from, to;
    bool inside;
};
std::vector<Span> spans(const std::vector<Point2>& polygon, Point3 a, Point3 b) {
    PolygonClipper clipper(polygon, &defaultChunkAllocator);
    std::span<const ClipPiece> pieces;
    EXPECT_TRUE(clipper.clip(a, b, pieces));
    std::vector<Span> out;
    for (const ClipPiece& piece : pieces)
        out.push_back({piece.a.x, piece.b.x, piece.inside});
    return out;
}

void expectSpans(const std::vector<Span>& got, const std::vector<Span>& expected) {
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(got[i].from, expected[i].from, 1e-5);
        EXPECT_NEAR(got[i].to, expected[i].to, 1e-5);
        EXPECT_EQ(got[i].inside, expected[i].inside);
    }
}

TEST(TrimPolygon, CrossingsAreWalkedInOrderOfDistance) {
    // The U's edges meet the line y = 6 in the order x = 9, 6, 3, 0 of the vertex list.
    expectSpans(spans(kU, {-2, 6, 0}, {11, 6, 0}),
                {{-2, 0, false}, {0, 3, true}, {3, 6, false}, {6, 9, true}, {9, 11, false}});
    // Walked the other way, from the far end.
    expectSpans(spans(kU, {11, 6, 0}, {-2, 6, 0}),
                {{11, 9, false}, {9, 6, true}, {6, 3, false}, {3, 0, true}, {0, -2, false}});
    // Below the notch the U is one stretch.
    expectSpans(spans(kU, {-2, 1, 0}, {11, 1, 0}), {{-2, 0, false}, {0, 9, true}, {9, 11, false}});
}

TEST(TrimPolygon, SegmentsThroughVertices) {
    // Through two vertices of the diamond, each shared by two edges: one switch at each.
    expectSpans(spans(kDiamond, {-2, 5, 0}, {12, 5, 0}),
                {{-2, 0, false}, {0, 10, true}, {10, 12, false}});
    // Touching the square's corner from outside: no switch at all.
    expectSpans(spans(kSquare, {-5, 5, 0}, {5, 15, 0}), {{-5, 5, false}});
    // Starting exactly on a vertex and going in.
    expectSpans(spans(kDiamond, {0, 5, 0}, {5, 5, 0}), {{0, 5, true}});
    // Far from the polygon, and a plunge inside it.
    expectSpans(spans(kSquare, {20, 20, 0}, {30, 20, 0}), {{20, 30, false}});
    expectSpans(spans(kSquare, {5, 5, 0}, {5, 5, -3}), {{5, 5, true}});
}

TEST(TrimPolygon, BandedInsideTestAgreesWithPointInPolygon) {
    std::vector<Point2> star;
    for (int i = 0; i < 250; ++i) {
        const double a = 2 * kPi * i / 250;
        const double r = i % 2 == 0 ? 10 : 4 + (i % 7);
        star.push_back({r * std::cos(a), r * std::sin(a)});
    }
    for (const std::vector<Point2>* polygon :
         std::vector<const std::vector<Point2>*>{&kU, &kSquare, &kDiamond, &star}) {
        const PolygonClipper clipper(*polygon, &defaultChunkAllocator);
        int inside = 0;
        // A grid that also hits vertices and horizontal edges exactly.
        for (double x = -11; x <= 11; x += 0.25)
            for (double y = -11; y <= 11; y += 0.25) {
                const bool expected = pointInPolygon({x, y}, *polygon);
                ASSERT_EQ(clipper.contains(x, y), expected) << x << ", " << y;
                inside += expected;
            }
        EXPECT_GT(inside, 100);
    }
}

TEST(TrimPolygon, KeepOutsideOnAConcavePolygon) {
    GraphicsDatabase db;
    PathBuilder(db, -2, 6, 0).feed(100).line(11, 6, -1.3);
    TrimParameters p = trimParameters(0, 0, 0, 0);
    p.keepInside = false;
    ASSERT_TRUE(planTrim(db, p, polygonRegion(kU)).ok());
    const auto z = [](double x) { return -1.3 * (x + 2) / 13; };
    expectMoves(db,
                {cutTo(0, 6, z(0), 100), rapidAt(0, 6, 10), rapidAt(3, 6, 10), plungeTo(3, 6, z(3)),
                 cutTo(6, 6, z(6), 100), rapidAt(6, 6, 10), rapidAt(9, 6, 10), plungeTo(9, 6, z(9)),
                 cutTo(11, 6, -1.3, 100)},
                1e-5);
}

TEST(TrimPolygon, KeepInsideOnAConcavePolygonStartsWhereThePathDid) {
    GraphicsDatabase db;
    PathBuilder(db, -2, 6, 0).feed(100).line(11, 6, 0);
    TrimParameters p = trimParameters(0, 0, 0, 0);
    ASSERT_TRUE(planTrim(db, p, polygonRegion(kU)).ok());
    EXPECT_EQ(db.first()->x, -2);
    expectMoves(db, {rapidAt(0, 6, 10), plungeTo(0, 6, 0), cutTo(3, 6, 0, 100), rapidAt(3, 6, 10),
                     rapidAt(6, 6, 10), plungeTo(6, 6, 0), cutTo(9, 6, 0, 100), rapidAt(9, 6, 10)});
}

TEST(TrimPolygon, The251stVertexIsIgnored) {
    TrimPolygon polygon;
    // A square whose top edge carries many vertices, 250 in all.
    std::vector<Point2> points = {{0, 0}, {10, 0}, {10, 10}};
    for (int k = 1; k <= 246; ++k)
        points.push_back({10 - 10.0 * k / 246, 10});
    points.push_back({0, 5});
    ASSERT_EQ(points.size(), 250u);
    for (const Point2& v : points)
        ASSERT_TRUE(polygon.add(static_cast<float>(v.x), static_cast<float>(v.y)));
    // This one would add a spike that holds the path's start.
    EXPECT_FALSE(polygon.add(-50, 5));
    EXPECT_EQ(polygon.count, 250);

    GraphicsDatabase db;
    PathBuilder(db, -20, 4, 5).feed(100).line(-20, 4, 0).line(5, 4, 0);
    TrimDialogFields fields;
    TrimInvocation invocation;
    invocation.polygon = true;
    RecordingReporter reporter;
    ASSERT_TRUE(prepareTrimDialog(db, fields, invocation, reporter));
    MessagePump pump;
    const ViewState view;
    ASSERT_TRUE(runTrim(db, fields, invocation, polygon, view, reporter, pump).ok());
    EXPECT_EQ(polygon.count, 0);
    // Both planes default to the highest Z of the path, 5; the path enters at x = 0.
    expectMoves(db, {rapidAt(0, 4, 5), plungeTo(0, 4, 0), cutTo(5, 4, 0, 100)});
}

} // namespace
} // namespace korvix::test
