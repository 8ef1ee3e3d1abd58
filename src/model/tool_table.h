#pragma once

#include <array>
#include <cstdint>

namespace korvix {

struct ToolEntry {
    std::uint8_t toolNumber = 0;
    std::uint8_t compNumber = 0; // the H number
    std::int16_t spindleSpeed = 0;
    float diameter = 0;
    float radius = 0; // corner radius
    float length = 0;
    float angleToX = 90.0f;
    float angleToY = 90.0f;
    float angleToZ = 0;
    float arcResolution = 3.5f; // drawing quality of the tool shape, kept by Close
    std::uint8_t numberOfSections = 11;
};

// Entry 0 holds what was set before the first T word; entries 1..count are the tools in
// order of first appearance.
struct ToolTable {
    static constexpr int kMaxTools = 100;
    std::uint8_t count = 0;
    std::array<ToolEntry, kMaxTools + 1> entries{};
};

// Empties the table as Close does: every field returns to its cleared value except the two
// drawing-quality fields, which keep what the user set.
void clearToolTable(ToolTable& table);

// The T, H and S values in force while a program is read.
struct ToolWordState {
    int tool = 0;
    int hNumber = 0;
    int spindleSpeed = 0;
};

// Index of the first entry 1..count with this tool number, or -1.
int findTool(const ToolTable& table, int toolNumber);
// The entry that the current H and S belong to: 0 while the table is empty, else the
// current tool's entry (-1 when the current tool has none).
int currentToolEntry(const ToolTable& table, const ToolWordState& state);

// A T word (0..255). Returns false, changing nothing, when a new tool would need a 101st
// entry.
bool applyToolWord(ToolTable& table, ToolWordState& state, int toolNumber);
// An H word (0..255). H0 never overwrites a tool's stored compensation number.
void applyCompWord(ToolTable& table, ToolWordState& state, int hNumber);
// An S word (-32768..32767).
void applySpindleWord(ToolTable& table, ToolWordState& state, int speed);

} // namespace korvix
