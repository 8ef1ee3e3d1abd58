#include "filters/record_fields.h"
#include "filters/reverse_path.h"
#include "model/path_builder.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace korvix::test {
namespace {

std::vector<const MoveRecord*> walk(const GraphicsDatabase& db) {
    return recordsOf(db);
}

void expectConsistentLinks(const GraphicsDatabase& db) {
    const MoveRecord* previous = nullptr;
    for (const MoveRecord* r = db.first(); r != nullptr; previous = r, r = r->next)
        ASSERT_EQ(r->prev, previous);
}

TEST(ReverseCutDirection, StartPointAndOneRapidChangePlaces) {
    GraphicsDatabase db;
    PathBuilder path(db, 0, 0, 0);
    path.rapid(1, 2, 3);
    const MoveRecord rapid = path.last();
    ASSERT_TRUE(reverseCutDirection(db));
    const auto records = walk(db);
    ASSERT_EQ(records.size(), 2u);
    expectConsistentLinks(db);
    EXPECT_EQ(records[0]->kind, kKindStartPoint);
    EXPECT_EQ(records[0]->x, 1);
    EXPECT_EQ(records[0]->y, 2);
    EXPECT_EQ(records[0]->z, 3);
    // The one move is still the rapid, now ending where the path used to start.
    MoveRecord expected = rapid;
    expected.x = expected.y = expected.z = 0;
    EXPECT_EQ(fieldDifferences(*records[1], expected), "");
    EXPECT_NE(records[0]->sequence, records[1]->sequence);
    EXPECT_TRUE(db.status.ncLoaded);
}

TEST(ReverseCutDirection, ClockwiseArcGroupTurnsCounterClockwise) {
    // From (0, 1) clockwise about the origin to (1, 0), then a line to (2, 0).
    GraphicsDatabase db;
    PathBuilder path(db, 0, 1, 0);
    path.feed(50).arc(kPlaneXY, 0, 0, 0, -1, 90, 0, 0, 3).line(2, 0, 0);
    ASSERT_TRUE(reverseCutDirection(db));
    expectConsistentLinks(db);
    const auto records = walk(db);
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0]->x, 2);
    EXPECT_EQ(records[1]->kind, kKindStraight);
    EXPECT_NEAR(records[1]->x, 1, 1e-6);
    // The three pieces now climb from 0 to 90 degrees.
    const double angles[] = {30, 60, 90};
    for (int i = 0; i < 3; ++i) {
        const MoveRecord& piece = *records[static_cast<std::size_t>(2 + i)];
        EXPECT_EQ(piece.kind, kKindArcPiece);
        EXPECT_EQ(piece.motion, kMotionCounterClockwise);
        EXPECT_EQ(piece.radius, 1);
        EXPECT_EQ(piece.startAngle, 0);
        EXPECT_EQ(piece.endAngle, 90);
        EXPECT_EQ(piece.sequence, records[2]->sequence);
        EXPECT_NEAR(piece.x, std::cos(angles[i] * 3.14159265358979 / 180), 1e-6);
        EXPECT_NEAR(piece.y, std::sin(angles[i] * 3.14159265358979 / 180), 1e-6);
    }
    EXPECT_NE(records[1]->sequence, records[2]->sequence);
}

TEST(ReverseCutDirection, OptionalStopMovesWithItsMove) {
    GraphicsDatabase db;
    PathBuilder path(db, 0, 0, 0);
    path.line(1, 0, 0).line(2, 0, 0).stop().line(3, 0, 0);
    ASSERT_TRUE(reverseCutDirection(db));
    // The stopped move ran from 1 to 2; reversed it runs from 2 to 1.
    for (const MoveRecord* r : walk(db))
        EXPECT_EQ(r->optionalStop, r->x == 1 ? 1 : 0) << r->x;
}

