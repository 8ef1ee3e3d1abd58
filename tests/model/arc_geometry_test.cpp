#include "model/arc_geometry.h"
#include "model/path_builder.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180;

Point3 onUnitCircle(double angle, double z) {
    return {std::cos(angle * kDeg), std::sin(angle * kDeg), z};
}

struct Emitted {
    std::vector<Point3> points;
    std::vector<bool> ends;
};

Emitted chordPoints(const MoveRecord* firstPiece, double step) {
    Emitted out;
    const bool all =
        forEachArcChordPoint(arcGroupAt(firstPiece), step, [&](const Point3& p, bool end) {
            out.points.push_back(p);
            out.ends.push_back(end);
            return true;
        });
    EXPECT_TRUE(all);
    return out;
}

const MoveRecord* firstArcPiece(const GraphicsDatabase& db) {
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next)
        if (isArcPiece(*r))
            return r;
    ADD_FAILURE() << "no arc";
    return nullptr;
}

// A quarter of the unit circle from 0 to 90 degrees in three pieces, reached from `before`
// and ending at `end` (its last piece moved there), walked in 30 degree chords.
TEST(ArcChordPoints, FromWhereTheToolStandsToTheLastPiece) {
    struct Case {
        const char* name;
        Point3 before, end;
        double step;
        std::vector<Point3> expected;
    };
    const Point3 circleEnd = onUnitCircle(90, 0);
    const std::vector<Case> cases = {
        {"on the circle",
         {1, 0, 0},
         circleEnd,
         30,
         {onUnitCircle(30, 0), onUnitCircle(60, 0), circleEnd}},
        // Third axis by angle between the two ends, whatever the centre says (it says 7).
        {"helix",
         {1, 0, -3},
         {0, 1, 0},
         30,
         {onUnitCircle(30, -2), onUnitCircle(60, -1), {0, 1, 0}}},
        // Off the circle at the start: a straight move to the circle first.
        {"start inside the circle",
         {0.9, 0, 0},
         circleEnd,
         30,
         {{1, 0, 0}, onUnitCircle(30, 0), onUnitCircle(60, 0), circleEnd}},
        // Off the circle at the end: the circle's end point, then a straight move.
        {"end inside the circle",
         {1, 0, 0},
         {0, 0.9, 0},
         30,
         {onUnitCircle(30, 0), onUnitCircle(60, 0), circleEnd, {0, 0.9, 0}}},
        // Within the motion tolerance of the circle: no extra point.
        {"start a hair off",
         {1.0001, 0, 0},
         circleEnd,
         30,
         {onUnitCircle(30, 0), onUnitCircle(60, 0), circleEnd}},
        {"no usable step", {1, 0, 0}, circleEnd, 0, {circleEnd}},
        {"step beyond the sweep", {1, 0, 0}, circleEnd, 360, {circleEnd}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GraphicsDatabase db;
        PathBuilder(db, c.before.x, c.before.y, c.before.z).arc(kPlaneXY, 0, 0, 7, 1, 0, 90, 0);
        db.records.lastAndCount().first->x = static_cast<float>(c.end.x);
        db.records.lastAndCount().first->y = static_cast<float>(c.end.y);
        db.records.lastAndCount().first->z = static_cast<float>(c.end.z);
        const Emitted got = chordPoints(firstArcPiece(db), c.step);
        ASSERT_EQ(got.points.size(), c.expected.size());
        for (std::size_t i = 0; i < got.points.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_NEAR(got.points[i].x, c.expected[i].x, 1e-6);
            EXPECT_NEAR(got.points[i].y, c.expected[i].y, 1e-6);
            EXPECT_NEAR(got.points[i].z, c.expected[i].z, 1e-6);
            EXPECT_EQ(got.ends[i], i + 1 == got.points.size());
        }
    }
}

TEST(ArcChordPoints, ABrokenAngleGivesNoPointsBetween) {
    GraphicsDatabase db;
    PathBuilder(db, 1, 0, 0).arc(kPlaneXY, 0, 0, 0, 1, 0, 90, 0);
    for (MoveRecord* r = db.first()->next; r != nullptr; r = r->next)
        r->startAngle = std::numeric_limits<float>::quiet_NaN();
    const Emitted got = chordPoints(firstArcPiece(db), 30);
    ASSERT_FALSE(got.points.empty());
    EXPECT_NEAR(got.points.back().y, 1, 1e-6);
    for (const Point3& p : got.points)
        EXPECT_FALSE(std::isnan(p.x) || std::isnan(p.y) || std::isnan(p.z));
}

TEST(ArcGroup, AnyPieceGivesTheWholeGroupAndItsEnds) {
    // Two arcs about the same centre back to back are two groups; an M01 on the first one's
    // middle piece belongs to the whole arc.
    GraphicsDatabase db;
    PathBuilder(db, 1, 0, 2)
        .arc(kPlaneXY, 0, 0, 99, 1, 0, 90, -1, 3)
        .arc(kPlaneXY, 0, 0, 99, 1, 90, 180, -1, 3);
    const MoveRecord* first = db.first()->next;
    MoveRecord* middle = first->next;
    middle->optionalStop = 1;
    const MoveRecord* last = middle->next;
    for (const MoveRecord* piece : {first, static_cast<const MoveRecord*>(middle), last}) {
        const ArcGroup arc = arcGroupOf(*piece);
        EXPECT_EQ(arc.first, first);
        EXPECT_EQ(arc.last, last);
        EXPECT_TRUE(arc.optionalStop);
        const Point3 start = arcStartPoint(arc);
        EXPECT_EQ(start.z, 2); // where the tool stood, not the centre's 99
        EXPECT_EQ(arcEndPoint(arc).z, -1);
        EXPECT_TRUE(isHelical(arc));
    }
    const ArcGroup second = arcGroupAt(last->next);
    EXPECT_EQ(second.first, last->next);
    EXPECT_EQ(second.last->next, nullptr);
    EXPECT_FALSE(second.optionalStop);
    EXPECT_FALSE(isHelical(second));
    EXPECT_NEAR(arcStartPoint(second).y, 1, 1e-6);
}

} // namespace
} // namespace korvix::test
