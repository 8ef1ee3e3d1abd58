// The undo history: a step restores every record and the status exactly, redo goes forward
// again, and the memory budget and the step limit drop the oldest steps first.
#include "model/path_builder.h"
#include "model/record_fields.h"
#include "model/undo_history.h"

#include <gtest/gtest.h>

namespace korvix {
namespace {

using test::PathBuilder;

bool samePath(const GraphicsDatabase& a, const std::vector<test::RecordFields>& b) {
    return test::pathFields(a) == b;
}

class History : public ::testing::Test {
protected:
    // A command that appends one move and a tool to the path.
    void command(const std::string& caption, double x) {
        std::optional<PathSnapshot> before = history.snapshotBefore(database, tools);
        MoveRecord* last = database.records.lastAndCount().first;
        MoveRecord* tail = last;
        ASSERT_TRUE(database.records.append(tail));
        *tail = *last;
        tail->prev = last;
        tail->next = nullptr;
        tail->kind = kKindStraight;
        tail->x = static_cast<float>(x);
        database.status.cuttingTime += 1;
        tools.count = static_cast<std::uint8_t>(tools.count + 1);
        history.commit(caption, std::move(before));
    }

    GraphicsDatabase database;
    ToolTable tools;
    UndoHistory history;
};

TEST_F(History, UndoAndRedoWalkBackAndForthThroughThreeCommands) {
    PathBuilder(database, 0, 0, 0).line(5, 0, 0).arc(kPlaneXY, 5, 5, 0, 5, 270, 360, 0);
    const std::vector<test::RecordFields> original = test::pathFields(database);
    command("First", 10);
    const std::vector<test::RecordFields> afterFirst = test::pathFields(database);
    command("Second", 20);
    command("Third", 30);
    const std::vector<test::RecordFields> afterThird = test::pathFields(database);
    EXPECT_EQ(history.undoCaption(), "Third");

    EXPECT_EQ(history.undo(database, tools), "Third");
    EXPECT_EQ(history.undo(database, tools), "Second");
    EXPECT_TRUE(samePath(database, afterFirst));
    EXPECT_EQ(database.status.cuttingTime, 1);
    EXPECT_EQ(tools.count, 1);
    EXPECT_EQ(history.redoCaption(), "Second");
    EXPECT_EQ(history.redo(database, tools), "Second");
    EXPECT_EQ(history.redo(database, tools), "Third");
    EXPECT_TRUE(samePath(database, afterThird));
    EXPECT_FALSE(history.canRedo());

    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(history.undo(database, tools));
    EXPECT_TRUE(samePath(database, original));
    EXPECT_EQ(tools.count, 0);
    EXPECT_FALSE(history.undo(database, tools));

    // A new command after undoing ends the way forward.
    ASSERT_TRUE(history.redo(database, tools));
    command("Other", 40);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undoSteps(), 2u);
}

TEST_F(History, TheBudgetAndTheStepLimitDropTheOldestSteps) {
    PathBuilder(database, 0, 0, 0).line(5, 0, 0);
    for (int i = 0; i < 25; ++i)
        command("Step " + std::to_string(i), i);
    EXPECT_EQ(history.undoSteps(), UndoHistory::kMaxSteps);

    // Room for about two snapshots of the path as it is now.
    history.clear();
    const std::size_t one = history.snapshotBefore(database, tools)->bytes();
    history.setBudget(one * 5 / 2);
    command("A", 1);
    command("B", 2);
    command("C", 3);
    EXPECT_EQ(history.undoSteps(), 2u);
    EXPECT_LE(history.bytesUsed(), history.budget());
    EXPECT_EQ(history.undoCaption(), "C");

    // A snapshot larger than the whole budget: the command cannot be undone, and neither
    // can the ones before it, which would be undone with it.
    history.setBudget(one / 2);
    command("Huge", 4);
    EXPECT_FALSE(history.canUndo());
}

} // namespace
} // namespace korvix