TEST(ReverseCutDirection, TwiceRestoresEveryFieldOfEveryMove) {
    GraphicsDatabase db;
    PathBuilder path(db, 5, 5, 10);
    path.tool(1).feed(300).rapid(0, 0, 2).line(0, 0, -1).stop();
    path.feed(120).arc(kPlaneXY, 0, 5, -1, -5, 270, 0, -1, 4);
    path.arc(kPlaneXY, 10, 5, -1, 5, 180, 90, -1, 2).stop();
    path.tool(2).feed(80).arc(kPlaneXZ, 10, -1, 10, 3, 0, 120, 10, 5);
    path.arc(kPlaneYZ, 10, 1, 10, -2, 200, 100, 10.5, 3);
    path.rapid(20, 20, 20).line(21, 20, 20).line(22, 21, 19);
    // Fields no builder sets: every one must come back.
    int n = 0;
    for (MoveRecord* r = db.first(); r != nullptr; r = r->next, ++n) {
        r->visible = static_cast<std::uint8_t>(n % 2);
        r->selected = static_cast<std::uint8_t>(n % 3 == 0);
        r->color = static_cast<Rgb>(0x10000 * n + 7);
        r->screenX = 100 + n;
        r->screenY = -n;
    }
    // The start of an appended second program, in the middle of the path.
    path.last().prev->kind = kKindStartPoint;

    std::vector<MoveRecord*> nodes;
    std::vector<MoveRecord> before;
    for (MoveRecord* r = db.first(); r != nullptr; r = r->next) {
        nodes.push_back(r);
        before.push_back(*r);
    }
    ASSERT_TRUE(reverseCutDirection(db));
    expectConsistentLinks(db);
    ASSERT_TRUE(reverseCutDirection(db));
    expectConsistentLinks(db);

    std::size_t i = 0;
    for (MoveRecord* r = db.first(); r != nullptr; r = r->next, ++i) {
        ASSERT_LT(i, nodes.size());
        EXPECT_EQ(r, nodes[i]); // reversed in place: the same records in the same order
        if (i == 0) {
            EXPECT_EQ(r->kind, kKindStartPoint);
            EXPECT_EQ(r->x, before[0].x);
            EXPECT_EQ(r->y, before[0].y);
            EXPECT_EQ(r->z, before[0].z);
            continue;
        }
        EXPECT_EQ(fieldDifferences(*r, before[i]), "") << "record " << i;
        EXPECT_FALSE(std::signbit(r->radius) && r->radius == 0) << "record " << i;
    }
    EXPECT_EQ(i, nodes.size());
}

TEST(ReverseCutDirection, NoMoveIsHiddenBehindTheStartPoint) {
    // Writers and filters skip a record whose sequence equals the one before it (the later
    // pieces of an arc group); the reversed path must not make its first move look like one.
    GraphicsDatabase db;
    PathBuilder path(db, 0, 0, 0);
    path.line(1, 0, 0).arc(kPlaneXY, 1, 1, 0, 1, 270, 0, 0, 3).line(5, 5, 0);
    ASSERT_TRUE(reverseCutDirection(db));
    int moves = 0;
    for (const MoveRecord* r = db.first()->next; r != nullptr; r = r->next)
        moves += r->sequence != r->prev->sequence ? 1 : 0;
    EXPECT_EQ(moves, 3); // line, arc, line
    ASSERT_TRUE(reverseCutDirection(db));
    moves = 0;
    for (const MoveRecord* r = db.first()->next; r != nullptr; r = r->next)
        moves += r->sequence != r->prev->sequence ? 1 : 0;
    EXPECT_EQ(moves, 3);
}

TEST(ReverseCutDirection, EmptyAndStartOnly) {
    GraphicsDatabase empty;
    EXPECT_FALSE(reverseCutDirection(empty));
    EXPECT_FALSE(empty.databaseAllocated());

    GraphicsDatabase single;
    PathBuilder path(single, 1, 2, 3);
    ASSERT_TRUE(reverseCutDirection(single));
    ASSERT_EQ(walk(single).size(), 1u);
    EXPECT_EQ(single.first()->x, 1);
    EXPECT_EQ(single.first()->prev, nullptr);
    EXPECT_EQ(single.first()->next, nullptr);
}

} // namespace
} // namespace korvix::test
