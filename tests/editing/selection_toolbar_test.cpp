#include "editing/selection_texts.h"
#include "editing/selection_tool_number.h"
#include "editing/selection_toolbar.h"
#include "selection_test_path.h"

#include <gtest/gtest.h>

namespace korvix::test {
namespace {

struct SelectionToolbar : ::testing::Test {
    SelectionToolbar() {
        path.start(100, 100);
        path.move(200, 100);
        path.move(200, 200);
    }
    GraphicsDatabase database;
    PixelPath path{database};
    SelectionToolbarState toolbar;
    PointerState pointer;
};

TEST_F(SelectionToolbar, ArmingCopiesTheAddSubtractStateAndSaysWhatToDo) {
    const struct {
        SelectionPickMethod method;
        PickMode mode;
        std::string_view status;
    } cases[] = {
        {SelectionPickMethod::SingleMove, PickMode::Point, kSelectSingleMoveStatus},
        {SelectionPickMethod::Line, PickMode::Pan, kSelectLineStatus},
        {SelectionPickMethod::Box, PickMode::ZoomWindow, kSelectBoxStatus},
    };
    for (const auto& c : cases) {
        for (bool add : {true, false}) {
            toolbar.add = add;
            pointer = {};
            EXPECT_EQ(armSelectionPick(toolbar, c.method, pointer), c.status);
            EXPECT_EQ(pointer.mode, c.mode);
            EXPECT_TRUE(pointer.selectionArmed);
            EXPECT_EQ(pointer.pendingSelectionValue, add ? 1 : 0);
        }
    }
}

TEST_F(SelectionToolbar, AddAndSubtractChangeAnArmedPickOnly) {
    // Nothing armed: only the buttons change, and the next arming takes their state.
    EXPECT_EQ(chooseSelectionValue(toolbar, false, pointer), "");
    EXPECT_FALSE(toolbar.add);
    EXPECT_EQ(toolbar.selectionValue(), 0);
    armSelectionPick(toolbar, SelectionPickMethod::Box, pointer);
    EXPECT_EQ(pointer.pendingSelectionValue, 0);

    EXPECT_EQ(chooseSelectionValue(toolbar, true, pointer), kSelectionAddStatus);
    EXPECT_EQ(pointer.pendingSelectionValue, 1);
    EXPECT_EQ(chooseSelectionValue(toolbar, false, pointer), kSelectionSubtractStatus);
    EXPECT_EQ(pointer.pendingSelectionValue, 0);

    // Armed flag without a pick mode (the mode was taken by another command): no pick waits.
    pointer.mode = PickMode::None;
    EXPECT_EQ(chooseSelectionValue(toolbar, true, pointer), "");
    EXPECT_EQ(pointer.pendingSelectionValue, 0);
}

TEST_F(SelectionToolbar, MouseUpRunsTheArmedPickAndDisarms) {
    toolbar.bothPoints = true; // read at the pick, not at arming
    armSelectionPick(toolbar, SelectionPickMethod::SingleMove, pointer);
    pointer.press = {0, 0};
    SelectionOutcome outcome = finishSelectionPick(database, toolbar, pointer, {205, 150});
    EXPECT_EQ(outcome.changedRecords, 2u);
    EXPECT_EQ(selectionFlags(database), "011");
    EXPECT_EQ(pointer.mode, PickMode::None);
    EXPECT_FALSE(pointer.selectionArmed);
    EXPECT_EQ(pointer.pendingSelectionValue, 0);

    // A pick that finds nothing disarms as well, and asks for no redraw.
    toolbar.add = false;
    armSelectionPick(toolbar, SelectionPickMethod::Line, pointer);
    pointer.press = {500, 500};
    outcome = finishSelectionPick(database, toolbar, pointer, {600, 600});
    EXPECT_FALSE(outcome.changed());
    EXPECT_EQ(pointer.mode, PickMode::None);
    EXPECT_FALSE(pointer.selectionArmed);

    armSelectionPick(toolbar, SelectionPickMethod::Box, pointer);
    pointer.press = {50, 50};
    EXPECT_EQ(finishSelectionPick(database, toolbar, pointer, {250, 250}).changedRecords, 2u);
    EXPECT_EQ(selectionFlags(database), "000");

    // Without an armed pick the mouse-up selects nothing.
    pointer.mode = PickMode::Point;
    EXPECT_FALSE(finishSelectionPick(database, toolbar, pointer, {150, 100}).changed());
    EXPECT_EQ(pointer.mode, PickMode::None);
}

TEST_F(SelectionToolbar, DisarmingLeavesOtherPickModesAlone) {
    armSelectionPick(toolbar, SelectionPickMethod::Line, pointer);
    disarmSelectionPick(pointer);
    EXPECT_EQ(pointer.mode, PickMode::None);
    EXPECT_FALSE(pointer.selectionArmed);
    // A view or trim mode armed meanwhile is not the selection's to end.
    pointer.mode = PickMode::TrimBox;
    disarmSelectionPick(pointer);
    EXPECT_EQ(pointer.mode, PickMode::TrimBox);
}

TEST(ToolNumberForm, TheUpDownBrowsesTheToolTableAndWraps) {
    ToolTable tools;
    tools.count = 3;
    tools.entries[1].toolNumber = 5;
    tools.entries[2].toolNumber = 7;
    tools.entries[3].toolNumber = 12;
    ToolNumberBrowser browser;
    openToolNumberBrowser(browser, tools);
    EXPECT_EQ(browser.maximum, 3);
    const char* up[] = {"5", "7", "12", "0", "5"};
    for (const char* text : up)
        EXPECT_EQ(stepToolNumberBrowser(browser, tools, +1), text);
    EXPECT_EQ(stepToolNumberBrowser(browser, tools, -1), "0");
    EXPECT_EQ(stepToolNumberBrowser(browser, tools, -1), "12") << "down from 0 wraps to the end";

    // Opened again over a smaller table, the position is pulled into the new range.
    tools.count = 1;
    openToolNumberBrowser(browser, tools);
    EXPECT_EQ(browser.position, 1);
    EXPECT_EQ(stepToolNumberBrowser(browser, tools, +1), "0");
    tools.count = 0;
    openToolNumberBrowser(browser, tools);
    EXPECT_EQ(stepToolNumberBrowser(browser, tools, +1), "0");
    EXPECT_EQ(stepToolNumberBrowser(browser, tools, -1), "0");
}

TEST(ToolNumberForm, OkSelectsTheToolTheTextNames) {
    GraphicsDatabase database;
    PixelPath path(database);
    path.straightRun(3);
    path.at(2).tool = 9;
    path.at(3).tool = 9;

    const struct {
        const char* text;
        const char* error;
    } bad[] = {
        {"", "'' is not a valid integer value"},
        {"1.5", "'1.5' is not a valid integer value"},
        {"T9", "'T9' is not a valid integer value"},
        {"256", "Range check error"},
        {"-1", "Range check error"},
    };
    for (const auto& c : bad) {
        const SelectionOutcome outcome = selectToolFromText(database, 1, c.text);
        EXPECT_EQ(outcome.error, c.error) << c.text;
        EXPECT_FALSE(outcome.changed()) << c.text;
    }
    EXPECT_EQ(selectionFlags(database), "0000");
    EXPECT_EQ(selectToolFromText(database, 1, "+9").changedRecords, 2u);
    EXPECT_EQ(selectionFlags(database), "0011");
    EXPECT_TRUE(selectToolFromText(database, 0, "9").error.empty());
    EXPECT_EQ(selectionFlags(database), "0000");
}

} // namespace
} // namespace korvix::test
