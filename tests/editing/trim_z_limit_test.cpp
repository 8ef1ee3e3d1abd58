#include "editing/trim_test_support.h"
#include "editing/trim_z_limit.h"
#include "model/path_builder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

struct Point {
    double x, y, z;
};

struct Case {
    const char* name;
    Point start;
    std::vector<Point> lines; // feed moves at 100
    double primary;
    bool remove;
    std::vector<Rec> expected;
};

TEST(TrimZLimit, EveryWayAMoveCanMeetTheDeepestZ) {
    const double d = -1;
    const std::vector<Case> cases = {
        {"both ends above or on the limit: copied",
         {0, 0, 0},
         {{3, 0, -1}, {3, 3, 2}},
         5,
         false,
         {cutTo(3, 0, -1, 100), cutTo(3, 3, 2, 100)}},
        {"down, along the bottom, up: flattened onto the limit",
         {0, 0, 0},
         {{0, 0, -2}, {5, 0, -2}, {5, 0, 0}},
         5,
         false,
         {cutTo(0, 0, -1, 100), cutTo(5, 0, -1, 100), cutTo(5, 0, 0, 100)}},
        {"down, along the bottom, up: wasted moves removed",
         {0, 0, 0},
         {{0, 0, -2}, {5, 0, -2}, {5, 0, 0}},
         5,
         true,
         {cutTo(0, 0, -1, 100), rapidAt(0, 0, 5), rapidAt(5, 0, 5), plungeTo(5, 0, -1),
          cutTo(5, 0, 0, 100)}},
        {"crossing down: the cut goes on along the limit",
         {0, 0, 1},
         {{4, 0, -3}},
         5,
         false,
         {cutTo(2, 0, -1, 100), cutTo(4, 0, -1, 100)}},
        {"crossing down: retract at the crossing",
         {0, 0, 1},
         {{4, 0, -3}},
         5,
         true,
         {cutTo(2, 0, -1, 100), rapidAt(2, 0, 5)}},
        {"crossing up: reached along the limit",
         {0, 0, 0},
         {{0, 0, -3}, {4, 0, 1}},
         5,
         false,
         {cutTo(0, 0, -1, 100), cutTo(2, 0, -1, 100), cutTo(4, 0, 1, 100)}},
        {"crossing up: from the primary plane with a plunge",
         {0, 0, 0},
         {{0, 0, -3}, {4, 0, 1}},
         5,
         true,
         {cutTo(0, 0, -1, 100), rapidAt(0, 0, 5), rapidAt(2, 0, 5), plungeTo(2, 0, -1),
          cutTo(4, 0, 1, 100)}},
        {"a primary plane below the limit is raised to it",
         {0, 0, 1},
         {{4, 0, -3}, {8, 0, 1}},
         -5,
         true,
         {cutTo(2, 0, -1, 100), rapidAt(6, 0, -1), cutTo(8, 0, 1, 100)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GraphicsDatabase db;
        PathBuilder path(db, c.start.x, c.start.y, c.start.z);
        path.feed(100);
        for (const Point& p : c.lines)
            path.line(p.x, p.y, p.z);
        ZLimitOptions options{d, c.primary, c.remove, {true, 150.0f}};
        GraphicsDatabase limited;
        ASSERT_TRUE(limitZTravel(db.records, options, nullptr, limited.records));
        expectMoves(limited, c.expected);
        std::int32_t sequence = 0;
        for (const MoveRecord* r : trimRecords(limited))
            EXPECT_EQ(r->sequence, ++sequence);
    }
}

TEST(TrimZLimit, PositioningFollowsTheG00Choice) {
    GraphicsDatabase db;
    PathBuilder(db, 0, 0, 0).feed(100).line(0, 0, -3).line(4, 0, 1);
    GraphicsDatabase limited;
    ASSERT_TRUE(limitZTravel(db.records, {-1, 5, true, {false, 60.0f}}, nullptr, limited.records));
    expectMoves(limited, {cutTo(0, 0, -1, 100),
                          {0, 0, 5, kMotionLinear, 60, kWhite},
                          {2, 0, 5, kMotionLinear, 60, kWhite},
                          plungeTo(2, 0, -1, 60),
                          cutTo(4, 0, 1, 100)});
}

} // namespace
} // namespace korvix::test
