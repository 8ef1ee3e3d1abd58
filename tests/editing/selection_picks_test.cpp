#include "editing/selection_commands.h"
#include "editing/selection_picks.h"
#include "selection_test_path.h"

#include <gtest/gtest.h>
#include <limits>

namespace korvix::test {
namespace {

constexpr int kAdd = 1;
constexpr int kSubtract = 0;

// Record 0 is the start point at (100, 100); 1 a move to (200, 100); 2-5 one arc through
// (230, 110), (250, 130), (260, 160), (260, 200); 6 a move left to (160, 200); 7 a move down
// to (160, 300).
struct SelectionPicks : ::testing::Test {
    SelectionPicks() {
        path.start(100, 100);
        path.move(200, 100);
        path.arc({{230, 110}, {250, 130}, {260, 160}, {260, 200}});
        path.move(160, 200);
        path.move(160, 300);
    }
    std::string flags() const { return selectionFlags(database); }

    GraphicsDatabase database;
    PixelPath path{database};
};

TEST_F(SelectionPicks, SingleMoveMarksTheNearestMoveWithItsWholeArc) {
    const struct {
        PixelPoint click;
        bool bothPoints;
        const char* expected;
        const char* why;
    } cases[] = {
        {{260, 143}, false, "00111100", "beside the third piece: the whole arc"},
        {{260, 143}, true, "01111100", "both points: the move ending where the arc starts too"},
        {{150, 103}, true, "11000000", "both points on the first move: the start record too"},
        {{210, 203}, true, "00111110", "both points after an arc: the whole arc before"},
        {{170, 210}, false, "00000010", "10 pixels from moves 6 and 7: the earlier one"},
        {{400, 400}, false, "00000000", "nothing within 25 pixels"},
    };
    for (const auto& c : cases) {
        selectAll(database, kSubtract);
        const SelectionOutcome outcome = selectSingleMove(database, kAdd, c.bothPoints, c.click);
        EXPECT_EQ(flags(), c.expected) << c.why;
        EXPECT_EQ(outcome.changed(), std::string(c.expected) != "00000000") << c.why;
        EXPECT_TRUE(outcome.error.empty()) << c.why;
    }
}

TEST_F(SelectionPicks, SingleMoveReportsOnlyRealChangesAndSkipsUndrawnMoves) {
    EXPECT_EQ(selectSingleMove(database, kAdd, false, {260, 143}).changedRecords, 4u);
    // Picking what is selected already changes nothing: no redraw needed.
    EXPECT_FALSE(selectSingleMove(database, kAdd, false, {260, 143}).changed());
    EXPECT_EQ(selectSingleMove(database, kSubtract, false, {255, 150}).changedRecords, 4u);
    EXPECT_EQ(flags(), "00000000");

    path.at(7).visible = 0;
    EXPECT_FALSE(selectSingleMove(database, kAdd, false, {163, 250}).changed());
    path.at(7).visible = 1;
    EXPECT_TRUE(selectSingleMove(database, kAdd, false, {163, 250}).changed());
    EXPECT_EQ(flags(), "00000001");
}

TEST_F(SelectionPicks, LineMarksEveryMoveItCrossesOrTouches) {
    const struct {
        PixelPoint from, to;
        bool bothPoints;
        const char* expected;
        const char* why;
    } cases[] = {
        {{100, 300}, {160, 300}, false, "00000001", "touching the last move's end point"},
        {{200, 50}, {200, 100}, false, "01111100", "a shared end point touches both moves"},
        {{180, 50}, {180, 350}, false, "01000010", "every crossed move, over the whole path"},
        {{240, 100}, {240, 140}, false, "00111100", "crossing one piece marks the whole arc"},
        {{150, 250}, {170, 250}, true, "00000011", "both points: the move before too"},
        {{120, 100}, {180, 100}, false, "00000000", "along a move: parallel, no crossing"},
        {{180, 100}, {180, 100}, false, "00000000", "a click without a drag crosses nothing"},
    };
    for (const auto& c : cases) {
        selectAll(database, kSubtract);
        const SelectionOutcome outcome = selectByLine(database, kAdd, c.bothPoints, c.from, c.to);
        EXPECT_EQ(flags(), c.expected) << c.why;
        EXPECT_EQ(outcome.changed(), std::string(c.expected) != "00000000") << c.why;
    }

    // What the last redraw did not draw cannot be crossed.
    selectAll(database, kSubtract);
    path.at(6).visible = 0;
    selectByLine(database, kAdd, false, {180, 50}, {180, 350});
    EXPECT_EQ(flags(), "01000000");
}

TEST_F(SelectionPicks, BoxMarksPointsDrawnOrNotWithTheirWholeArc) {
    const struct {
        PixelPoint corner1, corner2;
        const char* expected;
        const char* why;
    } cases[] = {
        {{245, 125}, {262, 165}, "00111100", "two middle points of the arc: all of it"},
        {{150, 290}, {160, 300}, "00000001", "a point on the box's corner is inside"},
        {{160, 300}, {150, 290}, "00000001", "dragged the other way round"},
        {{0, 0}, {99, 99}, "00000000", "next to the start point"},
    };
    for (const auto& c : cases) {
        selectAll(database, kSubtract);
        selectByBox(database, kAdd, c.corner1, c.corner2);
        EXPECT_EQ(flags(), c.expected) << c.why;
    }

    selectAll(database, kSubtract);
    path.at(1).visible = 0;
    selectByBox(database, kAdd, {90, 90}, {200, 100});
    EXPECT_EQ(flags(), "11000000") << "the start point and an undrawn move are points as well";

    selectAll(database, kAdd);
    EXPECT_EQ(selectByBox(database, kSubtract, {255, 155}, {265, 165}).changedRecords, 4u);
    EXPECT_EQ(flags(), "11000011");
}

TEST_F(SelectionPicks, TheArmedModeChoosesThePick) {
    EXPECT_EQ(runSelectionPick(database, kSelectionPickSingle, kAdd, false, {0, 0}, {150, 103})
                  .changedRecords,
              1u);
    EXPECT_EQ(runSelectionPick(database, kSelectionPickLine, kAdd, false, {150, 250}, {170, 250})
                  .changedRecords,
              1u);
    EXPECT_EQ(runSelectionPick(database, kSelectionPickBox, kAdd, false, {245, 125}, {262, 165})
                  .changedRecords,
              4u);
    EXPECT_EQ(flags(), "01111101");
    // Modes that are not selection picks (a trim box, say) select nothing.
    EXPECT_FALSE(runSelectionPick(database, PickMode::TrimBox, kSubtract, false, {0, 0}, {400, 400})
                     .changed());
}

TEST(SelectionPicksWithoutData, EveryPickIsHarmless) {
    GraphicsDatabase empty;
    EXPECT_FALSE(selectSingleMove(empty, kAdd, true, {0, 0}).changed());
    EXPECT_FALSE(selectByLine(empty, kAdd, true, {0, 0}, {100, 100}).changed());
    EXPECT_FALSE(selectByBox(empty, kAdd, {0, 0}, {100, 100}).changed());
}

// Zoomed far in, positions are clamped to the int range; the line and box picks must still
// give the right answer.
TEST(SelectionPicksFarOffScreen, ClampedPositionsStillCount) {
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    GraphicsDatabase database;
    PixelPath path(database);
    path.start(kMin, 100);
    path.move(kMax, 100);
    path.move(kMax, kMin);
    selectByLine(database, kAdd, false, {0, 0}, {0, 200});
    EXPECT_EQ(selectionFlags(database), "010");
    selectByBox(database, kAdd, {kMax, kMin}, {kMax - 1, kMin + 1});
    EXPECT_EQ(selectionFlags(database), "011");
}

} // namespace
} // namespace korvix::test
