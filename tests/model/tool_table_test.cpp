#include "model/tool_table.h"

#include <gtest/gtest.h>

namespace korvix {
namespace {

TEST(ToolTable, ToolsInOrderOfFirstAppearance) {
    ToolTable table;
    ToolWordState state;
    for (int tool : {1, 2, 1, 3})
        ASSERT_TRUE(applyToolWord(table, state, tool));
    ASSERT_EQ(table.count, 3);
    EXPECT_EQ(table.entries[1].toolNumber, 1);
    EXPECT_EQ(table.entries[2].toolNumber, 2);
    EXPECT_EQ(table.entries[3].toolNumber, 3);
    EXPECT_EQ(state.tool, 3);
}

TEST(ToolTable, HAndSBeforeAndAfterTheFirstTool) {
    ToolTable table;
    ToolWordState state;
    applySpindleWord(table, state, 1200);
    applyCompWord(table, state, 4);
    EXPECT_EQ(table.entries[0].spindleSpeed, 1200);
    EXPECT_EQ(table.entries[0].compNumber, 4);
    // A new tool takes the H and S in force.
    ASSERT_TRUE(applyToolWord(table, state, 5));
    EXPECT_EQ(table.entries[1].spindleSpeed, 1200);
    EXPECT_EQ(table.entries[1].compNumber, 4);
    applySpindleWord(table, state, 800);
    applyCompWord(table, state, 7);
    EXPECT_EQ(table.entries[1].spindleSpeed, 800);
    EXPECT_EQ(table.entries[1].compNumber, 7);
    EXPECT_EQ(table.entries[0].spindleSpeed, 1200);
    // H0 keeps the stored compensation number; S0 is stored.
    applyCompWord(table, state, 0);
    applySpindleWord(table, state, 0);
    EXPECT_EQ(table.entries[1].compNumber, 7);
    EXPECT_EQ(table.entries[1].spindleSpeed, 0);
    EXPECT_EQ(state.hNumber, 0);
}

TEST(ToolTable, HundredAndFirstToolIsRefused) {
    ToolTable table;
    ToolWordState state;
    for (int tool = 1; tool <= 100; ++tool)
        ASSERT_TRUE(applyToolWord(table, state, tool));
    EXPECT_FALSE(applyToolWord(table, state, 200));
    EXPECT_EQ(table.count, 100);
    EXPECT_EQ(state.tool, 100);                   // the current tool stays
    EXPECT_TRUE(applyToolWord(table, state, 50)); // a known tool is still fine
}

TEST(ToolTable, ClearKeepsTheDrawingQuality) {
    ToolTable table;
    EXPECT_FLOAT_EQ(table.entries[7].arcResolution, 3.5f);
    EXPECT_EQ(table.entries[7].numberOfSections, 11);
    EXPECT_FLOAT_EQ(table.entries[7].angleToX, 90.0f);
    ToolWordState state;
    applyToolWord(table, state, 9);
    table.entries[1].diameter = 0.5f;
    table.entries[1].arcResolution = 1.0f;
    table.entries[1].numberOfSections = 24;
    clearToolTable(table);
    EXPECT_EQ(table.count, 0);
    EXPECT_EQ(table.entries[1].toolNumber, 0);
    EXPECT_EQ(table.entries[1].diameter, 0.0f);
    EXPECT_FLOAT_EQ(table.entries[1].angleToY, 90.0f);
    EXPECT_FLOAT_EQ(table.entries[1].arcResolution, 1.0f);
    EXPECT_EQ(table.entries[1].numberOfSections, 24);
}

} // namespace
} // namespace korvix
