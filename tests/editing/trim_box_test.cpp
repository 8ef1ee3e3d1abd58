#include "editing/trim_clip.h"
#include "editing/trim_driver.h"
#include "editing/trim_test_support.h"
#include "model/path_builder.h"

#include <gtest/gtest.h>
#include <vector>

namespace korvix::test {
namespace {

TEST(TrimBox, PathWhollyInsideKeepsItsCutsAfterOneTraverseAndPlunge) {
    GraphicsDatabase db;
    PathBuilder(db, 1, 1, 5).tool(3).feed(200).line(1, 1, -1).line(4, 1, -1).rapid(4, 2, 5);
    // The optional stop and the colour of a move travel with it.
    db.first()->next->next->optionalStop = 1;
    db.first()->next->next->color = 0x00123456;
    TrimParameters p = trimParameters(0, 0, 10, 4);
    ASSERT_TRUE(planTrim(db, p, boxRegion(p)).ok());

    const auto records = trimRecords(db);
    // The start at the window centre at the primary plane.
    EXPECT_EQ(records[0]->kind, kKindStartPoint);
    EXPECT_EQ(records[0]->x, 5);
    EXPECT_EQ(records[0]->y, 2);
    EXPECT_EQ(records[0]->z, 10);
    expectMoves(db, {rapidAt(1, 1, 10),
                     plungeTo(1, 1, 5),
                     cutTo(1, 1, -1, 200),
                     {4, 1, -1, kMotionLinear, 200, 0x00123456},
                     // A cut keeps the source's rapid motion and its feed.
                     {4, 2, 5, kMotionRapid, 200, kRapidColor}});
    for (std::size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(records[i]->sequence, static_cast<int>(i + 1));
        EXPECT_EQ(records[i]->blockNumber, static_cast<int>(i + 1));
        EXPECT_EQ(records[i]->visible, 1);
        EXPECT_EQ(records[i]->selected, 0);
        EXPECT_EQ(records[i]->optionalStop, i == 4 ? 1 : 0);
        if (i > 0) {
            EXPECT_EQ(records[i]->tool, 3);
        }
    }
}

TEST(TrimBox, MoveCrossingTheWindowGivesTraversePlungeCutRetract) {
    GraphicsDatabase db;
    // Z falls from 0 to -6 over the 12 units of X: the entry and exit depths come from X.
    PathBuilder(db, -2, 1, 0).feed(100).line(10, 2, -6);
    TrimParameters p = trimParameters(0, 0, 6, 4);
    ASSERT_TRUE(planTrim(db, p, boxRegion(p)).ok());
    const double y0 = 1 + 2.0 / 12, y6 = 1 + 8.0 / 12;
    expectMoves(
        db, {rapidAt(0, y0, 10), plungeTo(0, y0, -1), cutTo(6, y6, -4, 100), rapidAt(6, y6, 10)});
}

TEST(TrimBox, DepthOfAClipPointFollowsTheCoordinateThatChangesMore) {
    // Steep in Y: the Y change drives the interpolation.
    const BoxClip clip = clipToBox({0, 0, 10, 10}, {5, -10, 0}, {6, 30, -40});
    ASSERT_EQ(clip.count, 3);
    EXPECT_FALSE(clip.pieces[0].inside);
    EXPECT_NEAR(clip.pieces[1].a.y, 0, 1e-12);
    EXPECT_NEAR(clip.pieces[1].a.x, 5.25, 1e-12);
    EXPECT_NEAR(clip.pieces[1].a.z, -10, 1e-12);
    EXPECT_NEAR(clip.pieces[1].b.y, 10, 1e-12);
    EXPECT_NEAR(clip.pieces[1].b.x, 5.5, 1e-12);
    EXPECT_NEAR(clip.pieces[1].b.z, -20, 1e-12);
    EXPECT_TRUE(clip.pieces[1].inside);
    EXPECT_FALSE(clip.pieces[1].endsSegment);
    EXPECT_TRUE(clip.pieces[2].endsSegment);

    // Bounds are inclusive: a move along the edge is inside.
    const BoxClip edge = clipToBox({0, 0, 10, 10}, {0, 2, 0}, {0, 8, 0});
    ASSERT_EQ(edge.count, 1);
    EXPECT_TRUE(edge.pieces[0].inside);
    // Past a corner without touching: wholly outside, kept whole for an outside trim.
    const BoxClip corner = clipToBox({0, 0, 10, 10}, {-5, 8, 0}, {3, 16, 0});
    ASSERT_EQ(corner.count, 1);
    EXPECT_FALSE(corner.pieces[0].inside);
    EXPECT_EQ(corner.pieces[0].a.x, -5);
    EXPECT_EQ(corner.pieces[0].b.y, 16);
}

TEST(TrimBox, RelativeSecondaryPlaneRetractsAboveTheExitAndTheNextPlunge) {
    GraphicsDatabase db;
    // Leaves the window at Z -1, comes back at Z -0.5, leaves again at -3 (last exit).
    PathBuilder(db, 1, 1, 5)
        .feed(100)
        .line(1, 1, -1)
        .line(8, 1, -1)
        .line(8, 2, -0.5)
        .line(2, 2, -0.5)
        .line(2, 3, -3)
        .line(8, 3, -3);
    TrimParameters p = trimParameters(0, 0, 6, 4);
    p.absoluteSecondaryPlane = false;
    p.secondaryPlane = 0.1;
    ASSERT_TRUE(planTrim(db, p, boxRegion(p)).ok());
    expectMoves(
        db, {rapidAt(1, 1, 10), plungeTo(1, 1, 5), cutTo(1, 1, -1, 100), cutTo(6, 1, -1, 100),
             // -1 + 0.1 would be below the next entry at -0.5: raised to -0.4.
             rapidAt(6, 1, -0.4), rapidAt(6, 2, -0.4), plungeTo(6, 2, -0.5), cutTo(2, 2, -0.5, 100),
             cutTo(2, 3, -3, 100), cutTo(6, 3, -3, 100), rapidAt(6, 3, -2.9)});
}

TEST(TrimBox, RelativeRetractAboveTheNextEntryIsNotLowered) {
    GraphicsDatabase db;
    PathBuilder(db, 1, 1, 5).feed(100).line(1, 1, -1).line(8, 1, -1).line(8, 2, -3).line(2, 2, -3);
    TrimParameters p = trimParameters(0, 0, 6, 4);
    p.absoluteSecondaryPlane = false;
    p.secondaryPlane = 0.1;
    ASSERT_TRUE(planTrim(db, p, boxRegion(p)).ok());
    expectMoves(db, {rapidAt(1, 1, 10), plungeTo(1, 1, 5), cutTo(1, 1, -1, 100),
                     cutTo(6, 1, -1, 100), rapidAt(6, 1, -0.9), rapidAt(6, 2, -0.9),
                     plungeTo(6, 2, -3), cutTo(2, 2, -3, 100)});
}

TEST(TrimBox, PositioningAsFeedMovesWhenG00IsNotUsed) {
    GraphicsDatabase db;
    PathBuilder(db, -2, 1, 0).feed(100).line(10, 1, 0);
    TrimParameters p = trimParameters(0, 0, 6, 4);
    p.rapidPositioning = false;
    p.plungeFeed = 75;
    ASSERT_TRUE(planTrim(db, p, boxRegion(p)).ok());
    expectMoves(db, {{0, 1, 10, kMotionLinear, 75, kWhite},
                     plungeTo(0, 1, 0, 75),
                     cutTo(6, 1, 0, 100),
                     {6, 1, 10, kMotionLinear, 75, kWhite}});
}

TEST(TrimBox, KeepOutsideCutsUpToTheWindowAndResumesBeyondIt) {
    GraphicsDatabase db;
    PathBuilder(db, -2, 1, 0).feed(100).line(10, 1, 0).line(10, 8, 0);
    TrimParameters p = trimParameters(0, 0, 6, 4);
    p.keepInside = false;
    ASSERT_TRUE(planTrim(db, p, boxRegion(p)).ok());
    // The start stays where it was: the tool stands outside, so no plunge before the first cut.
    EXPECT_EQ(db.first()->x, -2);
    EXPECT_EQ(db.first()->z, 0);
    expectMoves(db, {cutTo(0, 1, 0, 100), rapidAt(0, 1, 10), rapidAt(6, 1, 10), plungeTo(6, 1, 0),
                     cutTo(10, 1, 0, 100), cutTo(10, 8, 0, 100)});
}

TEST(TrimBox, KeepOutsideFromAStartInsideTheWindow) {
    GraphicsDatabase db;
    PathBuilder(db, 2, 1, 0).feed(100).line(10, 1, 0);
    TrimParameters p = trimParameters(0, 0, 6, 4);
    p.keepInside = false;
    p.primaryPlane = 20; // the first traverse rises to the primary plane at least
    ASSERT_TRUE(planTrim(db, p, boxRegion(p)).ok());
    expectMoves(db, {rapidAt(6, 1, 20), plungeTo(6, 1, 0), cutTo(10, 1, 0, 100)});
}

TEST(TrimBox, NothingInsideLeavesTheStartAlone) {
    GraphicsDatabase db;
    PathBuilder(db, 20, 20, 0).feed(100).line(30, 20, 0).line(30, 30, 0);
    TrimParameters p = trimParameters(0, 0, 6, 4);
    const TrimResult result = planTrim(db, p, boxRegion(p));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.recordCount, 1u);
    EXPECT_EQ(db.first()->next, nullptr);
}

TEST(TrimBox, OptionalStopStaysWithTheEndOfItsMove) {
    GraphicsDatabase db;
    PathBuilder path(db, -2, 1, 0);
    path.feed(100).line(10, 1, 0).stop().line(10, 3, 0).line(4, 3, 0).stop();
    TrimParameters p = trimParameters(0, 0, 6, 4);
    ASSERT_TRUE(planTrim(db, p, boxRegion(p)).ok());
    // The first move's end is trimmed away, so is its stop; the last one ends inside.
    std::vector<int> stops;
    for (const MoveRecord* r : trimRecords(db))
        stops.push_back(r->optionalStop);
    EXPECT_EQ(stops, (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 1}));
}

} // namespace
} // namespace korvix::test
