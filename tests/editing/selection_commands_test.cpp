#include "editing/selection_commands.h"
#include "editing/selection_picks.h"
#include "selection_test_path.h"

#include <gtest/gtest.h>

namespace korvix::test {
namespace {

constexpr int kAdd = 1;
constexpr int kSubtract = 0;

struct RangeCase {
    int value;
    const char* before;
    const char* after;
    const char* why;
};

std::string afterCommand(SelectionOutcome (*command)(GraphicsDatabase&, int), const RangeCase& c,
                         bool& changed) {
    GraphicsDatabase database;
    PixelPath path(database);
    path.straightRun(static_cast<int>(std::string(c.before).size()) - 1);
    setSelectionFlags(database, c.before);
    changed = command(database, c.value).changed();
    return selectionFlags(database);
}

void expectRangeCases(SelectionOutcome (*command)(GraphicsDatabase&, int),
                      std::initializer_list<RangeCase> cases) {
    for (const RangeCase& c : cases) {
        bool changed = false;
        EXPECT_EQ(afterCommand(command, c, changed), c.after) << c.why;
        EXPECT_EQ(changed, std::string(c.before) != c.after) << c.why;
    }
}

TEST(SelectionRangeCommands, UpToFirstFillsFromTheStartToTheFirstSelection) {
    expectRangeCases(selectUpToFirst,
                     {
                         {kAdd, "0000100", "1111100", "up to the first selected record"},
                         {kAdd, "0001011", "1111011", "later selections are left alone"},
                         {kAdd, "0000000", "1111111", "no selection: the whole path"},
                         {kAdd, "1000100", "1000100", "the start already selected: no change"},
                         {kSubtract, "1110111", "0000111", "clears up to the first unselected"},
                         {kSubtract, "0111", "0111", "the start already clear: no change"},
                     });
}

TEST(SelectionRangeCommands, BetweenFillsTheGapAfterTheFirstSelection) {
    expectRangeCases(selectBetweenFirstAndSecond,
                     {
                         {kAdd, "0010000", "0011111", "one selected move: on to the end"},
                         {kAdd, "0100100", "0111100", "up to the second selection"},
                         {kAdd, "0110001", "0111111", "a first selection of several records"},
                         {kAdd, "1000010", "1111110", "the start record can open it"},
                         {kAdd, "0000000", "0000000", "no selection: nothing"},
                         {kAdd, "0001111", "0001111", "selected to the end: no gap"},
                         {kSubtract, "1101100", "1100000", "subtract clears the gap's flags"},
                         {kSubtract, "1111111", "1111111", "nothing unselected: nothing"},
                     });
}

TEST(SelectionRangeCommands, BetweenAfterPickingAnArcRunsToTheEnd) {
    GraphicsDatabase database;
    PixelPath path(database);
    path.start(0, 0);
    path.move(100, 0);
    path.arc({{120, 10}, {130, 30}, {130, 50}});
    path.move(50, 50);
    path.move(50, 100);
    ASSERT_TRUE(selectByBox(database, kAdd, {125, 25}, {135, 35}).changed());
    ASSERT_EQ(selectionFlags(database), "0011100");
    EXPECT_EQ(selectBetweenFirstAndSecond(database, kAdd).changedRecords, 2u);
    EXPECT_EQ(selectionFlags(database), "0011111");
}

TEST(SelectionCommands, AllToolAndBlocksSetRecordsOneByOne) {
    GraphicsDatabase database;
    PixelPath path(database);
    path.straightRun(5);
    const int tools[] = {0, 3, 3, 7, 3, 7};
    for (int i = 0; i < 6; ++i)
        path.at(i).tool = static_cast<std::uint8_t>(tools[i]);

    EXPECT_EQ(selectAll(database, kAdd).changedRecords, 6u);
    EXPECT_EQ(selectionFlags(database), "111111");
    EXPECT_EQ(selectAll(database, kSubtract).changedRecords, 6u);
    EXPECT_EQ(selectionFlags(database), "000000") << "All while subtracting clears everything";

    EXPECT_EQ(selectTool(database, kAdd, 3).changedRecords, 3u);
    EXPECT_EQ(selectionFlags(database), "011010");
    EXPECT_FALSE(selectTool(database, kAdd, 42).changed());
    selectTool(database, kSubtract, 3);
    selectTool(database, kAdd, 0);
    EXPECT_EQ(selectionFlags(database), "100000") << "tool 0 is the tool before any T word";

    selectAll(database, kSubtract);
    path.at(4).blockNumber = 2; // block numbers may repeat
    EXPECT_EQ(selectBlockRange(database, kAdd, 2, 3).changedRecords, 3u);
    EXPECT_EQ(selectionFlags(database), "001110");
    EXPECT_FALSE(selectBlockRange(database, kAdd, 9, 20).changed());

    GraphicsDatabase empty;
    EXPECT_FALSE(selectAll(empty, kAdd).changed());
    EXPECT_FALSE(selectUpToFirst(empty, kAdd).changed());
    EXPECT_FALSE(selectBetweenFirstAndSecond(empty, kAdd).changed());
}

} // namespace
} // namespace korvix::test
