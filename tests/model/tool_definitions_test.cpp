#include "model/tool_definitions.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvix {
namespace {

struct StoreCase {
    ToolField field;
    const char* text;
    const char* problem; // "" when the value is stored
    const char* shownAfter;
};

TEST(ToolDefinitions, FieldsAreCheckedConvertedAndStored) {
    const StoreCase cases[] = {
        {ToolField::Diameter, "12.5", "", "12.5000"},
        {ToolField::Diameter, "-.5", "", "-0.5000"},
        {ToolField::Diameter, "12,5", "Non-numeric charactor found in input data \",\"...",
         "0.0000"},
        {ToolField::Length, "3x", "Non-numeric charactor found in input data \"x\"...", "0.0000"},
        {ToolField::Length, "", "Length is empty: enter a number...", "0.0000"},
        {ToolField::Radius, "1.2.3", "Radius \"1.2.3\" is not valid: enter a number...", "0.0000"},
        {ToolField::ArcResolution, "+-5", "Arc resolution \"+-5\" is not valid: enter a number...",
         "3.5000"},
        {ToolField::ToolNumber, "255", "", "255"},
        {ToolField::ToolNumber, "256",
         "Tool number \"256\" is not valid: enter a whole number from 0 to 255...", "0"},
        {ToolField::ToolNumber, "-1",
         "Tool number \"-1\" is not valid: enter a whole number from 0 to 255...", "0"},
        {ToolField::ToolNumber, "1.5",
         "Tool number \"1.5\" is not valid: enter a whole number from 0 to 255...", "0"},
        {ToolField::ToolNumber, "", "Tool number is empty: enter a whole number from 0 to 255...",
         "0"},
        {ToolField::CompNumber, "300",
         "Tool comp # \"300\" is not valid: enter a whole number from 0 to 255...", "0"},
        {ToolField::NumberOfSections, "24", "", "24"},
        {ToolField::SpindleRpm, "-32768", "", "-32768"},
        {ToolField::SpindleRpm, "32768",
         "Spindle RPM \"32768\" is not valid: enter a whole number from -32768 to 32767...", "0"},
        {ToolField::SpindleRpm, "99999999999",
         "Spindle RPM \"99999999999\" is not valid: enter a whole number from -32768 to 32767...",
         "0"},
    };
    for (const StoreCase& c : cases) {
        ToolEntry entry;
        EXPECT_EQ(storeToolField(entry, c.field, c.text), c.problem) << c.text;
        EXPECT_EQ(toolFieldText(entry, c.field), c.shownAfter) << c.text;
    }
}

TEST(ToolDefinitions, ClearedEntryShowsItsDefaults) {
    const ToolEntry entry;
    const std::vector<std::string> shown = {"0",       "0.0000",  "0.0000", "0.0000",
                                            "90.0000", "90.0000", "0.0000", "0",
                                            "0",       "3.5000",  "11"};
    for (int i = 0; i < kToolFieldCount; ++i)
        EXPECT_EQ(toolFieldText(entry, static_cast<ToolField>(i)), shown[static_cast<size_t>(i)])
            << toolFieldCaption(static_cast<ToolField>(i));
}

// A path whose moves use the given tools, one move each after the start point.
std::vector<int> renumbered(const std::vector<int>& moveTools,
                            const std::vector<std::uint8_t>& before,
                            const std::vector<std::uint8_t>& after) {
    GraphicsDatabase db;
    db.records.createFirst();
    MoveRecord* tail = db.records.head();
    for (int tool : moveTools) {
        db.records.append(tail);
        tail->tool = static_cast<std::uint8_t>(tool);
    }
    ToolTable tools;
    tools.count = static_cast<std::uint8_t>(after.size() - 1);
    for (std::size_t i = 0; i < after.size(); ++i)
        tools.entries[i].toolNumber = after[i];
    renumberToolMoves(db, before, tools);
    std::vector<int> result;
    for (const MoveRecord* r = db.first()->next; r != nullptr; r = r->next)
        result.push_back(r->tool);
    return result;
}

TEST(ToolDefinitions, RenumberingMapsEveryMoveOnce) {
    // Tool 2 becomes 7.
    EXPECT_EQ(renumbered({1, 2, 2, 3}, {0, 1, 2, 3}, {0, 1, 7, 3}), (std::vector<int>{1, 7, 7, 3}));
    // Swapping two numbers swaps their moves (one by one, every move would end as tool 1).
    EXPECT_EQ(renumbered({1, 2, 1, 2}, {0, 1, 2}, {0, 2, 1}), (std::vector<int>{2, 1, 2, 1}));
    // Entry 0 stands for the moves before the first tool call.
    EXPECT_EQ(renumbered({0, 0, 4}, {0, 4}, {9, 4}), (std::vector<int>{9, 9, 4}));
    // Nothing changed: nothing moves.
    EXPECT_EQ(renumbered({5, 6}, {0, 5, 6}, {0, 5, 6}), (std::vector<int>{5, 6}));
    // The same old number twice (T0 called by the program): the first changed entry decides.
    EXPECT_EQ(renumbered({0, 0}, {0, 0}, {3, 8}), (std::vector<int>{3, 3}));
}

TEST(ToolDefinitions, RenumberingAnEmptyDatabaseDoesNothing) {
    GraphicsDatabase db;
    ToolTable tools;
    tools.entries[0].toolNumber = 5;
    const std::vector<std::uint8_t> before = {0};
    renumberToolMoves(db, before, tools);
    EXPECT_FALSE(db.databaseAllocated());
}

} // namespace
} // namespace korvix
